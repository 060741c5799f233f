#include "resizer/WidthListHandlers.h"

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QWidget>
#include <algorithm>

namespace resizer {

int TMRWidthList::ItemLengths::Count() const
{
    return items->Count();
}

int TMRWidthList::ItemLengths::Read(int index) const
{
    return items->Items(index)->property(name).toInt();
}

void TMRWidthList::ItemLengths::Write(int index, int value) const
{
    items->Items(index)->setProperty(name, value);
}

TMRWidthList::TMRWidthList(
    QWidget* control, const QString& collectionName, std::initializer_list<const char*> bounds)
    : TMRPropertyHandler(control)
    , items_(HeldObject<controls::TCollection>(control, collectionName))
{
    properties_.push_back({items_, "Width"});
    for (const char* bound : bounds)
        properties_.push_back({items_, bound});
    lengths_.resize(properties_.size());
}

TMRWidthList::Level TMRWidthList::ChangeLevel() const
{
    if (invalid_ || items_->Count() != Widths().Count())
        return Level::All;
    for (std::size_t bound = 1; bound < properties_.size(); ++bound)
        if (!lengths_[bound].Unchanged(properties_[bound]))
            return Level::All;
    return lengths_.front().Unchanged(properties_.front()) ? Level::None : Level::Widths;
}

void TMRWidthList::CaptureRatios()
{
    const Level level = ChangeLevel();
    if (level == Level::None)
        return;
    const int width = framework::ClientSize(control_).width();
    if (width == 0) {
        invalid_ = true;
        return;
    }
    const std::size_t taken = level == Level::All ? properties_.size() : 1;
    for (std::size_t index = 0; index < taken; ++index)
        lengths_[index].Take(properties_[index], width);
    invalid_ = false;
}

void TMRWidthList::ApplyRatios()
{
    if (invalid_)
        return;
    const int width = framework::ClientSize(control_).width();
    // Each item's width first, within the bounds from before the resize, as the item keeps it;
    // what it kept is read once every length is set.
    for (std::size_t index = 0; index < properties_.size(); ++index)
        lengths_[index].Apply(properties_[index], width);
    for (std::size_t index = 0; index < properties_.size(); ++index)
        lengths_[index].Note(properties_[index]);
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
