// SPDX-License-Identifier: MIT
#include "sim/tcp_relay.h"

#include "discovery/packet.h"
#include "discovery/protocol_constants.h"
#include "sim/control_handler.h"
#include "sim/device_store.h"
#include "sim/event_log.h"
#include "sim/garbage.h"
#include "sim/reply_builder.h"
#include "sim/sim_options.h"

#include <QJsonObject>

#include <chrono>
#include <memory>

namespace Sim {

namespace {

StreamServer::Setup ServerSetup()
{
    StreamServer::Setup setup;
    setup.transport = "TCP";
    setup.prefix = "tcp";
    // A query is a few dozen characters; more than a datagram's worth is junk.
    setup.requestRoom = Discovery::kDatagramBufferSize;
    setup.requestLimit = std::chrono::seconds(10);
    return setup;
}

} // namespace

TcpRelay::TcpRelay(const SimOptions& options, DeviceStore& store, EventLog& log)
    : m_options(options), m_store(store), m_log(log), m_server(ServerSetup(), log, *this)
{
}

bool TcpRelay::open(std::uint16_t port, QString& error)
{
    return m_server.open(m_options.bindAddress, port, error);
}

bool TcpRelay::requestComplete(const std::string& in) const
{
    // The query is whole once its restored NUL is there.
    return Discovery::UnframeText(in).find('\0') != std::string::npos
        || in.size() >= Discovery::kDatagramBufferSize;
}

void TcpRelay::peerFinished(Connection& c)
{
    // The peer finished sending: take what came, or go.
    if (!c.in.empty())
        process(c);
    else
        m_server.close(c, "peer-closed");
}

void TcpRelay::process(Connection& c)
{
    const IncomingPackage package = ReadIncomingPackage(c.in);
    m_log.received("tcp", c.peer, package.flag, package.text, c.in.size());
    if (m_options.hang) {
        m_server.hang(c);
        return;
    }
    switch (package.flag) {
    case Discovery::kSearchQuery:
    case Discovery::kRelayQuery: {
        std::string text;
        const std::vector<Discovery::DeviceInfo> answering = m_store.answeringDevices();
        if (m_options.garbage) {
            std::string plain;
            for (const Discovery::DeviceInfo& device : answering)
                plain += PlainReply(device);
            text = GarbageRelayText(plain);
        } else {
            text = BuildRelayText(answering);
        }
        m_server.answer(c, {std::make_shared<const std::string>(std::move(text))});
        return;
    }
    case Discovery::kControlPackage:
        HandleControlPackage(package.text, m_store, m_log);
        break;
    default:
        break;
    }
    m_server.finish(c);
}

void TcpRelay::answered(Connection& c)
{
    m_log.event("relayed", {{QStringLiteral("to"), EndpointText(c.peer)},
                            {QStringLiteral("bytes"), static_cast<qint64>(c.sent)},
                            {QStringLiteral("devices"), static_cast<qint64>(m_store.devices().size())}});
}

} // namespace Sim
