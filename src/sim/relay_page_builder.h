// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

// What a relay page says when no device matches.
inline constexpr std::string_view kNoItemsText = "No available items";
// The project filter text that lists every device.
inline constexpr std::string_view kAllDeviceTypes = "ALL";

// The devices a relay lists for `deviceType`: all of them for "ALL", else
// those whose project is exactly that text.
std::vector<Discovery::DeviceInfo> DevicesOfType(std::span<const Discovery::DeviceInfo> devices,
                                                 std::string_view deviceType);

// A field's text as page text: "&", "<", ">" and line breaks become
// character references, so no value can end its cell or its line early.
std::string CellText(std::string_view text);

// One table row on a line of its own: "<tr>", the seven cells (model,
// project, name, ip, port, netmask, mac) and "</tr>".
std::string RelayPageRow(const Discovery::DeviceInfo& device);

// The page around the rows. Each structural tag (html, body, table) stands on
// a line of its own, so the program drops those lines whole, and the heading
// row comes first after them.
std::string RelayPageHead();
std::string RelayPageTail();

// The page for `devices`; the "No available items" page when there are none.
std::string BuildRelayPage(std::span<const Discovery::DeviceInfo> devices);

// Three lines that say there is no device.
std::string NoItemsPage();

// Filler row `number` (from 1) of an oversized page: a well-formed device of
// the project "Filler" whose name carries the number.
Discovery::DeviceInfo FillerDevice(int number);

// Filler rows numbered from 1, at least `bytes` long in total.
std::string FillerRows(std::size_t bytes);

} // namespace Sim
