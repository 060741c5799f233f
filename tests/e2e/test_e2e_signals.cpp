// The studio's signals on the real program: on air and the countdown, set from the command line
// and over a private session bus, seen in the window's pixels.
#include "app/ClockBusObject.h"
#include "app/StudioSignals.h"
#include "tests/TestMain.h"
#include "tests/e2e/ClockProcess.h"
#include "tests/e2e/SessionBus.h"
#include "tests/e2e/WarningPixels.h"

#include <memory>
#include <vector>

namespace {

// The clock's face left of the calendar, which lies over its corner.
const QRect kFace(kClock.topLeft(), QSize(570, kClock.height()));

int FacePixelsOf(const QImage& window, const QColor& colour)
{
    return PixelsOf(window, colour, kFace);
}

// The window's LEDs are lime; on air, red.
int LitLime(const ClockProcess& clock)
{
    return FacePixelsOf(clock.Grab(), Qt::green);
}

int LitRed(const ClockProcess& clock)
{
    return FacePixelsOf(clock.Grab(), Qt::red);
}

}  // namespace

class SignalsEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    // --on-air and --off-air reach both running clocks and turn the lit LEDs red and back; a
    // clock that cannot take it is named on a line of its own, the others still take it; with no
    // clock running, one line and exit 1.
    void theCommandLineReachesEveryClock()
    {
        SessionBus session;
        QVERIFY2(session.Start(), qPrintable(session.Bus().Error()));
        const QString address = session.Bus().Address();
        const Answer none = RunOption({QStringLiteral("--on-air")}, address);
        QCOMPARE(none.exitCode, 1);
        QCOMPARE(none.errors, QStringLiteral("studio-clock: no clock is running on this session bus\n"));

        std::vector<std::unique_ptr<ClockProcess>> clocks;
        for (int i = 0; i < 2; ++i) {
            clocks.push_back(std::make_unique<ClockProcess>(QStringLiteral("@2026-12-10 10:29:57")));
            clocks.back()->setEnvironmentVariable(session.Bus().AddressVariable(), address);
            QVERIFY2(clocks.back()->Start(), qPrintable(clocks.back()->Error()));
        }
        QTRY_COMPARE_WITH_TIMEOUT(session.Clocks().Names().size(), 2, 10000);
        const ClockProcess& shown = *clocks.back();  // the window on top
        QTRY_VERIFY_WITH_TIMEOUT(LitLime(shown) > 500, 5000);
        QCOMPARE(LitRed(shown), 0);

        const Answer onAir = RunOption({QStringLiteral("--on-air")}, address);
        QCOMPARE(onAir.exitCode, 0);
        QCOMPARE(onAir.errors, QString());
        for (const QString& name : session.Clocks().Names()) {
            QString error;
            QCOMPARE(
                session.Clocks().Properties(name, &error)->value(QStringLiteral("OnAir")).toBool(), true);
        }
        QTRY_VERIFY_WITH_TIMEOUT(LitRed(shown) > 500, 5000);
        QCOMPARE(LitLime(shown), 0);

        // A name of the clocks' kind that holds no clock: it refuses, the clocks still go off air.
        QVERIFY(session.Connection().registerService(ClockBusObject::ServicePrefix() + QStringLiteral("1")));
        const Answer offAir = RunOption({QStringLiteral("--off-air")}, address);
        QCOMPARE(offAir.exitCode, 2);
        QCOMPARE(offAir.errors.count(QLatin1Char('\n')), 1);
        QVERIFY2(offAir.errors.startsWith(QStringLiteral("studio-clock: clock 1 refused OnAir: ")),
            qPrintable(offAir.errors));
        QTRY_VERIFY_WITH_TIMEOUT(LitLime(shown) > 500, 5000);
        QCOMPARE(LitRed(shown), 0);
    }

    // Over the bus: a target is taken and read back as written; one that does not parse, or a
    // value of the wrong type, is refused with the reason, and the clock is unchanged.
    void theBusRefusesWhatItCannotTake()
    {
        SessionBus session;
        QVERIFY2(session.Start(), qPrintable(session.Bus().Error()));
        ClockProcess clock(QStringLiteral("@2026-12-10 10:29:57"));
        clock.setEnvironmentVariable(session.Bus().AddressVariable(), session.Bus().Address());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(session.Clocks().Names().size(), 1, 10000);
        const QString name = session.Clocks().Names().constFirst();
        QString error;
        QVERIFY2(session.Clocks().Set(name, QStringLiteral("Countdown"), QStringLiteral(" :30"), &error),
            qPrintable(error));
        QCOMPARE(session.Property("Countdown").toString(), QStringLiteral(":30"));
        QVERIFY(
            !session.Clocks().Set(name, QStringLiteral("Countdown"), QStringLiteral("half past"), &error));
        QCOMPARE(error,
            QStringLiteral("\"half past\" names no countdown target: write :MM or :MM:SS for a mark of every "
                           "hour (\":00\" is the full hour), or HH:MM or HH:MM:SS for a time of day"));
        QVERIFY(!session.Clocks().Set(name, QStringLiteral("OnAir"), QStringLiteral("yes"), &error));
        QCOMPARE(error, QStringLiteral("OnAir takes a value of type 'b', not 's'"));
        QVERIFY(
            !session.Clocks().Set(name, QStringLiteral("TrustState"), QStringLiteral("holdover"), &error));
        QCOMPARE(error, QStringLiteral("TrustState is read-only"));
        QCOMPARE(session.Property("Countdown").toString(), QStringLiteral(":30"));
        QCOMPARE(session.Property("OnAir").toBool(), false);
    }

    // Started with --countdown :00 at a time standing 5 s before the hour, the face shows the
    // last seconds in red.
    void theCountdownShowsTheLastSecondsInRed()
    {
        ClockProcess clock(QStringLiteral("2026-12-10 10:59:55"));
        QVERIFY2(
            clock.Start({QStringLiteral("--countdown"), QStringLiteral(":00")}), qPrintable(clock.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(FacePixelsOf(clock.Grab(), StudioSignals::ClosingColour()) > 100, 5000);
        QCOMPARE(FacePixelsOf(clock.Grab(), StudioSignals::CountingColour()), 0);
    }
};

STUDIO_CLOCK_TEST_MAIN(SignalsEndToEndTest)
#include "test_e2e_signals.moc"
