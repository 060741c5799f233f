#include "controls/TabSet.h"

#include "controls/TabControls.h"

#include <algorithm>

namespace controls {

TTabSet::TTabSet(QWidget* parent)
    : QWidget(parent)
    , framework::Control(this)
    , tabs_(new TTabControl(this))
{
    tabs_->setTabHeight(20);
    PlaceTabs();
}

int TTabSet::TabHeight() const
{
    return tabs_->TabHeight();
}

void TTabSet::setTabHeight(int value)
{
    tabs_->setTabHeight(std::max(0, value));
    PlaceTabs();
}

void TTabSet::setStartMargin(int value)
{
    startMargin_ = std::max(0, value);
    PlaceTabs();
}

void TTabSet::setEndMargin(int value)
{
    endMargin_ = std::max(0, value);
    PlaceTabs();
}

void TTabSet::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceTabs();
}

void TTabSet::PlaceTabs()
{
    tabs_->setGeometry(startMargin_, 0, std::max(0, width() - startMargin_ - endMargin_), height());
}

}  // namespace controls
