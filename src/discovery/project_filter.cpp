// SPDX-License-Identifier: MIT
#include "discovery/project_filter.h"

#include <QString>

namespace Discovery {

namespace {
bool SameIgnoringCase(std::string_view text, const char* word)
{
    const QString value = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return value.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}
} // namespace

FilterKind KindOfFilter(std::string_view projectFilter)
{
    if (SameIgnoringCase(projectFilter, "ALL"))
        return FilterKind::All;
    if (SameIgnoringCase(projectFilter, "UPNP"))
        return FilterKind::Upnp;
    return FilterKind::Project;
}

bool FilterAdmitsUpnp(std::string_view projectFilter)
{
    return KindOfFilter(projectFilter) != FilterKind::Project;
}

bool PassesProjectFilter(std::string_view projectFilter, std::string_view proj)
{
    return proj == projectFilter || projectFilter == "ALL";
}

} // namespace Discovery
