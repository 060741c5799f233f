// Forms made in Qt Designer, read at run time by the components' own loader.
#include "display/VrLabel.h"
#include "display/vrLedClock.h"
#include "forms/FormLoader.h"
#include "framework/Exceptions.h"
#include "resizer/NoBDERP.h"
#include "tests/TestMain.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QSignalSpy>

using namespace display;

namespace {

// An LED clock named "component", with `properties` written in order (name, value as written).
QString Clock(std::initializer_list<std::pair<const char*, const char*>> properties)
{
    QString widget = QStringLiteral(R"(<widget class="display::TVrLedClock" name="component">)");
    for (const auto& [name, value] : properties)
        widget += QStringLiteral(R"(<property name="%1">%2</property>)")
                      .arg(QLatin1String(name), QLatin1String(value));
    return widget + QStringLiteral("</widget>");
}

// Loads a form of `widgets` and a label after them, on its own and under a parent, and expects the
// load to fail with `message` and to leave no half-built form under the parent or among the
// top-level widgets.
void ExpectRefused(const QString& widgets, const QString& message)
{
    const QByteArray form = QStringLiteral(R"(<ui version="4.0"><widget class="QWidget" name="form">%1
        <widget class="QLabel" name="after"/></widget></ui>)")
                                .arg(widgets)
                                .toUtf8();
    QWidget parent;
    for (QWidget* into : {static_cast<QWidget*>(nullptr), &parent}) {
        const QObjectList children = parent.findChildren<QObject*>();
        const QWidgetList topLevel = QApplication::topLevelWidgets();
        QBuffer buffer;
        buffer.setData(form);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        try {
            forms::LoadForm(buffer, into);
            QFAIL("a refused value was loaded");
        } catch (const framework::EReadError& error) {
            QCOMPARE(error.Message(), QStringLiteral("The form cannot be read: ") + message);
        }
        QCOMPARE(parent.findChildren<QObject*>(), children);
        QCOMPARE(QApplication::topLevelWidgets(), topLevel);
    }
}

}  // namespace

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void aFormWithTheThreeComponentsLoadsWithItsValuesRunsAndScales()
    {
        QFile file(QStringLiteral(STUDIO_CLOCK_EXAMPLE_FORM));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::unique_ptr<QWidget> form(forms::LoadForm(file));

        auto* panel = form->findChild<resizer::TNoBDEResizerPanel*>(QStringLiteral("resizerPanel"));
        auto* clock = form->findChild<TVrLedClock*>(QStringLiteral("ledClock"));
        auto* caption = form->findChild<TVrLabel*>(QStringLiteral("caption"));
        QVERIFY(panel && clock && caption);
        QCOMPARE(clock->HoursColor(), framework::clLime);
        QCOMPARE(clock->TickColor(), framework::clBlue);
        QCOMPARE(clock->SecWidth(), 3);
        QCOMPARE(caption->Caption(), QStringLiteral("ON AIR"));
        QCOMPARE(caption->FontColor(), framework::clRed);
        QCOMPARE(caption->FontHeight(), -36);
        for (framework::Component* component :
            std::initializer_list<framework::Component*>{panel, clock, caption})
            QVERIFY(!component->IsLoading() && !component->IsDesigning());

        // The panel's Loaded ran after its children were read, so it keeps them in proportion.
        form->show();
        form->resize(960, 640);
        QTRY_COMPARE(clock->geometry(), QRect(0, 0, 960, 520));
        QSignalSpy seconds(clock, &TVrLedClock::OnSecondsChanged);
        QVERIFY(seconds.wait(2500));
    }

    // A value a component refuses fails the whole load with a read error that says which widget,
    // property and value, and the values allowed; no half-built form is left under the parent or
    // among the top-level widgets.
    void aRefusedValueFailsTheLoadWithTheReasonAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        const QString clock = QStringLiteral("display::TVrLedClock");
        const QString label = QStringLiteral("display::TVrLabel");
        const struct {
            const QString& widget;
            const char* property;
            const char* written;
            const char* message;
        } rows[] = {
            {clock, "Hours", "<number>-1</number>",
                "Hours cannot be -1 (Range check error; allowed: 0 to 23)"},
            {clock, "Hours", "<number>24</number>",
                "Hours cannot be 24 (Range check error; allowed: 0 to 23)"},
            {clock, "Minutes", "<number>-1</number>",
                "Minutes cannot be -1 (Range check error; allowed: 0 to 59)"},
            {clock, "HourFormat", "<number>7</number>",
                "HourFormat cannot be 7 (Range check error; allowed: hfmt24h (0), hfmt12h (1))"},
            {clock, "HourFormat", "<enum>hfmt36h</enum>",
                "HourFormat cannot be hfmt36h (Range check error; allowed: hfmt24h (0), hfmt12h (1))"},
            {label, "Alignment", "<number>99</number>",
                "Alignment cannot be 99 (Range check error; allowed: taLeftJustify (0), taRightJustify (1), "
                "taCenter (2))"},
            {label, "Angle", "<number>400</number>",
                "Angle cannot be 400 (Range check error; allowed: 0 to 359)"},
            {label, "FontHeight", "<number>40000</number>",
                "FontHeight cannot be 40000 (Range check error; allowed: -32767 to 32767)"},
            {label, "FontHeight", "<number>-40000</number>",
                "FontHeight cannot be -40000 (Range check error; allowed: -32767 to 32767)"},
            {label, "FontHeight", "<number>-2147483648</number>",
                "FontHeight cannot be -2147483648 (Range check error; allowed: -32767 to 32767)"},
        };
        for (const auto& row : rows)
            QTest::addRow("%s %s", row.property, row.written)
                << row.widget << row.property << row.written << QString::fromLatin1(row.message);
    }

    void aRefusedValueFailsTheLoadWithTheReasonAndLeavesNothing()
    {
        QFETCH(QString, widget);
        QFETCH(QString, property);
        QFETCH(QString, written);
        QFETCH(QString, message);
        ExpectRefused(QStringLiteral(R"(<widget class="%1" name="component"><property name="%2">%3</property>
            </widget>)")
                          .arg(widget, property, written),
            QStringLiteral("component: ") + message);
    }

    // The value named is the one refused, also where a property is written twice or two widgets
    // share a name.
    void theValueRefusedIsNamedAmongOthersWritten_data()
    {
        QTest::addColumn<QString>("widgets");
        QTest::addColumn<QString>("message");
        const QString hours
            = QStringLiteral("component: Hours cannot be 24 (Range check error; allowed: 0 to 23)");
        const QString hourFormat = QStringLiteral(
            "component: HourFormat cannot be hfmt36h (Range check error; allowed: hfmt24h (0), hfmt12h (1))");
        QTest::newRow("written twice")
            << Clock({{"Hours", "<number>24</number>"}, {"Hours", "<number>5</number>"}}) << hours;
        QTest::newRow("two widgets of one name")
            << Clock({{"Hours", "<number>24</number>"}}) + Clock({{"Hours", "<number>5</number>"}}) << hours;
        QTest::newRow("a name it lacks, then one it has")
            << Clock({{"HourFormat", "<enum>hfmt36h</enum>"}, {"HourFormat", "<enum>hfmt12h</enum>"}})
            << hourFormat;
        QTest::newRow("a name it has, then one it lacks") << Clock(
            {{"HourFormat", "<enum>display::hfmt12h</enum>"}, {"HourFormat", "<enum>hfmt36h</enum>"}})
                                                          << hourFormat;
    }

    void theValueRefusedIsNamedAmongOthersWritten()
    {
        QFETCH(QString, widgets);
        QFETCH(QString, message);
        ExpectRefused(widgets, message);
    }

    void aFormThatCannotBeReadRaisesWithTheReason()
    {
        QBuffer broken;
        broken.setData(R"(<ui version="4.0"><widget class="QWidget")");
        QVERIFY(broken.open(QIODevice::ReadOnly));
        try {
            forms::LoadForm(broken);
            QFAIL("a broken form was read");
        } catch (const framework::EReadError& error) {
            QVERIFY(error.Message().startsWith(QStringLiteral("The form cannot be read: ")));
        }
    }
};

STUDIO_CLOCK_TEST_MAIN(FormsTest)
#include "test_forms.moc"
