#include "app/StartOptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

// The options the application object and its platform plugin take from the command line
// themselves (X11's among them), and whether a value follows each.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {{"platform", true}, {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true}, {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true},
    {"reverse", false}, {"session", true}, {"display", true}, {"name", true}, {"nograb", false},
    {"dograb", false}, {"visual", true}, {"geometry", true}, {"icon", true}, {"title", true}, {"style", true},
    {"stylesheet", true}, {"widgetcount", false}, {"testability", false}, {"qmljsdebugger", true}};

// What of `arguments` the program does not understand, in one sentence; empty if it understands
// them all. `own` are the program's own options, which the parser knows besides Qt's.
QString NotUnderstood(
    QCommandLineParser& parser, const QStringList& arguments, const QList<QCommandLineOption>& own)
{
    if (!parser.parse(arguments))
        return parser.errorText();
    // The parser takes a word after one dash for an option, Qt's form; the program's own words take
    // two dashes, as documented.
    for (const QCommandLineOption& option : own)
        for (const QString& name : option.names())
            if (name.size() > 1 && arguments.contains(QLatin1Char('-') + name))
                return QStringLiteral("Unknown option '-%1'.").arg(name);
    // "--screen=" names no screen at all, as "--screen" alone does.
    for (const QCommandLineOption& option : own)
        if (!option.valueName().isEmpty() && parser.isSet(option) && parser.value(option).isEmpty())
            return QStringLiteral("Missing value after '--%1'.").arg(option.names().constLast());
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    return QString();
}

void Print(const QString& text, FILE* stream)
{
    std::fputs(qPrintable(text), stream);
}

}  // namespace

StartOptions ReadStartOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Qt's options are words after one dash (-platform): read as such, not as runs of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "A large LED clock for radio broadcast rooms.\nIt also takes the options of every Qt program, "
        "such as -platform name."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show the options and end."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Show the version and end."));
    const QCommandLineOption fullScreen(QStringLiteral("full-screen"),
        QStringLiteral("Start in full screen (F11 gives the window back). In full screen the screen is kept "
                       "awake, and the pointer hides after 3 s without movement."));
    const QCommandLineOption screen(QStringLiteral("screen"),
        QStringLiteral(
            "Open on this screen: its name as the desktop reports it (such as HDMI-1), or its "
            "number, counted from 0. The window follows that screen when it goes and comes back. On "
            "Wayland, where the compositor places windows, it takes effect in full screen."),
        QStringLiteral("name"));
    const QCommandLineOption timing(QStringLiteral("timing"),
        QStringLiteral(
            "Print how late the running clocks' seconds reach the screen (median, p99, worst and late "
            "seconds over the last minute and hour), read over the session bus, and end."));
    const QList<QCommandLineOption> own = {help, version, fullScreen, screen, timing};
    parser.addOptions(own);
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(
            QString::fromLatin1(qt.name), QString(), qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    StartOptions options;
    const QString application = QCoreApplication::applicationName();
    const QString problem = NotUnderstood(parser, arguments, own);
    if (!problem.isEmpty()) {
        Print(application + QStringLiteral(": ") + problem + QLatin1Char('\n'), stderr);
        options.exitCode = 1;
    } else if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program in its usage line.
        Print(parser.helpText().replace(QStringLiteral("<executable_name>"), application), stdout);
        options.exitCode = 0;
    } else if (parser.isSet(version)) {
        Print(application + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n'),
            stdout);
        options.exitCode = 0;
    }
    options.fullScreen = parser.isSet(fullScreen);
    options.screen = parser.value(screen);
    options.timing = parser.isSet(timing);
    return options;
}
