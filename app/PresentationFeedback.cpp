#include "app/PresentationFeedback.h"

#include "app/WaylandGlobals.h"
#include "display/vrLedClock.h"

#include "presentation-time-client-protocol.h"

#include <QDateTime>
#include <QEvent>
#include <QWidget>

namespace {

constexpr qint64 kNanosecondsPerSecond = 1000000000;

// Requests beyond these, never answered (a hidden window commits nothing), are let go.
constexpr std::size_t kMostRequests = 8;

qint64 NowNs(int clockId)
{
    timespec now{};
    clock_gettime(clockId, &now);
    return now.tv_sec * kNanosecondsPerSecond + now.tv_nsec;
}

}  // namespace

PresentationFeedback::PresentationFeedback(display::TVrLedClock* clock, QObject* parent)
    : QObject(parent)
    , clock_(clock)
    , globals_(std::make_unique<WaylandGlobals>())
{
    static const wp_presentation_listener listener{ClockIs};
    presentation_ = static_cast<wp_presentation*>(globals_->Bind(wp_presentation_interface, 1));
    if (!presentation_)
        return;
    wp_presentation_add_listener(presentation_, &listener, this);
    globals_->Roundtrip();  // the presentation clock is known before any time on it comes
    clock->installEventFilter(this);
}

PresentationFeedback::~PresentationFeedback()
{
    for (Request& request : requests_)
        wp_presentation_feedback_destroy(request.feedback);
    if (presentation_)
        wp_presentation_destroy(presentation_);
}

bool PresentationFeedback::Offered()
{
    return WaylandGlobals::OnWayland();
}

bool PresentationFeedback::Measures() const
{
    return presentation_ != nullptr;
}

bool PresentationFeedback::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == clock_ && event->type() == QEvent::Paint) {
        const QTime face(clock_->Hours(), clock_->Minutes(), clock_->Seconds());
        if (face != askedFace_)
            Ask(face);
    }
    return false;
}

void PresentationFeedback::Ask(const QTime& face)
{
    // Asked while the clock paints, before the repaint commits: the feedback is the commit's.
    wl_surface* const surface = WaylandGlobals::SurfaceOf(clock_->window()->windowHandle());
    if (!surface)
        return;
    static const wp_presentation_feedback_listener listener{SyncOutput, PresentedAt, Discarded};
    if (requests_.size() == kMostRequests)
        Drop(&requests_.front());
    Request& request
        = requests_.emplace_back(Request{this, wp_presentation_feedback(presentation_, surface), face, {}});
    wp_presentation_feedback_add_listener(request.feedback, &listener, &request);
    askedFace_ = face;
}

void PresentationFeedback::Shown(const QDateTime& second)
{
    // Qt leaves the commit in its connection's buffer until its event loop is about to wait, after
    // the tick's handlers; sent now, the hand-over is when the clock says it is.
    globals_->Flush();
    if (!presentation_)
        return;
    // What the compositor answered by now, for the seconds before this one.
    globals_->DispatchPending();
    for (auto request = requests_.rbegin(); request != requests_.rend(); ++request) {
        if (request->face == second.time() && !request->second) {
            request->second = second.toSecsSinceEpoch();
            return;
        }
    }
}

void PresentationFeedback::Answered(Request* request, std::optional<qint64> presentedNs)
{
    const std::optional<qint64> second = request->second;
    Drop(request);
    if (!second || !presentedNs)
        return;
    // The boundary on the compositor's clock, through the wall clock's distance from it now.
    const qint64 boundaryNs = *second * kNanosecondsPerSecond + NowNs(clockId_) - NowNs(CLOCK_REALTIME);
    emit Presented(*second, (*presentedNs - boundaryNs) / 1000);
}

void PresentationFeedback::Drop(Request* request)
{
    wp_presentation_feedback_destroy(request->feedback);
    requests_.remove_if([request](const Request& held) { return &held == request; });
}

void PresentationFeedback::ClockIs(void* data, wp_presentation* /*presentation*/, std::uint32_t clockId)
{
    static_cast<PresentationFeedback*>(data)->clockId_ = static_cast<int>(clockId);
}

void PresentationFeedback::SyncOutput(
    void* /*data*/, struct wp_presentation_feedback* /*feedback*/, struct wl_output* /*output*/)
{
}

void PresentationFeedback::PresentedAt(void* data, struct wp_presentation_feedback* /*feedback*/,
    std::uint32_t secondsHigh, std::uint32_t secondsLow, std::uint32_t nanoseconds, std::uint32_t /*refresh*/,
    std::uint32_t /*sequenceHigh*/, std::uint32_t /*sequenceLow*/, std::uint32_t /*flags*/)
{
    auto* const request = static_cast<Request*>(data);
    const auto seconds = static_cast<qint64>((std::uint64_t{secondsHigh} << 32) | secondsLow);
    request->owner->Answered(request, seconds * kNanosecondsPerSecond + nanoseconds);
}

void PresentationFeedback::Discarded(void* data, struct wp_presentation_feedback* /*feedback*/)
{
    auto* const request = static_cast<Request*>(data);
    request->owner->Answered(request, std::nullopt);
}
