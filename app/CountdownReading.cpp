#include "app/CountdownReading.h"

namespace {

constexpr qint64 kClosingSeconds = 10;
constexpr qint64 kSpokenSecondsLeft[] = {60, 30, 10, 0};

QString TwoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// "1 minute 30 seconds", "1 minuto e 30 segundos".
QString SpokenSpan(qint64 seconds, bool portuguese)
{
    const qint64 minutes = seconds / 60;
    const qint64 rest = seconds % 60;
    const auto count = [portuguese](qint64 n, const char* english, const char* portugueseWord) {
        return QStringLiteral("%1 %2%3").arg(QString::number(n),
            QLatin1String(portuguese ? portugueseWord : english), n == 1 ? QString() : QStringLiteral("s"));
    };
    QStringList parts;
    if (minutes)
        parts << count(minutes, "minute", "minuto");
    if (rest || !minutes)
        parts << count(rest, "second", "segundo");
    return parts.join(portuguese ? QStringLiteral(" e ") : QStringLiteral(" "));
}

}  // namespace

CountdownReading ReadCountdown(const CountdownTarget& target, const QDateTime& second)
{
    CountdownReading reading;
    // A target reached in the last few seconds still shows as reached.
    const QDateTime reached = target.NextFrom(second.addSecs(1 - kCountdownZeroSeconds));
    if (reached.isValid() && reached <= second) {
        reading.shown = true;
        reading.text = QStringLiteral("0:00");
        reading.closing = true;
        reading.target = reached;
        return reading;
    }
    reading.target = target.NextFrom(second);
    if (!reading.target.isValid())
        return reading;
    // Whole seconds, as the face counts them: a part of a second left still shows as one.
    const qint64 leftMs = second.msecsTo(reading.target);
    reading.secondsLeft = (leftMs + 999) / 1000;
    if (reading.secondsLeft > kCountdownShownSeconds)
        return reading;
    reading.shown = true;
    reading.closing = reading.secondsLeft <= kClosingSeconds;
    reading.text = QStringLiteral("\u2212%1:%2")
                       .arg(QString::number(reading.secondsLeft / 60), TwoDigits(reading.secondsLeft % 60));
    return reading;
}

bool PassesSpokenMoment(std::optional<qint64> before, const CountdownReading& now)
{
    if (!now.shown)
        return false;
    for (const qint64 moment : kSpokenSecondsLeft)
        if (now.secondsLeft <= moment && (!before || *before > moment))
            return true;
    return false;
}

QString SpokenCountdown(const CountdownReading& reading, bool portuguese)
{
    const QTime at = reading.target.time();
    const QString target = at.toString(at.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    if (reading.secondsLeft == 0)
        return target + (portuguese ? QStringLiteral(", agora") : QStringLiteral(", now"));
    return SpokenSpan(reading.secondsLeft, portuguese)
        + (portuguese ? QStringLiteral(" para as ") : QStringLiteral(" to ")) + target;
}
