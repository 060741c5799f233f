#include "app/ClockBusObject.h"
#include "app/ClockTiming.h"
#include "app/ClockTrustFollower.h"
#include "app/RunningClocks.h"
#include "app/SchedulingPriority.h"
#include "app/ScreenChoice.h"
#include "app/ScreenFollower.h"
#include "app/StartOptions.h"
#include "app/StudioSignals.h"
#include "app/TimeServiceWatch.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/LocaleId.h"
#include "resources/Resources.h"

#include <cstdio>

namespace {

// What the program adds around the window: the time services asked beside the kernel, the clock's
// own timing measured, and all of it offered on the session bus.
void WatchTheClock(TForm1* window, const SchedulingPriority* priority)
{
    auto* const services = new TimeServiceWatch(window);
    ClockTrustFollower* const trust = window->ClockTrust();
    QObject::connect(services, &TimeServiceWatch::Reported, trust, &ClockTrustFollower::TakeServiceReport);
    QObject::connect(trust, &ClockTrustFollower::KernelCorrected, services, &TimeServiceWatch::AskNow);
    services->AskNow();
    new ClockBusObject(window, trust, new ClockTiming(window->VrLedClock1), priority, window->Studio());
}

}  // namespace

int main(int argc, char** argv)
{
    // The runtime's own start: the locale is taken once, as it is now.
    framework::CaptureThreadLocale();

    QCoreApplication::setApplicationName(QStringLiteral("studio-clock"));
    QCoreApplication::setApplicationVersion(resources::ApplicationVersion());
    // Read before the application object connects to the display, which help needs no more than a
    // mistake does.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions options = ReadStartOptions(arguments);
    if (options.exitCode)
        return *options.exitCode;
    if (options.timing || !options.changes.isEmpty()) {
        const QCoreApplication application(argc, argv);
        return options.timing ? PrintTiming(RunningClocks())
                              : ChangeRunningClocks(RunningClocks(), options.changes);
    }

    framework::Application application(argc, argv);
    // Asked first, so that the threads made from here on share the priority.
    auto* const priority = new SchedulingPriority(QDBusConnection::systemBus(), &application);
    priority->Request();
    // Ties the window to the installed desktop entry and its icon (Wayland's app id).
    application.setDesktopFileName(QStringLiteral(STUDIO_CLOCK_APP_ID));
    application.setWindowIcon(resources::ApplicationIcon());
    application.Initialize();
    // Only the display knows its screens, so a screen it lacks is found out here.
    QScreen* const screen = options.screen.isEmpty() ? nullptr : ChosenScreen(options.screen);
    if (!options.screen.isEmpty() && !screen) {
        std::fputs(qPrintable(QStringLiteral("%1: %2\n")
                                  .arg(QCoreApplication::applicationName(), NoSuchScreen(options.screen))),
            stderr);
        return 1;
    }

    application.CreateForm(Form1);
    WatchTheClock(Form1, priority);
    Form1->Studio()->SetCountdown(options.countdown);
    if (screen)
        new ScreenFollower(Form1, screen);
    if (options.fullScreen)
        Form1->setWindowState(Form1->windowState() | Qt::WindowFullScreen);
    return application.Run();
}
