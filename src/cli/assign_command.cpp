// SPDX-License-Identifier: MIT
#include "cli/assign_command.h"

#include "cli/assign_options.h"
#include "cli/assign_report.h"
#include "cli/search_command.h"
#include "cli/stop_signals.h"
#include "cli/stream_log.h"
#include "discovery/address_assignment.h"
#include "discovery/address_plan.h"
#include "discovery/control_package.h"
#include "discovery/device_markers.h"
#include "discovery/mac_address.h"
#include "discovery/plan_file.h"
#include "discovery/setup_check.h"
#include "session/assignment_session.h"
#include "session/search_session.h"

#include <QEventLoop>

#include <algorithm>
#include <bit>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>

namespace Cli {

namespace {

using namespace Discovery;

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

// Runs the event loop until `signal` of the session comes, or until SIGINT
// or SIGTERM: then `onStop` ends what the session does and true is returned.
template <typename Signal, typename OnStop>
bool WaitFor(AssignmentSession& session, Signal signal, OnStop onStop)
{
    QEventLoop loop;
    QObject::connect(&session, signal, &loop, &QEventLoop::quit);
    StopSignals stop;
    bool interrupted = false;
    stop.whenSignalled([&] {
        interrupted = true;
        onStop();
        loop.quit();
    });
    loop.exec();
    return interrupted;
}

constexpr char kInterruptedNothingSent[] = "interrupted; nothing was sent.";

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
        : m_options(options), m_err(err), m_endpoints(endpoints), m_log(err, options.quiet), m_state(m_log),
          m_session(m_log)
    {
        m_session.setEndpoints(endpoints);
        m_session.setSearchSettings(MakeSearchSettings(std::nullopt, "TCP", options.interfaces));
    }

    std::optional<Refused> plan(const std::vector<PlanLine>* lines);
    int apply(std::ostream& out);

private:
    std::optional<Refused> chooseTargets(std::vector<const DeviceInfo*>& targets) const;
    std::optional<Refused> chooseFromPlan(const std::vector<PlanLine>& lines,
                                          std::vector<std::pair<const DeviceInfo*, const PlanLine*>>& chosen) const;
    Assignment assignmentFor(const DeviceInfo& device) const;
    static std::vector<Assignment> sortedByMac(std::vector<Assignment> assignments);

    const AssignOptions& m_options;
    std::ostream& m_err;
    NetworkEndpoints m_endpoints;
    StreamLog m_log;
    DiscoveryState m_state;
    AssignmentSession m_session;
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

std::vector<Assignment> Assigner::sortedByMac(std::vector<Assignment> assignments)
{
    std::stable_sort(assignments.begin(), assignments.end(),
                     [](const Assignment& a, const Assignment& b) { return Mac(a.device) < Mac(b.device); });
    return assignments;
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
    // Ctrl+C before anything is sent ends the command with nothing sent,
    // never with a plan made from half a search.
    const RoundReport report = RunRound(m_state, search, m_endpoints);
    if (report.interrupted)
        return Refused{kInterruptedStatus, kInterruptedNothingSent};
    if (const std::string problem = ReplyPortProblem(report, m_endpoints); !problem.empty())
        return Refused{1, kCommand + problem};

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

    const TakenAddresses taken = AssignmentSession::KnownTaken(m_state.devices);
    const std::vector<NetworkInterface> adapters = BroadcastInterfaces(m_options.interfaces);
    if (lines) {
        // Line order, so a refusal names the first line that is wrong.
        std::sort(chosen.begin(), chosen.end(), [](auto& a, auto& b) { return a.second->line < b.second->line; });
        std::vector<Assignment> given;
        for (const auto& [device, line] : chosen) {
            Assignment a = assignmentFor(*device);
            a.ip = line->ip;
            a.netmask = line->netmask;
            a.gateway = line->gateway;
            a.dns = line->dns;
            given.push_back(std::move(a));
        }
        m_session.planGiven(std::move(given), taken, adapters, true);
        if (WaitFor(m_session, &AssignmentSession::planned, [this] { m_session.cancelPlan(); }))
            return Refused{kInterruptedStatus, kInterruptedNothingSent};
        if (const auto& problem = m_session.problem()) {
            const PlanLine& line = *chosen[problem->target].second;
            const auto ip = ParseDottedQuad(line.ip);
            const auto held = ip ? taken.heldByDevice.find(*ip) : taken.heldByDevice.end();
            return Refused{2, PlanLineText(m_options, line.line) + line.ip + " is taken: " + problem->reason +
                                  (problem->reason == kSkipHeld && held != taken.heldByDevice.end()
                                       ? " (" + held->second + ")"
                                       : "")};
        }
    } else {
        std::vector<AssignTarget> targets;
        for (const auto& [device, line] : chosen)
            targets.push_back({*device, m_state.arrivalInterface(*device)});
        const AddressRange range{*ParseDottedQuad(m_options.from), *ParseDottedQuad(m_options.netmask),
                                 *ParseDottedQuad(m_options.gateway), *ParseDottedQuad(m_options.dns)};
        m_session.planRange(std::move(targets), range, taken, adapters, true);
        if (WaitFor(m_session, &AssignmentSession::planned, [this] { m_session.cancelPlan(); }))
            return Refused{kInterruptedStatus, kInterruptedNothingSent};
        if (const auto& problem = m_session.problem()) {
            std::string text = "only " + std::to_string(problem->found) + " free addresses for " +
                               std::to_string(chosen.size()) + " devices upward from " + m_options.from +
                               " in its subnet (netmask " + m_options.netmask + "); nothing was sent.";
            for (const SkippedAddress& s : m_session.skipped())
                text += "\n  " + AddressText(s.address) + ": " + s.reason;
            return Refused{2, text};
        }
    }
    if (!m_session.unchecked().empty())
        m_err << "Warning: whether a host holds " << AddressList(m_session.unchecked())
              << " cannot be checked: no adapter the devices answered on is in that subnet.\n";
    // Every package passes the setup check before the first one leaves.
    if (const auto refused = m_session.checkPackages())
        return Refused{2, *refused + "; nothing was sent."};
    return std::nullopt;
}

int Assigner::apply(std::ostream& out)
{
    if (m_options.dryRun) {
        out << FormatAssignReport(sortedByMac(m_session.assignments()), m_session.skipped(), m_options.format);
        return 0;
    }
    SendReport sent;
    if (const auto refused = m_session.send(m_options.waitSeconds, sent)) {
        m_err << kCommand << *refused << "; nothing was sent.\n";
        return 2;
    }
    for (const std::string& note : sent.notes)
        m_err << note << '\n';
    if (!m_options.quiet && sent.sent > 0)
        m_err << "Sent " << sent.sent
              << " control package(s); looking for the devices at their new addresses for up to "
              << m_options.waitSeconds << " s.\n";
    std::vector<Assignment> before = m_session.assignments();
    QObject::connect(&m_session, &AssignmentSession::statusChanged, &m_session, [&] {
        const std::vector<Assignment>& now = m_session.assignments();
        for (std::size_t a = 0; a < now.size() && a < before.size() && !m_options.quiet; ++a)
            if (now[a].status == AssignStatus::Confirmed && before[a].status != AssignStatus::Confirmed)
                m_err << Mac(now[a].device) << " answers from " << now[a].ip << " after " << now[a].seconds.value_or(0)
                      << " s\n";
        before = now;
    });
    // Ctrl+C while waiting ends the wait: the report says what is known so far.
    const bool interrupted =
        m_session.verifying() && WaitFor(m_session, &AssignmentSession::finished, [this] { m_session.stop(); });
    const std::vector<Assignment> done = sortedByMac(m_session.assignments());
    out << FormatAssignReport(done, m_session.skipped(), m_options.format);
    const bool all = std::all_of(done.begin(), done.end(),
                                 [](const Assignment& a) { return a.status == AssignStatus::Confirmed; });
    return all ? 0 : (interrupted ? kInterruptedStatus : 1);
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
        err << (refused->status != 1 ? kCommand : "") << refused->message << '\n';
        return refused->status;
    }
    return assigner.apply(out);
}

} // namespace Cli
