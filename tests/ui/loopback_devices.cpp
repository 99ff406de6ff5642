// SPDX-License-Identifier: MIT
#include "loopback_devices.h"

#include "discovery/packet.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <chrono>

namespace UiTest {

namespace {

constexpr std::uint32_t kLoopback = INADDR_LOOPBACK;

} // namespace

std::uint16_t BoundPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

Discovery::SocketHandle LoopbackUdp(std::uint16_t port)
{
    Discovery::SocketHandle s(socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(kLoopback);
    address.sin_port = htons(port);
    EXPECT_EQ(bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    return s;
}

std::uint16_t FreeLoopbackPort()
{
    return BoundPort(LoopbackUdp().get());
}

Discovery::NetworkEndpoints LoopbackEndpoints(std::uint16_t devicePort, std::uint16_t replyPort)
{
    Discovery::NetworkEndpoints endpoints;
    endpoints.broadcastAddress = kLoopback;
    endpoints.devicePort = devicePort;
    endpoints.replyPort = replyPort;
    endpoints.replyBindAddress = kLoopback;
    endpoints.receiveBuffer = 0;
    endpoints.silence = std::chrono::milliseconds(100);
    return endpoints;
}

Upnp::UpnpSearchOptions OfflineUpnp(std::chrono::milliseconds minimum)
{
    Upnp::UpnpSearchOptions options;
    options.interfaces = std::vector<std::string>{};
    options.minimum = minimum;
    options.quiet = std::chrono::milliseconds(10);
    options.maximum = minimum + std::chrono::milliseconds(100);
    return options;
}

LoopbackDevices::LoopbackDevices(std::string plainReplies, std::uint16_t replyPort)
    : m_socket(LoopbackUdp()), m_framed(Discovery::FrameBytes(plainReplies)), m_replyPort(replyPort),
      m_thread([this] { Run(); })
{
}

LoopbackDevices::~LoopbackDevices()
{
    m_stop = true;
    m_thread.join();
}

std::string LoopbackDevices::lastQuery() const
{
    std::lock_guard lock(m_mutex);
    return m_lastQuery;
}

void LoopbackDevices::Run()
{
    while (!m_stop) {
        pollfd p{m_socket.get(), POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        char buffer[2048];
        const ssize_t n = recv(m_socket.get(), buffer, sizeof buffer, 0);
        if (n <= 0)
            continue;
        {
            std::lock_guard lock(m_mutex);
            m_lastQuery = Discovery::UnframeText(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
        ++m_queries;
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(kLoopback);
        to.sin_port = htons(m_replyPort);
        sendto(m_socket.get(), m_framed.data(), m_framed.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
}

} // namespace UiTest
