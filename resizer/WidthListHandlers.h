#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TCollection;
}

// Handlers that scale a row of widths with the control's client width: status panels, list
// columns.
namespace resizer {

// Keeps the Width of every item of the collection a property holds in proportion to the client
// width. The ratios are taken again, for all items, when the number of items or any width changed.
class STUDIOCLOCK_RESIZER_EXPORT TMRWidthList : public TMRPropertyHandler {
public:
    void CaptureRatios() override;
    void ApplyRatios() override;

    const TMRLValues& Widths() const { return widths_; }

protected:
    TMRWidthList(QWidget* control, const QString& collectionName);

private:
    // The Width of every item, by index: what the row of remembered lengths follows.
    struct ItemWidths {
        controls::TCollection* items;  // the control's, not owned
        int Count() const;
        int Read(int index) const;
        void Write(int index, int value) const;
    };

    ItemWidths items_;
    TMRLValues widths_;
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
