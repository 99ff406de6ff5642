// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace Sim {

// One malformed datagram of the --garbage mode.
struct GarbageDatagram {
    std::string name;
    std::string bytes;
    // The packet parser reads it as a device reply (result 1) all the same:
    // truncated, cut or over-long texts that still open with "Kestravon,01".
    bool readsAsReply = false;
};

// Every kind of junk a receiver must survive: empty and 65,507-byte
// datagrams, text outside the Base64 alphabet, plain or uninverted texts,
// wrong or miscased tags, flags 07, 02 and 03, a bare tag, truncated fields,
// Base64 cut short, over-long tokens and binary noise. Always the same bytes.
std::vector<GarbageDatagram> GarbageDatagrams();

// The TCP relay's --garbage answer: the junk plain packets followed by
// `validPlain` (the devices' own packets), all in one framed text.
std::string GarbageRelayText(const std::string& validPlain);

} // namespace Sim
