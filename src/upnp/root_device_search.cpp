// SPDX-License-Identifier: MIT
#include "upnp/root_device_search.h"

#include "upnp/device_reader.h"
#include "upnp/glib_handles.h"
#include "upnp/network_interfaces.h"

#include <libgupnp/gupnp.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace Upnp {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kRootDeviceTarget[] = "upnp:rootdevice";

// A root device's USN is "<udn>::upnp:rootdevice"; the UDN names the device.
std::string UdnOfUsn(std::string_view usn)
{
    const std::size_t end = usn.find("::");
    return std::string(end == std::string_view::npos ? usn : usn.substr(0, end));
}

gboolean KeepWaiting(gpointer)
{
    return G_SOURCE_REMOVE;
}

class Search {
public:
    Search(const UpnpSearchOptions& options, CancelToken& cancel, GMainContext* context)
        : m_options(options), m_cancel(cancel), m_context(context)
    {
    }
    ~Search();
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    RootDeviceSearchResult run();

private:
    struct ControlPoint {
        GObjectPtr<GUPnPContext> context;
        GObjectPtr<GUPnPControlPoint> point;
    };

    void openOn(const Ipv4Interface& where);
    bool pendingDescriptions() const;
    void answered(const char* usn);
    void deviceAvailable(GUPnPDeviceProxy* proxy);

    static void OnResourceAvailable(GSSDPResourceBrowser*, const char* usn, GList*, gpointer self)
    {
        static_cast<Search*>(self)->answered(usn);
    }
    static void OnDeviceProxyAvailable(GUPnPControlPoint*, GUPnPDeviceProxy* proxy, gpointer self)
    {
        static_cast<Search*>(self)->deviceAvailable(proxy);
    }

    const UpnpSearchOptions& m_options;
    CancelToken& m_cancel;
    GMainContext* m_context;
    std::vector<ControlPoint> m_points;
    std::set<std::string> m_answered;
    std::set<std::string> m_read;
    std::vector<UpnpDeviceInfo> m_kept;
    Clock::time_point m_lastActivity;
};

Search::~Search()
{
    for (ControlPoint& cp : m_points)
        g_signal_handlers_disconnect_by_data(cp.point.get(), this);
    // Control points first: they hold their context and its pending fetches.
    for (ControlPoint& cp : m_points)
        cp.point.reset();
    m_points.clear();
}

void Search::openOn(const Ipv4Interface& where)
{
    const GObjectPtr<GInetAddress> address(g_inet_address_new_from_string(where.address.c_str()));
    if (!address)
        return;
    GError* raw = nullptr;
    GObjectPtr<GUPnPContext> context(
        gupnp_context_new_full(where.name.c_str(), address.get(), 0, GSSDP_UDA_VERSION_1_0, &raw));
    const GErrorPtr error(raw);
    if (!context)
        return;
    // Descriptions come from devices on this segment: never through a web
    // proxy from the user's settings (which also spares the proxy lookup threads).
    soup_session_set_proxy_resolver(gupnp_context_get_session(context.get()), nullptr);
    GObjectPtr<GUPnPControlPoint> point(gupnp_control_point_new(context.get(), kRootDeviceTarget));
    if (!point)
        return;
    auto* browser = GSSDP_RESOURCE_BROWSER(point.get());
    gssdp_resource_browser_set_mx(browser, static_cast<gushort>(std::clamp(m_options.mx, 1, 5)));
    g_signal_connect(point.get(), "resource-available", G_CALLBACK(&Search::OnResourceAvailable), this);
    g_signal_connect(point.get(), "device-proxy-available", G_CALLBACK(&Search::OnDeviceProxyAvailable), this);
    gssdp_resource_browser_set_active(browser, TRUE);
    m_points.push_back({std::move(context), std::move(point)});
}

bool Search::pendingDescriptions() const
{
    return std::any_of(m_answered.begin(), m_answered.end(),
                       [this](const std::string& udn) { return !m_read.contains(udn); });
}

void Search::answered(const char* usn)
{
    if (!usn)
        return;
    if (m_answered.insert(UdnOfUsn(usn)).second)
        m_lastActivity = Clock::now();
}

void Search::deviceAvailable(GUPnPDeviceProxy* proxy)
{
    auto* device = GUPNP_DEVICE_INFO(proxy);
    const char* udn = gupnp_device_info_get_udn(device);
    if (!udn)
        return;
    // The same device seen through a second interface, or announcing itself again.
    if (!m_read.insert(udn).second)
        return;
    m_answered.insert(udn);
    m_lastActivity = Clock::now();
    UpnpDeviceInfo info = ReadRootDevice(device);
    if (IsKeptManufacturer(info.manufacturer_name))
        m_kept.push_back(std::move(info));
}

RootDeviceSearchResult Search::run()
{
    const Clock::time_point start = Clock::now();
    m_lastActivity = start;

    const std::vector<Ipv4Interface> where =
        m_options.interfaces ? NamedIpv4Interfaces(*m_options.interfaces) : UpIpv4Interfaces();
    for (const Ipv4Interface& one : where) {
        if (m_cancel.isCancelled())
            break;
        openOn(one);
    }

    const Clock::time_point minimumEnd = start + m_options.minimum;
    const Clock::time_point maximumEnd = start + std::max(m_options.maximum, m_options.minimum);
    SearchEnd end = SearchEnd::Quiet;
    for (;;) {
        const Clock::time_point now = Clock::now();
        if (m_cancel.isCancelled()) {
            end = SearchEnd::Cancelled;
            break;
        }
        if (now >= maximumEnd) {
            end = SearchEnd::Limit;
            break;
        }
        const bool pending = pendingDescriptions();
        const Clock::time_point quietEnd = m_lastActivity + m_options.quiet;
        if (!pending && now >= minimumEnd && now >= quietEnd)
            break;
        Clock::time_point wake = maximumEnd;
        if (!pending)
            wake = std::min(wake, std::max(minimumEnd, quietEnd));
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - now);
        const GSourcePtr timer(g_timeout_source_new(static_cast<guint>(std::max<std::int64_t>(wait.count(), 1))));
        g_source_set_callback(timer.get(), &KeepWaiting, nullptr, nullptr);
        g_source_attach(timer.get(), m_context);
        g_main_context_iteration(m_context, TRUE);
    }

    RootDeviceSearchResult result;
    result.stats.elapsed = std::chrono::duration_cast<Milliseconds>(Clock::now() - start);
    result.stats.interfaces = static_cast<int>(m_points.size());
    result.stats.answered = static_cast<int>(m_answered.size());
    result.stats.read = static_cast<int>(m_read.size());
    result.stats.kept = static_cast<int>(m_kept.size());
    result.stats.end = end;
    result.kept = std::move(m_kept);
    return result;
}

} // namespace

RootDeviceSearchResult SearchRootDevices(const UpnpSearchOptions& options, CancelToken& cancel)
{
    const GMainContextPtr context(g_main_context_new());
    RootDeviceSearchResult result;
    {
        const ThreadDefaultContext threadDefault(context.get());
        GMainContext* raw = context.get();
        cancel.attach([raw] { g_main_context_wakeup(raw); });
        {
            Search search(options, cancel, context.get());
            result = search.run();
        }
        // Let the closed sockets and cancelled fetches finish on this context
        // before it goes; a bounded number of rounds, never a wait.
        for (int i = 0; i < 100 && g_main_context_iteration(context.get(), FALSE); ++i) {
        }
        cancel.detach();
    }
    return result;
}

} // namespace Upnp
