// How far the running program trusts the system clock, what it measures of its own timing, and
// how both are reached on the session bus: the real program, its time services stood in for on a
// private system bus, read over a private session bus.
#include "app/ClockBusObject.h"
#include "app/RunningClocks.h"
#include "tests/TestMain.h"
#include "tests/e2e/ClockProcess.h"
#include "tests/e2e/SessionBus.h"
#include "tests/e2e/WarningPixels.h"

#include <QDateTime>
#include <memory>

class TrustEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    // timesyncd's last answer two hours old puts the line on the face as soon as the clock has
    // asked, with the kernel still content; a recent one leaves the face clean. Either way the
    // description names the server.
    void theTimeServicesLastAnswerDecidesAtOnce_data()
    {
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("description");
        QTest::newRow("two hours old") << 7200 << "holdover"
                                       << "No correction since 08:30 (2 h); maximum error 1.0 ms; last from "
                                          "ntp1.example (stratum 2)";
        QTest::newRow("a minute old")
            << 60 << "synchronised"
            << "Synchronised to ntp1.example (stratum 2) 1 min ago; offset +0.2 ms; "
               "maximum error 1.0 ms";
    }

    void theTimeServicesLastAnswerDecidesAtOnce()
    {
        QFETCH(int, ageSeconds);
        QFETCH(QString, state);
        QFETCH(QString, description);
        PrivateBus system(PrivateBus::Kind::System);
        QVERIFY2(system.Start(), qPrintable(system.Error()));
        QVERIFY2(system.StartService({QStringLiteral(STUDIO_CLOCK_TIME_SERVICE_STAND_IN),
                     system.FilePath(QStringLiteral("calls")), QStringLiteral("--answered-at"),
                     QString::number(QDateTime(QDate(2026, 12, 10), QTime(10, 30), Qt::UTC).toSecsSinceEpoch()
                         - ageSeconds),
                     QStringLiteral("--poll"), QStringLiteral("1024")}),
            qPrintable(system.Error()));
        SessionBus session;
        QVERIFY2(session.Start(), qPrintable(session.Bus().Error()));
        ClockProcess clock(QStringLiteral("@2026-12-10 10:30:00"));
        clock.setEnvironmentVariable(system.AddressVariable(), system.Address());
        clock.setEnvironmentVariable(session.Bus().AddressVariable(), session.Bus().Address());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(session.Property("TrustState").toString(), state, 10000);
        QCOMPARE(session.Property("TrustDescription").toString(), description);
        QCOMPARE(session.Property("TimeServer").toString(), QStringLiteral("ntp1.example"));
        QTRY_COMPARE_WITH_TIMEOUT(WarningPixels(clock.Grab()) > 0, state == QStringLiteral("holdover"), 5000);
        if (state == QStringLiteral("holdover"))
            QCOMPARE(session.Property("TrustLine").toString(), QStringLiteral("NO TIME SIGNAL SINCE 08:30"));
    }

    // With no service at all, the kernel's bound, growing 500 us a second since a correction 59 min
    // 40 s ago, brings the line once it tells of more than an hour.
    void theKernelsGrowingBoundBringsHoldoverAfterTheHour()
    {
        SessionBus session;
        QVERIFY2(session.Start(), qPrintable(session.Bus().Error()));
        ClockProcess clock{QString()};
        const qint64 corrected = QDateTime::currentSecsSinceEpoch() - 3580;
        clock.SetKernelClock(QStringLiteral("0 1 0 300 %1").arg(corrected));
        clock.setEnvironmentVariable(session.Bus().AddressVariable(), session.Bus().Address());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(
            session.Property("TrustState").toString(), QStringLiteral("synchronised"), 10000);
        QCOMPARE(WarningPixels(clock.Grab()), 0);
        QTRY_COMPARE_WITH_TIMEOUT(
            session.Property("TrustState").toString(), QStringLiteral("holdover"), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(WarningPixels(clock.Grab()) > 0, 5000);
        const QString since
            = QDateTime::fromSecsSinceEpoch(corrected, Qt::UTC).toString(QStringLiteral("HH:mm"));
        QCOMPARE(session.Property("TrustLine").toString(), QStringLiteral("NO TIME SIGNAL SINCE ") + since);
    }

    // --timing reads every running clock's own figures once a minute has passed, and says when it
    // reaches none: none on the bus, or no bus at all.
    void timingIsReadFromEveryRunningClock()
    {
        SessionBus session;
        QVERIFY2(session.Start(), qPrintable(session.Bus().Error()));
        const Answer none = RunOption({QStringLiteral("--timing")}, session.Bus().Address());
        QCOMPARE(none.exitCode, 1);
        QCOMPARE(none.errors, QStringLiteral("studio-clock: no clock is running on this session bus\n"));
        const Answer noBus
            = RunOption({QStringLiteral("--timing")}, QStringLiteral("unix:path=/nonexistent"));
        QCOMPARE(noBus.exitCode, 1);
        QCOMPARE(noBus.errors, QStringLiteral("studio-clock: no clock to reach: there is no session bus\n"));

        // A minute ends three seconds after they start.
        std::vector<std::unique_ptr<ClockProcess>> clocks;
        for (int i = 0; i < 2; ++i) {
            clocks.push_back(std::make_unique<ClockProcess>(QStringLiteral("@2026-12-10 10:29:57")));
            clocks.back()->setEnvironmentVariable(session.Bus().AddressVariable(), session.Bus().Address());
            QVERIFY2(clocks.back()->Start(), qPrintable(clocks.back()->Error()));
        }
        Answer timing;
        QTRY_VERIFY_WITH_TIMEOUT((timing = RunOption({QStringLiteral("--timing")}, session.Bus().Address()),
                                     timing.output.count(QStringLiteral("last minute: median")) == 2),
            20000);
        QCOMPARE(timing.exitCode, 0);
        for (const auto& clock : clocks)
            QVERIFY2(timing.output.contains(QStringLiteral("Clock %1 ").arg(clock->ProcessId())),
                qPrintable(timing.output));
    }
};

STUDIO_CLOCK_TEST_MAIN(TrustEndToEndTest)
#include "test_e2e_trust.moc"
