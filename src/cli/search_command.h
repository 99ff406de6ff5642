// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"
#include "discovery/search_round.h"
#include "upnp/search_options.h"

#include <iosfwd>
#include <optional>

namespace Cli {

// The search-method choice of the options, as the window builds its own.
Discovery::SearchSettings SettingsFor(const SearchOptions& options);

// Runs one search round the way the window's search button does, with the
// window's defaults for everything not given. With `upnp` set and a project
// filter that admits UPnP devices, the UPnP search runs beside the round and
// its kept cameras are added after the round's rows, as the window adds
// them. Returns the number of device rows the grid shows afterwards.
int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints = {},
              const std::optional<Upnp::UpnpSearchOptions>& upnp = std::nullopt);

// The UPnP search of `quendrel-cli search`: on the adapters named with
// --interface, or on every adapter that is up when none is named.
Upnp::UpnpSearchOptions UpnpOptionsFor(const SearchOptions& options);

// `quendrel-cli search ...`: prints the result in the chosen format. Exit status.
int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace Cli
