// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/relay_page_fetch.h"
#include "discovery/search_road.h"

namespace Discovery {

// The relay's HTTP-command road: the page "/device.get?DeviceType=" with
// the project filter, fetched within 20 s, then its structural tags
// stripped and each table row made a grid row and a device.
class RelayPageRoad final : public SearchRoad {
    Q_OBJECT

public:
    RelayPageRoad(DiscoveryState& state, const SearchSettings& settings, const NetworkEndpoints& endpoints);

    void start() override;
    void cancel() override;

private:
    void pageIn();

    const SearchSettings m_settings;
    RelayPageFetch m_fetch;
};

} // namespace Discovery
