#include "app/ScreenAwake.h"

#include "app/AwakeWay.h"
#include "app/DesktopIdleInhibitor.h"
#include "app/WaylandIdleInhibitor.h"
#include "app/XScreenSaverSuspender.h"

#include <QEvent>
#include <QWidget>

ScreenAwake::ScreenAwake(QWidget* window)
    : ScreenAwake(window,
        {new WaylandIdleInhibitor(window), new DesktopIdleInhibitor(window), new XScreenSaverSuspender})
{
}

ScreenAwake::ScreenAwake(QWidget* window, const QList<AwakeWay*>& ways)
    : QObject(window)
    , window_(window)
    , ways_(ways)
{
    for (qsizetype way = 0; way < ways_.size(); ++way) {
        ways_.at(way)->setParent(this);
        connect(ways_.at(way), &AwakeWay::Answered, this, [this, way](bool held) { Answered(way, held); });
    }
    window->installEventFilter(this);
    FollowTheWindow();
}

bool ScreenAwake::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_
        && (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Show
            || event->type() == QEvent::Hide))
        FollowTheWindow();
    return false;
}

void ScreenAwake::FollowTheWindow()
{
    const bool wanted = window_->isFullScreen() && window_->isVisible();
    if (wanted == wanted_ || ways_.isEmpty())
        return;
    wanted_ = wanted;
    if (wanted_) {
        ways_.constFirst()->Hold();
    } else {
        for (AwakeWay* way : std::as_const(ways_))
            way->Release();
    }
}

void ScreenAwake::Answered(qsizetype way, bool held)
{
    if (!wanted_ || way + 1 == ways_.size())
        return;
    if (!held) {
        ways_.at(way + 1)->Hold();
        return;
    }
    for (qsizetype later = way + 1; later < ways_.size(); ++later)
        ways_.at(later)->Release();
}
