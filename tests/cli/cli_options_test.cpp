// SPDX-License-Identifier: MIT
#include "cli/cli_options.h"
#include "cli/search_command.h"
#include "cli/setup_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace Cli;

TEST(SearchOptions, DefaultsAreTheWindowsOwnAndEveryOptionIsRead)
{
    std::string error;
    auto options = ParseSearchOptions({}, error);
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->relayHost);
    EXPECT_EQ(options->transport, "TCP");
    EXPECT_EQ(options->project, "ALL");
    EXPECT_EQ(options->format, OutputFormat::Table);

    options = ParseSearchOptions(
        {"--relay", "10.77.0.5:8080", "--transport", "HttpCmd", "--project", "Mirkla", "--format", "json", "-q"},
        error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->relayHost, "10.77.0.5:8080");
    EXPECT_EQ(options->transport, "HttpCmd");
    EXPECT_EQ(options->project, "Mirkla");
    EXPECT_EQ(options->format, OutputFormat::Json);
    EXPECT_TRUE(options->quiet);
}

TEST(SetupOptions, NeedsAMacAndExactlyOneNetworkType)
{
    std::string error;
    auto options = ParseSetupOptions({"--mac", "00:11:22:33:44:55", "--dhcp"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->dhcp);
    options = ParseSetupOptions({"--mac", "m", "--static", "--ip", "10.0.0.9", "--netmask", "255.0.0.0",
                                 "--gateway", "10.0.0.1", "--dns", "10.0.0.2", "--relay", "10.77.0.5"},
                                error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->ip, "10.0.0.9");
    EXPECT_EQ(options->relayHost, "10.77.0.5");

    const std::vector<std::vector<std::string>> bad = {
        {"--dhcp"},
        {"--mac", "m"},
        {"--mac", "m", "--dhcp", "--static"},
        {"--mac", "m", "--static", "--ip", "10.0.0.9"},
        {"--mac", "m", "--dhcp", "--ip", "10.0.0.9"},
        {"--mac", "m", "--dhcp", "--transport", "SCTP"},
    };
    for (const auto& args : bad)
        EXPECT_FALSE(ParseSetupOptions(args, error)) << args.back();
}

TEST(SetupCommand, RefusesAnAddressADeviceCannotTakeBeforeSearching)
{
    // Should a row slip through, its search stays on loopback.
    Discovery::NetworkEndpoints loopback;
    loopback.broadcastAddress = 0x7F000001;
    loopback.devicePort = 9;
    loopback.replyPort = 0;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--netmask", "255.255.255.255"},
         "Invalid Netmask - [255.255.255.255]: 255.255.255.255 leaves no other host on the network\n"},
        {{"--ip", "10.9"}, "Invalid IP Address - [10.9]: not four decimal numbers 0-255 joined by dots\n"},
        {{"--ip", "239.1.2.3"}, "Invalid IP Address - [239.1.2.3]: a multicast address\n"},
        {{"--netmask", "255.0.0.255"},
         "Invalid Netmask - [255.0.0.255]: not contiguous: its ones must all come before its zeros\n"},
        {{"--dns", "010.0.0.2"},
         "Invalid DNS - [010.0.0.2]: a number with a leading zero, which some devices read as octal\n"},
    };
    for (const auto& [change, message] : cases) {
        std::vector<std::string> args = {"--mac", "m", "--static", "--ip", "10.0.0.9", "--netmask", "255.0.0.0",
                                         "--gateway", "10.0.0.1", "--dns", "10.0.0.2"};
        *(std::find(args.begin(), args.end(), change[0]) + 1) = change[1];
        std::ostringstream out, err;
        EXPECT_EQ(SetupCommand(args, out, err, loopback), 2) << change[1];
        EXPECT_EQ(err.str(), message);
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(SearchOptions, BadOptionsGiveOneLineAndExitTwo)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--relay"}, {"--relay", ""}, {"--transport", "tcp"}, {"--format", "xml"}, {"--frobnicate"}, {"--project"},
        // A transport without a relay host would be silently ignored.
        {"--transport", "UDP"}};
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(ParseSearchOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);

        std::ostringstream out, err;
        EXPECT_EQ(SearchCommand(args, out, err), 2);
        EXPECT_TRUE(out.str().empty()); // nothing searched, nothing printed
        const std::string message = err.str();
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    }
}

TEST(WatchOptions, TakesTheSearchFiltersAndARoundInterval)
{
    std::string error;
    auto options = ParseWatchOptions({}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->everySeconds, 15);
    options = ParseWatchOptions({"--project", "--every", "--every", "2", "--relay", "10.0.0.5", "--transport", "UDP"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->search.project, "--every");
    EXPECT_EQ(options->everySeconds, 2);
    EXPECT_EQ(options->search.transport, "UDP");

    const std::vector<std::vector<std::string>> bad = {
        {"--every", "0"}, {"--every", "1.5"}, {"--every", "x"}, {"--every"}, {"--every", "99999999999"},
        {"--format", "json"}, {"--transport", "UDP"}, {"--frobnicate"}};
    for (const auto& args : bad)
        EXPECT_FALSE(ParseWatchOptions(args, error)) << args.front() << " " << args.back();
}
