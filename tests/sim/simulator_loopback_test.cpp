// SPDX-License-Identifier: MIT
// The simulator's datagram and TCP relay roads, driven in-process on 127.0.0.1.
#include "sim/garbage.h"

#include "loopback.h"
#include "loopback_sim_fixture.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/socket.h>

#include <QJsonDocument>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <memory>

using namespace Sim;
using Discovery::DeviceInfo;
using Discovery::FieldText;
using LanHarness::Datagram;
using LanHarness::UdpReceiver;

namespace {

using TestSupport::kLoopback;
constexpr auto kLimit = std::chrono::milliseconds(3000);

using LanHarness::FramedPacket;

std::size_t RepliesIn(const std::string& framed) { return LanHarness::DeviceReplies(framed).size(); }

class LoopbackSim : public LoopbackSimTest {
protected:
    void Send(const std::string& bytes)
    {
        ASSERT_TRUE(LanHarness::SendDatagram("127.0.0.1", m_sim->udpPort(), bytes));
    }

    // Pumps until `count` datagrams have arrived (or the time is up).
    std::vector<Datagram> Collect(std::size_t count, std::chrono::milliseconds limit = kLimit)
    {
        std::vector<Datagram> got;
        Pump([&] {
            while (auto d = m_replies.tryReceive())
                got.push_back(std::move(*d));
            return got.size() >= count;
        }, limit);
        return got;
    }

    std::size_t Logged(const char* key, const char* value) const { return Lines(key, value).size(); }
};

TEST_F(LoopbackSim, ReadyLineNamesThePortsItGot)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(4, 0)));
    const QJsonObject* ready = Last("ready");
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->value(QStringLiteral("udp_port")).toInt(), m_sim->udpPort());
    EXPECT_EQ(ready->value(QStringLiteral("tcp_port")).toInt(), m_sim->tcpPort());
    EXPECT_NE(m_sim->udpPort(), 0);
    EXPECT_EQ(ready->value(QStringLiteral("devices")).toInt(), 4);
    EXPECT_EQ(ready->value(QStringLiteral("bind")).toString(), QStringLiteral("127.0.0.1"));
}

TEST_F(LoopbackSim, QueryGetsOneDatagramPerDevice)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(3, 0)));
    Send(FramedPacket(Discovery::kSearchQuery));
    const std::vector<Datagram> got = Collect(3);
    ASSERT_EQ(got.size(), 3u);
    for (const Datagram& d : got) {
        EXPECT_EQ(RepliesIn(d.bytes), 1u);
        EXPECT_EQ(ntohs(d.from.sin_port), m_sim->udpPort()); // replies leave from the device port
    }
    EXPECT_EQ(Logged("transport", "udp"), 1u);
    ASSERT_NE(Last("answered"), nullptr);
    EXPECT_EQ(Last("answered")->value(QStringLiteral("datagrams")).toInt(), 3);
    EXPECT_EQ(Last("answered")->value(QStringLiteral("failed")).toInt(), 0);
}

TEST_F(LoopbackSim, RelayAndUnicastQueriesGoBackToTheSender)
{
    SimOptions options = Options();
    options.replyTo.reset();
    options.unicast = true;
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(2, 0)));
    const QString expected = QStringLiteral("127.0.0.1:%1").arg(m_replies.port());

    Send(FramedPacket(Discovery::kRelayQuery));
    EXPECT_EQ(Collect(2).size(), 2u);
    EXPECT_EQ(Last("answered")->value(QStringLiteral("to")).toString(), expected);

    Send(FramedPacket(Discovery::kSearchQuery));
    EXPECT_EQ(Collect(2).size(), 2u);
    EXPECT_EQ(Last("answered")->value(QStringLiteral("to")).toString(), expected);
}

TEST_F(LoopbackSim, JunkAndRepliesAreLoggedButNotAnswered)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(2, 0)));
    Send("");
    Send("%%%% not base64 %%%%");
    Send(FramedPacket(Discovery::kDeviceReply, &GenerateDevices(1, 9)[0]));
    Send(std::string(65507, 'A'));
    Pump([&] { return m_log.kept().size() >= 5; });
    EXPECT_TRUE(Collect(1, std::chrono::milliseconds(200)).empty());
    std::vector<int> flags;
    for (const QJsonObject& line : m_log.kept())
        if (line.contains(QStringLiteral("transport")))
            flags.push_back(line.value(QStringLiteral("flag")).toInt());
    EXPECT_EQ(flags, (std::vector<int>{-1, -1, 1, -1}));
    // The logged text stays short however long the datagram was.
    EXPECT_EQ(m_log.kept().back().value(QStringLiteral("bytes")).toInt(), 65507);
    EXPECT_LE(m_log.kept().back().value(QStringLiteral("text")).toString().size(), 4096);
    EXPECT_EQ(Last("answered"), nullptr);
}

TEST_F(LoopbackSim, ControlPackageIsAppliedAndShowsInTheNextAnswer)
{
    std::vector<DeviceInfo> devices = GenerateDevices(2, 3);
    DeviceInfo package = devices[1];
    Discovery::CopyToField(package.ip, "192.168.50.5");
    Discovery::CopyToField(package.note, "static");
    ASSERT_NO_FATAL_FAILURE(Start(Options(), devices));

    Send(FramedPacket(Discovery::kControlPackage, &package));
    ASSERT_TRUE(Pump([&] { return Last("control") != nullptr; }));
    EXPECT_EQ(Last("control")->value(QStringLiteral("result")).toString(), QStringLiteral("applied"));
    EXPECT_TRUE(Collect(1, std::chrono::milliseconds(200)).empty()); // a control package gets no reply
    EXPECT_EQ(FieldText(m_sim->store().devices()[1].ip), "192.168.50.5");

    Send(FramedPacket(Discovery::kSearchQuery));
    const std::vector<Datagram> got = Collect(2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NE(Discovery::UnframeText(got[1].bytes).find(",192.168.50.5,"), std::string::npos);
}

TEST_F(LoopbackSim, DelayHoldsTheAnswerBack)
{
    SimOptions options = Options();
    options.delay = std::chrono::milliseconds(400);
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(1, 0)));
    Send(FramedPacket(Discovery::kSearchQuery));
    EXPECT_TRUE(Collect(1, std::chrono::milliseconds(150)).empty());
    EXPECT_EQ(Collect(1).size(), 1u);
}

TEST_F(LoopbackSim, FloodRepeatsTheAnswerAndThenStops)
{
    SimOptions options = Options();
    options.flood = true;
    options.floodInterval = std::chrono::milliseconds(5);
    options.floodFor = std::chrono::milliseconds(300);
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(2, 0)));
    Send(FramedPacket(Discovery::kSearchQuery));
    const std::vector<Datagram> got = Collect(10);
    EXPECT_GE(got.size(), 10u); // five times the two devices, at least
    ASSERT_TRUE(Pump([&] { return Last("flood-end") != nullptr; }));
    const int sent = Last("flood-end")->value(QStringLiteral("sent")).toInt();
    EXPECT_GE(sent, 10);
    // Nothing more once it has ended.
    while (m_replies.tryReceive()) {
    }
    EXPECT_TRUE(Collect(1, std::chrono::milliseconds(100)).empty());
}

TEST_F(LoopbackSim, GarbageComesBeforeTheRealReplies)
{
    SimOptions options = Options();
    options.garbage = true;
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(2, 0)));
    const std::vector<GarbageDatagram> junk = GarbageDatagrams();
    Send(FramedPacket(Discovery::kSearchQuery));
    const std::vector<Datagram> got = Collect(junk.size() + 2);
    ASSERT_EQ(got.size(), junk.size() + 2);
    // Each junk datagram arrives whole and in order, the empty and the
    // 65,507-byte ones too, and reads as a reply only where it says so.
    for (std::size_t i = 0; i < junk.size(); ++i) {
        EXPECT_EQ(got[i].bytes, junk[i].bytes) << junk[i].name;
        EXPECT_EQ(RepliesIn(got[i].bytes), junk[i].readsAsReply ? 1u : 0u) << junk[i].name;
    }
    EXPECT_EQ(RepliesIn(got[junk.size()].bytes), 1u);
    EXPECT_EQ(RepliesIn(got[junk.size() + 1].bytes), 1u);
}

TEST_F(LoopbackSim, TcpRelayAnswersOnceAndCloses)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(30, 1)));
    Discovery::SocketHandle client = TestSupport::ConnectLoopback(m_sim->tcpPort());
    // The query may come in pieces; the answer waits for the whole of it.
    const std::string query = FramedPacket(Discovery::kRelayQuery);
    ASSERT_EQ(send(client.get(), query.data(), 10, 0), 10);
    Pump([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(Last("relayed"), nullptr);
    ASSERT_EQ(send(client.get(), query.data() + 10, query.size() - 10, 0), static_cast<ssize_t>(query.size() - 10));

    const auto [answer, closed] = ReadAll(client.get());
    EXPECT_TRUE(closed);
    // One framed text: Base64 only, no terminator, every device inside.
    EXPECT_EQ(answer.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
              std::string::npos);
    EXPECT_EQ(RepliesIn(answer), 30u);
    EXPECT_EQ(Logged("transport", "tcp"), 1u);
    client.reset();
    ASSERT_TRUE(Pump([&] { return Last("tcp-closed") != nullptr; }));
    EXPECT_EQ(Last("tcp-closed")->value(QStringLiteral("reason")).toString(), QStringLiteral("done"));
}

TEST_F(LoopbackSim, TcpConnectionThatEndsWithoutAQueryGetsNothing)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(3, 1)));
    Discovery::SocketHandle client = TestSupport::ConnectLoopback(m_sim->tcpPort());
    ASSERT_EQ(send(client.get(), "S0tMTU", 6, 0), 6); // a piece of junk, then our end closes
    shutdown(client.get(), SHUT_WR);
    const auto [answer, closed] = ReadAll(client.get());
    EXPECT_TRUE(closed);
    EXPECT_TRUE(answer.empty());
    EXPECT_EQ(Last("relayed"), nullptr);
}

TEST_F(LoopbackSim, HangingRelayNeitherAnswersNorCloses)
{
    SimOptions options = Options();
    options.hang = true;
    ASSERT_NO_FATAL_FAILURE(Start(options, GenerateDevices(3, 1)));
    Discovery::SocketHandle client = TestSupport::ConnectLoopback(m_sim->tcpPort());
    const std::string query = FramedPacket(Discovery::kRelayQuery);
    ASSERT_EQ(send(client.get(), query.data(), query.size(), 0), static_cast<ssize_t>(query.size()));
    ASSERT_TRUE(Pump([&] { return Last("tcp-hanging") != nullptr; }));
    Pump([] { return false; }, std::chrono::milliseconds(300));
    char byte;
    EXPECT_EQ(recv(client.get(), &byte, 1, MSG_DONTWAIT), -1); // no data and no end of stream
    EXPECT_EQ(errno, EAGAIN);
    EXPECT_EQ(Last("tcp-closed"), nullptr);
    EXPECT_EQ(Last("relayed"), nullptr);
    // UDP still answers.
    Send(FramedPacket(Discovery::kSearchQuery));
    EXPECT_EQ(Collect(3).size(), 3u);
}

TEST_F(LoopbackSim, RelayRefusesConnectionsPastItsLimit)
{
    ASSERT_NO_FATAL_FAILURE(Start(Options(), GenerateDevices(1, 1)));
    std::vector<Discovery::SocketHandle> clients;
    for (int i = 0; i < 70; ++i)
        clients.push_back(TestSupport::ConnectLoopback(m_sim->tcpPort(), false));
    Pump([&] { return Logged("event", "tcp-refused") >= 6; });
    EXPECT_EQ(Logged("event", "tcp-accepted"), 64u);
    EXPECT_EQ(Logged("event", "tcp-refused"), 6u);
}

} // namespace

TEST(EventLogFile, WritesOneParsableLinePerEventAndReportsWhatItCannotOpen)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("events.jsonl"));
    QString error;
    std::unique_ptr<EventLog> log = EventLog::OpenFile(path, error);
    ASSERT_TRUE(log) << error.toStdString();
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = htonl(kLoopback);
    from.sin_port = htons(4321);
    log->received("udp", from, 0, std::string("Kestravon,00,????\xff\n\"x", 21), 24);
    log->event("ready");
    // Flushed at once: readable while the log is still open.
    std::ifstream in(path.toStdString());
    std::string first;
    std::string second;
    ASSERT_TRUE(std::getline(in, first) && std::getline(in, second));
    const QJsonObject line = QJsonDocument::fromJson(QByteArray::fromStdString(first)).object();
    EXPECT_EQ(line.value(QStringLiteral("from")).toString(), QStringLiteral("127.0.0.1:4321"));
    EXPECT_EQ(line.value(QStringLiteral("flag")).toInt(), 0);
    EXPECT_EQ(line.value(QStringLiteral("transport")).toString(), QStringLiteral("udp"));
    // Every byte survives as the character of the same number.
    EXPECT_EQ(line.value(QStringLiteral("text")).toString().toLatin1(), QByteArray("Kestravon,00,????\xff\n\"x", 21));
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(second)).object().value(QStringLiteral("event")),
              QStringLiteral("ready"));

    EXPECT_FALSE(EventLog::OpenFile(QStringLiteral("/nonexistent/dir/log"), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("/nonexistent/dir/log: "))) << error.toStdString();
}
