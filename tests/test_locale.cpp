#include "framework/LocaleId.h"
#include "tests/TestMain.h"

using namespace framework;

class LocaleTest : public QObject {
    Q_OBJECT
private slots:
    void identifiersOfLocales_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("id");
        QTest::newRow("Portuguese (Brazil)") << "pt_BR" << 1046u;
        QTest::newRow("Portuguese (Portugal)") << "pt_PT" << 2070u;
        QTest::newRow("Portuguese elsewhere: the language default") << "pt_AO" << 1046u;
        QTest::newRow("English (United States)") << "en_US" << 1033u;
        QTest::newRow("English (United Kingdom)") << "en_GB" << 2057u;
        QTest::newRow("German") << "de_DE" << 1031u;
        QTest::newRow("Spanish (Spain)") << "es_ES" << 3082u;
        QTest::newRow("French in Luxembourg: the language default") << "fr_LU" << 1036u;
        QTest::newRow("C") << "C" << 1033u;
        QTest::newRow("a language without an identifier") << "sw_KE" << 1033u;
    }

    void identifiersOfLocales()
    {
        QFETCH(QString, name);
        QFETCH(uint, id);
        QCOMPARE(LocaleIdentifierOf(QLocale(name)), id);
    }

    // The test is registered several times with different system locales; each says what the
    // capture must find.
    void theSystemLocaleIsCapturedOnce()
    {
        CaptureThreadLocale();
        const LocaleIdentifier first = ThreadLocale();
        bool ok = false;
        const uint expected = qEnvironmentVariable("EXPECTED_LOCALE_ID").toUInt(&ok);
        if (ok)
            QCOMPARE(first, expected);
        QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
        CaptureThreadLocale();
        QCOMPARE(ThreadLocale(), first);
        QCOMPARE(LocaleIdentifierOf(ThreadQLocale()), first);
    }
};

STUDIO_CLOCK_TEST_MAIN(LocaleTest)
#include "test_locale.moc"
