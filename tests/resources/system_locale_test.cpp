// SPDX-License-Identifier: MIT
// The start-up road as the program takes it: the process locale, the program's
// own file, and a German module beside it under the program's name.
#include "resources/dvconst.h"
#include "resources/language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdlib>

using namespace Dvconst;
using namespace Resources;

TEST(ChooseLanguage, GermanUserBeforeTheApplicationExists)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    ASSERT_EQ(QLocale::system().name(), QStringLiteral("de_DE"));
    EXPECT_EQ(WindowsLanguageId(QLocale::system()), 0x0407);

    const QString program = ProgramFilePath();
    EXPECT_EQ(QFileInfo(program).canonicalFilePath(),
              QFileInfo(QStringLiteral(QUENDREL_TEST_PROGRAM)).canonicalFilePath());

    ChooseLanguage();
    EXPECT_EQ(CurrentModulePath(), program + QStringLiteral(".DEU"));
    EXPECT_EQ(LoadResString(_QUENDREL), QStringLiteral("Quendrel"));
    EXPECT_EQ(LoadResString(_SEARCHING), QStringLiteral("Suche läuft..."));
    EXPECT_EQ(LoadResString(_PROJECT), QStringLiteral("Projekt"));
    EXPECT_EQ(DeviceCountText(12), QStringLiteral("12 Gerät(e) gefunden!"));

    // The application created afterwards reads the same texts.
    int argc = 1;
    char name[] = "system_locale_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modell"));
    EXPECT_EQ(QFileInfo(ProgramFilePath()).canonicalFilePath(),
              QFileInfo(program).canonicalFilePath());
}

int main(int argc, char** argv)
{
    // The locale is read once, on first use; set it before anything asks.
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    unsetenv("LANGUAGE");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
