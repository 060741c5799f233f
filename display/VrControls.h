// VrControls: TVrComponent, TVrGraphicControl and TVrGraphicImageControl, the display bases.
#pragma once

#include "display/Export.h"
#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Control.h"
#include "framework/CursorTable.h"
#include "framework/Enums.h"
#include "framework/Geometry.h"
#include "framework/Mouse.h"
#include "framework/Property.h"

#include <QAccessible>
#include <QObject>
#include <QWidget>
#include <memory>

// The bases of the display controls: a non-visual component, a windowless control with the mouse
// events and hooks for mouse, font and text changes, and a control that draws each frame
// off-screen and shows it in one copy, so a frame never appears half drawn.
namespace display {

// Every display component reports this version; it is never stored with a layout.
inline const QString kVrVersion = QStringLiteral("1.3");

// The display controls take their angles (of text, of the clock's LED slant) in degrees.
constexpr double kDegreesToRadians = 0.017453292519943295;

// Index of the pointing hand in the screen's cursors, put there as the application starts, for a
// program to set on any control: setCursor(framework::ScreenCursors().Cursor(HandPointCursor)).
constexpr framework::TCursor HandPointCursor = 99;

// Tells screen readers that `what` of `control` changed; nothing while none is listening.
STUDIOCLOCK_DISPLAY_EXPORT void NotifyAccessible(QObject* control, QAccessible::Event what);

class STUDIOCLOCK_DISPLAY_EXPORT TVrComponent : public QObject, public framework::Component {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version STORED false)
public:
    explicit TVrComponent(QObject* owner = nullptr);
    QString Version() const { return kVrVersion; }
};

class STUDIOCLOCK_DISPLAY_EXPORT TVrGraphicControl : public QWidget, public framework::Control {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version STORED false)
    // A display control draws with its font only where it says so: it publishes Font itself.
    Q_PROPERTY(QFont font READ font WRITE setFont DESIGNABLE false)
public:
    explicit TVrGraphicControl(QWidget* parent = nullptr);
    ~TVrGraphicControl() override;

    QString Version() const { return kVrVersion; }

    // Redraw now; nothing while the layout is still being read.
    virtual void UpdateControl();
    // Lets an auto-sized control take its natural size again, then redraws.
    void AdjustAutoSize() override;
    // Applies the current bounds again, then redraws if they did not change.
    virtual void ReapplyBounds();

    // Moves and sizes the control; an auto-sized one first gets the size CanAutoSize proposes.
    void SetBounds(int left, int top, int width, int height);
    framework::TRect BoundsRect() const;

    QString Caption() const;
    void setCaption(const QString& value);

    // The canvas of the screen while a frame is being shown.
    framework::TCanvas& Canvas();

    // What screen readers learn of the control: its role, NoRole leaving it to Qt as any widget;
    // the text it shows; and its name while it has no accessible name of its own, empty when its
    // shown text names it.
    virtual QAccessible::Role AccessibleRole() const;
    virtual QString AccessibleText() const;
    virtual QString UnnamedAccessibleName() const;

signals:
    // A handler that may raise is connected with framework::ConnectGuarded; a plainly connected one
    // must not raise.
    void OnMouseEnter(QObject* sender);
    void OnMouseLeave(QObject* sender);
    void OnFontChanged(QObject* sender);
    void OnTextChanged(QObject* sender);
    void OnClick(QObject* sender);
    void OnDblClick(QObject* sender);
    void OnMouseDown(
        QObject* sender, framework::TMouseButton button, framework::TShiftState shift, int x, int y);
    void OnMouseMove(QObject* sender, framework::TShiftState shift, int x, int y);
    void OnMouseUp(
        QObject* sender, framework::TMouseButton button, framework::TShiftState shift, int x, int y);
    // `mousePos` in control coordinates; a handler that sets `handled` keeps the parent's menu away.
    void OnContextPopup(QObject* sender, framework::TPoint mousePos, bool& handled);

protected:
    // The display controls' setter: a changed value is stored and drawn at once.
    template <typename T> void ChangeAndUpdate(T& field, const std::common_type_t<T>& value)
    {
        if (framework::SetIfChanged(field, value))
            UpdateControl();
    }

    // Proposes the size an auto-sized control wants; true accepts the proposal.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void FontChanged();
    virtual void TextChanged();

    void DoClick();
    void DoDblClick();
    void DoMouseDown(framework::TMouseButton button, framework::TShiftState shift, int x, int y);
    void DoMouseMove(framework::TShiftState shift, int x, int y);
    void DoMouseUp(framework::TMouseButton button, framework::TShiftState shift, int x, int y);
    void DoContextPopup(framework::TPoint mousePos, bool& handled);

    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A windowless control keeps the mouse events over it from its parent, as its own.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // For a constructor: while the control is being designed and nobody has set its caption, the
    // caption follows the object name, as a form designer names each new control.
    void SetCaptionFollowsName();

private:
    void ChangeCaption(const QString& value);

    struct Private;
    std::unique_ptr<Private> d;
};

// Draws every frame into OffscreenBitmap and copies it to the screen at once. Descendants
// override Paint: ClearBitmapCanvas, draw on BitmapCanvas in control coordinates, then call this
// class's Paint. The picture holds only the part of the control that can be visible in its window
// (the canvas's Origin and ClipRect say which), so its memory follows the screen, not the control.
//
// Transparent: Qt paints the parent, and the siblings below, under a widget that is not opaque
// before the widget paints; a transparent frame therefore starts fully transparent and the
// parent's pixels show wherever the frame leaves them, also when the control repaints itself.
// No copy of the parent's pixels has to be kept.
class STUDIOCLOCK_DISPLAY_EXPORT TVrGraphicImageControl : public TVrGraphicControl {
    Q_OBJECT
public:
    explicit TVrGraphicImageControl(QWidget* parent = nullptr);
    ~TVrGraphicImageControl() override;

    bool Transparent() const;
    void setTransparent(bool value);

    framework::TCanvas& BitmapCanvas();
    framework::TBitmap& OffscreenBitmap();

    // Draws the frame off screen as always, but copies only `changed` (control pixels) to
    // the screen: for a change the control made itself and knows the reach of, so the window
    // system is handed only those pixels. Nothing while the layout is being read.
    void UpdateRegion(const QRegion& changed);

protected:
    // Copies the finished frame to the screen.
    virtual void Paint();
    // Starts a frame: filled with Color, or transparent when Transparent.
    virtual void ClearBitmapCanvas();

    void paintEvent(QPaintEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace display
