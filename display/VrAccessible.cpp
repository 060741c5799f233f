#include "display/VrAccessible.h"

#include "display/VrLabel.h"
#include "display/vrLedClock.h"

#include <QCoreApplication>
#include <QPointer>

namespace display {

namespace {

// Qt asks with each class name of an object's ancestry, the most derived first; what this returns
// Qt keeps, and deletes with the object.
QAccessibleInterface* MakeVrAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(TVrLedClock::staticMetaObject.className()))
        if (auto* clock = qobject_cast<TVrLedClock*>(object))
            return new TVrLedClockAccessible(clock);
    if (className == QLatin1String(TVrLabel::staticMetaObject.className()))
        if (auto* label = qobject_cast<TVrLabel*>(object))
            return new TVrLabelAccessible(label);
    return nullptr;
}

}  // namespace

void InstallVrAccessibility()
{
    static QPointer<QCoreApplication> installedFor;
    if (installedFor && installedFor == QCoreApplication::instance())
        return;
    installedFor = QCoreApplication::instance();
    QAccessible::installFactory(&MakeVrAccessible);
}

void NotifyAccessible(QObject* control, QAccessible::Event what)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, what);
    QAccessible::updateAccessibility(&event);
}

TVrShownTextAccessible::TVrShownTextAccessible(QWidget* control, QAccessible::Role role)
    : QAccessibleWidget(control, role)
{
}

QAccessible::State TVrShownTextAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    return state;
}

void* TVrShownTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString TVrShownTextAccessible::text(int startOffset, int endOffset) const
{
    return ShownText().mid(startOffset, endOffset - startOffset);
}

int TVrShownTextAccessible::characterCount() const
{
    return static_cast<int>(ShownText().size());
}

QString TVrShownTextAccessible::attributes(int /*offset*/, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TVrShownTextAccessible::selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

TVrLedClockAccessible::TVrLedClockAccessible(TVrLedClock* clock)
    : TVrShownTextAccessible(clock, QAccessible::Clock)
{
}

QString TVrLedClockAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? QCoreApplication::translate("display::TVrLedClock", "Clock") : name;
    }
    if (t == QAccessible::Value)
        return ShownText();
    return TVrShownTextAccessible::text(t);
}

QString TVrLedClockAccessible::ShownText() const
{
    return static_cast<const TVrLedClock*>(widget())->ShownTime();
}

TVrLabelAccessible::TVrLabelAccessible(TVrLabel* label)
    : TVrShownTextAccessible(label, QAccessible::StaticText)
{
}

QString TVrLabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? ShownText() : name;
    }
    return TVrShownTextAccessible::text(t);
}

QString TVrLabelAccessible::ShownText() const
{
    return static_cast<const TVrLabel*>(widget())->Caption();
}

}  // namespace display
