// SPDX-License-Identifier: MIT
#include "discovery/relay_page_road.h"

#include "discovery/relay_page.h"

namespace Discovery {

RelayPageRoad::RelayPageRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints)
    : SearchRoad(state), m_settings(settings), m_fetch(endpoints.relayPageWait)
{
    connect(&m_fetch, &RelayPageFetch::done, this, &RelayPageRoad::pageIn);
}

void RelayPageRoad::start()
{
    m_fetch.start(RelayPageUrl(m_settings.relayHost, state().projectFilter));
}

void RelayPageRoad::pageIn()
{
    std::vector<std::string> lines = m_fetch.lines();
    CleanHtml(lines);
    const std::size_t before = state().devices.size();
    PhaseItem(state(), lines);
    if (state().devices.size() != before)
        emit devicesAdded();
    emit finished();
}

void RelayPageRoad::cancel()
{
    m_fetch.cancel();
}

} // namespace Discovery
