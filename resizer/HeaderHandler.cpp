#include "resizer/HeaderHandler.h"

namespace resizer {

TMRHeaderControl::TMRHeaderControl(QWidget* control)
    : TMRWidthList(control, QStringLiteral("Sections"), {"MinWidth", "MaxWidth"})
{
}

}  // namespace resizer
