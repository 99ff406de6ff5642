// SPDX-License-Identifier: MIT
#include "sim/control_handler.h"
#include "sim/device_store.h"
#include "sim/event_log.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include "wire.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace Sim;
using Discovery::CopyToField;
using Discovery::DeviceInfo;
using Discovery::FieldText;

namespace {

DeviceInfo Device(const char* ip, const char* mac, const char* note = "static")
{
    DeviceInfo info{};
    const char* fields[] = {"QV-210", "Orvane", "Door", ip, "80", "255.255.0.0", "10.1.0.254", "10.1.0.253",
                            mac,      "eth0",   note};
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        CopyToField(Discovery::FieldAt(info, f), fields[f]);
    return info;
}

// What the network-setup dialog would send for `device` with new addresses.
DeviceInfo Package(const DeviceInfo& device, const char* type, const char* ip = "192.168.7.20")
{
    DeviceInfo package = device;
    CopyToField(package.ip, ip);
    CopyToField(package.netmask, "255.255.255.0");
    CopyToField(package.gateway, "192.168.7.1");
    CopyToField(package.dns, "192.168.7.2");
    CopyToField(package.note, type);
    return package;
}

} // namespace

TEST(ControlPackage, StaticTakesTheFourAddressesAndNothingElse)
{
    DeviceStore store({Device("10.1.0.1", "02:51:00:00:00:01"), Device("10.1.0.2", "02:51:00:00:00:02")});
    DeviceInfo package = Package(store.devices()[1], "static");
    CopyToField(package.name, "Renamed"); // a device keeps its own identity
    int applied = -1;
    EXPECT_EQ(store.applyControlPackage(package, &applied), ControlResult::Applied);
    EXPECT_EQ(applied, 1);
    const DeviceInfo& changed = store.devices()[1];
    EXPECT_EQ(FieldText(changed.ip), "192.168.7.20");
    EXPECT_EQ(FieldText(changed.netmask), "255.255.255.0");
    EXPECT_EQ(FieldText(changed.gateway), "192.168.7.1");
    EXPECT_EQ(FieldText(changed.dns), "192.168.7.2");
    EXPECT_EQ(FieldText(changed.note), "static");
    EXPECT_EQ(FieldText(changed.name), "Door");
    EXPECT_EQ(FieldText(changed.mac), "02:51:00:00:00:02");
    // The other device is untouched.
    EXPECT_EQ(FieldText(store.devices()[0].ip), "10.1.0.1");
}

TEST(ControlPackage, DhcpKeepsTheAddressesAndSetsTheNote)
{
    DeviceStore store({Device("10.1.0.1", "02:51:00:00:00:01")});
    EXPECT_EQ(store.applyControlPackage(Package(store.devices()[0], "dhcp")), ControlResult::Applied);
    EXPECT_EQ(FieldText(store.devices()[0].ip), "10.1.0.1");
    EXPECT_EQ(FieldText(store.devices()[0].gateway), "10.1.0.254");
    EXPECT_EQ(FieldText(store.devices()[0].note), "dhcp");
}

TEST(ControlPackage, MatchesTheMacWhateverItsLetterCase)
{
    DeviceStore store({Device("10.1.0.1", "02:AB:CD:00:00:01"), Device("10.1.0.9", "02:ab:cd:00:00:01")});
    int applied = 0;
    // Two devices with one MAC (a copied configuration) both take the package.
    EXPECT_EQ(store.applyControlPackage(Package(Device("", "02:aB:Cd:00:00:01"), "dhcp"), &applied),
              ControlResult::Applied);
    EXPECT_EQ(applied, 2);
}

TEST(ControlPackage, TheDeviceThatTookItIsSilentWhileItRestartsThenAnswersFromItsNewAddress)
{
    DeviceStore store({Device("192.168.1.64", "02:51:00:00:00:01"), Device("192.168.1.64", "02:51:00:00:00:02")});
    store.setRestartSilence(std::chrono::milliseconds(2000));
    const auto sent = DeviceStore::Clock::now();
    // Written another way than the device writes it: still its MAC.
    ASSERT_EQ(store.applyControlPackage(Package(Device("", "02-51-00-00-00-02"), "static"), nullptr, sent),
              ControlResult::Applied);
    const auto answering = [&](std::chrono::milliseconds after) {
        std::vector<std::string> seen;
        for (const DeviceInfo& d : store.answeringDevices(sent + after))
            seen.push_back(std::string(FieldText(d.mac)) + " " + std::string(FieldText(d.ip)));
        return seen;
    };
    EXPECT_EQ(answering(std::chrono::milliseconds(1999)), std::vector<std::string>{"02:51:00:00:00:01 192.168.1.64"});
    EXPECT_EQ(answering(std::chrono::milliseconds(2000)),
              (std::vector<std::string>{"02:51:00:00:00:01 192.168.1.64", "02:51:00:00:00:02 192.168.7.20"}));
}

TEST(ControlPackage, RefusesWhatNoDeviceCouldTake)
{
    DeviceStore store({Device("10.1.0.1", "02:51:00:00:00:01")});
    const DeviceInfo device = store.devices()[0];
    int applied = -1;
    EXPECT_EQ(store.applyControlPackage(Package(Device("", "02:51:00:00:00:99"), "static"), &applied),
              ControlResult::NoSuchDevice);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(store.applyControlPackage(Package(device, "eznet")), ControlResult::Unsupported);
    EXPECT_EQ(store.applyControlPackage(Package(device, "")), ControlResult::Unsupported);
    EXPECT_EQ(store.applyControlPackage(Package(device, "Static")), ControlResult::Unsupported);
    // Addresses the device could not use; the parser only checks ip and netmask.
    EXPECT_EQ(store.applyControlPackage(Package(device, "static", "10.1.2")), ControlResult::BadAddress);
    DeviceInfo badGateway = Package(device, "static");
    CopyToField(badGateway.gateway, "192.168.7.300");
    EXPECT_EQ(store.applyControlPackage(badGateway), ControlResult::BadAddress);
    DeviceInfo emptyDns = Package(device, "static");
    CopyToField(emptyDns.dns, " "); // what an empty field becomes on the wire
    EXPECT_EQ(store.applyControlPackage(emptyDns), ControlResult::BadAddress);
    // An empty MAC matches nothing, not every device without one.
    DeviceStore blank({Device("10.1.0.1", "")});
    EXPECT_EQ(blank.applyControlPackage(Package(Device("", ""), "dhcp")), ControlResult::NoSuchDevice);
    // Nothing of the above changed the device.
    EXPECT_EQ(std::string(FieldText(store.devices()[0].ip)), "10.1.0.1");
    EXPECT_EQ(std::string(FieldText(store.devices()[0].note)), "static");
}

TEST(ControlPackage, ArrivesThroughTheWireFormatAndIsLogged)
{
    DeviceStore store({Device("10.1.0.1", "02:51:00:00:00:01")});
    const DeviceInfo package = Package(store.devices()[0], "static", "172.16.5.5");
    // As the dialog builds it and as a device would read it back.
    const std::string plain = Discovery::UnframeText(LanHarness::FramedPacket(Discovery::kControlPackage, &package));

    EventLog log(nullptr, true);
    HandleControlPackage(plain, store, log);
    EXPECT_EQ(FieldText(store.devices()[0].ip), "172.16.5.5");
    ASSERT_EQ(log.kept().size(), 1u);
    const QJsonObject line = log.kept()[0];
    EXPECT_EQ(line.value(QStringLiteral("event")).toString(), QStringLiteral("control"));
    EXPECT_EQ(line.value(QStringLiteral("result")).toString(), QStringLiteral("applied"));
    EXPECT_EQ(line.value(QStringLiteral("mac")).toString(), QStringLiteral("02:51:00:00:00:01"));
    EXPECT_EQ(line.value(QStringLiteral("applied")).toInt(), 1);
}

TEST(GeneratedDevices, AreDistinctWithinAndAcrossSeeds)
{
    std::set<std::string> ips;
    std::set<std::string> macs;
    std::set<std::string> projects;
    for (std::uint32_t seed : {0u, 1u, 2u, 128u, 255u}) {
        for (const DeviceInfo& d : GenerateDevices(600, seed)) {
            macs.insert(std::string(FieldText(d.mac)));
            ips.insert(std::string(FieldText(d.ip)));
            projects.insert(std::string(FieldText(d.proj)));
        }
    }
    EXPECT_EQ(macs.size(), 5u * 600u);
    EXPECT_EQ(ips.size(), 5u * 600u);
    EXPECT_EQ(projects, (std::set<std::string>(std::begin(kPresetProjects), std::end(kPresetProjects))));
    // The same seed gives the same devices.
    EXPECT_EQ(FieldText(GenerateDevices(5, 3)[4].model), FieldText(GenerateDevices(5, 3)[4].model));
    EXPECT_TRUE(GenerateDevices(0, 1).empty());
    EXPECT_TRUE(GenerateDevices(-1, 1).empty());
}

TEST(GeneratedDevices, ParseBackFieldForField)
{
    const std::vector<DeviceInfo> devices = GenerateDevices(300, 77);
    Discovery::NullLog quiet;
    for (const DeviceInfo& d : devices) {
        DeviceInfo back{};
        ASSERT_EQ(Discovery::ParsePacket(Discovery::PlainPacketText(Discovery::kDeviceReply, &d), back, quiet), 1);
        for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
            ASSERT_EQ(FieldText(Discovery::FieldAt(back, f)), FieldText(Discovery::FieldAt(d, f))) << f;
    }
}
