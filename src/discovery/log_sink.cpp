// SPDX-License-Identifier: MIT
#include "discovery/log_sink.h"

#include <algorithm>
#include <cstdio>

namespace Discovery {

void LogSink::appendf(const char* format, ...)
{
    char text[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    append(text);
}

void MemoryLog::append(const std::string& line)
{
    m_lines.push_back(line);
    while (m_lines.size() > m_capacity)
        m_lines.pop_front();
    if (onAppend)
        onAppend(line);
}

bool MemoryLog::contains(const std::string& line) const
{
    return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
}

void RepeatFoldingLog::append(const std::string& line)
{
    for (auto& [seen, repeats] : m_lines) {
        if (seen == line) {
            ++repeats;
            return;
        }
    }
    if (m_lines.size() >= kDistinctLines) {
        ++m_unremembered;
        return;
    }
    m_lines.emplace_back(line, 0);
    m_target.append(line);
}

void RepeatFoldingLog::flushRepeats()
{
    for (const auto& [line, repeats] : m_lines) {
        if (repeats == 0)
            continue;
        std::string_view text = line;
        if (!text.empty() && text.back() == '\n')
            text.remove_suffix(1);
        m_target.appendf("%zu more like: %.*s\n", repeats, static_cast<int>(text.size()), text.data());
    }
    if (m_unremembered > 0)
        m_target.appendf("%zu more lines of other kinds\n", m_unremembered);
    m_lines.clear();
    m_unremembered = 0;
}

} // namespace Discovery
