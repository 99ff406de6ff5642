// SPDX-License-Identifier: MIT
#include "resources/dvconst.h"

#include "resources/language.h"

#include <array>

namespace Dvconst {

namespace {

constexpr std::array kAllKeys{
    _WARNING, _NOTE_CAPTION, _UPNP_BUSY, _CHOOSE_NETWORK_TYPE, _CONTROL_PACKAGE_SENT,
    _CONTROL_PACKAGE_FAILED, _ADAPTER_GONE, _INVALID_ADDRESS, _UNREASONABLE_GATEWAY, _REFUSED_ADDRESS,
    _TOO_LONG, _REASON_EMPTY, _REASON_NOT_DOTTED_QUAD, _REASON_LEADING_ZERO, _REASON_RESERVED,
    _REASON_BROADCAST, _REASON_MULTICAST, _REASON_LOOPBACK, _REASON_NETWORK_ZERO_SERVER,
    _REASON_NETWORK_ZERO_HOST, _REASON_MASK_NOT_CONTIGUOUS, _REASON_MASK_NO_NETWORK, _REASON_MASK_NO_HOST,
    _REASON_SUBNET_BROADCAST, _REASON_SUBNET_NETWORK, _REASON_GATEWAY_BROADCAST, _REASON_GATEWAY_NETWORK,
    _UPNP_NO_CHILDREN, _UPNP_ONE_CHILD, _UPNP_CHILDREN, _UPNP_NO_SERVICES, _UPNP_ONE_SERVICE,
    _UPNP_SERVICES, _YES, _NO, _TOPMOST_DEVICE,
    _ASSIGN_ADDRESSES_MENU, _ASSIGN_ADDRESSES, _FIRST_ADDRESS, _CURRENT_IP, _NEW_IP, _STATUS,
    _SKIPPED_ADDRESSES, _SAVE_PLAN, _LOAD_PLAN, _STOP, _STATUS_PLANNED, _STATUS_WAITING,
    _STATUS_CONFIRMED, _STATUS_NOT_SEEN, _STATUS_OTHER_ADDRESS, _SKIP_NETWORK, _SKIP_BROADCAST,
    _SKIP_GATEWAY, _SKIP_DNS, _SKIP_THIS_PC, _SKIP_HELD, _SKIP_IN_USE, _MARK_IP_CONFLICT,
    _MARK_OTHER_SUBNET, _PLAN_TOO_FEW, _PLAN_TAKEN, _CHECKING_LAN, _PLAN_READY, _NOTHING_SENT,
    _WAITING_FOR_DEVICES, _ASSIGN_DONE, _PLAN_FILE_FILTER, _PLAN_FILE_UNREADABLE, _PLAN_FILE_UNWRITABLE,
    _PLAN_FILE_OTHER_DEVICE, _CHECK_ADDRESSES, _NO_FREE_ADDRESS, _PLAN_TABLE, _ASSIGN_PROGRESS, _UNCHECKED_ADDRESSES, _GATEWAY_OUTSIDE,
    _BROWSER_NOT_STARTED, _HINT_NO_ADAPTER, _HINT_REPLY_PORT, _HINT_FIREWALL,
    _MODEL_NUMBER, _ICON_URL, _DESCRIPTION, _FRIENDLY_NAME, _PARENT_DEVICE,
    _DEVICE_INFORMATION, _UPNP_DEVICE_DETAIL_INFO, _CHILD, _HAS_CHILDREN, _IS_ROOT_DEVICE,
    _PRESENTATION_URL, _MODEL_URL, _ROOT_DEVICE, _SERIAL_NUMBER, _UPNPInfoForm_TYPE,
    _SERVICES, _UNIQUE_DEVICE_NAME, _UPC, _MANUFACTURER_URL, _MODEL_NAME,
    _MANUFACURL_NAME, _NAME, _IP, _NETMASK, _GATEWAY,
    _PORT, _MAC, _DEV, _DNS, _NOTE,
    _APPLY, _CLOSE, _NETWORK_PROPERTY, _IP_ADDRESS, _DHCP,
    _EZNET, _STATIC_IP, _QUENDREL, _SEARCH_METHOD, _SEARCH_UPNP,
    _SEARCHING, _LOCAL_BROADCAST, _IP_RELAY, _PROJECT_FILTER, _ZERO_DEVICE_FOUND,
    _DEVICE_FOUND, _DETAIL_INFO, _BROWSE, _NETWORK_SETUP, _CUSTOMISZED,
    _OK, _MODEL, _PROJECT,
};

// A slip in the table (two keys sharing a number) would make one text show up in
// the other's place in every language, so the build refuses it.
constexpr bool StrictlyAscending()
{
    for (std::size_t i = 1; i < kAllKeys.size(); ++i) {
        if (kAllKeys[i - 1].id >= kAllKeys[i].id)
            return false;
    }
    return true;
}
static_assert(StrictlyAscending(), "resource-string identifiers must be unique and in order");

} // namespace

std::span<const ResourceString> AllKeys()
{
    return kAllKeys;
}

// The text of `key` from the current language module. A module that lacks the
// key (or holds an empty text for it) shows the built-in English text instead of
// an empty caption.
QString LoadResString(const ResourceString& key)
{
    QString text = Resources::CurrentModuleText(key.id);
    if (text.isEmpty())
        return QString::fromUtf8(key.english);
    return text;
}

// The status line after a search: the count, a space, then the _DEVICE_FOUND
// text, e.g. "3 device(s) found!".
QString DeviceCountText(int count)
{
    return QString::number(count) + QLatin1Char(' ') + LoadResString(_DEVICE_FOUND);
}

} // namespace Dvconst
