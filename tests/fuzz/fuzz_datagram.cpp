// SPDX-License-Identifier: MIT
// A received datagram, whatever it holds: decode, invert, walk the packets.
#include "discovery/discovery_state.h"
#include "discovery/framing.h"
#include "discovery/protocol_constants.h"

#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Discovery::NullLog log;
    static Discovery::DiscoveryState state(log);
    if (state.devices.size() > 1000)
        state.clearForRound(); // keep the duplicate walk short

    // As the round does it: at most the buffer less one byte, zero-filled decode buffer.
    const std::size_t length = std::min(size, Discovery::kDatagramBufferSize - 1);
    const std::string_view text(reinterpret_cast<const char*>(data), length);
    static std::vector<char> decode(Discovery::kDatagramBufferSize, '\0');
    std::fill_n(decode.begin(), length + 1, '\0'); // what the walk can reach
    auto* out = reinterpret_cast<std::uint8_t*>(decode.data());
    const std::size_t n = Discovery::Base64Decode(std::span(out, decode.size() - 1), text);
    Discovery::InvertBytes(out, n);
    state.ParserPlainPkg(decode, length);

    // The plain walk on the raw bytes too, bounded by their own size.
    std::vector<char> raw(data, data + size);
    state.ParserPlainPkg(raw, raw.size() + 7);
    return 0;
}
