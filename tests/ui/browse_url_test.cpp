// SPDX-License-Identifier: MIT
#include "ui/browse_url.h"

#include <gtest/gtest.h>

using Discovery::CopyToField;
using Discovery::DeviceInfo;
using Gui::BrowsePort;
using Gui::BrowseUrl;

namespace {

DeviceInfo Device(const char* ip, const char* port)
{
    DeviceInfo info{};
    CopyToField(info.ip, ip);
    CopyToField(info.trigger_port, port);
    return info;
}

std::string UrlText(const char* ip, const char* port)
{
    const auto url = BrowseUrl(Device(ip, port));
    return url ? url->toString().toStdString() : std::string("<none>");
}

} // namespace

TEST(BrowsePort, OnlyAWholeIntegerIsThePort)
{
    EXPECT_EQ(BrowsePort("8080"), 8080);
    EXPECT_EQ(BrowsePort("0"), 0);
    EXPECT_EQ(BrowsePort(""), 80);          // empty
    EXPECT_EQ(BrowsePort("abc"), 80);       // no digits
    EXPECT_EQ(BrowsePort("80x"), 80);       // trailing junk
    EXPECT_EQ(BrowsePort(" 81"), 80);       // leading blank
    EXPECT_EQ(BrowsePort("99999999999"), 80); // does not fit an int
    EXPECT_EQ(BrowsePort("-5"), -5);        // an integer, refused later as a port
}

TEST(BrowseUrl, BuildsHttpAddressFromIpAndPort)
{
    EXPECT_EQ(UrlText("10.0.0.1", "8080"), "http://10.0.0.1:8080");
    EXPECT_EQ(UrlText("10.0.0.1", ""), "http://10.0.0.1:80");
    EXPECT_EQ(UrlText("10.0.0.1", "web"), "http://10.0.0.1:80");
    EXPECT_EQ(UrlText("10.0.0.1", "65535"), "http://10.0.0.1:65535");
}

TEST(BrowseUrl, RefusesWhatIsNoHttpAddress)
{
    // Relay-page cells are unchecked: nothing may smuggle in a path, a user
    // or another scheme, and a missing host or impossible port opens nothing.
    EXPECT_EQ(UrlText("", "80"), "<none>");
    EXPECT_EQ(UrlText("10.0.0.1/admin", "80"), "<none>");
    EXPECT_EQ(UrlText("a b", "80"), "<none>");
    EXPECT_EQ(UrlText("u@10.0.0.1", "80"), "<none>");
    EXPECT_EQ(UrlText("10.0.0.1", "65536"), "<none>");
    EXPECT_EQ(UrlText("10.0.0.1", "-1"), "<none>");
}
