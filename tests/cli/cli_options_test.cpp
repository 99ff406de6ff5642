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

    EXPECT_FALSE(options->allFields);

    // A value after a blank or after "=", a transport in any letter case.
    const std::vector<std::vector<std::string>> spellings = {
        {"--relay", "10.77.0.5:8080", "--transport", "HttpCmd", "--project", "Mirkla", "--format", "json", "-q",
         "--all-fields"},
        {"--relay=10.77.0.5:8080", "--transport=httpcmd", "--project=Mirkla", "--format=json", "-q", "--all-fields"},
        {"--relay", "10.77.0.5:8080", "--transport", "HTTPCMD", "--project=Mirkla", "--format", "json", "--quiet",
         "--all-fields"},
    };
    for (const auto& args : spellings) {
        options = ParseSearchOptions(args, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(options->relayHost, "10.77.0.5:8080");
        EXPECT_EQ(options->transport, "HttpCmd");
        EXPECT_EQ(options->project, "Mirkla");
        EXPECT_EQ(options->format, OutputFormat::Json);
        EXPECT_TRUE(options->quiet);
        EXPECT_TRUE(options->allFields);
    }
    // The road's exact text, whatever the case it was typed in.
    for (const auto& [typed, road] : {std::pair{"tcp", "TCP"}, std::pair{"Udp", "UDP"}, std::pair{"httpCMD", "HttpCmd"}}) {
        options = ParseSearchOptions({"--relay", "h", "--transport", typed}, error);
        ASSERT_TRUE(options) << error;
        EXPECT_EQ(options->transport, road);
    }
    // A value is never split, even one that looks like an option.
    options = ParseSearchOptions({"--project", "--format=csv", "--relay=a=b"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->project, "--format=csv");
    EXPECT_EQ(options->relayHost, "a=b");
    EXPECT_EQ(options->format, OutputFormat::Table);
}

TEST(SetupOptions, NeedsAMacAndExactlyOneNetworkType)
{
    std::string error;
    auto options = ParseSetupOptions({"--mac", "00:11:22:33:44:55", "--dhcp"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->dhcp);
    options = ParseSetupOptions({"--mac", "m", "--static", "--ip", "10.0.0.9", "--netmask=255.0.0.0",
                                 "--gateway", "10.0.0.1", "--dns=10.0.0.2", "--relay", "10.77.0.5", "--force"},
                                error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->ip, "10.0.0.9");
    EXPECT_EQ(options->netmask, "255.0.0.0");
    EXPECT_EQ(options->dns, "10.0.0.2");
    EXPECT_EQ(options->relayHost, "10.77.0.5");
    EXPECT_TRUE(options->force);

    // Arguments, and what the one-line error must say.
    const std::pair<std::vector<std::string>, std::string> bad[] = {
        {{"--dhcp"}, "--mac is required"},
        {{"--mac", "m"}, "exactly one of --dhcp and --static"},
        {{"--mac", "m", "--dhcp", "--static"}, "exactly one of --dhcp and --static"},
        // The missing addresses are named.
        {{"--mac", "m", "--static", "--ip", "10.0.0.9"}, "missing: --netmask --gateway --dns"},
        {{"--mac", "m", "--static", "--ip=10.0.0.9", "--netmask=255.0.0.0", "--dns=", "--gateway=10.0.0.1"},
         "missing: --dns"},
        {{"--mac", "m", "--dhcp", "--ip", "10.0.0.9"}, "--dhcp takes no addresses"},
        {{"--mac", "m", "--dhcp", "--transport", "SCTP"}, "--transport must be TCP, UDP or HttpCmd"},
        {{"--mac=m", "--dhcp", "--interface=nosuch0"}, "--interface \"nosuch0\" names no adapter"},
    };
    for (const auto& [args, message] : bad) {
        EXPECT_FALSE(ParseSetupOptions(args, error)) << args.back();
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
}

TEST(CliOptions, AnUnknownAdapterIsNamedWithTheAdaptersThereAre)
{
    using Discovery::NetworkInterface;
    const std::vector<NetworkInterface> adapters = {{"eth0", 2, 0x0A000002, 0xFFFFFF00},
                                                    {"wlan0", 3, 0xC0A80105, 0xFFFF0000}};
    EXPECT_FALSE(UnknownAdapter({}, {}));
    EXPECT_FALSE(UnknownAdapter({"wlan0", "eth0"}, adapters));
    EXPECT_EQ(UnknownAdapter({"eth0", "eth9"}, adapters),
              "--interface \"eth9\" names no adapter that is up and can broadcast; the adapters are: "
              "eth0 (10.0.0.2/255.255.255.0), wlan0 (192.168.1.5/255.255.0.0)");
    EXPECT_EQ(UnknownAdapter({"eth0"}, {}),
              "--interface \"eth0\" names no adapter that is up and can broadcast; this machine has none");
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
        // A camera whose gateway lies outside its subnet has no route; the
        // window only warns, a command refuses unless --force.
        {{"--gateway", "192.168.1.1"},
         "Invalid Gateway - [192.168.1.1]: outside the subnet of 10.0.0.9/255.0.0.0, so the device could not "
         "reach it; --force sends it anyway\n"},
        {{"--gateway", "10.255.255.255"},
         "Invalid Gateway - [10.255.255.255]: the broadcast address of the IP address's subnet\n"},
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
        {"--relay"}, {"--relay", ""}, {"--relay", "h", "--transport", "SCTP"}, {"--format", "xml"},
        {"--format=xml"}, {"--frobnicate"}, {"--project"}, {"--quiet=yes"},
        // A transport without a relay host would be silently ignored.
        {"--transport", "UDP"},
        // An adapter that is not there would search nowhere and report nothing found.
        {"--interface", "nosuch0"}, {"--interface=nosuch0"}};
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
    options = ParseWatchOptions({"--every=3", "--relay=10.0.0.5", "--transport=udp", "--project=--every=4"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->everySeconds, 3);
    EXPECT_EQ(options->search.transport, "UDP");
    EXPECT_EQ(options->search.project, "--every=4");

    const std::vector<std::vector<std::string>> bad = {
        {"--every", "0"}, {"--every", "1.5"}, {"--every", "x"}, {"--every"}, {"--every", "99999999999"},
        {"--format", "json"}, {"--format=json"}, {"--all-fields"}, {"--transport", "UDP"}, {"--frobnicate"},
        {"--interface=nosuch0"}};
    for (const auto& args : bad)
        EXPECT_FALSE(ParseWatchOptions(args, error)) << args.front() << " " << args.back();
}
