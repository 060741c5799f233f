#include "app/DateLine.h"

#include "framework/DateFormat.h"

bool PortugueseDateLine(framework::LocaleIdentifier id)
{
    return id == framework::kPortugueseBrazil || id == framework::kPortuguesePortugal;
}

QString DateLineText(const QDate& date, framework::LocaleIdentifier id, const QLocale& locale)
{
    static const QString kPortuguese = QStringLiteral(R"(dddd, d " de " mmmm " de " yyyy)");
    static const QString kOther = QStringLiteral(R"(dddd mmmm d "," yyyy)");
    // Upper case by the locale's own rules: accented letters too ("SÁBADO", "MARÇO").
    return locale.toUpper(framework::FormatDate(PortugueseDateLine(id) ? kPortuguese : kOther, date, locale));
}
