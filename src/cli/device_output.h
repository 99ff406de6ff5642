// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"

#include <string>
#include <string_view>
#include <vector>

namespace Cli {

// A device's text as it may reach a terminal: control characters (C0, DEL,
// C1), bidirectional overrides and bytes that are not UTF-8 become U+FFFD,
// so no host on the LAN can recolour or rewrite the screen, and the output
// stays valid UTF-8.
std::string TerminalText(std::string_view bytes);

// The grid as a text table: the seven columns under their header texts (with
// `allFields` also gateway, DNS, dev and note), rows in the grid's order,
// then the line the count label would show. Cells pass through TerminalText.
std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows, bool allFields = false);
// The same columns as CSV with a header line.
std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows, bool allFields = false);
// The devices of the list that the grid shows (those that passed the
// project filter), in list order, as a JSON array of objects with the eleven
// field names.
std::string FormatJson(const Discovery::DiscoveryState& state, int shownRows);

// The listed devices behind the grid's first `shownRows` rows, in list order.
std::vector<const Discovery::DeviceInfo*> ShownDevices(const Discovery::DiscoveryState& state, int shownRows);
// One device as a JSON object with the eleven field names, on one line.
std::string DeviceJson(const Discovery::DeviceInfo& device);

// JSON has every field already: `allFields` changes only table and CSV.
std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format,
                          bool allFields = false);

} // namespace Cli
