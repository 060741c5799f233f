#include "controls/MonthCalendar.h"

#include <QInputEvent>
#include <algorithm>

namespace controls {

TMonthCalendar::TMonthCalendar(QWidget* parent)
    : QCalendarWidget(parent)
    , framework::Control(this)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    // The calendar is made of child widgets that take the mouse themselves; watch them all.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (framework::ToQDate(date_) != selectedDate())
            date_ = framework::FromQDateTime(QDateTime(selectedDate(), QTime(0, 0)));
    });
}

framework::TDateTime TMonthCalendar::Date() const
{
    return date_;
}

void TMonthCalendar::setDate(framework::TDateTime value)
{
    const QDate day = framework::ToQDate(value);
    date_ = value;
    setSelectedDate(day);
    setCurrentPage(day.year(), day.month());
}

void TMonthCalendar::Loaded()
{
    framework::Control::Loaded();
    AdjustAutoSize();
}

void TMonthCalendar::AdjustAutoSize()
{
    if (!AutoSize() || IsLoading())
        return;
    const QSize month = minimumSizeHint();
    const framework::TAlign align = Align();
    QSize size = this->size();
    if (align == framework::alNone || align == framework::alLeft || align == framework::alRight)
        size.setWidth(month.width());
    if (align == framework::alNone || align == framework::alTop || align == framework::alBottom)
        size.setHeight(month.height());
    if (size == this->size())
        return;
    if (align != framework::alNone) {
        resize(size);
        Realign();  // the dock places it again at its new size
        return;
    }
    // A calendar that would grow past its parent's right edge grows to the left instead, keeping
    // its own right edge, so that it stays whole on screen.
    QRect bounds(pos(), size);
    if (const QWidget* parent = parentWidget(); parent && bounds.right() >= parent->width())
        bounds.moveLeft(std::max(0, std::min(geometry().right(), parent->width() - 1) - bounds.width() + 1));
    setGeometry(bounds);
}

bool TMonthCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        // An event the child leaves unhandled travels on to its parent, which is watched too: one
        // double click, one event, told apart by its time stamp.
        const quint64 stamp = static_cast<QInputEvent*>(event)->timestamp();
        if (stamp != lastDoubleClick_) {
            lastDoubleClick_ = stamp;
            emit OnDblClick(this);
        }
    }
    return QCalendarWidget::eventFilter(watched, event);
}

void TMonthCalendar::changeEvent(QEvent* event)
{
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustAutoSize();
}

}  // namespace controls
