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

// Options from more than one of `groups`, which cannot be given together, in one sentence; empty
// when they come from one group at most.
QString NotTogether(const QCommandLineParser& parser, const QList<QList<QCommandLineOption>>& groups)
{
    QString first;
    for (const QList<QCommandLineOption>& group : groups)
        for (const QCommandLineOption& option : group) {
            if (!parser.isSet(option))
                continue;
            const QString name = QStringLiteral("--") + option.names().constLast();
            if (first.isEmpty()) {
                first = name;
                break;  // the rest of its group may join it
            }
            return QStringLiteral("'%1' cannot be given with '%2'.").arg(name, first);
        }
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
    const QString targetWords = QStringLiteral(
        "TARGET is :MM or :MM:SS, a mark of every hour (:00, the full hour), or HH:MM[:SS], a time of day.");
    const QCommandLineOption countdown(QStringLiteral("countdown"),
        QStringLiteral("Count down to TARGET: from 10 minutes before it the face shows the time left, "
                       "red for the last 10 s, then 0:00. ")
            + targetWords,
        QStringLiteral("target"));
    const QCommandLineOption onAir(QStringLiteral("on-air"),
        QStringLiteral("Put the running clocks on air (their lit LEDs turn red; F9 in the window does "
                       "the same) and end; starts no clock. Exit code 0 when every clock took it, 1 "
                       "when no clock runs, 2 when one refused; the same for the three below."));
    const QCommandLineOption offAir(
        QStringLiteral("off-air"), QStringLiteral("Take the running clocks off air and end."));
    const QCommandLineOption setCountdown(QStringLiteral("set-countdown"),
        QStringLiteral("Count the running clocks down to TARGET and end."), QStringLiteral("target"));
    const QCommandLineOption clearCountdown(
        QStringLiteral("clear-countdown"), QStringLiteral("End the running clocks' countdown and end."));
    const QList<QCommandLineOption> own
        = {help, version, fullScreen, screen, countdown, timing, onAir, offAir, setCountdown, clearCountdown};
    parser.addOptions(own);
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(
            QString::fromLatin1(qt.name), QString(), qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    StartOptions options;
    const QString application = QCoreApplication::applicationName();
    QString problem = NotUnderstood(parser, arguments, own);
    // Starting a clock, reading the running ones, changing them: one at a time.
    const QList<QList<QList<QCommandLineOption>>> apart
        = {{{fullScreen, screen, countdown}, {timing}, {onAir, offAir, setCountdown, clearCountdown}},
            {{onAir}, {offAir}}, {{setCountdown}, {clearCountdown}}};
    for (const auto& groups : apart)
        if (problem.isEmpty())
            problem = NotTogether(parser, groups);
    // The target an option names; nullopt when it is not given or, with the reason said, names none.
    const auto target
        = [&parser, &problem](const QCommandLineOption& option) -> std::optional<CountdownTarget> {
        if (!problem.isEmpty() || !parser.isSet(option))
            return std::nullopt;
        QString why;
        std::optional<CountdownTarget> parsed = CountdownTarget::Parse(parser.value(option), &why);
        if (!parsed)
            problem
                = QStringLiteral("Cannot count down with '--%1': %2.").arg(option.names().constFirst(), why);
        return parsed;
    };
    options.countdown = target(countdown);
    if (const std::optional<CountdownTarget> remote = target(setCountdown))
        options.changes.insert(QStringLiteral("Countdown"), remote->Text());
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
    if (parser.isSet(onAir) || parser.isSet(offAir))
        options.changes.insert(QStringLiteral("OnAir"), parser.isSet(onAir));
    if (parser.isSet(clearCountdown))
        options.changes.insert(QStringLiteral("Countdown"), QString());
    return options;
}
