#include "framework/DateFormat.h"

namespace framework {

namespace {

// How many times `letter` repeats from `at`, case-insensitively.
int RunLength(const QString& pattern, int at, QChar letter)
{
    int length = 0;
    while (at + length < pattern.size() && pattern[at + length].toLower() == letter)
        ++length;
    return length;
}

QString Day(int run, const QDate& date, const QLocale& locale)
{
    switch (run) {
    case 1:
        return QString::number(date.day());
    case 2:
        return QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    case 3:
        return locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
    default:
        return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
    }
}

// Some languages inflect a month name after a day number (Polish "8 grudnia", Catalan "8 de
// desembre"); standing alone it keeps its plain form ("grudzień", "desembre").
QString Month(int run, const QDate& date, const QLocale& locale, bool afterDayNumber)
{
    switch (run) {
    case 1:
        return QString::number(date.month());
    case 2:
        return QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
    default: {
        const QLocale::FormatType format = run == 3 ? QLocale::ShortFormat : QLocale::LongFormat;
        return afterDayNumber ? locale.monthName(date.month(), format)
                              : locale.standaloneMonthName(date.month(), format);
    }
    }
}

}  // namespace

QString FormatDate(const QString& pattern, const QDate& date, const QLocale& locale)
{
    QString result;
    bool afterDayNumber = false;  // the last field written was d or dd
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = pattern.indexOf(c, i + 1);
            const int stop = end < 0 ? pattern.size() : end;
            result += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const QChar letter = c.toLower();
        if (letter == QLatin1Char('d') || letter == QLatin1Char('m') || letter == QLatin1Char('y')) {
            const int run = RunLength(pattern, i, letter);
            if (letter == QLatin1Char('d'))
                result += Day(std::min(run, 4), date, locale);
            else if (letter == QLatin1Char('m'))
                result += Month(std::min(run, 4), date, locale, afterDayNumber);
            else
                result += run <= 2 ? QStringLiteral("%1").arg(date.year() % 100, 2, 10, QLatin1Char('0'))
                                   : QString::number(date.year());
            afterDayNumber = letter == QLatin1Char('d') && run <= 2;
            i += run;
            continue;
        }
        result += c;
        ++i;
    }
    return result;
}

}  // namespace framework
