// SPDX-License-Identifier: MIT
// quendrel-sim on a namespace LAN, seen from the PC with plain sockets: what
// the search round's roads will meet.
#include "lan_test.h"
#include "wire.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "sim/device_store.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace LanHarness;
using Discovery::DeviceInfo;
using Discovery::FieldText;

namespace {

using Key = std::pair<std::string, std::string>; // (ip, mac), what the round's repeat check compares

constexpr auto kSilence = std::chrono::milliseconds(300);
constexpr auto kLimit = std::chrono::milliseconds(3000);

std::string ControlPackage(DeviceInfo info, std::string_view type)
{
    Discovery::CopyToField(info.note, type);
    return FramedPacket(Discovery::kControlPackage, &info);
}

std::vector<DeviceInfo> RepliesIn(const std::vector<Datagram>& datagrams)
{
    std::vector<DeviceInfo> devices;
    for (const Datagram& d : datagrams)
        for (const DeviceInfo& info : DeviceReplies(d.bytes))
            devices.push_back(info);
    return devices;
}

std::set<Key> Keys(const std::vector<DeviceInfo>& devices)
{
    std::set<Key> keys;
    for (const DeviceInfo& d : devices)
        keys.emplace(FieldText(d.ip), FieldText(d.mac));
    return keys;
}

class SimLan : public LanTest {
protected:
    // Broadcasts a query from the PC and collects what comes back on the reply port.
    std::vector<Datagram> Search(UdpReceiver& replies, const std::string& to = "255.255.255.255",
                                 int flag = Discovery::kSearchQuery)
    {
        EXPECT_TRUE(SendDatagram(to, Discovery::kDevicePort, FramedPacket(flag)));
        return replies.receiveUntilSilence(kSilence, kLimit);
    }
};

TEST_F(SimLan, BroadcastQueryGetsOneReplyPerDeviceFromEveryHost)
{
    ASSERT_NO_FATAL_FAILURE(BringUp());
    SimProcess* h1 = StartSim(1, {"--count", "3", "--seed", "1"});
    SimProcess* h2 = StartSim(2, {"--count", "2", "--seed", "2"});
    ASSERT_TRUE(h1 && h2);
    UdpReceiver replies(Discovery::kReplyPort);
    ASSERT_TRUE(replies.valid());

    const std::vector<Datagram> got = Search(replies);
    ASSERT_EQ(got.size(), 5u); // one datagram per device
    std::set<std::string> senders;
    for (const Datagram& d : got) {
        senders.insert(AddressOf(d.from) + ":" + std::to_string(ntohs(d.from.sin_port)));
        EXPECT_EQ(DeviceReplies(d.bytes).size(), 1u);
    }
    EXPECT_EQ(senders, (std::set<std::string>{"10.77.1.2:6666", "10.77.1.3:6666"}));

    std::vector<DeviceInfo> expected = Sim::GenerateDevices(3, 1);
    for (const DeviceInfo& d : Sim::GenerateDevices(2, 2))
        expected.push_back(d);
    const std::vector<DeviceInfo> devices = RepliesIn(got);
    EXPECT_EQ(Keys(devices), Keys(expected));
    // Every field arrives as the device holds it.
    for (const DeviceInfo& want : expected) {
        const DeviceInfo* have = FindMac(devices, FieldText(want.mac));
        ASSERT_NE(have, nullptr);
        EXPECT_EQ(FieldDifference(*have, want), "");
    }

    // Each simulator logged the query it answered, with the PC as sender.
    for (SimProcess* sim : {h1, h2}) {
        const auto line = sim->waitForLine(ReceivedFlag("udp", 0), kLimit);
        ASSERT_TRUE(line);
        EXPECT_TRUE(line->value("from").toString().startsWith("10.77.1.1:"));
        EXPECT_EQ(line->value("text").toString(), "Kestravon,00,????");
        EXPECT_EQ(sim->waitForLine(EventIs("answered"), kLimit)->value("to").toString(),
                  "255.255.255.255:6667");
    }
}

TEST_F(SimLan, ControlPackageChangesWhatALaterSearchShows)
{
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 2}));
    SimProcess* h1 = StartSim(1, {"--count", "3", "--seed", "1"});
    SimProcess* h2 = StartSim(2, {"--count", "3", "--seed", "2"});
    ASSERT_TRUE(h1 && h2);
    UdpReceiver replies(Discovery::kReplyPort);
    const DeviceInfo target = Sim::GenerateDevices(3, 2)[1];

    // Static: the four addresses change, the note tells the type.
    DeviceInfo edited = target;
    Discovery::CopyToField(edited.ip, "10.77.1.50");
    Discovery::CopyToField(edited.netmask, "255.255.255.0");
    Discovery::CopyToField(edited.gateway, "10.77.1.254");
    Discovery::CopyToField(edited.dns, "10.77.1.253");
    ASSERT_TRUE(SendDatagram("255.255.255.255", Discovery::kDevicePort, ControlPackage(edited, "static")));
    const auto applied = h2->waitForLine(EventIs("control"), kLimit);
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->value("result").toString(), "applied");
    // h1 saw the broadcast package too, and has no such device.
    EXPECT_EQ(h1->waitForLine(EventIs("control"), kLimit)->value("result").toString(), "no-such-device");

    const std::vector<DeviceInfo> devices = RepliesIn(Search(replies));
    ASSERT_EQ(devices.size(), 6u);
    const DeviceInfo* now = FindMac(devices, FieldText(target.mac));
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(FieldText(now->ip), "10.77.1.50");
    EXPECT_EQ(FieldText(now->netmask), "255.255.255.0");
    EXPECT_EQ(FieldText(now->gateway), "10.77.1.254");
    EXPECT_EQ(FieldText(now->dns), "10.77.1.253");
    EXPECT_EQ(FieldText(now->note), "static");
    EXPECT_EQ(FieldText(now->name), FieldText(target.name));
}

TEST_F(SimLan, GarbageRelayHidesTheDevicesAmongJunkPackets)
{
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 1}));
    ASSERT_TRUE(StartSim(1, {"--count", "3", "--garbage"}));

    const TcpAnswer answer =
        TcpExchange(TestLan::HostAddress(1), Discovery::kDevicePort, FramedPacket(Discovery::kRelayQuery), kLimit);
    ASSERT_TRUE(answer.closedByPeer);
    const std::vector<std::string> packets = PlainPackets(Discovery::UnframeText(answer.bytes));
    EXPECT_GT(packets.size(), 3u);
    const std::set<Key> keys = Keys(DeviceReplies(answer.bytes));
    for (const Key& key : Keys(Sim::GenerateDevices(3, 0)))
        EXPECT_TRUE(keys.count(key)) << key.first;
}

TEST_F(SimLan, BroadcastLeavesByThePcsFirstAdapterOnly)
{
    // h1 on LAN 1, h2 on LAN 2: the default route decides where 255.255.255.255 goes.
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 2, .lans = 2}));
    ASSERT_EQ(m_lan->lanOf(2), 2);
    ASSERT_TRUE(StartSim(1, {"--count", "1", "--seed", "1"}));
    ASSERT_TRUE(StartSim(2, {"--count", "1", "--seed", "2"}));
    UdpReceiver replies(Discovery::kReplyPort);

    EXPECT_EQ(Keys(RepliesIn(Search(replies))), Keys(Sim::GenerateDevices(1, 1)));
    // The second LAN is reachable by relay, and its answer comes back on the second adapter.
    EXPECT_EQ(Keys(RepliesIn(Search(replies, TestLan::HostAddress(2, 2), Discovery::kRelayQuery))),
              Keys(Sim::GenerateDevices(1, 2)));
}

TEST_F(SimLan, AnAdapterTakenDownCarriesNothingUntilItIsBack)
{
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 1}));
    ASSERT_TRUE(StartSim(1, {"--count", "2"}));
    UdpReceiver replies(Discovery::kReplyPort);

    ASSERT_TRUE(m_lan->setLink("pc", "eth0", false)) << m_lan->error();
    SendDatagram("255.255.255.255", Discovery::kDevicePort, FramedPacket(Discovery::kSearchQuery));
    EXPECT_TRUE(replies.receiveUntilSilence(kSilence, kLimit).empty());

    // Bringing it back restores the default route that going down took away.
    ASSERT_TRUE(m_lan->setLink("pc", "eth0", true)) << m_lan->error();
    EXPECT_EQ(RepliesIn(Search(replies)).size(), 2u);
}

TEST_F(SimLan, ASimulatorBoundToLoopbackNeverRepliesOffTheHost)
{
    ASSERT_NO_FATAL_FAILURE(BringUp({.hosts = 1}));
    SimProcess* sim = StartSim(1, {"--count", "2", "--bind", "127.0.0.1"});
    ASSERT_TRUE(sim);
    UdpReceiver replies(Discovery::kReplyPort);

    // Unicast to its loopback from inside h1 is the only way to reach it.
    ASSERT_EQ(TestLan::RunScript({"exec", m_lan->name(), "h1", "--", "bash", "-c",
                                  "printf %s " + FramedPacket(Discovery::kSearchQuery) + " >/dev/udp/127.0.0.1/6666"}),
              0);
    EXPECT_TRUE(replies.receiveUntilSilence(kSilence, std::chrono::milliseconds(1000)).empty());
    const auto refused = sim->waitForLine(EventIs("error"), kLimit);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->value("message").toString().contains("255.255.255.255"));
}

} // namespace
