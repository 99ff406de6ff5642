// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_grid.h"
#include "discovery/device_info.h"
#include "discovery/log_sink.h"

#include <map>
#include <span>
#include <string>
#include <vector>

namespace Discovery {

// What the main window owns for the device search: the device list, the
// grid it backs, the next-row counter, the project filter text and the log.
// The window and the CLI each hold one; every road of a search fills it.
class DiscoveryState {
public:
    explicit DiscoveryState(LogSink& log);

    std::vector<DeviceInfo> devices;
    DeviceGrid grid;
    int nextRow = 1;
    // The text of the project filter box, as typed.
    std::string projectFilter = "ALL";
    // The program-wide sort direction of the grid (true: ascending). A round
    // that found devices sets it to false before its closing sort.
    bool sortAscending = true;

    LogSink& log() { return m_log; }

    // Walks the NUL-separated plain packets of a decoded buffer, appends new
    // device replies to the device list (new: no listed device has the same
    // ip and mac) and gives each one that passes the project filter a grid
    // row. Reads at most `bound` bytes of `buffer`. Returns the number of
    // devices appended. `arrivalInterface` is the index of the adapter the
    // buffer arrived on (0: unknown), remembered for each new device.
    int ParserPlainPkg(std::span<const char> buffer, std::size_t bound, unsigned arrivalInterface = 0);

    // The adapter a listed device's reply arrived on, 0 when unknown.
    unsigned arrivalInterface(const DeviceInfo& info) const;

    // True when the project filter lets a device of project `proj` into the grid.
    bool PassesProjectFilter(std::string_view proj) const;

    // Empties the device list and the grid for a new round.
    void clearForRound();

private:
    LogSink& m_log;
    // Arrival adapter by ip and mac, the key that makes a device unique.
    std::map<std::pair<std::string, std::string>, unsigned> m_arrival;
};

// Writes the seven grid columns of a device into row `row`.
void FillGridRow(DeviceGrid& grid, int row, const DeviceInfo& info);

} // namespace Discovery
