// SPDX-License-Identifier: MIT
#include "dialog_test_support.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <vector>

namespace DialogTest {

namespace {
constexpr std::uint32_t kLoopback = 0x7F000001;

std::uint16_t BoundPort(int fd)
{
    sockaddr_in a{};
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    return ntohs(a.sin_port);
}
} // namespace

Gui::MessageBoxHook Boxes::hook()
{
    return [this](QWidget* owner, const QString& caption, const QString& text) {
        m_shown.push_back({owner, caption, text});
    };
}

LoopbackDevice::LoopbackDevice()
    : m_socket(socket(AF_INET, SOCK_DGRAM, 0))
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(kLoopback);
    bind(m_socket.get(), reinterpret_cast<sockaddr*>(&a), sizeof a);
    m_endpoints.broadcastAddress = kLoopback;
    m_endpoints.devicePort = BoundPort(m_socket.get());
    m_endpoints.replyPort = 0; // any free port
    m_endpoints.replyBindAddress = kLoopback;
}

std::optional<std::string> LoopbackDevice::receivePlain(std::chrono::milliseconds wait)
{
    pollfd p{m_socket.get(), POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(wait.count())) != 1)
        return std::nullopt;
    std::vector<char> buffer(Discovery::kDatagramBufferSize);
    const ssize_t n = recv(m_socket.get(), buffer.data(), buffer.size(), 0);
    if (n <= 0)
        return std::nullopt;
    std::string plain = Discovery::UnframeText(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    while (!plain.empty() && plain.back() == '\0')
        plain.pop_back();
    return plain;
}

bool LoopbackDevice::silent()
{
    return !receivePlain(std::chrono::milliseconds(0));
}

std::string Reply(const std::string& model, const std::string& ip, const std::string& mac,
                  const std::string& netmask, const std::string& note)
{
    return "Kestravon,01," + model + ",Orvane,Hall," + ip + ",80," + netmask + ",10.0.0.254,10.0.0.253," + mac
         + ",eth0," + note;
}

void Feed(Discovery::DiscoveryState& state, const std::vector<std::string>& packets, unsigned arrival)
{
    std::string buffer;
    for (const std::string& packet : packets)
        buffer += packet + '\0';
    state.ParserPlainPkg(std::span<const char>(buffer.data(), buffer.size()), buffer.size(), arrival);
}

} // namespace DialogTest
