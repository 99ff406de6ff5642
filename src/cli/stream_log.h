// SPDX-License-Identifier: MIT
#pragma once

#include "cli/device_output.h"
#include "discovery/log_sink.h"

#include <ostream>

namespace Cli {

// The diagnostic log on a terminal stream, one line per message.
class StreamLog final : public Discovery::LogSink {
public:
    explicit StreamLog(std::ostream& out, bool quiet) : m_out(out), m_quiet(quiet) {}
    // Lines may carry a device's bytes (the echo of a control package): they
    // reach the terminal as safe text, one line each.
    void append(const std::string& line) override
    {
        if (m_quiet)
            return;
        std::string_view text = line;
        if (!text.empty() && text.back() == '\n')
            text.remove_suffix(1);
        m_out << TerminalText(text) << '\n';
        m_out.flush();
    }

private:
    std::ostream& m_out;
    bool m_quiet;
};

} // namespace Cli
