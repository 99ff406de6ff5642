// SPDX-License-Identifier: MIT
#include "discovery/framing.h"

namespace Discovery {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Value 0..63 of an alphabet character, -1 for anything else.
int AlphabetValue(unsigned char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

} // namespace

int InvertBytes(void* buffer, std::size_t count)
{
    if (buffer == nullptr)
        return -1;
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<unsigned char>(~bytes[i]);
    return 0;
}

int Base64Encode(std::span<char> output, std::span<const std::uint8_t> input)
{
    const std::size_t needed = (input.size() + 2) / 3 * 4 + 1;
    if (output.size() < needed) {
        if (!output.empty())
            output[0] = '\0';
        return -1;
    }
    std::size_t out = 0;
    std::size_t i = 0;
    for (; i + 3 <= input.size(); i += 3) {
        const unsigned v = (input[i] << 16) | (input[i + 1] << 8) | input[i + 2];
        output[out++] = kAlphabet[(v >> 18) & 63];
        output[out++] = kAlphabet[(v >> 12) & 63];
        output[out++] = kAlphabet[(v >> 6) & 63];
        output[out++] = kAlphabet[v & 63];
    }
    const std::size_t rest = input.size() - i;
    if (rest == 1) {
        const unsigned v = input[i] << 16;
        output[out++] = kAlphabet[(v >> 18) & 63];
        output[out++] = kAlphabet[(v >> 12) & 63];
        output[out++] = '=';
        output[out++] = '=';
    } else if (rest == 2) {
        const unsigned v = (input[i] << 16) | (input[i + 1] << 8);
        output[out++] = kAlphabet[(v >> 18) & 63];
        output[out++] = kAlphabet[(v >> 12) & 63];
        output[out++] = kAlphabet[(v >> 6) & 63];
        output[out++] = '=';
    }
    output[out] = '\0';
    return static_cast<int>(out);
}

std::size_t Base64Decode(std::span<std::uint8_t> output, std::string_view text)
{
    Base64StreamDecoder decoder;
    return decoder.feed(text, output);
}

std::size_t Base64StreamDecoder::feed(std::string_view piece, std::span<std::uint8_t> output)
{
    std::size_t written = 0;
    for (const char c : piece) {
        if (m_stopped || c == '\0') {
            m_stopped = true;
            break;
        }
        // "=" stops only where a character is due; met while skipping it is skipped.
        if (c == '=' && !m_skipping) {
            m_stopped = true;
            break;
        }
        const int value = AlphabetValue(static_cast<unsigned char>(c));
        if (value < 0) {
            m_skipping = true;
            continue;
        }
        m_skipping = false;
        const auto v = static_cast<unsigned>(value);
        unsigned byte = 0;
        bool complete = true;
        switch (m_position) {
        case 0: m_pending = v << 2; complete = false; break;
        case 1: byte = m_pending | (v >> 4); m_pending = (v & 0x0F) << 4; break;
        case 2: byte = m_pending | (v >> 2); m_pending = (v & 0x03) << 6; break;
        default: byte = m_pending | v; break;
        }
        m_position = (m_position + 1) % 4;
        if (complete) {
            if (written >= output.size()) {
                m_stopped = true; // no room: the caller's bound ends the text
                break;
            }
            output[written++] = static_cast<std::uint8_t>(byte);
        }
    }
    return written;
}

} // namespace Discovery
