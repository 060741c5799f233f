#include "framework/Enums.h"

#include <QStringList>

namespace framework {

QString ValuesOf(const QMetaEnum& enumeration)
{
    QStringList values;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        values << QStringLiteral("%1 (%2)").arg(QLatin1String(enumeration.key(i))).arg(enumeration.value(i));
    return values.join(QLatin1String(", "));
}

}  // namespace framework
