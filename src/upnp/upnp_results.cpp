// SPDX-License-Identifier: MIT
#include "upnp/upnp_results.h"

#include "discovery/project_filter.h"
#include "upnp/port_forward_engine.h"

namespace Upnp {

namespace {

using Discovery::CopyToField;
using Discovery::DeviceGrid;
using Discovery::DeviceInfo;

constexpr std::string_view kNull = "NULL";
constexpr std::string_view kAxisSeries = "Axis 200 Series";
constexpr std::string_view kVivotekSeries = "VivoTek 7000 Series";

} // namespace

FilterAction UpnpFilterAction(std::string_view projectFilter)
{
    switch (Discovery::KindOfFilter(projectFilter)) {
    case Discovery::FilterKind::Upnp:
        return FilterAction::ClearRows;
    case Discovery::FilterKind::All:
        return FilterAction::KeepRows;
    case Discovery::FilterKind::Project:
        break;
    }
    return FilterAction::EndEarly;
}

DeviceInfo PreparedUpnpRecord()
{
    DeviceInfo record{};
    CopyToField(record.netmask, kNull);
    CopyToField(record.gateway, kNull);
    CopyToField(record.dns, kNull);
    CopyToField(record.mac, kNull);
    CopyToField(record.dev, kNull);
    CopyToField(record.note, kNull);
    return record;
}

bool MapUpnpDevice(const UpnpDeviceInfo& device, DeviceInfo& working)
{
    std::string_view series;
    std::string_view name;
    if (device.manufacturer_name.find("AXIS") != std::string::npos) {
        series = kAxisSeries;
        name = device.description;
    } else if (device.manufacturer_name.find("Vivotek") != std::string::npos) {
        const std::size_t bracket = device.friendly_name.find('(');
        if (bracket == std::string::npos)
            return false;
        series = kVivotekSeries;
        name = std::string_view(device.friendly_name).substr(0, bracket);
    } else {
        return false;
    }
    const std::optional<HostPort> where = PresentationHostPort(device.presentation_url);
    if (!where)
        return false;
    CopyToField(working.model, series);
    CopyToField(working.proj, series);
    CopyToField(working.name, name);
    CopyToField(working.ip, where->ip);
    CopyToField(working.trigger_port, where->port);
    return true;
}

int CloseUpnpRound(DeviceGrid& grid)
{
    grid.setFixedRows(1);
    if (grid.gridRowCount() <= 1) {
        grid.setGridRowCount(2);
        return 0;
    }
    return grid.gridRowCount() - 1;
}

ResultsOutcome ApplyUpnpResults(Discovery::DiscoveryState& state, std::span<const UpnpDeviceInfo> devices)
{
    DeviceInfo working = PreparedUpnpRecord();
    switch (UpnpFilterAction(state.projectFilter)) {
    case FilterAction::EndEarly:
        return {ResultsEnd::EndedEarly, 0};
    case FilterAction::ClearRows:
        state.grid.setGridRowCount(1);
        break;
    case FilterAction::KeepRows:
        break;
    }
    for (const UpnpDeviceInfo& device : devices) {
        if (!MapUpnpDevice(device, working))
            continue;
        state.appendDevice(working);
        const int row = state.grid.gridRowCount();
        state.grid.setGridRowCount(row + 1);
        Discovery::FillGridRow(state.grid, row, working);
    }
    return {ResultsEnd::Done, CloseUpnpRound(state.grid)};
}

} // namespace Upnp
