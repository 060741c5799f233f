#include "resizer/CustomRP.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "resizer/ControlList.h"

#include <QResizeEvent>
#include <QScopeGuard>
#include <algorithm>
#include <utility>

namespace resizer {

TCustomResizerPanel::TCustomResizerPanel(QWidget* parent)
    : TPanel(parent)
    , fontHandler_(this, QStringLiteral("Font"))
{
}

TCustomResizerPanel::~TCustomResizerPanel()
{
    FreeHandlers();
}

void TCustomResizerPanel::FreeHandlers()
{
    // The controls may outlive the panel: their removal notices must not reach it any more.
    for (const auto& handler : controlHandlers_) {
        if (QWidget* control = handler->Control()) {
            disconnect(control, &QObject::destroyed, this, &TCustomResizerPanel::DropHandler);
            control->removeEventFilter(this);
        }
    }
    // Last to first, the reverse of registration.
    while (!controlHandlers_.empty())
        controlHandlers_.pop_back();
    handlerIndex_.clear();
}

void TCustomResizerPanel::setControlHandlerClass(TMRControlHandlerClass value)
{
    if (!value)
        throw framework::Exception(QStringLiteral("A resizer panel needs a control handler class"));
    controlHandlerClass_ = value;
}

void TCustomResizerPanel::setActive(bool value)
{
    if (value == active_)
        return;
    active_ = value;
    if (!active_)
        FreeHandlers();
}

void TCustomResizerPanel::Loaded()
{
    oldWidth_ = width();
    oldHeight_ = height();
    // A panel in a Qt layout has no stored size (Designer leaves it out): its controls were placed
    // for the size the layout first gives it, so that size becomes the reference.
    sizeFromLayoutPending_ = !testAttribute(Qt::WA_Resized);
    TPanel::Loaded();
}

void TCustomResizerPanel::SetBounds(int left, int top, int width, int height)
{
    if (!active_) {
        oldWidth_ = this->width();
        oldHeight_ = this->height();
    }
    setGeometry(left, top, width, height);
    if (!active_) {
        oldWidth_ = this->width();
        oldHeight_ = this->height();
    }
}

std::vector<TMRControlHandler*> TCustomResizerPanel::ControlHandlers() const
{
    std::vector<TMRControlHandler*> handlers(controlHandlers_.size());
    std::transform(controlHandlers_.begin(), controlHandlers_.end(), handlers.begin(),
        [](const std::unique_ptr<TMRControlHandler>& handler) { return handler.get(); });
    return handlers;
}

TMRControlHandler* TCustomResizerPanel::HandlerOf(const QWidget* control) const
{
    const auto found = handlerIndex_.find(control);
    return found == handlerIndex_.end() ? nullptr : found->second->get();
}

void TCustomResizerPanel::CreatePropertyHandlers(QWidget* /*control*/, TMRPropertyHandlerList& /*handlers*/)
{
}

void TCustomResizerPanel::RegisterControls(QWidget* container)
{
    for (QWidget* child : ChildControls(container)) {
        if (!HandlerOf(child))
            Register(child);
        if (AcceptsControls(child) && !qobject_cast<TCustomResizerPanel*>(child))
            RegisterControls(child);
    }
}

void TCustomResizerPanel::Register(QWidget* control)
{
    // Listed before its property handlers are made: if making one fails, the handler stays,
    // uncaptured, with those made so far.
    std::unique_ptr<TMRControlHandler> made = controlHandlerClass_(control);
    if (!made)
        throw framework::Exception(QStringLiteral("The control handler class made no handler"));
    controlHandlers_.push_back(std::move(made));
    TMRControlHandler* handler = controlHandlers_.back().get();
    handlerIndex_.emplace(control, std::prev(controlHandlers_.end()));
    connect(control, &QObject::destroyed, this, &TCustomResizerPanel::DropHandler, Qt::UniqueConnection);
    control->installEventFilter(this);
    CreatePropertyHandlers(control, handler->PropertyHandlers());
    if (!allowChanges_) {
        const QSize reference = ReferenceSize(control);
        handler->Capture(reference.width(), reference.height());
    }
}

void TCustomResizerPanel::DropHandler(QObject* control)
{
    const auto found = handlerIndex_.find(control);
    if (found == handlerIndex_.end())
        return;
    controlHandlers_.erase(found->second);
    handlerIndex_.erase(found);
}

QSize TCustomResizerPanel::ReferenceSize(const QWidget* control) const
{
    if (control->parentWidget() == this)
        return {oldWidth_, oldHeight_};
    return framework::ClientSize(control->parentWidget());
}

bool TCustomResizerPanel::IsOnPanel(const QWidget* control) const
{
    return control && control->parentWidget() && isAncestorOf(control);
}

void TCustomResizerPanel::resizeEvent(QResizeEvent* event)
{
    framework::Guarded(this, [this, event] { SizeChanged(event); });
}

bool TCustomResizerPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != framework::DockEvent::EventType() || !watched->isWidgetType())
        return TPanel::eventFilter(watched, event);
    framework::Guarded(this,
        [&] { DockChanged(static_cast<QWidget*>(watched), static_cast<framework::DockEvent&>(*event)); });
    return false;  // others may watch too
}

void TCustomResizerPanel::DockChanged(QWidget* control, framework::DockEvent& event)
{
    TMRControlHandler* handler = HandlerOf(control);
    if (!handler || !IsOnPanel(control))
        return;
    switch (event.change()) {
    case framework::DockEvent::Docking:
        if (allowChanges_) {
            const QSize reference = ReferenceSize(control);
            handler->Capture(reference.width(), reference.height());
        }
        handler->KeepFreePlace();
        return;
    case framework::DockEvent::Docked:
        for (TMRControlHandler* under : HandlersUnder(control))
            under->Settle();
        return;
    case framework::DockEvent::Freed:
        if (handler->TakeBackFreePlace()) {
            ApplyUnder(control);
            event.SetPlaced();
        }
        return;
    }
}

std::vector<TMRControlHandler*> TCustomResizerPanel::HandlersUnder(const QWidget* control) const
{
    std::vector<TMRControlHandler*> handlers;
    for (const auto& handler : controlHandlers_) {
        const QWidget* under = handler->Control();
        if ((under == control || control->isAncestorOf(under)) && IsOnPanel(under))
            handlers.push_back(handler.get());
    }
    return handlers;
}

void TCustomResizerPanel::ApplyUnder(const QWidget* control)
{
    const std::vector<TMRControlHandler*> handlers = HandlersUnder(control);
    // Every control is scaled as it would stand free, each container before its contents (the
    // registration order); docks then stretch those that are docked, as docking does.
    for (TMRControlHandler* handler : handlers)
        handler->Apply();
    for (const TMRControlHandler* handler : handlers)
        handler->Dock();
    for (TMRControlHandler* handler : handlers)
        handler->Settle();
}

void TCustomResizerPanel::SizeChanged(QResizeEvent* event)
{
    if (IsDesigning() || IsLoading() || IsReading() || !active_
        || std::exchange(sizeFromLayoutPending_, false)) {
        TPanel::resizeEvent(event);
        oldWidth_ = width();
        oldHeight_ = height();
        return;
    }
    RegisterControls(this);

    // Painting is held back, not the panel hidden: hiding would take the keyboard focus away
    // from whatever control an operator is typing in.
    const bool heldBackAlready = testAttribute(Qt::WA_ForceUpdatesDisabled);
    setUpdatesEnabled(false);
    const auto done = qScopeGuard([this, heldBackAlready] {
        setUpdatesEnabled(!heldBackAlready);
        oldWidth_ = width();
        oldHeight_ = height();
    });
    if (allowChanges_)
        CaptureAll();
    TPanel::resizeEvent(event);
    fontHandler_.ApplyRatios();
    ApplyUnder(this);
}

void TCustomResizerPanel::CaptureAll()
{
    fontHandler_.CaptureRatiosFor(oldWidth_, oldHeight_);
    // Every reference is read before anything moves.
    for (const auto& handler : controlHandlers_) {
        if (!IsOnPanel(handler->Control()))
            continue;
        const QSize reference = ReferenceSize(handler->Control());
        handler->Capture(reference.width(), reference.height());
    }
}

}  // namespace resizer
