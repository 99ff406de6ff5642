// SPDX-License-Identifier: MIT
#include "sim/device_json.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace Sim;
using Discovery::FieldText;

namespace {

DeviceLoad Parse(const char* json) { return ParseDevicesJson(QByteArray(json), QStringLiteral("devices.json")); }

// The load failed, and the message names the file and says `part`.
void ExpectError(const DeviceLoad& load, const char* part)
{
    EXPECT_FALSE(load.ok());
    EXPECT_TRUE(load.devices.empty());
    EXPECT_TRUE(load.error.startsWith(QStringLiteral("devices.json: "))) << load.error.toStdString();
    EXPECT_TRUE(load.error.contains(QString::fromUtf8(part))) << load.error.toStdString();
}

} // namespace

TEST(DeviceJson, ReadsTheElevenFieldsAndLeavesMissingOnesEmpty)
{
    const DeviceLoad load = Parse(R"([
        {"model":"QV-210","proj":"Orvane","name":"Lobby","ip":"10.0.0.5","trigger_port":"80",
         "netmask":"255.255.255.0","gateway":"10.0.0.1","dns":"10.0.0.2","mac":"00:11:22:33:44:55",
         "dev":"eth0","note":"static"},
        {"name":"Bare","trigger_port":8080},
        {}
    ])");
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    ASSERT_EQ(load.devices.size(), 3u);
    EXPECT_EQ(FieldText(load.devices[0].model), "QV-210");
    EXPECT_EQ(FieldText(load.devices[0].mac), "00:11:22:33:44:55");
    EXPECT_EQ(FieldText(load.devices[0].note), "static");
    EXPECT_EQ(FieldText(load.devices[1].trigger_port), "8080"); // a number is taken as its text
    EXPECT_EQ(FieldText(load.devices[1].ip), "");
    EXPECT_EQ(FieldText(load.devices[2].name), "");
    // An empty array is a host without devices.
    EXPECT_TRUE(Parse("[]").ok());
}

TEST(DeviceJson, RefusesMalformedDocumentsWithAClearReason)
{
    ExpectError(Parse(""), "not valid JSON");
    ExpectError(Parse("[{\"name\":\"x\""), "not valid JSON at offset");
    ExpectError(Parse("{\"name\":\"x\"}"), "expected an array");
    ExpectError(Parse("\"devices\""), ""); // a bare text: refused, whichever way the reader words it
    ExpectError(Parse("[{}, 7]"), "device 2 is not an object");
    ExpectError(Parse("[{\"iq\":\"10.0.0.1\"}]"), "device 1: unknown field \"iq\"");
    ExpectError(Parse("[{\"ip\":10}]"), "field \"ip\" must be a string");
    ExpectError(Parse("[{\"name\":null}]"), "field \"name\" must be a string");
    ExpectError(Parse("[{\"trigger_port\":70000}]"), "from 0 to 65535");
    ExpectError(Parse("[{\"trigger_port\":80.5}]"), "from 0 to 65535");
}

TEST(DeviceJson, RefusesTextsThatWouldNotSurviveTheRecordOrTheDatagram)
{
    // ip is 16 bytes wide: 15 characters fit, 16 do not.
    EXPECT_TRUE(Parse(R"([{"ip":"123.123.123.123"}])").ok());
    ExpectError(Parse(R"([{"ip":"123.123.123.1234"}])"), "field \"ip\" is 16 bytes long; at most 15 fit");
    // Width counts bytes: sixteen two-byte letters are 32 bytes, one too many for model.
    ExpectError(Parse("[{\"model\":\"éééééééééééééééé\"}]"),
                "field \"model\" is 32 bytes long; at most 31 fit");
    ExpectError(Parse(R"([{"name":"a,b"}])"), "cannot carry");
    ExpectError(Parse(R"([{"note":"line\nbreak"}])"), "cannot carry");
    ExpectError(Parse(R"([{"dev":"nul\u0000inside"}])"), "cannot carry");
}

TEST(DeviceJson, ReportsFilesThatCannotBeRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const DeviceLoad missing = LoadDevicesJson(dir.filePath(QStringLiteral("none.json")));
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.startsWith(dir.filePath(QStringLiteral("none.json"))));

    EXPECT_FALSE(LoadDevicesJson(dir.path()).ok()); // a directory

    const QString big = dir.filePath(QStringLiteral("big.json"));
    {
        std::ofstream out(big.toStdString());
        out << '[' << std::string(static_cast<std::size_t>(kMaxDeviceFileBytes), ' ') << ']';
    }
    const DeviceLoad tooBig = LoadDevicesJson(big);
    EXPECT_FALSE(tooBig.ok());
    EXPECT_TRUE(tooBig.error.contains(QStringLiteral("larger than"))) << tooBig.error.toStdString();

    const QString good = dir.filePath(QStringLiteral("good.json"));
    {
        std::ofstream out(good.toStdString());
        out << R"([{"name":"One","mac":"02:00:00:00:00:01"}])";
    }
    const DeviceLoad load = LoadDevicesJson(good);
    ASSERT_TRUE(load.ok()) << load.error.toStdString();
    EXPECT_EQ(FieldText(load.devices.at(0).name), "One");
}

TEST(DeviceJson, WritesWhatItReads)
{
    const DeviceLoad load = Parse(R"([{"model":"M","proj":"Belvin","ip":"10.1.2.3","mac":"a:b:c:d:e:f"}])");
    ASSERT_TRUE(load.ok());
    const QJsonObject object = DeviceToJson(load.devices[0]);
    EXPECT_EQ(object.size(), 11);
    EXPECT_EQ(object.value(QStringLiteral("proj")).toString(), QStringLiteral("Belvin"));
    EXPECT_EQ(object.value(QStringLiteral("gateway")).toString(), QString());
}
