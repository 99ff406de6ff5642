// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <chrono>
#include <functional>
#include <map>
#include <optional>

namespace Sim {

// Timed jobs for the simulator's single-threaded loop: delayed answers and floods.
class Scheduler {
    Q_DISABLE_COPY(Scheduler)
public:
    using Clock = std::chrono::steady_clock;

    Scheduler() = default;

    void at(Clock::time_point due, std::function<void()> job);
    void after(Clock::duration delay, std::function<void()> job) { at(Clock::now() + delay, std::move(job)); }

    std::optional<Clock::time_point> nextDue() const;
    // Runs every job due at `now`, in due order; jobs may schedule more.
    void runDue(Clock::time_point now);
    bool empty() const { return m_jobs.empty(); }

private:
    std::multimap<Clock::time_point, std::function<void()>> m_jobs;
};

} // namespace Sim
