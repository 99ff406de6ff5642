// SPDX-License-Identifier: MIT
#include "sim/sim_options.h"

#include <gtest/gtest.h>

using namespace Sim;

namespace {

OptionsOutcome Parse(QStringList args, SimOptions& options, QString& message)
{
    args.prepend(QStringLiteral("quendrel-sim"));
    return ParseSimOptions(args, options, message);
}

// The command line is refused, and the reason mentions `part`.
void ExpectRefused(const QStringList& args, const char* part)
{
    SimOptions options;
    QString message;
    EXPECT_EQ(Parse(args, options, message), OptionsOutcome::Error) << args.join(' ').toStdString();
    EXPECT_TRUE(message.contains(QString::fromUtf8(part))) << message.toStdString();
}

} // namespace

TEST(SimOptions, DefaultsAreTheDevicesOwnPorts)
{
    SimOptions options;
    QString message;
    ASSERT_EQ(Parse({"--count", "4"}, options, message), OptionsOutcome::Run) << message.toStdString();
    EXPECT_EQ(options.count, 4);
    EXPECT_EQ(options.port, 6666);
    EXPECT_EQ(options.replyPort, 6667);
    EXPECT_EQ(options.bindAddress, 0u);
    EXPECT_FALSE(options.replyTo.has_value());
    EXPECT_FALSE(options.unicast || options.hang || options.flood || options.garbage);
    EXPECT_EQ(options.pack, 1);
    EXPECT_FALSE(options.httpPort.has_value()); // the HTTP interface is off
}

TEST(SimOptions, ReadsEveryOption)
{
    SimOptions options;
    QString message;
    ASSERT_EQ(Parse({"--devices", "d.json", "--port", "0", "--reply-port", "40000", "--bind", "127.0.0.1",
                     "--reply-to", "127.0.0.2", "--unicast", "--pack", "5", "--delay", "300", "--restart-silence", "1500", "--hang",
                     "--flood", "--flood-interval", "5", "--flood-for", "900", "--garbage", "--log", "x.jsonl"},
                    options, message),
              OptionsOutcome::Run)
        << message.toStdString();
    EXPECT_EQ(options.devicesFile, QStringLiteral("d.json"));
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.replyPort, 40000);
    EXPECT_EQ(options.bindAddress, 0x7F000001u);
    EXPECT_EQ(options.replyTo, 0x7F000002u);
    EXPECT_TRUE(options.unicast && options.hang && options.flood && options.garbage);
    EXPECT_EQ(options.pack, 5);
    EXPECT_EQ(options.delay.count(), 300);
    EXPECT_EQ(options.restartSilence.count(), 1500);
    EXPECT_EQ(options.floodInterval.count(), 5);
    EXPECT_EQ(options.floodFor.count(), 900);
    EXPECT_EQ(options.logFile, QStringLiteral("x.jsonl"));
}

TEST(SimOptions, RefusesBadCommandLines)
{
    ExpectRefused({}, "--devices FILE or --count N");
    ExpectRefused({"--count", "2", "--devices", "d.json"}, "either");
    ExpectRefused({"--count", "-1"}, "--count");
    ExpectRefused({"--count", "64001"}, "--count");
    ExpectRefused({"--count", "two"}, "--count");
    ExpectRefused({"--count", "1", "--seed", "256"}, "--seed");
    ExpectRefused({"--count", "1", "--port", "65536"}, "--port");
    ExpectRefused({"--count", "1", "--reply-port", "0"}, "--reply-port");
    ExpectRefused({"--count", "1", "--bind", "10.0.0"}, "dotted IPv4");
    ExpectRefused({"--count", "1", "--reply-to", "localhost"}, "dotted IPv4");
    ExpectRefused({"--count", "1", "--pack", "0"}, "--pack");
    ExpectRefused({"--count", "1", "--flood-interval", "-1"}, "--flood-interval");
    ExpectRefused({"--count", "1", "--log", ""}, "--log");
    ExpectRefused({"--count", "1", "--frobnicate"}, "frobnicate");
    ExpectRefused({"--count", "1", "extra"}, "extra");
    SimOptions options;
    QString message;
    EXPECT_EQ(Parse({"--help"}, options, message), OptionsOutcome::Help);
    EXPECT_TRUE(message.contains(QStringLiteral("--reply-to")));
}

TEST(SimOptions, ReadsTheHttpInterfaceOptions)
{
    SimOptions options;
    QString message;
    ASSERT_EQ(Parse({"--count", "1", "--http-port", "0"}, options, message), OptionsOutcome::Run)
        << message.toStdString();
    EXPECT_EQ(options.httpPort, 0);
    EXPECT_FALSE(options.httpHang || options.httpEmpty || options.httpBigMiB != 0);
    ASSERT_EQ(Parse({"--count", "1", "--http-port", "8080", "--http-big", "3"}, options, message),
              OptionsOutcome::Run);
    EXPECT_EQ(options.httpPort, 8080);
    EXPECT_EQ(options.httpBigMiB, 3);
    ASSERT_EQ(Parse({"--count", "1", "--http-port", "80", "--http-hang"}, options, message), OptionsOutcome::Run);
    EXPECT_TRUE(options.httpHang);
    ASSERT_EQ(Parse({"--count", "1", "--http-port", "80", "--http-empty"}, options, message), OptionsOutcome::Run);
    EXPECT_TRUE(options.httpEmpty);

    ExpectRefused({"--count", "1", "--http-port", "65536"}, "--http-port");
    ExpectRefused({"--count", "1", "--http-port", "-1"}, "--http-port");
    ExpectRefused({"--count", "1", "--http-port", "80", "--http-big", "0"}, "--http-big");
    ExpectRefused({"--count", "1", "--http-port", "80", "--http-big", "65"}, "--http-big");
    // A misbehaviour without the interface, or two at once, is a mistake.
    ExpectRefused({"--count", "1", "--http-hang"}, "need --http-port");
    ExpectRefused({"--count", "1", "--http-port", "80", "--http-hang", "--http-empty"}, "at most one");
    ExpectRefused({"--count", "1", "--http-port", "80", "--http-big", "2", "--http-hang"}, "at most one");
}
