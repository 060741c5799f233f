#include "app/ClockDisciplineText.h"
#include "app/DateLine.h"
#include "app/Unit1.h"
#include "display/VrLabel.h"
#include "display/vrLedClock.h"
#include "framework/Exceptions.h"
#include "framework/LocaleId.h"
#include "framework/Shell.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"

#include <QAccessible>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

using namespace controls;
using namespace framework;

namespace {

// Double-clicks the calendar where an operator would: on its grid of days.
void DoubleClickCalendar(TMonthCalendar* calendar)
{
    QWidget* grid = nullptr;
    for (QWidget* child : calendar->findChildren<QWidget*>())
        if (child->objectName() == QLatin1String("qt_calendar_calendarview"))
            grid = static_cast<QAbstractScrollArea*>(child)->viewport();
    QVERIFY(grid);
    QTest::mouseDClick(grid, Qt::LeftButton, {}, grid->rect().center());
}

// The next widget the Tab key would reach, past the inner parts of `from`.
QWidget* NextTabStop(QWidget* from)
{
    QWidget* next = from->nextInFocusChain();
    while (next != from && (from->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus)))
        next = next->nextInFocusChain();
    return next;
}

}  // namespace

class MainWindowTest : public ShownMainWindowTest {
    Q_OBJECT
private slots:
    void theStoredLayoutIsApplied()
    {
        TForm1& f = *form_;
        QCOMPARE(f.size(), QSize(789, 640));
        QCOMPARE(f.Position(), poScreenCenter);
        QCOMPARE(f.Color(), clBtnFace);
        QCOMPARE(f.font().family(), QString("MS Sans Serif"));
        QCOMPARE(f.FontHeight(), -11);

        QCOMPARE(f.Label7->pos(), QPoint(665, 618));
        QCOMPARE(f.Label7->toolTip(), QString("click to visit"));
        QVERIFY(f.Label7->font().underline());
        QCOMPARE(f.Label7->FontHeight(), -13);
        QVERIFY(f.Label7->AutoSize());

        QCOMPARE(f.Memo1->geometry(), QRect(1, 422, 785, 187));
        QCOMPARE(f.Memo1->Color(), clBlack);
        QCOMPARE(f.Memo1->FontColor(), clWhite);
        QCOMPARE(f.Memo1->font().family(), QString("Arial"));
        QCOMPARE(f.Memo1->FontHeight(), -35);
        QCOMPARE(f.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(f.Memo1->toPlainText().isEmpty());

        QCOMPARE(f.Button1->geometry(), QRect(336, 612, 75, 25));
        QCOMPARE(f.Button1->text(), QString("Clean"));
        QVERIFY(f.Button1->font().bold());
        QCOMPARE(f.Button1->FontHeight(), -13);

        QCOMPARE(f.MonthCalendar1->y(), 1);
        QVERIFY(f.MonthCalendar1->geometry().right() < f.width());
        QCOMPARE(f.MonthCalendar1->Anchors(), TAnchors(akTop));
        QVERIFY(f.MonthCalendar1->AutoSize());
        QCOMPARE(f.MonthCalendar1->toolTip(), QString("dê 2 clicks para expandir/comprimir o calendário"));
        QCOMPARE(f.MonthCalendar1->Align(), alNone);
    }

    // What a screen reader finds in the window: each part's role, name and description, and the
    // text it reads there (its text, else its value).
    void aScreenReaderFindsEachPart_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("text");
        const QString dateLine
            = DateLineText(ShownMainWindow::Start().date(), ThreadLocale(), ThreadQLocale());
        // How far the clock's time can be trusted, which the window gives as its tooltip.
        const qint64 now = framework::MSecsSinceEpoch();
        const QString trust = DescribeClockTrust(JudgeClockTrust(ReadClockDiscipline(), std::nullopt, 0, now),
            now, PortugueseDateLine(ThreadLocale()), ThreadQLocale())
                                  .toolTip;
        const QString none;
        QTest::newRow("clock") << "VrLedClock1" << QAccessible::Clock << "Clock" << trust << "10:30";
        QTest::newRow("date line") << "VrLabel1" << QAccessible::StaticText << dateLine << none << dateLine;
        QTest::newRow("notes") << "Memo1" << QAccessible::EditableText << "Notes" << none << none;
        QTest::newRow("calendar") << "MonthCalendar1" << QAccessible::Table << "Calendar"
                                  << "dê 2 clicks para expandir/comprimir o calendário" << none;
        QTest::newRow("clean") << "Button1" << QAccessible::Button << "Clean" << none << none;
        QTest::newRow("link") << "Label7" << QAccessible::StaticText << "studioclock.example"
                              << "click to visit" << none;
    }

    void aScreenReaderFindsEachPart()
    {
        QFETCH(QString, part);
        QFETCH(QAccessible::Role, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QFETCH(QString, text);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(form_->findChild<QWidget*>(part));
        QVERIFY(read);
        QCOMPARE(read->role(), role);
        QCOMPARE(read->text(QAccessible::Name), name);
        QCOMPARE(read->text(QAccessible::Description), description);
        const QAccessibleTextInterface* shown = read->textInterface();
        QCOMPARE(shown ? shown->text(0, shown->characterCount()) : read->text(QAccessible::Value), text);
    }

    void theWindowOpensCentredOnTheScreen()
    {
        const QRect available = form_->screen()->availableGeometry();
        const QRect frame = form_->geometry();
        if (available.width() >= frame.width() && available.height() >= frame.height()) {
            QVERIFY(qAbs(frame.center().x() - available.center().x()) <= 1);
            QVERIFY(qAbs(frame.center().y() - available.center().y()) <= 1);
        } else {
            QVERIFY(frame.left() >= available.left() && frame.top() >= available.top());
        }
    }

    void orderOfControlsAndOfTheTabKey()
    {
        TForm1& f = *form_;
        QCOMPARE(f.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly),
            QList<QWidget*>{f.NoBDEResizerPanel1});
        const QList<QWidget*> zOrder
            = f.NoBDEResizerPanel1->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(zOrder,
            (QList<QWidget*>{f.VrLabel1, f.VrLedClock1, f.Label7, f.Memo1, f.Button1, f.MonthCalendar1}));
        QCOMPARE(NextTabStop(f.Memo1), static_cast<QWidget*>(f.Button1));
        QWidget* afterButton = NextTabStop(f.Button1);
        QVERIFY(afterButton == f.MonthCalendar1 || f.MonthCalendar1->isAncestorOf(afterButton));
    }

    void outsideHour15TheClockMovesTheCalendarBeforeFormCreate()
    {
        TForm1 fresh;  // read and loaded; FormCreate not yet run
        for (Control* control : std::initializer_list<Control*>{
                 &fresh, fresh.VrLedClock1, fresh.Label7, fresh.Memo1, fresh.Button1, fresh.MonthCalendar1})
            QVERIFY(!control->IsLoading());
        QCOMPARE(fresh.VrLedClock1->Hours(), 10);  // the stored 15 replaced by the time
        QCOMPARE(fresh.MonthCalendar1->selectedDate(), ShownMainWindow::Start().date());
        QCOMPARE(fresh.MonthCalendar1->Date(), FromQDateTime(ShownMainWindow::Start()));
    }

    void inHour15FormCreateStillShowsToday()
    {
        ScopedTimeSource clock(QDateTime(QDate(2026, 12, 8), QTime(15, 44, 44)));
        TForm1 fresh;
        QCOMPARE(fresh.MonthCalendar1->selectedDate(),
            QDate(2005, 12, 1));  // no hours event: still the stored date
        fresh.AfterConstruction();
        QCOMPARE(fresh.MonthCalendar1->selectedDate(), QDate(2026, 12, 8));
        QCOMPARE(fresh.MonthCalendar1->monthShown(), 12);
        QCOMPARE(fresh.MonthCalendar1->yearShown(), 2026);
    }

    void theCalendarFollowsTheHour()
    {
        ScopedTimeSource clock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)));
        TForm1 fresh;
        fresh.AfterConstruction();
        clock->AdvanceMSecs(1000);  // a new year
        fresh.VrLedClock1->UpdateTime(nullptr);
        QCOMPARE(fresh.MonthCalendar1->selectedDate(), QDate(2027, 1, 1));
        QCOMPARE(fresh.MonthCalendar1->yearShown(), 2027);
    }

    void theDateLineMovesToTheNewDayAtMidnight()
    {
        // Fourteen hours ahead of universal time, local midnight is 10:00 there: the window shows local time.
        const ScopedTimeZone kiritimati("Pacific/Kiritimati");
        ScopedTimeSource clock(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59)));
        TForm1 fresh;
        fresh.AfterConstruction();
        const auto line = [](const QDate& day) { return DateLineText(day, ThreadLocale(), ThreadQLocale()); };
        QCOMPARE(fresh.VrLabel1->Caption(), line(QDate(2026, 12, 8)));
        QCOMPARE(fresh.VrLabel1->geometry(), QRect(1, 377, 785, 41));
        QCOMPARE(fresh.VrLabel1->FontHeight(), -27);
        clock->AdvanceMSecs(1000);
        fresh.VrLedClock1->UpdateTime(nullptr);
        QCOMPARE(fresh.VrLabel1->Caption(), line(QDate(2026, 12, 9)));
        QCOMPARE(fresh.VrLedClock1->Hours(), 0);
    }

    void aClockSteppedByWholeDaysShowsTheNewDayAtTheNextSecond()
    {
        ScopedTimeSource clock(QDateTime(QDate(2026, 12, 8), QTime(10, 30, 15)));
        TForm1 fresh;
        fresh.AfterConstruction();
        for (const auto& [days, shown] :
            {std::pair{1, QDate(2026, 12, 9)}, std::pair{-2, QDate(2026, 12, 7)}}) {
            clock->AdvanceMSecs(days * 86400000LL + 1000);  // the next tick, on another day
            fresh.VrLedClock1->UpdateTime(nullptr);
            QCOMPARE(fresh.VrLabel1->Caption(), DateLineText(shown, ThreadLocale(), ThreadQLocale()));
            QCOMPARE(fresh.MonthCalendar1->selectedDate(), shown);
        }
    }

    void theClockOnTheWindowHasItsStoredValues()
    {
        const display::TVrLedClock* clock = form_->VrLedClock1;
        QCOMPARE(clock->geometry(), QRect(2, 1, 783, 374));
        QVERIFY(clock->Threaded() && clock->Active());
        QCOMPARE(clock->HoursColor(), clLime);
        QCOMPARE(clock->HoursOutline(), clBlack);
        QCOMPARE(clock->SecHandColor(), clLime);
        QCOMPARE(clock->SecOutline(), clLime);
        QCOMPARE(clock->SecWidth(), 4);
        QCOMPARE(clock->TickColor(), clBlue);
        QCOMPARE(clock->TickOutline(), clYellow);
        QCOMPARE(clock->TickWidth(), 6);
        QCOMPARE(clock->LedSize(), 6);
        QCOMPARE(clock->Spacing(), 18);
        QCOMPARE(clock->TextOffsetX(), 24);
        QCOMPARE(clock->TextOffsetY(), 0);
        QCOMPARE(clock->TextAngle(), 10);
        QCOMPARE(clock->Color(), clBlack);
        QVERIFY(clock->Timer()->Enabled() && clock->Timer()->Worker());
    }

    void aDoubleClickDocksTheCalendarAndAnotherFreesIt()
    {
        TMonthCalendar* calendar = form_->MonthCalendar1;
        const QRect free = calendar->geometry();
        DoubleClickCalendar(calendar);
        QCOMPARE(calendar->Align(), alRight);
        // Docked inside the panel's bevel: the whole client height, at the right edge.
        const QWidget* panel = form_->NoBDEResizerPanel1;
        const QRect docked(panel->contentsRect().right() - free.width() + 1, panel->contentsRect().top(),
            free.width(), panel->contentsRect().height());
        QCOMPARE(calendar->geometry(), docked);
        form_->resize(900, 700);
        QTRY_COMPARE(panel->size(), QSize(900, 700));
        QCOMPARE(calendar->geometry().right(), panel->contentsRect().right());
        QCOMPARE(calendar->geometry().top(), panel->contentsRect().top());
        QCOMPARE(calendar->height(), panel->contentsRect().height());
        form_->resize(789, 640);
        QTRY_COMPARE(form_->size(), QSize(789, 640));
        DoubleClickCalendar(calendar);
        QCOMPARE(calendar->Align(), alNone);
        QCOMPARE(calendar->geometry(), free);
    }

    void cleanEmptiesTheNotesAndCanBeUndone()
    {
        TMemo* memo = form_->Memo1;
        QTest::mouseClick(form_->Button1, Qt::LeftButton);  // on empty notes: nothing happens
        QVERIFY(memo->toPlainText().isEmpty());
        QVERIFY(!memo->document()->isUndoAvailable());

        memo->setFocus();
        QTest::keyClicks(memo, "Break at 10:58");
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, "News at 11:00");
        QCOMPARE(memo->toPlainText(), QString("Break at 10:58\nNews at 11:00"));
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QVERIFY(memo->toPlainText().isEmpty());
        memo->undo();
        QCOMPARE(memo->toPlainText(), QString("Break at 10:58\nNews at 11:00"));
    }

    void theLinkOpensTheMakersAddress()
    {
        QList<QUrl> opened;
        SetUrlOpener([&](const QUrl& url) {
            opened << url;
            return false;  // no browser: nothing happens, nothing is shown
        });
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        QTest::mouseClick(form_->Label7, Qt::LeftButton);
        SetUrlOpener(nullptr);
        QCOMPARE(opened, QList<QUrl>{TForm1::MakerAddress()});
        QCOMPARE(form_->Label7->text(), TForm1::MakerAddress().host());
        QCOMPARE(reported.count(), 0);
    }

    void aFailingOpenerIsReportedAndTheWindowCarriesOn()
    {
        SetUrlOpener([](const QUrl&) -> bool { throw Exception("desktop unavailable"); });
        QSignalSpy reported(Application::Instance(), &Application::ExceptionReported);
        QTest::mouseClick(form_->Label7, Qt::LeftButton);
        SetUrlOpener(nullptr);
        QCOMPARE(reported.count(), 1);
        DoubleClickCalendar(form_->MonthCalendar1);
        QCOMPARE(form_->MonthCalendar1->Align(), alRight);
    }

    // Last: it runs the program's own loop to its end.
    void closingTheMainFormEndsTheProgramWithCodeZero()
    {
        Application* application = Application::Instance();
        TForm1* created = nullptr;
        application->CreateForm(created);
        QCOMPARE(application->MainForm(), created);
        QCOMPARE(created->MonthCalendar1->selectedDate(), ShownMainWindow::Start().date());
        QPointer<TForm1> watched(created);
        QTimer::singleShot(50, created, [created] {
            QVERIFY(created->isVisible());
            created->close();
        });
        QCOMPARE(application->Run(), 0);
        QVERIFY(application->Terminated());
        QVERIFY(watched.isNull());  // the form and its controls are freed
    }
};

STUDIO_CLOCK_TEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
