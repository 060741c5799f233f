#include "app/StartOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

StartOptions ReadStartOptions(const QCoreApplication& application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A large LED clock for radio broadcast rooms."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption fullScreen(
        QStringLiteral("full-screen"), QStringLiteral("Start in full screen (F11 gives the window back)."));
    parser.addOption(fullScreen);
    parser.process(application);

    StartOptions options;
    options.fullScreen = parser.isSet(fullScreen);
    return options;
}
