// SPDX-License-Identifier: MIT
#include "discovery/discovery_state.h"

#include "discovery/framing.h"
#include "discovery/packet.h"
#include "discovery/project_filter.h"

#include <algorithm>

namespace Discovery {

namespace {

// ip and mac joined by a NUL, which neither field text can hold.
std::string DeviceKey(const DeviceInfo& info)
{
    std::string key(FieldText(info.ip));
    key += '\0';
    key += FieldText(info.mac);
    return key;
}

} // namespace

DiscoveryState::DiscoveryState(LogSink& log) : m_log(log) {}

void DiscoveryState::syncIndex()
{
    if (devices.size() < m_indexed) {
        m_index.clear();
        m_indexed = 0;
    }
    for (; m_indexed < devices.size(); ++m_indexed)
        m_index.emplace(DeviceKey(devices[m_indexed]), 0u);
}

void DiscoveryState::appendDevice(const DeviceInfo& info, unsigned arrivalInterface)
{
    syncIndex();
    devices.push_back(info);
    m_index.emplace(DeviceKey(info), arrivalInterface);
    m_indexed = devices.size();
}

bool DiscoveryState::isListed(const DeviceInfo& info) const
{
    return m_index.find(DeviceKey(info)) != m_index.end();
}

void DiscoveryState::clearDevices()
{
    devices.clear();
    m_index.clear();
    m_indexed = 0;
}

bool DiscoveryState::PassesProjectFilter(std::string_view proj) const
{
    return Discovery::PassesProjectFilter(projectFilter, proj);
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

bool DiscoveryState::AddReplyPacket(std::string_view packet, unsigned arrivalInterface)
{
    if (deviceLimitReached())
        return false; // the round keeps no more
    syncIndex();
    DeviceInfo info{};
    if (ParsePacket(packet, info, m_parseLog) != 1 || isListed(info))
        return false;
    appendDevice(info, arrivalInterface);
    countRoundDevice();
    if (PassesProjectFilter(FieldText(info.proj))) {
        grid.setGridRowCount(std::max(grid.gridRowCount(), nextRow + 1));
        FillGridRow(grid, nextRow, info);
        ++nextRow;
        grid.setGridRowCount(nextRow);
    }
    return true;
}

int DiscoveryState::ParserPlainPkg(std::span<const char> buffer, std::size_t bound, unsigned arrivalInterface)
{
    bound = std::min(bound, buffer.size());
    syncIndex();
    int added = 0;
    std::size_t offset = 0;
    do {
        if (deviceLimitReached())
            break; // the round keeps no more; the rest is dropped unread
        const auto rest = buffer.subspan(offset);
        const auto nul = std::find(rest.begin(), rest.end(), '\0');
        const std::string_view packet(rest.data(), static_cast<std::size_t>(nul - rest.begin()));
        if (AddReplyPacket(packet, arrivalInterface))
            ++added;
        offset += packet.size() + 1;
    } while (offset < bound && buffer[offset] != '\0');
    return added;
}

int DiscoveryState::ParseFramedReply(std::string_view framed, unsigned arrivalInterface)
{
    if (m_decode.empty())
        m_decode.resize(kDatagramBufferSize);
    const std::size_t bound = std::min(framed.size(), m_decode.size() - 1);
    std::fill_n(m_decode.begin(), bound + 1, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(m_decode.data());
    // The last byte stays zero: the plain text is always terminated.
    const std::size_t n = Base64Decode(std::span(out, m_decode.size() - 1), framed);
    InvertBytes(out, n);
    return ParserPlainPkg(m_decode, framed.size(), arrivalInterface);
}

void DiscoveryState::countRoundDevice()
{
    if (++m_roundReplyDevices == deviceLimit)
        m_log.appendf("Device limit of %zu reached; further replies ignored\n", deviceLimit);
}

unsigned DiscoveryState::arrivalInterface(const DeviceInfo& info) const
{
    const auto found = m_index.find(DeviceKey(info));
    return found == m_index.end() ? 0 : found->second;
}

void DiscoveryState::finishRound()
{
    m_parseLog.flushRepeats();
}

void DiscoveryState::clearForRound()
{
    m_parseLog.flushRepeats();
    clearDevices();
    m_roundReplyDevices = 0;
    nextRow = 1;
    grid.clearDataCells();
    grid.setGridRowCount(1);
}

} // namespace Discovery
