// SPDX-License-Identifier: MIT
#include "discovery/address_plan.h"
#include "discovery/network_interfaces.h"
#include "discovery/setup_check.h"

#include <gtest/gtest.h>

using namespace Discovery;

namespace {

std::uint32_t A(const char* text) { return *ParseDottedQuad(text); }

std::vector<std::string> Texts(const std::vector<std::uint32_t>& addresses)
{
    std::vector<std::string> texts;
    for (const std::uint32_t a : addresses)
        texts.push_back(AddressText(a));
    return texts;
}

std::vector<std::string> Texts(const std::vector<SkippedAddress>& skipped)
{
    std::vector<std::string> texts;
    for (const SkippedAddress& s : skipped)
        texts.push_back(AddressText(s.address) + " " + s.reason);
    return texts;
}

} // namespace

// Every address that is taken is skipped with its reason, the rest are
// handed out upward, each once; a subnet that runs out gives fewer.
TEST(PlanAddresses, SkipsEveryTakenAddressAndHandsOutEachFreeOneOnce)
{
    TakenAddresses taken;
    taken.thisPc = {A("10.0.0.3")};
    taken.heldByDevice = {{A("10.0.0.5"), "02:00:00:00:00:01"}, {A("10.0.0.64"), "02:00:00:00:00:02"}};
    const std::set<std::uint32_t> answering = {A("10.0.0.6"), A("10.0.0.8")};
    const struct {
        const char* from;
        const char* netmask;
        std::size_t count;
        std::vector<std::string> addresses;
        std::vector<std::string> skipped;
    } cases[] = {
        {"10.0.0.0", "255.255.255.0", 3, {"10.0.0.4", "10.0.0.7", "10.0.0.9"},
         {"10.0.0.0 network address", "10.0.0.1 gateway", "10.0.0.2 DNS", "10.0.0.3 this PC",
          "10.0.0.5 held by a device", "10.0.0.6 in use on the LAN", "10.0.0.8 in use on the LAN"}},
        // The walk stays in the subnet of --from and never takes its broadcast address.
        {"10.0.0.2", "255.255.255.248", 5, {"10.0.0.4"},
         {"10.0.0.2 DNS", "10.0.0.3 this PC", "10.0.0.5 held by a device", "10.0.0.6 in use on the LAN",
          "10.0.0.7 broadcast address"}},
        {"10.0.0.250", "255.255.255.0", 2, {"10.0.0.250", "10.0.0.251"}, {}},
        // The last address there is ends the walk without wrapping round.
        {"255.255.255.254", "255.255.255.254", 3, {"255.255.255.254", "255.255.255.255"}, {}},
    };
    for (const auto& c : cases) {
        int questions = 0;
        const AddressPlan plan =
            PlanAddresses({A(c.from), A(c.netmask), A("10.0.0.1"), A("10.0.0.2")}, c.count, taken,
                          [&](const std::vector<std::uint32_t>& candidates) {
                              ++questions;
                              std::set<std::uint32_t> used;
                              for (const std::uint32_t a : candidates)
                                  if (answering.count(a) != 0)
                                      used.insert(a);
                              return used;
                          });
        EXPECT_EQ(Texts(plan.addresses), c.addresses) << c.from;
        EXPECT_EQ(Texts(plan.skipped), c.skipped) << c.from;
        // Candidates are asked about together, not one at a time.
        EXPECT_LE(questions, 3) << c.from;
    }
}
