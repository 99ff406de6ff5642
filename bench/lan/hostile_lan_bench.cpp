// SPDX-License-Identifier: MIT
// Rounds on hostile and crowded namespace LANs, printed as one markdown table
// (| case | measure | result | bound |):
//  - a neighbour that floods each query for 3 s with replies of made-up
//    devices (20 a datagram, back to back) next to 3 cameras: round time,
//    rows listed, the device limit, the cameras kept, peak memory;
//  - 5,000 devices from 4 hosts with the kernel's default receive buffer.
// The window during such rounds is bench_responsive_round's.
// The simulated devices run on this machine's cores; the crowd runs once with
// them at nice 19 (they cannot take the processor from the round, as devices
// on a real LAN cannot) and once at the round's own priority.
// Needs root (network namespaces).
//
//   bench_hostile_lan [--rounds N]
#include "crowd_file.h"
#include "lan_harness.h"

#include "discovery/search_round.h"
#include "round_runner.h"

#include <QCoreApplication>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace LanHarness;
using namespace Discovery;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kCrowdHosts = 4;
constexpr int kCrowd = 5000;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Row {
    std::string scenario, measure, result, bound;
};

std::string Format(const char* format, double a, double b = 0)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "bench_hostile_lan: %s\n", message.c_str());
    return 1;
}

long PeakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool FloodRounds(int rounds, int floodForMs, std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{2, 1, {}});
    if (!lan.up()) {
        error = lan.error();
        return false;
    }
    if (!lan.startSim(1, {"--count", "3", "--seed", "1"}) ||
        !lan.startSim(2, {"--count", "1", "--seed", "2", "--flood-distinct", "--pack", "20", "--flood-interval",
                          "0", "--flood-for", std::to_string(floodForMs)})) {
        error = lan.error();
        return false;
    }
    if (!lan.enterPc()) {
        error = lan.error();
        return false;
    }
    std::vector<double> times;
    int rowsMin = 1 << 30, rowsMax = 0, capHits = 0, camerasMin = 3, boundLines = 0;
    for (int r = 0; r < rounds; ++r) {
        MemoryLog log;
        DiscoveryState state(log);
        const auto start = Clock::now();
        TestSupport::RunRound(state, SearchSettings{});
        times.push_back(Ms(Clock::now() - start));
        const int rows = state.grid.gridRowCount() - 1;
        rowsMin = std::min(rowsMin, rows);
        rowsMax = std::max(rowsMax, rows);
        capHits += state.deviceLimitReached();
        int cameras = 0;
        for (const DeviceInfo& device : state.devices)
            cameras += FieldText(device.mac).substr(0, 6) != "02:f1:";
        camerasMin = std::min(camerasMin, cameras);
        boundLines += static_cast<int>(std::count(log.lines().begin(), log.lines().end(),
                                                  "Reply pass ended after 5000 ms without a quiet period\n"));
        // Let the last flood run out before the next round's query.
        if (r + 1 < rounds)
            std::this_thread::sleep_for(std::chrono::milliseconds(floodForMs + 200));
    }
    lan.leavePc();
    const std::string scenario = "flood: 20 made-up devices a datagram, back to back for " +
                                 std::to_string(floodForMs / 1000) + " s after each query, next to 3 cameras (" +
                                 std::to_string(rounds) + (rounds == 1 ? " round)" : " rounds)");
    table.push_back({scenario, "round time (median, worst)",
                     Format("%.2f s, %.2f s", Median(times) / 1000, *std::max_element(times.begin(), times.end()) / 1000),
                     "about 11 s"});
    table.push_back({scenario, "rows listed (fewest-most)", std::to_string(rowsMin) + "-" + std::to_string(rowsMax),
                     std::to_string(kRoundDeviceLimit) + " from replies"});
    table.push_back({scenario, "device limit hit", capHits == rounds ? "yes, every round" :
                     std::to_string(capHits) + "/" + std::to_string(rounds) + " rounds", "one log line"});
    table.push_back({scenario, "the 3 cameras listed (fewest)", std::to_string(camerasMin) + "/3", "3/3"});
    table.push_back({scenario, "passes ended at the 5 s bound", std::to_string(boundLines), "-"});
    table.push_back({scenario, "peak resident memory of the process so far", std::to_string(PeakResidentMiB()) + " MiB", "bounded"});
    return true;
}

// `devicesNice`: the simulated devices' priority; they share this machine's
// cores with the round, which devices on a real LAN do not.
bool CrowdRounds(int rounds, int devicesNice, std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{kCrowdHosts, 1, {}});
    if (!lan.up()) {
        error = lan.error();
        return false;
    }
    std::vector<std::string> files;
    for (int h = 1; h <= kCrowdHosts; ++h) {
        files.push_back(CrowdFile(h, kCrowd / kCrowdHosts));
        SimProcess* sim = lan.startSim(h, {"--devices", files.back()});
        if (sim == nullptr) {
            error = lan.error();
            return false;
        }
        setpriority(PRIO_PROCESS, static_cast<id_t>(sim->pid()), devicesNice);
    }
    if (!lan.enterPc()) {
        error = lan.error();
        return false;
    }
    const std::string scenario = std::to_string(kCrowd) + " devices from " + std::to_string(kCrowdHosts) +
                                 " hosts at nice " + std::to_string(devicesNice) +
                                 ", kernel's default receive buffer (" + std::to_string(rounds) + " rounds)";
    std::vector<double> times;
    int fewest = kCrowd, most = 0, complete = 0;
    for (int r = 0; r < rounds; ++r) {
        NullLog log;
        DiscoveryState state(log);
        NetworkEndpoints endpoints;
        endpoints.receiveBuffer = 0;
        const auto start = Clock::now();
        TestSupport::RunRound(state, SearchSettings{}, endpoints);
        times.push_back(Ms(Clock::now() - start));
        const int listed = static_cast<int>(state.devices.size());
        fewest = std::min(fewest, listed);
        most = std::max(most, listed);
        complete += listed == kCrowd;
    }
    table.push_back({scenario, "listed (fewest-most)", std::to_string(fewest) + "-" + std::to_string(most),
                     std::to_string(kCrowd)});
    table.push_back({scenario, "complete rounds", std::to_string(complete) + "/" + std::to_string(rounds),
                     std::to_string(rounds) + "/" + std::to_string(rounds)});
    table.push_back({scenario, "median round", Format("%.0f ms", Median(times)), "-"});

    lan.leavePc();
    for (const std::string& f : files)
        std::remove(f.c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 10;
    int floodRounds = 3;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--flood-rounds") && i + 1 < argc) {
            floodRounds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: bench_hostile_lan [--rounds N] [--flood-rounds N]\n");
            return 2;
        }
    }
    if (rounds < 1 || floodRounds < 1)
        return 2;
    if (!TestLan::IsRoot()) {
        std::fprintf(stderr, "bench_hostile_lan: %s\n", kNeedRoot);
        return 2;
    }
    QCoreApplication app(argc, argv); // the rounds run on its event loop

    std::vector<Row> table;
    std::string error;
    // The flood as asked for, then one that outlasts both passes' bounds.
    if (!FloodRounds(floodRounds, 3000, table, error) || !FloodRounds(1, 20000, table, error) ||
        !CrowdRounds(rounds, 19, table, error) || !CrowdRounds(rounds, 0, table, error))
        return Fail(error);

    std::printf("| case | measure | result | bound |\n|---|---|---|---|\n");
    for (const Row& row : table)
        std::printf("| %s | %s | %s | %s |\n", row.scenario.c_str(), row.measure.c_str(), row.result.c_str(),
                    row.bound.c_str());
    return 0;
}
