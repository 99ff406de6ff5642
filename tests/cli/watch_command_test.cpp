// SPDX-License-Identifier: MIT
#include "cli/watch_command.h"

#include <gtest/gtest.h>

using namespace Cli;
using Discovery::DeviceInfo;

namespace {

DeviceInfo Device(const char* ip, const char* mac, const char* name = "cam", const char* port = "80")
{
    DeviceInfo d{};
    Discovery::CopyToField(d.ip, ip);
    Discovery::CopyToField(d.mac, mac);
    Discovery::CopyToField(d.name, name);
    Discovery::CopyToField(d.trigger_port, port);
    return d;
}

// The changes of one round as "event ip" texts.
std::vector<std::string> Round(DeviceWatch& watch, const std::vector<DeviceInfo>& devices)
{
    std::vector<const DeviceInfo*> round;
    for (const DeviceInfo& d : devices)
        round.push_back(&d);
    std::vector<std::string> texts;
    for (const DeviceWatch::Change& c : watch.update(round)) {
        const char* event = c.event == DeviceWatch::Event::Found     ? "found"
                            : c.event == DeviceWatch::Event::Changed ? "changed"
                                                                     : "gone";
        texts.push_back(std::string(event) + " " + std::string(Discovery::FieldText(c.device.ip)));
    }
    return texts;
}

} // namespace

// Rounds in order: what each round saw, and what watch must print for it.
TEST(DeviceWatch, FoundChangedAndGoneOnlyAfterTwoMissedRounds)
{
    const DeviceInfo a = Device("10.0.0.1", "00:00:00:00:00:01");
    const DeviceInfo b = Device("10.0.0.2", "00:00:00:00:00:02");
    const DeviceInfo bRenamed = Device("10.0.0.2", "00:00:00:00:00:02", "door");
    // Same ip, another mac: another device.
    const DeviceInfo bSwapped = Device("10.0.0.2", "00:00:00:00:00:99");
    // UPnP cameras all have the MAC "NULL": three behind one address are three.
    const DeviceInfo axis80 = Device("10.0.0.9", "NULL", "axis", "80");
    const DeviceInfo axis8080 = Device("10.0.0.9", "NULL", "axis", "8080");
    const DeviceInfo axis8081 = Device("10.0.0.9", "NULL", "axis", "8081");
    // One MAC spelt in another letter case is the same device.
    const DeviceInfo cLower = Device("10.0.0.3", "00:00:00:00:00:0a");
    const DeviceInfo cUpper = Device("10.0.0.3", "00:00:00:00:00:0A");
    const struct {
        std::vector<DeviceInfo> seen;
        std::vector<std::string> printed;
    } rounds[] = {
        {{a, b}, {"found 10.0.0.1", "found 10.0.0.2"}},
        {{a, b}, {}},
        {{a}, {}}, // one lost reply is no reason to report b gone
        {{a, bRenamed}, {"changed 10.0.0.2"}},
        {{a}, {}},
        {{a}, {"gone 10.0.0.2"}},
        {{a, bSwapped}, {"found 10.0.0.2"}},
        {{}, {}},
        {{}, {"gone 10.0.0.1", "gone 10.0.0.2"}},
        {{axis80, axis8080, axis8081}, {"found 10.0.0.9", "found 10.0.0.9", "found 10.0.0.9"}},
        {{axis80, axis8080, axis8081}, {}}, // nothing changed, nothing printed
        {{axis80, axis8081, cLower}, {"found 10.0.0.3"}},
        {{axis80, axis8081, cUpper}, {"changed 10.0.0.3", "gone 10.0.0.9"}}, // port 8080 missed twice
    };
    DeviceWatch watch;
    int n = 0;
    for (const auto& round : rounds)
        EXPECT_EQ(Round(watch, round.seen), round.printed) << "round " << ++n;
}
