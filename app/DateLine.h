#pragma once

#include "framework/LocaleId.h"

#include <QDate>
#include <QLocale>
#include <QString>

// The date line of the main window: Portuguese wording under a Portuguese locale (1046, 2070),
// English word order under any other, with the locale's own names, upper-cased by its rules
// ("TERÇA-FEIRA, 8  DE  DEZEMBRO  DE  2026", "TUESDAY DECEMBER 8 , 2026").
QString DateLineText(const QDate& date, framework::LocaleIdentifier id, const QLocale& locale);

// Whether the date line, and what the window says beside it, is in Portuguese.
bool PortugueseDateLine(framework::LocaleIdentifier id);
