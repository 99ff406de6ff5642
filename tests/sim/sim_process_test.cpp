// SPDX-License-Identifier: MIT
// The quendrel-sim program itself, run here on loopback (no namespace needed).
#include "lan_harness.h"
#include "sim_process.h"
#include "wire.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <fstream>

using namespace LanHarness;

namespace {

constexpr auto kProcessLimit = std::chrono::milliseconds(5000);

std::unique_ptr<SimProcess> Launch(const std::vector<std::string>& args, std::string& error)
{
    return SimProcess::Start(SimProgram(), "", args, error);
}

// Loopback only: bound to 127.0.0.1 and every reply sent to our receiver.
std::vector<std::string> LoopbackArgs(const UdpReceiver& replies)
{
    return {"--bind", "127.0.0.1", "--port", "0", "--reply-to", "127.0.0.1", "--reply-port",
            std::to_string(replies.port())};
}

int ExitCode(std::optional<int> status) { return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1; }

} // namespace

TEST(SimProcess, AnswersOnLoopbackAndStopsOnSigterm)
{
    UdpReceiver replies(0);
    ASSERT_TRUE(replies.valid());
    std::vector<std::string> args = LoopbackArgs(replies);
    args.insert(args.end(), {"--count", "4", "--pack", "2"});
    std::string error;
    std::unique_ptr<SimProcess> sim = Launch(args, error);
    ASSERT_TRUE(sim) << error;
    ASSERT_TRUE(sim->waitReady(kProcessLimit, error)) << error;
    const auto port = static_cast<std::uint16_t>(sim->ready().value("udp_port").toInt());
    ASSERT_NE(port, 0);

    ASSERT_TRUE(SendDatagram("127.0.0.1", port, FramedPacket(Discovery::kSearchQuery)));
    const std::vector<Datagram> got = replies.receiveUntilSilence(std::chrono::milliseconds(300), kProcessLimit);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(PlainPackets(Discovery::UnframeText(got[0].bytes)).size(), 2u);
    ASSERT_TRUE(sim->waitForLine(ReceivedFlag("udp", 0), kProcessLimit));

    const int status = sim->stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(sim->count(EventIs("stopped")), 1u);
}

TEST(SimProcess, RefusesBadInputWithAMessageAndAnExitCode)
{
    QTemporaryDir dir;
    const std::string bad = dir.filePath(QStringLiteral("bad.json")).toStdString();
    std::ofstream(bad) << R"([{"name": "unterminated)";
    const std::string wide = dir.filePath(QStringLiteral("wide.json")).toStdString();
    std::ofstream(wide) << R"([{"ip": "1234567890.1234567890"}])";

    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"--devices", bad}, 2, "not valid JSON"},
        {{"--devices", wide}, 2, "device 1: field \"ip\""},
        {{"--devices", dir.filePath(QStringLiteral("none.json")).toStdString()}, 2, "none.json"},
        {{"--count", "many"}, 2, "--count"},
        {{}, 2, "--devices FILE or --count N"},
    };
    for (const Case& c : cases) {
        std::string error;
        std::unique_ptr<SimProcess> sim = Launch(c.args, error);
        ASSERT_TRUE(sim) << error;
        EXPECT_EQ(ExitCode(sim->waitExited(kProcessLimit)), c.code) << c.says;
        EXPECT_NE(sim->errorOutput().find(c.says), std::string::npos) << sim->errorOutput();
        EXPECT_EQ(sim->count(EventIs("ready")), 0u);
    }
}

TEST(SimProcess, ReportsAPortThatIsTaken)
{
    UdpReceiver replies(0);
    std::vector<std::string> args = LoopbackArgs(replies);
    args.insert(args.end(), {"--count", "1"});
    std::string error;
    std::unique_ptr<SimProcess> first = Launch(args, error);
    ASSERT_TRUE(first && first->waitReady(kProcessLimit, error)) << error;
    const std::string port = std::to_string(first->ready().value("tcp_port").toInt());

    std::unique_ptr<SimProcess> second =
        Launch({"--bind", "127.0.0.1", "--port", port, "--reply-to", "127.0.0.1", "--count", "1"}, error);
    ASSERT_TRUE(second) << error;
    EXPECT_EQ(ExitCode(second->waitExited(kProcessLimit)), 1);
    EXPECT_NE(second->errorOutput().find("bind"), std::string::npos) << second->errorOutput();
}
