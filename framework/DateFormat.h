#pragma once

#include "framework/Export.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace framework {

// A date written by a pattern: d, dd (day), ddd, dddd (short and long weekday name), m, mm (month),
// mmm, mmmm (short and long month name), yy, yyyy (year); text in double or single quotes is copied
// without the quotes, every other character as it stands. Names come from `locale`; a month name
// whose nearest field before it is d or dd takes the locale's form for a day's date ("8 grudnia"),
// any other the standalone form ("grudzień 8", "grudzień 2026").
STUDIOCLOCK_FRAMEWORK_EXPORT QString FormatDate(
    const QString& pattern, const QDate& date, const QLocale& locale);

}  // namespace framework
