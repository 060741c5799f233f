// A window laid out in Qt Designer with the studio clock's components: an LED clock and a styled
// label on a resizer panel, which keeps both, fonts included, in proportion to the window.
//   components-example [--quit-after MILLISECONDS]
#include "framework/Application.h"
#include "framework/Component.h"
#include "ui_ComponentsWindow.h"

#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv)
{
    framework::Application application(argc, argv);
    application.Initialize();

    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"), QStringLiteral("Closes the window after <ms>."), QStringLiteral("ms"));
    options.addOption(quitAfter);
    options.process(application);

    QWidget window;
    Ui::ComponentsWindow layout;
    // Read as a stored layout: each component's Loaded runs once all its values are set.
    framework::LayoutReading::Read([&] { layout.setupUi(&window); });
    window.show();

    if (options.isSet(quitAfter))
        QTimer::singleShot(options.value(quitAfter).toInt(), &window, &QWidget::close);
    return application.exec();
}
