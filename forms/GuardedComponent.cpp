#include "forms/GuardedComponent.h"

#include "framework/Exceptions.h"

#include <QMetaProperty>
#include <QObject>
#include <QVariant>

namespace forms::detail {

namespace {

// A value as a person reads it: an enumeration's name where it has one, else its number or text.
QString ValueText(const QMetaProperty& property, const QVariant& value)
{
    if (property.isEnumType()) {
        const QMetaEnum enumeration = property.enumerator();
        const QByteArray name = property.isFlagType() ? enumeration.valueToKeys(value.toInt())
                                                      : QByteArray(enumeration.valueToKey(value.toInt()));
        return name.isEmpty() ? QString::number(value.toInt()) : QString::fromLatin1(name);
    }
    const QString text = value.toString();
    return text.isEmpty() && !value.canConvert<QString>() ? QStringLiteral("a %1").arg(property.typeName())
                                                          : text;
}

}  // namespace

int WriteOrRefuse(QObject& object, int propertyIndex, void** arguments, const RefusalHandler& refused,
    const std::function<int()>& write)
{
    try {
        return write();
    } catch (const std::exception& error) {
        *static_cast<int*>(arguments[2]) = 0;  // the write's status: QMetaProperty::write returns false
        const QMetaProperty property = object.metaObject()->property(propertyIndex);
        RefusedValue refusal;
        refusal.widget = object.objectName();
        refusal.property = QString::fromLatin1(property.name());
        refusal.reason = QString::fromStdString(error.what());
        if (const auto* range = dynamic_cast<const framework::ERangeError*>(&error))
            refusal.allowed = range->Allowed();
        refusal.value = ValueText(property,
            property.metaType() == QMetaType::fromType<QVariant>()
                ? *static_cast<const QVariant*>(arguments[0])
                : QVariant(property.metaType(), arguments[0]));
        if (refused)
            refused(refusal);
        return -1;
    }
}

}  // namespace forms::detail
