// SPDX-License-Identifier: MIT
#include "loopback.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>

namespace TestSupport {

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

Discovery::SocketHandle ConnectLoopback(std::uint16_t port, bool wait)
{
    Discovery::SocketHandle s(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | (wait ? 0 : SOCK_NONBLOCK), 0));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(kLoopback);
    const int rc = connect(s.get(), reinterpret_cast<const sockaddr*>(&to), sizeof to);
    EXPECT_TRUE(rc == 0 || (!wait && errno == EINPROGRESS));
    return s;
}

Discovery::NetworkEndpoints LoopbackEndpoints(std::uint16_t devicePort, std::uint16_t replyPort)
{
    Discovery::NetworkEndpoints e;
    e.broadcastAddress = kLoopback;
    e.devicePort = devicePort;
    e.replyPort = replyPort;
    e.replyBindAddress = kLoopback;
    e.receiveBuffer = 0;
    e.silence = std::chrono::milliseconds(100);
    e.tcpPause = std::chrono::milliseconds(50);
    e.tcpFirstData = std::chrono::milliseconds(300);
    e.tcpTotal = std::chrono::milliseconds(1500);
    return e;
}

} // namespace TestSupport
