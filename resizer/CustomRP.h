// CustomRP: TCustomResizerPanel, the resizer panel without its handler factory.
#pragma once

#include "controls/Panel.h"
#include "framework/DockEvent.h"
#include "resizer/ControlHandler.h"
#include "resizer/Export.h"
#include "resizer/MRFont.h"

#include <memory>
#include <vector>

// A panel that keeps every control placed on it, at any depth, in proportion to its own size:
// at each size change it records where the controls are as fractions of their parents, lets the
// framework realign, and puts every control back at the same fractions of the new size, fonts
// and other lengths included.
namespace resizer {

class STUDIOCLOCK_RESIZER_EXPORT TCustomResizerPanel : public controls::TPanel {
    Q_OBJECT
    Q_PROPERTY(bool AllowChanges READ AllowChanges WRITE setAllowChanges STORED true)
public:
    explicit TCustomResizerPanel(QWidget* parent = nullptr);
    ~TCustomResizerPanel() override;

    // True: fractions are taken again at every size change for each control that something else
    // moved; false: once, when a control is first seen, so moves by the program are undone.
    bool AllowChanges() const;
    void setAllowChanges(bool value);

    // Switching off drops every handler and leaves the controls where they are; switching on
    // takes the layout of the next size change as the new basis.
    bool Active() const;
    void setActive(bool value);

    // What the panel makes the handler of each control it meets from now on: the class reference
    // by which a program puts a control-handler class of its own in place,
    // CreateControlHandler<TMyHandler>. Handlers already made stay.
    TMRControlHandlerClass ControlHandlerClass() const;
    void setControlHandlerClass(TMRControlHandlerClass value);

    // The width the panel had after its last size change: with the height, the reference of its
    // direct children.
    int OldWidth() const;

    void Loaded() override;
    // Moves and sizes the panel; while inactive the reference size follows.
    void SetBounds(int left, int top, int width, int height);

    // Gives every control under `container` that has none a handler, depth first, a container
    // before its contents; a nested resizer panel is registered but its contents are its own.
    void RegisterControls(QWidget* container);

    // The handlers in registration order, and the one of a control (null when it has none).
    std::vector<TMRControlHandler*> ControlHandlers() const;
    TMRControlHandler* HandlerOf(const QWidget* control) const;

protected:
    // Appends the property handlers `control` needs to `handlers`; none here.
    virtual void CreatePropertyHandlers(QWidget* control, TMRPropertyHandlerList& handlers);

    void resizeEvent(QResizeEvent* event) override;
    // Watches the registered controls dock and leave their docks.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SizeChanged(QResizeEvent* event);
    void Register(QWidget* control);
    void CaptureAll();
    // The parent's client size a control is captured against; the panel's own old size for its
    // direct children.
    QSize ReferenceSize(const QWidget* control) const;
    // A control that has been taken off the panel keeps its handler but is left alone.
    bool IsOnPanel(const QWidget* control) const;
    void DropHandler(QObject* control);
    // A control leaving its free place keeps it (taken again first when changes are allowed),
    // and what its dock does to it and its contents is no move by somebody else; one freed from
    // its dock goes back to its free place, with its contents.
    void DockChanged(QWidget* control, framework::DockEvent& event);
    // The handlers of `control` and of every control under it that is still on the panel, in
    // registration order.
    std::vector<TMRControlHandler*> HandlersUnder(const QWidget* control) const;
    // Scales `control` and everything under it for the current sizes.
    void ApplyUnder(const QWidget* control);
    void FreeHandlers();

    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace resizer
