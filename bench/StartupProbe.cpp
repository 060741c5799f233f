// Start-up probe for bench/startup.sh, linked into a copy of the program built for the benchmark
// only: when STUDIO_CLOCK_STARTUP_PROBE holds the launch time (nanoseconds since the epoch), the
// first paint inside a window prints the time since launch and the peak resident memory, then ends
// the program.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// Peak resident set size in kilobytes, as the kernel counts it.
long PeakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    const auto peak = std::find_if(
        lines.begin(), lines.end(), [](const QByteArray& line) { return line.startsWith("VmHWM:"); });
    return peak != lines.end() ? peak->mid(6).trimmed().split(' ').value(0).toLong() : -1;
}

class StartupProbe : public QObject {
public:
    StartupProbe(QObject* parent, qint64 launchNs)
        : QObject(parent)
        , launchNs_(launchNs)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report();

    qint64 launchNs_;
    bool reported_ = false;
};

// The program has one window and its content covers it whole, so the first paint of any widget
// in a shown window is the first frame.
bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Paint && !reported_ && widget && widget->window()->isVisible()) {
        reported_ = true;
        // Queued, so the report comes after the frame is painted and flushed.
        QMetaObject::invokeMethod(this, &StartupProbe::Report, Qt::QueuedConnection);
    }
    return false;
}

void StartupProbe::Report()
{
    const auto nowNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch())
                           .count();
    std::printf("first-frame-ms %.1f\npeak-rss-kb %ld\n", (nowNs - launchNs_) / 1e6, PeakResidentKb());
    std::fflush(stdout);
    QCoreApplication::quit();
}

void WatchStartUp()
{
    bool ok = false;
    const qint64 launchNs = qEnvironmentVariable("STUDIO_CLOCK_STARTUP_PROBE").toLongLong(&ok);
    if (ok)
        QCoreApplication::instance()->installEventFilter(
            new StartupProbe(QCoreApplication::instance(), launchNs));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchStartUp)
