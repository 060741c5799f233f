#pragma once

#include "framework/Application.h"
#include "framework/ClockDiscipline.h"

#include <QTest>

// Runs a QtTest class under the program's own application object, so that error reporting and
// the rounding set-up are those of the real program; and with a kernel clock a time service keeps
// (state TIME_OK, 1 ms maximum error), whatever the state of the machine the tests run on.
#define STUDIO_CLOCK_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv)                                                                    \
    {                                                                                                  \
        framework::Application application(argc, argv);                                                \
        application.Initialize();                                                                      \
        framework::SetKernelClockSource([] { return framework::KernelClockAnswer{0, 0, 1000, 100}; }); \
        TestClass test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                        \
    }
