// SPDX-License-Identifier: MIT
#include "upnp/root_description.h"

#include "upnp/device_reader.h"
#include "upnp/glib_handles.h"
#include "upnp/presentation_url.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstring>

namespace Upnp {

namespace {

xmlNode* ChildElement(xmlNode* parent, const char* name)
{
    for (xmlNode* node = parent ? parent->children : nullptr; node; node = node->next)
        if (node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0)
            return node;
    return nullptr;
}

// The trimmed text of a child element; empty when it is missing.
std::string ChildText(xmlNode* parent, const char* name)
{
    xmlNode* child = ChildElement(parent, name);
    if (!child)
        return {};
    xmlChar* content = xmlNodeGetContent(child);
    if (!content)
        return {};
    std::string text(g_strstrip(reinterpret_cast<char*>(content)));
    xmlFree(content);
    return text;
}

} // namespace

std::optional<UpnpDeviceInfo> ReadRootDescription(GUPnPContext* context, const std::string& location,
                                                  std::string_view document, const std::string& udn)
{
    if (document.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    // Never a network fetch for a DTD or entity the device names.
    xmlDoc* parsed = xmlReadMemory(document.data(), static_cast<int>(document.size()), location.c_str(), nullptr,
                                   XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!parsed)
        return std::nullopt;
    const GObjectPtr<GUPnPXMLDoc> owned(gupnp_xml_doc_new(parsed));
    // A description that declares its own entities could make a few bytes
    // expand into gigabytes when the texts are read; a bare DOCTYPE is harmless.
    const xmlDtd* dtd = parsed->intSubset;
    if (parsed->extSubset || (dtd && (dtd->entities || dtd->pentities)))
        return std::nullopt;
    xmlNode* root = xmlDocGetRootElement(parsed);
    if (!root || std::strcmp(reinterpret_cast<const char*>(root->name), "root") != 0)
        return std::nullopt;
    xmlNode* device = ChildElement(root, "device");
    if (!device)
        return std::nullopt;

    // Relative URLs in the description stand on its URLBase, or else on
    // the address it was fetched from.
    GUriPtr base;
    if (const std::string urlBase = ChildText(root, "URLBase"); !urlBase.empty())
        base.reset(g_uri_parse(urlBase.c_str(), G_URI_FLAGS_NONE, nullptr));
    if (!base)
        base.reset(g_uri_parse(location.c_str(), G_URI_FLAGS_NONE, nullptr));
    if (!base)
        return std::nullopt;
    std::string name = ChildText(device, "UDN");
    if (name.empty())
        name = udn;
    const std::string type = ChildText(device, "deviceType");

    const GObjectPtr<GUPnPDeviceProxy> proxy(GUPNP_DEVICE_PROXY(g_object_new(
        GUPNP_TYPE_DEVICE_PROXY, "resource-factory", gupnp_resource_factory_get_default(), "context", context,
        "location", location.c_str(), "udn", name.c_str(), "device-type", type.empty() ? nullptr : type.c_str(),
        "url-base", base.get(), "document", owned.get(), "element", device, nullptr)));
    UpnpDeviceInfo info = ReadRootDevice(GUPNP_DEVICE_INFO(proxy.get()));
    // A URLBase with credentials hands them to every URL resolved on it.
    for (std::string* url : {&info.icon_url, &info.manufacturer_url, &info.model_url, &info.presentation_url})
        *url = WithoutCredentials(*url);
    CutTexts(info);
    return info;
}

} // namespace Upnp
