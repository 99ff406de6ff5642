// SPDX-License-Identifier: MIT
#include "cli/watch_command.h"

#include "cli/cli_options.h"
#include "cli/device_output.h"
#include "cli/search_command.h"
#include "cli/stop_signals.h"
#include "cli/stream_log.h"
#include "discovery/device_grid.h"
#include "discovery/mac_address.h"
#include "session/search_session.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <ostream>
#include <set>

namespace Cli {

namespace {

using Discovery::DeviceInfo;
using Discovery::FieldText;

bool SameFields(const DeviceInfo& a, const DeviceInfo& b)
{
    for (int f = 0; f < Discovery::kDeviceFieldCount; ++f)
        if (FieldText(Discovery::FieldAt(a, f)) != FieldText(Discovery::FieldAt(b, f)))
            return false;
    return true;
}

const char* EventName(DeviceWatch::Event event)
{
    switch (event) {
    case DeviceWatch::Event::Found: return "found";
    case DeviceWatch::Event::Changed: return "changed";
    case DeviceWatch::Event::Gone: return "gone";
    }
    return "";
}

} // namespace

DeviceWatch::Key DeviceWatch::KeyOf(const DeviceInfo& device)
{
    std::string ip(FieldText(device.ip));
    const std::string_view mac = FieldText(device.mac);
    // Every UPnP row carries the MAC "NULL": cameras behind one address differ by port.
    if (Discovery::MarksUpnpRow(mac))
        return {std::move(ip), std::string(mac), std::string(FieldText(device.trigger_port))};
    return {std::move(ip), Discovery::CanonicalMac(mac).value_or(std::string(mac)), {}};
}

std::vector<DeviceWatch::Change> DeviceWatch::update(const std::vector<const DeviceInfo*>& round,
                                                     const std::vector<std::vector<std::string>>& warnings)
{
    std::vector<Change> changes;
    std::set<Key> seen;
    for (std::size_t d = 0; d < round.size(); ++d) {
        const DeviceInfo* device = round[d];
        const std::vector<std::string> marks = d < warnings.size() ? warnings[d] : std::vector<std::string>{};
        auto key = KeyOf(*device);
        // Two records behind one key in a round (two cameras on one host):
        // the first one speaks for the key.
        if (!seen.insert(key).second)
            continue;
        const auto known = m_known.find(key);
        if (known == m_known.end()) {
            m_known.emplace(std::move(key), Known{*device, 0, marks});
            changes.push_back({Event::Found, *device, marks});
            continue;
        }
        known->second.misses = 0;
        known->second.warnings = marks;
        if (!SameFields(known->second.device, *device)) {
            known->second.device = *device;
            changes.push_back({Event::Changed, *device, marks});
        }
    }
    for (auto it = m_known.begin(); it != m_known.end();) {
        if (seen.count(it->first) != 0 || ++it->second.misses < kMissesForGone) {
            ++it;
            continue;
        }
        changes.push_back({Event::Gone, it->second.device, it->second.warnings});
        it = m_known.erase(it);
    }
    return changes;
}

std::string ChangeLine(const DeviceWatch::Change& change, const std::string& isoTime)
{
    return std::string("{\"event\":\"") + EventName(change.event) +
           "\",\"device\":" + DeviceJson(change.device, change.warnings) + ",\"time\":\"" + isoTime + "\"}";
}

int WatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const Discovery::NetworkEndpoints& endpoints)
{
    std::string error;
    const std::optional<WatchOptions> options = ParseWatchOptions(args, error);
    if (!options) {
        err << "quendrel-cli watch: " << error << '\n';
        return 2;
    }
    StopSignals stop;
    if (!stop.valid()) {
        err << "quendrel-cli watch: cannot catch SIGINT and SIGTERM\n";
        return 1;
    }
    const SearchOptions& search = options->search;
    StreamLog log(err, search.quiet);
    Discovery::DiscoveryState state(log);
    Discovery::SearchSession session(state, UpnpOptionsFor(search));
    session.setEndpoints(endpoints);
    const Discovery::SearchSettings settings = SettingsFor(search);
    DeviceWatch watch;

    QEventLoop loop;
    QTimer next;
    next.setSingleShot(true);
    QElapsedTimer sinceStart;
    QObject::connect(&next, &QTimer::timeout, [&] {
        sinceStart.start();
        session.start(settings, search.project);
    });
    bool portProblemSaid = false;
    QObject::connect(&session, &Discovery::SearchSession::finished, [&](int shown) {
        // Said once, even when quiet, and watched on: the port may come free.
        RoundReport report;
        report.problem = session.lastProblem();
        report.problemDetail = session.lastProblemDetail();
        const std::string problem = ReplyPortProblem(report, endpoints);
        if (!problem.empty() && !portProblemSaid)
            err << "quendrel-cli watch: " << problem << '\n';
        portProblemSaid = !problem.empty();
        const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
        const std::vector<const DeviceInfo*> devices = ShownDevices(state, shown);
        for (const DeviceWatch::Change& change :
             watch.update(devices, WarningsOf(state, devices, Discovery::BroadcastInterfaces())))
            out << ChangeLine(change, now) << '\n';
        out.flush();
        // Rounds start --every seconds apart; one that took longer is followed at once.
        const qint64 every = static_cast<qint64>(options->everySeconds) * 1000;
        next.start(static_cast<int>(std::max<qint64>(0, every - sinceStart.elapsed())));
    });
    stop.whenSignalled([&] {
        session.cancel(); // a round under way ends now, sockets and fetches closed
        loop.quit();
    });

    next.start(0);
    loop.exec();
    out.flush();
    return 0;
}

} // namespace Cli
