// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_grid.h"
#include "discovery/device_info.h"
#include "discovery/discovery_state.h"
#include "discovery/log_sink.h"
#include "discovery/search_round.h"
#include "ui/dialog_message_box.h"

#include <functional>

class QDialog;
class QWidget;

namespace Gui {

// What the grid's pop-up entries need beyond the main window's state. The
// program leaves every member at its default; tests take the modal showing
// and the message boxes over, and point the package at loopback.
struct DeviceMenuHooks {
    // Shows a built and filled dialog modally; by default QDialog::exec().
    std::function<void(QDialog& dialog)> showModal;
    // The dialogs' message boxes; by default real modal boxes.
    MessageBoxHook messageBox;
    // Where the network setup's package goes.
    Discovery::NetworkEndpoints endpoints;
    // Opens the UPnP detail dialogs for a row of the UPnP search, once per
    // matching device record. Nothing opens while it is empty.
    std::function<void(const Discovery::DeviceInfo& device)> openUpnpDetail;
    // Shows the commissioning dialog; by default open(), which returns at once.
    std::function<void(QDialog& dialog)> showAssign;
};

// "Network Setup": one network setup dialog for each device record the
// selected row stands for, one after the other.
void NetworkSetup(QWidget* mainWindow, Discovery::DiscoveryState& state, int selectedRow,
                  const Discovery::SearchSettings& settings, Discovery::LogSink& memo,
                  const DeviceMenuHooks& hooks = {});

// "Detail info.": one detail dialog for each device record the selected row
// stands for, or the UPnP detail for a row of the UPnP search.
void DetailInfo(QWidget* mainWindow, const Discovery::DiscoveryState& state, int selectedRow,
                Discovery::LogSink& memo, const DeviceMenuHooks& hooks = {});

// Whether "Network Setup" is offered for the selected row: not for a row
// whose Netmask cell holds "NULL" (the UPnP search's rows).
bool NetworkSetupEnabled(const Discovery::DeviceGrid& grid, int selectedRow);

} // namespace Gui
