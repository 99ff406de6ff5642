// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_grid.h"
#include "discovery/device_info.h"
#include "discovery/log_sink.h"
#include "discovery/protocol_constants.h"

#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace Discovery {

// What the main window owns for the device search: the device list, the
// grid it backs, the next-row counter, the project filter text and the log.
// The window and the CLI each hold one; every road of a search fills it.
class DiscoveryState {
public:
    explicit DiscoveryState(LogSink& log);

    // Append through appendDevice and empty through clearDevices, so the
    // index of ip and mac that finds repeats stays in step with the list.
    std::vector<DeviceInfo> devices;
    DeviceGrid grid;
    int nextRow = 1;
    // At most this many new devices per round from datagram replies or a
    // relay page; tests lower it.
    std::size_t deviceLimit = kRoundDeviceLimit;
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

    // One plain packet (without its NUL) as ParserPlainPkg takes each:
    // true when it was a device reply that made a new device.
    bool AddReplyPacket(std::string_view packet, unsigned arrivalInterface = 0);

    // A reply as it came off the wire: Base64-decoded, inverted back and
    // walked by ParserPlainPkg. Returns the number of devices appended.
    int ParseFramedReply(std::string_view framed, unsigned arrivalInterface = 0);

    // The adapter a listed device's reply arrived on, 0 when unknown.
    unsigned arrivalInterface(const DeviceInfo& info) const;

    // True when the project filter lets a device of project `proj` into the grid.
    bool PassesProjectFilter(std::string_view proj) const;

    // True once this round's replies brought `deviceLimit` new devices:
    // later replies are dropped unread.
    bool deviceLimitReached() const { return m_roundReplyDevices >= deviceLimit; }
    // Counts one new device of this round's replies or relay page; the one
    // that reaches `deviceLimit` writes the round's single log line about it.
    void countRoundDevice();

    // Appends a copy of `info` to the device list (relay pages and UPnP
    // results too), whether or not a listed device has its ip and mac.
    void appendDevice(const DeviceInfo& info, unsigned arrivalInterface = 0);
    // True when a listed device has the same ip and mac texts as `info`.
    bool isListed(const DeviceInfo& info) const;
    // Empties the device list (the grid is left as it is).
    void clearDevices();

    // Empties the device list and the grid for a new round.
    void clearForRound();
    // The round is over: the log gets the count of every line the replies
    // repeated (a malformed packet sent thousands of times is logged once).
    void finishRound();

private:
    // Brings the index up to date with devices appended or removed directly.
    void syncIndex();

    LogSink& m_log;
    RepeatFoldingLog m_parseLog{m_log};
    std::vector<char> m_decode;
    // Arrival adapter (0: unknown) by the ip and mac that make a device
    // unique; the first device listed with a key keeps its entry.
    std::unordered_map<std::string, unsigned> m_index;
    std::size_t m_indexed = 0; // devices[0 .. m_indexed) are in the index
    std::size_t m_roundReplyDevices = 0;
};

// Writes the seven grid columns of a device into row `row`.
void FillGridRow(DeviceGrid& grid, int row, const DeviceInfo& info);

} // namespace Discovery
