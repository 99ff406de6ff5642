// SPDX-License-Identifier: MIT
#include "resources/language_table.h"

#include <gtest/gtest.h>

#include <utility>

using namespace Resources;

TEST(WindowsLanguageId, MapsLocalesToWindowsIdentifiers)
{
    const std::pair<const char*, quint16> rows[] = {
        {"de_DE", 0x0407}, {"de_AT", 0x0C07}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"fr_FR", 0x040C},
        {"fr_CA", 0x0C0C}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"nb_NO", 0x0414}, {"nn_NO", 0x0814},
        {"fa_IR", 0x0429}, {"sv_FI", 0x081D},
        {"de_BE", 0x0407}, // a territory without its own sublanguage takes the default one
        // Chinese follows the territory ...
        {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04}, {"zh_SG", 0x1004}, {"zh_MO", 0x1404},
    };
    for (const auto& [name, id] : rows)
        EXPECT_EQ(WindowsLanguageId(QLocale(QString::fromLatin1(name))), id) << name;
    // ... and outside the listed territories the script decides simplified or traditional.
    EXPECT_EQ(WindowsLanguageId(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript,
                                        QLocale::UnitedStates)), 0x0404);
    EXPECT_EQ(WindowsLanguageId(QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript,
                                        QLocale::UnitedStates)), 0x0804);
    // The C locale is US English.
    EXPECT_EQ(WindowsLanguageId(QLocale::c()), 0x0409);
}

TEST(WindowsLanguageId, UnknownLanguagesNeverLookLikeATableLanguage)
{
    // A language without a Windows number gives the neutral 0, which the table
    // treats as "any other", not as some listed language.
    const quint16 id = WindowsLanguageId(QLocale(QLocale::Esperanto));
    EXPECT_EQ(id, 0);
    EXPECT_EQ(LocaleForLanguage(id), 0x0409);
}

TEST(LocaleForLanguage, PrimaryLanguageDecidesChineseLooksAtBitsEightToElevenOthersGetUsEnglish)
{
    struct Row { quint16 language; quint16 locale; const char* why; };
    const Row rows[] = {
        // Full default-sublanguage identifiers of each listed language.
        {0x0402, 0x0002, ""}, {0x0405, 0x0005, ""}, {0x0406, 0x0006, ""}, {0x0407, 0x0407, ""},
        {0x0408, 0x0008, ""}, {0x040A, 0x040A, ""}, {0x040B, 0x000B, ""}, {0x040C, 0x040C, ""},
        {0x040E, 0x000E, ""}, {0x0410, 0x0410, ""}, {0x0411, 0x0011, ""}, {0x0413, 0x0413, ""},
        {0x0414, 0x0414, ""}, {0x0415, 0x0015, ""}, {0x0416, 0x0816, ""}, {0x0419, 0x0019, ""},
        {0x041B, 0x001B, ""}, {0x041D, 0x041D, ""}, {0x041F, 0x001F, ""}, {0x0429, 0x0029, ""},
        {0x0807, 0x0407, "Swiss German: the German module"},
        {0x0C0C, 0x040C, "Canadian French"},
        {0x0814, 0x0414, "Nynorsk"},
        {0x0416, 0x0816, "Brazilian users get Portuguese of Portugal"},
        {0x0816, 0x0816, "Portuguese"},
        {0x0107, 0x0407, "the low 8 bits are the primary language, whatever the bits above say"},
        {0xFF07, 0x0407, "the low 8 bits are the primary language, whatever the bits above say"},
        {0x0804, 0x0804, "simplified, PRC"},
        {0x0404, 0x0404, "Taiwan"},
        {0x0C04, 0x0404, "Hong Kong: traditional"},
        {0x1004, 0x0404, "Singapore: traditional all the same"},
        {0x1404, 0x0404, "Macao"},
        {0x1804, 0x0804, "Chinese bits 12+ are not looked at"},
        {0x0004, 0x0404, "neutral Chinese"},
        {0x0409, 0x0409, "US English"},
        {0x0809, 0x0409, "British English"},
        {0x0401, 0x0409, "Arabic"},
        {0x0412, 0x0409, "Korean"},
        {0x0000, 0x0409, "no language"},
        {0xFFFF, 0x0409, "all bits"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LocaleForLanguage(row.language), row.locale) << std::hex << row.language << ": " << row.why;
}

TEST(LocaleAbbreviation, NamesEveryModuleTheTableCanAskFor)
{
    struct Row { quint16 locale; const char* abbreviation; };
    const Row rows[] = {
        {0x0409, "ENU"}, {0x0002, "BGR"}, {0x0804, "CHS"}, {0x0404, "CHT"}, {0x0005, "CSY"},
        {0x0006, "DAN"}, {0x0407, "DEU"}, {0x0008, "ELL"}, {0x040A, "ESP"}, {0x000B, "FIN"},
        {0x040C, "FRA"}, {0x000E, "HUN"}, {0x0410, "ITA"}, {0x0011, "JPN"}, {0x0413, "NLD"},
        {0x0414, "NOR"}, {0x0015, "PLK"}, {0x0816, "PTG"}, {0x0019, "RUS"}, {0x001B, "SKY"},
        {0x041D, "SVE"}, {0x001F, "TRK"}, {0x0029, "FAR"},
        // Locales the table never produces have none.
        {0x0000, ""}, {0x0416, ""}, {0x0401, ""}, {0xFFFF, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LocaleAbbreviation(row.locale), QLatin1String(row.abbreviation))
            << std::hex << row.locale;

    // Whatever language comes in, the locale it maps to has a module name.
    for (int language = 0; language <= 0xFFFF; ++language) {
        const quint16 locale = LocaleForLanguage(static_cast<quint16>(language));
        ASSERT_EQ(LocaleAbbreviation(locale).size(), 3) << std::hex << language;
    }
}
