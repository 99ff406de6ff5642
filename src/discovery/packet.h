// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "discovery/log_sink.h"

#include <span>
#include <string>
#include <string_view>

namespace Discovery {

// The plain (unframed) text of a datagram: a query for flags 0 and 2, the
// eleven fields for flags 1 and 3. Empty for any other flag or a missing record.
std::string PlainPacketText(int flag, const DeviceInfo* info);

// Builds the framed datagram for `flag` into `output` (NUL-terminated):
// the plain text and its NUL are inverted and Base64-encoded. Returns 0 on
// success, -1 when nothing could be built; then `output` is left as it was.
// Flags 1 and 3 need `info`; their plain text is echoed to the log.
int BuildPacket(int flag, std::span<char> output, const DeviceInfo* info, LogSink& log);

// Reads one plain packet into a zero-filled `info`. Returns 0 for a query
// (flag 00), 1 for a device reply (flag 01), -1 for anything else.
int ParsePacket(std::string_view packet, DeviceInfo& info, LogSink& log);

// A MAC text is acceptable when it holds at least five ':'.
bool GetMacFromCString(std::string_view text);

// Reads a decimal number the way the C library's atoi does (leading blanks,
// an optional sign, digits up to the first non-digit; none reads as 0), but
// saturates instead of overflowing.
long ReadDecimal(std::string_view text);

// Frames a whole buffer of plain packets (each with its NUL) for the wire:
// inverted and Base64-encoded. Used by relays and the simulator.
std::string FrameBytes(std::string_view plainWithNuls);

// Decodes and inverts a framed text back to plain packets, bounded by the
// decode buffer's size; the result is always NUL-terminated.
std::string UnframeText(std::string_view framed);

} // namespace Discovery
