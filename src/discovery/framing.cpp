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
    std::size_t in = 0;
    std::size_t written = 0;
    unsigned pending = 0; // bits of the byte being completed, already shifted

    const auto atEnd = [&] { return in >= text.size() || text[in] == '\0'; };
    const auto put = [&](unsigned byte) {
        if (written >= output.size())
            return false;
        output[written++] = static_cast<std::uint8_t>(byte);
        return true;
    };

    for (;;) {
        for (int position = 0; position < 4; ++position) {
            if (!atEnd() && text[in] == '=')
                return written;
            int value = -1;
            while (!atEnd() && (value = AlphabetValue(static_cast<unsigned char>(text[in]))) < 0)
                ++in;
            if (atEnd())
                return written;
            ++in;
            const auto v = static_cast<unsigned>(value);
            switch (position) {
            case 0: pending = v << 2; break;
            case 1:
                if (!put(pending | (v >> 4))) return written;
                pending = (v & 0x0F) << 4;
                break;
            case 2:
                if (!put(pending | (v >> 2))) return written;
                pending = (v & 0x03) << 6;
                break;
            case 3:
                if (!put(pending | v)) return written;
                break;
            }
        }
    }
}

} // namespace Discovery
