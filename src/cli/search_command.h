// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"
#include "discovery/search_road.h"
#include "discovery/search_round.h"
#include "upnp/search_options.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace Cli {

// The search-method choice of the options, as the window builds its own.
Discovery::SearchSettings SettingsFor(const SearchOptions& options);

// How one round of the CLI went.
struct RoundReport {
    int shown = 0;            // device rows the grid shows afterwards
    bool interrupted = false; // SIGINT or SIGTERM ended it early
    Discovery::RoadProblem problem = Discovery::RoadProblem::None;
    std::string problemDetail;
};

// Runs one search round the way the window's search button does, with the
// window's defaults for everything not given, until it is over or SIGINT or
// SIGTERM comes (the round is then cancelled at once). With `upnp` set and a
// project filter that admits UPnP devices, the UPnP search runs beside the
// round and its kept cameras are added after the round's rows, as the
// window adds them.
RoundReport RunRound(Discovery::DiscoveryState& state, const SearchOptions& options,
                     const Discovery::NetworkEndpoints& endpoints = {},
                     const std::optional<Upnp::UpnpSearchOptions>& upnp = std::nullopt);

// The same, for callers that need only the number of rows shown.
int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints = {},
              const std::optional<Upnp::UpnpSearchOptions>& upnp = std::nullopt);

// The line that says the reply port could not be opened, for stderr; empty
// when the round had no such problem.
std::string ReplyPortProblem(const RoundReport& report, const Discovery::NetworkEndpoints& endpoints);

// Exit status of a command a signal interrupted (128 + SIGINT).
inline constexpr int kInterruptedStatus = 130;

// The UPnP search of `quendrel-cli search`: on the adapters named with
// --interface, or on every adapter that is up when none is named.
Upnp::UpnpSearchOptions UpnpOptionsFor(const SearchOptions& options);

// `quendrel-cli search ...`: prints the result in the chosen format. Exit status.
int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace Cli
