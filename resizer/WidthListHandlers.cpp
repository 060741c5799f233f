#include "resizer/WidthListHandlers.h"

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QWidget>

namespace resizer {

int TMRWidthList::ItemWidths::Count() const
{
    return items->Count();
}

int TMRWidthList::ItemWidths::Read(int index) const
{
    return items->Items(index)->Width();
}

void TMRWidthList::ItemWidths::Write(int index, int value) const
{
    items->Items(index)->setWidth(value);
}

TMRWidthList::TMRWidthList(QWidget* control, const QString& collectionName)
    : TMRPropertyHandler(control)
    , items_{HeldObject<controls::TCollection>(control, collectionName)}
{
}

void TMRWidthList::CaptureRatios()
{
    if (!invalid_ && widths_.Unchanged(items_))
        return;
    const int width = framework::ClientSize(control_).width();
    if (width == 0) {
        invalid_ = true;
        return;
    }
    widths_.Take(items_, width);
    invalid_ = false;
}

void TMRWidthList::ApplyRatios()
{
    if (invalid_)
        return;
    // An item removed since the capture has no width to set; the next capture starts afresh.
    widths_.Apply(items_, framework::ClientSize(control_).width());
    widths_.Note(items_);
}

TMRStatusBar::TMRStatusBar(QWidget* control)
    : TMRWidthList(control, QStringLiteral("Panels"))
{
}

TMRListView::TMRListView(QWidget* control)
    : TMRWidthList(control, QStringLiteral("Columns"))
{
}

}  // namespace resizer
