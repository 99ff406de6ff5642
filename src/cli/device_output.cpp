// SPDX-License-Identifier: MIT
#include "cli/device_output.h"

#include "discovery/device_markers.h"
#include "resources/dvconst.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <utility>

namespace Cli {

using Discovery::DeviceGrid;

namespace {

std::array<std::string, DeviceGrid::kColumnCount> HeaderTexts()
{
    const std::array<Dvconst::ResourceString, DeviceGrid::kColumnCount> keys = {
        Dvconst::_MODEL, Dvconst::_PROJECT, Dvconst::_NAME, Dvconst::_IP,
        Dvconst::_PORT, Dvconst::_NETMASK, Dvconst::_MAC};
    std::array<std::string, DeviceGrid::kColumnCount> texts;
    for (std::size_t c = 0; c < keys.size(); ++c)
        texts[c] = Dvconst::LoadResString(keys[c]).toStdString();
    return texts;
}

std::string CountLine(int shownRows)
{
    const QString text = shownRows > 0 ? Dvconst::DeviceCountText(shownRows)
                                       : Dvconst::LoadResString(Dvconst::_ZERO_DEVICE_FOUND);
    return text.toStdString();
}

} // namespace

// Display width of UTF-8 text, counted in code points.
std::size_t Width(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
                                                  [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// A JSON string; bytes that are not UTF-8 become U+FFFD so the output stays valid.
std::string JsonString(std::string_view bytes)
{
    const std::string text =
        QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + '"';
}

std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters)
{
    const std::vector<std::string> warnings = RowWarnings(state, shownRows, adapters);
    const bool anyWarning = std::any_of(warnings.begin() + 1, warnings.end(), [](auto& w) { return !w.empty(); });
    std::vector<std::array<std::string, DeviceGrid::kColumnCount>> rows = {HeaderTexts()};
    for (int r = 1; r <= shownRows; ++r)
        rows.push_back(state.grid.row(r));
    std::array<std::size_t, DeviceGrid::kColumnCount> widths{};
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], Width(row[c]));

    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size())
                line += std::string(widths[c] - Width(row[c]) + 2, ' ');
        }
        // Only then a last column, so a plain table stays as it was.
        if (anyWarning) {
            const std::size_t r = static_cast<std::size_t>(&row - rows.data());
            line += std::string(widths.back() - Width(row.back()) + 2, ' ') + warnings[r];
        }
        out += line + '\n';
    }
    return out + CountLine(shownRows) + '\n';
}

std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters)
{
    const std::vector<std::string> warnings = RowWarnings(state, shownRows, adapters);
    std::string out;
    const auto writeRow = [&](const auto& row, int r) {
        for (std::size_t c = 0; c < row.size(); ++c)
            out += CsvField(row[c]) + ",";
        out += CsvField(warnings[static_cast<std::size_t>(r)]) + "\n";
    };
    writeRow(HeaderTexts(), 0);
    for (int r = 1; r <= shownRows; ++r)
        writeRow(state.grid.row(r), r);
    return out;
}

std::vector<std::vector<std::string>> DeviceWarnings(const Discovery::DiscoveryState& state,
                                                     const Adapters& adapters)
{
    std::vector<std::vector<std::string>> names;
    for (const auto& markers : Discovery::RoundMarkers(state, adapters)) {
        std::vector<std::string>& device = names.emplace_back();
        for (const Discovery::DeviceMarker m : markers)
            device.emplace_back(Discovery::MarkerName(m));
    }
    return names;
}

std::vector<std::vector<std::string>> WarningsOf(const Discovery::DiscoveryState& state,
                                                 const std::vector<const Discovery::DeviceInfo*>& devices,
                                                 const Adapters& adapters)
{
    const std::vector<std::vector<std::string>> all = DeviceWarnings(state, adapters);
    std::vector<std::vector<std::string>> warnings;
    for (const Discovery::DeviceInfo* device : devices)
        warnings.push_back(all[static_cast<std::size_t>(device - state.devices.data())]);
    return warnings;
}

std::vector<std::string> RowWarnings(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters)
{
    // A row stands for the devices with its ip and mac, which share their markers.
    const std::vector<std::vector<std::string>> byDevice = DeviceWarnings(state, adapters);
    std::map<std::pair<std::string_view, std::string_view>, std::string> byKey;
    for (std::size_t d = 0; d < state.devices.size(); ++d) {
        std::string joined;
        for (const std::string& w : byDevice[d])
            joined += (joined.empty() ? "" : " ") + w;
        byKey.emplace(std::pair{Discovery::FieldText(state.devices[d].ip), Discovery::FieldText(state.devices[d].mac)},
                      joined);
    }
    std::vector<std::string> rows = {kWarningsHeading};
    for (int r = 1; r <= shownRows; ++r) {
        const auto found = byKey.find({state.grid.cell(DeviceGrid::kIpColumn, r), state.grid.cell(DeviceGrid::kMacColumn, r)});
        rows.push_back(found == byKey.end() ? std::string() : found->second);
    }
    return rows;
}

std::vector<const Discovery::DeviceInfo*> ShownDevices(const Discovery::DiscoveryState& state, int shownRows)
{
    // Grid rows by the cells that match them back to the list, counted: two
    // cameras behind one address give two rows and take two records.
    std::map<std::pair<std::string, std::string>, int> rows;
    for (int r = 1; r <= shownRows && r < state.grid.gridRowCount(); ++r)
        ++rows[{state.grid.cell(DeviceGrid::kIpColumn, r), state.grid.cell(DeviceGrid::kMacColumn, r)}];
    std::vector<const Discovery::DeviceInfo*> shown;
    for (const Discovery::DeviceInfo& device : state.devices) {
        const auto row = rows.find({std::string(Discovery::FieldText(device.ip)),
                                    std::string(Discovery::FieldText(device.mac))});
        if (row == rows.end() || row->second == 0)
            continue;
        --row->second;
        shown.push_back(&device);
    }
    return shown;
}

std::string DeviceJson(const Discovery::DeviceInfo& device, const std::vector<std::string>& warnings)
{
    std::string out = "{";
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f) {
        out += f == 0 ? "" : ", ";
        out += JsonString(Discovery::kDeviceFieldNames[static_cast<std::size_t>(f)]) + ": " +
               JsonString(Discovery::FieldText(Discovery::FieldAt(device, f)));
    }
    out += ", \"warnings\": [";
    for (std::size_t w = 0; w < warnings.size(); ++w)
        out += (w == 0 ? "" : ", ") + JsonString(warnings[w]);
    return out + "]}";
}

std::string FormatJson(const Discovery::DiscoveryState& state, int shownRows, const Adapters& adapters)
{
    // Fields in record order, one device per line.
    const std::vector<const Discovery::DeviceInfo*> devices = ShownDevices(state, shownRows);
    const std::vector<std::vector<std::string>> warnings = WarningsOf(state, devices, adapters);
    std::string out = "[";
    for (std::size_t d = 0; d < devices.size(); ++d)
        out += (d == 0 ? "\n  " : ",\n  ") + DeviceJson(*devices[d], warnings[d]);
    return out + (devices.empty() ? "]\n" : "\n]\n");
}

std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format,
                          const Adapters& adapters)
{
    switch (format) {
    case OutputFormat::Csv: return FormatCsv(state, shownRows, adapters);
    case OutputFormat::Json: return FormatJson(state, shownRows, adapters);
    case OutputFormat::Table: break;
    }
    return FormatTable(state, shownRows, adapters);
}

} // namespace Cli
