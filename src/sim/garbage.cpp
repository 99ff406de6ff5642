// SPDX-License-Identifier: MIT
#include "sim/garbage.h"

#include "discovery/framing.h"
#include "discovery/packet.h"
#include "sim/reply_builder.h"

#include <cstdint>
#include <vector>

namespace Sim {

namespace {

// A well-formed field list that belongs to no simulated device.
const std::string kFields = "GarbageCam,Orvane,Junk,10.99.99.99,80,255.255.255.0,10.99.99.1,"
                            "10.99.99.2,02:00:5E:99:99:99,eth0,static";

std::string Framed(const std::string& plain, bool withNul = true)
{
    return Discovery::FrameBytes(withNul ? plain + '\0' : plain);
}

// Base64 of bytes that are not inverted first.
std::string Base64Only(const std::string& bytes)
{
    std::vector<char> out((bytes.size() + 2) / 3 * 4 + 1);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const int n = Discovery::Base64Encode(out, std::span(data, bytes.size()));
    return n > 0 ? std::string(out.data(), static_cast<std::size_t>(n)) : std::string();
}

std::string OverlongTokens()
{
    const std::string x(200, 'X');
    // An address and a port that pass their parsers only once the blanks are ignored.
    return "Kestravon,01," + x + ',' + x + ',' + x + ",10.99.99.97" + std::string(40, ' ') + ",80"
           + std::string(40, ' ') + ',' + x + ',' + x + ',' + x + ",02:00:5E:99:99:97" + std::string(40, ':')
           + ',' + x + ',' + x;
}

std::string OverlongModel()
{
    return "Kestravon,01," + std::string(300, 'M') + ",Orvane,Long model,10.99.99.98,80,255.255.255.0,"
           "10.99.99.1,10.99.99.2,02:00:5E:99:99:98,eth0,static";
}

std::string Noise(std::size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 0x9E3779B9u;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

} // namespace

std::vector<GarbageDatagram> GarbageDatagrams()
{
    const std::string reply = "Kestravon,01," + kFields;
    const std::string fullFrame = Framed(reply);
    std::vector<GarbageDatagram> list;
    list.push_back({"empty", "", false});
    list.push_back({"outside-alphabet", "%%%%!!!!****^^^^~~~~", false});
    list.push_back({"plain-text", reply, false});
    list.push_back({"not-inverted", Base64Only(reply + '\0'), false});
    list.push_back({"wrong-tag", Framed("Kestrav0n,01," + kFields), false});
    list.push_back({"lowercase-tag", Framed("kestravon,01," + kFields), false});
    list.push_back({"flag-07", Framed("Kestravon,07," + kFields), false});
    list.push_back({"flag-02", Framed("Kestravon,02,????"), false});
    list.push_back({"flag-03", Framed("Kestravon,03," + kFields), false});
    list.push_back({"bare-tag", Framed("Kestravon"), false});
    list.push_back({"truncated-fields", Framed("Kestravon,01,GarbageCam,Orvane"), true});
    list.push_back({"cut-base64", fullFrame.substr(0, 57), true});
    list.push_back({"overlong-tokens", Framed(OverlongTokens()), true});
    list.push_back({"overlong-model", Framed(OverlongModel()), true});
    list.push_back({"no-nul", Framed(reply, false), true});
    list.push_back({"binary-noise", Noise(512), false});
    list.push_back({"huge-alphabet", std::string(kMaxUdpPayload, 'A'), false});
    // The largest framed text that fits one datagram, under a flag nobody knows.
    const std::size_t hugePlain = kMaxUdpPayload / 4 * 3 - 1 - 13;
    list.push_back({"huge-framed", Framed("Kestravon,07," + std::string(hugePlain, 'Y')), false});
    return list;
}

std::string GarbageRelayText(const std::string& validPlain)
{
    std::string plain;
    for (const std::string& text :
         {std::string("Kestrav0n,01,") + kFields, std::string("kestravon,01,") + kFields,
          std::string("Kestravon,07,") + kFields, std::string("Kestravon,03,") + kFields,
          std::string("Kestravon"), std::string("Kestravon,01,GarbageCam,Orvane"), OverlongTokens(),
          OverlongModel()})
        plain += text + '\0';
    return Discovery::FrameBytes(plain + validPlain);
}

} // namespace Sim
