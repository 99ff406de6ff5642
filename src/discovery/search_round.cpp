// SPDX-License-Identifier: MIT
#include "discovery/search_round.h"

#include "discovery/adapter_send.h"
#include "discovery/framing.h"
#include "discovery/packet.h"
#include "discovery/relay_page.h"
#include "discovery/reply_receiver.h"

#include <QString>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace Discovery {

namespace {

using Clock = std::chrono::steady_clock;

const char* ErrorText() { return std::strerror(errno); }

timespec ToTimespec(std::chrono::microseconds wait)
{
    wait = std::max(wait, std::chrono::microseconds(0));
    return {static_cast<time_t>(wait.count() / 1'000'000),
            static_cast<long>(wait.count() % 1'000'000 * 1000)};
}

// Waits until `fd` is readable; a fresh time-out for every call.
// Returns >0 readable, 0 timed out, <0 error.
int WaitReadable(int fd, std::chrono::microseconds wait)
{
    pollfd p{fd, POLLIN, 0};
    const timespec t = ToTimespec(wait);
    return ::ppoll(&p, 1, &t, nullptr);
}

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

// The relay host box's text as an address, or nothing when it is none.
// inet_addr cannot tell 255.255.255.255 from a failure; a relay address
// that would turn a unicast exchange into a broadcast is refused too.
std::optional<in_addr_t> RelayAddress(const SearchSettings& settings, LogSink& log)
{
    const in_addr_t address = inet_addr(settings.relayHost.c_str());
    if (address == INADDR_NONE) {
        log.appendf("Invalid relay address - [%s]\n", settings.relayHost.c_str());
        return std::nullopt;
    }
    return address;
}

// Decodes a framed reply, inverts it back and hands the plain packets to the parser.
void ParseFramedReply(DiscoveryState& state, std::string_view framed, std::vector<char>& decode,
                      unsigned arrivalInterface = 0)
{
    const std::size_t bound = std::min(framed.size(), decode.size() - 1);
    std::fill_n(decode.begin(), bound + 1, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(decode.data());
    // The last byte stays zero: the plain text is always terminated.
    const std::size_t n = Base64Decode(std::span(out, decode.size() - 1), framed);
    InvertBytes(out, n);
    state.ParserPlainPkg(decode, framed.size(), arrivalInterface);
}

// One pass's query: a limited broadcast leaves through every adapter that
// can broadcast, one datagram each, so devices behind a second adapter hear
// it too; anything else (a relay host, a test address) is sent as routed.
void SendQuery(const std::string& query, const SearchSettings& settings, LogSink& log,
               const NetworkEndpoints& endpoints)
{
    if (!settings.localBroadcast || endpoints.broadcastAddress != kLimitedBroadcast) {
        SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints);
        return;
    }
    const std::vector<NetworkInterface> adapters = BroadcastInterfaces(settings.interfaces);
    if (adapters.empty()) {
        if (!settings.interfaces.empty()) {
            log.append("No adapter to broadcast on among the ones named\n");
            return;
        }
        SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints);
        return;
    }
    for (const NetworkInterface& adapter : adapters) {
        if (SendBroadcastDatagram(endpoints.devicePort, query, settings, log, endpoints, &adapter) == 0)
            log.appendf("Broadcast on %s (%s)\n", adapter.name.c_str(), AddressText(adapter.address).c_str());
        else
            log.appendf("Broadcast on %s (%s) failed\n", adapter.name.c_str(), AddressText(adapter.address).c_str());
    }
}

void RunUdpRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints,
                const SearchRoundHooks& hooks)
{
    LogSink& log = state.log();
    std::optional<SocketHandle> socket = DM_CreateUDPBroadcastSocket(endpoints.replyPort, log, endpoints);
    if (!socket) {
        log.appendf("DM_CreateUDPBroadcastSocket(%d) failed!\n", endpoints.devicePort);
        return;
    }
    std::vector<char> sendBuffer(kDatagramBufferSize);
    std::vector<char> decode(kDatagramBufferSize);
    ReplyReceiver receiver(socket->get());
    // Replies taken from the receiver; those a pass's bound left unparsed go to the next pass.
    std::vector<ReceivedReply> replies;
    std::size_t next = 0;

    for (int pass = 0; pass < kUdpPasses; ++pass) {
        std::fill(sendBuffer.begin(), sendBuffer.end(), '\0');
        const int flag = settings.localBroadcast ? kSearchQuery : kRelayQuery;
        if (BuildPacket(flag, sendBuffer, nullptr, log) == 0)
            SendQuery(sendBuffer.data(), settings, log, endpoints);

        // The pass ends after a quiet period, or at its bound whatever is still queued.
        const auto passStart = Clock::now();
        const auto passEnd = passStart + endpoints.passLimit;
        for (;;) {
            if (Clock::now() >= passEnd) {
                log.appendf("Reply pass ended after %lld ms without a quiet period\n",
                            static_cast<long long>(endpoints.passLimit.count()));
                break;
            }
            if (next == replies.size()) {
                replies.clear();
                next = 0;
                const auto quietEnd = std::max(passStart, receiver.lastArrival()) + endpoints.silence;
                if (!receiver.take(replies, std::min(quietEnd, passEnd))) {
                    const auto now = Clock::now();
                    if (now < passEnd && now >= std::max(passStart, receiver.lastArrival()) + endpoints.silence)
                        break; // quiet: the pass is over
                    continue;  // the bound, or an empty datagram moved the quiet period on
                }
            }
            // A few dozen datagrams between looks at the clock keep the bound tight.
            for (int parsed = 0; next < replies.size(); ++parsed) {
                if (parsed % 32 == 31 && Clock::now() >= passEnd)
                    break;
                const ReceivedReply& reply = replies[next++];
                if (hooks.replyReceived)
                    hooks.replyReceived();
                ParseFramedReply(state, reply.bytes, decode, reply.arrivalInterface);
                if (state.deviceLimitReached()) {
                    receiver.discardAll();
                    replies.clear();
                    next = 0;
                }
            }
        }
    }
    if (receiver.overflowed() > 0)
        log.appendf("Reply queue full: %zu replies dropped\n", receiver.overflowed());
}

// Connects within `limit`; a blocking connect to a silent host would hang for minutes.
bool ConnectWithin(int fd, const sockaddr_in& to, std::chrono::milliseconds limit)
{
    const int flags = ::fcntl(fd, F_GETFL, 0);
    ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (rc != 0 && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        const timespec t = ToTimespec(limit);
        rc = -1;
        if (::ppoll(&p, 1, &t, nullptr) > 0) {
            int error = 0;
            socklen_t length = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0)
                rc = 0;
            else
                errno = error;
        } else {
            errno = ETIMEDOUT;
        }
    }
    ::fcntl(fd, F_SETFL, flags);
    return rc == 0;
}

void RunTcpRelayRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints)
{
    LogSink& log = state.log();
    const auto start = Clock::now();
    const auto deadline = start + endpoints.tcpTotal;
    const auto left = [&] {
        return std::max(std::chrono::milliseconds(0),
                        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
    };

    const std::optional<in_addr_t> address = RelayAddress(settings, log);
    if (!address)
        return;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(endpoints.devicePort);
    to.sin_addr.s_addr = *address;

    SocketHandle socket(::socket(AF_INET, SOCK_STREAM, 0));
    if (!socket.valid()) {
        log.append("CREATE SOCKET ERROR");
        return;
    }
    if (!ConnectWithin(socket.get(), to, std::min(endpoints.tcpFirstData, left()))) {
        log.append("CONNECT ERROR");
        return;
    }
    std::vector<char> sendBuffer(kDatagramBufferSize);
    if (BuildPacket(kRelayQuery, sendBuffer, nullptr, log) != 0)
        return;
    const std::size_t length = std::strlen(sendBuffer.data());
    if (::send(socket.get(), sendBuffer.data(), length, MSG_NOSIGNAL) < 0)
        log.append("SEND ERROR");

    std::this_thread::sleep_for(std::min(endpoints.tcpPause, left()));
    const auto firstData = std::min(endpoints.tcpFirstData, left());
    if (WaitReadable(socket.get(), firstData) <= 0) {
        log.appendf("Relay sent no data within %lld ms\n", static_cast<long long>(firstData.count()));
        return;
    }

    std::vector<char> receive(kDatagramBufferSize, '\0');
    std::size_t received = 0;
    // Until the relay closes, an error, or a full buffer (one byte stays free).
    while (received < receive.size() - 1) {
        const auto wait = left();
        if (wait.count() == 0 || WaitReadable(socket.get(), wait) <= 0) {
            log.appendf("Relay read ended after %lld ms\n",
                        static_cast<long long>(endpoints.tcpTotal.count()));
            break;
        }
        const ssize_t n = ::recv(socket.get(), receive.data() + received, receive.size() - 1 - received, 0);
        if (n <= 0)
            break;
        received += static_cast<std::size_t>(n);
    }
    std::vector<char> decode(kDatagramBufferSize);
    ParseFramedReply(state, std::string_view(receive.data(), received), decode);
}

void RunHttpCommandRoad(DiscoveryState& state, const SearchSettings& settings, const SearchRoundHooks& hooks)
{
    const std::string url = RelayPageUrl(settings.relayHost, state.projectFilter);
    std::vector<std::string> lines;
    if (hooks.fetchRelayPage)
        lines = hooks.fetchRelayPage(url);
    CleanHtml(lines);
    PhaseItem(state, lines);
}

} // namespace

bool FilterAdmitsUpnp(const std::string& projectFilter)
{
    const QString filter = QString::fromUtf8(projectFilter.data(), static_cast<qsizetype>(projectFilter.size()));
    return filter.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0 ||
           filter.compare(QLatin1String("UPNP"), Qt::CaseInsensitive) == 0;
}

std::optional<SocketHandle> DM_CreateUDPBroadcastSocket(std::uint16_t port, LogSink& log,
                                                        const NetworkEndpoints& endpoints)
{
    SocketHandle socket(::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP));
    if (!socket.valid()) {
        log.appendf("socket() error : %s\n", ErrorText());
        return std::nullopt;
    }
    const int on = 1;
    if (::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) < 0) {
        log.appendf("setsockopt(SO_REUSEADDR) error : %s\n", ErrorText());
        return std::nullopt;
    }
    if (endpoints.receiveBuffer > 0)
        EnlargeReceiveBuffer(socket.get(), endpoints.receiveBuffer);
    // Tells each reply's arrival adapter, so a device is set up through it.
    ::setsockopt(socket.get(), IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(endpoints.replyBindAddress);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&local), sizeof local) < 0) {
        log.appendf("bind() error : %s\n", ErrorText());
        return std::nullopt;
    }
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
        const std::optional<in_addr_t> address = RelayAddress(settings, log);
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

RoundEnd RunSearchRound(DiscoveryState& state, const SearchSettings& settings,
                        const SearchRoundHooks& hooks, const NetworkEndpoints& endpoints)
{
    const bool upnp = FilterAdmitsUpnp(state.projectFilter);
    if (upnp && hooks.startUpnp)
        hooks.startUpnp();

    {
        // The views hear of the round's rows once, when the road is done.
        DeviceGrid::Batch batch(state.grid);
        state.clearForRound();
        if (hooks.searching)
            hooks.searching();

        if (!settings.localBroadcast && settings.transport == "HttpCmd") {
            RunHttpCommandRoad(state, settings, hooks);
            if (hooks.buttonEnabled)
                hooks.buttonEnabled();
        } else if (!settings.localBroadcast && settings.transport == "TCP") {
            RunTcpRelayRoad(state, settings, endpoints);
            if (hooks.buttonEnabled)
                hooks.buttonEnabled();
        } else {
            RunUdpRoad(state, settings, endpoints, hooks);
        }
    }

    if (upnp && hooks.handOverToUpnp && hooks.handOverToUpnp())
        return RoundEnd::HandedOver;

    int shown = 0;
    {
        DeviceGrid::Batch batch(state.grid);
        if (state.grid.gridRowCount() < 2) {
            state.grid.setGridRowCount(2);
            state.grid.setFixedRows(1);
        } else {
            state.sortAscending = false;
            SortDeviceGrid(state.grid, DeviceGrid::kModelColumn, state.sortAscending);
            shown = state.grid.gridRowCount() - 1;
        }
    }
    if (hooks.closed)
        hooks.closed(shown);
    return RoundEnd::ClosedItself;
}

} // namespace Discovery
