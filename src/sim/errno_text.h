// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

namespace Sim {

// The message text of the current errno, for the simulator's log lines.
inline QString ErrnoText() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace Sim
