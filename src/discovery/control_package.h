// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "discovery/log_sink.h"
#include "discovery/search_round.h"
#include "resources/dvconst.h"

#include <string>
#include <string_view>

namespace Discovery {

// The network setup's own texts, in English: what the command line prints.
// The window shows the same texts in the user's language.
inline constexpr const char* kControlPackageSent = Dvconst::_CONTROL_PACKAGE_SENT.english;
inline constexpr const char* kControlPackageFailed = Dvconst::_CONTROL_PACKAGE_FAILED.english;
// Added to the report when the device's adapter was gone at sending time.
inline constexpr const char* kAdapterGoneNote = Dvconst::_ADAPTER_GONE.english;
inline constexpr const char* kChooseNetworkType = Dvconst::_CHOOSE_NETWORK_TYPE.english;
inline constexpr const char* kInvalidAddressFormat = Dvconst::_INVALID_ADDRESS.english;
inline constexpr const char* kUnreasonableGatewayFormat = Dvconst::_UNREASONABLE_GATEWAY.english;

enum class NetworkType { None, Dhcp, Static, Eznet };

// The texts of the setup dialog's edits, in the order Apply copies them.
struct SetupEdits {
    std::string model, proj, name, ip, port, netmask, gateway, dns, mac, dev;
};

// The edits as a found device fills them when the dialog opens.
SetupEdits EditsFromDevice(const DeviceInfo& info);

// True when the text is a strict dotted quad (the reading Apply uses) other
// than 255.255.255.255, which the field check has always called invalid.
bool ParsesAsAddress(std::string_view text);

// False only when ip, netmask and gateway are all strict dotted quads and the
// gateway lies outside the subnet of ip and netmask. A text that is no
// address cannot be compared, and its own check names it instead.
bool GatewayInSubnet(std::string_view ip, std::string_view netmask, std::string_view gateway);

// The word a network type puts in the package's note: "static", "dhcp",
// "eznet"; empty for none.
std::string NetworkTypeWord(NetworkType type);

// Fills `record` the way Apply does: zero-filled, the note word, then the
// edits in their order. Returns -1, or the index of the first field whose
// text is too long for it (nothing is cut: a cut address would be wrong).
int FillControlRecord(const SetupEdits& edits, NetworkType type, DeviceInfo& record);

// Builds the flag-03 package from `record`, opens the reply port as the
// dialog does and sends it to the devices' port: by limited broadcast
// through adapter `viaInterface` (0: the routed one), or to the relay host
// when the settings say "IP Relay". Returns 0 only when it was sent.
// `adapterGone`, when given, tells whether adapter `viaInterface` had gone
// and the routed broadcast was taken instead.
int SendControlPackage(const DeviceInfo& record, const SearchSettings& settings, LogSink& log,
                       unsigned viaInterface = 0, const NetworkEndpoints& endpoints = {},
                       bool* adapterGone = nullptr);

} // namespace Discovery
