// SPDX-License-Identifier: MIT
#pragma once

#include <libsoup/soup.h>

#include <cstddef>
#include <functional>
#include <string>

namespace Upnp {

// The most of a device description we read. A camera's description is a
// few KiB; one that goes past this is broken or hostile, and is skipped
// rather than read in part (a cut document is not the device's description).
inline constexpr std::size_t kDescriptionCap = 256 * 1024;

enum class FetchEnd {
    Read,     // the whole body arrived, within the cap
    TooLarge, // the body went past the cap; reading stopped there
    Failed,   // no answer, an error status, a broken connection, or cancelled
};

using FetchDone = std::function<void(FetchEnd end, std::string body)>;

// Fetches the description at `location` (an http URL) through `session`,
// on the calling thread's default main context. `done` runs exactly once,
// from that context (at once for a location that is no http URL).
// `cancellable` is this fetch's alone: raising it ends the fetch at once,
// and the fetch raises it itself when it stops early, so that its connection
// is closed rather than read to the end. Buffers are freed before `done` runs.
void FetchDescription(SoupSession* session, const std::string& location, GCancellable* cancellable,
                      FetchDone done);

} // namespace Upnp
