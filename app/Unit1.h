// Unit1: TForm1, the main window, and Form1, its one instance.
#pragma once

#include "controls/Form.h"
#include "ui_Unit1.h"

#include <QDate>
#include <QUrl>

class ClockTrustFollower;
class StudioSignals;

// The studio clock's main window: its controls come from the stored layout (Unit1.ui); the
// handlers below give them their behaviour.
class TForm1 : public controls::TForm, public Ui::TForm1 {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // Where the link label leads.
    static QUrl MakerAddress();
    // What the window judges and says of the system clock, once a second.
    ClockTrustFollower* ClockTrust() const { return clockTrust_; }
    // On air and the countdown, shown on the clock; F9 switches on air.
    StudioSignals* Studio() const { return studio_; }

private:
    void FormCreate(QObject* sender);
    void Label7Click(QObject* sender);
    void Button1Click(QObject* sender);
    void MonthCalendar1DblClick(QObject* sender);
    void VrLedClock1HoursChanged(QObject* sender, quint16 hours);
    // A clock stepped by whole days keeps its hour; the day is checked at every second.
    void VrLedClock1SecondsChanged(QObject* sender, quint16 seconds);
    // The layout's event bindings; made while it is read, so that events raised as the controls
    // finish loading already reach their handlers.
    void BindEvents();
    // Shows today's date on the date line, in the locale taken at start.
    void ShowDateLine();
    // Moves the date line and the calendar to today when the date line shows another day.
    void FollowTheDay();

    QDate dateLineDay_;                         // the day the date line shows
    ClockTrustFollower* clockTrust_ = nullptr;  // a child of the clock
    StudioSignals* studio_ = nullptr;           // a child of the clock
};

// The main window, once Application::CreateForm has made it.
extern TForm1* Form1;
