#pragma once

#include "framework/Exceptions.h"
#include "resizer/Export.h"

#include <QMetaProperty>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

// Property handlers keep lengths held in a control's own properties (a font size, column widths,
// tab sizes) in proportion to the control's client area. Each one remembers ratios and the values
// it last applied, and derives the ratios again only when somebody else changed a value, so that
// repeated resizing never accumulates rounding error.
namespace resizer {

// The design-time property `name` of a class, found whatever its case; raises framework::Exception
// "No <name> property" when the class has none. A property Qt declares but a control keeps out of
// its design-time interface (not DESIGNABLE) counts as missing.
STUDIOCLOCK_RESIZER_EXPORT QMetaProperty FindPropInfo(const QMetaObject* type, const QString& name);
STUDIOCLOCK_RESIZER_EXPORT bool HasPropInfo(const QMetaObject* type, const QString& name);

// The object a control's design-time property `name` holds (a scroll bar, a collection); raises
// "No <name> property" when there is no such property, "<name> holds no <class of T>" when it
// holds something else.
template <typename T> T* HeldObject(const QObject* control, const QString& name)
{
    T* held = qobject_cast<T*>(
        FindPropInfo(control->metaObject(), name).read(control).template value<QObject*>());
    if (!held)
        throw framework::Exception(
            QStringLiteral("%1 holds no %2").arg(name, QLatin1String(T::staticMetaObject.className())));
    return held;
}

// A length divided by a client dimension (not 0), at extended precision, kept as a 32-bit float.
STUDIOCLOCK_RESIZER_EXPORT float LengthRatio(int length, int dimension);
// The ratio a property handler keeps for a length it scales and truncates: LengthRatio, but the
// nearest 32-bit float away from zero rather than the nearest either way. A ratio just short of
// the quotient would bring the length back at the dimension it was measured against a hair under
// its whole value, which truncation turns into one less.
STUDIOCLOCK_RESIZER_EXPORT float PropertyRatio(int length, int dimension);

// How a scaled length is made whole.
enum class Rounding {
    ToNearest,   // a control's bounds: the exact product, halves to even
    TowardZero,  // a property's lengths: the product as a 32-bit float, like the ratio, truncated
};
// The length a ratio stands for at a client dimension, the one way every handler scales; raises
// the range error past int.
STUDIOCLOCK_RESIZER_EXPORT int ScaledLength(
    float ratio, int dimension, Rounding rounding = Rounding::TowardZero);

class STUDIOCLOCK_RESIZER_EXPORT TMRPropertyHandler {
public:
    explicit TMRPropertyHandler(QWidget* control);
    virtual ~TMRPropertyHandler();
    TMRPropertyHandler(const TMRPropertyHandler&) = delete;
    TMRPropertyHandler& operator=(const TMRPropertyHandler&) = delete;

    // Called with the control at its old size, before a resize moves anything.
    virtual void CaptureRatios();
    // Called once the control has its new size; does nothing while the handler is Invalid.
    virtual void ApplyRatios();
    // Names the control setting that keeps this handler from working; empty when none does.
    virtual QString CheckSettings() const;

    QWidget* Control() const { return control_; }
    // True while the handler holds no usable ratios.
    bool Invalid() const { return invalid_; }

protected:
    QWidget* const control_;
    bool invalid_ = true;
};

using TMRPropertyHandlerList = std::vector<std::unique_ptr<TMRPropertyHandler>>;

// Reports a Stretch setting that keeps a picture from following its control's size.
class STUDIOCLOCK_RESIZER_EXPORT TMRStretch : public TMRPropertyHandler {
public:
    using TMRPropertyHandler::TMRPropertyHandler;
    QString CheckSettings() const override;
};

// Reports an AutoSize setting that lets a control take back the size the panel gives it.
class STUDIOCLOCK_RESIZER_EXPORT TMRAutoSize : public TMRPropertyHandler {
public:
    using TMRPropertyHandler::TMRPropertyHandler;
    QString CheckSettings() const override;
};

}  // namespace resizer
