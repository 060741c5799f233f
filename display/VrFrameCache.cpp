#include "display/VrFrameCache.h"

#include <tuple>

namespace display {

bool TVrFrameCache::FaceKey::operator==(const FaceKey& other) const
{
    const auto tied = [](const FaceKey& key) {
        return std::tie(key.time, key.state, key.size, key.bitmapSize, key.origin, key.ratio);
    };
    return tied(*this) == tied(other);
}

void TVrFrameCache::Hold(const FaceKey& face)
{
    held_ = face;
}

void TVrFrameCache::HoldDrawnAhead(const FaceKey& face, const QTime& shown, const QRegion& changed)
{
    held_ = face;
    drawnAhead_ = DrawnAhead{face, shown, changed};
}

void TVrFrameCache::Forget()
{
    held_.reset();
    drawnAhead_.reset();
}

void TVrFrameCache::ForgetDrawnAhead()
{
    drawnAhead_.reset();
}

bool TVrFrameCache::Holds(const FaceKey& face) const
{
    return held_ && *held_ == face;
}

std::optional<QRegion> TVrFrameCache::ChangedByTick(const QTime& shown, const FaceKey& face) const
{
    if (drawnAhead_ && drawnAhead_->shown == shown && drawnAhead_->face == face)
        return drawnAhead_->changed;
    return std::nullopt;
}

bool TVrFrameCache::TakeDrawnAhead(const FaceKey& face)
{
    const bool drawnAlready = drawnAhead_ && drawnAhead_->face == face;
    drawnAhead_.reset();
    return drawnAlready;
}

}  // namespace display
