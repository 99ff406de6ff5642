// SPDX-License-Identifier: MIT
#include "cli/assign_command.h"

#include "cli/assign_options.h"
#include "cli/assign_report.h"
#include "cli/search_command.h"
#include "cli/stream_log.h"
#include "discovery/address_assignment.h"
#include "discovery/address_in_use.h"
#include "discovery/address_plan.h"
#include "discovery/control_package.h"
#include "discovery/device_markers.h"
#include "discovery/mac_address.h"
#include "discovery/plan_file.h"
#include "discovery/setup_check.h"
#include "session/search_session.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <bit>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

namespace Cli {

namespace {

using namespace Discovery;

// How long the devices get between two searches while they restart.
constexpr int kRecheckEveryMs = 3000;
constexpr char kCommand[] = "quendrel-cli assign: ";

std::string Mac(const DeviceInfo& device)
{
    const std::string_view mac = FieldText(device.mac);
    return CanonicalMac(mac).value_or(std::string(mac));
}

// The refusal of --from, --netmask, --gateway or --dns, or nothing. --from
// may be its subnet's network or broadcast address (the walk skips it), so
// the other fields are checked beside a host address next to it.
std::optional<std::string> RangeProblem(const AssignOptions& o)
{
    std::string hostIp = o.from;
    const std::optional<std::uint32_t> from = ParseDottedQuad(o.from);
    const std::optional<std::uint32_t> mask = ParseDottedQuad(o.netmask);
    if (from && mask && std::countl_one(*mask) < 31) {
        if ((*from & ~*mask) == 0)
            hostIp = AddressText(*from + 1);
        else if ((*from & ~*mask) == ~*mask)
            hostIp = AddressText(*from - 1);
    }
    if (const auto problem = CheckSetupRequest({hostIp, o.netmask, o.gateway, o.dns}))
        return RefusalText(*problem, {o.from, o.netmask, o.gateway, o.dns});
    if (!o.force && !GatewayInSubnet(o.from, o.netmask, o.gateway))
        return ForeignGatewayReason(o.from, o.netmask, o.gateway);
    return std::nullopt;
}

void Pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

std::string AddressList(const std::set<std::uint32_t>& addresses)
{
    std::string text;
    for (const std::uint32_t a : addresses)
        text += (text.empty() ? "" : ", ") + AddressText(a);
    return text;
}

// Everything that goes wrong before sending ends the command with a line and a status.
struct Refused {
    int status;
    std::string message;
};

class Assigner {
public:
    Assigner(const AssignOptions& options, std::ostream& err, const NetworkEndpoints& endpoints)
        : m_options(options), m_err(err), m_endpoints(endpoints), m_log(err, options.quiet), m_state(m_log)
    {
    }

    std::optional<Refused> plan(const std::vector<PlanLine>* lines);
    int apply(std::ostream& out);

private:
    std::optional<Refused> chooseTargets(std::vector<const DeviceInfo*>& targets) const;
    std::optional<Refused> chooseFromPlan(const std::vector<PlanLine>& lines,
                                          std::vector<std::pair<const DeviceInfo*, const PlanLine*>>& chosen) const;
    std::optional<Refused> checkPackages();
    std::set<std::uint32_t> inUse(const std::vector<std::uint32_t>& candidates);
    Assignment assignmentFor(const DeviceInfo& device) const;
    void confirm();

    const AssignOptions& m_options;
    std::ostream& m_err;
    NetworkEndpoints m_endpoints;
    StreamLog m_log;
    DiscoveryState m_state;
    std::vector<NetworkInterface> m_adapters; // where the in-use check asks
    std::set<std::uint32_t> m_unchecked;
    std::vector<Assignment> m_assignments;
    std::vector<SkippedAddress> m_skipped;
    std::vector<DeviceInfo> m_records;
};

std::string PlanLineText(const AssignOptions& o, int line)
{
    return *o.planFile + " line " + std::to_string(line) + ": ";
}

std::optional<Refused> Assigner::chooseTargets(std::vector<const DeviceInfo*>& targets) const
{
    const std::string inProject = m_options.project == "ALL" ? "" : " in project " + m_options.project;
    const bool everyDevice = m_options.macs.empty() && !m_options.currentIp;
    for (const DeviceInfo& device : m_state.devices) {
        if (!HasMacAddress(FieldText(device.mac)) || !m_state.PassesProjectFilter(FieldText(device.proj)))
            continue;
        const bool byMac = std::any_of(m_options.macs.begin(), m_options.macs.end(),
                                       [&](const std::string& m) { return SameMac(m, FieldText(device.mac)); });
        const bool byIp = m_options.currentIp && FieldText(device.ip) == *m_options.currentIp;
        if (everyDevice || byMac || byIp)
            targets.push_back(&device);
    }
    // Every device asked for by name must be there, or the plan is not the one meant.
    for (const std::string& mac : m_options.macs)
        if (std::none_of(targets.begin(), targets.end(), [&](auto* d) { return SameMac(mac, FieldText(d->mac)); }))
            return Refused{1, "No device with MAC " + mac + " answered the search" + inProject + "."};
    if (m_options.currentIp &&
        std::none_of(targets.begin(), targets.end(), [&](auto* d) { return FieldText(d->ip) == *m_options.currentIp; }))
        return Refused{1, "No device with ip " + *m_options.currentIp + " answered the search" + inProject + "."};
    if (targets.empty())
        return Refused{1, "No device to assign answered the search" + inProject + "."};
    std::stable_sort(targets.begin(), targets.end(), [](auto* a, auto* b) { return Mac(*a) < Mac(*b); });
    // A package goes to a MAC: two devices answering with one would both take it.
    for (std::size_t t = 1; t < targets.size(); ++t)
        if (SameMac(FieldText(targets[t - 1]->mac), FieldText(targets[t]->mac)))
            return Refused{1, "Two devices answered with MAC " + Mac(*targets[t]) + " (from " +
                                  std::string(FieldText(targets[t - 1]->ip)) + " and " +
                                  std::string(FieldText(targets[t]->ip)) +
                                  "); a package to it would reach both. Nothing was sent."};
    return std::nullopt;
}

std::optional<Refused> Assigner::chooseFromPlan(
    const std::vector<PlanLine>& lines, std::vector<std::pair<const DeviceInfo*, const PlanLine*>>& chosen) const
{
    for (const PlanLine& line : lines) {
        std::vector<const DeviceInfo*> found;
        for (const DeviceInfo& device : m_state.devices)
            if (HasMacAddress(FieldText(device.mac)) && SameMac(FieldText(device.mac), line.mac))
                found.push_back(&device);
        if (found.empty())
            return Refused{2, PlanLineText(m_options, line.line) + "no device with MAC " + line.mac +
                                  " answered the search"};
        if (found.size() > 1)
            return Refused{2, PlanLineText(m_options, line.line) + std::to_string(found.size()) +
                                  " devices answered with MAC " + line.mac + "; a package to it would reach them all"};
        chosen.emplace_back(found.front(), &line);
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](auto& a, auto& b) { return a.second->mac < b.second->mac; });
    return std::nullopt;
}

std::set<std::uint32_t> Assigner::inUse(const std::vector<std::uint32_t>& candidates)
{
    InUseAnswer answer = CheckAddressesInUse(candidates, m_adapters, m_log);
    m_unchecked.merge(answer.unchecked);
    return answer.inUse;
}

Assignment Assigner::assignmentFor(const DeviceInfo& device) const
{
    Assignment a;
    a.device = device;
    a.adapter = m_state.arrivalInterface(device);
    return a;
}

std::optional<Refused> Assigner::plan(const std::vector<PlanLine>* lines)
{
    SearchOptions search;
    search.project = m_options.project;
    search.interfaces = m_options.interfaces;
    RunSearch(m_state, search, m_endpoints);

    std::vector<std::pair<const DeviceInfo*, const PlanLine*>> chosen;
    if (lines) {
        if (auto refused = chooseFromPlan(*lines, chosen))
            return refused;
    } else {
        std::vector<const DeviceInfo*> targets;
        if (auto refused = chooseTargets(targets))
            return refused;
        for (const DeviceInfo* t : targets)
            chosen.emplace_back(t, nullptr);
    }

    TakenAddresses taken;
    for (const std::uint32_t a : LocalAddresses())
        taken.thisPc.insert(a);
    for (const DeviceInfo& device : m_state.devices)
        if (const auto ip = ParseDottedQuad(FieldText(device.ip)))
            taken.heldByDevice.emplace(*ip, Mac(device));
    // The LAN is asked on the adapters the devices answered on (on every one
    // when that is not known).
    std::set<unsigned> answeredOn;
    for (const auto& [device, line] : chosen)
        answeredOn.insert(m_state.arrivalInterface(*device));
    for (const NetworkInterface& adapter : BroadcastInterfaces(m_options.interfaces))
        if (answeredOn.count(adapter.index) != 0 || answeredOn.count(0) != 0)
            m_adapters.push_back(adapter);

    if (lines) {
        std::vector<std::uint32_t> wanted;
        for (const auto& [device, line] : chosen) {
            const std::uint32_t ip = *ParseDottedQuad(line->ip);
            const std::optional<std::string> reason =
                FixedSkipReason(ip, *ParseDottedQuad(line->netmask), *ParseDottedQuad(line->gateway),
                                *ParseDottedQuad(line->dns), taken);
            if (reason)
                return Refused{2, PlanLineText(m_options, line->line) + line->ip + " is taken: " + *reason +
                                      (*reason == kSkipHeld ? " (" + taken.heldByDevice[ip] + ")" : "")};
            wanted.push_back(ip);
        }
        const std::set<std::uint32_t> used = inUse(wanted);
        std::sort(chosen.begin(), chosen.end(), [](auto& a, auto& b) { return a.second->line < b.second->line; });
        for (const auto& [device, line] : chosen)
            if (used.count(*ParseDottedQuad(line->ip)) != 0)
                return Refused{2, PlanLineText(m_options, line->line) + line->ip + " is taken: " + kSkipInUse};
        std::stable_sort(chosen.begin(), chosen.end(), [](auto& a, auto& b) { return a.second->mac < b.second->mac; });
        for (const auto& [device, line] : chosen) {
            Assignment a = assignmentFor(*device);
            a.ip = line->ip;
            a.netmask = line->netmask;
            a.gateway = line->gateway;
            a.dns = line->dns;
            m_assignments.push_back(std::move(a));
        }
    } else {
        const AddressRange range{*ParseDottedQuad(m_options.from), *ParseDottedQuad(m_options.netmask),
                                 *ParseDottedQuad(m_options.gateway), *ParseDottedQuad(m_options.dns)};
        AddressPlan addresses = PlanAddresses(range, chosen.size(), taken,
                                              [this](const std::vector<std::uint32_t>& c) { return inUse(c); });
        m_skipped = std::move(addresses.skipped);
        if (addresses.addresses.size() < chosen.size()) {
            std::string text = "only " + std::to_string(addresses.addresses.size()) + " free addresses for " +
                               std::to_string(chosen.size()) + " devices upward from " + m_options.from +
                               " in its subnet (netmask " + m_options.netmask + "); nothing was sent.";
            for (const SkippedAddress& s : m_skipped)
                text += "\n  " + AddressText(s.address) + ": " + s.reason;
            return Refused{2, text};
        }
        for (std::size_t t = 0; t < chosen.size(); ++t) {
            Assignment a = assignmentFor(*chosen[t].first);
            a.ip = AddressText(addresses.addresses[t]);
            a.netmask = m_options.netmask;
            a.gateway = m_options.gateway;
            a.dns = m_options.dns;
            m_assignments.push_back(std::move(a));
        }
    }
    if (!m_unchecked.empty())
        m_err << "Warning: whether a host holds " << AddressList(m_unchecked)
              << " cannot be checked: no adapter the devices answered on is in that subnet.\n";
    return checkPackages();
}

std::optional<Refused> Assigner::checkPackages()
{
    // Every package passes the setup check before the first one leaves.
    for (const Assignment& a : m_assignments) {
        const SetupAddresses addresses{a.ip, a.netmask, a.gateway, a.dns};
        if (const auto problem = CheckSetupRequest(addresses))
            return Refused{2, RefusalText(*problem, addresses) + " (for " + Mac(a.device) + "); nothing was sent."};
        SetupEdits edits = EditsFromDevice(a.device);
        edits.ip = a.ip;
        edits.netmask = a.netmask;
        edits.gateway = a.gateway;
        edits.dns = a.dns;
        DeviceInfo& record = m_records.emplace_back();
        const int tooLong = FillControlRecord(edits, NetworkType::Static, record);
        if (tooLong >= 0)
            return Refused{2, "The " + std::string(kDeviceFieldNames[static_cast<std::size_t>(tooLong)]) +
                                  " text of " + Mac(a.device) + " is too long for a package; nothing was sent."};
    }
    return std::nullopt;
}

void Assigner::confirm()
{
    QElapsedTimer sinceSent;
    sinceSent.start();
    const qint64 waitMs = static_cast<qint64>(m_options.waitSeconds) * 1000;
    while (AnyWaiting(m_assignments)) {
        const qint64 left = waitMs - sinceSent.elapsed();
        if (left <= 0)
            break;
        // A restarting camera is silent for a while; asking it at once only adds noise.
        Pause(static_cast<int>(std::min<qint64>(kRecheckEveryMs, left)));
        DiscoveryState round(m_log);
        SearchOptions search;
        search.interfaces = m_options.interfaces;
        RunSearch(round, search, m_endpoints);
        const int seconds = static_cast<int>((sinceSent.elapsed() + 500) / 1000);
        const std::vector<Assignment> before = m_assignments;
        TakeConfirmations(m_assignments, round.devices, seconds);
        for (std::size_t a = 0; a < m_assignments.size() && !m_options.quiet; ++a)
            if (m_assignments[a].status != before[a].status)
                m_err << Mac(m_assignments[a].device) << " answers from " << m_assignments[a].ip << " after "
                      << seconds << " s\n";
    }
    EndWaiting(m_assignments);
}

int Assigner::apply(std::ostream& out)
{
    if (m_options.dryRun) {
        out << FormatAssignReport(m_assignments, m_skipped, m_options.format);
        return 0;
    }
    const SearchSettings settings = MakeSearchSettings(std::nullopt, "TCP", m_options.interfaces);
    int sent = 0;
    for (std::size_t i = 0; i < m_assignments.size(); ++i) {
        Assignment& a = m_assignments[i];
        bool adapterGone = false;
        if (SendControlPackage(m_records[i], settings, m_log, a.adapter, m_endpoints, &adapterGone) == 0) {
            a.status = AssignStatus::Waiting;
            ++sent;
        } else {
            a.status = AssignStatus::NotSeen;
            m_err << kControlPackageFailed << " (" << Mac(a.device) << ")\n";
        }
        if (adapterGone)
            m_err << kAdapterGoneNote << " (" << Mac(a.device) << ")\n";
    }
    if (!m_options.quiet && sent > 0)
        m_err << "Sent " << sent << " control package(s); looking for the devices at their new addresses for up to "
              << m_options.waitSeconds << " s.\n";
    confirm();
    out << FormatAssignReport(m_assignments, m_skipped, m_options.format);
    const bool all = std::all_of(m_assignments.begin(), m_assignments.end(),
                                 [](const Assignment& a) { return a.status == AssignStatus::Confirmed; });
    return all ? 0 : 1;
}

} // namespace

int AssignCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const NetworkEndpoints& endpoints)
{
    std::string error;
    const std::optional<AssignOptions> options = ParseAssignOptions(args, error);
    if (!options) {
        err << kCommand << error << '\n';
        return 2;
    }
    // Everything that can be refused without the LAN is refused before searching.
    std::optional<std::vector<PlanLine>> lines;
    if (options->planFile) {
        std::ifstream file(*options->planFile, std::ios::binary);
        std::ostringstream text;
        if (!file || !(text << file.rdbuf())) {
            err << kCommand << "cannot read the plan file " << *options->planFile << '\n';
            return 2;
        }
        PlanFileError problem;
        lines = ReadPlanFile(text.str(), options->force, problem);
        if (!lines) {
            err << kCommand << *options->planFile
                << (problem.line > 0 ? " line " + std::to_string(problem.line) : std::string()) << ": "
                << problem.reason << '\n';
            return 2;
        }
    } else if (const auto problem = RangeProblem(*options)) {
        err << kCommand << *problem << '\n';
        return 2;
    }

    Assigner assigner(*options, err, endpoints);
    if (const auto refused = assigner.plan(lines ? &*lines : nullptr)) {
        err << (refused->status == 2 ? kCommand : "") << refused->message << '\n';
        return refused->status;
    }
    return assigner.apply(out);
}

} // namespace Cli
