#include "tools/designer/ComponentCollection.h"

#include "forms/CatalogueEntry.h"
#include "tools/designer/ComponentWidget.h"
#include "tools/designer/RefusalNotice.h"

ComponentCollection::ComponentCollection(QObject* parent)
    : QObject(parent)
{
    auto* notice = new RefusalNotice(this);
    for (const forms::CatalogueEntry& entry : forms::Catalogue())
        widgets_.append(new ComponentWidget(entry, *notice, this));
}
