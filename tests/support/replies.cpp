// SPDX-License-Identifier: MIT
#include "replies.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"

#include <gtest/gtest.h>

namespace TestSupport {

std::string Reply(const std::string& model, const std::string& ip, const std::string& mac,
                  const std::string& port, const std::string& proj)
{
    return "Kestravon,01," + model + "," + proj + ",Hall," + ip + "," + port +
           ",255.255.255.0,10.0.0.254,10.0.0.253," + mac + ",eth0,note";
}

Discovery::DeviceInfo Device(const std::string& model, const std::string& ip, const std::string& mac,
                             const std::string& port, const std::string& proj)
{
    Discovery::DeviceInfo info{};
    Discovery::NullLog quiet;
    EXPECT_EQ(Discovery::ParsePacket(Reply(model, ip, mac, port, proj), info, quiet), 1);
    return info;
}

std::string Buffer(const std::vector<std::string>& packets)
{
    std::string buffer;
    for (const std::string& p : packets)
        buffer += p + '\0';
    return buffer;
}

void Feed(Discovery::DiscoveryState& state, const std::vector<std::string>& packets, unsigned arrival)
{
    const std::string buffer = Buffer(packets);
    state.ParserPlainPkg(std::span<const char>(buffer.data(), buffer.size()), buffer.size(), arrival);
}

std::vector<std::string> Column(const Discovery::DeviceGrid& grid, int column)
{
    std::vector<std::string> texts;
    for (int r = 1; r < grid.gridRowCount(); ++r)
        texts.push_back(grid.cell(column, r));
    return texts;
}

int RowWith(const Discovery::DeviceGrid& grid, int column, const std::string& text)
{
    for (int r = 1; r < grid.gridRowCount(); ++r)
        if (grid.cell(column, r) == text)
            return r;
    return 0;
}

} // namespace TestSupport
