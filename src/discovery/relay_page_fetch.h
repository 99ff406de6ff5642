// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace Discovery {

inline constexpr std::size_t kRelayPageLimit = 1024 * 1024;
inline constexpr std::chrono::milliseconds kRelayPageWait{20'000};

// Fetches a relay host's device page and returns its lines (RelayPageLines).
// Waits at most `wait` while the caller's event loop keeps running, keeps at
// most the first `limit` bytes of the body. A failed or timed-out fetch gives
// what had arrived by then, usually nothing. Needs a QCoreApplication.
std::vector<std::string> FetchRelayPage(const std::string& url,
                                        std::chrono::milliseconds wait = kRelayPageWait,
                                        std::size_t limit = kRelayPageLimit);

} // namespace Discovery
