// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_grid.h"
#include "discovery/device_info.h"
#include "discovery/log_sink.h"

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
    // devices appended.
    int ParserPlainPkg(std::span<const char> buffer, std::size_t bound);

    // True when the project filter lets a device of project `proj` into the grid.
    bool PassesProjectFilter(std::string_view proj) const;

    // Empties the device list and the grid for a new round.
    void clearForRound();

private:
    LogSink& m_log;
};

// Writes the seven grid columns of a device into row `row`.
void FillGridRow(DeviceGrid& grid, int row, const DeviceInfo& info);

} // namespace Discovery
