// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/discovery_state.h"
#include "discovery/search_round.h"
#include "discovery/socket_handle.h"
#include "ui/dialog_message_box.h"

#include <QString>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace DialogTest {

// Every message box a dialog raised, in order, instead of showing it.
class Boxes {
public:
    struct Box {
        QWidget* owner;
        QString caption;
        QString text;
    };
    Gui::MessageBoxHook hook();
    const std::vector<Box>& shown() const { return m_shown; }
    std::size_t count() const { return m_shown.size(); }
    const Box& last() const { return m_shown.back(); }
    void clear() { m_shown.clear(); }

private:
    std::vector<Box> m_shown;
};

// A stand-in device on 127.0.0.1: what the dialog sends arrives here. The
// endpoints point the package at it; nothing leaves the loopback.
class LoopbackDevice {
public:
    LoopbackDevice();
    Discovery::NetworkEndpoints endpoints() const { return m_endpoints; }
    std::uint16_t port() const { return m_endpoints.devicePort; }
    // The plain text of the next package (without its closing NUL), or
    // nothing when none comes within `wait`.
    std::optional<std::string> receivePlain(std::chrono::milliseconds wait = std::chrono::milliseconds(1000));
    // True when nothing at all has arrived.
    bool silent();

private:
    Discovery::SocketHandle m_socket;
    Discovery::NetworkEndpoints m_endpoints;
};

// One device reply as a device sends it, before framing.
std::string Reply(const std::string& model, const std::string& ip, const std::string& mac,
                  const std::string& netmask = "255.255.255.0", const std::string& note = "n");

// Hands the replies to the parser the way a search round does.
void Feed(Discovery::DiscoveryState& state, const std::vector<std::string>& packets, unsigned arrival = 0);

} // namespace DialogTest
