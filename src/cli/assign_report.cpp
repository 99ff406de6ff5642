// SPDX-License-Identifier: MIT
#include "cli/assign_report.h"

#include "cli/device_output.h"
#include "discovery/network_interfaces.h"

#include <algorithm>

namespace Cli {

namespace {

using Discovery::Assignment;
using Discovery::SkippedAddress;

constexpr char kSkippedStatus[] = "skipped";

std::string Seconds(const Assignment& a)
{
    return a.seconds ? std::to_string(*a.seconds) : std::string();
}

std::vector<std::string> DeviceCells(const Assignment& a)
{
    return {std::string(Discovery::FieldText(a.device.mac)), std::string(Discovery::FieldText(a.device.name)),
            std::string(Discovery::FieldText(a.device.ip)),  a.ip,
            std::string(Discovery::AssignStatusName(a.status)), Seconds(a)};
}

// Rows in columns two blanks apart; the last column is not padded.
std::string Aligned(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths;
    for (const auto& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += row[c] + (c + 1 < row.size() ? std::string(widths[c] - Width(row[c]) + 2, ' ') : "");
        out += line + '\n';
    }
    return out;
}

std::string Table(const std::vector<Assignment>& devices, const std::vector<SkippedAddress>& skipped)
{
    std::vector<std::vector<std::string>> rows = {{"MAC", "Name", "IP", "New IP", "Status", "Seconds"}};
    for (const Assignment& a : devices)
        rows.push_back(DeviceCells(a));
    std::string out = Aligned(rows);
    if (skipped.empty())
        return out;
    rows = {{"Skipped", "Reason"}};
    for (const SkippedAddress& s : skipped)
        rows.push_back({Discovery::AddressText(s.address), s.reason});
    return out + '\n' + Aligned(rows);
}

std::string Csv(const std::vector<Assignment>& devices, const std::vector<SkippedAddress>& skipped)
{
    std::string out = "mac,name,ip,new_ip,status,seconds,reason\n";
    for (const Assignment& a : devices) {
        for (const std::string& cell : DeviceCells(a))
            out += CsvField(cell) + ',';
        out += '\n';
    }
    for (const SkippedAddress& s : skipped)
        out += ",," + Discovery::AddressText(s.address) + ",," + kSkippedStatus + ",," + CsvField(s.reason) + '\n';
    return out;
}

std::string Json(const std::vector<Assignment>& devices, const std::vector<SkippedAddress>& skipped)
{
    std::string out = "{\"devices\": [";
    for (std::size_t d = 0; d < devices.size(); ++d) {
        const Assignment& a = devices[d];
        out += std::string(d == 0 ? "\n  " : ",\n  ") + "{\"mac\": " + JsonString(Discovery::FieldText(a.device.mac)) +
               ", \"name\": " + JsonString(Discovery::FieldText(a.device.name)) +
               ", \"ip\": " + JsonString(Discovery::FieldText(a.device.ip)) + ", \"new_ip\": " + JsonString(a.ip) +
               ", \"status\": " + JsonString(Discovery::AssignStatusName(a.status)) +
               ", \"seconds\": " + (a.seconds ? std::to_string(*a.seconds) : "null") + "}";
    }
    out += devices.empty() ? "],\n \"skipped\": [" : "\n ],\n \"skipped\": [";
    for (std::size_t s = 0; s < skipped.size(); ++s)
        out += std::string(s == 0 ? "\n  " : ",\n  ") + "{\"ip\": " +
               JsonString(Discovery::AddressText(skipped[s].address)) + ", \"reason\": " +
               JsonString(skipped[s].reason) + "}";
    return out + (skipped.empty() ? "]}\n" : "\n ]}\n");
}

} // namespace

std::string FormatAssignReport(const std::vector<Assignment>& devices, const std::vector<SkippedAddress>& skipped,
                               OutputFormat format)
{
    switch (format) {
    case OutputFormat::Csv: return Csv(devices, skipped);
    case OutputFormat::Json: return Json(devices, skipped);
    case OutputFormat::Table: break;
    }
    return Table(devices, skipped);
}

} // namespace Cli
