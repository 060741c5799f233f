#pragma once

#include "resizer/Export.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TCollection;
}

namespace resizer {

// What the header handler remembers of one section.
class STUDIOCLOCK_RESIZER_EXPORT TMRLSection {
public:
    int LastWidth = 0;
    int LastMinWidth = 0;
    int LastMaxWidth = 0;
    float WidthRatio = 0.0F;
    float MinWidthRatio = 0.0F;
    float MaxWidthRatio = 0.0F;
};

class STUDIOCLOCK_RESIZER_EXPORT TMRLSections {
public:
    TMRLSection& Add();
    void Clear() { sections_.clear(); }
    int Count() const { return static_cast<int>(sections_.size()); }
    TMRLSection& Items(int index) { return sections_.at(static_cast<std::size_t>(index)); }
    const TMRLSection& Items(int index) const { return sections_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<TMRLSection> sections_;
};

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
