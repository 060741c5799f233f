#include "tools/designer/ComponentCollection.h"

#include "forms/FormComponents.h"
#include "tools/designer/ComponentWidget.h"
#include "tools/designer/RefusalNotice.h"

ComponentCollection::ComponentCollection(QObject* parent)
    : QObject(parent)
{
    auto* notice = new RefusalNotice(this);
    for (const forms::FormComponent& component : forms::FormComponents())
        widgets_.append(new ComponentWidget(component, *notice, this));
}
