// SPDX-License-Identifier: MIT
#include "ui/labeled_edit.h"
#include "ui/net_form.h"

#include "dialog_test_support.h"
#include "replies.h"
#include "sim_devices.h"
#include "discovery/protocol_constants.h"
#include "resources/dvconst.h"
#include "resources/language.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <memory>
#include <tuple>

using Discovery::DeviceInfo;
using Discovery::NetworkType;
using Gui::LabeledEdit;
using Gui::TNetForm;
using Outcome = Gui::TNetForm::ApplyOutcome;

namespace {

// The device's fields in datagram order.
const char* const kDeviceTexts[] = {"IPX", "Orvane", "Hall", "192.168.1.10", "80", "255.255.255.0",
                                    "192.168.1.1", "192.168.1.2", "00:11:22:33:44:55", "eth0", "static"};

DeviceInfo Device()
{
    DeviceInfo d{};
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        Discovery::CopyToField(Discovery::FieldAt(d, f), kDeviceTexts[f]);
    return d;
}

// The package's text for the device with the given addresses and note.
std::string Package(const std::string& addresses, const std::string& note)
{
    return "Kestravon,03,IPX,Orvane,Hall," + addresses + ",00:11:22:33:44:55,eth0," + note;
}

class NetFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<QWidget>();
        owner->setGeometry(200, 150, 807, 624);
        form = std::make_unique<TNetForm>(owner.get(), log);
        form->setMessageBox(boxes.hook());
        form->setSendRoute(Discovery::SearchSettings{}, 0, device.endpoints());
        form->Fill(Device());
    }

    LabeledEdit* Edit(const char* name) const
    {
        auto* edit = form->findChild<LabeledEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    template <typename T>
    T* Child(const char* name) const
    {
        T* child = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    LabeledEdit* Ip() const { return Edit("LabeledEditIP"); }
    LabeledEdit* Gateway() const { return Edit("LabeledEditGateway"); }
    LabeledEdit* Netmask() const { return Edit("LabeledEditNetmask"); }
    LabeledEdit* Dns() const { return Edit("LabeledEditDNS"); }

    void ShowActive()
    {
        owner->show();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    Discovery::MemoryLog log;
    DialogTest::Boxes boxes;
    TestSupport::SimDevices device{{}, TestSupport::FreeLoopbackPort()};
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<TNetForm> form;
};

TEST_F(NetFormTest, OpensWithTheDeviceShownAndNoTypeChosen)
{
    EXPECT_EQ(form->objectName(), QStringLiteral("NetForm"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Network setup"));
    EXPECT_EQ(Child<QGroupBox>("GroupBox2")->title(), QStringLiteral("Device Information"));
    EXPECT_EQ(Child<QGroupBox>("GroupBox1")->title(), QStringLiteral("Network Property"));
    EXPECT_EQ(Child<QPushButton>("ButtonApply")->text(), QStringLiteral("Apply"));
    EXPECT_EQ(Child<QPushButton>("ButtonClose")->text(), QStringLiteral("Close"));
    EXPECT_NE(Child<QWidget>("NetworkPropertyPanel"), nullptr);

    // Each edit's caption, and the field of the device it shows as the device sent it.
    const std::tuple<const char*, const char*, int> edits[] = {
        {"LabeledEditModel", "Model", Discovery::kModel},   {"LabeledEditProj", "Project", Discovery::kProj},
        {"LabeledEditName", "Name", Discovery::kName},      {"LabeledEditMac", "MAC", Discovery::kMac},
        {"LabeledEditIP", "IP Address", Discovery::kIp},    {"LabeledEditGateway", "Gateway", Discovery::kGateway},
        {"LabeledEditNetmask", "Netmask", Discovery::kNetmask}, {"LabeledEditDNS", "DNS", Discovery::kDns},
        {"LabeledEditPort", "Port", Discovery::kTriggerPort},   {"LabeledEditDev", "DEV", Discovery::kDev}};
    for (const auto& [name, caption, field] : edits) {
        EXPECT_EQ(Edit(name)->caption(), QString::fromLatin1(caption)) << name;
        EXPECT_EQ(Edit(name)->text(), QString::fromLatin1(kDeviceTexts[field])) << name;
    }

    // No type checked, so the addresses are out of reach; EZNet is never offered.
    for (const char* name : {"RadioButtonDhcp", "RadioButtonStatic", "RadioButtonEznet"})
        EXPECT_FALSE(Child<QRadioButton>(name)->isChecked()) << name;
    EXPECT_EQ(form->networkType(), NetworkType::None);
    EXPECT_TRUE(Child<QRadioButton>("RadioButtonEznet")->isHidden());
    EXPECT_FALSE(Child<QRadioButton>("RadioButtonDhcp")->isHidden());
    for (LabeledEdit* address : {Ip(), Gateway(), Netmask(), Dns()})
        EXPECT_FALSE(address->isEnabled()) << address->objectName().toStdString();
    for (const char* name : {"LabeledEditPort", "LabeledEditDev"}) {
        EXPECT_TRUE(Edit(name)->isHidden()) << name;
        EXPECT_FALSE(Edit(name)->isEnabled()) << name;
    }
}

TEST_F(NetFormTest, NetworkTypeEnablesTheAddressEdits)
{
    const auto enabled = [this] {
        const bool ip = Ip()->isEnabled();
        EXPECT_EQ(Gateway()->isEnabled(), ip);
        EXPECT_EQ(Netmask()->isEnabled(), ip);
        EXPECT_EQ(Dns()->isEnabled(), ip);
        return ip;
    };
    Child<QRadioButton>("RadioButtonStatic")->click();
    EXPECT_TRUE(enabled());
    EXPECT_EQ(form->networkType(), NetworkType::Static);
    Child<QRadioButton>("RadioButtonDhcp")->click();
    EXPECT_FALSE(enabled());
    EXPECT_EQ(form->networkType(), NetworkType::Dhcp);
    form->ChooseNetworkType(NetworkType::Eznet);
    EXPECT_TRUE(enabled());
    EXPECT_EQ(form->networkType(), NetworkType::Eznet);
    form->ChooseNetworkType(NetworkType::None);
    EXPECT_FALSE(enabled());
    EXPECT_EQ(form->networkType(), NetworkType::None);
}

TEST_F(NetFormTest, LeavingAnAddressEditWarnsButChangesNothing)
{
    // The all-ones address cannot be told from a failed parse.
    Ip()->setText(QStringLiteral("255.255.255.255"));
    form->IpEditExit(Ip());
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid IP Address - [255.255.255.255]")});
    EXPECT_EQ(boxes.last().owner, form.get());
    EXPECT_EQ(Ip()->text(), QStringLiteral("255.255.255.255"));

    // The message names the edit by its caption; a "%" in the text is only text.
    boxes.clear();
    Netmask()->setText(QStringLiteral("255.%s.%d"));
    form->IpEditExit(Netmask());
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid Netmask - [255.%s.%d]")});
    Netmask()->setText(QStringLiteral("255.255.255.0"));

    // A gateway outside the subnet of 192.168.1.10/24 is unreasonable ...
    boxes.clear();
    Ip()->setText(QStringLiteral("192.168.1.10"));
    Gateway()->setText(QStringLiteral("192.168.2.1"));
    form->IpEditExit(Gateway());
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Unresonable Gateway - [192.168.2.1]")});
    // ... one inside passes silently, and only the gateway is held to the subnet.
    Gateway()->setText(QStringLiteral("192.168.1.1"));
    form->IpEditExit(Gateway());
    Dns()->setText(QStringLiteral("8.8.8.8"));
    form->IpEditExit(Dns());
    EXPECT_EQ(boxes.count(), 1u);

    // A gateway that does not parse gets the invalid warning alone.
    boxes.clear();
    Gateway()->setText(QStringLiteral("gw"));
    form->IpEditExit(Gateway());
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid Gateway - [gw]")});

    // Shorthand is read as Apply reads it: "10.1" is flagged where it stands,
    // and the correct gateway after it is not blamed for it.
    boxes.clear();
    Ip()->setText(QStringLiteral("10.1"));
    form->IpEditExit(Ip());
    Netmask()->setText(QStringLiteral("255.255.0.0"));
    Gateway()->setText(QStringLiteral("10.77.0.1"));
    form->IpEditExit(Gateway());
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid IP Address - [10.1]")});
}

TEST_F(NetFormTest, FocusReturnsToAnInvalidEditButNotToAnUnreasonableGateway)
{
    ShowActive();
    form->ChooseNetworkType(NetworkType::Static);
    Ip()->setFocus();
    Ip()->setText(QStringLiteral("10.0.0.300"));
    QTest::keyClick(Ip()->edit(), Qt::Key_Tab);
    // One warning, no echo from the edit that briefly had the focus.
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid IP Address - [10.0.0.300]")});
    EXPECT_EQ(QApplication::focusWidget(), Ip()->edit());

    boxes.clear();
    Ip()->setText(QStringLiteral("192.168.1.10"));
    Gateway()->setFocus();
    Gateway()->setText(QStringLiteral("192.168.2.1"));
    QTest::keyClick(Gateway()->edit(), Qt::Key_Tab);
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Unresonable Gateway - [192.168.2.1]")});
    EXPECT_NE(QApplication::focusWidget(), Gateway()->edit());
}

TEST_F(NetFormTest, FocusLossesThatAreNoLeavingAreNotChecked)
{
    ShowActive();
    form->ChooseNetworkType(NetworkType::Static);
    Ip()->setText(QStringLiteral("bad"));
    // A message box or menu taking the focus, or another window activated.
    emit Ip()->exited(Qt::ActiveWindowFocusReason);
    emit Ip()->exited(Qt::PopupFocusReason);
    EXPECT_EQ(boxes.count(), 0u);
    emit Ip()->exited(Qt::TabFocusReason);
    EXPECT_EQ(boxes.count(), 1u);
}

// The click that leaves an invalid edit is spent on the edit's warning (not
// Apply's as well, and the button is not left pressed). The program's own
// modal boxes, answered by a "user" pressing OK on whatever box is up.
TEST_F(NetFormTest, TheClickThatLeavesAnInvalidEditIsSpentOnItsWarning)
{
    form->setMessageBox({});
    QStringList seen;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&seen] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (box && box->isVisible()) {
                seen << box->windowTitle() + QLatin1Char('|') + box->text();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    user.start(10);
    ShowActive();
    form->ChooseNetworkType(NetworkType::Static);
    Ip()->setFocus();
    Ip()->setText(QStringLiteral("10.0.0.300"));
    auto* apply = Child<QPushButton>("ButtonApply");
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(seen, QStringList{QStringLiteral("Warning|Invalid IP Address - [10.0.0.300]")});
    EXPECT_EQ(form->applyOutcome(), Outcome::NotApplied);
    EXPECT_FALSE(apply->isDown());
    EXPECT_TRUE(device.silent());
    EXPECT_TRUE(form->isVisible());

    // Mended, the next click leaves the edit quietly and sends.
    Ip()->setText(QStringLiteral("192.168.1.20"));
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_EQ(device.takeQuery(),
              Package("192.168.1.20,80,255.255.255.0,192.168.1.1,192.168.1.2", "static"));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[1], QStringLiteral("Note|Control package sent.\nPlease try to re-search the device after one minute."));
    EXPECT_EQ(form->applyOutcome(), Outcome::Sent);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(NetFormTest, EnteringTheDeviceIdentityMovesTheFocusToClose)
{
    ShowActive();
    auto* close = Child<QPushButton>("ButtonClose");
    for (const char* name : {"LabeledEditModel", "LabeledEditProj", "LabeledEditName", "LabeledEditMac"}) {
        Child<QPushButton>("ButtonApply")->setFocus();
        QTest::mouseClick(Edit(name)->edit(), Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), close) << name;
    }
}

TEST_F(NetFormTest, ApplyWithoutANetworkTypeSendsNothingAndStaysOpen)
{
    ShowActive();
    EXPECT_EQ(form->ApplyWith(NetworkType::None), Outcome::NoNetworkType);
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Please specify the network type first.")});
    EXPECT_TRUE(device.silent());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(NetFormTest, StaticApplySendsTheTypedAddressesAndCloses)
{
    ShowActive();
    const TNetForm::AddressTexts typed{QStringLiteral("10.1.2.3"), QStringLiteral("10.1.2.1"),
                                       QStringLiteral("255.255.255.0"), QStringLiteral("10.1.2.2")};
    EXPECT_EQ(form->ApplyWith(NetworkType::Static, typed), Outcome::Sent);
    // Copy order: ip, port, netmask, gateway, dns.
    EXPECT_EQ(device.takeQuery(), Package("10.1.2.3,80,255.255.255.0,10.1.2.1,10.1.2.2", "static"));
    EXPECT_TRUE(device.silent()); // one package, once
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral(
                                "Note|Control package sent.\nPlease try to re-search the device after one minute.")});
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    // The log shows the plain package, as every built package is echoed there.
    EXPECT_TRUE(log.contains("[" + Package("10.1.2.3,80,255.255.255.0,10.1.2.1,10.1.2.2", "static") + "]"));
}

TEST_F(NetFormTest, StaticApplyRefusesAnAddressADeviceCannotTake)
{
    ShowActive();
    struct Case {
        LabeledEdit* edit;
        const char* text;
        const char* reason;
    };
    const char* notAQuad = "not four decimal numbers 0-255 joined by dots";
    const Case cases[] = {
        {Ip(), "192.168.1.256", notAQuad},
        {Ip(), "10.1", notAQuad},                      // shorthand inet_addr would take
        {Gateway(), "0x0a.0.0.1", notAQuad},           // hex
        {Ip(), "192.168.001.10", "a number with a leading zero, which some devices read as octal"},
        {Gateway(), "", "empty"},
        {Dns(), "dns.example", notAQuad},
        {Ip(), "0.0.0.0", "an address of network 0, which no device can take"},
        {Ip(), "224.0.0.251", "a multicast address"},
        {Ip(), "127.0.0.1", "a loopback address"},
        {Ip(), "192.168.1.255", "the broadcast address of its subnet"},
        {Dns(), "255.255.255.255", "the broadcast address"},
        // Gateways and servers no camera can use: it would be left with no route.
        {Gateway(), "192.168.1.255", "the broadcast address of the IP address's subnet"},
        {Gateway(), "192.168.1.0", "the network address of the IP address's subnet"},
        {Gateway(), "0.1.2.3", "an address of network 0, which no device can reach (0.0.0.0 alone means none)"},
        {Dns(), "0.0.0.9", "an address of network 0, which no device can reach (0.0.0.0 alone means none)"},
        {Ip(), "240.0.0.1", "a reserved address (240.0.0.0/4), which no device can use"},
        {Gateway(), "250.1.1.1", "a reserved address (240.0.0.0/4), which no device can use"},
        {Dns(), "255.255.255.254", "a reserved address (240.0.0.0/4), which no device can use"},
        {Netmask(), "255.255.255.255", "255.255.255.255 leaves no other host on the network"},
        {Netmask(), "255.0.255.0", "not contiguous: its ones must all come before its zeros"},
        {Netmask(), "0.0.0.0", "0.0.0.0 leaves no network"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        form->Fill(Device());
        form->ChooseNetworkType(NetworkType::Static);
        c.edit->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(form->ApplyWith(NetworkType::Static), Outcome::InvalidAddress) << c.text;
        EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Warning|Invalid %1 - [%2]: %3")
                                                .arg(c.edit->caption(), QString::fromLatin1(c.text),
                                                     QString::fromLatin1(c.reason))});
        EXPECT_EQ(QApplication::focusWidget(), c.edit->edit()) << c.text;
        EXPECT_TRUE(device.silent());
        EXPECT_TRUE(form->isVisible());
    }
    // EZNet takes the typed addresses too, and is held to the same check.
    EXPECT_EQ(form->ApplyWith(NetworkType::Eznet), Outcome::InvalidAddress);
    EXPECT_TRUE(device.silent());
    // DHCP takes no address from the edits: what they hold goes as it stands.
    boxes.clear();
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::Sent);
    EXPECT_EQ(device.takeQuery(), Package("192.168.1.10,80,0.0.0.0,192.168.1.1,192.168.1.2", "dhcp"));
}

TEST_F(NetFormTest, ApplyRefusesATextTooLongForItsField)
{
    ShowActive();
    // Fifteen characters fit the 16-byte field with its terminator ...
    EXPECT_EQ(form->ApplyWith(NetworkType::Static, TNetForm::AddressTexts{
                  QStringLiteral("192.168.100.100"), QStringLiteral("192.168.100.1"),
                  QStringLiteral("255.255.255.0"), QStringLiteral("192.168.100.2")}),
              Outcome::Sent);
    EXPECT_EQ(device.takeQuery(),
              Package("192.168.100.100,80,255.255.255.0,192.168.100.1,192.168.100.2", "static"));

    // ... sixteen do not, and nothing cut short is sent.
    form->show();
    boxes.clear();
    form->Fill(Device());
    Ip()->setText(QStringLiteral("192.168.100.1000"));
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::TooLong);
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral(
                                "Warning|Too long IP Address - [192.168.100.1000]: at most 15 characters")});
    EXPECT_TRUE(device.silent());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(NetFormTest, AFailedSendIsReportedAndClosesTheDialog)
{
    // The reply port held by a socket without address reuse.
    Discovery::SocketHandle holder(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(0x7F000001);
    ASSERT_EQ(bind(holder.get(), reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    getsockname(holder.get(), reinterpret_cast<sockaddr*>(&a), &len);
    Discovery::NetworkEndpoints endpoints = device.endpoints();
    endpoints.replyPort = ntohs(a.sin_port);
    form->setSendRoute(Discovery::SearchSettings{}, 0, endpoints);

    ShowActive();
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::SendFailed);
    ASSERT_EQ(boxes.seen(), QStringList{QStringLiteral("Note|Failed to send the control package.")});
    EXPECT_TRUE(log.contains("bind() error : Address already in use\n"));
    EXPECT_TRUE(device.silent());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(NetFormTest, AnIpRelaySearchSendsThePackageToTheRelayHost)
{
    Discovery::SearchSettings relay;
    relay.localBroadcast = false;
    relay.relayHost = "127.0.0.1";
    Discovery::NetworkEndpoints endpoints = device.endpoints();
    endpoints.broadcastAddress = 0x7F000002; // a broadcast would miss the device
    form->setSendRoute(relay, 0, endpoints);
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::Sent);
    EXPECT_EQ(device.takeQuery(), Package("192.168.1.10,80,255.255.255.0,192.168.1.1,192.168.1.2", "dhcp"));
}

TEST_F(NetFormTest, APackageSentWithoutTheDevicesGoneAdapterSaysSo)
{
    form->setSendRoute(Discovery::SearchSettings{}, 999'999, device.endpoints()); // no such adapter
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::Sent);
    EXPECT_TRUE(device.takeQuery());
    EXPECT_EQ(boxes.seen(), QStringList{QStringLiteral("Note|Control package sent.\nPlease try to re-search the "
                                                       "device after one minute.\nThe adapter the device answered "
                                                       "on is gone: the package took the routed broadcast instead.")});
}

TEST_F(NetFormTest, FieldsLeftAloneGoBackWithTheDevicesOwnBytes)
{
    DeviceInfo d = Device();
    Discovery::CopyToField(d.name, "Kamera \xE4"); // Latin-1, not UTF-8
    form->Fill(d);
    Dns()->setText(QString::fromUtf8("10.0.0.\xC3\xA4")); // typed: goes as UTF-8
    EXPECT_EQ(form->ApplyWith(NetworkType::Dhcp), Outcome::Sent);
    EXPECT_EQ(device.takeQuery(), "Kestravon,03,IPX,Orvane,Kamera \xE4,192.168.1.10,80,255.255.255.0,"
                                     "192.168.1.1,10.0.0.\xC3\xA4,00:11:22:33:44:55,eth0,dhcp");
}

TEST_F(NetFormTest, TextsAddressCaptionsAndMessagesFollowALanguageChange)
{
    ASSERT_TRUE(Resources::LoadNewResourceModule(0x0407, QStringLiteral(QUENDREL_MODULE_DIR "/quendrel")));
    Resources::ReinitializeForms();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Netzwerkeinrichtung"));
    EXPECT_EQ(Child<QPushButton>("ButtonClose")->text(), QStringLiteral("Schließen"));
    EXPECT_EQ(Edit("LabeledEditModel")->caption(), QStringLiteral("Modell"));
    // The address labels were English in every language.
    EXPECT_EQ(Ip()->caption(), QStringLiteral("IP-Adresse"));
    EXPECT_EQ(Netmask()->caption(), QStringLiteral("Netzmaske"));
    EXPECT_EQ(Ip()->text(), QStringLiteral("192.168.1.10")); // values are not texts of the table
    // So were the message boxes, caption and text, and the reason of a refusal.
    EXPECT_EQ(form->ApplyWith(NetworkType::None), Outcome::NoNetworkType);
    EXPECT_EQ(form->ApplyWith(NetworkType::Static, TNetForm::AddressTexts{"192.168.1.10", "192.168.1.1", "255.255.255.0",
                                                                "127.0.0.1"}),
              Outcome::InvalidAddress);
    const QStringList seen = boxes.seen();

    Resources::UnloadResourceModule();
    Resources::ReinitializeForms();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Network setup"));
    EXPECT_EQ(Ip()->caption(), QStringLiteral("IP Address"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Warnung|Bitte wählen Sie zuerst den Netzwerktyp."),
                                 QStringLiteral("Warnung|Ungültig: DNS - [127.0.0.1]: eine Loopback-Adresse")}));
}

TEST_F(NetFormTest, OpensCentredOnTheMainWindow)
{
    ShowActive();
    const QPoint offset = form->frameGeometry().center() - owner->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

} // namespace
