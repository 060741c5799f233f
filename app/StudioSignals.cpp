#include "app/StudioSignals.h"

#include "app/ClockFaceNotice.h"
#include "app/DateLine.h"
#include "display/VrSecondScheduler.h"
#include "display/vrLedClock.h"
#include "framework/LocaleId.h"

namespace {

bool Portuguese()
{
    return PortugueseDateLine(framework::ThreadLocale());
}

}  // namespace

StudioSignals::StudioSignals(display::TVrLedClock* clock)
    : QObject(clock)
    , clock_(clock)
    , line_(new ClockFaceNotice(clock, ClockFaceNotice::Place::AboveTheDigits, CountingColour()))
{
    // The line's name is what a screen reader was last told, so that the figure changing every
    // second is not read out; named now, before any reader listens.
    line_->setAccessibleName(
        Portuguese() ? QStringLiteral("Contagem decrescente") : QStringLiteral("Countdown"));
}

QColor StudioSignals::CountingColour()
{
    return Qt::white;
}

QColor StudioSignals::ClosingColour()
{
    return {255, 40, 40};
}

bool StudioSignals::OnAir() const
{
    return clock_->OnAir();
}

void StudioSignals::SetOnAir(bool onAir)
{
    if (onAir == clock_->OnAir())
        return;
    clock_->setOnAir(onAir);
    emit OnAirChanged();
}

void StudioSignals::SetCountdown(const std::optional<CountdownTarget>& target)
{
    if (target == target_)
        return;
    target_ = target;
    countedBefore_.reset();
    FollowSecond();
    emit CountdownChanged();
}

void StudioSignals::FollowSecond()
{
    const CountdownReading reading = target_
        ? ReadCountdown(*target_, display::TVrSecondScheduler::CurrentSecond())
        : CountdownReading();
    if (reading.shown && PassesSpokenMoment(countedBefore_, reading))
        line_->setAccessibleName(SpokenCountdown(reading, Portuguese()));
    countedBefore_ = reading.shown ? std::optional<qint64>(reading.secondsLeft) : std::nullopt;
    line_->SetColour(reading.closing ? ClosingColour() : CountingColour());
    line_->Show(reading.text);
}
