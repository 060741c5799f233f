// Measures the resizer panel and the main window's scaling.
//   bench_resizer panel    one size change of a panel holding 10 to 5,000 controls, flat and
//                          nested three deep, each control with a font handler
//   bench_resizer window   the main window: one size change, and size change plus repaint while
//                          its edge is dragged a few pixels at a time (one frame per step)
#include "app/Unit1.h"
#include "bench/BenchStats.h"
#include "framework/Application.h"
#include "resizer/NoBDERP.h"

#include <cstdio>
#include <cstring>

using resizer::TNoBDEResizerPanel;

namespace {

// Fills `container` with `count` controls, in rows of boxes; with `depth` > 1 they are spread over
// boxes nested that many levels deep.
void Populate(QWidget* container, int count, int depth)
{
    if (count <= 0)
        return;
    if (depth <= 1) {
        for (int i = 0; i < count; ++i) {
            auto* control = new QWidget(container);  // owned by the container
            control->setGeometry((i % 50) * 20, (i / 50) * 10, 18, 8);
        }
        return;
    }
    const int boxes = std::min(10, count);
    for (int box = 0; box < boxes; ++box) {
        auto* group = new QWidget(container);
        group->setGeometry(box * 100, 0, 100, 1000);
        const int share = count / boxes + (box < count % boxes ? 1 : 0);
        Populate(group, share - 1, depth - 1);
    }
}

void PanelSizeChanges()
{
    for (const int depth : {1, 3}) {
        for (const int count : {10, 100, 1000, 5000}) {
            QWidget window;
            window.resize(1000, 1000);
            auto* panel = new TNoBDEResizerPanel(&window);
            panel->setGeometry(0, 0, 1000, 1000);
            panel->setAllowChanges(true);
            panel->Loaded();
            Populate(panel, count, depth);
            window.show();
            QCoreApplication::processEvents();
            std::vector<double> times;
            times.reserve(40);
            for (int i = 0; i < 40; ++i) {
                const int size = i % 2 ? 1000 : 900;
                times.push_back(bench::MillisecondsOf([&] { panel->resize(size, size); }));
            }
            std::printf("%s, %5zu controls: median %.3f ms, p99 %.3f ms per size change\n",
                depth == 1 ? "flat           " : "nested 3 deep  ", panel->ControlHandlers().size(),
                bench::Percentile(times, 0.5), bench::Percentile(times, 0.99));
        }
    }
}

// Resizes the window and waits until its content has the new size.
void ResizeWindow(TForm1& form, int width, int height)
{
    form.resize(width, height);
    while (form.NoBDEResizerPanel1->size() != QSize(width, height))
        QCoreApplication::processEvents();
}

void WindowSizeChanges()
{
    TForm1 form;
    form.AfterConstruction();
    form.show();
    QCoreApplication::processEvents();
    std::vector<double> sizeChanges;
    sizeChanges.reserve(100);
    for (int i = 0; i < 100; ++i)
        sizeChanges.push_back(
            bench::MillisecondsOf([&] { ResizeWindow(form, i % 2 ? 789 : 1100, i % 2 ? 640 : 900); }));
    // Dragging the bottom-right corner out and back, five pixels per frame.
    std::vector<double> frames;
    frames.reserve(200);
    for (int step = 0; step < 200; ++step) {
        const int offset = 5 * (step < 100 ? step : 200 - step);
        frames.push_back(bench::MillisecondsOf([&] {
            ResizeWindow(form, 789 + offset, 640 + offset);
            form.repaint();
        }));
    }
    std::printf("main window size change: median %.3f ms, p99 %.3f ms\n", bench::Percentile(sizeChanges, 0.5),
        bench::Percentile(sizeChanges, 0.99));
    std::printf("dragging the edge, size change to repainted window: median %.3f ms, p99 %.3f ms, "
                "worst %.3f ms over %zu frames\n",
        bench::Percentile(frames, 0.5), bench::Percentile(frames, 0.99), bench::Percentile(frames, 1.0),
        frames.size());
}

}  // namespace

int main(int argc, char** argv)
{
    framework::Application application(argc, argv);
    application.Initialize();
    const char* mode = argc > 1 ? argv[1] : "panel";
    if (std::strcmp(mode, "panel") == 0)
        PanelSizeChanges();
    else if (std::strcmp(mode, "window") == 0)
        WindowSizeChanges();
    else
        std::fprintf(stderr, "usage: bench_resizer [panel|window]\n");
    return 0;
}
