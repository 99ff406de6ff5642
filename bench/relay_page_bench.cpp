// SPDX-License-Identifier: MIT
// CleanHtml + PhaseItem of a relay page of the largest size the fetch keeps,
// as the window's thread runs them after the page has arrived.
#include "discovery/discovery_state.h"
#include "discovery/relay_page.h"
#include "discovery/relay_page_fetch.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace Discovery;

namespace {

// One line of `piece` repeated to fill the page buffer.
std::string OneLineOf(std::string_view piece)
{
    std::string line;
    while (line.size() + piece.size() <= kRelayPageLimit)
        line += piece;
    return line;
}

std::string DeviceTable(int devices)
{
    std::string page = "<html><body><table>\n<tr><td>Model</td><td>Project</td><td>Name</td><td>IP</td>"
                       "<td>Port</td><td>Netmask</td><td>MAC</td></tr>\n";
    for (int i = 0; i < devices; ++i)
        page += "<tr><td>IPX-200</td><td>Orvane</td><td>Camera " + std::to_string(i) + "</td><td>10.1." +
                std::to_string(i / 250) + "." + std::to_string(i % 250 + 1) +
                "</td><td>80</td><td>255.255.0.0</td><td>00:11:22:33:44:" + std::to_string(10 + i % 90) +
                "</td></tr>\n";
    return page + "</table></body></html>\n";
}

void ParsePage(benchmark::State& run, const std::string& page)
{
    NullLog log;
    for (auto _ : run) {
        run.PauseTiming();
        std::vector<std::string> lines = RelayPageLines(page);
        DiscoveryState state(log);
        run.ResumeTiming();
        CleanHtml(lines);
        PhaseItem(state, lines);
        benchmark::DoNotOptimize(state.devices.data());
    }
    run.SetBytesProcessed(run.iterations() * static_cast<std::int64_t>(page.size()));
}

void OneLineOfRowTags(benchmark::State& run) { ParsePage(run, OneLineOf("<tr>")); }
void OneLineOfEmptyCells(benchmark::State& run) { ParsePage(run, "<td>h</td>\n" + OneLineOf("<td></td>")); }
void TableOf5000Devices(benchmark::State& run) { ParsePage(run, DeviceTable(5000)); }

} // namespace

BENCHMARK(OneLineOfRowTags)->Unit(benchmark::kMillisecond);
BENCHMARK(OneLineOfEmptyCells)->Unit(benchmark::kMillisecond);
BENCHMARK(TableOf5000Devices)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
