// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace Discovery {

// Complements `count` bytes in place. Returns 0, or -1 when no buffer is given.
int InvertBytes(void* buffer, std::size_t count);

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks) of `input`
// into `output`, closed by a NUL. Returns the number of characters written
// without the NUL, or -1 (and an empty output) when `output` is too small.
int Base64Encode(std::span<char> output, std::span<const std::uint8_t> input);

// Lenient decoder used on whatever arrives from the network: characters
// outside the alphabet are skipped, "=" stops decoding only where a character
// is due, and each byte is written as soon as its last bits arrive. The text
// ends at its first NUL or at the end of the view. Writes at most
// `output.size()` bytes and does not terminate them; returns the count.
std::size_t Base64Decode(std::span<std::uint8_t> output, std::string_view text);

// The same decoder for a text that arrives in pieces (a relay's stream): the
// pieces decode exactly as their concatenation would in one call.
class Base64StreamDecoder {
public:
    // Decodes the next piece into `output`, at most `output.size()` bytes
    // (a piece of n characters gives at most n * 3 / 4 + 1). Returns the count.
    std::size_t feed(std::string_view piece, std::span<std::uint8_t> output);
    // True once "=" where a character was due, or a NUL, ended the text.
    bool stopped() const { return m_stopped; }

private:
    int m_position = 0;     // of the next character within its four-character quantum
    unsigned m_pending = 0; // bits of the byte being completed, already shifted
    bool m_skipping = false; // characters outside the alphabet were skipped since the last one taken
    bool m_stopped = false;
};

} // namespace Discovery
