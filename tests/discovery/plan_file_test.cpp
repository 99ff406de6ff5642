// SPDX-License-Identifier: MIT
#include "discovery/plan_file.h"

#include <gtest/gtest.h>

using namespace Discovery;

TEST(PlanFile, ReadsWhatSpreadsheetsWriteAndWritesItBack)
{
    // A byte order mark, CRLF line ends, quoted fields, a blank line, MACs in any case.
    const std::string text = "\xEF\xBB\xBFmac,ip,netmask,gateway,dns\r\n"
                             "00-1a-2b-3c-4d-5e,192.168.1.100,255.255.255.0,192.168.1.1,192.168.1.2\r\n"
                             "\r\n"
                             "\"00:1A:2B:3C:4D:5F\", 192.168.1.101 ,255.255.255.0,192.168.1.1,192.168.1.2\r\n";
    PlanFileError error;
    const auto lines = ReadPlanFile(text, false, error);
    ASSERT_TRUE(lines) << error.line << ": " << error.reason;
    ASSERT_EQ(lines->size(), 2u);
    EXPECT_EQ((*lines)[0].mac, "00:1A:2B:3C:4D:5E");
    EXPECT_EQ((*lines)[1].line, 4);
    EXPECT_EQ((*lines)[1].ip, "192.168.1.101");
    EXPECT_EQ(WritePlanFile(*lines), "mac,ip,netmask,gateway,dns\n"
                                     "00:1A:2B:3C:4D:5E,192.168.1.100,255.255.255.0,192.168.1.1,192.168.1.2\n"
                                     "00:1A:2B:3C:4D:5F,192.168.1.101,255.255.255.0,192.168.1.1,192.168.1.2\n");
}

// A bad line is named, with the reason, and nothing of the plan is taken.
TEST(PlanFile, NamesTheFirstBadLine)
{
    const std::string heading = "mac,ip,netmask,gateway,dns\n";
    const std::string good = "00:00:00:00:00:01,10.0.0.10,255.255.255.0,10.0.0.1,10.0.0.2\n";
    const struct {
        std::string text;
        bool force;
        int line;
        const char* reason;
    } cases[] = {
        {"", false, 1, "heading"},
        {heading, false, 0, "no device"},
        {"ip,mac,netmask,gateway,dns\n" + good, false, 1, "heading"},
        {heading + good + "00:00:00:00:00:02,10.0.0.11,255.255.255.0,10.0.0.1\n", false, 3, "5 fields"},
        {heading + "00:00:00:00:02,10.0.0.11,255.255.255.0,10.0.0.1,10.0.0.2\n", false, 2, "no MAC address"},
        {heading + "00:00:00:00:00:02,10.0.0.255,255.255.255.0,10.0.0.1,10.0.0.2\n", false, 2,
         "Invalid IP Address - [10.0.0.255]: the broadcast address of its subnet"},
        {heading + "00:00:00:00:00:02,10.0.0.11,255.0.255.0,10.0.0.1,10.0.0.2\n", false, 2, "Invalid Netmask"},
        {heading + "00:00:00:00:00:02,10.0.0.11,255.255.255.0,10.0.1.1,10.0.0.2\n", false, 2,
         "outside the subnet"},
        // Two targets given one address, or one device given two.
        {heading + good + "00:00:00:00:00:02,10.0.0.10,255.255.255.0,10.0.0.1,10.0.0.2\n", false, 3,
         "10.0.0.10 is planned twice"},
        {heading + good + "00-00-00-00-00-01,10.0.0.11,255.255.255.0,10.0.0.1,10.0.0.2\n", false, 3,
         "planned twice"},
    };
    for (const auto& c : cases) {
        PlanFileError error;
        EXPECT_FALSE(ReadPlanFile(c.text, c.force, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << error.reason;
    }
    // --force lets the gateway outside the subnet through.
    PlanFileError error;
    EXPECT_TRUE(ReadPlanFile(heading + "00:00:00:00:00:02,10.0.0.11,255.255.255.0,10.0.1.1,10.0.0.2\n", true, error));
}
