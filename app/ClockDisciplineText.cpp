#include "app/ClockDisciplineText.h"

#include <limits>

namespace {

using Sync = framework::ClockDiscipline::Sync;
using Leap = framework::ClockDiscipline::Leap;

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

struct Wording {
    const char* notSynchronisedLine;
    const char* leapLine;
    const char* synchronised;  // %1: the error bound
    const char* leapInserted;
    const char* leapDeleted;
    const char* notSynchronised;
    const char* unknown;
};

constexpr Wording kEnglish = {
    "TIME NOT SYNCHRONISED",
    "LEAP SECOND AT MIDNIGHT UTC",
    "Synchronised; maximum error %1",
    "; a leap second is inserted at midnight UTC",
    "; a leap second is left out at midnight UTC",
    "Not synchronised: check the time service (timedatectl, chronyc tracking)",
    "Synchronisation unknown: the kernel does not say how its clock is kept",
};

constexpr Wording kPortuguese = {
    "HORA NÃO SINCRONIZADA",
    "SEGUNDO INTERCALAR À MEIA-NOITE UTC",
    "Sincronizada; erro máximo %1",
    "; um segundo intercalar é inserido à meia-noite UTC",
    "; um segundo é suprimido à meia-noite UTC",
    "Não sincronizada: verifique o serviço de hora (timedatectl, chronyc tracking)",
    "Sincronização desconhecida: o núcleo não diz como o relógio é mantido",
};

}  // namespace

ClockDisciplineText DescribeClockDiscipline(
    const framework::ClockDiscipline& discipline, bool portuguese, const QLocale& locale)
{
    const Wording& words = portuguese ? kPortuguese : kEnglish;
    switch (discipline.sync) {
    case Sync::Unknown:
        // A clock that cannot tell does not cry wolf on its face.
        return {QString(), QString::fromUtf8(words.unknown)};
    case Sync::NotSynchronised:
        return {QString::fromUtf8(words.notSynchronisedLine), QString::fromUtf8(words.notSynchronised)};
    case Sync::Synchronised:
        break;
    }
    QString toolTip = QString::fromUtf8(words.synchronised).arg(ErrorBound(discipline.maxErrorUs, locale));
    if (discipline.leap == Leap::None)
        return {QString(), toolTip};
    toolTip += QString::fromUtf8(discipline.leap == Leap::Insert ? words.leapInserted : words.leapDeleted);
    return {QString::fromUtf8(words.leapLine), toolTip};
}
