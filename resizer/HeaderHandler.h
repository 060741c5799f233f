#pragma once

#include "resizer/Export.h"
#include "resizer/WidthListHandlers.h"

namespace resizer {

// Keeps the Width, MinWidth and MaxWidth of every section held by "Sections" in proportion to the
// client width.
class STUDIOCLOCK_RESIZER_EXPORT TMRHeaderControl : public TMRWidthList {
public:
    explicit TMRHeaderControl(QWidget* control);

    const TMRLValues& MinWidths() const { return Bounds(0); }
    const TMRLValues& MaxWidths() const { return Bounds(1); }
};

}  // namespace resizer
