// SPDX-License-Identifier: MIT
#include "discovery/search_road.h"

#include "discovery/datagram_road.h"
#include "discovery/relay_page_road.h"
#include "discovery/tcp_relay_road.h"

#include <algorithm>

namespace Discovery {

void SearchRoad::ArmAt(QTimer& timer, Clock::time_point when)
{
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    timer.start(std::max(wait, std::chrono::milliseconds(0)));
}

RoadKind KindOfRoad(const SearchSettings& settings)
{
    // The transport texts are compared exactly, as the box gives them.
    if (!settings.localBroadcast && settings.transport == "HttpCmd")
        return RoadKind::RelayPage;
    if (!settings.localBroadcast && settings.transport == "TCP")
        return RoadKind::TcpRelay;
    return RoadKind::Datagram;
}

std::unique_ptr<SearchRoad> MakeSearchRoad(DiscoveryState& state, const SearchSettings& settings,
                                           const NetworkEndpoints& endpoints)
{
    switch (KindOfRoad(settings)) {
    case RoadKind::RelayPage:
        return std::make_unique<RelayPageRoad>(state, settings, endpoints);
    case RoadKind::TcpRelay:
        return std::make_unique<TcpRelayRoad>(state, settings, endpoints);
    case RoadKind::Datagram:
        break;
    }
    return std::make_unique<DatagramRoad>(state, settings, endpoints);
}

} // namespace Discovery
