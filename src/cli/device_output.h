// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cli_options.h"
#include "discovery/discovery_state.h"
#include "discovery/network_interfaces.h"

#include <string>
#include <string_view>
#include <vector>

namespace Cli {

// A device's text as it may reach a terminal: control characters (C0, DEL,
// C1), bidirectional overrides and bytes that are not UTF-8 become U+FFFD,
// so no host on the LAN can recolour or rewrite the screen, and the output
// stays valid UTF-8.
std::string TerminalText(std::string_view bytes);

// The adapters a round's devices answered on, for their other-subnet marker.
using Adapters = std::vector<Discovery::NetworkInterface>;

// The grid as a text table: the seven columns under their header texts (with
// `allFields` also gateway, DNS, dev and note), rows in the grid's order,
// then the line the count label would show. Cells pass through TerminalText.
// A last column names the rows' markers when any row has one.
std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows, bool allFields = false,
                        const Adapters& adapters = {});
// The same columns as CSV with a header line, and always the markers' column last.
std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows, bool allFields = false,
                      const Adapters& adapters = {});
// The devices of the list that the grid shows (those that passed the
// project filter), in list order, as a JSON array of objects with the eleven
// field names and their "warnings".
std::string FormatJson(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters = {});

// The listed devices behind the grid's first `shownRows` rows, in list order.
std::vector<const Discovery::DeviceInfo*> ShownDevices(const Discovery::DiscoveryState& state, int shownRows);
// One device as a JSON object with the eleven field names and its
// "warnings" (the markers' names), on one line.
std::string DeviceJson(const Discovery::DeviceInfo& device, const std::vector<std::string>& warnings = {});

// The markers' names of every listed device, in list order.
std::vector<std::vector<std::string>> DeviceWarnings(const Discovery::DiscoveryState& state,
                                                     const Adapters& adapters);
// The markers' names of listed devices (pointers into state.devices).
std::vector<std::vector<std::string>> WarningsOf(const Discovery::DiscoveryState& state,
                                                 const std::vector<const Discovery::DeviceInfo*>& devices,
                                                 const Adapters& adapters);
// The markers of the grid's first `shownRows` rows as one text each, after
// the heading kWarningsHeading at index 0.
inline constexpr char kWarningsHeading[] = "Warnings";
std::vector<std::string> RowWarnings(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters);

// JSON has every field already: `allFields` changes only table and CSV.
std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format,
                          bool allFields = false, const Adapters& adapters = {});

// The cells every format is made of: the display width of UTF-8 text in
// code points, a CSV field quoted when it must be, a JSON string.
std::size_t Width(const std::string& text);
std::string CsvField(const std::string& text);
std::string JsonString(std::string_view bytes);

} // namespace Cli
