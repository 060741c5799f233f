#include "app/CountdownTarget.h"

#include <QRegularExpression>

namespace {

constexpr qint64 kSecondsPerHour = 3600;

QString Usage()
{
    return QStringLiteral(
        "write :MM or :MM:SS for a mark of every hour (\":00\" is the full hour), or HH:MM or "
        "HH:MM:SS for a time of day");
}

}  // namespace

CountdownTarget::CountdownTarget(bool hourly, int hour, int minute, int second)
    : hourly_(hourly)
    , hour_(hour)
    , minute_(minute)
    , second_(second)
{
}

std::optional<CountdownTarget> CountdownTarget::Parse(const QString& text, QString* why)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})?:(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch()) {
        *why = QStringLiteral("\"%1\" names no countdown target: %2").arg(text, Usage());
        return std::nullopt;
    }
    const bool hourly = match.captured(1).isEmpty();
    const int hour = hourly ? 0 : match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    const int second = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    if (hour > 23 || minute > 59 || second > 59) {
        *why = QStringLiteral("\"%1\" is no time: hours run from 0 to 23, minutes and seconds from 00 to 59")
                   .arg(text);
        return std::nullopt;
    }
    return CountdownTarget(hourly, hour, minute, second);
}

QString CountdownTarget::Text() const
{
    const QString mark = second_
        ? QStringLiteral(":%1:%2").arg(minute_, 2, 10, QLatin1Char('0')).arg(second_, 2, 10, QLatin1Char('0'))
        : QStringLiteral(":%1").arg(minute_, 2, 10, QLatin1Char('0'));
    return hourly_ ? mark : QStringLiteral("%1").arg(hour_, 2, 10, QLatin1Char('0')) + mark;
}

QDateTime CountdownTarget::NextFrom(const QDateTime& from) const
{
    return hourly_ ? NextMarkOfTheHour(from) : NextTimeOfDay(from);
}

QDateTime CountdownTarget::NextMarkOfTheHour(const QDateTime& from) const
{
    // The wall clock reads the mark at an instant whose own offset from UTC turns it into the
    // mark; across a change of summer time the offset on either side may be the one.
    const qint64 fromMSecs = from.toMSecsSinceEpoch();
    const qint64 local = fromMSecs / 1000 + from.offsetFromUtc();
    const qint64 firstMark = local - (local % kSecondsPerHour) + minute_ * 60LL + second_;
    std::optional<qint64> next;
    for (qint64 mark = firstMark; mark <= firstMark + 2 * kSecondsPerHour; mark += kSecondsPerHour)
        for (const int offset : {from.offsetFromUtc(), QDateTime::fromSecsSinceEpoch(mark).offsetFromUtc(),
                 QDateTime::fromSecsSinceEpoch(mark - kSecondsPerHour).offsetFromUtc()}) {
            const qint64 instant = mark - offset;
            if (instant * 1000 >= fromMSecs
                && QDateTime::fromSecsSinceEpoch(instant).offsetFromUtc() == offset
                && (!next || instant < *next))
                next = instant;
        }
    return next ? QDateTime::fromSecsSinceEpoch(*next) : QDateTime();
}

QDateTime CountdownTarget::NextTimeOfDay(const QDateTime& from) const
{
    const QTime time(hour_, minute_, second_);
    for (int day = -1; day <= 2; ++day) {
        const QDate date = from.date().addDays(day);
        QDateTime candidate(date, time);
        // A time a change to summer time skips: the moment the clock jumps to.
        for (int minutes = 1; !candidate.isValid() && minutes <= 180; ++minutes)
            candidate = QDateTime(date, time.addSecs(60LL * minutes));
        if (candidate.isValid() && candidate.toMSecsSinceEpoch() >= from.toMSecsSinceEpoch())
            return candidate;
    }
    return {};
}
