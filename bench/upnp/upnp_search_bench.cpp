// SPDX-License-Identifier: MIT
// How long the UPnP search takes on a simulated LAN: one camera per host,
// the engine with its default timings on the PC's adapter, N searches.
//
//   bench_upnp_search [--searches N] [--cameras N]
//
// Needs root (network namespaces). The whole default round is timed by
// bench_responsive_round.
#include "discovery/discovery_state.h"
#include "lan_harness.h"
#include "upnp/port_forward_engine.h"
#include "upnp/upnp_results.h"

#include <QObject>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using LanHarness::SimProcess;
using LanHarness::TestLan;

struct Sample {
    double ms = 0;
    int found = 0;
    Upnp::SearchEnd end = Upnp::SearchEnd::Quiet;
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* EndName(Upnp::SearchEnd end)
{
    switch (end) {
    case Upnp::SearchEnd::Quiet: return "quiet";
    case Upnp::SearchEnd::Limit: return "limit";
    case Upnp::SearchEnd::Cancelled: return "cancelled";
    }
    return "?";
}

Sample SearchOnce(Upnp::UpnpSearchEngine& engine, QObject& window)
{
    const Clock::time_point start = Clock::now();
    if (!engine.StartSearch(&window))
        return {};
    engine.doneEvent()->wait();
    Sample s;
    s.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    s.found = static_cast<int>(engine.devicesSnapshot().size());
    s.end = engine.lastStats().end;
    engine.closeDoneEvent();
    return s;
}

int Usage()
{
    std::fprintf(stderr, "usage: bench_upnp_search [--searches N] [--cameras N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int searches = 20;
    int cameras = 2;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--searches") && i + 1 < argc)
            searches = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--cameras") && i + 1 < argc)
            cameras = std::atoi(argv[++i]);
        else
            return Usage();
    }
    if (searches < 1 || searches > 1000 || cameras < 0 || cameras > 100)
        return Usage();
    if (!TestLan::IsRoot()) {
        std::fprintf(stderr, "bench_upnp_search: %s\n", LanHarness::kNeedRoot);
        return 77;
    }

    // Cameras on hosts 1..N, the broadcast devices on the host after them.
    TestLan lan({.hosts = cameras});
    if (!lan.up()) {
        std::fprintf(stderr, "bench_upnp_search: %s\n", lan.error().c_str());
        return 1;
    }
    std::vector<std::unique_ptr<SimProcess>> sims;
    for (int host = 1; host <= cameras; ++host) {
        std::string error;
        auto sim = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, lan.namespaceOf("h" + std::to_string(host)),
                                     {"--interface", "eth0", "--preset", host % 2 ? "axis" : "vivotek"}, error);
        if (!sim || !sim->waitReady(std::chrono::seconds(5), error)) {
            std::fprintf(stderr, "bench_upnp_search: camera on h%d: %s\n", host, error.c_str());
            return 1;
        }
        sims.push_back(std::move(sim));
    }
    if (!lan.enterPc()) {
        std::fprintf(stderr, "bench_upnp_search: %s\n", lan.error().c_str());
        return 1;
    }
    // Only ever search the LAN's own adapter.
    if (!TestLan::OnlyPcAdapter()) {
        std::fprintf(stderr, "bench_upnp_search: eth0 is not the simulated PC's adapter\n");
        return 1;
    }

    Upnp::UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{"eth0"};
    Upnp::UpnpSearchEngine engine(options);
    QObject window;
    std::vector<double> times;
    int foundMin = 1 << 30, foundMax = 0, limits = 0;
    for (int i = 0; i < searches; ++i) {
        const Sample s = SearchOnce(engine, window);
        times.push_back(s.ms);
        foundMin = std::min(foundMin, s.found);
        foundMax = std::max(foundMax, s.found);
        limits += s.end == Upnp::SearchEnd::Limit;
        std::printf("%3d  %7.1f ms  %d cameras  (%s)\n", i + 1, s.ms, s.found, EndName(s.end));
    }
    lan.leavePc();

    std::printf("\n%s, %d cameras, %d searches: median %.0f ms, best %.0f ms, worst %.0f ms, "
                "found %d..%d, %d ended at the limit\n",
                "UPnP search", cameras, searches, Median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                foundMin, foundMax, limits);
    return 0;
}
