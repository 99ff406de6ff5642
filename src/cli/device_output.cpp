// SPDX-License-Identifier: MIT
#include "cli/device_output.h"

#include "discovery/device_markers.h"
#include "resources/dvconst.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

namespace Cli {

using Discovery::DeviceGrid;

namespace {

using Row = std::vector<std::string>;

// The fields --all-fields adds after the grid's seven columns, with their headers.
constexpr std::array<int, 4> kExtraFields = {Discovery::kGateway, Discovery::kDns, Discovery::kDev, Discovery::kNote};

Row HeaderTexts(bool allFields)
{
    std::vector<const Dvconst::ResourceString*> keys(Dvconst::kGridHeaderKeys.begin(), Dvconst::kGridHeaderKeys.end());
    if (allFields)
        keys.insert(keys.end(), {&Dvconst::_GATEWAY, &Dvconst::_DNS, &Dvconst::_DEV, &Dvconst::_NOTE});
    Row texts;
    for (const Dvconst::ResourceString* key : keys)
        texts.push_back(Dvconst::LoadResString(*key).toStdString());
    return texts;
}

// The device behind each of the grid's first `shownRows` rows (null when none
// is listed), matched by the ip and mac cells; two rows with the same cells
// take the listed devices with them in list order.
std::vector<const Discovery::DeviceInfo*> RowDevices(const Discovery::DiscoveryState& state, int shownRows)
{
    std::map<std::pair<std::string, std::string>, std::vector<const Discovery::DeviceInfo*>> listed;
    for (const Discovery::DeviceInfo& device : state.devices)
        listed[{std::string(Discovery::FieldText(device.ip)), std::string(Discovery::FieldText(device.mac))}]
            .push_back(&device);
    std::map<std::pair<std::string, std::string>, std::size_t> taken;
    std::vector<const Discovery::DeviceInfo*> rows;
    for (int r = 1; r <= shownRows && r < state.grid.gridRowCount(); ++r) {
        const std::pair<std::string, std::string> key = {state.grid.cell(DeviceGrid::kIpColumn, r),
                                                         state.grid.cell(DeviceGrid::kMacColumn, r)};
        const auto found = listed.find(key);
        std::size_t& next = taken[key];
        rows.push_back(found != listed.end() && next < found->second.size() ? found->second[next++] : nullptr);
    }
    return rows;
}

// The rows table and CSV print: the grid's cells, with --all-fields the
// four further fields of the device behind each row, all made safe for a
// terminal.
std::vector<Row> ShownRows(const Discovery::DiscoveryState& state, int shownRows, bool allFields)
{
    std::vector<Row> rows = {HeaderTexts(allFields)};
    const std::vector<const Discovery::DeviceInfo*> devices =
        allFields ? RowDevices(state, shownRows) : std::vector<const Discovery::DeviceInfo*>{};
    for (int r = 1; r <= shownRows; ++r) {
        const DeviceGrid::Row& cells = state.grid.row(r);
        Row row;
        for (const std::string& cell : cells)
            row.push_back(TerminalText(cell));
        if (allFields) {
            const Discovery::DeviceInfo* device =
                static_cast<std::size_t>(r - 1) < devices.size() ? devices[static_cast<std::size_t>(r - 1)] : nullptr;
            for (int field : kExtraFields)
                row.push_back(device ? TerminalText(Discovery::FieldText(Discovery::FieldAt(*device, field))) : "");
        }
        rows.push_back(std::move(row));
    }
    return rows;
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

std::string TerminalText(std::string_view bytes)
{
    // The decoder already turns every sequence that is not UTF-8 into U+FFFD.
    QList<uint> points = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUcs4();
    for (uint& c : points) {
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);          // C0, DEL, C1
        const bool reorders = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069); // bidi overrides
        if (control || reorders)
            c = 0xFFFD;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size()).toStdString();
}

std::string FormatTable(const Discovery::DiscoveryState& state, int shownRows, bool allFields, const Adapters& adapters)
{
    std::vector<Row> rows = ShownRows(state, shownRows, allFields);
    // The markers' column only when a row has one, so a plain table stays as it was.
    const std::vector<std::string> warnings = RowWarnings(state, shownRows, adapters);
    if (std::any_of(warnings.begin() + 1, warnings.end(), [](const std::string& w) { return !w.empty(); }))
        for (std::size_t r = 0; r < rows.size(); ++r)
            rows[r].push_back(warnings[r]);
    std::vector<std::size_t> widths(rows.front().size());
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
        out += line + '\n';
    }
    return out + CountLine(shownRows) + '\n';
}

std::string FormatCsv(const Discovery::DiscoveryState& state, int shownRows, bool allFields, const Adapters& adapters)
{
    std::vector<Row> rows = ShownRows(state, shownRows, allFields);
    const std::vector<std::string> warnings = RowWarnings(state, shownRows, adapters);
    std::string out;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r].push_back(warnings[r]); // always last, so every other column keeps its place
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            out += CsvField(rows[r][c]) + (c + 1 < rows[r].size() ? "," : "\n");
    }
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
    std::vector<const Discovery::DeviceInfo*> shown = RowDevices(state, shownRows);
    std::erase(shown, nullptr);
    std::sort(shown.begin(), shown.end()); // all point into the list: this is list order
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

std::string FormatDevices(const Discovery::DiscoveryState& state, int shownRows, OutputFormat format, bool allFields,
                          const Adapters& adapters)
{
    switch (format) {
    case OutputFormat::Csv: return FormatCsv(state, shownRows, allFields, adapters);
    case OutputFormat::Json: return FormatJson(state, shownRows, adapters);
    case OutputFormat::Table: break;
    }
    return FormatTable(state, shownRows, allFields, adapters);
}

} // namespace Cli
