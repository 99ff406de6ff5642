// SPDX-License-Identifier: MIT
#include "sim/http_request.h"

#include <gtest/gtest.h>

using namespace Sim;

TEST(HttpRequest, HeadEndsAtTheFirstBlankLine)
{
    // CR LF and bare LF line ends.
    EXPECT_EQ(RequestHeadEnd("GET / HTTP/1.1\r\nHost: x\r\n\r\nbody"), 27u);
    EXPECT_EQ(RequestHeadEnd("GET / HTTP/1.0\n\n"), 16u);
    EXPECT_EQ(RequestHeadEnd("GET / HTTP/1.0\r\n\n"), 17u);
    // Not yet ended: a line end alone, or a head cut inside the blank line.
    EXPECT_EQ(RequestHeadEnd("GET / HTTP/1.1\r\n"), std::string_view::npos);
    EXPECT_EQ(RequestHeadEnd("GET / HTTP/1.1\r\nHost: x\r\n\r"), std::string_view::npos);
    EXPECT_EQ(RequestHeadEnd(""), std::string_view::npos);
}

TEST(HttpRequest, ReadsWellFormedRequestLines)
{
    const auto request = ParseRequestLine("GET /device.get?DeviceType=ALL HTTP/1.1\r\nHost: 10.77.1.2\r\n\r\n");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->method, "GET");
    EXPECT_EQ(request->target, "/device.get?DeviceType=ALL");
    EXPECT_EQ(request->version, "HTTP/1.1");
    // Bare LF, HTTP/1.0 and another method still parse; the relay decides about them.
    const auto other = ParseRequestLine("POST /x HTTP/1.0\n\n");
    ASSERT_TRUE(other);
    EXPECT_EQ(other->method, "POST");
}

TEST(HttpRequest, RefusesMalformedRequestLines)
{
    for (const char* line : {
             "",                                   // nothing
             "GET\r\n",                            // no target
             "GET /x\r\n",                         // no version
             " GET /x HTTP/1.1\r\n",               // no method
             "GET  /x HTTP/1.1\r\n",               // two spaces
             "GET /x HTTP/1.1 extra\r\n",          // a fourth word
             "get /x HTTP/1.1\r\n",                // methods are upper case
             "GET x HTTP/1.1\r\n",                 // not a path
             "GET http://h/x HTTP/1.1\r\n",        // absolute form: we are no proxy
             "GET /x\x01y HTTP/1.1\r\n",           // a control byte
             "GET /x\xc3\xa9 HTTP/1.1\r\n",        // 8-bit bytes belong percent-encoded
             "GET /x HTTP/2.0\r\n",                // another protocol
             "GET /x FTP/1.1\r\n",
         })
        EXPECT_FALSE(ParseRequestLine(line)) << line;
}

TEST(HttpRequest, QueryValuesArePercentDecoded)
{
    EXPECT_EQ(TargetPath("/device.get?DeviceType=ALL"), "/device.get");
    EXPECT_EQ(TargetPath("/device.get"), "/device.get");
    EXPECT_EQ(QueryValue("/device.get?DeviceType=Mirkla", "DeviceType"), "Mirkla");
    // An empty filter text is an empty value, not a missing one.
    EXPECT_EQ(QueryValue("/device.get?DeviceType=", "DeviceType"), "");
    EXPECT_EQ(QueryValue("/device.get?DeviceType", "DeviceType"), "");
    EXPECT_EQ(QueryValue("/device.get?a=1&DeviceType=Dovrek&b=2", "DeviceType"), "Dovrek");
    // The first of two wins; the key is matched exactly.
    EXPECT_EQ(QueryValue("/d?DeviceType=A&DeviceType=B", "DeviceType"), "A");
    EXPECT_FALSE(QueryValue("/d?devicetype=A", "DeviceType"));
    EXPECT_FALSE(QueryValue("/device.get", "DeviceType"));
    EXPECT_FALSE(QueryValue("/device.get?", "DeviceType"));
    // Encoded bytes decode; "+" stays; a fragment is not part of the value.
    EXPECT_EQ(QueryValue("/d?DeviceType=My%20Cams%2b+x", "DeviceType"), "My Cams++x");
    EXPECT_EQ(QueryValue("/d?DeviceType=A#frag", "DeviceType"), "A");
}

TEST(HttpRequest, PercentDecodeLeavesBrokenEscapesAlone)
{
    EXPECT_EQ(PercentDecode("%41%62%2F"), "Ab/");
    EXPECT_EQ(PercentDecode("%C3%A9"), "\xc3\xa9");
    EXPECT_EQ(PercentDecode("%00"), std::string(1, '\0'));
    EXPECT_EQ(PercentDecode("100%"), "100%");
    EXPECT_EQ(PercentDecode("%4"), "%4");
    EXPECT_EQ(PercentDecode("%zz%4g"), "%zz%4g");
}
