#pragma once

#include "app/ClockTrust.h"

#include <QLocale>
#include <QString>

// What the main window says of the system clock's discipline, in the date line's language: a
// line on the clock face, empty while there is nothing to warn of, and the clock's tooltip, which
// screen readers read as its description: where the time comes from and how good it is.
struct ClockDisciplineText {
    QString faceLine;
    QString toolTip;

    bool operator==(const ClockDisciplineText& other) const
    {
        return faceLine == other.faceLine && toolTip == other.toolTip;
    }
};

// `nowMs` is the moment the trust was judged at, which ages and times of day are told from.
ClockDisciplineText DescribeClockTrust(
    const ClockTrust& trust, qint64 nowMs, bool portuguese, const QLocale& locale);
