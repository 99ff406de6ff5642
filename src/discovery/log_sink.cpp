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

} // namespace Discovery
