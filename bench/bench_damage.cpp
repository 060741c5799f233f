// The second as an operator sees it: the real program on its own Xvfb, watched from outside with
// the X DAMAGE extension. For each second it takes the time from the wall clock's boundary to the
// first change reported over the new second dot, and the area the program damaged in that second;
// it also reads the CPU time of the program and of the X server. A new dot that changes before its
// second's boundary is a wrong time on screen: such seconds are counted as early.
//
//   bench_damage [seconds, default 60] [WIDTHxHEIGHT, default 789x640] [--program PATH] [--busy N]
//                               --busy N: N busy loops beside the program, at the default
//                               priority, for the whole run: the clock on a loaded machine
//   bench_damage --self-test    the watcher's own resolution: a still window, and drawings at
//                               known moments
#include "app/Unit1.h"
#include "bench/BenchStats.h"
#include "framework/Application.h"
#include "tests/e2e/PrivateBus.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegion>
#include <QThread>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::system_clock;

double SecondsSinceEpoch(Clock::time_point moment)
{
    return std::chrono::duration<double>(moment.time_since_epoch()).count();
}

// CPU time a process has used so far, all its threads, in seconds.
double CpuSeconds(qint64 pid)
{
    double nanoseconds = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (stat.open(QIODevice::ReadOnly))
            nanoseconds += stat.readAll().split(' ').value(0).toDouble();
    }
    return nanoseconds / 1e9;
}

// A virtual X display of its own, with a connection to it; gone with this object.
class VirtualDisplay {
public:
    explicit VirtualDisplay(QSize size)
    {
        for (number_ = 90; number_ < 140; ++number_)
            if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number_))
                && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number_)))
                break;
        server_.start(QStringLiteral("Xvfb"),
            {Name(), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()), QStringLiteral("-nolisten"),
                QStringLiteral("tcp")});
        for (int attempt = 0; attempt < 100 && !connection_; ++attempt) {
            QThread::msleep(50);
            xcb_connection_t* connection = xcb_connect(qPrintable(Name()), nullptr);
            if (xcb_connection_has_error(connection) == 0)
                connection_ = connection;
            else
                xcb_disconnect(connection);
        }
    }
    ~VirtualDisplay()
    {
        if (connection_)
            xcb_disconnect(connection_);
        server_.terminate();
        server_.waitForFinished(5000);
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    QString Name() const { return QStringLiteral(":%1").arg(number_); }
    xcb_connection_t* Connection() const { return connection_; }
    xcb_window_t Root() const { return xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root; }
    qint64 ServerPid() const { return server_.processId(); }

private:
    int number_ = 90;
    QProcess server_;
    xcb_connection_t* connection_ = nullptr;
};

// Child processes that each keep a core busy, at the default priority, until this object goes (or
// the bench dies: the kernel ends them with it).
class BusyLoops {
public:
    explicit BusyLoops(int count)
    {
        for (int i = 0; i < count; ++i) {
            const pid_t child = fork();
            if (child == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                for (volatile unsigned long spin = 0;; spin = spin + 1) { }
            }
            if (child > 0)
                children_.push_back(child);
        }
    }
    ~BusyLoops()
    {
        for (const pid_t child : children_) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    std::vector<pid_t> children_;
};

// One damage report: when it reached us, and where.
struct Damage {
    double at;
    QRect area;
};

// Reports every drawing on a window as it reaches the X server.
class DamageWatch {
public:
    DamageWatch(xcb_connection_t* connection, xcb_window_t window)
        : connection_(connection)
    {
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_damage_id);
        if (!extension || !extension->present) {
            std::fprintf(stderr, "the X server has no DAMAGE extension\n");
            std::exit(1);
        }
        firstEvent_ = extension->first_event;
        std::free(
            xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
        damage_ = xcb_generate_id(connection);
        xcb_damage_create(connection, damage_, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        // A new damage object reports the whole window once; that is no drawing, so it is dropped.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection))
            std::free(event);
    }

    // Every report until `until` (seconds since the epoch).
    std::vector<Damage> Collect(double until)
    {
        std::vector<Damage> reports;
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        while (true) {
            const double now = SecondsSinceEpoch(Clock::now());
            if (now >= until)
                break;
            poll(&descriptor, 1, static_cast<int>((until - now) * 1000) + 1);
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const double at = SecondsSinceEpoch(Clock::now());
                if ((event->response_type & 0x7f) == firstEvent_ + XCB_DAMAGE_NOTIFY) {
                    const auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                    reports.push_back(
                        {at, QRect(notify->area.x, notify->area.y, notify->area.width, notify->area.height)});
                }
                std::free(event);
            }
        }
        return reports;
    }

private:
    xcb_connection_t* connection_;
    xcb_damage_damage_t damage_ = 0;
    uint8_t firstEvent_ = 0;
};

// The program's viewable top-level window, found by its process id; 0 if it has none yet.
xcb_window_t WindowOf(const VirtualDisplay& display, qint64 pid)
{
    xcb_connection_t* connection = display.Connection();
    const xcb_intern_atom_cookie_t atomCookie = xcb_intern_atom(connection, 0, 11, "_NET_WM_PID");
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, display.Root()), nullptr), &std::free);
    if (!atom || !tree)
        return 0;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> property(
            xcb_get_property_reply(connection,
                xcb_get_property(connection, 0, children[i], atom->atom, XCB_ATOM_CARDINAL, 0, 1), nullptr),
            &std::free);
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
            xcb_get_window_attributes_reply(
                connection, xcb_get_window_attributes(connection, children[i]), nullptr),
            &std::free);
        if (property && xcb_get_property_value_length(property.get()) == 4 && attributes
            && attributes->map_state == XCB_MAP_STATE_VIEWABLE
            && *static_cast<const uint32_t*>(xcb_get_property_value(property.get())) == pid)
            return children[i];
    }
    return 0;
}

// Where each second's dot is drawn in the main window at `size`: the same window, laid out here.
std::vector<QRect> SecondDots(QSize size)
{
    TForm1 form;
    form.AfterConstruction();
    form.resize(size);
    form.show();
    while (form.size() != size || form.VrLedClock1->width() == 0)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    std::vector<QRect> dots;
    dots.reserve(60);
    for (int second = 0; second < 60; ++second)
        dots.push_back(
            form.VrLedClock1->SecondDotRect(second).translated(form.VrLedClock1->mapTo(&form, QPoint())));
    return dots;
}

int Area(const QRegion& region)
{
    int area = 0;
    for (const QRect& rect : region)
        area += rect.width() * rect.height();
    return area;
}

int SecondOfMinute(double secondsSinceEpoch)
{
    const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local.tm_sec;
}

void PrintSpread(const char* what, const std::vector<double>& values, const char* unit)
{
    std::printf("%s: median %.2f %s, p90 %.2f, p99 %.2f, max %.2f (%zu samples)\n", what,
        bench::Percentile(values, 0.5), unit, bench::Percentile(values, 0.9), bench::Percentile(values, 0.99),
        bench::Percentile(values, 1.0), values.size());
}

int MeasureProgram(const QString& program, int seconds, QSize size, int busy)
{
    const std::vector<QRect> dots = SecondDots(size);
    const BusyLoops load(busy);
    VirtualDisplay display(size.expandedTo(QSize(800, 700)));
    if (!display.Connection()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 1;
    }
    // The clock's own figures are read over a session bus of the bench's own, as an operator would.
    PrivateBus session(PrivateBus::Kind::Session);
    if (!session.Start()) {
        std::fprintf(stderr, "%s\n", qPrintable(session.Error()));
        return 1;
    }
    QProcess clock;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(session.AddressVariable(), session.Address());
    environment.insert(QStringLiteral("DISPLAY"), display.Name());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    clock.setProcessEnvironment(environment);
    clock.setProcessChannelMode(QProcess::ForwardedChannels);
    clock.start(program, {});
    xcb_window_t window = 0;
    for (int attempt = 0; attempt < 200 && !window; ++attempt) {
        QThread::msleep(50);
        window = WindowOf(display, clock.processId());
    }
    if (!window) {
        std::fprintf(stderr, "%s showed no window\n", qPrintable(program));
        return 1;
    }
    const uint32_t geometry[]
        = {0, 0, static_cast<uint32_t>(size.width()), static_cast<uint32_t>(size.height())};
    xcb_configure_window(display.Connection(), window,
        XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
        geometry);
    xcb_flush(display.Connection());
    QThread::msleep(2000);  // the new size laid out and painted

    DamageWatch watch(display.Connection(), window);
    const double start = std::floor(SecondsSinceEpoch(Clock::now())) + 1;
    const double end = start + seconds;
    // Watched from a little before the first boundary: a report that comes as the first second
    // begins is not lost, and one that comes before it is seen as early.
    constexpr double kLookBehind = 0.1;
    watch.Collect(start - kLookBehind);
    const double programCpu = CpuSeconds(clock.processId());
    const double serverCpu = CpuSeconds(display.ServerPid());
    const std::vector<Damage> reports = watch.Collect(end);
    const double programUsed = CpuSeconds(clock.processId()) - programCpu;
    const double serverUsed = CpuSeconds(display.ServerPid()) - serverCpu;
    QProcess timing;
    timing.setProcessEnvironment(environment);
    timing.start(program, {QStringLiteral("--timing")});
    timing.waitForFinished(10000);
    const QByteArray selfMeasured = timing.readAllStandardOutput() + timing.readAllStandardError();
    clock.kill();
    clock.waitForFinished(5000);

    std::map<long, std::vector<const Damage*>> bySecond;
    for (const Damage& report : reports)
        bySecond[static_cast<long>(report.at)].push_back(&report);
    std::vector<double> latencies;
    std::vector<double> ordinaryPixels;
    std::vector<double> minutePixels;
    int skipped = 0;
    int early = 0;
    for (auto second = static_cast<long>(start); second < static_cast<long>(end); ++second) {
        const int ofMinute = SecondOfMinute(static_cast<double>(second));
        // At a new minute dot 0 stays lit and the rest of the ring goes: dot 1 shows the change.
        const QRect marker = dots.at(static_cast<std::size_t>(std::max(ofMinute, 1)));
        QRegion damaged;
        double first = -1;
        for (const Damage* report : bySecond[second]) {
            damaged += report->area;
            if (first < 0 && report->area.intersects(marker))
                first = report->at - static_cast<double>(second);
        }
        // The marker changed in the second before: shown early, unless that second emptied the
        // ring (a new minute) and so erased the marker rightly.
        double changedBefore = -1;
        if (SecondOfMinute(static_cast<double>(second - 1)) != 0)
            for (const Damage* report : bySecond[second - 1])
                if (report->area.intersects(marker))
                    changedBefore = static_cast<double>(second) - report->at;
        if (changedBefore >= 0) {
            ++early;
            std::printf("early: the dot of second %d changed %.3f ms before its boundary\n", ofMinute,
                changedBefore * 1000);
        } else if (first < 0)
            ++skipped;
        else
            latencies.push_back(first * 1000);
        (ofMinute == 0 ? minutePixels : ordinaryPixels).push_back(Area(damaged));
    }
    const QRect dotBox = dots.at(1).adjusted(1, 1, -1, -1);
    std::printf("busy loops beside the program: %d\n", busy);
    std::printf("window %dx%d, %d s; the second dot's box %dx%d = %d pixels\n", size.width(), size.height(),
        seconds, dotBox.width(), dotBox.height(), dotBox.width() * dotBox.height());
    PrintSpread("boundary to the new dot's first change", latencies, "ms");
    std::printf("skipped seconds: %d\nearly seconds: %d\n", skipped, early);
    PrintSpread("pixels damaged per ordinary second", ordinaryPixels, "px");
    PrintSpread("pixels damaged per minute change", minutePixels, "px");
    const double watched = seconds + kLookBehind;
    std::printf("CPU: program %.3f %%, X server %.3f %%, together %.3f %% of one core\n",
        100 * programUsed / watched, 100 * serverUsed / watched, 100 * (programUsed + serverUsed) / watched);
    std::printf("the clock's own figures (studio-clock --timing; completed minutes only):\n%s",
        selfMeasured.constData());
    return 0;
}

// The watcher's own honesty: nothing reported for a window nobody draws on, and a drawing made at
// a known moment reported within a fraction of a millisecond.
int SelfTest()
{
    VirtualDisplay display(QSize(800, 600));
    if (!display.Connection())
        return 1;
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(qPrintable(display.Name()), nullptr), &xcb_disconnect);
    xcb_connection_t* painter = connection.get();
    const xcb_window_t window = xcb_generate_id(painter);
    const uint32_t black = xcb_setup_roots_iterator(xcb_get_setup(painter)).data->black_pixel;
    xcb_create_window(painter, XCB_COPY_FROM_PARENT, window, display.Root(), 0, 0, 400, 300, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, &black);
    xcb_map_window(painter, window);
    const xcb_gcontext_t pen = xcb_generate_id(painter);
    const uint32_t white = xcb_setup_roots_iterator(xcb_get_setup(painter)).data->white_pixel;
    xcb_create_gc(painter, pen, window, XCB_GC_FOREGROUND, &white);
    xcb_flush(painter);
    QThread::msleep(500);

    DamageWatch watch(display.Connection(), window);
    const std::vector<Damage> still = watch.Collect(SecondsSinceEpoch(Clock::now()) + 3);
    std::printf("a window nobody draws on, 3 s: %zu damage reports\n", still.size());

    std::vector<double> delays;
    for (int i = 0; i < 100; ++i) {
        const xcb_rectangle_t dot{static_cast<int16_t>(10 + i), 10, 8, 8};
        const double drawn = SecondsSinceEpoch(Clock::now());
        xcb_poly_fill_rectangle(painter, window, pen, 1, &dot);
        xcb_flush(painter);
        const std::vector<Damage> seen = watch.Collect(drawn + 0.02);
        if (!seen.empty())
            delays.push_back((seen.front().at - drawn) * 1000);
    }
    PrintSpread("a dot drawn at a known moment, to its report", delays, "ms");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the layout is computed here, off screen
    framework::Application application(argc, argv);
    application.Initialize();
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--self-test")))
        return SelfTest();
    QString program = QStringLiteral(STUDIO_CLOCK_PROGRAM);
    const qsizetype programAt = arguments.indexOf(QStringLiteral("--program"));
    if (programAt >= 0 && programAt + 1 < arguments.size()) {
        program = arguments.at(programAt + 1);
        arguments.remove(programAt, 2);
    }
    int busy = 0;
    const qsizetype busyAt = arguments.indexOf(QStringLiteral("--busy"));
    if (busyAt >= 0) {
        bool number = false;
        busy = arguments.value(busyAt + 1).toInt(&number);
        busy = number ? busy : -1;
        arguments.remove(busyAt, std::min<qsizetype>(2, arguments.size() - busyAt));
    }
    const int seconds = arguments.value(0, QStringLiteral("60")).toInt();
    const QStringList size = arguments.value(1, QStringLiteral("789x640")).split(QLatin1Char('x'));
    const QSize windowSize(size.value(0).toInt(), size.value(1).toInt());
    if (seconds <= 0 || windowSize.width() <= 0 || windowSize.height() <= 0 || busy < 0 || busy > 64) {
        std::fprintf(stderr,
            "usage: bench_damage [seconds] [WIDTHxHEIGHT] [--program PATH] [--busy N, 0..64] | "
            "--self-test\n");
        return 2;
    }
    return MeasureProgram(program, seconds, windowSize, busy);
}
