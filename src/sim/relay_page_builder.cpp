// SPDX-License-Identifier: MIT
#include "sim/relay_page_builder.h"

#include <array>
#include <cstdio>

namespace Sim {

using Discovery::DeviceInfo;
using Discovery::FieldText;

namespace {

// The seven columns of the relay's table, in the order the program reads them.
constexpr std::array<int, 7> kRowFields = {Discovery::kModel, Discovery::kProj,   Discovery::kName,
                                           Discovery::kIp,    Discovery::kTriggerPort,
                                           Discovery::kNetmask, Discovery::kMac};
constexpr std::array<std::string_view, 7> kHeadings = {"Model", "Project", "Name", "IP",
                                                       "Port",  "Netmask", "MAC"};

void AppendCell(std::string& row, std::string_view text)
{
    row += "<td>";
    row += CellText(text);
    row += "</td>";
}

} // namespace

std::vector<DeviceInfo> DevicesOfType(std::span<const DeviceInfo> devices, std::string_view deviceType)
{
    if (deviceType == kAllDeviceTypes)
        return {devices.begin(), devices.end()};
    std::vector<DeviceInfo> listed;
    for (const DeviceInfo& device : devices)
        if (FieldText(device.proj) == deviceType)
            listed.push_back(device);
    return listed;
}

std::string CellText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += "&#10;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string RelayPageRow(const DeviceInfo& device)
{
    std::string row = "<tr>";
    for (const int field : kRowFields)
        AppendCell(row, FieldText(Discovery::FieldAt(device, field)));
    // The closing tag keeps the line from emptying once its cells are read,
    // which would put the next row's values into the same grid row.
    row += "</tr>\n";
    return row;
}

std::string RelayPageHead()
{
    std::string head = "<!DOCTYPE html>\n<html>\n<body>\n<table border=\"1\">\n<tr>";
    for (const std::string_view heading : kHeadings)
        AppendCell(head, heading);
    head += "</tr>\n";
    return head;
}

std::string RelayPageTail() { return "</table>\n</body>\n</html>\n"; }

std::string BuildRelayPage(std::span<const DeviceInfo> devices)
{
    if (devices.empty())
        return NoItemsPage();
    std::string page = RelayPageHead();
    for (const DeviceInfo& device : devices)
        page += RelayPageRow(device);
    page += RelayPageTail();
    return page;
}

std::string NoItemsPage()
{
    return "<html>\n<body>" + std::string(kNoItemsText) + "</body>\n</html>\n";
}

DeviceInfo FillerDevice(int number)
{
    DeviceInfo info{};
    const auto n = static_cast<unsigned>(number);
    char text[64];
    Discovery::CopyToField(info.model, "FILLER");
    Discovery::CopyToField(info.proj, "Filler");
    std::snprintf(text, sizeof text, "Filler %06u", n);
    Discovery::CopyToField(info.name, text);
    std::snprintf(text, sizeof text, "10.%u.%u.%u", (n >> 16) & 0xFFu, (n >> 8) & 0xFFu, n & 0xFFu);
    Discovery::CopyToField(info.ip, text);
    Discovery::CopyToField(info.trigger_port, "80");
    Discovery::CopyToField(info.netmask, "255.0.0.0");
    std::snprintf(text, sizeof text, "02:FE:00:%02X:%02X:%02X", (n >> 16) & 0xFFu, (n >> 8) & 0xFFu, n & 0xFFu);
    Discovery::CopyToField(info.mac, text);
    return info;
}

std::string FillerRows(std::size_t bytes)
{
    std::string rows;
    rows.reserve(bytes + 256);
    for (int number = 1; rows.size() < bytes; ++number)
        rows += RelayPageRow(FillerDevice(number));
    return rows;
}

} // namespace Sim
