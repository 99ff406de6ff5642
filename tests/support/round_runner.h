// SPDX-License-Identifier: MIT
#pragma once

#include "session/search_session.h"

#include <chrono>
#include <string>
#include <vector>

namespace TestSupport {

// What a round told its caller, in order: "searching", "rows" (rows
// changed), "upnpWaiting", "finished".
struct RoundSeen {
    std::vector<std::string> events;
    int shown = -1;
    Discovery::SearchSession::End end{};
    Discovery::RoadProblem problem{};
    bool ended = false; // false: the round was still running at the limit
    // Devices in the list when the rows last changed before the road was
    // done: what the grid showed while the round still ran.
    std::size_t listedWhileSearching = 0;
};

// The search-method controls set to a relay host with `transport`.
Discovery::SearchSettings RelaySettings(const std::string& host, const std::string& transport);

// Runs one round of `session` (working on `state`) on this thread's event
// loop until it ends, or `limit`.
RoundSeen RunRound(Discovery::SearchSession& session, const Discovery::DiscoveryState& state,
                   const Discovery::SearchSettings& settings, const std::string& projectFilter,
                   std::chrono::milliseconds limit = std::chrono::seconds(60));

// One round of a session without UPnP on `state`, with its project filter.
RoundSeen RunRound(Discovery::DiscoveryState& state, const Discovery::SearchSettings& settings,
                   const Discovery::NetworkEndpoints& endpoints = {});

} // namespace TestSupport
