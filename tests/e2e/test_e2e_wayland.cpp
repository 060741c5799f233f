// The real studio-clock program under Wayland compositors of the test's own, headless sway and
// weston: where its window goes, what it asks of the compositor, and its pixels on the screen.
#include "tests/TestMain.h"
#include "tests/e2e/ClockProcess.h"
#include "tests/e2e/Settled.h"
#include "tests/e2e/VirtualDisplay.h"
#include "tests/e2e/WaylandCompositor.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

const QString kAppId = QStringLiteral(STUDIO_CLOCK_APP_ID);
const char* const kTime = "2026-12-08 10:30:15";  // standing still
const QSize kOutputSize(1024, 768);
// A place on the full-screen clock's face, clear of the calendar and the notes.
const QPoint kOnTheFace(200, 150);

// A sway with a second output, HEADLESS-2, right of HEADLESS-1 and larger.
bool StartWithTwoOutputs(WaylandCompositor& sway)
{
    return sway.Start() && sway.Command(QStringLiteral("create_output"));
}

bool Start(ClockProcess& clock, const WaylandCompositor& compositor, const QStringList& arguments)
{
    clock.setWayland(compositor.ClientEnvironment());
    return clock.Start(arguments);
}

// Whether the window comes to be full screen (1) or not (0) on the output called `output`, holding
// the idle inhibitor or not; prints the window's state when it does not.
bool ComesTo(const WaylandCompositor& sway, int fullScreen, const QString& output, bool inhibitsIdle)
{
    QJsonObject window;
    if (QTest::qWaitFor(
            [&] {
                window = sway.Window(kAppId);
                return window[QLatin1String("fullscreen_mode")].toInt() == fullScreen
                    && window[QLatin1String("output")].toString() == output
                    && window[QLatin1String("inhibit_idle")].toBool() == inhibitsIdle;
            },
            20000))
        return true;
    qWarning("The window: full screen %d on %s, inhibits idle: %d",
        window[QLatin1String("fullscreen_mode")].toInt(),
        qPrintable(window[QLatin1String("output")].toString()),
        window[QLatin1String("inhibit_idle")].toBool());
    return false;
}

// Whether the cursor shows about `at`, where `withoutCursor` is the screen before the pointer
// came. The clock's time stands still, so nothing else there changes.
bool CursorShown(const WaylandCompositor& sway, const QImage& withoutCursor, QPoint at)
{
    const QRect around(at - QPoint(8, 8), QSize(64, 64));
    return sway.Screenshot().copy(around) != withoutCursor.copy(around);
}

// Presses F11 in the window, and waits until the window comes to `fullScreen` as ComesTo does and
// the screen has settled on its new picture: sway's tree changes as the program asks, and the
// program learns its new state only as it takes the size sway then gives, so a key pressed before
// would find the state it is leaving.
bool FullScreenKeyTakes(
    const WaylandCompositor& sway, int fullScreen, const QString& output, bool inhibitsIdle)
{
    const QImage before = sway.Screenshot();
    if (!sway.Key(QStringLiteral("F11")) || !ComesTo(sway, fullScreen, output, inhibitsIdle)
        || !QTest::qWaitFor([&] { return sway.Screenshot() != before; }, 20000))
        return false;
    Settled([&sway] { return sway.Screenshot(); });
    return true;
}

// The full-screen clock at kTime on a 1024 x 768 X screen without a window manager, which the
// clock covers itself.
const QImage& XPicture()
{
    static const QImage picture = [] {
        VirtualDisplay display;
        if (!display.Start(kOutputSize)
            || !display.Plug(QStringLiteral("SCREEN"), QRect(QPoint(), kOutputSize)))
            return QImage();
        const QTemporaryDir runtime;
        ClockProcess clock(QString::fromLatin1(kTime));
        clock.setDisplay(display.Name());
        clock.setEnvironmentVariable(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        clock.setEnvironmentVariable(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        if (!clock.Start({QStringLiteral("--full-screen")}))
            return QImage();
        return Settled([&display] { return display.Grab(QRect(QPoint(), kOutputSize)); });
    }();
    return picture;
}

// Where two pictures of one size differ, for a failure's message.
QString Differences(const QImage& shown, const QImage& expected)
{
    if (shown.size() != expected.size())
        return QStringLiteral("%1x%2 shown, %3x%4 expected")
            .arg(shown.width())
            .arg(shown.height())
            .arg(expected.width())
            .arg(expected.height());
    QRect differing;
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != expected.pixel(x, y)) {
                differing |= QRect(x, y, 1, 1);
                ++count;
            }
    return QStringLiteral("%1 pixels differ, within %2,%3 %4x%5")
        .arg(count)
        .arg(differing.x())
        .arg(differing.y())
        .arg(differing.width())
        .arg(differing.height());
}

bool ShowsTheXPicture(const WaylandCompositor& compositor)
{
    QImage shown;
    if (QTest::qWaitFor([&] { return (shown = compositor.Screenshot()) == XPicture(); }, 20000))
        return true;
    qWarning("%s", qPrintable(Differences(shown, XPicture())));
    return false;
}

}  // namespace

class WaylandEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    // Full screen lands on the output --screen chose, not on the one with the focus; started by a
    // launcher with an activation token, the window takes the keyboard there, where the compositor
    // lets activation focus; and closing the window ends the program with code 0.
    void fullScreenFillsTheChosenOutput()
    {
        WaylandCompositor sway(WaylandCompositor::Kind::Sway);
        QVERIFY2(StartWithTwoOutputs(sway), qPrintable(sway.Error()));
        QVERIFY(sway.Command(QStringLiteral("focus_on_window_activation focus")));
        QVERIFY(sway.Command(QStringLiteral("focus output HEADLESS-1")));
        const QString token = sway.ActivationToken();
        QVERIFY(!token.isEmpty());
        ClockProcess clock(QString::fromLatin1(kTime));
        clock.setEnvironmentVariable(QStringLiteral("XDG_ACTIVATION_TOKEN"), token);
        QVERIFY2(
            Start(clock, sway,
                {QStringLiteral("--screen"), QStringLiteral("HEADLESS-2"), QStringLiteral("--full-screen")}),
            qPrintable(clock.Error()));
        QVERIFY(ComesTo(sway, 1, QStringLiteral("HEADLESS-2"), true));
        QCOMPARE(WaylandCompositor::Rect(sway.Window(kAppId)), sway.Output(QStringLiteral("HEADLESS-2")));
        QTRY_VERIFY_WITH_TIMEOUT(sway.Window(kAppId)[QLatin1String("focused")].toBool(), 20000);
        QVERIFY(sway.Command(QStringLiteral("[app_id=\"%1\"] kill").arg(kAppId)));
        const int code = clock.WaitForExit(10000);
        QVERIFY2(
            code == 0, qPrintable(QStringLiteral("code %1, saying: %2").arg(code).arg(clock.ErrorOutput())));
    }

    // The compositor keeps the screen awake while the window is full screen, and only then.
    void fullScreenHoldsOffIdle()
    {
        WaylandCompositor sway(WaylandCompositor::Kind::Sway);
        QVERIFY2(sway.Start(), qPrintable(sway.Error()));
        ClockProcess clock(QString::fromLatin1(kTime));
        QVERIFY2(Start(clock, sway, {QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        const QString output = QStringLiteral("HEADLESS-1");
        QVERIFY(ComesTo(sway, 1, output, true));
        QVERIFY(sway.Command(QStringLiteral("[app_id=\"%1\"] focus").arg(kAppId)));  // F11 goes to it
        QVERIFY(FullScreenKeyTakes(sway, 0, output, false));
        QVERIFY(FullScreenKeyTakes(sway, 1, output, true));
    }

    // A window on the focused output goes full screen on the output --screen chose.
    void theFullScreenKeyFillsTheChosenOutput()
    {
        WaylandCompositor sway(WaylandCompositor::Kind::Sway);
        QVERIFY2(StartWithTwoOutputs(sway), qPrintable(sway.Error()));
        QVERIFY(sway.Command(QStringLiteral("focus output HEADLESS-1")));
        ClockProcess clock(QString::fromLatin1(kTime));
        QVERIFY2(Start(clock, sway, {QStringLiteral("--screen"), QStringLiteral("HEADLESS-2")}),
            qPrintable(clock.Error()));
        QTRY_VERIFY_WITH_TIMEOUT(!sway.Window(kAppId).isEmpty(), 20000);
        QVERIFY(sway.Command(QStringLiteral("[app_id=\"%1\"] focus").arg(kAppId)));
        QVERIFY(sway.Key(QStringLiteral("F11")));
        QVERIFY(ComesTo(sway, 1, QStringLiteral("HEADLESS-2"), true));
    }

    // Resting over the full-screen window, the pointer hides, not before 3 s, and comes back at the
    // first movement.
    void thePointerRestingOverTheFullScreenClockHides()
    {
        WaylandCompositor sway(WaylandCompositor::Kind::Sway);
        QVERIFY2(sway.Start(), qPrintable(sway.Error()));
        ClockProcess clock(QString::fromLatin1(kTime));
        QVERIFY2(Start(clock, sway, {QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(sway.Window(kAppId)[QLatin1String("fullscreen_mode")].toInt(), 1, 20000);
        const QImage withoutCursor = Settled([&sway] { return sway.Screenshot(); });  // no pointer yet
        for (const QPoint to : {kOnTheFace, kOnTheFace + QPoint(40, 20)}) {
            QElapsedTimer sinceMoved;
            sinceMoved.start();
            QVERIFY(sway.MovePointer(to));
            QTRY_VERIFY_WITH_TIMEOUT(CursorShown(sway, withoutCursor, to), 20000);
            QTRY_VERIFY_WITH_TIMEOUT(!CursorShown(sway, withoutCursor, to), 60000);
            // Seen hidden only after the whole rest: a slow machine can only make it seen later.
            QVERIFY2(sinceMoved.elapsed() >= 2500, qPrintable(QString::number(sinceMoved.elapsed())));
        }
    }

    // Full screen on a 1024 x 768 output, the clock shows what it shows on an X screen of that
    // size at the same time, says nothing, and runs on.
    void theClockShowsWhatItShowsOnX_data()
    {
        QTest::addColumn<WaylandCompositor::Kind>("kind");
        QTest::newRow("sway") << WaylandCompositor::Kind::Sway;
        QTest::newRow("weston") << WaylandCompositor::Kind::Weston;
    }

    void theClockShowsWhatItShowsOnX()
    {
        QFETCH(WaylandCompositor::Kind, kind);
        QVERIFY2(!XPicture().isNull(), "no picture of the clock on X");
        WaylandCompositor compositor(kind);
        QVERIFY2(compositor.Start(), qPrintable(compositor.Error()));
        ClockProcess clock(QString::fromLatin1(kTime));
        QVERIFY2(Start(clock, compositor, {QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        QVERIFY(ShowsTheXPicture(compositor));
        QCOMPARE(clock.ErrorOutput(), QString());
        QCOMPARE(clock.WaitForExit(0), -1);  // still running
    }
};

STUDIO_CLOCK_TEST_MAIN(WaylandEndToEndTest)
#include "test_e2e_wayland.moc"
