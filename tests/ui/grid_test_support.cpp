// SPDX-License-Identifier: MIT
#include "grid_test_support.h"

namespace UiTest {

std::string Reply(const std::string& model, const std::string& ip, const std::string& mac,
                  const std::string& port, const std::string& proj)
{
    return "Kestravon,01," + model + "," + proj + ",cam-" + model + "," + ip + "," + port +
           ",255.255.255.0,10.0.0.254,10.0.0.253," + mac + ",eth0,note";
}

std::string Buffer(std::initializer_list<std::string> packets)
{
    std::string buffer;
    for (const std::string& p : packets)
        buffer += p + '\0';
    return buffer;
}

void Feed(Discovery::DiscoveryState& state, std::initializer_list<std::string> packets)
{
    const std::string buffer = Buffer(packets);
    state.ParserPlainPkg(std::span(buffer.data(), buffer.size()), buffer.size());
}

std::vector<std::string> Column(const Discovery::DeviceGrid& grid, int column)
{
    std::vector<std::string> texts;
    for (int r = 1; r < grid.gridRowCount(); ++r)
        texts.push_back(grid.cell(column, r));
    return texts;
}

} // namespace UiTest
