#include "resizer/HeaderHandler.h"

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QWidget>
#include <algorithm>

namespace resizer {

namespace {

int Bound(const QObject* section, const char* name)
{
    return section->property(name).toInt();
}

}  // namespace

TMRHeaderControl::TMRHeaderControl(QWidget* control)
    : TMRPropertyHandler(control)
    , sections_(HeldObject<controls::TCollection>(control, QStringLiteral("Sections")))
{
}

TMRHeaderControl::Level TMRHeaderControl::ChangeLevel() const
{
    if (invalid_ || sections_->Count() != remembered_.Count())
        return Level::All;
    Level level = Level::None;
    for (int index = 0; index < remembered_.Count(); ++index) {
        const controls::TCollectionItem* section = sections_->Items(index);
        const TMRLSection& last = remembered_.Items(index);
        if (Bound(section, "MinWidth") != last.LastMinWidth
            || Bound(section, "MaxWidth") != last.LastMaxWidth)
            return Level::All;
        if (section->Width() != last.LastWidth)
            level = Level::Widths;
    }
    return level;
}

void TMRHeaderControl::CaptureRatios()
{
    const Level level = ChangeLevel();
    if (level == Level::None)
        return;
    const int width = framework::ClientSize(control_).width();
    if (width == 0) {
        invalid_ = true;
        return;
    }
    if (level == Level::All) {
        remembered_.Clear();
        for (int index = 0; index < sections_->Count(); ++index) {
            const QObject* section = sections_->Items(index);
            TMRLSection& entry = remembered_.Add();
            entry.MinWidthRatio = PropertyRatio(Bound(section, "MinWidth"), width);
            entry.MaxWidthRatio = PropertyRatio(Bound(section, "MaxWidth"), width);
        }
    }
    for (int index = 0; index < remembered_.Count(); ++index)
        remembered_.Items(index).WidthRatio = PropertyRatio(sections_->Items(index)->Width(), width);
    invalid_ = false;
}

void TMRHeaderControl::ApplyRatios()
{
    if (invalid_)
        return;
    const int width = framework::ClientSize(control_).width();
    // A section removed since the capture has nothing to set; the next capture starts afresh.
    for (int index = 0; index < std::min(remembered_.Count(), sections_->Count()); ++index) {
        controls::TCollectionItem* section = sections_->Items(index);
        TMRLSection& entry = remembered_.Items(index);
        // The width first, within the bounds from before the resize, as the header keeps it; what
        // it kept of each is noted.
        section->setWidth(ScaledLength(entry.WidthRatio, width));
        section->setProperty("MinWidth", ScaledLength(entry.MinWidthRatio, width));
        section->setProperty("MaxWidth", ScaledLength(entry.MaxWidthRatio, width));
        entry.LastWidth = section->Width();
        entry.LastMinWidth = Bound(section, "MinWidth");
        entry.LastMaxWidth = Bound(section, "MaxWidth");
    }
}

}  // namespace resizer
