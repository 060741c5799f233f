#pragma once

#include <QObject>

// Measures start-up for the benchmark: when STUDIO_CLOCK_STARTUP_PROBE holds the launch time
// (nanoseconds since the epoch), the first paint inside the watched window prints the time
// since launch and the peak resident memory, then ends the program. Otherwise it does nothing.
class StartupProbe : public QObject {
    Q_OBJECT
public:
    static void WatchIfRequested(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StartupProbe(QObject* parent, qint64 launchNs);
    void Report();

    qint64 launchNs_;
    bool reported_ = false;
};
