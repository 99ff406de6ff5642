// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/framing.h"
#include "discovery/search_road.h"

#include <QSocketNotifier>
#include <QTimer>

#include <string>

namespace Discovery {

// The relay's TCP road: connect to the relay host's port 6666, send the
// relay query, pause, then read one framed text until the relay closes.
// Records are listed as their text completes, so a long answer fills the
// grid while it arrives. Bounded throughout: the connect and the first data
// by kTcpRelayFirstData, the whole exchange by kTcpRelayTotal, the answer by
// kRelayAnswerLimit bytes and the round's device cap. A record the bound
// cut off is never listed.
class TcpRelayRoad final : public SearchRoad {
    Q_OBJECT

public:
    // About 440 framed bytes make the longest record; this holds the
    // device cap's worth of them.
    static constexpr std::size_t kRelayAnswerLimit = 32u << 20;

    TcpRelayRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints);
    ~TcpRelayRoad() override;

    void start() override;
    void cancel() override;

private:
    enum class Step { Idle, Connecting, Pausing, AwaitingData, Reading };

    void connected();
    void writable();
    void readable();
    void timedOut();
    // Decodes more of the answer and lists the records it completes.
    // False once the answer is over (its end, a bound, the device cap).
    bool consume(const char* data, std::size_t size);
    void decode(const char* data, std::size_t size);
    // The answer is over: `whole` when the relay ended it itself, so its
    // last record is complete even without a closing NUL.
    void endOfAnswer(bool whole);
    void reportDevices();
    void finish();
    void finishSoon();
    void close();

    const SearchSettings m_settings;
    const NetworkEndpoints m_endpoints;
    bool m_running = false;
    Step m_step = Step::Idle;
    Clock::time_point m_deadline;
    std::chrono::milliseconds m_firstDataWait{0};
    SocketHandle m_socket;
    // Children of the road, let go of with deleteLater: one may be the
    // sender whose signal is running when the road closes.
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QTimer m_timer;
    Base64StreamDecoder m_decoder;
    std::string m_plain;     // decoded text not yet walked
    std::size_t m_received = 0;
    std::size_t m_packets = 0;
    std::size_t m_reported = 0; // devices in the list when devicesAdded() was last sent
    bool m_walkEnded = false;
};

} // namespace Discovery
