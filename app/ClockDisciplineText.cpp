#include "app/ClockDisciplineText.h"

#include <QDateTime>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// An error bound as an operator reads it: "0.4 ms", "12 ms", "1.6 s", "16 s". The bound is rounded
// before its unit is chosen, so that one that rounds up to the next unit is said in it: 999.6 ms is
// "1.0 s", never "1,000 ms" (which reads as one millisecond where "." groups thousands), and 9.96 ms
// is "10 ms", never "10.0 ms".
QString ErrorBound(qint64 microseconds, const QLocale& locale)
{
    struct Scale {
        qint64 step;        // what the last digit counts, in microseconds
        qint64 unit;        // in microseconds
        qint64 stepsBelow;  // used while the bound rounds to fewer steps than this
        const char* unitName;
    };
    static constexpr Scale kScales[] = {
        {100, 1000, 100, " ms"},
        {1000, 1000, 1000, " ms"},
        {100000, 1000000, 100, " s"},
        {1000000, 1000000, std::numeric_limits<qint64>::max(), " s"},
    };
    for (const Scale& scale : kScales) {
        // Halves round up; dividing first keeps the largest bound from overflowing.
        const qint64 steps
            = microseconds / scale.step + (microseconds % scale.step >= scale.step / 2 ? 1 : 0);
        if (steps < scale.stepsBelow) {
            const double units = static_cast<double>(steps) * static_cast<double>(scale.step)
                / static_cast<double>(scale.unit);
            return locale.toString(units, 'f', scale.step < scale.unit ? 1 : 0)
                + QLatin1String(scale.unitName);
        }
    }
    Q_UNREACHABLE();
}

// A span of a minute or more as an operator reads it: "3 min", "2 h 10 min", "3 d 4 h".
QString Span(qint64 milliseconds)
{
    const qint64 minutes = std::max<qint64>(0, milliseconds / 60000);
    const qint64 hours = minutes / 60;
    const qint64 days = hours / 24;
    const auto two = [](qint64 major, const char* majorUnit, qint64 minor, const char* minorUnit) {
        QString text = QStringLiteral("%1 %2").arg(major).arg(QLatin1String(majorUnit));
        if (minor)
            text += QStringLiteral(" %1 %2").arg(minor).arg(QLatin1String(minorUnit));
        return text;
    };
    if (days)
        return two(days, "d", hours % 24, "h");
    if (hours)
        return two(hours, "h", minutes % 60, "min");
    return QStringLiteral("%1 min").arg(minutes);
}

// The moment of the last correction on the face: its time of day, with the day and month when it
// was not today.
QString Since(qint64 sinceMs, qint64 nowMs)
{
    const QDateTime since = QDateTime::fromMSecsSinceEpoch(sinceMs);
    const bool today = since.date() == QDateTime::fromMSecsSinceEpoch(nowMs).date();
    return since.toString(today ? QStringLiteral("HH:mm") : QStringLiteral("dd/MM HH:mm"));
}

struct Wording {
    const char* notSynchronisedLine;
    const char* leapLine;
    const char* holdoverLine;  // %1: since when
    const char* synchronised;
    const char* synchronisedTo;     // %1: the server
    const char* synchronisedBy;     // %1: the service
    const char* stratum;            // %1
    const char* ago;                // %1: a span
    const char* underAMinuteAgo;    // said instead, so that the tooltip is not rewritten every second
    const char* offset;             // %1
    const char* maximumError;       // %1: the error bound
    const char* noCorrectionSince;  // %1: since when, %2: how long
    const char* lastFrom;           // %1: the server
    const char* leapInserted;
    const char* leapDeleted;
    const char* notSynchronised;
    const char* unknown;
};

constexpr Wording kEnglish = {
    "TIME NOT SYNCHRONISED",
    "LEAP SECOND AT MIDNIGHT UTC",
    "NO TIME SIGNAL SINCE %1",
    "Synchronised",
    "Synchronised to %1",
    "Synchronised by %1",
    " (stratum %1)",
    " %1 ago",
    " under a minute ago",
    "; offset %1",
    "; maximum error %1",
    "No correction since %1 (%2)",
    "; last from %1",
    "; a leap second is inserted at midnight UTC",
    "; a leap second is left out at midnight UTC",
    "Not synchronised: check the time service (timedatectl, chronyc tracking)",
    "Synchronisation unknown: the kernel does not say how its clock is kept",
};

constexpr Wording kPortuguese = {
    "HORA NÃO SINCRONIZADA",
    "SEGUNDO INTERCALAR À MEIA-NOITE UTC",
    "SEM SINAL HORÁRIO DESDE %1",
    "Sincronizada",
    "Sincronizada com %1",
    "Sincronizada por %1",
    " (estrato %1)",
    " há %1",
    " há menos de um minuto",
    "; desvio %1",
    "; erro máximo %1",
    "Sem correção desde %1 (%2)",
    "; última de %1",
    "; um segundo intercalar é inserido à meia-noite UTC",
    "; um segundo é suprimido à meia-noite UTC",
    "Não sincronizada: verifique o serviço de hora (timedatectl, chronyc tracking)",
    "Sincronização desconhecida: o núcleo não diz como o relógio é mantido",
};

QString Words(const char* text)
{
    return QString::fromUtf8(text);
}

// The service's reference, "ntp1.example (stratum 2)", or the service itself where it names none.
QString Reference(const TimeServiceReport& service, const Wording& words)
{
    const QString name = service.server.isEmpty() ? service.service : service.server;
    return service.stratum > 0 ? name + Words(words.stratum).arg(service.stratum) : name;
}

// Where a synchronised clock's time comes from and how long ago it was corrected.
QString SynchronisedSource(const ClockTrust& trust, qint64 nowMs, const Wording& words, const QLocale& locale)
{
    if (!trust.service || trust.service->lastCorrectionMs <= 0)
        return Words(words.synchronised);
    const TimeServiceReport& service = *trust.service;
    QString text = Words(service.server.isEmpty() ? words.synchronisedBy : words.synchronisedTo)
                       .arg(Reference(service, words));
    const qint64 age = nowMs - service.lastCorrectionMs;
    text += age < 60000 ? Words(words.underAMinuteAgo) : Words(words.ago).arg(Span(age));
    if (service.offsetUs) {
        const qint64 offset = *service.offsetUs;
        text += Words(words.offset)
                    .arg((offset < 0 ? locale.negativeSign() : locale.positiveSign())
                        + ErrorBound(std::abs(offset), locale));
    }
    return text;
}

}  // namespace

ClockDisciplineText DescribeClockTrust(
    const ClockTrust& trust, qint64 nowMs, bool portuguese, const QLocale& locale)
{
    const Wording& words = portuguese ? kPortuguese : kEnglish;
    QString faceLine;
    QString toolTip;
    const QString bound = Words(words.maximumError).arg(ErrorBound(trust.kernel.maxErrorUs, locale));
    switch (trust.state) {
    case ClockTrust::State::Unknown:
        // A clock that cannot tell does not cry wolf on its face.
        return {QString(), Words(words.unknown)};
    case ClockTrust::State::NotSynchronised:
        return {Words(words.notSynchronisedLine), Words(words.notSynchronised)};
    case ClockTrust::State::Holdover:
        faceLine = Words(words.holdoverLine).arg(Since(trust.lastCorrectionMs, nowMs));
        toolTip = Words(words.noCorrectionSince)
                      .arg(Since(trust.lastCorrectionMs, nowMs), Span(nowMs - trust.lastCorrectionMs))
            + bound;
        if (trust.service)
            toolTip += Words(words.lastFrom).arg(Reference(*trust.service, words));
        break;
    case ClockTrust::State::Synchronised:
        toolTip = SynchronisedSource(trust, nowMs, words, locale) + bound;
        break;
    }
    if (trust.kernel.leap == framework::ClockDiscipline::Leap::None)
        return {faceLine, toolTip};
    toolTip += Words(trust.kernel.leap == framework::ClockDiscipline::Leap::Insert ? words.leapInserted
                                                                                   : words.leapDeleted);
    // Running alone outweighs the announcement.
    return {faceLine.isEmpty() ? Words(words.leapLine) : faceLine, toolTip};
}
