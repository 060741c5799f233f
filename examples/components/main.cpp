// A window laid out in Qt Designer with the studio clock's components: an LED clock and a styled
// label on a resizer panel, which keeps both, fonts included, in proportion to the window. The
// layout is compiled in by uic, or read at run time from a form file.
//   components-example [--form FILE.ui] [--quit-after MILLISECONDS]
#include "forms/FormLoader.h"
#include "framework/Application.h"
#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "ui_ComponentsWindow.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<QWidget> CompiledWindow()
{
    auto window = std::make_unique<QWidget>();
    Ui::ComponentsWindow layout;
    // Read as a stored layout: each component's Loaded runs once all its values are set.
    framework::LayoutReading::Read([&] { layout.setupUi(window.get()); });
    return window;
}

std::unique_ptr<QWidget> WindowFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw framework::EReadError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return std::unique_ptr<QWidget>(forms::LoadForm(file));
}

}  // namespace

int main(int argc, char** argv)
{
    framework::Application application(argc, argv);
    application.Initialize();

    QCommandLineParser options;
    options.addHelpOption();
    const QCommandLineOption form(QStringLiteral("form"),
        QStringLiteral("Reads the window from <file> made in Qt Designer."), QStringLiteral("file"));
    const QCommandLineOption quitAfter(
        QStringLiteral("quit-after"), QStringLiteral("Closes the window after <ms>."), QStringLiteral("ms"));
    options.addOptions({form, quitAfter});
    options.process(application);

    std::unique_ptr<QWidget> window;
    try {
        window = options.isSet(form) ? WindowFromFile(options.value(form)) : CompiledWindow();
    } catch (const framework::Exception& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        return 1;
    }
    window->show();

    if (options.isSet(quitAfter))
        QTimer::singleShot(options.value(quitAfter).toInt(), window.get(), &QWidget::close);
    return application.exec();
}
