// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace Discovery {

// What the project filter text asks a round for. "ALL" and "UPNP" are told
// apart from project names with letter case ignored, under the user's
// locale: they decide whether the UPnP search joins the round and what its
// results do to the grid.
enum class FilterKind { All, Upnp, Project };
FilterKind KindOfFilter(std::string_view projectFilter);

// True when the filter admits UPnP devices ("ALL" or "UPNP", any case).
bool FilterAdmitsUpnp(std::string_view projectFilter);

// The grid's rule, byte for byte and case-sensitive: a device of project
// `proj` is shown when the filter is exactly its project or exactly "ALL".
bool PassesProjectFilter(std::string_view projectFilter, std::string_view proj);

} // namespace Discovery
