// SPDX-License-Identifier: MIT
#include "discovery/discovery_state.h"

#include "discovery/packet.h"

#include <algorithm>

namespace Discovery {

DiscoveryState::DiscoveryState(LogSink& log) : m_log(log) {}

bool DiscoveryState::PassesProjectFilter(std::string_view proj) const
{
    return proj == projectFilter || projectFilter == "ALL";
}

void FillGridRow(DeviceGrid& grid, int row, const DeviceInfo& info)
{
    grid.setCell(DeviceGrid::kModelColumn, row, FieldText(info.model));
    grid.setCell(DeviceGrid::kProjectColumn, row, FieldText(info.proj));
    grid.setCell(DeviceGrid::kNameColumn, row, FieldText(info.name));
    grid.setCell(DeviceGrid::kIpColumn, row, FieldText(info.ip));
    grid.setCell(DeviceGrid::kPortColumn, row, FieldText(info.trigger_port));
    grid.setCell(DeviceGrid::kNetmaskColumn, row, FieldText(info.netmask));
    grid.setCell(DeviceGrid::kMacColumn, row, FieldText(info.mac));
}

int DiscoveryState::ParserPlainPkg(std::span<const char> buffer, std::size_t bound, unsigned arrivalInterface)
{
    bound = std::min(bound, buffer.size());
    int added = 0;
    std::size_t offset = 0;
    do {
        const auto rest = buffer.subspan(offset);
        const auto nul = std::find(rest.begin(), rest.end(), '\0');
        const std::string_view packet(rest.data(), static_cast<std::size_t>(nul - rest.begin()));

        DeviceInfo info{};
        if (ParsePacket(packet, info, m_log) == 1) {
            const bool duplicate = std::any_of(devices.begin(), devices.end(), [&](const DeviceInfo& d) {
                return FieldText(d.ip) == FieldText(info.ip) && FieldText(d.mac) == FieldText(info.mac);
            });
            if (!duplicate) {
                devices.push_back(info);
                ++added;
                if (arrivalInterface != 0)
                    m_arrival[{std::string(FieldText(info.ip)), std::string(FieldText(info.mac))}] = arrivalInterface;
                if (PassesProjectFilter(FieldText(info.proj))) {
                    grid.setGridRowCount(std::max(grid.gridRowCount(), nextRow + 1));
                    FillGridRow(grid, nextRow, info);
                    ++nextRow;
                    grid.setGridRowCount(nextRow);
                }
            }
        }
        offset += packet.size() + 1;
    } while (offset < bound && buffer[offset] != '\0');
    return added;
}

unsigned DiscoveryState::arrivalInterface(const DeviceInfo& info) const
{
    const auto found = m_arrival.find({std::string(FieldText(info.ip)), std::string(FieldText(info.mac))});
    return found == m_arrival.end() ? 0 : found->second;
}

void DiscoveryState::clearForRound()
{
    devices.clear();
    m_arrival.clear();
    nextRow = 1;
    grid.clearDataCells();
    grid.setGridRowCount(1);
}

} // namespace Discovery
