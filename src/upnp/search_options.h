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
    // protocol allows and keeps the answer window short. GSSDP itself sends
    // the M-SEARCH three times, 500 ms apart, against a lost datagram.
    int mx = 1;
    // The search never ends before this, counted from the first M-SEARCH:
    // one MX window, so every device that heard it has answered, and 50 ms
    // more for the last answer's way here (a device may answer at the very
    // end of its window, and a busy camera or PC is a little late). Then it
    // ends as soon as every answering device's description has been read
    // (no quiet period: answers to the repeated M-SEARCHes come from devices
    // already seen, and a wait for them would cost every round) ...
    Milliseconds minimum{1050};
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
    int oversized = 0;   // descriptions skipped for going past the cap
    int unreadable = 0;  // descriptions that failed, or were no description
    SearchEnd end = SearchEnd::Quiet;
};

} // namespace Upnp
