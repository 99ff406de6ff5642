// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace Discovery {

// A fixed-width, zero-terminated 8-bit text field as the devices send it.
template <std::size_t N>
using TextField = std::array<char, N>;

// One found device: eleven fixed-width text fields, in the order the
// datagram carries them. Always zero-filled before it is filled.
struct DeviceInfo {
    TextField<32> model{};
    TextField<32> proj{};
    TextField<64> name{};
    TextField<16> ip{};
    TextField<8> trigger_port{};
    TextField<16> netmask{};
    TextField<16> gateway{};
    TextField<16> dns{};
    TextField<24> mac{};
    TextField<16> dev{};
    TextField<56> note{};
};

inline constexpr int kDeviceFieldCount = 11;

// Field names in datagram order (also the JSON keys of the tools).
inline constexpr std::array<std::string_view, kDeviceFieldCount> kDeviceFieldNames = {
    "model", "proj", "name", "ip", "trigger_port", "netmask",
    "gateway", "dns", "mac", "dev", "note"};

// Indices of the fields that carry a check or a grid column.
enum DeviceField : int {
    kModel = 0, kProj, kName, kIp, kTriggerPort, kNetmask, kGateway, kDns, kMac, kDev, kNote
};

// Copies text into a field, cutting it to the field's width less one, and
// zero-fills the rest so the terminator is always there. Returns false when
// the text had to be cut.
bool CopyToField(std::span<char> field, std::string_view text);

template <std::size_t N>
bool CopyToField(TextField<N>& field, std::string_view text)
{
    return CopyToField(std::span<char>(field), text);
}

// The field's text up to its first zero byte (never past its width).
std::string_view FieldText(std::span<const char> field);

template <std::size_t N>
std::string_view FieldText(const TextField<N>& field)
{
    return FieldText(std::span<const char>(field));
}

// The field with datagram index 0..10.
std::span<char> FieldAt(DeviceInfo& info, int index);
std::span<const char> FieldAt(const DeviceInfo& info, int index);

} // namespace Discovery
