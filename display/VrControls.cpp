#include "display/VrControls.h"

#include "display/DrawingUtils.h"
#include "framework/Application.h"

#include <QBitmap>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <cmath>

// Outside any namespace, where the resource's initialiser is declared.
static void InitialiseDisplayCursors()
{
    Q_INIT_RESOURCE(display_cursors);
}

namespace display {

namespace {

// The fewest logical pixels that make a whole number of device pixels at this ratio (2 at 1.5),
// up to 8; 1 when none do.
int WholeDevicePixelStep(qreal ratio)
{
    constexpr int kLongestStep = 8;
    for (int step = 1; step <= kLongestStep; ++step)
        if (std::abs(step * ratio - std::round(step * ratio)) < 1e-9)
            return step;
    return 1;
}

// What of a shown control its window can show: its rectangle within each parent's. Covering
// siblings are not taken off, as visibleRegion would: that looks at every sibling, in every paint
// of every control, which a form of thousands of clocks pays for many times over.
QRect WithinWindow(const QWidget& control)
{
    if (!control.isVisible())
        return {};
    QRect within = control.rect();
    QPoint offset;
    for (const QWidget* widget = &control; !widget->isWindow() && widget->parentWidget();
         widget = widget->parentWidget()) {
        offset -= widget->pos();
        within &= QRect(offset, widget->parentWidget()->size());
    }
    return within;
}

// The part of a control its frame is drawn for: what of it can be visible in its window, and
// whatever a paint asks for beyond that (a hidden control being grabbed). Its top left lies on a
// whole device pixel, so the part holds exactly the pixels a picture of the whole control would.
QRect FramedPart(const QWidget& control, const QRect& asked)
{
    const QRect part = (WithinWindow(control) | asked) & control.rect();
    const int step = WholeDevicePixelStep(control.devicePixelRatioF());
    const auto onStep = [step](int at) { return at - at % step; };
    return {QPoint(onStep(part.left()), onStep(part.top())), part.bottomRight()};
}

// Puts the pointing hand (32 x 32, monochrome, hot spot on the tip of the index finger) under
// HandPointCursor: as the application object starts, or at once when the library is loaded into a
// running one (Designer loading its plugins), which may be before its resources are registered.
void RegisterHandPointCursor()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;  // a cursor is made of pixmaps, which need the GUI
    InitialiseDisplayCursors();
    const QBitmap shape(QStringLiteral(":/studioclock/cursors/handpoint.xbm"));
    const QBitmap mask(QStringLiteral(":/studioclock/cursors/handpoint_mask.xbm"));
    framework::ScreenCursors().SetCursor(HandPointCursor, QCursor(shape, mask, 10, 5));
}

// Made as the library is loaded: Qt then runs the registration as the application object starts.
const struct HandPointCursorRegistration {
    HandPointCursorRegistration() { qAddPreRoutine(RegisterHandPointCursor); }
} handPointCursorRegistration;

}  // namespace

void NotifyAccessible(QObject* control, QAccessible::Event what)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, what);
    QAccessible::updateAccessibility(&event);
}

TVrComponent::TVrComponent(QObject* owner)
    : QObject(owner)
{
}

struct TVrGraphicControl::Private {
    framework::TCanvas canvas;
    QString caption;
    bool captionFollowsName = false;
    framework::ClickTracker clicks;
};

TVrGraphicControl::TVrGraphicControl(QWidget* parent)
    : QWidget(parent)
    , Control(this, framework::clBtnFace, Background::PaintedByControl)
    , d(std::make_unique<Private>())
{
    setMouseTracking(true);  // OnMouseMove also while no button is held
}

QAccessible::Role TVrGraphicControl::AccessibleRole() const
{
    return QAccessible::NoRole;
}

QString TVrGraphicControl::AccessibleText() const
{
    return {};
}

QString TVrGraphicControl::UnnamedAccessibleName() const
{
    return {};
}

TVrGraphicControl::~TVrGraphicControl() = default;

QString TVrGraphicControl::Caption() const
{
    return d->caption;
}

framework::TCanvas& TVrGraphicControl::Canvas()
{
    return d->canvas;
}

void TVrGraphicControl::UpdateControl()
{
    if (!IsLoading())
        repaint();
}

void TVrGraphicControl::AdjustAutoSize()
{
    const framework::TAlign align = Align();
    if (!AutoSize() || align == framework::alClient || align == framework::alCustom) {
        UpdateControl();
        return;
    }
    ReapplyBounds();
}

void TVrGraphicControl::ReapplyBounds()
{
    if (IsLoading())
        return;
    const framework::TRect before = BoundsRect();
    SetBounds(x(), y(), width(), height());
    // A changed size is repainted by the resize itself.
    if (RectsEqual(before, BoundsRect()))
        UpdateControl();
}

void TVrGraphicControl::SetBounds(int left, int top, int width, int height)
{
    if (AutoSize() && !IsLoading()) {
        int newWidth = width;
        int newHeight = height;
        if (CanAutoSize(newWidth, newHeight)) {
            width = newWidth;
            height = newHeight;
        }
    }
    setGeometry(left, top, std::max(0, width), std::max(0, height));
}

framework::TRect TVrGraphicControl::BoundsRect() const
{
    return framework::FromQRect(geometry());
}

void TVrGraphicControl::setCaption(const QString& value)
{
    d->captionFollowsName = false;
    ChangeCaption(value);
}

void TVrGraphicControl::ChangeCaption(const QString& value)
{
    if (framework::SetIfChanged(d->caption, value))
        TextChanged();
}

void TVrGraphicControl::SetCaptionFollowsName()
{
    d->captionFollowsName = true;
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        if (d->captionFollowsName && IsDesigning())
            ChangeCaption(name);
    });
}

bool TVrGraphicControl::CanAutoSize(int& /*newWidth*/, int& /*newHeight*/)
{
    return true;
}

void TVrGraphicControl::MouseEntered()
{
    emit OnMouseEnter(this);
}

void TVrGraphicControl::MouseLeft()
{
    emit OnMouseLeave(this);
}

void TVrGraphicControl::FontChanged()
{
    emit OnFontChanged(this);
}

void TVrGraphicControl::TextChanged()
{
    emit OnTextChanged(this);
}

void TVrGraphicControl::DoClick()
{
    emit OnClick(this);
}

void TVrGraphicControl::DoDblClick()
{
    emit OnDblClick(this);
}

void TVrGraphicControl::DoMouseDown(
    framework::TMouseButton button, framework::TShiftState shift, int x, int y)
{
    emit OnMouseDown(this, button, shift, x, y);
}

void TVrGraphicControl::DoMouseMove(framework::TShiftState shift, int x, int y)
{
    emit OnMouseMove(this, shift, x, y);
}

void TVrGraphicControl::DoMouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y)
{
    emit OnMouseUp(this, button, shift, x, y);
}

void TVrGraphicControl::DoContextPopup(framework::TPoint mousePos, bool& handled)
{
    emit OnContextPopup(this, mousePos, handled);
}

void TVrGraphicControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    MouseEntered();
}

void TVrGraphicControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    MouseLeft();
}

bool TVrGraphicControl::event(QEvent* event)
{
    // Without a description of its own, a control is described by its tooltip.
    if (event->type() == QEvent::ToolTipChange && accessibleDescription().isEmpty())
        NotifyAccessible(this, QAccessible::DescriptionChanged);
    return QWidget::event(event);
}

void TVrGraphicControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        framework::Guarded(this, [this] { FontChanged(); });
}

void TVrGraphicControl::mousePressEvent(QMouseEvent* event)
{
    const std::optional<framework::TMouseButton> button = framework::MouseButton(*event);
    if (!button)
        return event->ignore();
    d->clicks.Pressed(*event);
    const QPoint at = event->position().toPoint();
    DoMouseDown(*button, framework::ShiftState(*event), at.x(), at.y());
}

void TVrGraphicControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends this instead of the second press of a double click.
    const std::optional<framework::TMouseButton> button = framework::MouseButton(*event);
    if (!button)
        return event->ignore();
    d->clicks.Cancel();  // the release that ends a double click is no click
    const QPoint at = event->position().toPoint();
    if (*button == framework::mbLeft)
        DoDblClick();
    DoMouseDown(*button, framework::ShiftState(*event), at.x(), at.y());
}

void TVrGraphicControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    DoMouseMove(framework::ShiftState(*event), at.x(), at.y());
}

void TVrGraphicControl::mouseReleaseEvent(QMouseEvent* event)
{
    const std::optional<framework::TMouseButton> button = framework::MouseButton(*event);
    if (!button)
        return event->ignore();
    const QPoint at = event->position().toPoint();
    const bool click = d->clicks.Released(*event, rect());
    if (click)
        DoClick();
    DoMouseUp(*button, framework::ShiftState(*event), at.x(), at.y());
}

void TVrGraphicControl::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    DoContextPopup(framework::FromQPoint(event->pos()), handled);
    // An unhandled request goes on to the parent, which may show a menu of its own.
    event->setAccepted(handled);
}

struct TVrGraphicImageControl::Private {
    framework::TBitmap offscreen;
    bool transparent = false;
};

TVrGraphicImageControl::TVrGraphicImageControl(QWidget* parent)
    : TVrGraphicControl(parent)
    , d(std::make_unique<Private>())
{
}

TVrGraphicImageControl::~TVrGraphicImageControl() = default;

bool TVrGraphicImageControl::Transparent() const
{
    return d->transparent;
}

framework::TCanvas& TVrGraphicImageControl::BitmapCanvas()
{
    return d->offscreen.Canvas();
}

framework::TBitmap& TVrGraphicImageControl::OffscreenBitmap()
{
    return d->offscreen;
}

void TVrGraphicImageControl::setTransparent(bool value)
{
    if (!framework::SetIfChanged(d->transparent, value))
        return;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    if (IsDesigning())
        update();
    else
        UpdateControl();
}

void TVrGraphicImageControl::UpdateRegion(const QRegion& changed)
{
    if (!IsLoading() && !changed.isEmpty())
        repaint(changed);
}

void TVrGraphicImageControl::Paint()
{
    const framework::TPoint at = BitmapCanvas().Origin();
    Canvas().Draw(at.X, at.Y, d->offscreen.Image());
}

void TVrGraphicImageControl::ClearBitmapCanvas()
{
    framework::TCanvas& canvas = BitmapCanvas();
    canvas.Brush().Style = framework::bsSolid;
    if (d->transparent) {
        canvas.ClearToTransparent();
        return;
    }
    canvas.Brush().Color = Color();
    canvas.FillRect(canvas.ClipRect());
}

void TVrGraphicImageControl::paintEvent(QPaintEvent* event)
{
    framework::Guarded(this, [this, event] {
        framework::TCanvas& screen = Canvas();
        // Only what can reach the screen: a control far larger than its window (a huge font)
        // would otherwise hold a picture of all of itself.
        const QRect part = FramedPart(*this, event->rect());
        d->offscreen.SetDevicePixelRatio(devicePixelRatioF());
        d->offscreen.SetSize(part.width(), part.height());
        BitmapCanvas().SetOrigin(framework::FromQPoint(part.topLeft()));
        // The screen canvas is this widget only for the length of the paint, also when Paint fails.
        struct Detach {
            framework::TCanvas& canvas;
            ~Detach() { canvas.SetDevice(nullptr); }
        } detach{screen};
        screen.SetDevice(this);
        screen.SetClipRect(framework::FromQRect(event->rect()));
        Paint();
    });
}

}  // namespace display
