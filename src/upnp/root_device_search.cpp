// SPDX-License-Identifier: MIT
#include "upnp/root_device_search.h"

#include "upnp/description_fetch.h"
#include "upnp/glib_handles.h"
#include "discovery/network_interfaces.h"
#include "upnp/root_description.h"

#include <libgupnp/gupnp.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
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
    struct Point {
        GObjectPtr<GUPnPContext> context;
        GObjectPtr<GSSDPResourceBrowser> browser;
        Search* search = nullptr;
    };

    void openOn(const Discovery::NetworkInterface& where);
    void answered(const Point& point, const char* usn, GList* locations);
    void fetched(GUPnPContext* context, const std::string& udn, const std::string& location, FetchEnd end,
                 std::string document);

    static void OnResourceAvailable(GSSDPResourceBrowser*, const char* usn, GList* locations, gpointer data)
    {
        const auto* point = static_cast<const Point*>(data);
        point->search->answered(*point, usn, locations);
    }

    const UpnpSearchOptions& m_options;
    CancelToken& m_cancel;
    GMainContext* m_context;
    // Stable addresses: each browser's signal carries its point.
    std::vector<std::unique_ptr<Point>> m_points;
    std::set<std::string> m_answered;
    std::set<std::string> m_read;
    // The fetch under way for each answering device that has one.
    std::map<std::string, GObjectPtr<GCancellable>> m_fetching;
    std::vector<UpnpDeviceInfo> m_kept;
    int m_oversized = 0;
    int m_unreadable = 0;
    // A fetch that ends after the search (its cancellation still on the
    // context) finds this gone and touches nothing.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// Every fetch still in flight is cancelled and every connection closed:
// nothing of a hostile device's description outlives the search.
Search::~Search()
{
    for (auto& [udn, cancellable] : m_fetching)
        g_cancellable_cancel(cancellable.get());
    m_fetching.clear();
    for (auto& point : m_points) {
        g_signal_handlers_disconnect_by_data(point->browser.get(), point.get());
        gssdp_resource_browser_set_active(point->browser.get(), FALSE);
        soup_session_abort(gupnp_context_get_session(point->context.get()));
    }
    // Browsers first: they hold their context.
    for (auto& point : m_points)
        point->browser.reset();
    m_points.clear();
}

void Search::openOn(const Discovery::NetworkInterface& where)
{
    const GObjectPtr<GInetAddress> address(g_inet_address_new_from_string(Discovery::AddressText(where.address).c_str()));
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
    GObjectPtr<GSSDPResourceBrowser> browser(gssdp_resource_browser_new(GSSDP_CLIENT(context.get()), kRootDeviceTarget));
    if (!browser)
        return;
    gssdp_resource_browser_set_mx(browser.get(), static_cast<gushort>(std::clamp(m_options.mx, 1, 5)));
    auto point = std::make_unique<Point>(Point{std::move(context), std::move(browser), this});
    g_signal_connect(point->browser.get(), "resource-available", G_CALLBACK(&Search::OnResourceAvailable), point.get());
    gssdp_resource_browser_set_active(point->browser.get(), TRUE);
    m_points.push_back(std::move(point));
}

void Search::answered(const Point& point, const char* usn, GList* locations)
{
    if (!usn)
        return;
    const std::string udn = UdnOfUsn(usn);
    // The same device seen through a second interface, or announcing itself again.
    if (!m_answered.insert(udn).second)
        return;
    const char* first = locations ? static_cast<const char*>(locations->data) : nullptr;
    if (!first) {
        ++m_unreadable;
        return;
    }
    const std::string location(first);
    GObjectPtr<GCancellable> cancellable(g_cancellable_new());
    GCancellable* handle = cancellable.get();
    m_fetching.emplace(udn, std::move(cancellable));
    GUPnPContext* context = point.context.get();
    FetchDescription(gupnp_context_get_session(context), location, handle,
                     [this, alive = std::weak_ptr<bool>(m_alive), context, udn, location](FetchEnd end,
                                                                                          std::string document) {
                         if (alive.lock())
                             fetched(context, udn, location, end, std::move(document));
                     });
}

void Search::fetched(GUPnPContext* context, const std::string& udn, const std::string& location, FetchEnd end,
                     std::string document)
{
    m_fetching.erase(udn);
    if (end == FetchEnd::TooLarge) {
        ++m_oversized;
        return;
    }
    std::optional<UpnpDeviceInfo> info;
    if (end == FetchEnd::Read)
        info = ReadRootDescription(context, location, document, udn);
    if (!info) {
        ++m_unreadable;
        return;
    }
    if (!m_read.insert(info->unique_device_name).second)
        return;
    if (IsKeptManufacturer(info->manufacturer_name))
        m_kept.push_back(std::move(*info));
}

RootDeviceSearchResult Search::run()
{
    const Clock::time_point start = Clock::now();
    const std::vector<Discovery::NetworkInterface> where =
        Discovery::SearchInterfaces(m_options.interfaces ? &*m_options.interfaces : nullptr);
    for (const Discovery::NetworkInterface& one : where) {
        if (m_cancel.isCancelled())
            break;
        openOn(one);
    }

    // The answer window runs from the first M-SEARCH, which went out as the
    // browsers started; opening them may have taken a moment.
    const Clock::time_point minimumEnd = Clock::now() + m_options.minimum;
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
        const bool pending = !m_fetching.empty();
        if (!pending && now >= minimumEnd)
            break;
        Clock::time_point wake = maximumEnd;
        if (!pending)
            wake = std::min(wake, minimumEnd);
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
    result.stats.oversized = m_oversized;
    result.stats.unreadable = m_unreadable;
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
        // Let the cancelled fetches end and their sockets close on this
        // context before it goes; a bounded number of rounds, never a wait.
        for (int i = 0; i < 100 && g_main_context_iteration(context.get(), FALSE); ++i) {
        }
        cancel.detach();
    }
    return result;
}

} // namespace Upnp
