// SPDX-License-Identifier: MIT
// A relay page of any content through CleanHtml and PhaseItem; small pages
// (up to 512 bytes) are also parsed by the rules done literally and must give the same.
#include "discovery/discovery_state.h"
#include "discovery/relay_page.h"
#include "discovery/relay_page_fetch.h"
#include "relay_page_literal.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Discovery::NullLog log;
    const std::string_view page(reinterpret_cast<const char*>(data), std::min(size, Discovery::kRelayPageLimit));
    const std::vector<std::string> lines = Discovery::RelayPageLines(page);

    // One list and grid for all inputs, emptied before each: a fresh window
    // state per input would cost more than the parsing.
    static Discovery::DiscoveryState fastState(log);
    static Discovery::DiscoveryState literalState(log);
    for (Discovery::DiscoveryState* state : {&fastState, &literalState})
        state->clearForRound(); // the round's device cap starts again too
    std::vector<std::string> fast = lines;
    Discovery::CleanHtml(fast);
    Discovery::PhaseItem(fastState, fast);
    for (const Discovery::DeviceInfo& d : fastState.devices)
        for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
            if (Discovery::FieldAt(d, f).back() != '\0')
                std::abort();

    // The literal rules cost a whole line per edit: only on small pages.
    if (size > 512)
        return 0;
    std::vector<std::string> literal = lines;
    LiteralRules::CleanHtml(literal);
    LiteralRules::PhaseItem(literalState, literal);
    if (fast != literal || fastState.devices.size() != literalState.devices.size()
        || fastState.grid.gridRowCount() != literalState.grid.gridRowCount())
        std::abort();
    for (std::size_t i = 0; i < fastState.devices.size(); ++i)
        if (std::memcmp(&fastState.devices[i], &literalState.devices[i], sizeof(Discovery::DeviceInfo)) != 0)
            std::abort();
    for (int row = 0; row < fastState.grid.gridRowCount(); ++row)
        if (fastState.grid.row(row) != literalState.grid.row(row))
            std::abort();
    return 0;
}
