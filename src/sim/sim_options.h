// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/protocol_constants.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace Sim {

// How one quendrel-sim process behaves; filled from its command line.
struct SimOptions {
    QString devicesFile;          // --devices FILE: a JSON array of devices
    int count = -1;               // --count N: generated devices
    std::uint32_t seed = 0;       // --seed S: which generated devices
    std::uint16_t port = Discovery::kDevicePort;      // UDP and TCP; 0 picks free ports
    std::uint16_t replyPort = Discovery::kReplyPort;  // where replies go
    std::uint32_t bindAddress = 0;                    // host byte order; 0 is every address
    bool unicast = false;                             // reply to the query's sender, not broadcast
    std::optional<std::uint32_t> replyTo;             // host byte order; overrides both
    int pack = 1;                                     // plain packets per reply datagram
    std::chrono::milliseconds delay{0};               // wait before answering a query
    std::chrono::milliseconds restartSilence{0};      // silent this long after a control package
    bool hang = false;                                // TCP: accept, never answer
    bool flood = false;                               // keep answering without pauses
    std::chrono::milliseconds floodInterval{20};       // 0: back to back
    bool floodDistinct = false;                       // flood with made-up devices, never a repeat
    std::chrono::milliseconds floodFor{30000};
    bool garbage = false;                             // malformed datagrams before the replies
    // The relay host's HTTP command interface: off unless a port is given
    // (0 picks a free one, named in the ready line).
    std::optional<std::uint16_t> httpPort;
    bool httpHang = false;                            // read the request, never answer
    int httpBigMiB = 0;                               // pad every page to this many MiB
    bool httpEmpty = false;                           // always the "No available items" page
    int httpRedirects = 0;                            // same-host redirects before the page
    std::string httpRedirectTo;                       // then one more to this host[:port]
    QString logFile;                                  // --log FILE; stdout when empty
};

inline constexpr int kMaxGeneratedDevices = 64000;
inline constexpr int kMaxPack = 1000;
inline constexpr int kMaxSeed = 255;
inline constexpr int kMaxHttpBigMiB = 64;
inline constexpr int kMaxHttpRedirects = 20;

enum class OptionsOutcome { Run, Help, Error };

// Reads the command line (program name first). On Help `message` holds the
// usage text, on Error a one-line reason.
OptionsOutcome ParseSimOptions(const QStringList& arguments, SimOptions& options, QString& message);

// Dotted IPv4 text of a host-order address, and back (strict dotted quad).
QString AddressText(std::uint32_t hostOrder);
std::optional<std::uint32_t> ParseAddress(const QString& text);

} // namespace Sim
