// SPDX-License-Identifier: MIT
#include "resources/language_table.h"

#include <array>

namespace Resources {

namespace {

// Windows primary language numbers for the languages Qt's locale data names.
struct PrimaryLanguage {
    QLocale::Language language;
    quint16 primary;
};

constexpr std::array kPrimaryLanguages{
    PrimaryLanguage{QLocale::Arabic, 0x01},      PrimaryLanguage{QLocale::Bulgarian, 0x02},
    PrimaryLanguage{QLocale::Catalan, 0x03},     PrimaryLanguage{QLocale::Chinese, 0x04},
    PrimaryLanguage{QLocale::Czech, 0x05},       PrimaryLanguage{QLocale::Danish, 0x06},
    PrimaryLanguage{QLocale::German, 0x07},      PrimaryLanguage{QLocale::Greek, 0x08},
    PrimaryLanguage{QLocale::English, 0x09},     PrimaryLanguage{QLocale::Spanish, 0x0A},
    PrimaryLanguage{QLocale::Finnish, 0x0B},     PrimaryLanguage{QLocale::French, 0x0C},
    PrimaryLanguage{QLocale::Hebrew, 0x0D},      PrimaryLanguage{QLocale::Hungarian, 0x0E},
    PrimaryLanguage{QLocale::Icelandic, 0x0F},   PrimaryLanguage{QLocale::Italian, 0x10},
    PrimaryLanguage{QLocale::Japanese, 0x11},    PrimaryLanguage{QLocale::Korean, 0x12},
    PrimaryLanguage{QLocale::Dutch, 0x13},       PrimaryLanguage{QLocale::NorwegianBokmal, 0x14},
    PrimaryLanguage{QLocale::NorwegianNynorsk, 0x14},
    PrimaryLanguage{QLocale::Polish, 0x15},      PrimaryLanguage{QLocale::Portuguese, 0x16},
    PrimaryLanguage{QLocale::Romansh, 0x17},     PrimaryLanguage{QLocale::Romanian, 0x18},
    PrimaryLanguage{QLocale::Russian, 0x19},     PrimaryLanguage{QLocale::Croatian, 0x1A},
    PrimaryLanguage{QLocale::Serbian, 0x1A},     PrimaryLanguage{QLocale::Bosnian, 0x1A},
    PrimaryLanguage{QLocale::Slovak, 0x1B},      PrimaryLanguage{QLocale::Albanian, 0x1C},
    PrimaryLanguage{QLocale::Swedish, 0x1D},     PrimaryLanguage{QLocale::Thai, 0x1E},
    PrimaryLanguage{QLocale::Turkish, 0x1F},     PrimaryLanguage{QLocale::Urdu, 0x20},
    PrimaryLanguage{QLocale::Indonesian, 0x21},  PrimaryLanguage{QLocale::Ukrainian, 0x22},
    PrimaryLanguage{QLocale::Belarusian, 0x23},  PrimaryLanguage{QLocale::Slovenian, 0x24},
    PrimaryLanguage{QLocale::Estonian, 0x25},    PrimaryLanguage{QLocale::Latvian, 0x26},
    PrimaryLanguage{QLocale::Lithuanian, 0x27},  PrimaryLanguage{QLocale::Persian, 0x29},
    PrimaryLanguage{QLocale::Vietnamese, 0x2A},  PrimaryLanguage{QLocale::Armenian, 0x2B},
    PrimaryLanguage{QLocale::Basque, 0x2D},      PrimaryLanguage{QLocale::Macedonian, 0x2F},
    PrimaryLanguage{QLocale::Afrikaans, 0x36},   PrimaryLanguage{QLocale::Georgian, 0x37},
    PrimaryLanguage{QLocale::Faroese, 0x38},     PrimaryLanguage{QLocale::Hindi, 0x39},
    PrimaryLanguage{QLocale::Maltese, 0x3A},     PrimaryLanguage{QLocale::Irish, 0x3C},
    PrimaryLanguage{QLocale::Malay, 0x3E},       PrimaryLanguage{QLocale::Kazakh, 0x3F},
    PrimaryLanguage{QLocale::Swahili, 0x41},     PrimaryLanguage{QLocale::Uzbek, 0x43},
    PrimaryLanguage{QLocale::Bengali, 0x45},     PrimaryLanguage{QLocale::Tamil, 0x49},
    PrimaryLanguage{QLocale::Welsh, 0x52},       PrimaryLanguage{QLocale::Galician, 0x56},
};

// Full identifiers where a territory has its own sublanguage. A territory not
// listed gets the language's default sublanguage (1), as Windows does.
struct RegionalLanguage {
    QLocale::Language language;
    QLocale::Territory territory;
    quint16 id;
};

constexpr std::array kRegionalLanguages{
    RegionalLanguage{QLocale::Chinese, QLocale::Taiwan, 0x0404},
    RegionalLanguage{QLocale::Chinese, QLocale::China, 0x0804},
    RegionalLanguage{QLocale::Chinese, QLocale::HongKong, 0x0C04},
    RegionalLanguage{QLocale::Chinese, QLocale::Singapore, 0x1004},
    RegionalLanguage{QLocale::Chinese, QLocale::Macao, 0x1404},
    RegionalLanguage{QLocale::German, QLocale::Switzerland, 0x0807},
    RegionalLanguage{QLocale::German, QLocale::Austria, 0x0C07},
    RegionalLanguage{QLocale::German, QLocale::Luxembourg, 0x1007},
    RegionalLanguage{QLocale::German, QLocale::Liechtenstein, 0x1407},
    RegionalLanguage{QLocale::English, QLocale::UnitedKingdom, 0x0809},
    RegionalLanguage{QLocale::English, QLocale::Australia, 0x0C09},
    RegionalLanguage{QLocale::English, QLocale::Canada, 0x1009},
    RegionalLanguage{QLocale::English, QLocale::NewZealand, 0x1409},
    RegionalLanguage{QLocale::English, QLocale::Ireland, 0x1809},
    RegionalLanguage{QLocale::English, QLocale::SouthAfrica, 0x1C09},
    RegionalLanguage{QLocale::English, QLocale::India, 0x4009},
    RegionalLanguage{QLocale::English, QLocale::Singapore, 0x4809},
    RegionalLanguage{QLocale::Spanish, QLocale::Spain, 0x0C0A},
    RegionalLanguage{QLocale::Spanish, QLocale::Mexico, 0x080A},
    RegionalLanguage{QLocale::Spanish, QLocale::Colombia, 0x240A},
    RegionalLanguage{QLocale::Spanish, QLocale::Argentina, 0x2C0A},
    RegionalLanguage{QLocale::Spanish, QLocale::Chile, 0x340A},
    RegionalLanguage{QLocale::Spanish, QLocale::UnitedStates, 0x540A},
    RegionalLanguage{QLocale::French, QLocale::Belgium, 0x080C},
    RegionalLanguage{QLocale::French, QLocale::Canada, 0x0C0C},
    RegionalLanguage{QLocale::French, QLocale::Switzerland, 0x100C},
    RegionalLanguage{QLocale::French, QLocale::Luxembourg, 0x140C},
    RegionalLanguage{QLocale::Italian, QLocale::Switzerland, 0x0810},
    RegionalLanguage{QLocale::Dutch, QLocale::Belgium, 0x0813},
    RegionalLanguage{QLocale::Portuguese, QLocale::Portugal, 0x0816},
    RegionalLanguage{QLocale::Swedish, QLocale::Finland, 0x081D},
};

constexpr quint16 kSublanguageDefault = 0x01;
constexpr quint16 kUsEnglish = 0x0409;

constexpr quint16 MakeLanguageId(quint16 primary, quint16 sublanguage)
{
    return static_cast<quint16>((sublanguage << 10) | primary);
}

// The language table: primary language (low 8 bits) to the locale of the
// module to load. Some rows give a full locale, others a bare primary
// language; both are passed on as they stand.
struct TableRow {
    quint16 primary;
    quint16 locale;
};

constexpr std::array kLanguageTable{
    TableRow{0x02, 0x0002}, // Bulgarian
    TableRow{0x05, 0x0005}, // Czech
    TableRow{0x06, 0x0006}, // Danish
    TableRow{0x07, 0x0407}, // German
    TableRow{0x08, 0x0008}, // Greek
    TableRow{0x0A, 0x040A}, // Spanish
    TableRow{0x0B, 0x000B}, // Finnish
    TableRow{0x0C, 0x040C}, // French
    TableRow{0x0E, 0x000E}, // Hungarian
    TableRow{0x10, 0x0410}, // Italian
    TableRow{0x11, 0x0011}, // Japanese
    TableRow{0x13, 0x0413}, // Dutch
    TableRow{0x14, 0x0414}, // Norwegian
    TableRow{0x15, 0x0015}, // Polish
    TableRow{0x16, 0x0816}, // Portuguese
    TableRow{0x19, 0x0019}, // Russian
    TableRow{0x1B, 0x001B}, // Slovak
    TableRow{0x1D, 0x041D}, // Swedish
    TableRow{0x1F, 0x001F}, // Turkish
    TableRow{0x29, 0x0029}, // Farsi
};

struct Abbreviation {
    quint16 locale;
    const char* name;
};

// What the platform calls each locale the table can produce, plus the full
// (default sublanguage) forms of the bare ones, which name the same module.
constexpr std::array kAbbreviations{
    Abbreviation{0x0409, "ENU"}, Abbreviation{0x0002, "BGR"}, Abbreviation{0x0402, "BGR"},
    Abbreviation{0x0804, "CHS"}, Abbreviation{0x0404, "CHT"}, Abbreviation{0x0005, "CSY"},
    Abbreviation{0x0405, "CSY"}, Abbreviation{0x0006, "DAN"}, Abbreviation{0x0406, "DAN"},
    Abbreviation{0x0407, "DEU"}, Abbreviation{0x0008, "ELL"}, Abbreviation{0x0408, "ELL"},
    Abbreviation{0x040A, "ESP"}, Abbreviation{0x000B, "FIN"}, Abbreviation{0x040B, "FIN"},
    Abbreviation{0x040C, "FRA"}, Abbreviation{0x000E, "HUN"}, Abbreviation{0x040E, "HUN"},
    Abbreviation{0x0410, "ITA"}, Abbreviation{0x0011, "JPN"}, Abbreviation{0x0411, "JPN"},
    Abbreviation{0x0413, "NLD"}, Abbreviation{0x0414, "NOR"}, Abbreviation{0x0015, "PLK"},
    Abbreviation{0x0415, "PLK"}, Abbreviation{0x0816, "PTG"}, Abbreviation{0x0019, "RUS"},
    Abbreviation{0x0419, "RUS"}, Abbreviation{0x001B, "SKY"}, Abbreviation{0x041B, "SKY"},
    Abbreviation{0x041D, "SVE"}, Abbreviation{0x001F, "TRK"}, Abbreviation{0x041F, "TRK"},
    Abbreviation{0x0029, "FAR"}, Abbreviation{0x0429, "FAR"},
};

} // namespace

// The Windows language identifier of `locale`, e.g. de_DE 0x0407, zh_HK 0x0C04,
// pt_BR 0x0416. The C locale counts as US English; a language Windows has no
// number for gives 0 (neutral), which the language table treats as "any other".
quint16 WindowsLanguageId(const QLocale& locale)
{
    const QLocale::Language language = locale.language();
    if (language == QLocale::C)
        return kUsEnglish;

    for (const RegionalLanguage& row : kRegionalLanguages) {
        if (row.language == language && row.territory == locale.territory())
            return row.id;
    }
    // Chinese and Serbian outside their listed territories still tell their
    // script, and the script is what the sublanguage stands for.
    if (language == QLocale::Chinese)
        return locale.script() == QLocale::TraditionalHanScript ? 0x0404 : 0x0804;
    if (language == QLocale::Serbian)
        return locale.script() == QLocale::CyrillicScript ? 0x0C1A : 0x081A;
    if (language == QLocale::Bosnian)
        return 0x141A;
    if (language == QLocale::NorwegianNynorsk)
        return 0x0814;

    for (const PrimaryLanguage& row : kPrimaryLanguages) {
        if (row.language == language)
            return MakeLanguageId(row.primary, kSublanguageDefault);
    }
    return 0;
}

// The locale whose module suits a user of language `languageId`. Only the
// primary language decides, except for Chinese, where bits 8 to 11 equal to 8
// mean simplified (0x0804) and anything else traditional (0x0404). Languages
// not in the table get US English, 0x0409.
quint16 LocaleForLanguage(quint16 languageId)
{
    const quint16 primary = languageId & 0xFF;
    if (primary == 0x04)
        return ((languageId >> 8) & 0x0F) == 8 ? 0x0804 : 0x0404;
    for (const TableRow& row : kLanguageTable) {
        if (row.primary == primary)
            return row.locale;
    }
    return kUsEnglish;
}

// The three-letter language abbreviation that names the module of `localeId`
// (0x0407 gives "DEU"); empty for a locale without one, which loads nothing.
QString LocaleAbbreviation(quint16 localeId)
{
    for (const Abbreviation& row : kAbbreviations) {
        if (row.locale == localeId)
            return QString::fromLatin1(row.name);
    }
    return {};
}

QLocale LocaleOf(quint16 localeId)
{
    for (const RegionalLanguage& row : kRegionalLanguages) {
        if (row.id == localeId)
            return QLocale(row.language, row.territory);
    }
    // A bare primary language, or one with the default sublanguage.
    const quint16 sublanguage = localeId >> 10;
    if (sublanguage <= kSublanguageDefault && localeId != 0) {
        for (const PrimaryLanguage& row : kPrimaryLanguages) {
            if (row.primary == (localeId & 0x3FF))
                return QLocale(row.language);
        }
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

QList<quint16> ModuleLocales()
{
    QList<quint16> locales{0x0804, 0x0404};
    for (const TableRow& row : kLanguageTable)
        locales << row.locale;
    return locales;
}

} // namespace Resources
