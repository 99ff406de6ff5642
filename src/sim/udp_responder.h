// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/socket_handle.h"
#include "sim/scheduler.h"

#include <QString>
#include <QtGlobal>

#include <netinet/in.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Sim {

class DeviceStore;
class EventLog;
struct SimOptions;

// The devices' UDP side: answers flag-00 queries (by broadcast, or as the
// options say) and flag-02 relay queries (to the sender), and applies flag-03
// control packages. Every received datagram is logged.
class UdpResponder {
    Q_DISABLE_COPY(UdpResponder)
public:
    UdpResponder(const SimOptions& options, DeviceStore& store, EventLog& log, Scheduler& scheduler);

    // Opens the socket (address reuse, broadcast) on the options' address and port.
    bool open(QString& error);
    int fd() const { return m_socket.get(); }
    std::uint16_t port() const { return m_port; }

    // Reads and handles the datagrams waiting on the socket.
    void onReadable();

private:
    void handle(std::string_view datagram, const sockaddr_in& from);
    void answer(const sockaddr_in& to);
    void sendAnswer(const sockaddr_in& to);
    std::vector<std::string> answerDatagrams() const;
    bool sendDatagram(const std::string& bytes, const sockaddr_in& to);
    void floodStep(std::uint64_t generation);
    std::string nextDistinctFloodDatagram();

    const SimOptions& m_options;
    DeviceStore& m_store;
    EventLog& m_log;
    Scheduler& m_scheduler;
    Discovery::SocketHandle m_socket;
    std::uint16_t m_port = 0;
    std::vector<char> m_buffer;

    // One flood at a time; a new query starts it over.
    std::uint64_t m_floodGeneration = 0;
    std::vector<std::string> m_flood;
    std::size_t m_floodNext = 0;
    sockaddr_in m_floodTo{};
    Scheduler::Clock::time_point m_floodEnd{};
    // Devices made up so far by --flood-distinct; each has an ip and mac of its own.
    std::uint32_t m_floodSerial = 0;
};

} // namespace Sim
