// SPDX-License-Identifier: MIT
#include "discovery/packet.h"

#include "discovery/framing.h"
#include "discovery/protocol_constants.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace Discovery {

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// inet_addr cannot tell 255.255.255.255 from a failure, so both are refused.
bool IsAddressToken(const std::string& token)
{
    return inet_addr(token.c_str()) != INADDR_NONE;
}

// Whether `token` may fill the field with index `field`. Checked fields take
// a token only whole: a cut address, port or MAC would be a wrong value.
bool AcceptsToken(int field, const std::string& token, std::size_t width)
{
    const bool fits = token.size() < width;
    switch (field) {
    case kIp:
    case kNetmask: return fits && IsAddressToken(token);
    case kTriggerPort: {
        const long port = ReadDecimal(token);
        return fits && port >= 0 && port <= 65535;
    }
    case kMac: return fits && GetMacFromCString(token);
    default: return true; // free text: cut to fit below
    }
}

// Splits like strtok with ",\n": runs of separators count as one, no token is empty.
std::vector<std::string> Tokens(std::string_view text)
{
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ',' || text[i] == '\n'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ',' && text[i] != '\n')
            ++i;
        if (i > start)
            tokens.emplace_back(text.substr(start, i - start));
    }
    return tokens;
}

} // namespace

long ReadDecimal(std::string_view text)
{
    constexpr long kLimit = 1'000'000'000'000L;
    std::size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

bool GetMacFromCString(std::string_view text)
{
    return std::count(text.begin(), text.end(), ':') >= 5;
}

std::string PlainPacketText(int flag, const DeviceInfo* info)
{
    char text[kDatagramBufferSize];
    text[0] = '\0';
    if (flag == kSearchQuery || flag == kRelayQuery) {
        std::snprintf(text, sizeof text, "%s,%02d,%s", kVendorTag, flag, kQueryMarker);
    } else if ((flag == kDeviceReply || flag == kControlPackage) && info != nullptr) {
        // Every field is terminated within its width, so the text always fits.
        std::snprintf(text, sizeof text, "%s,%02d,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s,%s", kVendorTag,
                      flag, info->model.data(), info->proj.data(), info->name.data(),
                      info->ip.data(), info->trigger_port.data(), info->netmask.data(),
                      info->gateway.data(), info->dns.data(), info->mac.data(),
                      info->dev.data(), info->note.data());
    }
    return text;
}

int BuildPacket(int flag, std::span<char> output, const DeviceInfo* info, LogSink& log)
{
    const bool carriesFields = flag == kDeviceReply || flag == kControlPackage;
    if (carriesFields && info == nullptr)
        log.appendf("Invalid pInfo [%d]", flag);
    else if (!carriesFields && flag != kSearchQuery && flag != kRelayQuery)
        log.appendf("Undefined flag = %d", flag);

    std::string text = PlainPacketText(flag, info);
    if (text.empty())
        return -1;
    if (carriesFields)
        log.appendf("[%s]", text.c_str());

    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0); // the NUL travels too, inverted to 0xFF
    InvertBytes(bytes.data(), bytes.size());
    std::vector<char> framed((bytes.size() + 2) / 3 * 4 + 1);
    if (Base64Encode(framed, bytes) <= 0 || output.size() < framed.size())
        return -1;
    std::copy(framed.begin(), framed.end(), output.begin());
    return 0;
}

int ParsePacket(std::string_view packet, DeviceInfo& info, LogSink& log)
{
    packet = packet.substr(0, std::min(packet.find('\0'), packet.size()));

    // An empty field becomes " ", so the tokenizer below does not lose it.
    std::string text;
    text.reserve(packet.size() + packet.size() / 2 + 1);
    for (std::size_t i = 0; i < packet.size(); ++i) {
        text.push_back(packet[i]);
        if (packet[i] == ',' && i + 1 < packet.size() && packet[i + 1] == ',')
            text.push_back(' ');
    }

    if (text.compare(0, kVendorTagLength, kVendorTag) != 0)
        return -1;

    // Tokens start after the tag and the one character behind it.
    const std::vector<std::string> tokens =
        Tokens(text.size() > kVendorTagLength + 1 ? std::string_view(text).substr(kVendorTagLength + 1)
                                                  : std::string_view());
    long flag = -1;
    if (!tokens.empty())
        flag = ReadDecimal(tokens[0]);

    int due = 0;
    for (std::size_t t = 1; t < tokens.size() && due < kDeviceFieldCount; ++t) {
        std::span<char> field = FieldAt(info, due);
        if (!AcceptsToken(due, tokens[t], field.size()))
            continue;
        CopyToField(field, tokens[t]);
        ++due;
    }

    if (flag == kSearchQuery)
        return 0;
    if (flag == kDeviceReply)
        return 1;
    log.appendf("flag(%02ld) not implemented.\n", flag);
    return -1;
}

std::string FrameBytes(std::string_view plainWithNuls)
{
    std::vector<std::uint8_t> bytes(plainWithNuls.begin(), plainWithNuls.end());
    InvertBytes(bytes.data(), bytes.size());
    std::vector<char> framed((bytes.size() + 2) / 3 * 4 + 1);
    const int n = Base64Encode(framed, bytes);
    return n > 0 ? std::string(framed.data(), static_cast<std::size_t>(n)) : std::string();
}

std::string UnframeText(std::string_view framed)
{
    std::vector<std::uint8_t> decoded(kDatagramBufferSize, 0);
    // One byte stays zero so the plain text is always terminated.
    const std::size_t n = Base64Decode(std::span(decoded).first(decoded.size() - 1), framed);
    InvertBytes(decoded.data(), n);
    return std::string(reinterpret_cast<const char*>(decoded.data()), n);
}

} // namespace Discovery
