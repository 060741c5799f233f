#pragma once

#include "framework/Application.h"

#include <QTest>

// Runs a QtTest class under the program's own application object, so that error reporting and
// the rounding set-up are those of the real program.
#define STUDIO_CLOCK_TEST_MAIN(TestClass)               \
    int main(int argc, char** argv)                     \
    {                                                   \
        framework::Application application(argc, argv); \
        application.Initialize();                       \
        TestClass test;                                 \
        return QTest::qExec(&test, argc, argv);         \
    }
