// SPDX-License-Identifier: MIT
#include "sim/sim_options.h"

#include <QCommandLineParser>

#include <arpa/inet.h>


namespace Sim {

namespace {

// Reads an unsigned decimal option value within [low, high].
bool ReadNumber(const QCommandLineParser& parser, const QString& name, long long low, long long high,
                long long& out, QString& message)
{
    bool ok = false;
    const QString text = parser.value(name);
    out = text.toLongLong(&ok);
    if (!ok || out < low || out > high) {
        message = QStringLiteral("--%1 wants a whole number from %2 to %3, not \"%4\"")
                      .arg(name).arg(low).arg(high).arg(text);
        return false;
    }
    return true;
}

bool ReadAddress(const QCommandLineParser& parser, const QString& name, std::uint32_t& out,
                 QString& message)
{
    const auto address = ParseAddress(parser.value(name));
    if (!address) {
        message = QStringLiteral("--%1 wants a dotted IPv4 address, not \"%2\"")
                      .arg(name, parser.value(name));
        return false;
    }
    out = *address;
    return true;
}

} // namespace

QString AddressText(std::uint32_t hostOrder)
{
    in_addr address{};
    address.s_addr = htonl(hostOrder);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return QString::fromLatin1(text);
}

std::optional<std::uint32_t> ParseAddress(const QString& text)
{
    in_addr address{};
    if (inet_pton(AF_INET, text.toLatin1().constData(), &address) != 1)
        return std::nullopt;
    return ntohl(address.s_addr);
}

OptionsOutcome ParseSimOptions(const QStringList& arguments, SimOptions& options, QString& message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates Kestravon devices and relay hosts for tests and demos.\n"
        "Run it only inside a test LAN (scripts/lan) or bound to 127.0.0.1 with --reply-to:\n"
        "it answers by broadcast."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.addOptions({
        {QStringLiteral("devices"), QStringLiteral("JSON array of devices (the eleven field names)."),
         QStringLiteral("file")},
        {QStringLiteral("count"), QStringLiteral("Generate this many devices."), QStringLiteral("n")},
        {QStringLiteral("seed"), QStringLiteral("Which generated devices (0-255, default 0); "
                                                "different seeds never share an ip or mac."),
         QStringLiteral("s")},
        {QStringLiteral("port"), QStringLiteral("UDP and TCP port to listen on (default 6666, 0 for free ports)."),
         QStringLiteral("port")},
        {QStringLiteral("reply-port"), QStringLiteral("Port replies go to (default 6667)."),
         QStringLiteral("port")},
        {QStringLiteral("bind"), QStringLiteral("Local address to listen on (default every address)."),
         QStringLiteral("addr")},
        {QStringLiteral("unicast"), QStringLiteral("Answer queries to the sender's address, not by broadcast.")},
        {QStringLiteral("reply-to"), QStringLiteral("Send every reply to this address."),
         QStringLiteral("addr")},
        {QStringLiteral("pack"), QStringLiteral("Plain packets per reply datagram (default 1)."),
         QStringLiteral("k")},
        {QStringLiteral("delay"), QStringLiteral("Wait this many ms before answering a query."),
         QStringLiteral("ms")},
        {QStringLiteral("restart-silence"), QStringLiteral("A device that takes a control package answers no "
                                                           "query for this many ms, as a camera restarting its "
                                                           "network (default 0)."),
         QStringLiteral("ms")},
        {QStringLiteral("hang"), QStringLiteral("TCP relay: accept and read, never answer, never close.")},
        {QStringLiteral("flood"), QStringLiteral("Answer a query with one reply every --flood-interval ms "
                                                 "for --flood-for ms.")},
        {QStringLiteral("flood-distinct"), QStringLiteral("Flood with made-up devices instead of the simulated "
                                                          "ones: --pack of them per datagram, each with an ip "
                                                          "and mac never sent before.")},
        {QStringLiteral("flood-interval"), QStringLiteral("Flood spacing in ms (default 20; 0 sends back to back)."),
         QStringLiteral("ms")},
        {QStringLiteral("flood-for"), QStringLiteral("Flood length in ms (default 30000)."),
         QStringLiteral("ms")},
        {QStringLiteral("garbage"), QStringLiteral("Send malformed datagrams before the replies.")},
        {QStringLiteral("http-port"), QStringLiteral("Serve the relay's device page (/device.get?DeviceType=...) "
                                                     "over HTTP on this port (0: a free one, named as http_port in the "
                                                     "ready line). Off by default."),
         QStringLiteral("port")},
        {QStringLiteral("http-hang"), QStringLiteral("HTTP: read the request, never answer.")},
        {QStringLiteral("http-big"), QStringLiteral("HTTP: pad every page with further rows to this many MiB "
                                                    "(1-64)."),
         QStringLiteral("mib")},
        {QStringLiteral("http-empty"), QStringLiteral("HTTP: always answer the \"No available items\" page.")},
        {QStringLiteral("http-redirect"), QStringLiteral("HTTP: answer the device page with this many redirects "
                                                         "on this host (relative locations) before the page (0-20)."),
         QStringLiteral("hops")},
        {QStringLiteral("http-redirect-to"), QStringLiteral("HTTP: after those, redirect once more to the same "
                                                            "page on this host[:port]."),
         QStringLiteral("host")},
        {QStringLiteral("log"), QStringLiteral("Write the JSON event lines here instead of stdout."),
         QStringLiteral("file")},
    });

    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return OptionsOutcome::Error;
    }
    if (parser.isSet(help)) {
        message = parser.helpText();
        return OptionsOutcome::Help;
    }
    if (!parser.positionalArguments().isEmpty()) {
        message = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
        return OptionsOutcome::Error;
    }

    SimOptions o;
    long long n = 0;
    const bool hasFile = parser.isSet(QStringLiteral("devices"));
    const bool hasCount = parser.isSet(QStringLiteral("count"));
    if (hasFile == hasCount) {
        message = QStringLiteral("give either --devices FILE or --count N");
        return OptionsOutcome::Error;
    }
    if (hasFile)
        o.devicesFile = parser.value(QStringLiteral("devices"));
    if (hasCount) {
        if (!ReadNumber(parser, QStringLiteral("count"), 0, kMaxGeneratedDevices, n, message))
            return OptionsOutcome::Error;
        o.count = static_cast<int>(n);
    }
    if (parser.isSet(QStringLiteral("seed"))) {
        if (!ReadNumber(parser, QStringLiteral("seed"), 0, kMaxSeed, n, message))
            return OptionsOutcome::Error;
        o.seed = static_cast<std::uint32_t>(n);
    }
    if (parser.isSet(QStringLiteral("port"))) {
        if (!ReadNumber(parser, QStringLiteral("port"), 0, 65535, n, message))
            return OptionsOutcome::Error;
        o.port = static_cast<std::uint16_t>(n);
    }
    if (parser.isSet(QStringLiteral("reply-port"))) {
        if (!ReadNumber(parser, QStringLiteral("reply-port"), 1, 65535, n, message))
            return OptionsOutcome::Error;
        o.replyPort = static_cast<std::uint16_t>(n);
    }
    if (parser.isSet(QStringLiteral("bind"))
        && !ReadAddress(parser, QStringLiteral("bind"), o.bindAddress, message))
        return OptionsOutcome::Error;
    if (parser.isSet(QStringLiteral("reply-to"))) {
        std::uint32_t address = 0;
        if (!ReadAddress(parser, QStringLiteral("reply-to"), address, message))
            return OptionsOutcome::Error;
        o.replyTo = address;
    }
    o.unicast = parser.isSet(QStringLiteral("unicast"));
    if (parser.isSet(QStringLiteral("pack"))) {
        if (!ReadNumber(parser, QStringLiteral("pack"), 1, kMaxPack, n, message))
            return OptionsOutcome::Error;
        o.pack = static_cast<int>(n);
    }
    if (parser.isSet(QStringLiteral("delay"))) {
        if (!ReadNumber(parser, QStringLiteral("delay"), 0, 600000, n, message))
            return OptionsOutcome::Error;
        o.delay = std::chrono::milliseconds(n);
    }
    if (parser.isSet(QStringLiteral("restart-silence"))) {
        if (!ReadNumber(parser, QStringLiteral("restart-silence"), 0, 600000, n, message))
            return OptionsOutcome::Error;
        o.restartSilence = std::chrono::milliseconds(n);
    }
    o.hang = parser.isSet(QStringLiteral("hang"));
    o.flood = parser.isSet(QStringLiteral("flood"));
    o.floodDistinct = parser.isSet(QStringLiteral("flood-distinct"));
    if (o.floodDistinct)
        o.flood = true;
    if (parser.isSet(QStringLiteral("flood-interval"))) {
        if (!ReadNumber(parser, QStringLiteral("flood-interval"), 0, 60000, n, message))
            return OptionsOutcome::Error;
        o.floodInterval = std::chrono::milliseconds(n);
    }
    if (parser.isSet(QStringLiteral("flood-for"))) {
        if (!ReadNumber(parser, QStringLiteral("flood-for"), 1, 3600000, n, message))
            return OptionsOutcome::Error;
        o.floodFor = std::chrono::milliseconds(n);
    }
    o.garbage = parser.isSet(QStringLiteral("garbage"));
    if (parser.isSet(QStringLiteral("http-port"))) {
        if (!ReadNumber(parser, QStringLiteral("http-port"), 0, 65535, n, message))
            return OptionsOutcome::Error;
        o.httpPort = static_cast<std::uint16_t>(n);
    }
    o.httpHang = parser.isSet(QStringLiteral("http-hang"));
    o.httpEmpty = parser.isSet(QStringLiteral("http-empty"));
    if (parser.isSet(QStringLiteral("http-big"))) {
        if (!ReadNumber(parser, QStringLiteral("http-big"), 1, kMaxHttpBigMiB, n, message))
            return OptionsOutcome::Error;
        o.httpBigMiB = static_cast<int>(n);
    }
    if (parser.isSet(QStringLiteral("http-redirect"))) {
        if (!ReadNumber(parser, QStringLiteral("http-redirect"), 0, kMaxHttpRedirects, n, message))
            return OptionsOutcome::Error;
        o.httpRedirects = static_cast<int>(n);
    }
    o.httpRedirectTo = parser.value(QStringLiteral("http-redirect-to")).toStdString();
    if (parser.isSet(QStringLiteral("http-redirect-to"))
        && (o.httpRedirectTo.empty() || o.httpRedirectTo.find_first_of("/?# \r\n") != std::string::npos)) {
        message = QStringLiteral("--http-redirect-to wants host[:port]");
        return OptionsOutcome::Error;
    }
    if ((o.httpRedirects > 0 || !o.httpRedirectTo.empty()) && !o.httpPort) {
        message = QStringLiteral("--http-redirect and --http-redirect-to need --http-port");
        return OptionsOutcome::Error;
    }
    const int httpModes = (o.httpHang ? 1 : 0) + (o.httpEmpty ? 1 : 0) + (o.httpBigMiB > 0 ? 1 : 0);
    if (httpModes > 0 && !o.httpPort) {
        message = QStringLiteral("--http-hang, --http-big and --http-empty need --http-port");
        return OptionsOutcome::Error;
    }
    if (httpModes > 1) {
        message = QStringLiteral("give at most one of --http-hang, --http-big and --http-empty");
        return OptionsOutcome::Error;
    }
    o.logFile = parser.value(QStringLiteral("log"));
    if (parser.isSet(QStringLiteral("log")) && o.logFile.isEmpty()) {
        message = QStringLiteral("--log wants a file name");
        return OptionsOutcome::Error;
    }
    options = o;
    return OptionsOutcome::Run;
}

} // namespace Sim
