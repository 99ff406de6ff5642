// SPDX-License-Identifier: MIT
#include "discovery/framing.h"
#include "discovery/packet.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <string>
#include <vector>

using namespace Discovery;

namespace {

std::string Encode(std::string_view bytes)
{
    std::vector<char> out((bytes.size() + 2) / 3 * 4 + 1);
    const std::vector<std::uint8_t> in(bytes.begin(), bytes.end());
    const int n = Base64Encode(out, in);
    return n < 0 ? "<error>" : std::string(out.data(), static_cast<std::size_t>(n));
}

std::string Decode(std::string_view text)
{
    std::vector<std::uint8_t> out(text.size() + 4, 0);
    const std::size_t n = Base64Decode(out, text);
    return std::string(out.begin(), out.begin() + static_cast<long>(n));
}

} // namespace

TEST(Base64, EncodesRfc4648Vectors)
{
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"}, {"\xfb\xff", "+/8="}}; // high bytes use the last two alphabet characters
    for (const auto& [plain, coded] : vectors)
        EXPECT_EQ(Encode(plain), coded) << coded;
}

TEST(Base64, EncoderRefusesTooSmallOutput)
{
    std::vector<char> out(4, 'x'); // "Zm9v" needs 5 with its NUL
    const std::vector<std::uint8_t> in{'f', 'o', 'o'};
    EXPECT_EQ(Base64Encode(out, in), -1);
    EXPECT_EQ(out[0], '\0');
}

TEST(Base64, DecoderFollowsTheLenientRules)
{
    EXPECT_EQ(Decode("Zm9vYmFy"), "foobar");
    // Two characters and "==" give one byte.
    EXPECT_EQ(Decode("Zg=="), "f");
    // Line breaks, blanks and other strangers are skipped.
    EXPECT_EQ(Decode("Zm9v\r\nYm Fy"), "foobar");
    // An incomplete trailing quantum still yields its complete bytes.
    EXPECT_EQ(Decode("Zm9vYm"), "foob");
    EXPECT_EQ(Decode("Zm9vY"), "foo"); // a lone trailing character yields none
    // "=" stops only where a character is due, not inside a skipped run.
    EXPECT_EQ(Decode("Zm9v=Ym"), "foo");
    EXPECT_EQ(Decode("Zm\n=9v"), "foo"); // "=" met while skipping is skipped
    // The text ends at its first NUL.
    EXPECT_EQ(Decode(std::string_view("Zm9v\0YmFy", 9)), "foo");
    EXPECT_EQ(Decode(""), "");
    EXPECT_EQ(Decode("===="), "");
}

TEST(Base64, DecoderNeverWritesPastItsOutput)
{
    std::vector<std::uint8_t> out(4, 0xAA);
    const std::size_t n = Base64Decode(std::span(out).first(2), "Zm9vYmFy");
    EXPECT_EQ(n, 2u);
    EXPECT_EQ(out[2], 0xAA);
}

TEST(Base64, RandomBytesRoundTrip)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        EXPECT_EQ(Decode(Encode(bytes)), bytes);
    }
}

TEST(InvertBytes, ComplementsInPlaceAndRefusesNull)
{
    unsigned char bytes[] = {0x00, 0xFF, 0x5A};
    EXPECT_EQ(InvertBytes(bytes, 3), 0);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0xA5);
    EXPECT_EQ(InvertBytes(nullptr, 3), -1);
}
