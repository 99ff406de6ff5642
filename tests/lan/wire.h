// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "discovery/socket_handle.h"

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace LanHarness {

// One datagram as it arrived.
struct Datagram {
    std::string bytes;
    sockaddr_in from{};
};

// A reply socket for tests: UDP, address reuse, bound to every address at `port`.
class UdpReceiver {
public:
    explicit UdpReceiver(std::uint16_t port);
    UdpReceiver(const UdpReceiver&) = delete;
    UdpReceiver& operator=(const UdpReceiver&) = delete;

    bool valid() const { return m_socket.valid(); }
    std::uint16_t port() const { return m_port; }
    // One datagram if one is waiting, without blocking.
    std::optional<Datagram> tryReceive();
    // Collects datagrams until `silence` passes without one or `limit` is reached.
    std::vector<Datagram> receiveUntilSilence(std::chrono::milliseconds silence,
                                              std::chrono::milliseconds limit);

private:
    Discovery::SocketHandle m_socket;
    std::uint16_t m_port = 0;
};

// Sends one datagram from a fresh socket (broadcast allowed). False on failure.
bool SendDatagram(const std::string& address, std::uint16_t port, const std::string& bytes);

// What a TCP exchange brought back.
struct TcpAnswer {
    bool connected = false;
    std::string bytes;
    bool closedByPeer = false; // false: the time ran out with the connection open
};

// Connects, sends `request`, and reads until the peer closes or `limit` passes.
TcpAnswer TcpExchange(const std::string& address, std::uint16_t port, const std::string& request,
                      std::chrono::milliseconds limit);

// The NUL-separated plain packets of an unframed text (the empty rest dropped).
std::vector<std::string> PlainPackets(const std::string& plain);

// A package as the program sends it, framed: `flag` and the record (none for a query).
std::string FramedPacket(int flag, const Discovery::DeviceInfo* info = nullptr);

// The device replies a framed text carries, read as the round reads them.
std::vector<Discovery::DeviceInfo> DeviceReplies(const std::string& framed);

// The first device with `mac`; null when none has it.
const Discovery::DeviceInfo* FindMac(const std::vector<Discovery::DeviceInfo>& devices, std::string_view mac);

// The device as a relay page carries it: seven fields, the rest empty.
Discovery::DeviceInfo AsListed(const Discovery::DeviceInfo& device);

// The first field in which `got` differs from `want`, said in a line; empty when none does.
std::string FieldDifference(const Discovery::DeviceInfo& got, const Discovery::DeviceInfo& want);

std::string AddressOf(const sockaddr_in& address);

// Runs a program in the calling thread's namespace; its standard output
// (standard error dropped) and its exit code, -1 when it did not exit.
int RunProgram(const std::vector<std::string>& args, std::string& output);

} // namespace LanHarness
