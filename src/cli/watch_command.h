// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "discovery/search_round.h"

#include <iosfwd>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace Cli {

// What changed between two rounds of `quendrel-cli watch`. A device is known
// by its ip and mac (however the MAC is spelt), a UPnP camera, whose MAC is
// "NULL", by its ip and port; it has changed when any other field differs,
// and it is gone after two rounds in a row without it (one lost reply is no
// reason).
class DeviceWatch {
public:
    enum class Event { Found, Changed, Gone };
    struct Change {
        Event event;
        Discovery::DeviceInfo device;
        std::vector<std::string> warnings; // the markers' names
    };

    // Rounds in a row a device may miss before it counts as gone.
    static constexpr int kMissesForGone = 2;

    // One round's devices (and, when given, each one's markers, which every
    // change carries as they stand then; they alone make no change);
    // returns what changed: found and changed devices in the round's order,
    // then the ones gone.
    std::vector<Change> update(const std::vector<const Discovery::DeviceInfo*>& round,
                               const std::vector<std::vector<std::string>>& warnings = {});

private:
    struct Known {
        Discovery::DeviceInfo device;
        int misses = 0;
        std::vector<std::string> warnings;
    };
    // ip, MAC, and the port for UPnP cameras (empty for the others).
    using Key = std::tuple<std::string, std::string, std::string>;
    static Key KeyOf(const Discovery::DeviceInfo& device);
    std::map<Key, Known> m_known;
};

// One change as a JSON line without its line feed:
// {"event":"found","device":{...},"time":"2026-01-31T12:00:00Z"}.
std::string ChangeLine(const DeviceWatch::Change& change, const std::string& isoTime);

// `quendrel-cli watch ...`: a round every --every seconds, one JSON line per
// change, until SIGINT or SIGTERM. Exit status 0, 2 for bad options.
int WatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const Discovery::NetworkEndpoints& endpoints = {});

} // namespace Cli
