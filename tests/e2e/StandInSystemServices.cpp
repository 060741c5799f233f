#include "tests/e2e/StandInSystemServices.h"

bool StandInSystemServices::StartTimeSyncd(const TimeSyncd& answer)
{
    QStringList arguments{QStringLiteral(STUDIO_CLOCK_TIME_SERVICE_STAND_IN),
        bus_.FilePath(QStringLiteral("calls")), QStringLiteral("--server"), answer.server,
        QStringLiteral("--poll"), QString::number(answer.pollS), QStringLiteral("--stratum"),
        QString::number(answer.stratum), QStringLiteral("--offset-us"), QString::number(answer.offsetUs)};
    if (answer.answeredAtS)
        arguments << QStringLiteral("--answered-at") << QString::number(*answer.answeredAtS);
    else
        arguments << QStringLiteral("--age") << QString::number(answer.ageS);
    static const char* const kAnswers[] = {nullptr, "--no-answer-yet", "--garbage", "--hang"};
    if (const char* option = kAnswers[static_cast<int>(answer.answer)])
        arguments << QLatin1String(option);
    if (answer.answer == TimeSyncd::Answer::Garbage)
        arguments << answer.garbled;
    return bus_.StartService(arguments) != nullptr;
}

bool StandInSystemServices::StartRealtimeKit(RealtimeKit answer, int minNiceLevel)
{
    QStringList arguments{QStringLiteral(STUDIO_CLOCK_REALTIME_KIT_STAND_IN),
        bus_.FilePath(QStringLiteral("calls")), QStringLiteral("--min-nice"), QString::number(minNiceLevel)};
    if (answer == RealtimeKit::Refuses)
        arguments << QStringLiteral("--refuse");
    return bus_.StartService(arguments) != nullptr;
}

bool StandInSystemServices::MakeTimeSyncdStartable()
{
    return bus_.AddActivatable(QStringLiteral("org.freedesktop.timesync1"),
        QStringLiteral("touch ") + bus_.FilePath(QStringLiteral("started")));
}

bool StandInSystemServices::TimeSyncdWasStarted() const
{
    return QFileInfo::exists(bus_.FilePath(QStringLiteral("started")));
}
