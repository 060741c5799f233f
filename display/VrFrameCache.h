// VrFrameCache: TVrFrameCache, what the LED clock's off-screen frame holds.
#pragma once

#include "display/Export.h"
#include "framework/Geometry.h"

#include <QRegion>
#include <QSize>
#include <QTime>
#include <cstdint>
#include <optional>

namespace display {

// Which face the clock's off-screen frame holds, and whether it was drawn ahead of its second,
// with what differs from the face before it. A frame drawn ahead is shown only while its key still
// holds: anything else the face depends on changed in between, and it is drawn again.
class STUDIOCLOCK_DISPLAY_EXPORT TVrFrameCache {
public:
    // Everything the face drawn off screen depends on.
    struct FaceKey {
        QTime time;
        std::uint64_t state;  // counts the changes of what the face is drawn from
        QSize size, bitmapSize;
        framework::TPoint origin;
        qreal ratio;
        bool operator==(const FaceKey& other) const;
    };

    // The frame holds `face` now, drawn whole.
    void Hold(const FaceKey& face);
    // The frame holds `face`, drawn ahead over the one shown at `shown`; `changed` is what differs.
    void HoldDrawnAhead(const FaceKey& face, const QTime& shown, const QRegion& changed);
    // What the frame holds is no longer known (drawing began, or failed).
    void Forget();
    void ForgetDrawnAhead();

    bool Holds(const FaceKey& face) const;
    // What a tick from `shown` to `face` changes, as worked out when it was drawn ahead, if it was.
    std::optional<QRegion> ChangedByTick(const QTime& shown, const FaceKey& face) const;
    // For a paint of `face`: whether the frame drawn ahead is that very face. It is used up either way.
    bool TakeDrawnAhead(const FaceKey& face);

private:
    struct DrawnAhead {
        FaceKey face;
        QTime shown;
        QRegion changed;
    };
    std::optional<FaceKey> held_;
    std::optional<DrawnAhead> drawnAhead_;
};

}  // namespace display
