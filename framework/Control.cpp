#include "framework/Control.h"

#include "framework/Arithmetic.h"
#include "framework/DockEvent.h"
#include "framework/Exceptions.h"
#include "framework/Property.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPalette>
#include <QScrollBar>
#include <QWidget>
#include <array>
#include <cmath>

namespace framework {

namespace {

// Qt works a font's ascent and descent out as the font's design units times the pixel size in
// 26.6 fixed point, which overflows past 2^25 (from 17651 pixels for DejaVu Sans, 18099 for
// Liberation Sans): the font then measures a negative or cut-off height. No font's units (16 bits)
// reach that at 512 pixels, so a larger font must measure as the same font at 512 pixels scaled,
// each measure being up to a pixel off (the reference's pixel grows with the scale).
bool MeasuresRight(const QFont& font)
{
    constexpr int kSurelyMeasured = 512;
    const int size = font.pixelSize();
    if (size <= kSurelyMeasured)
        return true;
    QFont reference = font;
    reference.setPixelSize(kSurelyMeasured);
    const QFontMetricsF expected(reference);
    const QFontMetricsF measured(font);
    const qreal scale = static_cast<qreal>(size) / kSurelyMeasured;
    const auto near = [scale](qreal got, qreal want) { return std::abs(got - want * scale) <= scale + 1; };
    return near(measured.ascent(), expected.ascent()) && near(measured.descent(), expected.descent());
}

// The new position of one edge pair along one axis, for a parent that grew by `delta` (or, with
// neither edge anchored, whose size went from `oldSize` to `newSize`).
struct Span {
    int start;
    int length;
};

Span AnchorSpan(Span origin, bool startAnchored, bool endAnchored, int oldSize, int newSize)
{
    const int delta = newSize - oldSize;
    if (startAnchored && endAnchored)
        return {origin.start, std::max(0, origin.length + delta)};
    if (endAnchored)
        return {origin.start + delta, origin.length};
    if (startAnchored || oldSize <= 0)
        return {origin.start, origin.length};
    // Neither edge: the centre keeps its share of the parent.
    const long long centre = origin.start + origin.length / 2;
    const int newCentre = CheckedInt::RoundHalfAway(static_cast<double>(centre) * newSize / oldSize).value();
    return {newCentre - origin.length / 2, origin.length};
}

}  // namespace

struct Control::Private {
    Private(QWidget* widget, TColor color, Background background)
        : widget(widget)
        , color(color)
        , background(background)
    {
    }

    QWidget* widget;
    TAlign align = alNone;
    TAnchors anchors = TAnchors(akLeft | akTop);
    TColor color;
    Background background;
    TColor fontColor = clWindowText;
    bool autoSize = false;
    QRect freeBounds;        // bounds while free, restored when a docked control is freed
    QRect anchorBounds;      // bounds the anchors measure from ...
    QSize anchorClientSize;  // ... and the parent's client size at that moment
    QRect placedBounds;      // where the last alignment put the control
    QSize lastClientSize;    // the parent's client size at the last alignment
};

Control::Control(QWidget* widget, TColor defaultColor, Background background)
    : d(std::make_unique<Private>(widget, defaultColor, background))
{
}

Control::~Control() = default;

QWidget* Control::Widget() const
{
    return d->widget;
}

TAlign Control::Align() const
{
    return d->align;
}

TAnchors Control::Anchors() const
{
    return d->anchors;
}

TColor Control::Color() const
{
    return d->color;
}

TColor Control::FontColor() const
{
    return d->fontColor;
}

bool Control::AutoSize() const
{
    return d->autoSize;
}

void Control::SetDefaultAutoSize(bool value)
{
    d->autoSize = value;
}

void Control::setColor(TColor value)
{
    if (!SetIfChanged(d->color, value))
        return;
    QPalette palette = d->widget->palette();
    palette.setColor(QPalette::Window, ToQColor(value));
    palette.setColor(QPalette::Base, ToQColor(value));
    d->widget->setPalette(palette);
    if (d->background == Background::FilledByQt)
        d->widget->setAutoFillBackground(true);
}

void Control::setFontColor(TColor value)
{
    if (!SetIfChanged(d->fontColor, value))
        return;
    QPalette palette = d->widget->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, ToQColor(value));
    d->widget->setPalette(palette);
}

void Control::setAlign(TAlign value)
{
    if (CheckedEnum(value) == d->align)
        return;
    if (d->align == alNone) {
        d->freeBounds = d->widget->geometry();
        DockEvent docking(DockEvent::Docking);
        QCoreApplication::sendEvent(d->widget, &docking);
    }
    d->align = value;
    if (d->align == alNone) {
        // A container that keeps its controls in proportion puts the control where it belongs at
        // the size the parent has now; only without one do the old pixel bounds come back.
        DockEvent freed(DockEvent::Freed);
        QCoreApplication::sendEvent(d->widget, &freed);
        if (!freed.Placed() && d->freeBounds.isValid())
            d->widget->setGeometry(d->freeBounds);
    }
    Realign();
    if (d->align != alNone) {
        DockEvent docked(DockEvent::Docked);
        QCoreApplication::sendEvent(d->widget, &docked);
    }
}

void Control::setAnchors(TAnchors value)
{
    if ((value.toInt() & ~(akLeft | akTop | akRight | akBottom)) != 0)
        throw ERangeError(QStringLiteral("any of akLeft, akTop, akRight and akBottom"));
    if (SetIfChanged(d->anchors, value))
        d->anchorClientSize = QSize();  // measure again from where the control is now
}

void Control::setAutoSize(bool value)
{
    if (SetIfChanged(d->autoSize, value))
        AdjustAutoSize();
}

int Control::FontHeight() const
{
    const QFont font = d->widget->font();
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -QFontInfo(font).pixelSize();
}

void Control::setFontHeight(int value)
{
    // Far past any screen, and past what Qt's text layout can measure without overflowing.
    constexpr int kLargestFontHeight = 32767;
    if (value < -kLargestFontHeight || value > kLargestFontHeight)
        throw ERangeError(QStringLiteral("%1 to %2").arg(-kLargestFontHeight).arg(kLargestFontHeight));
    if (value == 0)
        return;  // 0 keeps the inherited size
    QFont font = d->widget->font();
    font.setPixelSize(std::abs(value));
    if (value > 0) {
        // A positive height is the whole cell; scale the em size so the cell fits it.
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, CheckedInt::RoundHalfAway(value * double(value) / cell).value()));
    }
    if (!MeasuresRight(font))
        throw ERangeError(QStringLiteral("a height at which %1 can be measured, some 17000 pixels or less")
                              .arg(font.family()));
    d->widget->setFont(font);
}

void Control::Loaded()
{
    Component::Loaded();
    Realign();
}

void Control::Realign()
{
    if (IsLoading())
        return;
    if (QWidget* parent = d->widget->parentWidget())
        AlignControls(parent);
}

void Control::PlaceAligned(const QRect& bounds)
{
    d->widget->setGeometry(bounds);
    d->placedBounds = d->widget->geometry();
}

void Control::ApplyAnchors(const QSize& clientSize)
{
    const QRect current = d->widget->geometry();
    if (!d->anchorClientSize.isValid() || current != d->placedBounds) {
        // First alignment, or something else moved the control since: measure from here.
        d->anchorBounds = current;
        d->anchorClientSize = d->lastClientSize.isValid() ? d->lastClientSize : clientSize;
    }
    const Span x = AnchorSpan({d->anchorBounds.x(), d->anchorBounds.width()}, d->anchors.testFlag(akLeft),
        d->anchors.testFlag(akRight), d->anchorClientSize.width(), clientSize.width());
    const Span y = AnchorSpan({d->anchorBounds.y(), d->anchorBounds.height()}, d->anchors.testFlag(akTop),
        d->anchors.testFlag(akBottom), d->anchorClientSize.height(), clientSize.height());
    PlaceAligned(QRect(x.start, y.start, x.length, y.length));
}

void AlignControls(QWidget* container)
{
    std::vector<Control*> controls;
    for (QObject* child : container->children())
        if (auto* control = dynamic_cast<Control*>(child);
            control && control->Widget()->isVisibleTo(container))
            controls.push_back(control);

    const QRect client = container->contentsRect();
    QRect rest = client;
    constexpr std::array<TAlign, 5> kDockOrder = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign align : kDockOrder) {
        for (Control* control : controls) {
            if (control->Align() != align)
                continue;
            const QSize size = control->Widget()->size();
            QRect bounds = rest;
            switch (align) {
            case alTop:
                bounds.setHeight(std::min(size.height(), rest.height()));
                rest.setTop(bounds.bottom() + 1);
                break;
            case alBottom:
                bounds.setTop(rest.bottom() + 1 - std::min(size.height(), rest.height()));
                rest.setBottom(bounds.top() - 1);
                break;
            case alLeft:
                bounds.setWidth(std::min(size.width(), rest.width()));
                rest.setLeft(bounds.right() + 1);
                break;
            case alRight:
                bounds.setLeft(rest.right() + 1 - std::min(size.width(), rest.width()));
                rest.setRight(bounds.left() - 1);
                break;
            default:
                break;
            }
            control->PlaceAligned(bounds);
        }
    }
    for (Control* control : controls) {
        if (control->Align() == alNone)
            control->ApplyAnchors(client.size());
        control->d->lastClientSize = client.size();
    }
}

QSize ClientSize(const QWidget* control)
{
    const auto* scrolling = qobject_cast<const QAbstractScrollArea*>(control);
    if (!scrolling)
        return control->size();
    // Worked out rather than read from the viewport, which a hidden control lays out only later.
    // Only scroll bars that are always there count: one that comes and goes with the contents
    // would make the measure depend on what is measured against it.
    QSize size = scrolling->contentsRect().size();
    if (scrolling->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        size.rwidth() -= scrolling->verticalScrollBar()->sizeHint().width();
    if (scrolling->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
        size.rheight() -= scrolling->horizontalScrollBar()->sizeHint().height();
    return size.expandedTo(QSize(0, 0));
}

}  // namespace framework
