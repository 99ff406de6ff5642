// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"

#include <string>
#include <vector>

namespace Cli {

// The grid as a text table: the seven columns under their header texts, rows
// in the grid's order, then the line the count label would show.
std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows);
// The same columns as CSV with a header line.
std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows);
// The devices of the list that the grid shows (those that passed the
// project filter), in list order, as a JSON array of objects with the eleven
// field names.
std::string FormatJson(const Discovery::DiscoveryState& state, int shownRows);

// The listed devices behind the grid's first `shownRows` rows, in list order.
std::vector<const Discovery::DeviceInfo*> ShownDevices(const Discovery::DiscoveryState& state, int shownRows);
// One device as a JSON object with the eleven field names, on one line.
std::string DeviceJson(const Discovery::DeviceInfo& device);

std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format);

} // namespace Cli
