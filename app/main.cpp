#include "app/StartOptions.h"
#include "app/Unit1.h"
#include "framework/Application.h"
#include "framework/LocaleId.h"
#include "resources/Resources.h"

int main(int argc, char** argv)
{
    // The runtime's own start: the locale is taken once, as it is now.
    framework::CaptureThreadLocale();

    framework::Application application(argc, argv);
    application.setApplicationName(QStringLiteral("studio-clock"));
    // Ties the window to the installed desktop entry and its icon (Wayland's app id).
    application.setDesktopFileName(QStringLiteral(STUDIO_CLOCK_APP_ID));
    application.setApplicationVersion(resources::ApplicationVersion());
    application.setWindowIcon(resources::ApplicationIcon());
    const StartOptions options = ReadStartOptions(application);
    application.Initialize();

    application.CreateForm(Form1);
    if (options.fullScreen)
        Form1->setWindowState(Form1->windowState() | Qt::WindowFullScreen);
    return application.Run();
}
