#include "resizer/ScalarHandlers.h"

#include "controls/ScrollBox.h"
#include "framework/Control.h"

#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <iterator>

namespace resizer {

int TMRScaledProperties::Dimension(const QSize& client, Axis axis)
{
    return axis == Axis::Width ? client.width() : client.height();
}

TMRScaledProperties::TMRScaledProperties(QWidget* control, std::initializer_list<Scaled> properties)
    : TMRPropertyHandler(control)
{
    std::transform(
        properties.begin(), properties.end(), std::back_inserter(entries_), [control](const Scaled& scaled) {
            return Entry{FindPropInfo(control->metaObject(), QLatin1String(scaled.name)), scaled.axis, {}};
        });
}

int TMRScaledProperties::Read(std::size_t index) const
{
    return entries_[index].property.read(control_).toInt();
}

void TMRScaledProperties::Write(std::size_t index, int value)
{
    entries_[index].property.write(control_, value);
}

int TMRScaledProperties::NewValue(std::size_t /*index*/, int scaled) const
{
    return scaled;
}

bool TMRScaledProperties::Changed() const
{
    bool changed = invalid_;
    for (std::size_t index = 0; index < entries_.size() && !changed; ++index)
        changed = Read(index) != entries_[index].length.last;
    return changed;
}

void TMRScaledProperties::CaptureRatios()
{
    if (!Changed())
        return;
    const QSize client = framework::ClientSize(control_);
    if (std::any_of(entries_.begin(), entries_.end(),
            [&client](const Entry& entry) { return Dimension(client, entry.axis) == 0; })) {
        invalid_ = true;
        return;
    }
    for (std::size_t index = 0; index < entries_.size(); ++index)
        entries_[index].length.Take(Read(index), Dimension(client, entries_[index].axis));
    invalid_ = false;
}

void TMRScaledProperties::ApplyRatios()
{
    if (invalid_)
        return;
    const QSize client = framework::ClientSize(control_);
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        TMRLength& length = entries_[index].length;
        Write(index, NewValue(index, length.For(Dimension(client, entries_[index].axis))));
        length.last = Read(index);  // what the control kept, which may not be what it was given
    }
}

TMRTab::TMRTab(QWidget* control)
    : TMRScaledProperties(control, {{"TabWidth", Axis::Width}, {"TabHeight", Axis::Height}})
{
}

int TMRTab::Read(std::size_t index) const
{
    return static_cast<std::int16_t>(TMRScaledProperties::Read(index));
}

int TMRTab::NewValue(std::size_t index, int scaled) const
{
    if (Read(index) == 0)
        return 0;
    // Wraps to 16 bits as the stored size does.
    const auto wrapped = static_cast<std::int16_t>(static_cast<std::uint16_t>(scaled));
    return wrapped == 0 ? 1 : wrapped;
}

TMRTreeView::TMRTreeView(QWidget* control)
    : TMRScaledProperties(control, {{"Indent", Axis::Width}})
{
}

TMRItemHeight::TMRItemHeight(QWidget* control)
    : TMRScaledProperties(control, {{"ItemHeight", Axis::Height}})
{
}

TMRTabSet::TMRTabSet(QWidget* control)
    : TMRScaledProperties(
        control, {{"TabHeight", Axis::Height}, {"StartMargin", Axis::Width}, {"EndMargin", Axis::Width}})
{
}

TMRMarginSpacing::TMRMarginSpacing(QWidget* control)
    : TMRScaledProperties(control, {{"Margin", Axis::Width}, {"Spacing", Axis::Width}})
{
}

void TMRMarginSpacing::CaptureRatios()
{
    constexpr std::size_t kMargin = 0;
    if (Read(kMargin) == -1) {
        invalid_ = true;
        return;
    }
    TMRScaledProperties::CaptureRatios();
}

TMRScrollBox::TMRScrollBox(QWidget* control)
    : TMRScaledProperties(control, {{"HorzScrollBar", Axis::Width}, {"VertScrollBar", Axis::Height}})
    , bars_{HeldObject<controls::TControlScrollBar>(control, QStringLiteral("HorzScrollBar")),
          HeldObject<controls::TControlScrollBar>(control, QStringLiteral("VertScrollBar"))}
{
}

void TMRScrollBox::CaptureRatios()
{
    for (controls::TControlScrollBar* bar : bars_)
        bar->setPosition(0);
    TMRScaledProperties::CaptureRatios();
}

int TMRScrollBox::Read(std::size_t index) const
{
    return bars_[index]->Range();
}

void TMRScrollBox::Write(std::size_t index, int value)
{
    bars_[index]->setRange(value);
}

}  // namespace resizer
