// Measures the display module: the delivery latency of thread-mode ticks, the CPU an idle timer
// uses, the cost of picture-filled text and of painting the date line.
//   bench_display [seconds of idle measurement, default 60]
#include "bench/BenchStats.h"
#include "display/DrawingUtils.h"
#include "display/VrLabel.h"
#include "display/VrThreads.h"
#include "framework/Application.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using namespace display;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void DeliveryLatency()
{
    constexpr int kTicks = 1000;
    std::vector<double> latencies;
    latencies.reserve(kTicks);
    TVrTimer timer;
    QEventLoop loop;
    QObject::connect(&timer, &TVrTimer::OnTimer, &loop, [&] {
        const auto waited = Clock::now() - timer.Worker()->LastWaitEnd();
        latencies.push_back(std::chrono::duration<double, std::milli>(waited).count());
        if (static_cast<int>(latencies.size()) == kTicks)
            loop.quit();
    });
    timer.setInterval(2);
    loop.exec();
    std::printf("thread tick delivery latency over %d ticks: median %.3f ms, p99 %.3f ms, max %.3f ms\n",
        kTicks, bench::Percentile(latencies, 0.5), bench::Percentile(latencies, 0.99),
        bench::Percentile(latencies, 1.0));
}

void IdleCpu(int seconds)
{
    TVrTimer timer;
    int ticks = 0;
    QObject::connect(&timer, &TVrTimer::OnTimer, &timer, [&] { ++ticks; });
    timer.setEnabled(false);  // 1000 ms is the default: starting needs a change of a setting
    timer.setEnabled(true);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    loop.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("idle timer at 1000 ms for %d s: %d ticks, CPU %.4f s = %.4f %% of one core\n", seconds,
        ticks, cpu, 100.0 * cpu / (wall.elapsed() / 1000.0));
}

void PictureText()
{
    constexpr int kCalls = 300;
    QImage target(785, 41, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::lightGray);
    framework::TCanvas canvas(&target);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(27);
    canvas.Font().Font = font;
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 4, 128));
    std::vector<double> times;
    times.reserve(kCalls);
    for (int i = 0; i < kCalls; ++i) {
        times.push_back(bench::MillisecondsOf([&] {
            TextOutBitmap(canvas, framework::Rect(0, 0, 785, 41), 120, 6,
                QStringLiteral("TUESDAY DECEMBER 8 , 2026"), picture, 0);
            canvas.Flush();
        }));
    }
    std::printf("TextOutBitmap on 785 x 41 over %d calls: median %.3f ms, p99 %.3f ms\n", kCalls,
        bench::Percentile(times, 0.5), bench::Percentile(times, 0.99));
}

void DateLinePaint()
{
    TVrLabel label;
    label.setGeometry(0, 0, 785, 41);
    label.setFont(QFont(QStringLiteral("Arial")));
    label.setFontHeight(-27);
    label.setCaption(QStringLiteral("TERÇA-FEIRA, 8  DE  DEZEMBRO  DE  2026"));
    label.show();
    QCoreApplication::processEvents();
    for (const bool picture : {false, true}) {
        if (picture) {
            QImage fill(64, 64, QImage::Format_RGB32);
            fill.fill(Qt::darkCyan);
            label.setBitmap(fill);
        }
        std::vector<double> times(500);
        for (double& time : times)
            time = bench::MillisecondsOf([&] { label.repaint(); });
        std::printf("date line paint 785 x 41%s: median %.3f ms, p99 %.3f ms\n",
            picture ? " with a picture" : "", bench::Percentile(times, 0.5), bench::Percentile(times, 0.99));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");  // nothing is shown; a display is not needed
    framework::Application application(argc, argv);
    application.Initialize();
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    PictureText();
    DateLinePaint();
    DeliveryLatency();
    IdleCpu(idleSeconds);
    return 0;
}
