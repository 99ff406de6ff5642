// SPDX-License-Identifier: MIT
// The UPnP search against hostile cameras on a simulated LAN: descriptors
// and resident memory across many searches with a description server that
// never answers and with one whose body never ends, and the time and peak
// memory of a search that meets a 150 MB description. A well-behaved AXIS
// camera answers beside each one and must be kept in every search.
//
//   bench_hostile_upnp [--silent N] [--endless N]
//
// Prints markdown rows | case | measure | result | bound |. Needs root.
#include "lan_harness.h"
#include "upnp/port_forward_engine.h"

#include <QObject>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using LanHarness::SimProcess;
using LanHarness::TestLan;

constexpr double kMemoryNoiseMb = 4.0;
constexpr double kSearchLimitMs = 3500.0;

int OpenDescriptors()
{
    int n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in MB.
double StatusMb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0)
            return std::strtod(line.c_str() + std::strlen(key), nullptr) / 1024.0;
    return -1;
}

// The peak resident size counts again from now.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Outcome {
    double ms = 0;
    int kept = 0;
    Upnp::SearchStats stats;
};

Outcome SearchOnce(Upnp::UpnpSearchEngine& engine)
{
    QObject window;
    const Clock::time_point start = Clock::now();
    Outcome outcome;
    if (!engine.StartSearch(&window))
        return outcome;
    engine.doneEvent()->wait();
    outcome.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    outcome.kept = static_cast<int>(engine.devicesSnapshot().size());
    outcome.stats = engine.lastStats();
    engine.closeDoneEvent();
    return outcome;
}

void Row(const char* name, const std::string& measure, const std::string& result, const std::string& bound)
{
    std::printf("| %s | %s | %s | %s |\n", name, measure.c_str(), result.c_str(), bound.c_str());
    std::fflush(stdout);
}

std::string Number(double value, const char* unit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s", value, unit);
    return text;
}

// One hostile camera on h1 for the whole case; the good camera stays on h2.
std::unique_ptr<SimProcess> StartHostile(TestLan& lan, const char* preset)
{
    std::string error;
    auto sim = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, lan.namespaceOf("h1"),
                                 {"--interface", "eth0", "--preset", preset}, error);
    if (!sim || !sim->waitReady(std::chrono::seconds(60), error)) {
        std::fprintf(stderr, "bench_hostile_upnp: %s camera: %s\n", preset, error.c_str());
        return nullptr;
    }
    return sim;
}

// `searches` searches beside `preset`: descriptors and memory after the
// first and after the last, and whether the good camera was kept in each.
bool RepeatedCase(TestLan& lan, Upnp::UpnpSearchEngine& engine, const char* name, const char* preset, int searches)
{
    const auto sim = StartHostile(lan, preset);
    if (!sim || !lan.enterPc())
        return false;
    int fdFirst = 0, missed = 0;
    double rssFirst = 0, worstMs = 0;
    for (int i = 1; i <= searches; ++i) {
        const Outcome o = SearchOnce(engine);
        missed += o.kept != 1;
        worstMs = std::max(worstMs, o.ms);
        if (i == 1) {
            fdFirst = OpenDescriptors();
            rssFirst = StatusMb("VmRSS:");
        }
    }
    const int fdLast = OpenDescriptors();
    const double rssLast = StatusMb("VmRSS:");
    lan.leavePc();
    const std::string after = "after " + std::to_string(searches);
    Row(name, "descriptors after 1", std::to_string(fdFirst), "-");
    Row(name, "descriptors " + after, std::to_string(fdLast), "= after 1");
    Row(name, "resident memory after 1", Number(rssFirst, "MB"), "-");
    Row(name, "resident memory " + after, Number(rssLast, "MB"), "after 1 + " + Number(kMemoryNoiseMb, "MB"));
    Row(name, "slowest search", Number(worstMs, "ms"), Number(kSearchLimitMs, "ms") + " + 100 ms");
    Row(name, "searches that missed the good camera", std::to_string(missed), "0");
    return true;
}

bool HugeCase(TestLan& lan, Upnp::UpnpSearchEngine& engine)
{
    const char* name = "150 MB description";
    const auto sim = StartHostile(lan, "huge-description");
    if (!sim || !lan.enterPc())
        return false;
    const double rssBefore = StatusMb("VmRSS:");
    ResetPeak();
    const Outcome o = SearchOnce(engine);
    const double peak = StatusMb("VmHWM:");
    lan.leavePc();
    Row(name, "search time", Number(o.ms, "ms"), Number(kSearchLimitMs, "ms"));
    Row(name, "peak resident memory during the search", Number(peak, "MB"),
        "before (" + Number(rssBefore, "MB") + ") + " + Number(kMemoryNoiseMb, "MB"));
    Row(name, "skipped as oversized / good camera kept",
        std::to_string(o.stats.oversized) + " / " + std::to_string(o.kept), "1 / 1");
    return true;
}

int Usage()
{
    std::fprintf(stderr, "usage: bench_hostile_upnp [--silent N] [--endless N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int silent = 100;
    int endless = 20;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--silent") && i + 1 < argc)
            silent = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--endless") && i + 1 < argc)
            endless = std::atoi(argv[++i]);
        else
            return Usage();
    }
    if (silent < 1 || silent > 1000 || endless < 1 || endless > 1000)
        return Usage();
    if (!TestLan::IsRoot()) {
        std::fprintf(stderr, "bench_hostile_upnp: %s\n", LanHarness::kNeedRoot);
        return 77;
    }

    TestLan lan({.hosts = 2});
    if (!lan.up()) {
        std::fprintf(stderr, "bench_hostile_upnp: %s\n", lan.error().c_str());
        return 1;
    }
    std::string error;
    const auto good = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, lan.namespaceOf("h2"),
                                        {"--interface", "eth0", "--preset", "axis"}, error);
    if (!good || !good->waitReady(std::chrono::seconds(10), error)) {
        std::fprintf(stderr, "bench_hostile_upnp: good camera: %s\n", error.c_str());
        return 1;
    }
    // Only ever search the LAN's own adapter.
    if (!lan.enterPc())
        return 1;
    const bool onlyPc = TestLan::OnlyPcAdapter();
    lan.leavePc();
    if (!onlyPc) {
        std::fprintf(stderr, "bench_hostile_upnp: eth0 is not the simulated PC's adapter\n");
        return 1;
    }
    Upnp::UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{"eth0"};
    Upnp::UpnpSearchEngine engine(options);

    std::printf("| case | measure | result | bound |\n|---|---|---|---|\n");
    const bool ok = HugeCase(lan, engine) &&
                    RepeatedCase(lan, engine, "silent description server", "silent-description", silent) &&
                    RepeatedCase(lan, engine, "endless description body", "endless-description", endless);
    return ok ? 0 : 1;
}
