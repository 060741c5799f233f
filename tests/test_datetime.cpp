#include "framework/DateTime.h"
#include "framework/Exceptions.h"
#include "framework/TimeSource.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

using namespace framework;

class DateTimeTest : public QObject {
    Q_OBJECT
private slots:
    void theEpochAndTheStoredLayoutDate()
    {
        QCOMPARE(EncodeDate(1899, 12, 30), 0.0);
        QCOMPARE(EncodeDate(1900, 1, 1), 2.0);
        const TDateTime stored = 38687.656074942126;
        QCOMPARE(ToQDate(stored), QDate(2005, 12, 1));
        const DecodedTime t = DecodeTime(stored);
        QCOMPARE(t.Hour, 15);
        QCOMPARE(t.Minute, 44);
        QCOMPARE(t.Second, 44);
    }

    void roundTripsThroughQDateTime_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::newRow("start of a day") << QDateTime(QDate(2026, 12, 8), QTime(0, 0));
        QTest::newRow("last millisecond") << QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 999));
        QTest::newRow("leap day") << QDateTime(QDate(2024, 2, 29), QTime(12, 0, 0, 1));
        QTest::newRow("before the epoch") << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
        QTest::newRow("long before") << QDateTime(QDate(1800, 3, 1), QTime(18, 30, 15, 250));
        QTest::newRow("far ahead") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59));
    }

    void roundTripsThroughQDateTime()
    {
        QFETCH(QDateTime, moment);
        QCOMPARE(ToQDateTime(FromQDateTime(moment)), moment);
    }

    void daysBeforeTheEpochCountBackwardsWithAForwardTime()
    {
        QCOMPARE(FromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
        QCOMPARE(ToQDate(-1.25), QDate(1899, 12, 29));
        QCOMPARE(DecodeTime(-1.25).Hour, 6);
        QCOMPARE(DateOf(-1.25), -1);
        QCOMPARE(DateOf(46364.99), 46364);
    }

    void aHairBeforeMidnightCarriesIntoTheNextDay()
    {
        const TDateTime almost = EncodeDate(2026, 12, 8) + 0.9999999999;
        QCOMPARE(ToQDateTime(almost), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
        const DecodedTime t = DecodeTime(almost);
        QCOMPARE(t.Hour, 0);
        QCOMPARE(t.MSec, 0);
    }

    void invalidFieldsAreRejected()
    {
        QVERIFY_THROWS_EXCEPTION(Exception, EncodeDate(2026, 2, 30));
        QVERIFY_THROWS_EXCEPTION(Exception, EncodeTime(24, 0, 0, 0));
        QVERIFY_THROWS_EXCEPTION(Exception, EncodeTime(0, 60, 0, 0));
        QVERIFY_THROWS_EXCEPTION(Exception, ToQDate(1e300));
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, DecodeTime(std::numeric_limits<double>::quiet_NaN()));
        QCOMPARE(EncodeTime(12, 0, 0, 0), 0.5);
    }

    void theTimeSourceCanBeReplacedAndRestored()
    {
        auto manual
            = std::make_shared<ManualTimeSource>(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 500)));
        auto previous = SetTimeSource(manual);
        QCOMPARE(LocalNow(), QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59, 500)));
        QCOMPARE(Date(), EncodeDate(2026, 12, 8));
        manual->AdvanceMSecs(500);
        QCOMPARE(Date(), EncodeDate(2026, 12, 9));
        QCOMPARE(Now(), EncodeDate(2026, 12, 9));
        SetTimeSource(nullptr);
        QVERIFY(qAbs(LocalNow().secsTo(QDateTime::currentDateTime())) < 5);
        const ScopedTimeZone kiritimati("Pacific/Kiritimati");
        QCOMPARE(LocalNow().offsetFromUtc(), 14 * 3600);  // the system clock read as local time
        SetTimeSource(previous);
    }
};

STUDIO_CLOCK_TEST_MAIN(DateTimeTest)
#include "test_datetime.moc"
