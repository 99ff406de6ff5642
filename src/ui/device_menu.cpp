// SPDX-License-Identifier: MIT
#include "ui/device_menu.h"

#include "ui/form_info.h"
#include "ui/net_form.h"

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Gui {

namespace {

using Discovery::DeviceGrid;
using Discovery::DeviceInfo;

// The row's IP and MAC texts, copied: the grid may change while a dialog
// is open.
struct SelectedRow {
    std::string ip;
    std::string mac;
};

// A selected row at or past the row count is no row at all: the list may
// have shrunk since the row was picked.
std::optional<SelectedRow> RowAt(const DeviceGrid& grid, int selectedRow)
{
    if (selectedRow < 1 || selectedRow >= grid.gridRowCount())
        return std::nullopt;
    return SelectedRow{grid.cell(DeviceGrid::kIpColumn, selectedRow), grid.cell(DeviceGrid::kMacColumn, selectedRow)};
}

// The records the row stands for, copied before any dialog opens: while a
// dialog is modal the UPnP results may still append to the device list.
std::vector<DeviceInfo> MatchingRecords(const std::vector<DeviceInfo>& devices, const SelectedRow& row)
{
    std::vector<DeviceInfo> matches;
    for (const DeviceInfo& device : devices)
        if (Discovery::FieldText(device.ip) == row.ip && Discovery::FieldText(device.mac) == row.mac)
            matches.push_back(device);
    return matches;
}

void ShowModal(QDialog& dialog, const DeviceMenuHooks& hooks)
{
    if (hooks.showModal)
        hooks.showModal(dialog);
    else
        dialog.exec();
}

} // namespace

void NetworkSetup(QWidget* mainWindow, Discovery::DiscoveryState& state, int selectedRow,
                  const Discovery::SearchSettings& settings, Discovery::LogSink& memo,
                  const DeviceMenuHooks& hooks)
{
    const std::optional<SelectedRow> row = RowAt(state.grid, selectedRow);
    if (!row)
        return;
    // The UPnP search's rows have no device that understands the package.
    if (Discovery::MarksUpnpRow(row->mac))
        return;
    for (const DeviceInfo& device : MatchingRecords(state.devices, *row)) {
        memo.append(row->ip + '\n');
        TNetForm form(mainWindow, memo);
        if (hooks.messageBox)
            form.setMessageBox(hooks.messageBox);
        form.setSendRoute(settings, state.arrivalInterface(device), hooks.endpoints);
        form.Fill(device);
        ShowModal(form, hooks);
    }
}

void DetailInfo(QWidget* mainWindow, const Discovery::DiscoveryState& state, int selectedRow,
                Discovery::LogSink& memo, const DeviceMenuHooks& hooks)
{
    const std::optional<SelectedRow> row = RowAt(state.grid, selectedRow);
    if (!row)
        return;
    const bool upnpRow = Discovery::MarksUpnpRow(row->mac);
    for (const DeviceInfo& device : MatchingRecords(state.devices, *row)) {
        if (upnpRow) {
            // The UPnP records are matched by the address inside their
            // presentation URL, which an empty address would find in all.
            if (Discovery::FieldText(device.ip).empty())
                continue;
            if (hooks.openUpnpDetail)
                hooks.openUpnpDetail(device);
            continue;
        }
        memo.append(row->ip + '\n');
        TFormInfo form(mainWindow);
        form.Fill(device);
        ShowModal(form, hooks);
    }
}

bool NetworkSetupEnabled(const Discovery::DeviceGrid& grid, int selectedRow)
{
    return !Discovery::MarksUpnpRow(grid.cell(DeviceGrid::kNetmaskColumn, selectedRow));
}

} // namespace Gui
