// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace Upnp {

using Milliseconds = std::chrono::milliseconds;

// How one UPnP search runs. The program always uses the defaults; tests pick
// the interfaces (a namespace's own, or none) and shorter or longer times.
struct UpnpSearchOptions {
    // Devices spread their answers over MX seconds; 1 is the least the
    // protocol allows and keeps the answer window short.
    int mx = 1;
    // Extra M-SEARCH sends after the first, counted from the start, against
    // a lost datagram on a busy segment.
    std::vector<Milliseconds> rescans = {Milliseconds(150), Milliseconds(450)};
    // The search never ends before this, so devices that wait out most of
    // their MX delay still get heard ...
    Milliseconds minimum{1000};
    // ... then ends once every answering device's description has been read
    // and nothing new has come for this long ...
    Milliseconds quiet{350};
    // ... and in any case here, even when a device answers but never serves
    // its description.
    Milliseconds maximum{3500};
    // Interface names to search on. Unset: every IPv4 interface that is up,
    // loopback left out. Empty: none (the search ends without network).
    std::optional<std::vector<std::string>> interfaces;
};

// Why a search ended.
enum class SearchEnd { Quiet, Limit, Cancelled };

// What the last search saw; for the benchmark and for tests.
struct SearchStats {
    Milliseconds elapsed{0};
    int interfaces = 0;  // control points that ran
    int answered = 0;    // distinct root devices that answered
    int read = 0;        // distinct root devices whose description was read
    int kept = 0;        // of those, AXIS and Vivotek devices
    SearchEnd end = SearchEnd::Quiet;
};

} // namespace Upnp
