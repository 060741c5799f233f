#pragma once

#include "framework/Color.h"
#include "framework/Component.h"
#include "framework/Enums.h"
#include "framework/Export.h"

#include <QRect>
#include <QSize>
#include <memory>

class QWidget;

namespace framework {

// What every control of a stored layout adds to its widget: the component states, alignment in
// its parent, anchors, and a font height in pixels. A control class inherits it beside its Qt
// widget class and publishes the properties with FRAMEWORK_CONTROL_PROPERTIES.
class STUDIOCLOCK_FRAMEWORK_EXPORT Control : public Component {
public:
    // Whether Qt fills the background with Color, or the control paints every pixel itself.
    enum class Background { FilledByQt, PaintedByControl };

    // `defaultColor` is the background the control has until a layout sets one.
    explicit Control(
        QWidget* widget, TColor defaultColor = clBtnFace, Background background = Background::FilledByQt);

    ~Control() override;

    QWidget* Widget() const;

    TAlign Align() const;
    // Docking (any value but alNone) remembers the free bounds; going back to alNone restores them,
    // unless a watcher of the control's DockEvent places it. Every change sends DockEvents.
    void setAlign(TAlign value);

    TAnchors Anchors() const;
    void setAnchors(TAnchors value);

    // Character height in pixels when negative (the em height), cell height when positive; a
    // height past 32767 either way, or one at which the font engine cannot measure the font (from
    // about 17000 pixels), raises the range error and keeps the font.
    int FontHeight() const;
    void setFontHeight(int value);

    // Background and text colours; system colours follow the desktop palette.
    TColor Color() const;
    void setColor(TColor value);
    TColor FontColor() const;
    void setFontColor(TColor value);

    // Whether the control takes its natural size, whatever that is for it (a label its caption's,
    // a panel its controls'). Only the controls that have one publish it.
    bool AutoSize() const;
    void setAutoSize(bool value);
    // Gives an auto-sized control its natural size again, or releases one that no longer sizes
    // itself: setAutoSize calls it on a change, a control also when what its size follows changes.
    // A control without a natural size keeps the size it is given.
    virtual void AdjustAutoSize() { }

    void Loaded() override;

protected:
    // For a constructor: the AutoSize the control starts with, taken without adjusting anything.
    void SetDefaultAutoSize(bool value);

    // Lays out the parent's controls again, once the layout is complete.
    void Realign();

private:
    friend void AlignControls(QWidget* container);

    // Places a control by its anchors for the parent's new client size.
    // cppcheck-suppress unusedPrivateFunction ; called by AlignControls, a friend
    void ApplyAnchors(const QSize& clientSize);
    void PlaceAligned(const QRect& bounds);

    struct Private;
    std::unique_ptr<Private> d;
};

// Lays out a container's controls: docked ones (top, bottom, left, right, then client, each in
// creation order) take their strip of the client area; free ones follow their anchors.
STUDIOCLOCK_FRAMEWORK_EXPORT void AlignControls(QWidget* container);

// The area whose size a control's contents are measured against: the whole control, or for a
// scrolling control (a memo) the part of its contents it shows, less its fixed scroll bars.
STUDIOCLOCK_FRAMEWORK_EXPORT QSize ClientSize(const QWidget* control);

}  // namespace framework

// The design-time properties every control publishes.
#define FRAMEWORK_CONTROL_PROPERTIES                                      \
    Q_PROPERTY(framework::TAlign Align READ Align WRITE setAlign)         \
    Q_PROPERTY(framework::TAnchors Anchors READ Anchors WRITE setAnchors) \
    Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)        \
    Q_PROPERTY(framework::TColor Color READ Color WRITE setColor)         \
    Q_PROPERTY(framework::TColor FontColor READ FontColor WRITE setFontColor)
