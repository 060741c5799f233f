#pragma once

#include "app/Unit1.h"
#include "tests/TestWidgets.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <memory>

// The main window, created as the program creates it and shown, while the program's clock stands
// at `start`: unless told otherwise, 10:30:15 on 8 December 2026.
struct ShownMainWindow {
    static QDateTime Start() { return QDateTime(QDate(2026, 12, 8), QTime(10, 30, 15)); }

    explicit ShownMainWindow(const QDateTime& start = Start())
        : time(start)
        , form(std::make_unique<TForm1>())
    {
        form->AfterConstruction();
        form->show();
    }
    bool Exposed() const { return QTest::qWaitForWindowExposed(form.get()); }

    ScopedTimeSource time;
    std::unique_ptr<TForm1> form;
};

// The fixture of a test class whose every test gets the main window freshly shown, and after which
// the window and any error message still open are closed.
class ShownMainWindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<ShownMainWindow> window_;
    TForm1* form_ = nullptr;

private slots:
    void init()
    {
        window_ = std::make_unique<ShownMainWindow>();
        form_ = window_->form.get();
        QVERIFY(window_->Exposed());
    }

    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(widget))
                widget->close();
        form_ = nullptr;
        window_.reset();
    }
};
