#include "resizer/HeaderHandler.h"

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QWidget>

namespace resizer {

namespace {

int Bound(const QObject* section, const char* name)
{
    return section->property(name).toInt();
}

}  // namespace

TMRLSection& TMRLSections::Add()
{
    sections_.emplace_back();
    return sections_.back();
}

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
        if (sections_->Items(index)->Width() != remembered_.Items(index).LastWidth) {
            level = Level::Widths;
            break;
        }
    }
    for (int index = 0; index < remembered_.Count(); ++index) {
        const QObject* section = sections_->Items(index);
        const TMRLSection& last = remembered_.Items(index);
        if (Bound(section, "MinWidth") != last.LastMinWidth
            || Bound(section, "MaxWidth") != last.LastMaxWidth)
            return Level::All;
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
    for (int index = 0; index < remembered_.Count() && index < sections_->Count(); ++index) {
        controls::TCollectionItem* section = sections_->Items(index);
        TMRLSection& entry = remembered_.Items(index);
        // The width first, within the bounds from before the resize, as the header keeps it.
        section->setWidth(TruncatedLength(entry.WidthRatio, width));
        section->setProperty("MinWidth", TruncatedLength(entry.MinWidthRatio, width));
        section->setProperty("MaxWidth", TruncatedLength(entry.MaxWidthRatio, width));
        entry.LastWidth = section->Width();
        entry.LastMinWidth = Bound(section, "MinWidth");
        entry.LastMaxWidth = Bound(section, "MaxWidth");
    }
}

}  // namespace resizer
