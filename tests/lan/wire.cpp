// SPDX-License-Identifier: MIT
#include "wire.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "discovery/protocol_constants.h"

#include <sys/wait.h>

#include <cstdio>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace LanHarness {

namespace {

sockaddr_in Endpoint(const std::string& address, std::uint16_t port)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    inet_pton(AF_INET, address.c_str(), &to.sin_addr);
    return to;
}

int MillisecondsLeft(std::chrono::steady_clock::time_point until)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

} // namespace

UdpReceiver::UdpReceiver(std::uint16_t port)
{
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    const int buffer = 8 * 1024 * 1024;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    if (!socket.valid() || setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0)
        return;
    setsockopt(socket.get(), SOL_SOCKET, SO_RCVBUFFORCE, &buffer, sizeof buffer);
    if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0)
        return;
    socklen_t length = sizeof local;
    getsockname(socket.get(), reinterpret_cast<sockaddr*>(&local), &length);
    m_port = ntohs(local.sin_port);
    m_socket = std::move(socket);
}

std::vector<Datagram> UdpReceiver::receiveUntilSilence(std::chrono::milliseconds silence,
                                                       std::chrono::milliseconds limit)
{
    std::vector<Datagram> got;
    const auto until = std::chrono::steady_clock::now() + limit;
    std::string buffer(65536, '\0');
    for (;;) {
        const int wait = std::min(MillisecondsLeft(until), static_cast<int>(silence.count()));
        pollfd fd{m_socket.get(), POLLIN, 0};
        if (wait <= 0 || poll(&fd, 1, wait) <= 0)
            return got;
        Datagram d;
        socklen_t length = sizeof d.from;
        const ssize_t n = recvfrom(m_socket.get(), buffer.data(), buffer.size(), 0,
                                   reinterpret_cast<sockaddr*>(&d.from), &length);
        if (n < 0)
            return got;
        d.bytes.assign(buffer.data(), static_cast<std::size_t>(n));
        got.push_back(std::move(d));
    }
}

std::optional<Datagram> UdpReceiver::tryReceive()
{
    std::string buffer(65536, '\0');
    Datagram d;
    socklen_t length = sizeof d.from;
    const ssize_t n = recvfrom(m_socket.get(), buffer.data(), buffer.size(), MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&d.from), &length);
    if (n < 0)
        return std::nullopt;
    d.bytes.assign(buffer.data(), static_cast<std::size_t>(n));
    return d;
}

bool SendDatagram(const std::string& address, std::uint16_t port, const std::string& bytes)
{
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    const int on = 1;
    if (!socket.valid() || setsockopt(socket.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0)
        return false;
    const sockaddr_in to = Endpoint(address, port);
    return sendto(socket.get(), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to),
                  sizeof to) == static_cast<ssize_t>(bytes.size());
}

TcpAnswer TcpExchange(const std::string& address, std::uint16_t port, const std::string& request,
                      std::chrono::milliseconds limit)
{
    TcpAnswer answer;
    Discovery::SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    const sockaddr_in to = Endpoint(address, port);
    if (!socket.valid() || connect(socket.get(), reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0)
        return answer;
    answer.connected = true;
    if (send(socket.get(), request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
        return answer;
    const auto until = std::chrono::steady_clock::now() + limit;
    char chunk[65536];
    for (;;) {
        pollfd fd{socket.get(), POLLIN, 0};
        if (poll(&fd, 1, MillisecondsLeft(until)) <= 0)
            return answer;
        const ssize_t n = recv(socket.get(), chunk, sizeof chunk, 0);
        if (n <= 0) {
            answer.closedByPeer = true;
            return answer;
        }
        answer.bytes.append(chunk, static_cast<std::size_t>(n));
    }
}

std::string FramedPacket(int flag, const Discovery::DeviceInfo* info)
{
    std::vector<char> out(Discovery::kDatagramBufferSize);
    Discovery::NullLog quiet;
    return Discovery::BuildPacket(flag, out, info, quiet) == 0 ? std::string(out.data()) : std::string();
}

std::vector<Discovery::DeviceInfo> DeviceReplies(const std::string& framed)
{
    std::vector<Discovery::DeviceInfo> devices;
    Discovery::NullLog quiet;
    for (const std::string& packet : PlainPackets(Discovery::UnframeText(framed))) {
        Discovery::DeviceInfo info{};
        if (Discovery::ParsePacket(packet, info, quiet) == Discovery::kDeviceReply)
            devices.push_back(info);
    }
    return devices;
}

const Discovery::DeviceInfo* FindMac(const std::vector<Discovery::DeviceInfo>& devices, std::string_view mac)
{
    for (const Discovery::DeviceInfo& d : devices)
        if (Discovery::FieldText(d.mac) == mac)
            return &d;
    return nullptr;
}

Discovery::DeviceInfo AsListed(const Discovery::DeviceInfo& device)
{
    using namespace Discovery;
    DeviceInfo listed{};
    for (const int field : {kModel, kProj, kName, kIp, kTriggerPort, kNetmask, kMac})
        CopyToField(FieldAt(listed, field), FieldText(FieldAt(device, field)));
    return listed;
}

std::string FieldDifference(const Discovery::DeviceInfo& got, const Discovery::DeviceInfo& want)
{
    using namespace Discovery;
    for (int field = 0; field < kDeviceFieldCount; ++field)
        if (FieldText(FieldAt(got, field)) != FieldText(FieldAt(want, field)))
            return std::string(kDeviceFieldNames[static_cast<std::size_t>(field)]) + " is \"" +
                   std::string(FieldText(FieldAt(got, field))) + "\", not \"" +
                   std::string(FieldText(FieldAt(want, field))) + "\"";
    return {};
}

std::vector<std::string> PlainPackets(const std::string& plain)
{
    std::vector<std::string> packets;
    std::size_t start = 0;
    while (start < plain.size()) {
        std::size_t end = plain.find('\0', start);
        if (end == std::string::npos)
            end = plain.size();
        if (end == start)
            break; // an empty packet ends the walk
        packets.push_back(plain.substr(start, end - start));
        start = end + 1;
    }
    return packets;
}

std::string AddressOf(const sockaddr_in& address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return text;
}

int RunProgram(const std::vector<std::string>& args, std::string& output)
{
    std::string command;
    for (const std::string& a : args)
        command += "'" + a + "' ";
    command += "2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[4096];
    output.clear();
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace LanHarness
