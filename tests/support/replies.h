// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "discovery/discovery_state.h"

#include <string>
#include <vector>

namespace TestSupport {

// One device reply as a device sends it, before framing.
std::string Reply(const std::string& model, const std::string& ip, const std::string& mac,
                  const std::string& port = "80", const std::string& proj = "Orvane");

// The device record a reply describes.
Discovery::DeviceInfo Device(const std::string& model, const std::string& ip, const std::string& mac,
                             const std::string& port = "80", const std::string& proj = "Orvane");

// The replies as one decoded buffer (each packet closed by its NUL).
std::string Buffer(const std::vector<std::string>& packets);

// Hands the replies to the parser the way a search round does.
void Feed(Discovery::DiscoveryState& state, const std::vector<std::string>& packets, unsigned arrival = 0);

// The texts of one column over the data rows.
std::vector<std::string> Column(const Discovery::DeviceGrid& grid, int column);

// The first data row with `text` in `column`; 0 (the header) when none has.
int RowWith(const Discovery::DeviceGrid& grid, int column, const std::string& text);

} // namespace TestSupport
