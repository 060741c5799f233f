#include "app/ScreenChoice.h"
#include "app/ScreenFollower.h"
#include "app/StartOptions.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/LocaleId.h"
#include "resources/Resources.h"

#include <cstdio>

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

    framework::Application application(argc, argv);
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
    if (screen)
        new ScreenFollower(Form1, screen);
    if (options.fullScreen)
        Form1->setWindowState(Form1->windowState() | Qt::WindowFullScreen);
    return application.Run();
}
