// SPDX-License-Identifier: MIT
#pragma once

#include "resources/dvconst.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace Upnp {

// One UPnP device as nineteen texts, in the alphabetical order of the
// properties they come from (also the order in which they are read).
struct UpnpDeviceInfo {
    std::string children;
    std::string description;
    std::string friendly_name;
    std::string has_children;
    std::string icon_url;
    std::string is_root_device;
    std::string manufacturer_name;
    std::string manufacturer_url;
    std::string model_name;
    std::string model_number;
    std::string model_url;
    std::string parent_device;
    std::string presentation_url;
    std::string root_device;
    std::string serial_number;
    std::string services;
    std::string type;
    std::string unique_device_name;
    std::string upc;

    bool operator==(const UpnpDeviceInfo&) const = default;
};

inline constexpr int kUpnpFieldCount = 19;

// Field names in record order.
inline constexpr std::array<std::string_view, kUpnpFieldCount> kUpnpFieldNames = {
    "children", "description", "friendly_name", "has_children", "icon_url", "is_root_device",
    "manufacturer_name", "manufacturer_url", "model_name", "model_number", "model_url",
    "parent_device", "presentation_url", "root_device", "serial_number", "services", "type",
    "unique_device_name", "upc"};

// Parent and root of a device that has none above it. The record keeps the
// English phrases; the window shows them in the user's language.
inline constexpr std::string_view kTopmostDevice = Dvconst::_TOPMOST_DEVICE.english;

// The field with record index 0..18; null for any other index.
std::string* FieldAt(UpnpDeviceInfo& info, int index);
const std::string* FieldAt(const UpnpDeviceInfo& info, int index);

// "No: Zero children", "Yes: One child", "Yes: 3 children".
std::string ChildrenText(int count);
// "No: Zero services", "Yes: One service", "Yes: 3services" (no blank, as the
// finder's texts have always read).
std::string ServicesText(int count);
// "Yes" / "No".
std::string_view YesNo(bool value);

// The longest text a record keeps, in bytes. Real devices send a few dozen;
// a longer one is cut here, before any copy reaches the window.
inline constexpr std::size_t kUpnpTextLimit = 1024;

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence.
void CutText(std::string& text, std::size_t limit = kUpnpTextLimit);
// Every one of the nineteen texts cut so.
void CutTexts(UpnpDeviceInfo& info);

// True for the makers whose cameras we list: the manufacturer name holds
// "AXIS" or "Vivotek", letter case as written.
bool IsKeptManufacturer(std::string_view manufacturer);

} // namespace Upnp
