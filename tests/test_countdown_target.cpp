// What an operator's countdown target names, and when it next falls, in Lisbon's time (the test
// runs under TZ=Europe/Lisbon), across hours, midnight and both changes of summer time.
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
};

STUDIO_CLOCK_TEST_MAIN(CountdownTargetTest)
#include "test_countdown_target.moc"
