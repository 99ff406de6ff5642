// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"

#include <string>
#include <vector>

namespace Discovery {

// "http://" + the relay host as typed (a port may follow it) + the request
// path with the project filter text.
std::string RelayPageUrl(const std::string& relayHost, const std::string& projectFilter);

// Strips structural tags (tr, table, html, body, title, and any first tag
// whose upper-cased text contains one of those words) from the start of each
// line, and deletes the lines that held nothing else.
void CleanHtml(std::vector<std::string>& lines);

// Turns each line's "<td>...</td>" cells into a grid row (the line index) and
// a device of the list. Line 0 is the table's heading and is skipped. Stops
// once the round holds the state's device limit, as the datagram road does.
void PhaseItem(DiscoveryState& state, std::vector<std::string>& lines);

// Splits a page's text into lines at CR, LF or CR LF; the text ends at its
// first zero byte. Pages of at most four lines that say "No available items"
// give no lines.
std::vector<std::string> RelayPageLines(std::string_view page);

} // namespace Discovery
