#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TCollection;
}

// Handlers that scale a row of widths with the control's client width: status panels, list
// columns, header sections.
namespace resizer {

// Keeps the Width of every item of the collection a property holds, and the bounds named (such as
// "MinWidth"), in proportion to the client width. When only widths changed the bounds keep their
// ratios; a changed bound or an item added or removed takes everything afresh.
class STUDIOCLOCK_RESIZER_EXPORT TMRWidthList : public TMRPropertyHandler {
public:
    void CaptureRatios() override;
    void ApplyRatios() override;

    const TMRLValues& Widths() const { return lengths_.front(); }

protected:
    TMRWidthList(
        QWidget* control, const QString& collectionName, std::initializer_list<const char*> bounds = {});

    // The remembered values of the bound given as `bounds[index]`.
    const TMRLValues& Bounds(std::size_t index) const { return lengths_[index + 1]; }

private:
    enum class Level { None, Widths, All };
    Level ChangeLevel() const;

    // One property of every item, by index: what a row of remembered lengths follows.
    struct ItemLengths {
        controls::TCollection* items;
        const char* name;
        int Count() const;
        int Read(int index) const;
        void Write(int index, int value) const;
    };

    controls::TCollection* items_;         // the control's, not owned
    std::vector<ItemLengths> properties_;  // "Width", then the bounds
    std::vector<TMRLValues> lengths_;      // one row for each property
};

// The status panels held by "Panels".
class STUDIOCLOCK_RESIZER_EXPORT TMRStatusBar : public TMRWidthList {
public:
    explicit TMRStatusBar(QWidget* control);
};

// The columns held by "Columns".
class STUDIOCLOCK_RESIZER_EXPORT TMRListView : public TMRWidthList {
public:
    explicit TMRListView(QWidget* control);
};

}  // namespace resizer
