#include "resizer/WidthListHandlers.h"

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QWidget>

namespace resizer {

TMRWidthList::TMRWidthList(QWidget* control, const QString& collectionName)
    : TMRPropertyHandler(control)
    , items_(HeldObject<controls::TCollection>(control, collectionName))
{
}

bool TMRWidthList::Changed() const
{
    if (invalid_ || items_->Count() != widths_.Count())
        return true;
    for (int index = 0; index < widths_.Count(); ++index)
        if (items_->Items(index)->Width() != widths_.Values(index))
            return true;
    return false;
}

void TMRWidthList::CaptureRatios()
{
    if (!Changed())
        return;
    const int width = framework::ClientSize(control_).width();
    if (width == 0) {
        invalid_ = true;
        return;
    }
    widths_.Clear();
    for (int index = 0; index < items_->Count(); ++index)
        widths_.Add(0, PropertyRatio(items_->Items(index)->Width(), width));
    invalid_ = false;
}

void TMRWidthList::ApplyRatios()
{
    if (invalid_)
        return;
    const int width = framework::ClientSize(control_).width();
    // An item removed since the capture has no width to set; the next capture starts afresh.
    for (int index = 0; index < widths_.Count() && index < items_->Count(); ++index) {
        controls::TCollectionItem* item = items_->Items(index);
        item->setWidth(TruncatedLength(widths_.Ratios(index), width));
        widths_.SetValues(index, item->Width());
    }
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
