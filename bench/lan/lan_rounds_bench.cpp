// SPDX-License-Identifier: MIT
// Rounds on a namespace LAN against 10 to 5000 simulated devices spread over
// four hosts, with the reply socket's larger receive buffer, with what an
// ordinary user gets on a stock kernel and with the kernel's default: wall
// time of a round, time from the last reply to the round's end, and devices
// listed against devices present. Needs root. The simulated devices run on
// this machine's own cores; --devices-nice 19 keeps them from taking the
// processor from the round, as devices on a real LAN cannot.
//
//   bench_lan_rounds [--rounds N] [--counts 10,100,1000,5000] [--devices-nice N]
#include "lan_harness.h"

#include "discovery/search_round.h"
#include "round_runner.h"
#include "session/search_session.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace LanHarness;
using namespace Discovery;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kHosts = 4;
// The socket's buffer as the program asks for it, as an ordinary user gets
// it on a stock kernel (the request is cut to net.core.rmem_max, 212,992,
// and doubled), and the kernel's default without asking.
constexpr int kOrdinaryUserRequest = 212992;
constexpr int kBuffers[] = {kReplySocketReceiveBuffer, kOrdinaryUserRequest, 0};

const char* BufferName(int buffer)
{
    return buffer == kReplySocketReceiveBuffer ? "8 MiB"
           : buffer == kOrdinaryUserRequest    ? "416 KiB (ordinary user, stock kernel)"
                                               : "kernel default (208 KiB)";
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Row {
    int devices = 0;
    int buffer = 0; // as NetworkEndpoints::receiveBuffer
    std::vector<double> wall, tail;
    int fewest = 0, most = 0, complete = 0;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // the rounds run on its event loop
    int rounds = 10;
    int devicesNice = 0;
    std::vector<int> counts = {10, 100, 1000, 5000};
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (a == "--devices-nice" && i + 1 < argc) {
            devicesNice = std::atoi(argv[++i]);
        } else if (a == "--counts" && i + 1 < argc) {
            counts.clear();
            for (std::string list = argv[++i]; !list.empty();) {
                counts.push_back(std::atoi(list.c_str()));
                const auto comma = list.find(',');
                list = comma == std::string::npos ? "" : list.substr(comma + 1);
            }
        } else {
            std::fprintf(stderr, "usage: bench_lan_rounds [--rounds N] [--counts A,B,...] [--devices-nice N]\n");
            return 2;
        }
    }
    if (!TestLan::IsRoot()) {
        std::fprintf(stderr, "bench_lan_rounds: %s\n", kNeedRoot);
        return 2;
    }

    std::vector<Row> table;
    for (int count : counts) {
        TestLan lan(LanOptions{kHosts, 1, {}});
        if (!lan.up()) {
            std::fprintf(stderr, "LAN: %s\n", lan.error().c_str());
            return 1;
        }
        int present = 0;
        for (int h = 1; h <= kHosts; ++h) {
            const int n = count / kHosts + (h <= count % kHosts ? 1 : 0);
            if (n == 0)
                continue;
            SimProcess* sim = lan.startSim(h, {"--count", std::to_string(n), "--seed", std::to_string(h)});
            if (sim == nullptr) {
                std::fprintf(stderr, "sim: %s\n", lan.error().c_str());
                return 1;
            }
            if (devicesNice != 0)
                setpriority(PRIO_PROCESS, static_cast<id_t>(sim->pid()), devicesNice);
            present += n;
        }
        // Every round below broadcasts: only from inside the PC namespace.
        if (!lan.enterPc()) {
            std::fprintf(stderr, "PC: %s\n", lan.error().c_str());
            return 1;
        }
        for (int buffer : kBuffers) {
            Row row;
            row.devices = present;
            row.buffer = buffer;
            row.fewest = present;
            for (int r = 0; r < rounds; ++r) {
                NullLog log;
                DiscoveryState state(log);
                NetworkEndpoints endpoints;
                endpoints.receiveBuffer = buffer;
                // The last batch of rows before the round's end stands for the last reply parsed.
                Clock::time_point lastReply{};
                SearchSession session(state, std::nullopt);
                session.setEndpoints(endpoints);
                QObject::connect(&session, &SearchSession::rowsChanged, [&] {
                    if (session.state() == SearchSession::State::Searching)
                        lastReply = Clock::now();
                });
                const auto start = Clock::now();
                TestSupport::RunRound(session, state, SearchSettings{}, state.projectFilter);
                const auto end = Clock::now();
                row.wall.push_back(Ms(end - start));
                row.tail.push_back(lastReply == Clock::time_point{} ? 0 : Ms(end - lastReply));
                const int listed = static_cast<int>(state.devices.size());
                row.fewest = std::min(row.fewest, listed);
                row.most = std::max(row.most, listed);
                row.complete += listed == present;
            }
            table.push_back(row);
        }
        lan.leavePc();
    }

    std::printf("| devices | receive buffer | median round | worst round | median last reply parsed to end | listed (fewest-most) | complete rounds |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Row& row : table)
        std::printf("| %d | %s | %.0f ms | %.0f ms | %.0f ms | %d-%d | %d/%zu |\n", row.devices,
                    BufferName(row.buffer), Median(row.wall),
                    *std::max_element(row.wall.begin(), row.wall.end()), Median(row.tail), row.fewest, row.most,
                    row.complete, row.wall.size());
    return 0;
}
