#include "resizer/CustomRP.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "resizer/ControlList.h"

#include <QResizeEvent>
#include <QScopeGuard>
#include <algorithm>
#include <list>
#include <unordered_map>
#include <utility>

namespace resizer {

struct TCustomResizerPanel::Private {
    using HandlerList = std::list<std::unique_ptr<TMRControlHandler>>;

    explicit Private(QWidget* panel)
        : fontHandler(panel, QStringLiteral("Font"))
    {
    }

    TMRControlHandlerClass controlHandlerClass = CreateControlHandler<TMRControlHandler>;
    int oldWidth = 0;
    int oldHeight = 0;
    bool active = true;
    bool allowChanges = false;
    // Whether the next size change only sets the reference: the controls were placed for the size
    // the panel first has. A panel read from a layout decides this as it is loaded; one made by a
    // plain setupUi or in code is never loaded, and so keeps it.
    bool sizeFromLayoutPending = true;
    TMRFont fontHandler;
    HandlerList controlHandlers;
    // Finds a control's handler in constant time; the list keeps the registration order.
    std::unordered_map<const QObject*, HandlerList::iterator> handlerIndex;
};

TCustomResizerPanel::TCustomResizerPanel(QWidget* parent)
    : TPanel(parent)
    , d(std::make_unique<Private>(this))
{
}

TCustomResizerPanel::~TCustomResizerPanel()
{
    FreeHandlers();
}

void TCustomResizerPanel::FreeHandlers()
{
    // The controls may outlive the panel: their removal notices must not reach it any more.
    for (const auto& handler : d->controlHandlers) {
        if (QWidget* control = handler->Control()) {
            disconnect(control, &QObject::destroyed, this, &TCustomResizerPanel::DropHandler);
            control->removeEventFilter(this);
        }
    }
    // Last to first, the reverse of registration.
    while (!d->controlHandlers.empty())
        d->controlHandlers.pop_back();
    d->handlerIndex.clear();
}

void TCustomResizerPanel::setControlHandlerClass(TMRControlHandlerClass value)
{
    if (!value)
        throw framework::Exception(QStringLiteral("A resizer panel needs a control handler class"));
    d->controlHandlerClass = value;
}

bool TCustomResizerPanel::AllowChanges() const
{
    return d->allowChanges;
}

void TCustomResizerPanel::setAllowChanges(bool value)
{
    d->allowChanges = value;
}

bool TCustomResizerPanel::Active() const
{
    return d->active;
}

TMRControlHandlerClass TCustomResizerPanel::ControlHandlerClass() const
{
    return d->controlHandlerClass;
}

int TCustomResizerPanel::OldWidth() const
{
    return d->oldWidth;
}

void TCustomResizerPanel::setActive(bool value)
{
    if (value == d->active)
        return;
    d->active = value;
    if (!d->active)
        FreeHandlers();
}

void TCustomResizerPanel::Loaded()
{
    d->oldWidth = width();
    d->oldHeight = height();
    // A panel in a Qt layout has no stored size (Designer leaves it out): its controls were placed
    // for the size the layout first gives it, so that size becomes the reference.
    d->sizeFromLayoutPending = !testAttribute(Qt::WA_Resized);
    TPanel::Loaded();
}

void TCustomResizerPanel::SetBounds(int left, int top, int width, int height)
{
    if (!d->active) {
        d->oldWidth = this->width();
        d->oldHeight = this->height();
    }
    setGeometry(left, top, width, height);
    if (!d->active) {
        d->oldWidth = this->width();
        d->oldHeight = this->height();
    }
}

std::vector<TMRControlHandler*> TCustomResizerPanel::ControlHandlers() const
{
    std::vector<TMRControlHandler*> handlers(d->controlHandlers.size());
    std::transform(d->controlHandlers.begin(), d->controlHandlers.end(), handlers.begin(),
        [](const std::unique_ptr<TMRControlHandler>& handler) { return handler.get(); });
    return handlers;
}

TMRControlHandler* TCustomResizerPanel::HandlerOf(const QWidget* control) const
{
    const auto found = d->handlerIndex.find(control);
    return found == d->handlerIndex.end() ? nullptr : found->second->get();
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
    std::unique_ptr<TMRControlHandler> made = d->controlHandlerClass(control);
    if (!made)
        throw framework::Exception(QStringLiteral("The control handler class made no handler"));
    d->controlHandlers.push_back(std::move(made));
    TMRControlHandler* handler = d->controlHandlers.back().get();
    d->handlerIndex.emplace(control, std::prev(d->controlHandlers.end()));
    connect(control, &QObject::destroyed, this, &TCustomResizerPanel::DropHandler, Qt::UniqueConnection);
    control->installEventFilter(this);
    CreatePropertyHandlers(control, handler->PropertyHandlers());
    if (!d->allowChanges) {
        const QSize reference = ReferenceSize(control);
        handler->Capture(reference.width(), reference.height());
    }
}

void TCustomResizerPanel::DropHandler(QObject* control)
{
    const auto found = d->handlerIndex.find(control);
    if (found == d->handlerIndex.end())
        return;
    d->controlHandlers.erase(found->second);
    d->handlerIndex.erase(found);
}

QSize TCustomResizerPanel::ReferenceSize(const QWidget* control) const
{
    if (control->parentWidget() == this)
        return {d->oldWidth, d->oldHeight};
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
        if (d->allowChanges) {
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
    for (const auto& handler : d->controlHandlers) {
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
    if (IsDesigning() || IsLoading() || IsReading() || !d->active
        || std::exchange(d->sizeFromLayoutPending, false)) {
        TPanel::resizeEvent(event);
        d->oldWidth = width();
        d->oldHeight = height();
        return;
    }
    RegisterControls(this);

    // Painting is held back, not the panel hidden: hiding would take the keyboard focus away
    // from whatever control an operator is typing in.
    const bool heldBackAlready = testAttribute(Qt::WA_ForceUpdatesDisabled);
    setUpdatesEnabled(false);
    const auto done = qScopeGuard([this, heldBackAlready] {
        setUpdatesEnabled(!heldBackAlready);
        d->oldWidth = width();
        d->oldHeight = height();
    });
    if (d->allowChanges)
        CaptureAll();
    TPanel::resizeEvent(event);
    d->fontHandler.ApplyRatios();
    ApplyUnder(this);
}

void TCustomResizerPanel::CaptureAll()
{
    d->fontHandler.CaptureRatiosFor(d->oldWidth, d->oldHeight);
    // Every reference is read before anything moves.
    for (const auto& handler : d->controlHandlers) {
        if (!IsOnPanel(handler->Control()))
            continue;
        const QSize reference = ReferenceSize(handler->Control());
        handler->Capture(reference.width(), reference.height());
    }
}

}  // namespace resizer
