#include "NoBDERP.h"

#include "ControlHandlerVCL.h"
#include "Label.h"

namespace resizer {

TNoBDEResizerPanel::TNoBDEResizerPanel(QWidget* parent)
    : TCustomResizerPanel(parent)
{
    controlHandlerClass_ = CreateControlHandler<TMRControlHandlerVCL>;
}

// Every check that holds adds one handler, in this order, so a control can get several.
void TNoBDEResizerPanel::CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers)
{
    TCustomResizerPanel::CreatePropertyHandlers(control, handlers);
    if (HasPropInfo(control->metaObject(), QStringLiteral("Font")))
        handlers.push_back(std::make_unique<TMRFont>(control, QStringLiteral("Font")));
    if (qobject_cast<framework::TLabel*>(control))
        handlers.push_back(std::make_unique<TMRAutoSize>(control));
}

}  // namespace resizer
