#include "app/DateLine.h"
#include "display/VrLabel.h"
#include "framework/DateFormat.h"
#include "framework/LocaleId.h"
#include "tests/ShownMainWindow.h"
#include "tests/TestMain.h"

class DateLineTest : public QObject {
    Q_OBJECT
private slots:
    void wordingByLocale_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<uint>("id");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("line");
        QTest::newRow("Brazil, accented weekday") << QDate(2026, 12, 8) << 1046u << "pt_BR"
                                                  << "TERÇA-FEIRA, 8  DE  DEZEMBRO  DE  2026";
        QTest::newRow("Portugal, accented weekday and month") << QDate(2026, 3, 7) << 2070u << "pt_PT"
                                                              << "SÁBADO, 7  DE  MARÇO  DE  2026";
        QTest::newRow("English") << QDate(2026, 12, 8) << 1033u << "en_US"
                                 << "TUESDAY DECEMBER 8 , 2026";
        QTest::newRow("C") << QDate(2027, 1, 1) << 1033u << "C"
                           << "FRIDAY JANUARY 1 , 2027";
        QTest::newRow("German: English order, German names") << QDate(2026, 3, 3) << 1031u << "de_DE"
                                                             << "DIENSTAG MÄRZ 3 , 2026";
        QTest::newRow("Polish: the month stands alone") << QDate(2026, 12, 8) << 1045u << "pl_PL"
                                                        << "WTOREK GRUDZIEŃ 8 , 2026";
        QTest::newRow("Russian: the month stands alone") << QDate(2026, 12, 8) << 1049u << "ru_RU"
                                                         << "ВТОРНИК ДЕКАБРЬ 8 , 2026";
    }

    void wordingByLocale()
    {
        QFETCH(QDate, date);
        QFETCH(uint, id);
        QFETCH(QString, locale);
        QFETCH(QString, line);
        QCOMPARE(DateLineText(date, id, QLocale(locale)), line);
    }

    void patternTokens()
    {
        const QLocale english("en_US");
        const QDate date(2026, 2, 5);
        QCOMPARE(framework::FormatDate("d/dd/ddd", date, english), QString("5/05/Thu"));
        QCOMPARE(framework::FormatDate("m/mm/mmm/mmmm", date, english), QString("2/02/Feb/February"));
        QCOMPARE(framework::FormatDate("yy yyyy", date, english), QString("26 2026"));
        QCOMPARE(framework::FormatDate("'d' \"mm\" x", date, english), QString("d mm x"));
        QCOMPARE(framework::FormatDate("\"unclosed", date, english), QString("unclosed"));
        // A month name after a day number takes the form that belongs there; elsewhere it stands alone.
        QCOMPARE(framework::FormatDate(
                     "d mmmm, dd mmmm, d 'de' mmmm; mmmm d; dddd mmmm yyyy", date, QLocale("pl_PL")),
            QString("5 lutego, 05 lutego, 5 de lutego; luty 5; czwartek luty 2026"));
    }

    // Registered under several locale settings, each with the locale of dates it must find and the
    // line the main window must show on 8 December 2026.
    void theLocaleOfDatesWordsTheWholeLine()
    {
        const QString line = qEnvironmentVariable("EXPECTED_DATE_LINE");
        if (line.isEmpty())
            QSKIP("runs only under the locale settings its registrations choose");
        const QString locale = qEnvironmentVariable("EXPECTED_TIME_LOCALE");
        QVERIFY2(framework::ThreadQLocale().name() == locale,
            qPrintable(QStringLiteral("the locale of dates is %1, not %2 (`locale -a` lists those installed)")
                           .arg(framework::ThreadQLocale().name(), locale)));
        const ShownMainWindow window;
        QCOMPARE(window.form->VrLabel1->Caption(), line);
    }
};

STUDIO_CLOCK_TEST_MAIN(DateLineTest)
#include "test_dateline.moc"
