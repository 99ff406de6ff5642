// SPDX-License-Identifier: MIT
// The commissioning dialog without a LAN: what the user types or loads
// that must not be sent, and the plan it shows meanwhile. The addresses
// lie in 203.0.113.0/24, a subnet no adapter of a test machine has, so the
// in-use check probes nothing and nothing is ever sent.
#include "discovery/device_info.h"
#include "ui/assign_dialog.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Discovery::DeviceInfo Camera(const std::string& ip, const std::string& mac)
{
    Discovery::DeviceInfo d{};
    Discovery::CopyToField(d.model, "QV-210");
    Discovery::CopyToField(d.proj, "Orvane");
    Discovery::CopyToField(d.name, "cam " + mac.substr(15));
    Discovery::CopyToField(d.ip, ip);
    Discovery::CopyToField(d.trigger_port, "80");
    Discovery::CopyToField(d.netmask, "255.255.255.0");
    Discovery::CopyToField(d.gateway, "203.0.113.1");
    Discovery::CopyToField(d.dns, "203.0.113.1");
    Discovery::CopyToField(d.mac, mac);
    Discovery::CopyToField(d.dev, "eth0");
    return d;
}

struct Dialog {
    Discovery::MemoryLog log;
    Gui::TAssignForm form{nullptr, log};

    // Three cameras fresh from the factory; a fourth device holds 203.0.113.3.
    Dialog()
    {
        const std::vector<Discovery::DeviceInfo> round = {
            Camera("203.0.113.200", "02:00:5E:00:00:01"), Camera("203.0.113.200", "02:00:5E:00:00:02"),
            Camera("203.0.113.200", "02:00:5E:00:00:03"), Camera("203.0.113.3", "02:00:5E:00:00:10")};
        form.setTargets({{round[0], 0}, {round[1], 0}, {round[2], 0}}, round);
    }
    QPushButton* button(const char* name) { return form.findChild<QPushButton*>(QLatin1String(name)); }
    QStringList column(int c)
    {
        auto* plan = form.findChild<QTableWidget*>(QStringLiteral("Plan"));
        QStringList cells;
        for (int r = 0; r < plan->rowCount(); ++r)
            cells << (plan->item(r, c) ? plan->item(r, c)->text() : QString());
        return cells;
    }
    QStringList skipped()
    {
        auto* list = form.findChild<QListWidget*>(QStringLiteral("Skipped"));
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    // Asks the "LAN" now and waits for its answer.
    bool checked()
    {
        form.askLanNow();
        return QTest::qWaitFor([this] { return !form.session().planning(); }, 5000);
    }
};

struct RangeCase {
    const char* name;
    const char *first, *netmask, *gateway, *dns;
    const char* newIps;  // the plan's new addresses, joined by spaces
    const char* skipped; // "ip: reason" lines joined by "; "
    const char* says;    // part of the status line
    bool applies;
};

const RangeCase kRangeCases[] = {
    {"PlanPassesGatewayDnsAndAnAddressADeviceHolds", "203.0.113.1", "255.255.255.0", "203.0.113.1", "203.0.113.2",
     "203.0.113.4 203.0.113.5 203.0.113.6",
     "203.0.113.1: gateway; 203.0.113.2: DNS server; 203.0.113.3: held by a device (02:00:5E:00:00:10)",
     "Plan ready", true},
    {"SubnetRunningOutSendsNothing", "203.0.113.253", "255.255.255.0", "203.0.113.1", "203.0.113.1",
     "203.0.113.253 203.0.113.254 no free address", "203.0.113.255: broadcast address",
     "Only 2 free addresses for 3 devices", false},
    {"NetmaskWithAHoleIsRefused", "203.0.113.10", "255.0.255.0", "203.0.113.1", "203.0.113.1", "  ", "",
     "Check the addresses: Invalid Netmask", false},
    {"GatewayOutsideTheSubnetIsRefused", "203.0.113.10", "255.255.255.0", "198.51.100.1", "203.0.113.1", "  ", "",
     "198.51.100.1", false},
    {"HalfTypedFirstAddressIsRefused", "203.0.113.", "255.255.255.0", "203.0.113.1", "203.0.113.1", "  ", "",
     "Check the addresses: Invalid IP Address", false},
};

void PrintTo(const RangeCase& c, std::ostream* out) { *out << c.name; }

class AssignFormRange : public ::testing::TestWithParam<RangeCase> {};

} // namespace

TEST_P(AssignFormRange, ShowsThePlanAndOffersApplyOnlyForAWholeCheckedPlan)
{
    const RangeCase& c = GetParam();
    Dialog d;
    d.form.setRange(c.first, c.netmask, c.gateway, c.dns);
    // Before the LAN was asked nothing may be sent.
    EXPECT_FALSE(d.button("Apply")->isEnabled());
    ASSERT_TRUE(d.checked());
    EXPECT_EQ(d.column(3).join(' ').toStdString(), c.newIps);
    EXPECT_EQ(d.skipped().join(QStringLiteral("; ")).toStdString(), c.skipped);
    EXPECT_NE(d.form.statusText().toStdString().find(c.says), std::string::npos) << d.form.statusText().toStdString();
    EXPECT_EQ(d.button("Apply")->isEnabled(), c.applies);
    // A press that still comes (from code) sends nothing when the plan is not whole.
    if (!c.applies) {
        d.form.ApplyClick();
        EXPECT_FALSE(d.form.session().verifying());
    }
}

INSTANTIATE_TEST_SUITE_P(Assign, AssignFormRange, ::testing::ValuesIn(kRangeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A saved plan is read back as it was; a file that names a device not
// chosen, or is no plan, changes nothing.
TEST(AssignFormPlanFile, SavedPlanLoadsBackAndAForeignOrBrokenFileChangesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Dialog d;
    d.form.setRange("203.0.113.1", "255.255.255.0", "203.0.113.1", "203.0.113.2");
    ASSERT_TRUE(d.checked());
    const QString saved = dir.filePath(QStringLiteral("plan.csv"));
    d.form.setFileChooser([&](bool save) {
        EXPECT_TRUE(save);
        return saved;
    });
    d.form.SavePlanClick();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "mac,ip,netmask,gateway,dns\n"
                                            "02:00:5E:00:00:01,203.0.113.4,255.255.255.0,203.0.113.1,203.0.113.2\n"
                                            "02:00:5E:00:00:02,203.0.113.5,255.255.255.0,203.0.113.1,203.0.113.2\n"
                                            "02:00:5E:00:00:03,203.0.113.6,255.255.255.0,203.0.113.1,203.0.113.2\n");

    const auto write = [&](const char* name, const char* text) {
        const QString path = dir.filePath(QLatin1String(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    };
    const QStringList planned = d.column(3);
    const QString foreign = write("foreign.csv", "mac,ip,netmask,gateway,dns\n"
                                                 "02:00:5E:00:00:01,203.0.113.40,255.255.255.0,203.0.113.1,203.0.113.1\n"
                                                 "02:00:5E:00:00:99,203.0.113.41,255.255.255.0,203.0.113.1,203.0.113.1\n");
    const QString broken = write("broken.csv", "mac;ip\n02:00:5E:00:00:01;203.0.113.40\n");
    const QString offSubnet = write("gateway.csv", "mac,ip,netmask,gateway,dns\n"
                                                   "02:00:5E:00:00:01,203.0.113.40,255.255.255.0,198.51.100.1,203.0.113.1\n");
    for (const QString& path : {foreign, offSubnet, broken}) {
        d.form.setFileChooser([&](bool) { return path; });
        d.form.LoadPlanClick();
        EXPECT_EQ(d.column(3), planned) << path.toStdString();
        EXPECT_TRUE(d.button("Apply")->isEnabled()) << path.toStdString();
    }
    EXPECT_NE(d.form.statusText().indexOf(QStringLiteral("plan file")), -1) << d.form.statusText().toStdString();

    // Loaded, the file's addresses stand (in its order) and are checked again.
    const QString own = write("own.csv", "mac,ip,netmask,gateway,dns\n"
                                         "02:00:5E:00:00:02,203.0.113.50,255.255.255.0,203.0.113.1,203.0.113.1\n"
                                         "02:00:5E:00:00:01,203.0.113.3,255.255.255.0,203.0.113.1,203.0.113.1\n");
    d.form.setFileChooser([&](bool) { return own; });
    d.form.LoadPlanClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !d.form.session().planning(); }, 5000));
    EXPECT_EQ(d.column(3).join(' ').toStdString(), "203.0.113.50 203.0.113.3");
    // 203.0.113.3 is held by another device: nothing may go.
    EXPECT_FALSE(d.button("Apply")->isEnabled());
    EXPECT_NE(d.form.statusText().toStdString().find("203.0.113.3 is taken: held by a device (02:00:5E:00:00:10)"),
              std::string::npos)
        << d.form.statusText().toStdString();
}
