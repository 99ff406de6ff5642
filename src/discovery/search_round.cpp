// SPDX-License-Identifier: MIT
#include "discovery/search_round.h"

#include "discovery/adapter_send.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/uio.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace Discovery {

namespace {

const char* ErrorText() { return std::strerror(errno); }

// The system's cap on what an unprivileged SO_RCVBUF may ask for, 0 when unknown.
int ReceiveBufferCap()
{
    std::FILE* file = std::fopen("/proc/sys/net/core/rmem_max", "r");
    if (file == nullptr)
        return 0;
    long cap = 0;
    if (std::fscanf(file, "%ld", &cap) != 1)
        cap = 0;
    std::fclose(file);
    return static_cast<int>(std::clamp(cap, 0L, static_cast<long>(INT_MAX / 2)));
}

// Asks for a receive buffer of `wanted` bytes: past the system's cap when we
// may, else as much as the cap allows (the kernel doubles what it grants).
// A buffer that is already larger is kept.
void EnlargeReceiveBuffer(int fd, int wanted)
{
    int current = 0;
    socklen_t length = sizeof current;
    if (::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &current, &length) == 0 && current >= wanted)
        return;
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &wanted, sizeof wanted) == 0)
        return;
    const int cap = ReceiveBufferCap();
    const int ask = cap > 0 ? std::min(wanted, cap) : wanted;
    if (cap > 0 && 2 * ask <= current)
        return; // asking would only shrink it
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &ask, sizeof ask);
}

} // namespace

std::optional<std::uint32_t> RelayAddress(const SearchSettings& settings, LogSink& log)
{
    const in_addr_t address = inet_addr(settings.relayHost.c_str());
    if (address == INADDR_NONE) {
        log.appendf("Invalid relay address - [%s]\n", settings.relayHost.c_str());
        return std::nullopt;
    }
    return address;
}

std::optional<SocketHandle> DM_CreateUDPBroadcastSocket(std::uint16_t port, LogSink& log,
                                                        const NetworkEndpoints& endpoints, int* failure)
{
    SocketHandle socket(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    const auto failed = [&](const char* format) {
        if (failure != nullptr)
            *failure = errno;
        log.appendf(format, ErrorText());
        return std::nullopt;
    };
    if (!socket.valid())
        return failed("socket() error : %s\n");
    const int on = 1;
    if (::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0)
        return failed("setsockopt(SO_REUSEADDR) error : %s\n");
    if (endpoints.receiveBuffer > 0)
        EnlargeReceiveBuffer(socket.get(), endpoints.receiveBuffer);
    // Tells each reply's arrival adapter, so a device is set up through it.
    ::setsockopt(socket.get(), IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(endpoints.replyBindAddress);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0)
        return failed("bind() error : %s\n");
    return socket;
}

int SendBroadcastDatagram(std::uint16_t port, const std::string& text, const SearchSettings& settings,
                          LogSink& log, const NetworkEndpoints& endpoints, const NetworkInterface* via)
{
    SocketHandle socket(::socket(AF_INET, SOCK_DGRAM, 0));
    if (!socket.valid()) {
        log.appendf("socket(SOCK_DGRAM) failed : %s\n", ErrorText());
        return -1;
    }
    const int on = 1;
    if (::setsockopt(socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0) {
        log.appendf("setsockopt(SO_BROADCAST) error : %s\n", ErrorText());
        return -1;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    if (settings.localBroadcast) {
        to.sin_addr.s_addr = htonl(endpoints.broadcastAddress);
    } else {
        const std::optional<std::uint32_t> address = RelayAddress(settings, log);
        if (!address)
            return -1;
        to.sin_addr.s_addr = *address;
    }
    // The limited broadcast follows the default route unless told which adapter.
    const bool limited = to.sin_addr.s_addr == htonl(kLimitedBroadcast);
    const ssize_t sent = SendThroughAdapter(socket.get(), to, text, limited ? via : nullptr);
    if (sent < 0) {
        log.appendf("sendto() error : %s len=%d\n", ErrorText(), static_cast<int>(sent));
        return -1;
    }
    if (static_cast<std::size_t>(sent) != text.size()) {
        log.appendf("sendto() sent %d of %d bytes\n", static_cast<int>(sent), static_cast<int>(text.size()));
        return -1;
    }
    return 0;
}

} // namespace Discovery
