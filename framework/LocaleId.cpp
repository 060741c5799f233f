#include "framework/LocaleId.h"

#include <QtGlobal>
#include <algorithm>
#include <array>
#include <clocale>
#include <langinfo.h>

namespace framework {

namespace {

struct LanguageEntry {
    QLocale::Language language;
    std::uint16_t primary;  // primary language id; the default sub-language is 1
};

struct RegionalEntry {
    QLocale::Language language;
    QLocale::Territory territory;
    LocaleIdentifier id;
};

constexpr std::array<LanguageEntry, 30> kLanguages = {{
    {QLocale::Arabic, 0x01},
    {QLocale::Bulgarian, 0x02},
    {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},
    {QLocale::Czech, 0x05},
    {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},
    {QLocale::Greek, 0x08},
    {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},
    {QLocale::Finnish, 0x0B},
    {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},
    {QLocale::Hungarian, 0x0E},
    {QLocale::Icelandic, 0x0F},
    {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},
    {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},
    {QLocale::NorwegianBokmal, 0x14},
    {QLocale::Polish, 0x15},
    {QLocale::Portuguese, 0x16},
    {QLocale::Romanian, 0x18},
    {QLocale::Russian, 0x19},
    {QLocale::Croatian, 0x1A},
    {QLocale::Slovak, 0x1B},
    {QLocale::Swedish, 0x1D},
    {QLocale::Turkish, 0x1F},
    {QLocale::Ukrainian, 0x22},
    {QLocale::Galician, 0x56},
}};

constexpr std::array<RegionalEntry, 27> kRegional = {{
    {QLocale::Portuguese, QLocale::Brazil, 1046},
    {QLocale::Portuguese, QLocale::Portugal, 2070},
    {QLocale::English, QLocale::UnitedStates, 1033},
    {QLocale::English, QLocale::UnitedKingdom, 2057},
    {QLocale::English, QLocale::Australia, 3081},
    {QLocale::English, QLocale::Canada, 4105},
    {QLocale::English, QLocale::NewZealand, 5129},
    {QLocale::English, QLocale::Ireland, 6153},
    {QLocale::English, QLocale::SouthAfrica, 7177},
    {QLocale::English, QLocale::India, 16393},
    {QLocale::Spanish, QLocale::Spain, 3082},
    {QLocale::Spanish, QLocale::Mexico, 2058},
    {QLocale::Spanish, QLocale::Argentina, 11274},
    {QLocale::French, QLocale::France, 1036},
    {QLocale::French, QLocale::Belgium, 2060},
    {QLocale::French, QLocale::Canada, 3084},
    {QLocale::French, QLocale::Switzerland, 4108},
    {QLocale::German, QLocale::Germany, 1031},
    {QLocale::German, QLocale::Switzerland, 2055},
    {QLocale::German, QLocale::Austria, 3079},
    {QLocale::Italian, QLocale::Italy, 1040},
    {QLocale::Italian, QLocale::Switzerland, 2064},
    {QLocale::Dutch, QLocale::Netherlands, 1043},
    {QLocale::Dutch, QLocale::Belgium, 2067},
    {QLocale::Chinese, QLocale::China, 2052},
    {QLocale::Chinese, QLocale::Taiwan, 1028},
    {QLocale::Chinese, QLocale::HongKong, 3076},
}};

struct CapturedLocale {
    QLocale locale;
    LocaleIdentifier id;
};

// Asks the C library, not Qt: Qt's system locale takes its language from LC_ALL, LC_MESSAGES, LANG
// or LANGUAGE but its names from LC_TIME, which would pair one locale's wording with another's names.
// newlocale() resolves the variables exactly as setlocale(LC_TIME, "") does, without changing the
// locale of the process.
QLocale TimeLocaleOfEnvironment()
{
    const locale_t resolved = newlocale(LC_TIME_MASK, "", locale_t{});
    if (resolved == locale_t{}) {
        qWarning("The locale for dates (LC_ALL, LC_TIME or LANG) is not installed; dates are written "
                 "as in the \"C\" locale.");
        return QLocale::c();
    }
    // The name as the variable gives it ("pt_BR.UTF-8"); "POSIX" comes back as "C".
    QLocale locale(QString::fromLocal8Bit(nl_langinfo_l(_NL_LOCALE_NAME(LC_TIME), resolved)));
    freelocale(resolved);
    return locale;
}

CapturedLocale Capture()
{
    const QLocale locale = TimeLocaleOfEnvironment();
    return {locale, LocaleIdentifierOf(locale)};
}

const CapturedLocale& Captured()
{
    static const CapturedLocale captured = Capture();
    return captured;
}

}  // namespace

LocaleIdentifier LocaleIdentifierOf(const QLocale& locale)
{
    const auto regional = std::find_if(kRegional.begin(), kRegional.end(), [&](const RegionalEntry& e) {
        return e.language == locale.language() && e.territory == locale.territory();
    });
    if (regional != kRegional.end())
        return regional->id;
    const auto language = std::find_if(kLanguages.begin(), kLanguages.end(),
        [&](const LanguageEntry& e) { return e.language == locale.language(); });
    if (language != kLanguages.end())
        return (1u << 10) | language->primary;
    return kEnglishUnitedStates;
}

void CaptureThreadLocale()
{
    Captured();
}

LocaleIdentifier ThreadLocale()
{
    return Captured().id;
}

const QLocale& ThreadQLocale()
{
    return Captured().locale;
}

}  // namespace framework
