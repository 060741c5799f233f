#pragma once

#include "app/Unit1.h"
#include "tests/TestWidgets.h"

#include <QTest>
#include <memory>

// The main window, created as the program creates it and shown, while the program's clock stands
// at 10:30:15 on 8 December 2026.
struct ShownMainWindow {
    ShownMainWindow()
        : time(QDateTime(QDate(2026, 12, 8), QTime(10, 30, 15)))
        , form(std::make_unique<TForm1>())
    {
        form->AfterConstruction();
        form->show();
    }
    bool Exposed() const { return QTest::qWaitForWindowExposed(form.get()); }

    ScopedTimeSource time;
    std::unique_ptr<TForm1> form;
};
