// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <QtGlobal>

#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

namespace Sim {

// What a control package did.
enum class ControlResult {
    Applied,      // at least one device took the new settings
    NoSuchDevice, // no device has the package's MAC
    BadAddress,   // "static" with an address that is not a dotted IPv4 address
    Unsupported,  // a network type other than "static" and "dhcp"
};

const char* ControlResultName(ControlResult result);

// The projects a generated device belongs to, as the project filter lists them.
inline constexpr std::string_view kPresetProjects[] = {"Orvane", "Tessilmar", "Mirkla", "Dovrek",
                                                       "Saplin", "Quistel",   "Belvin"};

// `count` devices (up to 64,000) for `seed` (0 to 255, only its low byte
// counts): distinct ip and mac texts within one seed and across seeds, so
// hosts started with different seeds never look like repeats.
std::vector<Discovery::DeviceInfo> GenerateDevices(int count, std::uint32_t seed);

// The simulated devices of one process, in the order they answer.
class DeviceStore {
    Q_DISABLE_COPY(DeviceStore)
public:
    using Clock = std::chrono::steady_clock;

    explicit DeviceStore(std::vector<Discovery::DeviceInfo> devices);

    const std::vector<Discovery::DeviceInfo>& devices() const { return m_devices; }

    // How long a device stays silent after taking a control package, as a
    // camera does while it restarts its network (0: it answers at once).
    void setRestartSilence(std::chrono::milliseconds silence) { m_restartSilence = silence; }
    // The devices that answer a query at `now`: all but those still restarting.
    std::vector<Discovery::DeviceInfo> answeringDevices(Clock::time_point now = Clock::now()) const;

    // Applies a control package (its fields as ParsePacket filled them) to
    // every device whose MAC matches, however either is written. "static"
    // takes the four addresses, "dhcp" keeps them; either way the note
    // becomes the type and the device restarts. `applied` receives the
    // number of devices changed.
    ControlResult applyControlPackage(const Discovery::DeviceInfo& package, int* applied = nullptr,
                                      Clock::time_point now = Clock::now());

private:
    std::vector<Discovery::DeviceInfo> m_devices;
    std::vector<Clock::time_point> m_silentUntil; // one per device
    std::chrono::milliseconds m_restartSilence{0};
};

} // namespace Sim
