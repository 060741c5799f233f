#include "app/ClockDisciplineText.h"

namespace {

using Sync = framework::ClockDiscipline::Sync;
using Leap = framework::ClockDiscipline::Leap;

// An error bound as an operator reads it: "0.4 ms", "12 ms", "1.6 s", "16 s".
QString ErrorBound(qint64 microseconds, const QLocale& locale)
{
    const double milliseconds = static_cast<double>(microseconds) / 1000.0;
    if (milliseconds < 10.0)
        return locale.toString(milliseconds, 'f', 1) + QStringLiteral(" ms");
    if (milliseconds < 1000.0)
        return locale.toString(milliseconds, 'f', 0) + QStringLiteral(" ms");
    const double seconds = milliseconds / 1000.0;
    return locale.toString(seconds, 'f', seconds < 10.0 ? 1 : 0) + QStringLiteral(" s");
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
