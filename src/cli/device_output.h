// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"

#include <string>

namespace Cli {

// The grid as a text table: the seven columns under their header texts, rows
// in the grid's order, then the line the count label would show.
std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows);
// The same columns as CSV with a header line.
std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows);
// The device list, in list order, as a JSON array of objects with the eleven field names.
std::string FormatJson(const Discovery::DiscoveryState& state);

std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format);

} // namespace Cli
