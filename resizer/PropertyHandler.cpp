#include "resizer/PropertyHandler.h"

#include "framework/Arithmetic.h"
#include "framework/Exceptions.h"

#include <QWidget>
#include <cmath>

namespace resizer {

namespace {

// The most derived declaration wins, as a redeclared property hides the inherited one.
int IndexOfPropInfo(const QMetaObject* type, const QString& name)
{
    for (int index = type->propertyCount() - 1; index >= 0; --index) {
        const QMetaProperty property = type->property(index);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
            return property.isDesignable() ? index : -1;
    }
    return -1;
}

// The message when the control's boolean `name` is not `wanted`.
QString SettingMessage(const QWidget* control, const char* name, bool wanted, const char* message)
{
    const QMetaProperty property = FindPropInfo(control->metaObject(), QLatin1String(name));
    return property.read(control).toBool() == wanted ? QString() : QString::fromLatin1(message);
}

}  // namespace

QMetaProperty FindPropInfo(const QMetaObject* type, const QString& name)
{
    const int index = IndexOfPropInfo(type, name);
    if (index < 0)
        throw framework::Exception(QStringLiteral("No ") + name + QStringLiteral(" property"));
    return type->property(index);
}

bool HasPropInfo(const QMetaObject* type, const QString& name)
{
    return IndexOfPropInfo(type, name) >= 0;
}

float LengthRatio(int length, int dimension)
{
    return static_cast<float>(
        static_cast<long double>(static_cast<float>(length)) / static_cast<float>(dimension));
}

float PropertyRatio(int length, int dimension)
{
    const long double quotient = static_cast<long double>(length) / dimension;
    const auto ratio = static_cast<float>(quotient);
    if (std::fabs(static_cast<long double>(ratio)) >= std::fabs(quotient))
        return ratio;
    return std::nextafter(ratio, quotient > 0 ? HUGE_VALF : -HUGE_VALF);
}

int ScaledLength(float ratio, int dimension, Rounding rounding)
{
    const long double product = static_cast<long double>(ratio) * dimension;
    if (rounding == Rounding::ToNearest)
        return framework::CheckedInt::Round(product).value();
    return framework::CheckedInt::Trunc(static_cast<float>(product)).value();
}

TMRPropertyHandler::TMRPropertyHandler(QWidget* control)
    : control_(control)
{
}

TMRPropertyHandler::~TMRPropertyHandler() = default;

void TMRPropertyHandler::CaptureRatios() { }

void TMRPropertyHandler::ApplyRatios() { }

QString TMRPropertyHandler::CheckSettings() const
{
    return {};
}

QString TMRStretch::CheckSettings() const
{
    return SettingMessage(control_, "Stretch", true, "Set Stretch to True");
}

QString TMRAutoSize::CheckSettings() const
{
    return SettingMessage(control_, "AutoSize", false, "Set AutoSize to False");
}

}  // namespace resizer
