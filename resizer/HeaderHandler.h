#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TCollection;
}

namespace resizer {

// Keeps the Width, MinWidth and MaxWidth of every section held by "Sections" in proportion to the
// client width. When only widths changed, the bounds keep their ratios; a changed bound or a
// section added or removed takes all three afresh.
class STUDIOCLOCK_RESIZER_EXPORT TMRHeaderControl : public TMRPropertyHandler {
public:
    explicit TMRHeaderControl(QWidget* control);
    void CaptureRatios() override;
    void ApplyRatios() override;

    const TMRLSections& Sections() const { return remembered_; }

private:
    enum class Level { None, Widths, All };
    Level ChangeLevel() const;

    controls::TCollection* sections_;  // the control's, not owned
    TMRLSections remembered_;
};

}  // namespace resizer
