// SPDX-License-Identifier: MIT
#include "discovery/address_in_use.h"

#include "discovery/adapter_send.h"
#include "discovery/setup_check.h"
#include "discovery/socket_handle.h"

#include <arpa/inet.h>
#include <net/if_arp.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace Discovery {

namespace {

// How often the neighbour table is read while the kernel asks.
constexpr std::chrono::milliseconds kNeighbourPoll{50};

bool InSubnet(std::uint32_t address, const NetworkInterface& adapter)
{
    return adapter.netmask != 0 && (address & adapter.netmask) == (adapter.address & adapter.netmask);
}

} // namespace

std::map<std::uint32_t, NetworkInterface> ProbeAdapters(const std::vector<std::uint32_t>& candidates,
                                                        const std::vector<NetworkInterface>& adapters,
                                                        std::set<std::uint32_t>& unchecked)
{
    std::map<std::uint32_t, NetworkInterface> probes;
    for (const std::uint32_t address : candidates) {
        bool found = false;
        for (const NetworkInterface& adapter : adapters) {
            if (InSubnet(address, adapter)) {
                probes.emplace(address, adapter);
                found = true;
                break;
            }
        }
        if (!found)
            unchecked.insert(address);
    }
    return probes;
}

bool SendNeighbourProbe(std::uint32_t address, const NetworkInterface& adapter, LogSink& log)
{
    SocketHandle socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        log.appendf("socket(SOCK_DGRAM) failed : %s\n", std::strerror(errno));
        return false;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(address);
    to.sin_port = htons(kProbePort);
    if (SendThroughAdapter(socket.get(), to, {}, &adapter) < 0) {
        log.appendf("Neighbour probe to %s on %s failed : %s\n", AddressText(address).c_str(),
                    adapter.name.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

std::multimap<std::uint32_t, std::string> ResolvedNeighbours(std::string_view arpTable)
{
    std::multimap<std::uint32_t, std::string> resolved;
    std::istringstream lines{std::string(arpTable)};
    std::string line;
    std::getline(lines, line); // the heading
    while (std::getline(lines, line)) {
        std::istringstream columns(line);
        std::string ip, type, flags, hardware, mask, device;
        if (!(columns >> ip >> type >> flags >> hardware >> mask >> device))
            continue;
        const std::optional<std::uint32_t> address = ParseDottedQuad(ip);
        unsigned long flagBits = 0;
        try {
            flagBits = std::stoul(flags, nullptr, 16);
        } catch (const std::exception&) {
            continue;
        }
        if (address && (flagBits & ATF_COM) != 0 && hardware != "00:00:00:00:00:00")
            resolved.emplace(*address, device);
    }
    return resolved;
}

std::multimap<std::uint32_t, std::string> ReadResolvedNeighbours()
{
    // The thread's own namespace: a thread may have entered another than its process.
    std::ifstream table("/proc/thread-self/net/arp");
    if (!table)
        table.open("/proc/net/arp");
    std::ostringstream text;
    text << table.rdbuf();
    return ResolvedNeighbours(text.str());
}

void TakeResolved(std::map<std::uint32_t, NetworkInterface>& pending,
                  const std::multimap<std::uint32_t, std::string>& resolved, std::set<std::uint32_t>& inUse)
{
    for (auto it = pending.begin(); it != pending.end();) {
        const auto [first, end] = resolved.equal_range(it->first);
        bool onAdapter = false;
        for (auto r = first; r != end; ++r)
            onAdapter = onAdapter || r->second == it->second.name;
        if (onAdapter) {
            inUse.insert(it->first);
            it = pending.erase(it);
        } else {
            ++it;
        }
    }
}

NeighbourCheck::NeighbourCheck(LogSink& log, QObject* parent) : QObject(parent), m_log(log)
{
    m_poll.setInterval(static_cast<int>(kNeighbourPoll.count()));
    connect(&m_poll, &QTimer::timeout, this, &NeighbourCheck::poll);
}

void NeighbourCheck::start(const std::vector<std::uint32_t>& candidates,
                           const std::vector<NetworkInterface>& adapters, std::chrono::milliseconds wait)
{
    cancel();
    m_answer = {};
    m_pending = ProbeAdapters(candidates, adapters, m_answer.unchecked);
    for (const auto& [address, adapter] : m_pending)
        SendNeighbourProbe(address, adapter, m_log);
    m_wait = wait;
    m_since.start();
    m_running = true;
    // The first look comes from the event loop too, so `finished` never
    // reaches the caller inside start().
    m_poll.start(m_pending.empty() ? 0 : static_cast<int>(kNeighbourPoll.count()));
}

void NeighbourCheck::cancel()
{
    m_poll.stop();
    m_pending.clear();
    m_running = false;
}

void NeighbourCheck::poll()
{
    if (!m_pending.empty())
        TakeResolved(m_pending, ReadResolvedNeighbours(), m_answer.inUse);
    if (!m_pending.empty() && m_since.elapsed() < m_wait.count()) {
        m_poll.setInterval(static_cast<int>(kNeighbourPoll.count()));
        return;
    }
    cancel();
    emit finished();
}

} // namespace Discovery
