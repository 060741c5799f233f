#pragma once

#include "controls/Export.h"
#include "framework/Control.h"
#include "framework/DateTime.h"

#include <QCalendarWidget>

namespace controls {

// A month calendar showing one month with a selected day. A double click anywhere on it, the
// navigation bar included, raises OnDblClick.
class STUDIOCLOCK_CONTROLS_EXPORT TMonthCalendar : public QCalendarWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(double Date READ Date WRITE setDate)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
public:
    explicit TMonthCalendar(QWidget* parent = nullptr);

    // The selected day, with the time of day it was set with; shows that day's month.
    framework::TDateTime Date() const;
    void setDate(framework::TDateTime value);

    // With AutoSize, sizes the calendar to what one month needs in its font, in the dimensions its
    // dock leaves free, whenever the font changes; in between, whoever sizes it decides.
    void AdjustAutoSize() override;
    void Loaded() override;

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnDblClick(QObject* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    framework::TDateTime date_ = 0;
    quint64 lastDoubleClick_ = ~quint64(0);
};

}  // namespace controls
