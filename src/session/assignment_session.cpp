// SPDX-License-Identifier: MIT
#include "session/assignment_session.h"

#include "discovery/control_package.h"
#include "discovery/mac_address.h"
#include "discovery/setup_check.h"
#include "session/search_session.h"

#include <algorithm>

namespace Discovery {

namespace {

std::string Mac(const DeviceInfo& device)
{
    const std::string_view mac = FieldText(device.mac);
    return CanonicalMac(mac).value_or(std::string(mac));
}

} // namespace

AssignmentSession::AssignmentSession(LogSink& log, QObject* parent)
    : QObject(parent), m_log(log), m_check(log), m_round(log)
{
    connect(&m_check, &NeighbourCheck::finished, this, &AssignmentSession::lanAnswered);
    m_recheck.setSingleShot(true);
    connect(&m_recheck, &QTimer::timeout, this, &AssignmentSession::searchAgain);
}

AssignmentSession::~AssignmentSession()
{
    m_recheck.stop();
    m_check.cancel();
    m_search.reset();
}

TakenAddresses AssignmentSession::KnownTaken(const std::vector<DeviceInfo>& devices)
{
    TakenAddresses taken;
    for (const std::uint32_t a : LocalAddresses())
        taken.thisPc.insert(a);
    for (const DeviceInfo& device : devices)
        if (const auto ip = ParseDottedQuad(FieldText(device.ip)))
            taken.heldByDevice.emplace(*ip, Mac(device));
    return taken;
}

void AssignmentSession::cancelPlan()
{
    m_check.cancel();
}

void AssignmentSession::planRange(std::vector<AssignTarget> targets, const AddressRange& range,
                                  const TakenAddresses& taken, const std::vector<NetworkInterface>& adapters,
                                  bool askLan)
{
    cancelPlan();
    m_mode = Mode::Range;
    m_targets = std::move(targets);
    m_range = range;
    m_taken = taken;
    m_adapters = adapters;
    m_asked.clear();
    m_inUse.clear();
    m_unchecked.clear();
    replanRange();
    if (askLan)
        this->askLan();
}

void AssignmentSession::planGiven(std::vector<Assignment> assignments, const TakenAddresses& taken,
                                  const std::vector<NetworkInterface>& adapters, bool askLan)
{
    cancelPlan();
    m_mode = Mode::Given;
    m_targets.clear();
    for (const Assignment& a : assignments)
        m_targets.push_back({a.device, a.adapter});
    m_assignments = std::move(assignments);
    m_taken = taken;
    m_adapters = adapters;
    m_asked.clear();
    m_inUse.clear();
    m_unchecked.clear();
    m_skipped.clear();
    checkGiven();
    if (askLan)
        this->askLan();
}

// The plan as far as the LAN has been asked; candidates it was not asked
// about count as free until it has been.
void AssignmentSession::replanRange()
{
    const AddressPlan plan = PlanAddresses(m_range, m_targets.size(), m_taken,
                                           [this](const std::vector<std::uint32_t>& candidates) {
                                               std::set<std::uint32_t> used;
                                               for (const std::uint32_t c : candidates)
                                                   if (m_inUse.count(c) != 0)
                                                       used.insert(c);
                                               return used;
                                           });
    m_skipped = plan.skipped;
    m_assignments.clear();
    for (std::size_t t = 0; t < m_targets.size(); ++t) {
        Assignment a;
        a.device = m_targets[t].device;
        a.adapter = m_targets[t].adapter;
        if (t < plan.addresses.size()) {
            a.ip = AddressText(plan.addresses[t]);
            a.netmask = AddressText(m_range.netmask);
            a.gateway = AddressText(m_range.gateway);
            a.dns = AddressText(m_range.dns);
        }
        m_assignments.push_back(std::move(a));
    }
    m_problem.reset();
    if (plan.addresses.size() < m_targets.size())
        m_problem = PlanProblem{PlanProblem::Kind::TooFewAddresses, plan.addresses.size(), 0, {}};
}

void AssignmentSession::checkGiven()
{
    m_problem.reset();
    for (std::size_t i = 0; i < m_assignments.size() && !m_problem; ++i) {
        const Assignment& a = m_assignments[i];
        const auto ip = ParseDottedQuad(a.ip);
        const auto netmask = ParseDottedQuad(a.netmask);
        const auto gateway = ParseDottedQuad(a.gateway);
        const auto dns = ParseDottedQuad(a.dns);
        if (!ip || !netmask || !gateway || !dns)
            continue; // the package check names it
        if (auto reason = FixedSkipReason(*ip, *netmask, *gateway, *dns, m_taken))
            m_problem = PlanProblem{PlanProblem::Kind::AddressTaken, 0, i, std::move(*reason)};
    }
    for (std::size_t i = 0; i < m_assignments.size() && !m_problem; ++i)
        if (const auto ip = ParseDottedQuad(m_assignments[i].ip); ip && m_inUse.count(*ip) != 0)
            m_problem = PlanProblem{PlanProblem::Kind::AddressTaken, 0, i, kSkipInUse};
}

std::vector<NetworkInterface> AssignmentSession::probeAdapters() const
{
    // The LAN is asked on the adapters the devices answered on (on every
    // one when that is not known).
    std::set<unsigned> answeredOn;
    for (const AssignTarget& t : m_targets)
        answeredOn.insert(t.adapter);
    std::vector<NetworkInterface> adapters;
    for (const NetworkInterface& adapter : m_adapters)
        if (answeredOn.count(adapter.index) != 0 || answeredOn.count(0) != 0)
            adapters.push_back(adapter);
    return adapters;
}

// Asks about the planned addresses not asked about yet; once none is left
// the plan is final.
void AssignmentSession::askLan()
{
    std::vector<std::uint32_t> fresh;
    auto consider = [&](std::uint32_t address) {
        if (m_asked.count(address) == 0 &&
            std::find(fresh.begin(), fresh.end(), address) == fresh.end())
            fresh.push_back(address);
    };
    for (const Assignment& a : m_assignments)
        if (const auto ip = ParseDottedQuad(a.ip))
            consider(*ip);
    m_asked.insert(fresh.begin(), fresh.end());
    m_check.start(fresh, probeAdapters());
}

void AssignmentSession::lanAnswered()
{
    const InUseAnswer& answer = m_check.answer();
    m_inUse.insert(answer.inUse.begin(), answer.inUse.end());
    m_unchecked.insert(answer.unchecked.begin(), answer.unchecked.end());
    const bool more = !answer.inUse.empty();
    if (m_mode == Mode::Range) {
        replanRange();
        // Addresses in use moved the plan up: the new ones are asked about too.
        if (more) {
            askLan();
            return;
        }
    } else {
        checkGiven();
    }
    emit planned();
}

std::optional<std::string> AssignmentSession::checkPackages()
{
    m_records.clear();
    for (const Assignment& a : m_assignments) {
        const SetupAddresses addresses{a.ip, a.netmask, a.gateway, a.dns};
        if (const auto problem = CheckSetupRequest(addresses))
            return RefusalText(*problem, addresses) + " (for " + Mac(a.device) + ")";
        SetupEdits edits = EditsFromDevice(a.device);
        edits.ip = a.ip;
        edits.netmask = a.netmask;
        edits.gateway = a.gateway;
        edits.dns = a.dns;
        DeviceInfo& record = m_records.emplace_back();
        const int tooLong = FillControlRecord(edits, NetworkType::Static, record);
        if (tooLong >= 0)
            return "The " + std::string(kDeviceFieldNames[static_cast<std::size_t>(tooLong)]) + " text of " +
                   Mac(a.device) + " is too long for a package";
    }
    return std::nullopt;
}

std::optional<std::string> AssignmentSession::send(int waitSeconds, SendReport& report)
{
    if (m_verifying)
        return "the packages were sent already";
    if (m_check.running())
        return "the addresses are still being checked";
    if (m_problem)
        return "the plan is not complete";
    if (m_assignments.empty())
        return "no device is chosen";
    // A package goes to a MAC: two devices answering with one would both take it.
    for (std::size_t i = 0; i < m_assignments.size(); ++i)
        for (std::size_t j = i + 1; j < m_assignments.size(); ++j)
            if (SameMac(FieldText(m_assignments[i].device.mac), FieldText(m_assignments[j].device.mac)))
                return "two devices answered with MAC " + Mac(m_assignments[j].device) +
                       "; a package to it would reach both";
    if (auto refused = checkPackages())
        return refused;

    for (std::size_t i = 0; i < m_assignments.size(); ++i) {
        Assignment& a = m_assignments[i];
        bool adapterGone = false;
        if (SendControlPackage(m_records[i], m_settings, m_log, a.adapter, m_endpoints, &adapterGone) == 0) {
            a.status = AssignStatus::Waiting;
            ++report.sent;
        } else {
            a.status = AssignStatus::NotSeen;
            report.notes.push_back(std::string(kControlPackageFailed) + " (" + Mac(a.device) + ")");
        }
        if (adapterGone)
            report.notes.push_back(std::string(kAdapterGoneNote) + " (" + Mac(a.device) + ")");
    }
    m_sinceSent.start();
    m_waitMs = static_cast<qint64>(waitSeconds) * 1000;
    m_verifying = true;
    // A restarting camera is silent for a while; asking it at once only adds noise.
    m_recheck.start(AnyWaiting(m_assignments) ? static_cast<int>(std::min<qint64>(m_recheckEveryMs, m_waitMs)) : 0);
    return std::nullopt;
}

int AssignmentSession::secondsSinceSent() const
{
    return m_sinceSent.isValid() ? static_cast<int>((m_sinceSent.elapsed() + 500) / 1000) : 0;
}

void AssignmentSession::searchAgain()
{
    if (!AnyWaiting(m_assignments) || m_sinceSent.elapsed() >= m_waitMs) {
        endWaiting();
        return;
    }
    if (!m_search) {
        m_search = std::make_unique<SearchSession>(m_round, std::nullopt);
        m_search->setEndpoints(m_endpoints);
        connect(m_search.get(), &SearchSession::finished, this, &AssignmentSession::searchEnded);
    }
    if (!m_search->start(m_settings, "ALL"))
        endWaiting();
}

void AssignmentSession::searchEnded()
{
    if (!m_verifying)
        return;
    TakeConfirmations(m_assignments, m_round.devices, secondsSinceSent());
    emit statusChanged();
    const qint64 left = m_waitMs - m_sinceSent.elapsed();
    if (!AnyWaiting(m_assignments) || left <= 0) {
        endWaiting();
        return;
    }
    m_recheck.start(static_cast<int>(std::min<qint64>(m_recheckEveryMs, left)));
}

void AssignmentSession::stop()
{
    if (!m_verifying)
        return;
    m_recheck.stop();
    if (m_search)
        m_search->cancel();
    endWaiting();
}

void AssignmentSession::endWaiting()
{
    m_recheck.stop();
    EndWaiting(m_assignments);
    m_verifying = false;
    emit statusChanged();
    emit finished();
}

} // namespace Discovery
