// What an operator's countdown target names, when it next falls and what the face shows of it, in
// Lisbon's time (the test runs under TZ=Europe/Lisbon), across hours, midnight and both changes
// of summer time.
#include "app/CountdownReading.h"
#include "app/CountdownTarget.h"
#include "tests/TestMain.h"

namespace {

QDateTime Utc(int month, int day, int hour, int minute, int second = 0)
{
    return {QDate(2026, month, day), QTime(hour, minute, second), Qt::UTC};
}

}  // namespace

class CountdownTargetTest : public QObject {
    Q_OBJECT
private slots:
    void whatIsWrittenNamesATargetOrSaysWhyNot_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");  // empty: refused
        QTest::newRow("the full hour") << ":00"
                                       << ":00";
        QTest::newRow("a minute mark") << " :30 "
                                       << ":30";
        QTest::newRow("a second mark") << ":59:50"
                                       << ":59:50";
        QTest::newRow("a time of day") << "7:05"
                                       << "07:05";
        QTest::newRow("to the second") << "17:00:30"
                                       << "17:00:30";
        for (const char* bad :
            {"", "17", "abc", ":5", "1:2", "24:00", ":60", ":59:60", "12:00:00:00", "-1:00"})
            QTest::addRow("refused: \"%s\"", bad) << bad << QString();
    }

    void whatIsWrittenNamesATargetOrSaysWhyNot()
    {
        QFETCH(QString, text);
        QFETCH(QString, named);
        QString why;
        const std::optional<CountdownTarget> target = CountdownTarget::Parse(text, &why);
        QCOMPARE(target ? target->Text() : QString(), named);
        QCOMPARE(why.isEmpty(), !named.isEmpty());
        if (!target)
            QVERIFY2(why.contains(QLatin1Char('"') + text + QLatin1Char('"')), qPrintable(why));
    }

    void theNextTargetFollowsTheWallClock_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("next");
        // December: Lisbon is on UTC.
        QTest::newRow("five seconds before the hour")
            << ":00" << Utc(12, 10, 10, 59, 55) << Utc(12, 10, 11, 0);
        QTest::newRow("at the hour itself") << ":00" << Utc(12, 10, 11, 0) << Utc(12, 10, 11, 0);
        QTest::newRow("a mark passed this hour") << ":30" << Utc(12, 10, 10, 45) << Utc(12, 10, 11, 30);
        QTest::newRow("across midnight and the year")
            << ":59:50" << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 55), Qt::UTC)
            << QDateTime(QDate(2027, 1, 1), QTime(0, 59, 50), Qt::UTC);
        QTest::newRow("a time of day still to come") << "17:00" << Utc(12, 10, 16, 50) << Utc(12, 10, 17, 0);
        QTest::newRow("a time of day just passed") << "17:00" << Utc(12, 10, 17, 0, 1) << Utc(12, 11, 17, 0);
        QTest::newRow("midnight") << "00:00" << Utc(12, 10, 23, 59, 50) << Utc(12, 11, 0, 0);
        // 29 March: at 01:00 UTC the clock jumps from 01:00 to 02:00; it never reads 01:30.
        QTest::newRow("spring: the skipped hour's mark") << ":30" << Utc(3, 29, 0, 50) << Utc(3, 29, 1, 30);
        QTest::newRow("spring: a skipped time of day") << "01:30" << Utc(3, 29, 0, 10) << Utc(3, 29, 1, 0);
        QTest::newRow("spring: the hour after") << ":00" << Utc(3, 29, 0, 59) << Utc(3, 29, 1, 0);
        // 25 October: at 01:00 UTC the clock goes back from 02:00 to 01:00; the full hour it then
        // reads comes at once, and a repeated time of day counts from its first passing.
        QTest::newRow("autumn: the hour the clock goes back to")
            << ":00" << Utc(10, 25, 0, 50) << Utc(10, 25, 1, 0);
        QTest::newRow("autumn: the repeated hour's mark, again")
            << ":30" << Utc(10, 25, 0, 45) << Utc(10, 25, 1, 30);
        QTest::newRow("autumn: a repeated time of day") << "01:30" << Utc(10, 25, 0, 0) << Utc(10, 25, 0, 30);
    }

    void theNextTargetFollowsTheWallClock()
    {
        QFETCH(QString, target);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, next);
        QString why;
        const std::optional<CountdownTarget> parsed = CountdownTarget::Parse(target, &why);
        QVERIFY2(parsed, qPrintable(why));
        QCOMPARE(parsed->NextFrom(from.toLocalTime()).toUTC(), next);
    }

    void theFaceShowsTheTimeLeftNearTheTarget_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<QString>("shown");  // empty: nothing
        QTest::addColumn<bool>("closing");
        QTest::newRow("before the ten minutes") << ":00" << Utc(12, 10, 10, 49, 59) << "" << false;
        QTest::newRow("their first second") << ":00" << Utc(12, 10, 10, 50) << "\u221210:00" << false;
        QTest::newRow("inside them") << ":00" << Utc(12, 10, 10, 58, 45) << "\u22121:15" << false;
        QTest::newRow("eleven seconds left") << ":00" << Utc(12, 10, 10, 59, 49) << "\u22120:11" << false;
        QTest::newRow("the last ten, red") << ":00" << Utc(12, 10, 10, 59, 50) << "\u22120:10" << true;
        QTest::newRow("one second left") << ":00" << Utc(12, 10, 10, 59, 59) << "\u22120:01" << true;
        QTest::newRow("at the target") << ":00" << Utc(12, 10, 11, 0) << "0:00" << true;
        QTest::newRow("zero stays") << ":00" << Utc(12, 10, 11, 0, 4) << "0:00" << true;
        QTest::newRow("then waits for the next") << ":00" << Utc(12, 10, 11, 0, 5) << "" << false;
        QTest::newRow("across midnight") << "00:00" << Utc(12, 10, 23, 59, 30) << "\u22120:30" << false;
        QTest::newRow("past midnight, zero") << "00:00" << Utc(12, 11, 0, 0, 2) << "0:00" << true;
        // 29 March, 00:55 UTC: 00:55 in Lisbon, and the hour after it is 02:00, reached at 01:00 UTC.
        QTest::newRow("spring: to the hour the clock jumps to")
            << ":00" << Utc(3, 29, 0, 55) << "\u22125:00" << false;
        // 25 October, 00:55 UTC: 01:55 summer time; the clock reads 01:00 again five minutes on.
        QTest::newRow("autumn: to the hour the clock goes back to")
            << ":00" << Utc(10, 25, 0, 55) << "\u22125:00" << false;
    }

    void theFaceShowsTheTimeLeftNearTheTarget()
    {
        QFETCH(QString, target);
        QFETCH(QDateTime, at);
        QFETCH(QString, shown);
        QFETCH(bool, closing);
        QString why;
        const CountdownReading reading
            = ReadCountdown(*CountdownTarget::Parse(target, &why), at.toLocalTime());
        QCOMPARE(reading.shown, !shown.isEmpty());
        QCOMPARE(reading.text, shown);
        QCOMPARE(reading.closing, closing);
    }

    // Counted second by second, a reader is told at 60, 30 and 10 s left and at the target, once
    // each; set in the middle of the last minute, at once, once.
    void aReaderIsToldAtTheThresholdsOnly()
    {
        QString why;
        const CountdownTarget target = *CountdownTarget::Parse(QStringLiteral("17:00"), &why);
        for (const int startLeft : {600, 45}) {
            QStringList told;
            std::optional<qint64> before;
            for (QDateTime at = Utc(12, 10, 17, 0).addSecs(-startLeft); at <= Utc(12, 10, 17, 0, 10);
                 at = at.addSecs(1)) {
                const CountdownReading reading = ReadCountdown(target, at.toLocalTime());
                if (PassesSpokenMoment(before, reading))
                    told << SpokenCountdown(reading, false);
                before = reading.shown ? std::optional<qint64>(reading.secondsLeft) : std::nullopt;
            }
            const QStringList thresholds{QStringLiteral("1 minute to 17:00"),
                QStringLiteral("30 seconds to 17:00"), QStringLiteral("10 seconds to 17:00"),
                QStringLiteral("17:00, now")};
            QCOMPARE(told,
                startLeft == 45 ? QStringList{QStringLiteral("45 seconds to 17:00")} + thresholds.mid(1)
                                : thresholds);
        }
        const CountdownReading late = ReadCountdown(target, Utc(12, 10, 16, 58, 30).toLocalTime());
        QCOMPARE(SpokenCountdown(late, true), QStringLiteral("1 minuto e 30 segundos para as 17:00"));
    }
};

STUDIO_CLOCK_TEST_MAIN(CountdownTargetTest)
#include "test_countdown_target.moc"
