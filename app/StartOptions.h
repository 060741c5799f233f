#pragma once

class QCoreApplication;

// What the operator asks of the program when starting it, beyond the options every Qt program takes.
struct StartOptions {
    // Opens straight into full screen, for a studio machine that starts the clock at login.
    bool fullScreen = false;
};

// Reads the program's own command line. --help and --version print and end the program; an
// unknown option ends it with code 1 and a message naming the option, before any window opens.
StartOptions ReadStartOptions(const QCoreApplication& application);
