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
            return new TVrShownTextAccessible(
                clock, QAccessible::Clock, [clock] { return clock->ShownTime(); },
                QCoreApplication::translate("display::TVrLedClock", "Clock"));
    if (className == QLatin1String(TVrLabel::staticMetaObject.className()))
        if (auto* label = qobject_cast<TVrLabel*>(object))
            return new TVrShownTextAccessible(
                label, QAccessible::StaticText, [label] { return label->Caption(); }, QString());
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

TVrShownTextAccessible::TVrShownTextAccessible(
    QWidget* control, QAccessible::Role role, std::function<QString()> shownText, QString unnamed)
    : QAccessibleWidget(control, role)
    , shownText_(std::move(shownText))
    , unnamed_(std::move(unnamed))
{
}

QString TVrShownTextAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        QString name = widget()->accessibleName();
        if (!name.isEmpty())
            return name;
        return unnamed_.isEmpty() ? ShownText() : unnamed_;
    }
    // A clock's value is the time it shows; other text has no value of its own.
    if (t == QAccessible::Value && role() == QAccessible::Clock)
        return ShownText();
    return QAccessibleWidget::text(t);
}

QString TVrShownTextAccessible::ShownText() const
{
    return shownText_();
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

}  // namespace display
