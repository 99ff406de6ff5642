// SPDX-License-Identifier: MIT
#include "cli/assign_command.h"
#include "cli/assign_options.h"
#include "cli/assign_report.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace Cli;

// Everything that can be refused without the LAN is refused before the
// search: exit status 2, one reason, nothing printed on standard output.
TEST(AssignCommand, RefusesBadOptionsAndPlansBeforeSearching)
{
    // Should a row slip through, its search stays on loopback.
    Discovery::NetworkEndpoints loopback;
    loopback.broadcastAddress = 0x7F000001;
    loopback.devicePort = 9;
    loopback.replyPort = 0;
    const auto plan = std::filesystem::temp_directory_path() / ("quendrel-plan-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(plan) << "mac,ip,netmask,gateway,dns\n"
                           "00:00:00:00:00:01,10.0.0.10,255.255.255.0,10.0.0.1,10.0.0.2\n"
                           "00:00:00:00:00:02,10.0.0.10,255.255.255.0,10.0.0.1,10.0.0.2\n";
    const std::vector<std::string> range = {"--from", "10.0.0.10", "--netmask", "255.255.255.0", "--gateway",
                                            "10.0.0.1", "--dns", "10.0.0.2"};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = range;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--from", "10.0.0.10"}, "give --from, --netmask, --gateway and --dns, or --plan FILE.csv"},
        {with({"--mac", "00:00:00:00:01"}), "--mac wants a MAC address"},
        {with({"--current-ip", "10.0.0"}), "--current-ip wants a dotted IPv4 address"},
        {with({"--wait", "0"}), "--wait wants whole seconds from 1 to 3600"},
        {with({"--plan", plan.string()}), "--plan names every device"},
        {{"--from", "10.0.0.10", "--netmask", "255.255.255.0", "--gateway", "10.0.1.1", "--dns", "10.0.0.2"},
         "the gateway 10.0.1.1 lies outside the subnet of 10.0.0.10/255.255.255.0 (--force sends it all the same)"},
        {{"--from", "10.0.0.10", "--netmask", "255.0.255.0", "--gateway", "10.0.0.1", "--dns", "10.0.0.2"},
         "Invalid Netmask - [255.0.255.0]"},
        // Two devices of a plan given one address.
        {{"--plan", plan.string()}, plan.string() + " line 3: the ip 10.0.0.10 is planned twice"},
        {{"--plan", plan.string() + ".missing"}, "cannot read the plan file"},
    };
    for (const auto& [args, message] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(AssignCommand(args, out, err, loopback), 2) << message;
        const std::string said = err.str();
        EXPECT_NE(said.find(message), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_TRUE(out.str().empty());
    }
    std::filesystem::remove(plan);

    // The network address as --from is no error: the walk skips it.
    std::string error;
    EXPECT_TRUE(ParseAssignOptions({"--from", "10.0.0.0", "--netmask", "255.255.255.0", "--gateway", "10.0.0.1",
                                    "--dns", "10.0.0.2", "--mac", "00-00-00-00-00-0a", "--dry-run"},
                                   error))
        << error;
}

TEST(AssignReport, JsonIsOneObjectOfDevicesAndSkippedAddresses)
{
    Discovery::Assignment confirmed;
    Discovery::CopyToField(confirmed.device.mac, "02:00:00:00:00:01");
    Discovery::CopyToField(confirmed.device.name, "Gate \"A\"");
    Discovery::CopyToField(confirmed.device.ip, "192.168.1.64");
    confirmed.ip = "10.0.0.11";
    confirmed.status = Discovery::AssignStatus::Confirmed;
    confirmed.seconds = 7;
    Discovery::Assignment silent = confirmed;
    silent.ip = "10.0.0.12";
    silent.status = Discovery::AssignStatus::NotSeen;
    silent.seconds.reset();
    const std::vector<Discovery::SkippedAddress> skipped = {{0x0A00000A, Discovery::kSkipInUse}};
    EXPECT_EQ(FormatAssignReport({confirmed, silent}, skipped, OutputFormat::Json),
              "{\"devices\": [\n"
              "  {\"mac\": \"02:00:00:00:00:01\", \"name\": \"Gate \\\"A\\\"\", \"ip\": \"192.168.1.64\", "
              "\"new_ip\": \"10.0.0.11\", \"status\": \"confirmed\", \"seconds\": 7},\n"
              "  {\"mac\": \"02:00:00:00:00:01\", \"name\": \"Gate \\\"A\\\"\", \"ip\": \"192.168.1.64\", "
              "\"new_ip\": \"10.0.0.12\", \"status\": \"not seen\", \"seconds\": null}\n"
              " ],\n"
              " \"skipped\": [\n"
              "  {\"ip\": \"10.0.0.10\", \"reason\": \"in use on the LAN\"}\n"
              " ]}\n");
    EXPECT_EQ(FormatAssignReport({confirmed}, skipped, OutputFormat::Csv),
              "mac,name,ip,new_ip,status,seconds,reason\n"
              "02:00:00:00:00:01,\"Gate \"\"A\"\"\",192.168.1.64,10.0.0.11,confirmed,7,\n"
              ",,10.0.0.10,,skipped,,in use on the LAN\n");
}
