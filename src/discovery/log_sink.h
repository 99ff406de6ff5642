// SPDX-License-Identifier: MIT
#pragma once

#include <cstdarg>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace Discovery {

// Where protocol and socket failures go: the hidden diagnostic log of the
// main window, or the terminal's standard error in the CLI. Each append is
// one message, worded exactly as the program's log lines are.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void append(const std::string& line) = 0;

    // printf-style convenience; the result is cut at 4 KiB.
    void appendf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

// Keeps the last `capacity` lines in memory; the window's log and tests use it.
class MemoryLog final : public LogSink {
public:
    explicit MemoryLog(std::size_t capacity = 5000) : m_capacity(capacity) {}
    void append(const std::string& line) override;

    const std::deque<std::string>& lines() const { return m_lines; }
    bool contains(const std::string& line) const;
    void clear() { m_lines.clear(); }
    // Called after every append, e.g. to show the line in a widget.
    std::function<void(const std::string&)> onAppend;

private:
    std::size_t m_capacity;
    std::deque<std::string> m_lines;
};

// Passes each distinct line on the first time it comes and counts its
// repeats; flushRepeats() reports them, a line each, and starts over. A
// neighbour that sends the same malformed packet thousands of times a
// second costs one line, not thousands.
class RepeatFoldingLog final : public LogSink {
public:
    // Distinct lines remembered; lines beyond them are counted together.
    static constexpr std::size_t kDistinctLines = 64;

    explicit RepeatFoldingLog(LogSink& target) : m_target(target) {}
    void append(const std::string& line) override;
    void flushRepeats();

private:
    LogSink& m_target;
    std::vector<std::pair<std::string, std::size_t>> m_lines; // line, repeats after the first
    std::size_t m_unremembered = 0;
};

// Discards everything.
class NullLog final : public LogSink {
public:
    void append(const std::string&) override {}
};

} // namespace Discovery
