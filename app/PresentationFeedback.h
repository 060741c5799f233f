#pragma once

#include <QObject>
#include <QTime>
#include <cstdint>
#include <ctime>
#include <list>
#include <memory>
#include <optional>

class QDateTime;
class WaylandGlobals;
struct wp_presentation;
struct wp_presentation_feedback;

namespace display {
class TVrLedClock;
}

// A clock's new faces on a Wayland compositor. Qt 6.4 leaves a repaint's commit in its
// connection's buffer until its event loop is about to wait, after the tick's handlers; Shown, called
// as the clock's SecondShown arrives, sends it then. Where the compositor offers wp_presentation
// it also tells when each new second's face reached the screen: feedback is asked for by the first
// paint of the clock that shows a new time, so it rides on the very commit that carries the new
// face, not on a later one of the same surface (a blinking cursor's, say), and Shown tells which
// second that face is. Presented reports the time on screen after the second's boundary,
// converted from the compositor's presentation clock to the wall clock; a face the compositor
// discarded is reported as nothing. Reports come as the queue is read, at the next second.
// Made only on Wayland (Offered).
class PresentationFeedback : public QObject {
    Q_OBJECT
public:
    PresentationFeedback(display::TVrLedClock* clock, QObject* parent);
    ~PresentationFeedback() override;

    // Whether the program runs on Wayland, where presentation may be measured.
    static bool Offered();
    // Whether the compositor reports presentation times.
    bool Measures() const;

    // Call as the clock's SecondShown arrives, before anything else: sends the commit and notes
    // which second it carries.
    void Shown(const QDateTime& second);

signals:
    // The second that began `second` seconds after the epoch reached the screen `latencyUs` after
    // its boundary.
    void Presented(qint64 second, qint64 latencyUs);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One feedback asked for: the face its commit carries and, once the clock told, its second.
    struct Request {
        PresentationFeedback* owner;
        wp_presentation_feedback* feedback;
        QTime face;
        std::optional<qint64> second;
    };

    void Ask(const QTime& face);
    void Answered(Request* request, std::optional<qint64> presentedNs);
    void Drop(Request* request);

    static void ClockIs(void* data, wp_presentation* presentation, std::uint32_t clockId);
    static void SyncOutput(void* data, wp_presentation_feedback* feedback, struct wl_output* output);
    static void PresentedAt(void* data, wp_presentation_feedback* feedback, std::uint32_t secondsHigh,
        std::uint32_t secondsLow, std::uint32_t nanoseconds, std::uint32_t refresh,
        std::uint32_t sequenceHigh, std::uint32_t sequenceLow, std::uint32_t flags);
    static void Discarded(void* data, wp_presentation_feedback* feedback);

    display::TVrLedClock* clock_;
    std::unique_ptr<WaylandGlobals> globals_;  // outlives what is bound on it
    wp_presentation* presentation_ = nullptr;
    int clockId_ = CLOCK_MONOTONIC;
    QTime askedFace_;
    std::list<Request> requests_;  // oldest first, a few at most
};
