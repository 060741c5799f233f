#include "forms/RefusedValue.h"

#include <QDebug>

namespace forms {

QString RefusedValue::Message() const
{
    if (property.isEmpty())
        return QStringLiteral("%1: %2").arg(widget, reason);
    const QString why = allowed.isEmpty() ? reason : QStringLiteral("%1; allowed: %2").arg(reason, allowed);
    return QStringLiteral("%1: %2 cannot be %3 (%4)").arg(widget, property, value, why);
}

void RefusedValue::Warn() const
{
    qWarning("%s", qUtf8Printable(Message()));
}

}  // namespace forms
