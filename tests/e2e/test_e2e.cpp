// The real studio-clock program on an X display, at chosen times and locales, driven by mouse
// and keyboard and checked on its pixels.
#include "app/DateLine.h"
#include "framework/LocaleId.h"
#include "resources/Resources.h"
#include "tests/LedReading.h"
#include "tests/TestMain.h"
#include "tests/e2e/AccessibilityBus.h"
#include "tests/e2e/ClockProcess.h"
#include "tests/e2e/NotifySocket.h"
#include "tests/e2e/Settled.h"
#include "tests/e2e/StandInScreenSaver.h"
#include "tests/e2e/VirtualDisplay.h"
#include "tests/e2e/WarningPixels.h"
#include "tests/e2e/WindowManager.h"
#include "tests/e2e/X11.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <csignal>
#include <functional>
#include <utility>
#include <vector>

namespace {

// Where the controls are in the window at its stored size.
const QSize kWindowSize(789, 640);  // as the stored layout sizes it
const QRect kDateLine(1, 377, 785, 41);
const QRect kCalendar(581, 1, 204, 140);
const QRect kNotes(3, 424, 760, 183);  // the text area, without the scroll bar
const QPoint kCleanButton(373, 624);
const QPoint kCalendarDays(682, 90);
const QPoint kNextMonth(771, 12);

// The main window's clock as the layout makes it, to read its face with.
const display::TVrLedClock& LayoutClock()
{
    static const auto clock = [] {
        auto made = std::make_unique<display::TVrLedClock>();
        made->setGeometry(0, 0, 783, 374);
        made->setLedSize(6);
        made->setSecWidth(4);
        made->setTickWidth(6);
        made->setHoursColor(framework::clLime);
        made->setSecHandColor(framework::clLime);
        return made;
    }();
    return *clock;
}

QString ShownTime(const QImage& window)
{
    return ReadWorkedExampleTime(window.copy(kClock), LayoutClock());
}

int ShownSeconds(const QImage& window)
{
    return LitSecondDots(window.copy(kClock), LayoutClock()) - 1;
}

// The columns of `area` holding pixels other than its background (its top-left pixel).
std::pair<int, int> InkSpan(const QImage& window, const QRect& area)
{
    const QRgb background = window.pixel(area.topLeft());
    int left = area.right();
    int right = area.left();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (window.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

// How wide the date line's text for `day` is, in the label's font.
int DateLineWidth(const QDate& day, const char* locale)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(27);
    const QLocale qlocale(QString::fromLatin1(locale));
    return QFontMetrics(font).horizontalAdvance(
        DateLineText(day, framework::LocaleIdentifierOf(qlocale), qlocale));
}

bool ShowsDateLineOf(const QImage& window, const QDate& day, const char* locale)
{
    const auto [left, right] = InkSpan(window, kDateLine);
    return std::abs((right - left + 1) - DateLineWidth(day, locale)) <= 8;
}

// The centre of the calendar's selected day, or a null point when the shown month lacks it. The
// navigation bar has the same colour, but spans the whole calendar.
QPoint SelectedDay(const QImage& window, const QRect& calendar = kCalendar)
{
    const QColor highlight = QPalette().color(QPalette::Highlight);
    QRect found;
    for (int y = calendar.top(); y <= calendar.bottom(); ++y) {
        QRect row;
        for (int x = calendar.left(); x <= calendar.right(); ++x)
            if (window.pixelColor(x, y) == highlight)
                row |= QRect(x, y, 1, 1);
        if (row.width() < calendar.width() / 2)
            found |= row;
    }
    return found.isEmpty() ? QPoint() : found.center();
}

// The window's picture once it shows the same twice in a row, for a clock whose time stands still.
QImage SettledGrab(const ClockProcess& clock)
{
    return Settled([&clock] { return clock.Grab(); });
}

// Whether the window comes to rest at `wanted`: a window manager acting on a screen change may
// pass the window through the wanted place on its way elsewhere, so the place must hold a second.
bool SettlesAt(const ClockProcess& clock, const QRect& wanted)
{
    QElapsedTimer held;
    QRect seen;
    const bool settled = QTest::qWaitFor(
        [&] {
            seen = clock.Geometry();
            if (seen != wanted)
                held.invalidate();
            else if (!held.isValid())
                held.start();
            return held.isValid() && held.elapsed() >= 1000;
        },
        20000);
    if (!settled)
        qWarning("The window is at %d,%d %dx%d", seen.x(), seen.y(), seen.width(), seen.height());
    return settled;
}

// The X windows whose names contain `name`, one id a line.
QString WindowsNamed(const QString& name)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--name"), name});
    xdotool.waitForFinished(10000);
    return QString::fromLatin1(xdotool.readAllStandardOutput()).trimmed();
}

// The settled picture once the window has a size `wanted` accepts; a null picture if it never does.
template <typename Wanted> QImage SettledGrabWhen(const ClockProcess& clock, Wanted wanted)
{
    if (!QTest::qWaitFor([&] { return wanted(clock.Grab().size()); }, 5000))
        return {};
    return SettledGrab(clock);
}

// Sets the time a program started with `file` as its time file reads from now on.
void StepTo(QTemporaryFile& file, const char* moment)
{
    file.resize(0);
    file.write(moment);
    file.flush();
}

int WhitePixels(const QImage& window, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(window.pixel(x, y)) > 200;
    return count;
}

}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    // Qt Designer, with this build's plugin, opens a form whose values the components refuse: it
    // keeps running and shows what it refused.
    void designerOpensAFormWithRefusedValuesAndSaysWhy()
    {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        QSKIP("Designer is not built with the sanitizer this build's plugin needs");
#endif
        const QString designer = QStringLiteral("/usr/lib/qt6/bin/designer");
        QVERIFY2(QFileInfo::exists(designer), "Qt Designer is missing: install designer-qt6");
        QTemporaryDir scratch;
        QVERIFY(QDir(scratch.path()).mkpath(QStringLiteral("plugins/designer")));
        QVERIFY(QFile::link(qEnvironmentVariable("STUDIO_CLOCK_DESIGNER_PLUGIN"),
            scratch.filePath(QStringLiteral("plugins/designer/libstudioclock-designer.so"))));
        QFile form(scratch.filePath(QStringLiteral("refused.ui")));
        QVERIFY(form.open(QIODevice::WriteOnly));
        form.write(R"(<ui version="4.0"><widget class="QWidget" name="form">
            <widget class="display::TVrLedClock" name="ledClock"><property name="Hours"><number>24</number></property></widget>
            <widget class="display::TVrLabel" name="caption"><property name="FontHeight"><number>40000</number></property>
              <property name="Angle"><number>400</number></property></widget></widget></ui>)");
        form.close();

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_PLUGIN_PATH"), scratch.filePath(QStringLiteral("plugins")));
        environment.insert(QStringLiteral("HOME"), scratch.path());  // Designer's first start, every time
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath(QStringLiteral(".config")));
        process.setProcessEnvironment(environment);
        process.start(designer, {form.fileName()});
        QTRY_VERIFY_WITH_TIMEOUT(!WindowsNamed(QStringLiteral("Values refused")).isEmpty(), 120000);
        QTest::qWait(3000);
        QCOMPARE(process.state(), QProcess::Running);
        process.kill();
        process.waitForFinished(5000);
    }

    void theFaceShowsTheTimeAndTheDateLineTheDay()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QImage window = clock.Grab();
        QCOMPARE(window.size(), kWindowSize);
        QCOMPARE(ShownTime(window), QStringLiteral("10:30"));
        QCOMPARE(ShownSeconds(window), 15);
        QVERIFY(ShowsDateLineOf(window, QDate(2026, 12, 8), "en_US"));
        QVERIFY(!SelectedDay(window).isNull());
    }

    void theDateLineSpeaksPortugueseUnderAPortugueseLocale()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"), QStringLiteral("pt_BR.UTF-8"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QVERIFY(ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 8), "pt_BR"));
        QVERIFY(!ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 8), "en_US"));
    }

    void atMidnightTheDateLineAndTheCalendarMoveToTheNewDay()
    {
        ClockProcess clock(QStringLiteral("@2026-12-08 23:59:57"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QPoint tuesday = SelectedDay(clock.Grab());
        QVERIFY(ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 8), "en_US"));
        QTRY_COMPARE_WITH_TIMEOUT(ShownTime(clock.Grab()), QStringLiteral("00:00"), 40000);
        QTRY_VERIFY_WITH_TIMEOUT(ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 9), "en_US"), 12000);
        const QPoint wednesday = SelectedDay(clock.Grab());
        QCOMPARE(wednesday.y(), tuesday.y());
        QVERIFY(wednesday.x() > tuesday.x() + 15);
    }

    void atANewHourTheCalendarComesBackToToday()
    {
        ClockProcess clock(QStringLiteral("@2026-12-08 10:59:55"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QVERIFY(!SelectedDay(clock.Grab()).isNull());
        clock.Click(kNextMonth);  // January: today is not on it
        QTRY_VERIFY_WITH_TIMEOUT(SelectedDay(clock.Grab()).isNull(), 12000);
        QTRY_COMPARE_WITH_TIMEOUT(ShownTime(clock.Grab()), QStringLiteral("11:00"), 40000);
        QTRY_VERIFY_WITH_TIMEOUT(!SelectedDay(clock.Grab()).isNull(), 12000);
    }

    void aDoubleClickDocksTheCalendarAndAnotherFreesIt()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QPoint besideTheNotes(700, 500);  // on the notes, where the docked calendar reaches
        QCOMPARE(qGray(clock.Grab().pixel(besideTheNotes)), 0);
        clock.DoubleClick(kCalendarDays);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(clock.Grab().pixel(besideTheNotes)) > 200, 12000);
        clock.DoubleClick(kCalendarDays);
        QTRY_COMPARE_WITH_TIMEOUT(qGray(clock.Grab().pixel(besideTheNotes)), 0, 12000);
    }

    // Freed after a resize, the calendar stands where it would had it never been docked; at the
    // stored size the window is the one it started with, docked or free.
    void theCalendarFreedAfterAResizeReturnsToItsPlace()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        // Clicks and double clicks go to today, so that the selection stays; the first click gives
        // the calendar the keyboard focus it keeps from then on.
        const QImage start = clock.Grab();
        const QPoint today = SelectedDay(start);
        clock.Click(today);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() != start, 12000);
        const QImage free = SettledGrab(clock);
        const auto resizeTo = [&clock](QSize size) {
            clock.Resize(size);
            QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), size, 20000);
            SettledGrab(clock);
        };
        const QSize large(1400, 1000);
        resizeTo(large);
        const QImage largeFree = clock.Grab();
        resizeTo(free.size());
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == free, 12000);

        clock.DoubleClick(today);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() != free, 12000);
        const QImage docked = SettledGrab(clock);
        resizeTo(large);
        const QRect dockedCalendar(large.width() - 400, 0, 400, large.height());
        QVERIFY(!SelectedDay(clock.Grab(), dockedCalendar).isNull());
        clock.DoubleClick(SelectedDay(clock.Grab(), dockedCalendar));
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == largeFree, 12000);
        resizeTo(free.size());
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == free, 12000);

        clock.DoubleClick(today);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == docked, 12000);
        resizeTo(large);
        resizeTo(free.size());
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == docked, 12000);
    }

    void whatIsTypedIntoTheNotesStaysUntilClean()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QCOMPARE(WhitePixels(clock.Grab(), kNotes), 0);
        clock.Click(kNotes.center());
        clock.Type(QStringLiteral("ON AIR AT TEN"));
        QTRY_VERIFY_WITH_TIMEOUT(WhitePixels(clock.Grab(), kNotes) > 200, 12000);
        clock.Click(kCleanButton);
        QTRY_COMPARE_WITH_TIMEOUT(WhitePixels(clock.Grab(), kNotes), 0, 12000);
    }

    void growingAndRestoringTheWindowGivesBackTheSamePixels()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QImage before = clock.Grab();
        clock.Resize(QSize(1500, 1100));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), QSize(1500, 1100), 20000);
        clock.Resize(before.size());
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), before.size(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == before, 12000);
    }

    void theFullScreenKeyFillsTheScreenAndGivesBackTheWindowAndTheNotes()
    {
        WindowManager manager;  // full screen is the window manager's to grant
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        clock.Click(kNotes.center());
        clock.Type(QStringLiteral("ON AIR AT TEN"));
        // The focus moves to the calendar's own day, so no caret blinks in the pictures compared.
        const QPoint today = SelectedDay(clock.Grab());
        clock.Click(today);
        const QImage before = SettledGrab(clock);
        QVERIFY(WhitePixels(before, kNotes) > 200);

        clock.Click(kNotes.center());  // F11 is pressed with the focus in the notes
        clock.Key(QStringLiteral("F11"));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), screen, 20000);
        // Everything scales as on any resize: the notes' text too.
        const QRect notes(kNotes.left() * screen.width() / before.width(),
            kNotes.top() * screen.height() / before.height(),
            kNotes.width() * screen.width() / before.width(),
            kNotes.height() * screen.height() / before.height());
        QTRY_VERIFY_WITH_TIMEOUT(WhitePixels(clock.Grab(), notes) > 2 * WhitePixels(before, kNotes), 12000);

        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), before.size(), 20000);
        clock.Click(today);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == before, 12000);
    }

    // Whatever way leads back to a state of the window (its size, full screen or not, the calendar
    // docked or not) shows that state's first picture again.
    void everyWayBackToAStateShowsItsFirstPicture()
    {
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        const auto sized = [](QSize size) { return [size](QSize now) { return now == size; }; };
        // The focus goes to the calendar's own day, so that no caret blinks in the pictures.
        const QPoint today = SelectedDay(clock.Grab());
        clock.Click(today);
        const QImage window = SettledGrab(clock);
        const QRect dockedCalendar(kWindowSize.width() - 210, 0, 210, kWindowSize.height());
        clock.DoubleClick(today);
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() != window, 12000);
        const QImage docked = SettledGrab(clock);
        clock.DoubleClick(SelectedDay(docked, dockedCalendar));
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == window, 12000);

        // Docked in full screen, the calendar comes back as it was docked in the window.
        clock.Key(QStringLiteral("F11"));
        const QImage fullScreen = SettledGrabWhen(clock, sized(screen));
        const QRect calendar(kCalendar.left() * screen.width() / kWindowSize.width(), 0,
            kCalendar.width() * screen.width() / kWindowSize.width(),
            kCalendar.height() * screen.height() / kWindowSize.height());
        clock.DoubleClick(SelectedDay(fullScreen, calendar));
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() != fullScreen, 12000);
        clock.Key(QStringLiteral("F11"));
        QVERIFY(SettledGrabWhen(clock, sized(kWindowSize)) == docked);
        clock.DoubleClick(SelectedDay(docked, dockedCalendar));
        QTRY_VERIFY_WITH_TIMEOUT(clock.Grab() == window, 12000);

        // Full screen and back gives a maximised window back maximised, as it was.
        clock.Maximise();
        const QImage maximised
            = SettledGrabWhen(clock, [](QSize size) { return size.width() > kWindowSize.width(); });
        clock.Key(QStringLiteral("F11"));
        QVERIFY(!SettledGrabWhen(clock, sized(screen)).isNull());
        clock.Key(QStringLiteral("F11"));
        QVERIFY(SettledGrabWhen(clock, sized(maximised.size())) == maximised);
    }

    void startedWithFullScreenItFillsTheScreenUntilF11GivesTheWindow()
    {
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start({QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), QGuiApplication::primaryScreen()->size(), 20000);
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), kWindowSize, 20000);
    }

    // On an X server without a window manager (a kiosk), nobody grants full screen: the window
    // covers its screen itself, and F11 gives it back its place.
    void withoutAWindowManagerFullScreenCoversTheScreenItself()
    {
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        QVERIFY2(clock.Start({QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTRY_COMPARE_WITH_TIMEOUT(clock.Geometry(), screen, 20000);
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Geometry().size(), kWindowSize, 20000);
        const QRect window = clock.Geometry();
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Geometry(), screen, 20000);
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Geometry(), window, 20000);
    }

    // On a display with two screens (RandR monitors, as Qt reports a desktop's screens), --screen
    // opens the window in full screen on the screen it names, by its name as typed, and the window
    // follows that screen as it is unplugged and plugged in again; a screen the display lacks ends
    // the program, listing the screens there are.
    void theWindowOpensOnItsScreenAndFollowsIt()
    {
        const QRect left(0, 0, 1024, 768);
        const QRect right(1024, 0, 1280, 1024);
        const QString rightName = QStringLiteral("MY SCREEN é");  // typed, and listed, as UTF-8
        VirtualDisplay display;
        QVERIFY2(display.Start(QSize(2304, 1024)), "Xvfb did not start");
        QVERIFY(display.Plug(QStringLiteral("LEFT-1"), left));
        QVERIFY(display.Plug(rightName, right));

        for (const char* unknown : {"HDMI-1", "2"}) {
            QProcess clock;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DISPLAY"), display.Name());
            clock.setProcessEnvironment(environment);
            clock.start(qEnvironmentVariable("STUDIO_CLOCK_PROGRAM"), {QStringLiteral("--screen"), unknown});
            QVERIFY(clock.waitForFinished(10000));
            QCOMPARE(clock.exitCode(), 1);
            const QString error = QString::fromLocal8Bit(clock.readAllStandardError());
            QVERIFY2(error.endsWith(QStringLiteral("No screen '%1'; the screens are 0 'LEFT-1', 1 '%2'.\n")
                                        .arg(QLatin1String(unknown), rightName)),
                qPrintable(error));
        }

        WindowManager manager(display);
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QStringLiteral("2026-12-08 10:30:15"));
        clock.setDisplay(display.Name());
        QVERIFY2(clock.Start({QStringLiteral("--screen"), rightName, QStringLiteral("--full-screen")}),
            qPrintable(clock.Error()));
        QVERIFY(SettlesAt(clock, right));
        QVERIFY(display.Unplug(rightName));
        QVERIFY(SettlesAt(clock, left));
        QVERIFY(display.Plug(rightName, right));
        QVERIFY(SettlesAt(clock, right));
    }

    // The desktop's screen saver is asked to stay away while the window is full screen, and only
    // then; a restarted service is asked again, and the request is given back as the program ends.
    void fullScreenAsksTheDesktopToKeepTheScreenAwake()
    {
        StandInScreenSaver screenSaver;
        QVERIFY2(screenSaver.Start(1), qPrintable(screenSaver.Error()));
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QString{});
        clock.setEnvironmentVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), screenSaver.BusAddress());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const auto fullScreenKey = [&clock] { clock.Key(QStringLiteral("F11")); };
        const std::vector<std::pair<std::function<void()>, QString>> steps{
            {fullScreenKey, QStringLiteral("Inhibit 1")},
            {fullScreenKey, QStringLiteral("UnInhibit 1")},
            {fullScreenKey, QStringLiteral("Inhibit 2")},
            // A service that restarts has forgotten the request: it is asked again.
            {[&screenSaver] { screenSaver.Restart(100); }, QStringLiteral("Inhibit 100")},
            {[&clock] { clock.Close(); }, QStringLiteral("UnInhibit 100")},
        };
        QStringList calls;
        QCOMPARE(screenSaver.Calls(), calls);
        for (const auto& [act, call] : steps) {
            act();
            calls << call;
            QTRY_COMPARE_WITH_TIMEOUT(screenSaver.Calls(), calls, 40000);
        }
        QCOMPARE(clock.WaitForExit(10000), 0);
    }

    // A desktop's service often starts after a clock started full screen with the session: it is
    // asked as it appears. GNOME's session manager and the portal are asked to keep the session
    // from going idle (flag 8; 4 would only keep the machine from suspending); each gets its
    // request back when the window leaves full screen.
    void aServiceThatComesLaterIsAskedNotToGoIdle_data()
    {
        using Service = StandInScreenSaver::Service;
        QTest::addColumn<int>("service");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("the screen saver") << static_cast<int>(
            Service::ScreenSaver) << QStringList{QStringLiteral("Inhibit 1"), QStringLiteral("UnInhibit 1")};
        QTest::newRow("GNOME's session manager")
            << static_cast<int>(Service::SessionManager)
            << QStringList{QStringLiteral("Inhibit 1 flags 8"), QStringLiteral("Uninhibit 1")};
        QTest::newRow("the portal") << static_cast<int>(
            Service::Portal) << QStringList{QStringLiteral("Inhibit 1 flags 8"), QStringLiteral("Close 1")};
    }

    void aServiceThatComesLaterIsAskedNotToGoIdle()
    {
        QFETCH(int, service);
        QFETCH(QStringList, calls);
        StandInScreenSaver desktop(
            StandInScreenSaver::Answer::Accepts, static_cast<StandInScreenSaver::Service>(service));
        QVERIFY2(desktop.StartBus(), qPrintable(desktop.Error()));
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QString{});
        clock.setEnvironmentVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), desktop.BusAddress());
        QVERIFY2(clock.Start({QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), QGuiApplication::primaryScreen()->size(), 20000);
        QVERIFY2(desktop.Restart(1), qPrintable(desktop.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(), calls.mid(0, 1), 40000);
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.Calls(), calls, 40000);
    }

    // A service that grants after the clock stopped waiting for it: the grant is given back at once
    // when the window has left full screen meanwhile, else held until it leaves; never kept.
    void aLateGrantIsGivenBackWhenNotWanted()
    {
        StandInScreenSaver screenSaver(StandInScreenSaver::Answer::AcceptsLate);
        QVERIFY2(screenSaver.Start(), qPrintable(screenSaver.Error()));
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QString{});
        clock.setEnvironmentVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), screenSaver.BusAddress());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QSize screen = QGuiApplication::primaryScreen()->size();
        clock.Key(QStringLiteral("F11"));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), screen, 20000);
        clock.Key(QStringLiteral("F11"));
        QStringList calls{QStringLiteral("Inhibit 1"), QStringLiteral("UnInhibit 1")};
        QTRY_COMPARE_WITH_TIMEOUT(screenSaver.Calls(), calls, 60000);
        clock.Key(QStringLiteral("F11"));
        calls << QStringLiteral("Inhibit 2");
        QTRY_COMPARE_WITH_TIMEOUT(screenSaver.Calls(), calls, 60000);
        clock.Key(QStringLiteral("F11"));
        calls << QStringLiteral("UnInhibit 2");
        QTRY_COMPARE_WITH_TIMEOUT(screenSaver.Calls(), calls, 40000);
    }

    // Where no desktop service takes the request, the X server's own screen saver is held off
    // while the window is full screen, and comes on again once it is not.
    void theXScreenSaverWaitsWhileFullScreenWhereNoServiceAccepts_data()
    {
        QTest::addColumn<bool>("refusingService");
        QTest::newRow("no session bus") << false;
        QTest::newRow("a screen saver that refuses") << true;
    }

    void theXScreenSaverWaitsWhileFullScreenWhereNoServiceAccepts()
    {
        QFETCH(bool, refusingService);
        StandInScreenSaver screenSaver(StandInScreenSaver::Answer::Refuses);
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QString{});
        if (refusingService) {
            QVERIFY2(screenSaver.Start(), qPrintable(screenSaver.Error()));
            clock.setEnvironmentVariable(
                QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), screenSaver.BusAddress());
        }
        QVERIFY2(clock.Start({QStringLiteral("--full-screen")}), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), QGuiApplication::primaryScreen()->size(), 20000);
        if (refusingService)
            QTRY_COMPARE_WITH_TIMEOUT(
                screenSaver.Calls(), QStringList{QStringLiteral("Inhibit refused")}, 40000);
        SetXScreenSaverTimeout(3);
        const auto restore = qScopeGuard([] { SetXScreenSaverTimeout(-1); });
        clock.MovePointer(kNotes.center());  // input: the server counts its idle time from here
        // Twice the saver's time without input, which would have brought it on.
        QTRY_VERIFY_WITH_TIMEOUT(XScreenSaver().idleMilliseconds > 6000, 80000);
        QVERIFY(!XScreenSaver().on);
        clock.Key(QStringLiteral("F11"));
        QTRY_VERIFY_WITH_TIMEOUT(XScreenSaver().on, 80000);
    }

    // Resting over the full-screen window, the pointer hides, not before 3 s, and comes back at the
    // first movement; an open menu keeps it; over a window that is not full screen it always shows.
    void thePointerRestingOverTheFullScreenClockHides()
    {
        WindowManager manager;
        QVERIFY2(manager.Start(), "openbox did not start");
        ClockProcess clock(QString{});
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        // The server's idle time tells how long the pointer has rested: well past the hider's wait.
        const auto restedLong
            = [] { return QTest::qWaitFor([] { return XScreenSaver().idleMilliseconds > 6000; }, 20000); };
        clock.MovePointer(kCalendarDays);
        QVERIFY(restedLong());
        QVERIFY(PointerShown());

        clock.Key(QStringLiteral("F11"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QTRY_COMPARE_WITH_TIMEOUT(clock.Grab().size(), screen.size(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!PointerShown(), 80000);
        // The screen's middle, over the window that is not full screen too. Seen hidden again only
        // after the whole rest: a slow machine can only make it seen later.
        QElapsedTimer sinceMoved;
        sinceMoved.start();
        clock.MovePointer(screen.center());
        QTRY_VERIFY_WITH_TIMEOUT(PointerShown(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!PointerShown(), 80000);
        QVERIFY2(sinceMoved.elapsed() >= 2500, qPrintable(QString::number(sinceMoved.elapsed())));

        // The notes' context menu, opened and left alone, keeps the pointer; closed, it hides again.
        clock.Click(QPoint(kNotes.center().x() * screen.width() / kWindowSize.width(),
                        kNotes.center().y() * screen.height() / kWindowSize.height()),
            3);
        QTRY_VERIFY_WITH_TIMEOUT(PointerShown(), 20000);
        QVERIFY(restedLong());
        QVERIFY(PointerShown());
        clock.Click(screen.center());
        QTRY_VERIFY_WITH_TIMEOUT(!PointerShown(), 80000);

        clock.Key(QStringLiteral("F11"));
        QTRY_VERIFY_WITH_TIMEOUT(PointerShown(), 20000);
        QVERIFY(restedLong());
        QVERIFY(PointerShown());
    }

    void aClockSteppedWhileRunningIsFollowedAtTheNextSecond()
    {
        QTemporaryFile time;
        QVERIFY(time.open());
        const auto stepTo = [&time](const char* moment) { StepTo(time, moment); };
        stepTo("@2026-12-08 10:30:00");
        ClockProcess clock(QString(), QStringLiteral("en_US.UTF-8"), QStringLiteral("UTC"), time.fileName());
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QCOMPARE(ShownTime(clock.Grab()), QStringLiteral("10:30"));
        const QPoint tuesday = SelectedDay(clock.Grab());
        stepTo("@2026-12-08 11:30:00");  // an hour forward
        QTRY_COMPARE_WITH_TIMEOUT(ShownTime(clock.Grab()), QStringLiteral("11:30"), 12000);
        stepTo("@2026-12-09 11:30:00");  // a day forward, the same hour
        QTRY_VERIFY_WITH_TIMEOUT(ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 9), "en_US"), 12000);
        QVERIFY(SelectedDay(clock.Grab()).x() > tuesday.x());
        stepTo("@2026-12-08 09:30:00");  // a day and two hours back
        QTRY_COMPARE_WITH_TIMEOUT(ShownTime(clock.Grab()), QStringLiteral("09:30"), 12000);
        QTRY_VERIFY_WITH_TIMEOUT(ShowsDateLineOf(clock.Grab(), QDate(2026, 12, 8), "en_US"), 12000);
        QCOMPARE(SelectedDay(clock.Grab()), tuesday);
    }

    // The kernel's answer changes under the running program (the preloaded stand-in's file): the
    // warning comes on the face at the next reading and goes again, the digits still readable.
    void theWarningFollowsTheKernelWhileTheProgramRuns()
    {
        ClockProcess clock(QStringLiteral("@2026-12-08 10:30:15"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QCOMPARE(WarningPixels(clock.Grab()), 0);
        QElapsedTimer changed;
        for (const auto& [answer, warned] :
            {std::pair{"5 64 16000000 16000000", true}, {"0 1 12000 300", false}}) {
            clock.SetKernelClock(QString::fromLatin1(answer));
            changed.start();
            QTRY_COMPARE_WITH_TIMEOUT(WarningPixels(clock.Grab()) > 0, warned, 20000);
            qInfo("%s %lld ms after the change", warned ? "shown" : "gone", changed.elapsed());
            QCOMPARE(ShownTime(clock.Grab()).left(3), QStringLiteral("10:"));
        }
    }

    // A screen reader, reading the window over AT-SPI from outside, finds the clock with the time
    // its face shows and how far it can be trusted, the date line's text, and the notes and the
    // calendar by name; the clock's time follows the face, and a warning is read as it comes, as is
    // the clock going on air.
    void aScreenReaderReadsTheWindowFromOutside()
    {
        AccessibilityBus bus;
        QVERIFY2(bus.Start(), qPrintable(bus.Error()));
        QTemporaryFile time;
        QVERIFY(time.open());
        StepTo(time, "@2026-12-08 07:49:15");
        ClockProcess clock(QString(), QStringLiteral("en_US.UTF-8"), QStringLiteral("UTC"), time.fileName());
        // The session bus the accessibility bus was started for, which the test now names.
        clock.setEnvironmentVariable(
            QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QStringList tree;
        QTRY_VERIFY2_WITH_TIMEOUT(
            !(tree = bus.Tree(clock.ProcessId())).isEmpty(), qPrintable(bus.Error()), 120000);
        const QLocale english(QStringLiteral("en_US"));
        const QString dateLine
            = DateLineText(QDate(2026, 12, 8), framework::LocaleIdentifierOf(english), english);
        const QString clockShowing = QStringLiteral("clock\tClock\t%1\t%2");
        for (const QString& part : {clockShowing.arg("Synchronised; maximum error 1.0 ms", "07:49"),
                 QStringLiteral("label\t%1\t\t%1").arg(dateLine), QStringLiteral("text\tNotes\t\t"),
                 QStringLiteral("table\tCalendar\tdê 2 clicks para expandir/comprimir o calendário\t")})
            QVERIFY2(
                tree.contains(part), qPrintable(part + QStringLiteral(" is not in:\n") + tree.join('\n')));

        StepTo(time, "@2026-12-08 07:50:00");
        clock.SetKernelClock(QStringLiteral("5 64 16000000 16000000"));
        const QString notSynchronised
            = QStringLiteral("Not synchronised: check the time service (timedatectl, chronyc tracking)");
        for (const QString& part :
            {clockShowing.arg(notSynchronised, "07:50"), QStringLiteral("label\tTIME NOT SYNCHRONISED\t\t")})
            QTRY_VERIFY2_WITH_TIMEOUT(bus.Tree(clock.ProcessId()).contains(part), qPrintable(part), 80000);

        QCOMPARE(
            QProcess::execute(qEnvironmentVariable("STUDIO_CLOCK_PROGRAM"), {QStringLiteral("--on-air")}), 0);
        const QString onAir = clockShowing.arg(QStringLiteral("On air. ") + notSynchronised, "07:50");
        QTRY_VERIFY2_WITH_TIMEOUT(bus.Tree(clock.ProcessId()).contains(onAir), qPrintable(onAir), 80000);
    }

    void daylightSavingChangesAreFollowed_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("before");  // three seconds before the change, in UTC
        QTest::addColumn<QString>("after");
        QTest::addColumn<QDate>("day");
        // Brazil, 2018: midnight never came, the clock went from 23:59:59 to 01:00.
        QTest::newRow("Sao Paulo, forward")
            << QStringLiteral("America/Sao_Paulo") << QDateTime(QDate(2018, 11, 4), QTime(2, 59, 57), Qt::UTC)
            << QStringLiteral("01:00") << QDate(2018, 11, 4);
        // Portugal, 2026: 01:59:59 summer time is followed by 01:00 winter time.
        QTest::newRow("Lisbon, back")
            << QStringLiteral("Europe/Lisbon") << QDateTime(QDate(2026, 10, 25), QTime(0, 59, 57), Qt::UTC)
            << QStringLiteral("01:00") << QDate(2026, 10, 25);
    }

    void daylightSavingChangesAreFollowed()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, before);
        QFETCH(QString, after);
        QFETCH(QDate, day);
        const qint64 ahead = QDateTime::currentDateTimeUtc().secsTo(before);
        ClockProcess clock(QStringLiteral("%1%2").arg(ahead >= 0 ? "+" : "").arg(ahead),
            QStringLiteral("en_US.UTF-8"), zone);
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        QTRY_COMPARE_WITH_TIMEOUT(ShownTime(clock.Grab()), after, 40000);
        QVERIFY(ShowsDateLineOf(clock.Grab(), day, "en_US"));
        // The clock runs on through the change: the ring keeps filling.
        const int seconds = ShownSeconds(clock.Grab());
        QTRY_VERIFY_WITH_TIMEOUT(ShownSeconds(clock.Grab()) > seconds, 12000);
    }

    // Help, the version and a mistake are answered before anything needs a display.
    void theCommandLineIsAnsweredWithoutADisplay_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("shown");  // what the output names
        QTest::newRow("help") << QStringLiteral("--help") << 0 << QStringLiteral("--full-screen");
        QTest::newRow("version") << QStringLiteral("--version") << 0 << resources::ApplicationVersion();
        QTest::newRow("unknown option") << QStringLiteral("--bogus") << 1 << QStringLiteral("'bogus'");
        QTest::newRow("misspelt option")
            << QStringLiteral("--fullscreen") << 1 << QStringLiteral("'fullscreen'");
        QTest::newRow("no dashes") << QStringLiteral("full-screen") << 1 << QStringLiteral("'full-screen'");
        QTest::newRow("one dash") << QStringLiteral("-full-screen") << 1 << QStringLiteral("'-full-screen'");
        QTest::newRow("screen without a name")
            << QStringLiteral("--screen") << 1 << QStringLiteral("'--screen'");
    }

    void theCommandLineIsAnsweredWithoutADisplay()
    {
        QFETCH(QString, argument);
        QFETCH(int, exitCode);
        QFETCH(QString, shown);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess clock;
        clock.setProcessEnvironment(environment);
        clock.start(qEnvironmentVariable("STUDIO_CLOCK_PROGRAM"), {argument});
        QVERIFY(clock.waitForFinished(10000));
        QCOMPARE(clock.exitStatus(), QProcess::NormalExit);
        QCOMPARE(clock.exitCode(), exitCode);
        const QString output = QString::fromLocal8Bit(
            exitCode == 0 ? clock.readAllStandardOutput() : clock.readAllStandardError());
        QVERIFY2(output.contains(shown), qPrintable(output));
        if (exitCode != 0)
            QCOMPARE(output.count(QLatin1Char('\n')), 1);
    }

    // Started by systemd as a notify service, the clock says it is ready once its window shows;
    // with a watchdog asked for, it says it is alive after each second, also unmapped, and nothing
    // while the program is stopped; without one, it says it is ready and no more.
    void systemdHearsTheClockReadyAndAlive_data()
    {
        QTest::addColumn<bool>("watchdog");
        QTest::newRow("with a watchdog") << true;
        QTest::newRow("without") << false;
    }

    void systemdHearsTheClockReadyAndAlive()
    {
        QFETCH(bool, watchdog);
        NotifySocket systemd;
        QVERIFY(systemd.Listening());
        ClockProcess clock(QString{});
        clock.setEnvironmentVariable(QStringLiteral("NOTIFY_SOCKET"), systemd.Path());
        if (watchdog)
            clock.setEnvironmentVariable(QStringLiteral("WATCHDOG_USEC"), QStringLiteral("10000000"));
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        const QString ready = QStringLiteral("READY=1");
        const QString alive = QStringLiteral("WATCHDOG=1");
        QTRY_VERIFY_WITH_TIMEOUT(!systemd.Received().isEmpty(), 20000);
        QCOMPARE(systemd.Received().constFirst(), ready);
        if (!watchdog) {
            QTest::qWait(2500);
            QCOMPARE(systemd.Received(), QStringList{ready});
            return;
        }
        clock.Unmap();
        const auto aliveMore = [&systemd, &alive](qsizetype than) {
            return QTest::qWaitFor([&] { return systemd.Received().count(alive) > than + 1; }, 5000);
        };
        QVERIFY(aliveMore(0));
        QVERIFY(systemd.Received().mid(1).count(alive) == systemd.Received().size() - 1);
        QCOMPARE(kill(static_cast<pid_t>(clock.ProcessId()), SIGSTOP), 0);
        QTest::qWait(300);  // what was on its way
        const qsizetype stopped = systemd.Received().size();
        QTest::qWait(2500);
        QCOMPARE(systemd.Received().size(), stopped);
        QCOMPARE(kill(static_cast<pid_t>(clock.ProcessId()), SIGCONT), 0);
        QVERIFY(aliveMore(stopped));
    }

    void closingTheWindowEndsTheProgramWithCodeZero()
    {
        ClockProcess clock(QString{});
        QVERIFY2(clock.Start(), qPrintable(clock.Error()));
        clock.Close();
        QCOMPARE(clock.WaitForExit(10000), 0);
    }
};

STUDIO_CLOCK_TEST_MAIN(EndToEndTest)
#include "test_e2e.moc"
