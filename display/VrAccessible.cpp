#include "display/VrAccessible.h"

#include "display/vrLedClock.h"
#include "framework/LocaleId.h"

#include <QCoreApplication>
#include <QPointer>

namespace display {

namespace {

// An LED clock on air says so before anything else it is described by, as its tally colour shows.
class LedClockAccessible : public TVrShownTextAccessible {
public:
    using TVrShownTextAccessible::TVrShownTextAccessible;

    QString text(QAccessible::Text t) const override
    {
        QString said = TVrShownTextAccessible::text(t);
        if (t != QAccessible::Description || !static_cast<const TVrLedClock*>(widget())->OnAir())
            return said;
        const QString onAir = framework::ThreadQLocale().language() == QLocale::Portuguese
            ? QStringLiteral("No ar")
            : QStringLiteral("On air");
        return said.isEmpty() ? onAir : onAir + QStringLiteral(". ") + said;
    }
};

// Qt asks with each class name of an object's ancestry, the most derived first; what this returns
// Qt keeps, and deletes with the object. A display control that names no role is left to Qt.
QAccessibleInterface* MakeVrAccessible(const QString& /*className*/, QObject* object)
{
    auto* control = qobject_cast<TVrGraphicControl*>(object);
    if (!control || control->AccessibleRole() == QAccessible::NoRole)
        return nullptr;
    std::function<QString()> shownText = [control] { return control->AccessibleText(); };
    if (qobject_cast<TVrLedClock*>(control))
        return new LedClockAccessible(
            control, control->AccessibleRole(), std::move(shownText), control->UnnamedAccessibleName());
    return new TVrShownTextAccessible(
        control, control->AccessibleRole(), std::move(shownText), control->UnnamedAccessibleName());
}

// Made as the library is loaded: Qt then installs the interfaces as the application object starts.
const struct VrAccessibilityRegistration {
    VrAccessibilityRegistration() { qAddPreRoutine(InstallVrAccessibility); }
} vrAccessibilityRegistration;

}  // namespace

void InstallVrAccessibility()
{
    static QPointer<QCoreApplication> installedFor;
    if (installedFor && installedFor == QCoreApplication::instance())
        return;
    installedFor = QCoreApplication::instance();
    QAccessible::installFactory(&MakeVrAccessible);
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
