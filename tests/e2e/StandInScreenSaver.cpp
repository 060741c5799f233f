#include "tests/e2e/StandInScreenSaver.h"

StandInScreenSaver::StandInScreenSaver(Answer answer, Service service)
    : answer_(answer)
    , kind_(service)
{
}

bool StandInScreenSaver::Start(int firstCookie)
{
    return StartBus() && StartService(firstCookie);
}

bool StandInScreenSaver::Restart(int firstCookie)
{
    bus_.StopService(service_);
    return StartService(firstCookie);
}

bool StandInScreenSaver::StartService(int firstCookie)
{
    QStringList arguments{QStringLiteral(STUDIO_CLOCK_SCREEN_SAVER_STAND_IN),
        bus_.FilePath(QStringLiteral("calls")), QString::number(firstCookie)};
    static const char* const kServices[] = {"screensaver", "gnome", "portal"};
    arguments << QStringLiteral("--service") << QLatin1String(kServices[static_cast<int>(kind_)]);
    if (answer_ == Answer::Refuses)
        arguments << QStringLiteral("--refuse");
    if (answer_ == Answer::AcceptsLate)
        arguments << QStringLiteral("--late") << QStringLiteral("6");
    service_ = bus_.StartService(arguments);
    return service_ != nullptr;
}
