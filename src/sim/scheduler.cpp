// SPDX-License-Identifier: MIT
#include "sim/scheduler.h"

namespace Sim {

void Scheduler::at(Clock::time_point due, std::function<void()> job)
{
    m_jobs.emplace(due, std::move(job));
}

std::optional<Scheduler::Clock::time_point> Scheduler::nextDue() const
{
    if (m_jobs.empty())
        return std::nullopt;
    return m_jobs.begin()->first;
}

void Scheduler::runDue(Clock::time_point now)
{
    // Take one job at a time: a job may add jobs, even ones due right now.
    while (!m_jobs.empty() && m_jobs.begin()->first <= now) {
        std::function<void()> job = std::move(m_jobs.begin()->second);
        m_jobs.erase(m_jobs.begin());
        job();
    }
}

} // namespace Sim
