// SPDX-License-Identifier: MIT
#include "resources/dvconst.h"
#include "resources/language.h"
#include "resources/resource_module.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>
#include <vector>

using namespace Dvconst;
using namespace Resources;

namespace {

const QString kGerman = QStringLiteral(QUENDREL_MODULE_DIR "/quendrel.DEU");
const QString kFrench = QStringLiteral(QUENDREL_MODULE_DIR "/quendrel.FRA");
const QString kPartial = QStringLiteral(QUENDREL_PARTIAL_MODULE);

// A program directory of its own for each test, and English texts around it.
class ModuleFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        UnloadResourceModule();
    }
    void TearDown() override { UnloadResourceModule(); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    void place(const QString& module, const QString& name) const
    {
        ASSERT_TRUE(QFile::copy(module, path(name))) << qPrintable(module);
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST(ModuleFileNames, ReplacesOrAppendsTheExtensionAndRefusesWhatCannotNameAModule)
{
    struct Case { const char* program; const char* abbreviation; QStringList names; };
    const Case cases[] = {
        // Linux programs have no extension: the abbreviation is appended.
        {"/opt/quendrel/bin/quendrel", "DEU", {"/opt/quendrel/bin/quendrel.DEU", "/opt/quendrel/bin/quendrel.DE"}},
        {"/opt/q/Quendrel.exe", "ENU", {"/opt/q/Quendrel.ENU", "/opt/q/Quendrel.EN"}}, // an extension is replaced
        {"/opt/q/quendrel.", "CHS", {"/opt/q/quendrel.CHS", "/opt/q/quendrel.CH"}},
        {"/home/a.b/quendrel", "FRA", {"/home/a.b/quendrel.FRA", "/home/a.b/quendrel.FR"}}, // a dot in a directory
        {"/x/.quendrel", "DEU", {"/x/.quendrel.DEU", "/x/.quendrel.DE"}}, // nor is a hidden program's dot
        {"quendrel", "DEU", {"quendrel.DEU", "quendrel.DE"}},
        {"/x/quendrel", "DE", {"/x/quendrel.DE"}}, // nothing to cut: one attempt only
        {"", "DEU", {}},
        {"/opt/q/", "DEU", {}},
        {"/opt/q/quendrel", "", {}},
        // The abbreviation becomes part of a path: only letters may.
        {"/opt/q/quendrel", "../x", {}},
        {"/opt/q/quendrel", "D/U", {}},
        {"/opt/q/quendrel", "DE\u00dc", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModuleFileNames(QString::fromUtf8(c.program), QString::fromUtf8(c.abbreviation)), c.names)
            << c.program << " " << c.abbreviation;
}

TEST_F(ModuleFiles, GermanModuleGivesGermanTexts)
{
    place(kGerman, QStringLiteral("prog.DEU"));
    place(kFrench, QStringLiteral("prog.DE")); // the three-letter name wins over the two-letter one
    ASSERT_TRUE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.DEU")));

    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modell"));
    EXPECT_EQ(LoadResString(_CLOSE), QStringLiteral("Schließen"));
    EXPECT_EQ(LoadResString(_NETWORK_SETUP), QStringLiteral("Netzwerkeinrichtung"));
    EXPECT_EQ(LoadResString(_CUSTOMISZED), QStringLiteral("<Benutzerdefiniert>"));
    EXPECT_EQ(LoadResString(_ZERO_DEVICE_FOUND), QStringLiteral("0 Gerät(e) gefunden!"));
    EXPECT_EQ(DeviceCountText(3), QStringLiteral("3 Gerät(e) gefunden!"));
}

TEST_F(ModuleFiles, SecondAttemptCutsTheAbbreviationToTwoLetters)
{
    // zh_CN: locale 0x0804, CHS, then CH.
    place(kFrench, QStringLiteral("prog.CH"));
    ASSERT_TRUE(LoadNewResourceModule(LocaleForLanguage(0x0804), path(QStringLiteral("prog"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.CH")));

    // With only Quendrel.EN beside Quendrel.exe an English user gets it.
    place(kGerman, QStringLiteral("Quendrel.EN"));
    ASSERT_TRUE(LoadNewResourceModule(0x0409, path(QStringLiteral("Quendrel.exe"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("Quendrel.EN")));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modell"));
}

TEST_F(ModuleFiles, MissingModuleKeepsEnglish)
{
    place(kGerman, QStringLiteral("other.DEU")); // another program's module
    EXPECT_FALSE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
    EXPECT_TRUE(CurrentModulePath().isEmpty());
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Model"));
    // A locale without an abbreviation looks for nothing at all.
    EXPECT_FALSE(LoadNewResourceModule(0x0416, path(QStringLiteral("prog"))));
    EXPECT_FALSE(LoadNewResourceModule(0x0407, QString()));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Model"));
}

TEST_F(ModuleFiles, BrokenModulesAreRefusedAndTheNextNameTried)
{
    QByteArray magicThenJunk = QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddd");
    magicThenJunk += QByteArray::fromHex("42ffffffff") + QByteArray(64, '\x5a');
    const QByteArray broken[] = {
        QByteArray(),                                   // empty file
        QByteArray("not a translation file at all\n"),  // text
        magicThenJunk,                                  // right magic, block longer than the file
        QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1"), // cut inside the magic
    };
    for (const QByteArray& bytes : broken) {
        SCOPED_TRACE(bytes.toHex().left(40).constData());
        UnloadResourceModule();
        write(QStringLiteral("prog.DEU"), bytes);
        EXPECT_FALSE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
        EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Model"));
    }

    // A broken three-letter module does not hide a good two-letter one.
    place(kGerman, QStringLiteral("prog.DE"));
    ASSERT_TRUE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.DE")));
}

TEST_F(ModuleFiles, OversizedOrNonFileModulesAreRefused)
{
    QFile good(kGerman);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    // A valid module padded past the size limit.
    write(QStringLiteral("prog.DEU"),
          good.readAll() + QByteArray(ResourceModule::kMaxFileSize, '\0'));
    EXPECT_FALSE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));

    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("tool.DEU")));
    EXPECT_FALSE(LoadNewResourceModule(0x0407, path(QStringLiteral("tool"))));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Model"));
}

TEST_F(ModuleFiles, KeyMissingFromTheModuleShowsEnglish)
{
    place(kPartial, QStringLiteral("prog.DEU"));
    ASSERT_TRUE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modell"));
    EXPECT_EQ(LoadResString(_CLOSE), QStringLiteral("Schließen"));
    EXPECT_EQ(DeviceCountText(7), QStringLiteral("7 Gerät(e) gefunden!"));
    // Not in the module at all.
    EXPECT_EQ(LoadResString(_NETWORK_SETUP), QStringLiteral("Network setup"));
    EXPECT_EQ(LoadResString(_MODEL_NUMBER), QStringLiteral("ModelNumber"));
    // In the module with an empty text: still no empty caption.
    EXPECT_EQ(LoadResString(_PROJECT), QStringLiteral("Project"));
}

TEST_F(ModuleFiles, SecondLoadReplacesTheFirst)
{
    place(kGerman, QStringLiteral("prog.DEU"));
    place(kFrench, QStringLiteral("prog.FRA"));
    ASSERT_TRUE(LoadNewResourceModule(0x0407, path(QStringLiteral("prog"))));
    EXPECT_EQ(LoadResString(_CLOSE), QStringLiteral("Schließen"));

    ASSERT_TRUE(LoadNewResourceModule(0x040C, path(QStringLiteral("prog"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.FRA")));
    EXPECT_EQ(LoadResString(_CLOSE), QStringLiteral("Fermer"));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modèle"));

    // Earlier modules are gone, not merely shadowed: a key the new module
    // lacks shows English, never the German or French text.
    place(kPartial, QStringLiteral("prog.ITA"));
    ASSERT_TRUE(LoadNewResourceModule(0x0410, path(QStringLiteral("prog"))));
    EXPECT_EQ(LoadResString(_NETWORK_SETUP), QStringLiteral("Network setup"));
    EXPECT_EQ(LoadResString(_CLOSE), QStringLiteral("Schließen"));

    // A load that fails leaves the current module in place.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("prog.FRA"))));
    EXPECT_FALSE(LoadNewResourceModule(0x040C, path(QStringLiteral("prog"))));
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.ITA")));
}

TEST_F(ModuleFiles, ChooseLanguageFollowsTheLocale)
{
    const QString program = path(QStringLiteral("prog"));
    place(kGerman, QStringLiteral("prog.DEU"));
    place(kFrench, QStringLiteral("prog.PTG"));
    place(kFrench, QStringLiteral("prog.ENU"));

    ChooseLanguage(QLocale(QStringLiteral("de_CH")), program);
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.DEU")));
    EXPECT_EQ(LoadResString(_MODEL), QStringLiteral("Modell"));

    // Brazilian Portuguese users get Portugal's module.
    ChooseLanguage(QLocale(QStringLiteral("pt_BR")), program);
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.PTG")));
    // A language not in the table: US English's module.
    ChooseLanguage(QLocale(QStringLiteral("ko_KR")), program);
    EXPECT_EQ(CurrentModulePath(), path(QStringLiteral("prog.ENU")));
}

TEST_F(ModuleFiles, ReadersOnOtherThreadsSurviveAModuleSwap)
{
    place(kGerman, QStringLiteral("prog.DEU"));
    place(kFrench, QStringLiteral("prog.FRA"));
    const QString program = path(QStringLiteral("prog"));
    ASSERT_TRUE(LoadNewResourceModule(0x0407, program));

    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (!stop.load()) {
                const QString text = LoadResString(_CLOSE);
                if (text != QStringLiteral("Schließen") && text != QStringLiteral("Fermer"))
                    ++wrong;
                std::this_thread::yield();
            }
        });
    }
    for (int swap = 0; swap < 50; ++swap)
        LoadNewResourceModule(swap % 2 ? 0x0407 : 0x040C, program);
    stop = true;
    for (std::thread& reader : readers)
        reader.join();
    EXPECT_EQ(wrong.load(), 0);
}
