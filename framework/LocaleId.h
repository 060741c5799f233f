#pragma once

#include "framework/Export.h"

#include <QLocale>
#include <cstdint>

// Numeric locale identifiers (1033 English (United States), 1046 Portuguese (Brazil),
// 2070 Portuguese (Portugal), ...), which choose the wording of the date line.
namespace framework {

using LocaleIdentifier = std::uint32_t;

constexpr LocaleIdentifier kEnglishUnitedStates = 1033;
constexpr LocaleIdentifier kPortugueseBrazil = 1046;
constexpr LocaleIdentifier kPortuguesePortugal = 2070;

// The identifier of a locale; a known language in an unlisted country gets the language's
// default identifier, an unknown language 1033.
STUDIOCLOCK_FRAMEWORK_EXPORT LocaleIdentifier LocaleIdentifierOf(const QLocale& locale);

// Captures the locale of dates: the C library's time category, from LC_ALL, else LC_TIME, else
// LANG; one the C library cannot load counts as "C", as in the C library itself. The first call
// decides for the rest of the run, so a locale change while the program runs is not seen.
// Start-up calls it before anything else.
STUDIOCLOCK_FRAMEWORK_EXPORT void CaptureThreadLocale();

// The captured identifier (captured now if start-up has not done it yet).
STUDIOCLOCK_FRAMEWORK_EXPORT LocaleIdentifier ThreadLocale();

// The captured locale itself, for day and month names in its language: always the locale the
// identifier was taken from.
STUDIOCLOCK_FRAMEWORK_EXPORT const QLocale& ThreadQLocale();

}  // namespace framework
