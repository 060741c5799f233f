#include "tools/designer/ComponentCollection.h"

#include "forms/FormComponents.h"
#include "tools/designer/ComponentWidget.h"

ComponentCollection::ComponentCollection(QObject* parent)
    : QObject(parent)
{
    for (const forms::FormComponent& component : forms::FormComponents())
        widgets_.append(new ComponentWidget(component, this));
}
