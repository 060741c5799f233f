#pragma once

#include "app/CountdownTarget.h"

#include <QStringList>
#include <QVariantMap>
#include <optional>

// What the operator asks of the program when starting it, beyond the options every Qt program takes.
struct StartOptions {
    // Opens straight into full screen, for a studio machine that starts the clock at login.
    bool fullScreen = false;
    // The screen to open on, as given: a screen's name or its index; empty for the desktop's choice.
    QString screen;
    // The countdown's target from the start; none unless given.
    std::optional<CountdownTarget> countdown;
    // Prints the running clocks' own timing, read over the session bus, and ends; starts no clock.
    bool timing = false;
    // What to write to the running clocks' properties over the session bus (OnAir, Countdown)
    // before ending; starts no clock. Empty when the program is to start a clock.
    QVariantMap changes;
    // Set when the program is to end at once with this code, its output written: 0 after --help or
    // --version, 1 after an argument it does not understand.
    std::optional<int> exitCode;
};

// Reads the command line (`arguments`, the program's name first) before the application object
// exists, so that help, the version or a mistake need no display. Qt's own options (-platform,
// -display, -geometry, ...) are let through for the application object to take. --help and
// --version print on the standard output; an argument not understood gets one line naming it on
// the standard error stream.
StartOptions ReadStartOptions(const QStringList& arguments);
