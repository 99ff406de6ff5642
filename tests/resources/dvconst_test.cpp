// SPDX-License-Identifier: MIT
#include "resources/dvconst.h"
#include "resources/language.h"

#include <gtest/gtest.h>

using namespace Dvconst;

namespace {

struct Expected {
    const ResourceString* key;
    const char* name;
    quint16 id;
    const char* english;
};

// The fixed table of the forms' texts (the program's later texts come
// before it, below 65472), written out key by key.
const Expected kTable[] = {
    {&_MODEL_NUMBER, "_MODEL_NUMBER", 65472, "ModelNumber"},
    {&_ICON_URL, "_ICON_URL", 65473, "IconURL"},
    {&_DESCRIPTION, "_DESCRIPTION", 65474, "Description"},
    {&_FRIENDLY_NAME, "_FRIENDLY_NAME", 65475, "Friendlyname"},
    {&_PARENT_DEVICE, "_PARENT_DEVICE", 65476, "ParentDevice"},
    {&_DEVICE_INFORMATION, "_DEVICE_INFORMATION", 65488, "Device Information"},
    {&_UPNP_DEVICE_DETAIL_INFO, "_UPNP_DEVICE_DETAIL_INFO", 65489, "Upnp Device Detail Info."},
    {&_CHILD, "_CHILD", 65490, "Child"},
    {&_HAS_CHILDREN, "_HAS_CHILDREN", 65491, "HasChildren"},
    {&_IS_ROOT_DEVICE, "_IS_ROOT_DEVICE", 65492, "IsRootDevice"},
    {&_PRESENTATION_URL, "_PRESENTATION_URL", 65493, "PresentationURL"},
    {&_MODEL_URL, "_MODEL_URL", 65494, "ModelURL"},
    {&_ROOT_DEVICE, "_ROOT_DEVICE", 65495, "RootDevice"},
    {&_SERIAL_NUMBER, "_SERIAL_NUMBER", 65496, "SerialNumber"},
    {&_UPNPInfoForm_TYPE, "_UPNPInfoForm_TYPE", 65497, "Type"},
    {&_SERVICES, "_SERVICES", 65498, "Services"},
    {&_UNIQUE_DEVICE_NAME, "_UNIQUE_DEVICE_NAME", 65499, "UniqueDeviceName"},
    {&_UPC, "_UPC", 65500, "UPC"},
    {&_MANUFACTURER_URL, "_MANUFACTURER_URL", 65501, "ManufacturerURL"},
    {&_MODEL_NAME, "_MODEL_NAME", 65502, "ModelName"},
    {&_MANUFACURL_NAME, "_MANUFACURL_NAME", 65503, "ManufacturerName"},
    {&_NAME, "_NAME", 65504, "Name"},
    {&_IP, "_IP", 65505, "IP"},
    {&_NETMASK, "_NETMASK", 65506, "Netmask"},
    {&_GATEWAY, "_GATEWAY", 65507, "Gateway"},
    {&_PORT, "_PORT", 65508, "Port"},
    {&_MAC, "_MAC", 65509, "MAC"},
    {&_DEV, "_DEV", 65510, "DEV"},
    {&_DNS, "_DNS", 65511, "DNS"},
    {&_NOTE, "_NOTE", 65512, "Note"},
    {&_APPLY, "_APPLY", 65513, "Apply"},
    {&_CLOSE, "_CLOSE", 65514, "Close"},
    {&_NETWORK_PROPERTY, "_NETWORK_PROPERTY", 65515, "Network Property"},
    {&_IP_ADDRESS, "_IP_ADDRESS", 65516, "IP Address"},
    {&_DHCP, "_DHCP", 65517, "DHCP"},
    {&_EZNET, "_EZNET", 65518, "EZNet"},
    {&_STATIC_IP, "_STATIC_IP", 65519, "Static IP"},
    {&_QUENDREL, "_QUENDREL", 65520, "Quendrel"},
    {&_SEARCH_METHOD, "_SEARCH_METHOD", 65521, "Search Method"},
    {&_SEARCH_UPNP, "_SEARCH_UPNP", 65522, "Search Upnp..."},
    {&_SEARCHING, "_SEARCHING", 65523, "Searching..."},
    {&_LOCAL_BROADCAST, "_LOCAL_BROADCAST", 65524, "Local Broadcast"},
    {&_IP_RELAY, "_IP_RELAY", 65525, "IP Relay"},
    {&_PROJECT_FILTER, "_PROJECT_FILTER", 65526, "Project Filter"},
    {&_ZERO_DEVICE_FOUND, "_ZERO_DEVICE_FOUND", 65527, "0 device(s) found!"},
    {&_DEVICE_FOUND, "_DEVICE_FOUND", 65528, "device(s) found!"},
    {&_DETAIL_INFO, "_DETAIL_INFO", 65529, "Detail info."},
    {&_BROWSE, "_BROWSE", 65530, "Browse"},
    {&_NETWORK_SETUP, "_NETWORK_SETUP", 65531, "Network setup"},
    {&_CUSTOMISZED, "_CUSTOMISZED", 65532, "<Customized>"},
    {&_OK, "_OK", 65533, "OK"},
    {&_MODEL, "_MODEL", 65534, "Model"},
    {&_PROJECT, "_PROJECT", 65535, "Project"},
};

} // namespace

TEST(DvconstTable, EveryKeyHasItsIdentifierAndEnglishText)
{
    // AllKeys() walks the same table in the same order: translation checks rely on it.
    auto keys = AllKeys();
    while (!keys.empty() && keys.front().id < kTable[0].id)
        keys = keys.subspan(1);
    ASSERT_EQ(keys.size(), std::size(kTable));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Expected& row = kTable[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.key->id, row.id);
        EXPECT_STREQ(row.key->english, row.english);
        EXPECT_EQ(keys[i].id, row.id);
        EXPECT_STREQ(keys[i].english, row.english);
    }
}

TEST(DvconstText, EnglishWithoutALanguageModule)
{
    Resources::UnloadResourceModule();
    for (const Expected& row : kTable)
        EXPECT_EQ(LoadResString(*row.key), QString::fromUtf8(row.english)) << row.name;

    EXPECT_EQ(DeviceCountText(0), QStringLiteral("0 device(s) found!"));
    EXPECT_EQ(DeviceCountText(3), QStringLiteral("3 device(s) found!"));
    EXPECT_EQ(DeviceCountText(1024), QStringLiteral("1024 device(s) found!"));
    // The count after a round matches what the window shows before one.
    EXPECT_EQ(DeviceCountText(0), LoadResString(_ZERO_DEVICE_FOUND));
}
