// A window made the plain Qt way: a QApplication, a form compiled by uic and its setupUi, nothing
// of the components' own framework. Checks that the clock ticks and that the resizer panel, once
// the window is doubled, doubled what it holds, fonts included; says what is wrong and exits with
// 1 when either did not happen.
#include "display/VrThreads.h"
#include "ui_ComponentsWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

// Serves events until `done` holds, or for at most ten seconds on a machine that is very slow.
template <typename Done> bool ServeUntil(Done done)
{
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

QRect Doubled(const QRect& bounds)
{
    return {bounds.topLeft() * 2, bounds.size() * 2};
}

QString Text(const QRect& bounds)
{
    return QStringLiteral("%1 x %2 at %3, %4")
        .arg(bounds.width())
        .arg(bounds.height())
        .arg(bounds.x())
        .arg(bounds.y());
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    Ui::ComponentsWindow form;
    form.setupUi(&window);
    int ticks = 0;
    // Connected the plain Qt way, so the handler must not raise.
    QObject::connect(form.ledClock->Timer(), &display::TVrTimer::OnTimer, [&ticks] { ++ticks; });
    window.show();

    QStringList wrong;
    const QSize designed(480, 320);
    if (!ServeUntil([&] { return form.resizerPanel->size() == designed; }))
        wrong << QStringLiteral("The panel never took the size of the window.");
    const QRect clock = form.ledClock->geometry();
    const QRect caption = form.caption->geometry();
    const int textHeight = form.caption->font().pixelSize();
    window.resize(designed * 2);
    ServeUntil([&] { return form.ledClock->geometry() == Doubled(clock); });
    if (form.ledClock->geometry() != Doubled(clock))
        wrong << QStringLiteral("The clock is %1, not %2.")
                     .arg(Text(form.ledClock->geometry()), Text(Doubled(clock)));
    if (form.caption->geometry() != Doubled(caption))
        wrong << QStringLiteral("The caption is %1, not %2.")
                     .arg(Text(form.caption->geometry()), Text(Doubled(caption)));
    if (std::abs(form.caption->font().pixelSize() - 2 * textHeight) > 1)
        wrong << QStringLiteral("The caption's text is %1 pixels high, not about %2.")
                     .arg(form.caption->font().pixelSize())
                     .arg(2 * textHeight);
    if (!ServeUntil([&ticks] { return ticks > 0; }))
        wrong << QStringLiteral("The clock never ticked.");

    if (!wrong.isEmpty()) {
        std::fprintf(stderr, "A plain Qt program's components failed:\n%s\n", qPrintable(wrong.join('\n')));
        return EXIT_FAILURE;
    }
    std::printf("In a plain Qt program the clock ticks and the resizer panel scales what it holds.\n");
    return EXIT_SUCCESS;
}
