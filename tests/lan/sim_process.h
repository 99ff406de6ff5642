// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace LanHarness {

// One quendrel-sim child process (in a network namespace or right here),
// its JSON log lines read back from a file of its own. Stopped on destruction.
class SimProcess {
public:
    using Match = std::function<bool(const QJsonObject&)>;

    // Starts `program args...`, inside `netns` through "ip netns exec" unless
    // it is empty. "--log FILE" is added. Null and `error` set on failure.
    static std::unique_ptr<SimProcess> Start(const std::string& program, const std::string& netns,
                                             const std::vector<std::string>& args, std::string& error);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The benchmarks renice the simulated devices through it.
    pid_t pid() const { return m_pid; }
    // Waits for the {"event":"ready"} line; false with the reason (and the
    // program's error output) when it exits or the time runs out first.
    bool waitReady(std::chrono::milliseconds timeout, std::string& error);
    const QJsonObject& ready() const { return m_ready; }

    // The first line (from the start of the log) that matches, waiting up to `timeout`.
    std::optional<QJsonObject> waitForLine(const Match& match, std::chrono::milliseconds timeout);
    // How many lines match right now.
    std::size_t count(const Match& match);

    bool running();
    // Waits up to `timeout` for the process to end by itself; its waitpid status.
    std::optional<int> waitExited(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL after `grace`. Returns the exit status as
    // waitpid gives it, or -1 when it had to be killed.
    int stop(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));
    std::string errorOutput() const;

private:
    SimProcess() = default;
    void readNewLines();

    pid_t m_pid = -1;
    std::optional<int> m_status;
    std::filesystem::path m_dir;
    std::filesystem::path m_log;
    std::filesystem::path m_stderr;
    std::string m_partial;
    std::uintmax_t m_offset = 0;
    std::vector<QJsonObject> m_lines;
    QJsonObject m_ready;
};

// Matchers for the simulator's log lines.
SimProcess::Match EventIs(const char* event);
SimProcess::Match ReceivedFlag(const char* transport, int flag);

} // namespace LanHarness
