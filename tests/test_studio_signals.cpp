// On air and the countdown in the main window: what the face shows and what a screen reader hears.
#include "app/ClockFaceNotice.h"
#include "app/StartOptions.h"
#include "app/StudioSignals.h"
#include "app/Unit1.h"
#include "tests/HeardAccessibleEvents.h"
#include "tests/LaidOnTheFace.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"
#include "tests/e2e/WarningPixels.h"

#include <QSignalSpy>

namespace {

// The countdown's line on the clock, the one notice above the digits.
ClockFaceNotice* CountdownLine(display::TVrLedClock& clock)
{
    for (auto* notice : clock.findChildren<ClockFaceNotice*>())
        if (notice->geometry().bottom() < clock.TimeTextRect().top())
            return notice;
    return nullptr;
}

int PixelsOf(const QImage& image, const QColor& colour)
{
    return PixelsOf(image, colour, image.rect());
}

}  // namespace

class StudioSignalsTest : public ShownMainWindowTest {
    Q_OBJECT

    // Stands the program's clock at `at` and shows that second, as its tick does.
    void ShowSecond(const QDateTime& at)
    {
        window_->time->Set(at);
        form_->VrLedClock1->UpdateTime(nullptr);
    }
    void SetCountdown(const char* target)
    {
        QString why;
        form_->Studio()->SetCountdown(CountdownTarget::Parse(QLatin1String(target), &why));
    }

private slots:
    // What the command line asks of the running clocks, or of the clock it starts; options that
    // cannot go together, or a target that names none, end the program with 1.
    void theOptionsSayWhatToChange_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("changes");  // "Name=value ..."
        QTest::addColumn<QString>("countdown");
        QTest::addColumn<int>("exitCode");  // -1: the program goes on
        QTest::newRow("on air") << "--on-air"
                                << "OnAir=true"
                                << "" << -1;
        QTest::newRow("off air, with a countdown") << "--off-air --set-countdown 17:00"
                                                   << "Countdown=17:00 OnAir=false"
                                                   << "" << -1;
        QTest::newRow("no countdown") << "--clear-countdown"
                                      << "Countdown="
                                      << "" << -1;
        QTest::newRow("a countdown from the start") << "--countdown :59:50 --full-screen"
                                                    << ""
                                                    << ":59:50" << -1;
        QTest::newRow("on and off") << "--on-air --off-air"
                                    << ""
                                    << "" << 1;
        QTest::newRow("set and cleared") << "--set-countdown :00 --clear-countdown"
                                         << ""
                                         << "" << 1;
        QTest::newRow("running clocks and a new one") << "--on-air --screen 1"
                                                      << ""
                                                      << "" << 1;
        QTest::newRow("timing and a change") << "--timing --clear-countdown"
                                             << ""
                                             << "" << 1;
        QTest::newRow("no target") << "--set-countdown 24:00"
                                   << ""
                                   << "" << 1;
        QTest::newRow("no target from the start") << "--countdown soon"
                                                  << ""
                                                  << "" << 1;
    }

    void theOptionsSayWhatToChange()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, changes);
        QFETCH(QString, countdown);
        QFETCH(int, exitCode);
        const StartOptions options = ReadStartOptions(
            QStringList{QStringLiteral("studio-clock")} + arguments.split(QLatin1Char(' ')));
        QCOMPARE(options.exitCode.value_or(-1), exitCode);
        if (exitCode != -1)
            return;
        QStringList written;
        for (auto change = options.changes.cbegin(); change != options.changes.cend(); ++change)
            written << change.key() + QLatin1Char('=') + change.value().toString();
        QCOMPARE(written.join(QLatin1Char(' ')), changes);
        QCOMPARE(options.countdown ? options.countdown->Text() : QString(), countdown);
    }

    // F9 puts the window on air: the lit LEDs turn red, nothing else changes, and the clock's
    // description, told to a reader, begins with it (EXPECTED_ON_AIR names it in the locale's
    // language); F9 again gives back every pixel.
    void theKeySwitchesOnAirAndBack()
    {
        QApplication::setActiveWindow(form_);
        display::TVrLedClock& clock = *form_->VrLedClock1;
        const QImage off = form_->grab().toImage();
        const HeardAccessibleEvents heard;
        QSignalSpy changed(form_->Studio(), &StudioSignals::OnAirChanged);
        QTest::keyClick(form_->Memo1, Qt::Key_F9);  // also while the notes have the focus
        QVERIFY(clock.OnAir());
        const QImage on = form_->grab().toImage();
        const QRect face(clock.mapTo(form_, QPoint(0, 0)), clock.size());
        QCOMPARE(Blanked(on, face), Blanked(off, face));
        QVERIFY(PixelsOf(on, Qt::red) > PixelsOf(off, Qt::red) + 1000);
        const QString onAir = qEnvironmentVariable("EXPECTED_ON_AIR", QStringLiteral("On air"));
        const QString description
            = QAccessible::queryAccessibleInterface(&clock)->text(QAccessible::Description);
        QCOMPARE(description, onAir + QStringLiteral(". ") + clock.toolTip());
        QVERIFY(heard.Take().contains(QStringLiteral("description ") + description));

        QTest::keyClick(form_->Memo1, Qt::Key_F9);
        QVERIFY(!clock.OnAir());
        QCOMPARE(form_->grab().toImage(), off);
        QCOMPARE(changed.count(), 2);
    }

    // Counting down to 11:00 with the clock not synchronised, at the window's two sizes: the
    // countdown and the warning both on the face, apart, neither over a digit or a dot; white, then
    // red for the last ten seconds; nothing once "0:00" has stood its few seconds.
    void theCountdownSharesTheFaceWithTheWarning()
    {
        display::TVrLedClock& clock = *form_->VrLedClock1;
        ScopedKernelClock kernel(kNotSynchronised);
        SetCountdown(":00");
        for (const QSize size : {form_->size(), QSize(1600, 1100)}) {
            form_->resize(size);
            ShowSecond({QDate(2026, 12, 8), QTime(10, 58, 45)});
            ClockFaceNotice* countdown = CountdownLine(clock);
            QVERIFY(countdown && countdown->isVisible());
            QCOMPARE(countdown->text(), QStringLiteral("\u22121:15"));
            const QRegion laid = Laid(FaceShown(clock), FaceAlone(clock));
            QVERIFY(!laid.intersects(clock.TimeTextRect()));
            for (int second = 0; second < 60; ++second)
                QVERIFY2(!laid.intersects(clock.SecondDotRect(second)), qPrintable(QString::number(second)));
            for (auto* notice : clock.findChildren<ClockFaceNotice*>())
                QVERIFY(notice == countdown
                    || (notice->isVisible() && !notice->geometry().intersects(countdown->geometry())));
            QVERIFY(PixelsOf(FaceShown(clock), StudioSignals::CountingColour()) > 0);

            ShowSecond({QDate(2026, 12, 8), QTime(10, 59, 55)});
            QCOMPARE(countdown->text(), QStringLiteral("\u22120:05"));
            QCOMPARE(PixelsOf(FaceShown(clock), StudioSignals::CountingColour()), 0);
            QVERIFY(PixelsOf(FaceShown(clock), StudioSignals::ClosingColour()) > 0);
            ShowSecond({QDate(2026, 12, 8), QTime(11, 0, 5)});
            QVERIFY(!countdown->isVisible());
        }
        SetCountdown("");
    }

    // Second by second through the last minute, a reader hears the countdown at 60, 30 and 10 s
    // and at the target, and at no other second.
    void aReaderHearsTheCountdownAtTheThresholdsOnly()
    {
        SetCountdown("11:00");
        ShowSecond({QDate(2026, 12, 8), QTime(10, 58, 50)});
        const HeardAccessibleEvents heard;
        QStringList names;
        for (QDateTime at(QDate(2026, 12, 8), QTime(10, 58, 51)); at.time() <= QTime(11, 0, 8);
             at = at.addSecs(1)) {
            ShowSecond(at);
            for (const QString& told : heard.Take())
                if (told.startsWith(QStringLiteral("name ")) && told.contains(QStringLiteral("11:00")))
                    names << told;
        }
        QCOMPARE(names,
            QStringList({QStringLiteral("name 1 minute to 11:00"), QStringLiteral("name 30 seconds to 11:00"),
                QStringLiteral("name 10 seconds to 11:00"), QStringLiteral("name 11:00, now")}));
    }
};

STUDIO_CLOCK_TEST_MAIN(StudioSignalsTest)
#include "test_studio_signals.moc"
