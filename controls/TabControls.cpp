#include "controls/TabControls.h"

#include "framework/Property.h"

namespace controls {

TTabControl::TTabControl(QWidget* parent)
    : QTabBar(parent)
    , framework::Control(this)
{
}

void TTabControl::setTabWidth(int value)
{
    if (framework::SetIfChanged(tabWidth_, value))
        RelayoutTabs();
}

void TTabControl::setTabHeight(int value)
{
    if (framework::SetIfChanged(tabHeight_, value))
        RelayoutTabs();
}

void TTabControl::RelayoutTabs()
{
    // Setting the icon size marks the tab layout stale and asks the parent for room again.
    setIconSize(iconSize());
}

QSize TTabControl::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (tabWidth_ > 0)
        size.setWidth(tabWidth_);
    if (tabHeight_ > 0)
        size.setHeight(tabHeight_);
    return size;
}

TPageControl::TPageControl(QWidget* parent)
    : QTabWidget(parent)
    , framework::Control(this)
    , tabs_(new TTabControl(this))
{
    setTabBar(tabs_);
}

TTabbedNotebook::TTabbedNotebook(QWidget* parent)
    : QTabWidget(parent)
    , framework::Control(this)
{
}

QFont TTabbedNotebook::TabFont() const
{
    return tabBar()->font();
}

void TTabbedNotebook::setTabFont(const QFont& value)
{
    tabBar()->setFont(value);
}

}  // namespace controls
