// The screen the main window opens on (--screen), and the window following that screen as screens
// are unplugged and plugged again: on the offscreen platform, whose screens are set from the same
// JSON description its configfile takes, here while the program runs.
#include "app/ScreenChoice.h"
#include "app/ScreenFollower.h"
#include "app/StartOptions.h"
#include "app/Unit1.h"
#include "tests/TestMain.h"
#include "tests/TestWidgets.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <qpa/qplatformnativeinterface.h>

namespace {

const QRect kLeft(0, 0, 1024, 768);
const QRect kRight(1024, 0, 1600, 1200);
const QRect kOther(0, 768, 1024, 768);

QJsonObject Screen(const char* name, const QRect& geometry)
{
    return {{QStringLiteral("name"), QLatin1String(name)}, {QStringLiteral("x"), geometry.x()},
        {QStringLiteral("y"), geometry.y()}, {QStringLiteral("width"), geometry.width()},
        {QStringLiteral("height"), geometry.height()}};
}

// Plugs and unplugs screens: the offscreen platform adds those it lacks and removes those not named,
// by name, as a desktop does.
void SetScreens(const QJsonArray& screens)
{
    QPlatformNativeInterface* platform = QGuiApplication::platformNativeInterface();
    using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
    const auto set = reinterpret_cast<SetConfiguration>(
        platform->nativeResourceForIntegration(QByteArrayLiteral("setConfiguration")));
    QVERIFY2(set, "the offscreen platform takes no configuration");
    set({{QStringLiteral("screens"), screens}}, platform);
}

const QJsonArray kLeftAndRight = {Screen("LEFT", kLeft), Screen("RIGHT", kRight)};

QScreen* ScreenNamed(const QString& name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    return nullptr;
}

}  // namespace

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetScreens(kLeftAndRight); }

    void theStartOptionsName_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<int>("exitCode");  // -1: the program goes on
        QTest::newRow("no screen") << QStringList() << QString() << false << -1;
        QTest::newRow("a name") << QStringList{QStringLiteral("--screen"), QStringLiteral("HDMI-1")}
                                << QStringLiteral("HDMI-1") << false << -1;
        QTest::newRow("an index, in full screen")
            << QStringList{QStringLiteral("--screen=1"), QStringLiteral("--full-screen")}
            << QStringLiteral("1") << true << -1;
        QTest::newRow("no value") << QStringList{QStringLiteral("--screen")} << QString() << false << 1;
        QTest::newRow("an empty value")
            << QStringList{QStringLiteral("--screen=")} << QString() << false << 1;
    }

    void theStartOptionsName()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, screen);
        QFETCH(bool, fullScreen);
        QFETCH(int, exitCode);
        const StartOptions options
            = ReadStartOptions(QStringList{QStringLiteral("studio-clock")} + arguments);
        QCOMPARE(options.exitCode.value_or(-1), exitCode);
        if (exitCode == -1) {
            QCOMPARE(options.screen, screen);
            QCOMPARE(options.fullScreen, fullScreen);
        }
    }

    void aScreenIsChosenByNameOrIndex_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("chosen");  // empty: none
        QTest::newRow("name") << QStringLiteral("RIGHT") << QStringLiteral("RIGHT");
        QTest::newRow("index 0") << QStringLiteral("0") << QStringLiteral("LEFT");
        QTest::newRow("index 1") << QStringLiteral("1") << QStringLiteral("RIGHT");
        QTest::newRow("unknown name") << QStringLiteral("HDMI-1") << QString();
        QTest::newRow("names are exact") << QStringLiteral("right") << QString();
        QTest::newRow("index past the last") << QStringLiteral("2") << QString();
        QTest::newRow("negative index") << QStringLiteral("-1") << QString();
        QTest::newRow("signed index") << QStringLiteral("+1") << QString();
        QTest::newRow("index beyond int") << QStringLiteral("99999999999") << QString();
    }

    void aScreenIsChosenByNameOrIndex()
    {
        QFETCH(QString, wanted);
        QFETCH(QString, chosen);
        QScreen* screen = ChosenScreen(wanted);
        QCOMPARE(screen ? screen->name() : QString(), chosen);
        if (!screen)
            QCOMPARE(NoSuchScreen(wanted),
                QStringLiteral("No screen '%1'; the screens are 0 'LEFT', 1 'RIGHT'.").arg(wanted));
    }

    // The window opens on its screen; when that screen is unplugged it goes to the primary screen,
    // another screen plugged in leaves it there, and when its screen is back it returns, to the
    // place it had, in the state it had.
    void theWindowFollowsItsScreen_data()
    {
        QTest::addColumn<Qt::WindowState>("state");
        QTest::newRow("window") << Qt::WindowNoState;
        QTest::newRow("full screen") << Qt::WindowFullScreen;
        QTest::newRow("maximised") << Qt::WindowMaximized;
    }

    void theWindowFollowsItsScreen()
    {
        QFETCH(Qt::WindowState, state);
        const ScopedTimeSource time(QDateTime(QDate(2026, 12, 8), QTime(10, 30, 15)));
        TForm1 form;
        form.AfterConstruction();
        new ScreenFollower(&form, ScreenNamed(QStringLiteral("RIGHT")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.setWindowState(state);
        const auto isOn = [&form, state](const char* name, const QRect& screen) {
            const QRect frame = form.frameGeometry();
            return form.screen()->name() == QLatin1String(name) && form.windowState() == state
                && (state == Qt::WindowFullScreen ? frame == screen : screen.contains(frame.center()));
        };
        QTRY_VERIFY(isOn("RIGHT", kRight));
        const QRect placed = form.geometry();

        SetScreens({Screen("LEFT", kLeft)});
        QTRY_VERIFY(isOn("LEFT", kLeft));
        SetScreens({Screen("LEFT", kLeft), Screen("OTHER", kOther)});
        QTest::qWait(50);
        QVERIFY(isOn("LEFT", kLeft));
        SetScreens({Screen("LEFT", kLeft), Screen("OTHER", kOther), Screen("RIGHT", kRight)});
        QTRY_VERIFY(isOn("RIGHT", kRight));
        QCOMPARE(form.geometry(), placed);

        // Moved on its screen since, it comes back to the new place after the next unplugging.
        if (state == Qt::WindowNoState) {
            form.move(form.pos() + QPoint(40, 30));
            const QRect moved = form.geometry();
            SetScreens({Screen("LEFT", kLeft)});
            QTRY_VERIFY(isOn("LEFT", kLeft));
            SetScreens(kLeftAndRight);
            QTRY_VERIFY(isOn("RIGHT", kRight));
            QCOMPARE(form.geometry(), moved);
        }
    }
};

STUDIO_CLOCK_TEST_MAIN(ScreensTest)
#include "test_screens.moc"
