// SPDX-License-Identifier: MIT
#include "ui/form_info.h"

#include "resources/language.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using Discovery::DeviceInfo;
using Gui::TFormInfo;

namespace {

class FormInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<QWidget>();
        owner->setGeometry(120, 80, 807, 624);
        form = std::make_unique<TFormInfo>(owner.get());
    }
    template <typename T>
    T* Child(const char* name) const
    {
        T* child = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    std::unique_ptr<QWidget> owner;
    std::unique_ptr<TFormInfo> form;
};

// Label, caption, edit, and the field of the device below with its text.
struct Row {
    const char* label;
    const char* caption;
    const char* edit;
    Discovery::DeviceField field;
    const char* text;
};
constexpr Row kRows[] = {
    {"Label1", "Model", "EditModel", Discovery::kModel, "IPX"},
    {"Label2", "Project", "EditProj", Discovery::kProj, "Orvane"},
    {"Label3", "Name", "EditName", Discovery::kName, "Hall"},
    {"Label4", "IP", "EditIP", Discovery::kIp, "10.0.0.7"},
    {"Label5", "Netmask", "EditNetmask", Discovery::kNetmask, "255.0.0.0"},
    {"Label6", "Gateway", "EditGateway", Discovery::kGateway, "10.0.0.1"},
    {"LabelDNS", "DNS", "EditDNS", Discovery::kDns, "10.0.0.2"},
    {"Label8", "MAC", "EditMac", Discovery::kMac, "00:11:22:33:44:55"},
    {"LabelDev", "DEV", "EditDev", Discovery::kDev, "eth0"},
    {"Label7", "Port", "EditPort", Discovery::kTriggerPort, "8080"},
    {"LabelNote", "Note", "EditNote", Discovery::kNote, "dhcp, fw 2.1 (beta)"},
};

DeviceInfo ListedDevice()
{
    DeviceInfo d{};
    for (const Row& row : kRows)
        Discovery::CopyToField(Discovery::FieldAt(d, row.field), row.text);
    return d;
}

TEST_F(FormInfoTest, ShowsEveryFieldReadOnlyUnderItsCaption)
{
    form->Fill(ListedDevice());
    EXPECT_EQ(form->objectName(), QStringLiteral("FormInfo"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Detail info."));
    EXPECT_EQ(Child<QPushButton>("BitBtn1")->text(), QStringLiteral("OK"));
    for (const Row& row : kRows) {
        EXPECT_EQ(Child<QLabel>(row.label)->text(), QString::fromLatin1(row.caption)) << row.label;
        QLineEdit* edit = Child<QLineEdit>(row.edit);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->text(), QString::fromLatin1(row.text)) << row.edit;
        EXPECT_TRUE(edit->isReadOnly()) << row.edit;
    }
}

TEST_F(FormInfoTest, OkClosesWithTheOkResultAndTheDialogSitsOverTheMainWindow)
{
    owner->show();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QPoint offset = form->frameGeometry().center() - owner->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
    QTest::mouseClick(Child<QPushButton>("BitBtn1"), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(FormInfoTest, CaptionsFollowALanguageChangeAndValuesDoNot)
{
    form->Fill(ListedDevice());
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, QStringLiteral(QUENDREL_MODULE_DIR "/quendrel")));
    Resources::ReinitializeForms();
    EXPECT_EQ(Child<QLabel>("Label1")->text(), QStringLiteral("Modell"));
    EXPECT_EQ(Child<QLineEdit>("EditModel")->text(), QStringLiteral("IPX"));
    Resources::UnloadResourceModule();
    Resources::ReinitializeForms();
    EXPECT_EQ(Child<QLabel>("Label1")->text(), QStringLiteral("Model"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Detail info."));
}

} // namespace
