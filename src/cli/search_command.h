// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"
#include "discovery/search_round.h"

#include <iosfwd>

namespace Cli {

// Runs one search round the way the window's search button does, with the
// window's defaults for everything not given. Returns the number of device
// rows the grid shows afterwards.
int RunSearch(Discovery::DiscoveryState& state, const SearchOptions& options,
              const Discovery::NetworkEndpoints& endpoints = {});

// `quendrel-cli search ...`: prints the result in the chosen format. Exit status.
int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace Cli
