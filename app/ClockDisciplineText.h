#pragma once

#include "framework/ClockDiscipline.h"

#include <QLocale>
#include <QString>

// What the main window says of the system clock's discipline, in the date line's language: a
// line on the clock face, empty while there is nothing to warn of, and the clock's tooltip, which
// screen readers read as its description.
struct ClockDisciplineText {
    QString faceLine;
    QString toolTip;

    bool operator==(const ClockDisciplineText& other) const
    {
        return faceLine == other.faceLine && toolTip == other.toolTip;
    }
};

ClockDisciplineText DescribeClockDiscipline(
    const framework::ClockDiscipline& discipline, bool portuguese, const QLocale& locale);
