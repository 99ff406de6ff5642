// SPDX-License-Identifier: MIT
// Decode + invert + parse of received datagrams, as the reply loop does it.
#include "discovery/discovery_state.h"
#include "discovery/framing.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace Discovery;

namespace {

std::string Packets(int count)
{
    std::string plain;
    for (int i = 0; i < count; ++i)
        plain += "Kestravon,01,IPX-200,Orvane,Camera " + std::to_string(i) + ",10.1." +
                 std::to_string(i / 250) + "." + std::to_string(i % 250 + 1) +
                 ",80,255.255.0.0,10.1.0.254,10.1.0.253,00:11:22:33:" + std::to_string(10 + i / 100) + ":" +
                 std::to_string(10 + i % 90) + ",eth0,ok" + '\0';
    return FrameBytes(plain);
}

void DecodeAndParse(benchmark::State& run)
{
    const int packets = static_cast<int>(run.range(0));
    const std::string datagram = Packets(packets);
    NullLog log;
    std::vector<char> decode(kDatagramBufferSize);
    for (auto _ : run) {
        DiscoveryState state(log); // a fresh list: every packet is a new device
        std::fill_n(decode.begin(), datagram.size() + 1, '\0');
        auto* out = reinterpret_cast<std::uint8_t*>(decode.data());
        const std::size_t n = Base64Decode(std::span(out, decode.size() - 1), datagram);
        InvertBytes(out, n);
        benchmark::DoNotOptimize(state.ParserPlainPkg(decode, datagram.size()));
    }
    run.SetItemsProcessed(run.iterations() * packets);
    run.counters["packets/s"] = benchmark::Counter(static_cast<double>(run.iterations() * packets),
                                                   benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(DecodeAndParse)->Arg(1)->Arg(100);
BENCHMARK_MAIN();
