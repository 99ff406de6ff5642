// SPDX-License-Identifier: MIT
// The UPnP device detail dialog: its layout, tab order, captions and the
// texts it shows.
#include "ui/upnp_info_form.h"
#include "qt_text.h"

#include "resources/dvconst.h"
#include "resources/language.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Gui::TForm1;

using TestSupport::Text;

namespace {

// Object names, English captions and the camera's texts, by record field.
struct Expected {
    const char* label;
    const char* edit;
    const char* caption;
    const char* camera;
};
const Expected kExpected[Upnp::kUpnpFieldCount] = {
    {"Label1", "EditChild", "Child", "No: Zero children"},
    {"Label7", "EditDescription", "Description", "AXIS 211 Network Camera"},
    {"Label8", "EditFriendName", "Friendlyname", "AXIS 211 - 00408C123456"},
    {"Label10", "EditHasCh", "HasChildren", "No"},
    {"Label6", "EditIconURL", "IconURL", "http://10.0.0.5/icon.gif"},
    {"Label11", "EditIsRooDev", "IsRootDevice", "Yes"},
    {"Label4", "EditManuName", "ManufacturerName", "AXIS"},
    {"Label2", "EditManuURL", "ManufacturerURL", "http://www.axis.com/"},
    {"Label3", "EditModelName", "ModelName", "AXIS 211"},
    {"Label5", "EditModelNum", "ModelNumber", "211"},
    {"Label13", "EditModelURL", "ModelURL", "http://www.axis.com/products/cam_211"},
    {"Label9", "EditParentDev", "ParentDevice", "This is a topmost device"},
    {"Label12", "EditPresURL", "PresentationURL", "http://10.0.0.5:8080/index.html?"},
    {"Label14", "EditRootDev", "RootDevice", "This is a topmost device"},
    {"Label15", "EditSeriaNum", "SerialNumber", "00408C123456"},
    {"Label17", "EditService", "Services", "Yes: 3services"},
    {"Label16", "EditType", "Type", "urn:schemas-upnp-org:device:Basic:1"},
    {"Label18", "EditUniqName", "UniqueDeviceName", "uuid:cam-1"},
    {"Label19", "EditUPC", "UPC", ""},
};

// A field's label and edit, found by their object names.
QLabel* LabelOf(const TForm1& form, int field)
{
    return form.findChild<QLabel*>(QString::fromLatin1(kExpected[field].label));
}
QLineEdit* EditOf(const TForm1& form, int field)
{
    return form.findChild<QLineEdit*>(QString::fromLatin1(kExpected[field].edit));
}

Upnp::UpnpDeviceInfo Camera()
{
    Upnp::UpnpDeviceInfo d;
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field)
        *Upnp::FieldAt(d, field) = kExpected[field].camera;
    d.presentation_url += std::string(300, 'q'); // longer than the edit
    return d;
}

} // namespace

TEST(TForm1, LayoutIsTheFormsOwn)
{
    TForm1 form(nullptr);
    EXPECT_EQ(form.objectName().toStdString(), "Form1");
    EXPECT_EQ(form.size(), QSize(479, 642));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()); // a fixed border

    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field) {
        const Expected& want = kExpected[field];
        const int top = 20 + 30 * field;
        const QLabel* label = form.findChild<QLabel*>(QString::fromLatin1(want.label));
        const QLineEdit* edit = form.findChild<QLineEdit*>(QString::fromLatin1(want.edit));
        ASSERT_NE(label, nullptr) << want.label;
        ASSERT_NE(edit, nullptr) << want.edit;
        // 13 pixels high, or as high as the font's line where that is more:
        // accents and descenders ("Übergeordnetes Gerät") were cut off.
        EXPECT_EQ(label->geometry(), QRect(16, top, 137, std::max(13, label->sizeHint().height()))) << want.label;
        EXPECT_EQ(edit->geometry(), QRect(160, top, 300, 21)) << want.edit;
        EXPECT_TRUE(edit->isReadOnly()) << want.edit;
        EXPECT_TRUE(edit->text().isEmpty()) << want.edit;
    }
    EXPECT_EQ(form.findChildren<QLineEdit*>().size(), Upnp::kUpnpFieldCount);

    const auto* ok = form.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(160, 592, 297, 25));
}

TEST(TForm1, CaptionsComeFromTheTextTable)
{
    TForm1 form(nullptr);
    EXPECT_EQ(Text(form.windowTitle()), "Upnp Device Detail Info.");
    EXPECT_EQ(Text(form.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->text()), "OK");
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field)
        EXPECT_EQ(Text(LabelOf(form, field)->text()), kExpected[field].caption);
}

TEST(TForm1, ALanguageChangeRetextsTheLabelsButNotTheValues)
{
    TForm1 form(nullptr);
    form.Fill(Camera());
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quendrel");
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, program)) << "no quendrel.DEU beside the tests";
    Resources::ReinitializeForms();
    const std::string title = Text(form.windowTitle());
    const std::string child = Text(LabelOf(form, 0)->text());
    const std::string upc = Text(LabelOf(form, 18)->text());
    const std::string germanTitle = Text(Dvconst::LoadResString(Dvconst::_UPNP_DEVICE_DETAIL_INFO));
    const std::string germanChild = Text(Dvconst::LoadResString(Dvconst::_CHILD));
    const std::string germanUpc = Text(Dvconst::LoadResString(Dvconst::_UPC));
    const std::string value = Text(EditOf(form, 0)->text());
    Resources::UnloadResourceModule();
    Resources::ReinitializeForms();

    ASSERT_NE(germanTitle, "Upnp Device Detail Info.") << "the module should translate the caption";
    EXPECT_EQ(title, germanTitle);
    EXPECT_EQ(child, germanChild);
    EXPECT_EQ(upc, germanUpc);
    EXPECT_EQ(value, "No: Zero children");
    // Back to the program's own texts.
    EXPECT_EQ(Text(form.windowTitle()), "Upnp Device Detail Info.");
    EXPECT_EQ(Text(LabelOf(form, 0)->text()), "Child");
}

TEST(TForm1, TheEnginesPhrasesShowInTheModulesLanguageTheDevicesWordsAsSent)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/quendrel");
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, program)) << "no quendrel.DEU beside the tests";
    TForm1 form(nullptr);
    Upnp::UpnpDeviceInfo device;
    device.children = Upnp::ChildrenText(12);
    device.has_children = Upnp::YesNo(true);
    device.parent_device = Upnp::kTopmostDevice;
    device.services = Upnp::ServicesText(2);
    device.description = "Yes"; // the device's own word
    device.friendly_name = "No: Zero children";
    form.Fill(device);
    const std::string children = Text(EditOf(form, 0)->text());
    const std::string hasChildren = Text(EditOf(form, 3)->text());
    const std::string parent = Text(EditOf(form, 11)->text());
    const std::string services = Text(EditOf(form, 15)->text());
    const std::string description = Text(EditOf(form, 1)->text());
    const std::string friendlyName = Text(EditOf(form, 2)->text());
    Resources::UnloadResourceModule();

    EXPECT_EQ(children, "Ja: 12 Untergeräte");
    EXPECT_EQ(hasChildren, "Ja");
    EXPECT_EQ(parent, "Dies ist ein oberstes Gerät");
    EXPECT_EQ(services, "Ja: 2 Dienste");
    EXPECT_EQ(description, "Yes");
    EXPECT_EQ(friendlyName, "No: Zero children");
}

TEST(TForm1, ShowsTheTextsAsTheEngineStoredThem)
{
    TForm1 form(nullptr);
    const Upnp::UpnpDeviceInfo camera = Camera();
    form.Fill(camera);
    for (int field = 0; field < Upnp::kUpnpFieldCount; ++field)
        EXPECT_EQ(Text(EditOf(form, field)->text()), *Upnp::FieldAt(camera, field)) << kExpected[field].edit;

    // A long address shows from its start, on one line.
    const QLineEdit* url = EditOf(form, 12);
    EXPECT_EQ(url->cursorPosition(), 0);
    EXPECT_EQ(url->height(), 21);

    // Text beyond 8-bit ASCII arrives as the engine's UTF-8.
    Upnp::UpnpDeviceInfo accented;
    accented.friendly_name = "Caméra d'entrée (IP7137)";
    form.Fill(accented);
    EXPECT_EQ(EditOf(form, 2)->text(), QStringLiteral("Caméra d'entrée (IP7137)"));
    EXPECT_TRUE(EditOf(form, 0)->text().isEmpty()); // a new record replaces every field
}

TEST(TForm1, OkClosesTheDialogAccepted)
{
    TForm1 form(nullptr);
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
    QTimer::singleShot(10000, &form, &QDialog::reject); // never hang the test
    EXPECT_EQ(form.exec(), QDialog::Accepted);
}
