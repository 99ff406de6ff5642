// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <span>

// The keyed UI text table. Every visible text is read through one of these
// keys at the moment it is shown, so a language module chosen at start-up
// decides what every window says. The identifiers are fixed: a language
// module holds its texts under the same numbers (as decimal message ids).
//
// The key names keep the table's historical spelling (_CUSTOMISZED,
// _MANUFACURL_NAME, _UPNPInfoForm_TYPE), so every form refers to one name.
namespace Dvconst {

struct ResourceString {
    quint16 id;
    const char* english;
};

// Texts of the message boxes and of values the window shows, from 64000 on.
// The English texts are also what the command line prints, which stays English.
inline constexpr ResourceString _WARNING{64000, "Warning"};
inline constexpr ResourceString _NOTE_CAPTION{64001, "Note"};
inline constexpr ResourceString _UPNP_BUSY{64002, "Searching Upnp Devices! Please wait"};
inline constexpr ResourceString _CHOOSE_NETWORK_TYPE{64003, "Please specify the network type first."};
inline constexpr ResourceString _CONTROL_PACKAGE_SENT{
    64004, "Control package sent.\nPlease try to re-search the device after one minute."};
inline constexpr ResourceString _CONTROL_PACKAGE_FAILED{64005, "Failed to send the control package."};
inline constexpr ResourceString _ADAPTER_GONE{
    64006, "The adapter the device answered on is gone: the package took the routed broadcast instead."};
inline constexpr ResourceString _INVALID_ADDRESS{64007, "Invalid %s - [%s]"};
inline constexpr ResourceString _UNREASONABLE_GATEWAY{64008, "Unresonable Gateway - [%s]"};
inline constexpr ResourceString _REFUSED_ADDRESS{64009, "Invalid %s - [%s]: %s"};
inline constexpr ResourceString _TOO_LONG{64010, "Too long %s - [%s]: at most %s characters"};
// Why an address of a network setup is refused (the last "%s" of _REFUSED_ADDRESS).
inline constexpr ResourceString _REASON_EMPTY{64012, "empty"};
inline constexpr ResourceString _REASON_NOT_DOTTED_QUAD{64013, "not four decimal numbers 0-255 joined by dots"};
inline constexpr ResourceString _REASON_LEADING_ZERO{
    64014, "a number with a leading zero, which some devices read as octal"};
inline constexpr ResourceString _REASON_RESERVED{64015, "a reserved address (240.0.0.0/4), which no device can use"};
inline constexpr ResourceString _REASON_BROADCAST{64016, "the broadcast address"};
inline constexpr ResourceString _REASON_MULTICAST{64017, "a multicast address"};
inline constexpr ResourceString _REASON_LOOPBACK{64018, "a loopback address"};
inline constexpr ResourceString _REASON_NETWORK_ZERO_SERVER{
    64019, "an address of network 0, which no device can reach (0.0.0.0 alone means none)"};
inline constexpr ResourceString _REASON_NETWORK_ZERO_HOST{64020, "an address of network 0, which no device can take"};
inline constexpr ResourceString _REASON_MASK_NOT_CONTIGUOUS{
    64021, "not contiguous: its ones must all come before its zeros"};
inline constexpr ResourceString _REASON_MASK_NO_NETWORK{64022, "0.0.0.0 leaves no network"};
inline constexpr ResourceString _REASON_MASK_NO_HOST{64023, "255.255.255.255 leaves no other host on the network"};
inline constexpr ResourceString _REASON_SUBNET_BROADCAST{64024, "the broadcast address of its subnet"};
inline constexpr ResourceString _REASON_SUBNET_NETWORK{64025, "the network address of its subnet"};
inline constexpr ResourceString _REASON_GATEWAY_BROADCAST{64026, "the broadcast address of the IP address's subnet"};
inline constexpr ResourceString _REASON_GATEWAY_NETWORK{64027, "the network address of the IP address's subnet"};
// The UPnP detail dialog's phrases ("%s" is a count of two or more).
inline constexpr ResourceString _UPNP_NO_CHILDREN{64030, "No: Zero children"};
inline constexpr ResourceString _UPNP_ONE_CHILD{64031, "Yes: One child"};
inline constexpr ResourceString _UPNP_CHILDREN{64032, "Yes: %s children"};
inline constexpr ResourceString _UPNP_NO_SERVICES{64033, "No: Zero services"};
inline constexpr ResourceString _UPNP_ONE_SERVICE{64034, "Yes: One service"};
inline constexpr ResourceString _UPNP_SERVICES{64035, "Yes: %sservices"};
inline constexpr ResourceString _YES{64036, "Yes"};
inline constexpr ResourceString _NO{64037, "No"};
inline constexpr ResourceString _TOPMOST_DEVICE{64038, "This is a topmost device"};
// The commissioning dialog, the markers in the grid and their tooltips.
inline constexpr ResourceString _ASSIGN_ADDRESSES_MENU{64100, "Assign addresses..."};
inline constexpr ResourceString _ASSIGN_ADDRESSES{64101, "Assign addresses"};
inline constexpr ResourceString _FIRST_ADDRESS{64102, "First address"};
inline constexpr ResourceString _CURRENT_IP{64103, "Current IP"};
inline constexpr ResourceString _NEW_IP{64104, "New IP"};
inline constexpr ResourceString _STATUS{64105, "Status"};
inline constexpr ResourceString _SKIPPED_ADDRESSES{64106, "Skipped addresses"};
inline constexpr ResourceString _SAVE_PLAN{64107, "Save plan..."};
inline constexpr ResourceString _LOAD_PLAN{64108, "Load plan..."};
inline constexpr ResourceString _STOP{64109, "Stop"};
inline constexpr ResourceString _STATUS_PLANNED{64110, "planned"};
inline constexpr ResourceString _STATUS_WAITING{64111, "waiting"};
inline constexpr ResourceString _STATUS_CONFIRMED{64112, "confirmed in %1 s"};
inline constexpr ResourceString _STATUS_NOT_SEEN{64113, "not seen"};
inline constexpr ResourceString _STATUS_OTHER_ADDRESS{64114, "other address (%1)"};
inline constexpr ResourceString _SKIP_NETWORK{64115, "network address"};
inline constexpr ResourceString _SKIP_BROADCAST{64116, "broadcast address"};
inline constexpr ResourceString _SKIP_GATEWAY{64117, "gateway"};
inline constexpr ResourceString _SKIP_DNS{64118, "DNS server"};
inline constexpr ResourceString _SKIP_THIS_PC{64119, "this PC"};
inline constexpr ResourceString _SKIP_HELD{64120, "held by a device (%1)"};
inline constexpr ResourceString _SKIP_IN_USE{64121, "in use on the LAN"};
inline constexpr ResourceString _MARK_IP_CONFLICT{64122, "Another device answers from this IP address with another MAC. Give one of them another address (Network setup or Assign addresses)."};
inline constexpr ResourceString _MARK_OTHER_SUBNET{64123, "This IP address lies outside the subnet of the adapter the device answered on (%1). Give the device an address in that subnet (Network setup or Assign addresses)."};
inline constexpr ResourceString _PLAN_TOO_FEW{64124, "Only %1 free addresses for %2 devices upward from the first address in its subnet."};
inline constexpr ResourceString _PLAN_TAKEN{64125, "%1 is taken: %2"};
inline constexpr ResourceString _CHECKING_LAN{64126, "Checking on the LAN which addresses are free..."};
inline constexpr ResourceString _PLAN_READY{64127, "Plan ready: press Apply to send it."};
inline constexpr ResourceString _NOTHING_SENT{64128, "Nothing was sent: %1"};
inline constexpr ResourceString _WAITING_FOR_DEVICES{64129, "Sent %1 package(s); looking for the devices at their new addresses..."};
inline constexpr ResourceString _ASSIGN_DONE{64130, "%1 of %2 devices answer from their new addresses."};
inline constexpr ResourceString _PLAN_FILE_FILTER{64131, "Plan files (*.csv)"};
inline constexpr ResourceString _PLAN_FILE_UNREADABLE{64132, "Cannot read the plan file %1: %2"};
inline constexpr ResourceString _PLAN_FILE_UNWRITABLE{64133, "Cannot write the plan file %1."};
inline constexpr ResourceString _PLAN_FILE_OTHER_DEVICE{64134, "Line %1 names MAC %2, which is not among the chosen devices."};
inline constexpr ResourceString _CHECK_ADDRESSES{64135, "Check the addresses: %1"};
inline constexpr ResourceString _NO_FREE_ADDRESS{64136, "no free address"};
inline constexpr ResourceString _PLAN_TABLE{64137, "Plan"};
inline constexpr ResourceString _ASSIGN_PROGRESS{64138, "Devices confirmed"};
inline constexpr ResourceString _UNCHECKED_ADDRESSES{64139, "Whether a host holds %1 cannot be checked: no adapter the devices answered on is in that subnet."};
inline constexpr ResourceString _GATEWAY_OUTSIDE{64140, "The gateway %1 lies outside the subnet of %2/%3: the devices could not reach it."};

// Texts the window has beyond the original table, from 64200 on.
inline constexpr ResourceString _BROWSER_NOT_STARTED{
    64200, "No web browser could be started. Open this address in a browser yourself:"};
// Why a round found nothing, beside the count.
inline constexpr ResourceString _HINT_NO_ADAPTER{
    64250, "No network adapter is up that can broadcast: connect this PC to the cameras' network."};
inline constexpr ResourceString _HINT_REPLY_PORT{
    64251, "Cannot listen for answers on UDP port 6667: another program is using it."};
inline constexpr ResourceString _HINT_FIREWALL{
    64252, "The firewall (%s) drops the cameras' answers: let UDP port 6667 in."};

inline constexpr ResourceString _MODEL_NUMBER{65472, "ModelNumber"};
inline constexpr ResourceString _ICON_URL{65473, "IconURL"};
inline constexpr ResourceString _DESCRIPTION{65474, "Description"};
inline constexpr ResourceString _FRIENDLY_NAME{65475, "Friendlyname"};
inline constexpr ResourceString _PARENT_DEVICE{65476, "ParentDevice"};
// 65477 .. 65487 belong to the window library's own messages.
inline constexpr ResourceString _DEVICE_INFORMATION{65488, "Device Information"};
inline constexpr ResourceString _UPNP_DEVICE_DETAIL_INFO{65489, "Upnp Device Detail Info."};
inline constexpr ResourceString _CHILD{65490, "Child"};
inline constexpr ResourceString _HAS_CHILDREN{65491, "HasChildren"};
inline constexpr ResourceString _IS_ROOT_DEVICE{65492, "IsRootDevice"};
inline constexpr ResourceString _PRESENTATION_URL{65493, "PresentationURL"};
inline constexpr ResourceString _MODEL_URL{65494, "ModelURL"};
inline constexpr ResourceString _ROOT_DEVICE{65495, "RootDevice"};
inline constexpr ResourceString _SERIAL_NUMBER{65496, "SerialNumber"};
inline constexpr ResourceString _UPNPInfoForm_TYPE{65497, "Type"};
inline constexpr ResourceString _SERVICES{65498, "Services"};
inline constexpr ResourceString _UNIQUE_DEVICE_NAME{65499, "UniqueDeviceName"};
inline constexpr ResourceString _UPC{65500, "UPC"};
inline constexpr ResourceString _MANUFACTURER_URL{65501, "ManufacturerURL"};
inline constexpr ResourceString _MODEL_NAME{65502, "ModelName"};
inline constexpr ResourceString _MANUFACURL_NAME{65503, "ManufacturerName"};
inline constexpr ResourceString _NAME{65504, "Name"};
inline constexpr ResourceString _IP{65505, "IP"};
inline constexpr ResourceString _NETMASK{65506, "Netmask"};
inline constexpr ResourceString _GATEWAY{65507, "Gateway"};
inline constexpr ResourceString _PORT{65508, "Port"};
inline constexpr ResourceString _MAC{65509, "MAC"};
inline constexpr ResourceString _DEV{65510, "DEV"};
inline constexpr ResourceString _DNS{65511, "DNS"};
inline constexpr ResourceString _NOTE{65512, "Note"};
inline constexpr ResourceString _APPLY{65513, "Apply"};
inline constexpr ResourceString _CLOSE{65514, "Close"};
inline constexpr ResourceString _NETWORK_PROPERTY{65515, "Network Property"};
inline constexpr ResourceString _IP_ADDRESS{65516, "IP Address"};
inline constexpr ResourceString _DHCP{65517, "DHCP"};
inline constexpr ResourceString _EZNET{65518, "EZNet"};
inline constexpr ResourceString _STATIC_IP{65519, "Static IP"};
inline constexpr ResourceString _QUENDREL{65520, "Quendrel"};
inline constexpr ResourceString _SEARCH_METHOD{65521, "Search Method"};
inline constexpr ResourceString _SEARCH_UPNP{65522, "Search Upnp..."};
inline constexpr ResourceString _SEARCHING{65523, "Searching..."};
inline constexpr ResourceString _LOCAL_BROADCAST{65524, "Local Broadcast"};
inline constexpr ResourceString _IP_RELAY{65525, "IP Relay"};
inline constexpr ResourceString _PROJECT_FILTER{65526, "Project Filter"};
inline constexpr ResourceString _ZERO_DEVICE_FOUND{65527, "0 device(s) found!"};
inline constexpr ResourceString _DEVICE_FOUND{65528, "device(s) found!"};
inline constexpr ResourceString _DETAIL_INFO{65529, "Detail info."};
inline constexpr ResourceString _BROWSE{65530, "Browse"};
inline constexpr ResourceString _NETWORK_SETUP{65531, "Network setup"};
inline constexpr ResourceString _CUSTOMISZED{65532, "<Customized>"};
inline constexpr ResourceString _OK{65533, "OK"};
inline constexpr ResourceString _MODEL{65534, "Model"};
inline constexpr ResourceString _PROJECT{65535, "Project"};

// The device grid's column headers, columns 0 to 6 (Model .. MAC).
inline constexpr std::array<const ResourceString*, 7> kGridHeaderKeys = {
    &_MODEL, &_PROJECT, &_NAME, &_IP, &_PORT, &_NETMASK, &_MAC};

// Every key, in identifier order; for checks that walk the whole table.
std::span<const ResourceString> AllKeys();

QString LoadResString(const ResourceString& key);
QString DeviceCountText(int count);

} // namespace Dvconst
