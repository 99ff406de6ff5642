// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/log_sink.h"

#include <ostream>

namespace Cli {

// The diagnostic log on a terminal stream, one line per message.
class StreamLog final : public Discovery::LogSink {
public:
    explicit StreamLog(std::ostream& out, bool quiet) : m_out(out), m_quiet(quiet) {}
    void append(const std::string& line) override
    {
        if (m_quiet)
            return;
        m_out << line;
        if (line.empty() || line.back() != '\n')
            m_out << '\n';
        m_out.flush();
    }

private:
    std::ostream& m_out;
    bool m_quiet;
};

} // namespace Cli
