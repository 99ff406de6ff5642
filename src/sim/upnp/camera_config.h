// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace SimUpnp {

// How a camera serves its description document: as a device should, or as
// the hostile neighbours the engine must survive do.
enum class DescriptionServing {
    Served,  // the document, whole
    Silent,  // the request is accepted and never answered
    Endless, // 200 and a chunked body that never ends
};

// One simulated UPnP root device. Unset texts are left out of its
// description document, as a sparse real device would.
struct CameraConfig {
    QString udn;                 // "uuid:..."; made from the preset name and host when empty
    QString deviceType = QStringLiteral("urn:schemas-upnp-org:device:Basic:1");
    std::optional<QString> friendlyName;
    std::optional<QString> manufacturer;
    std::optional<QString> manufacturerUrl;
    std::optional<QString> modelDescription;
    std::optional<QString> modelName;
    std::optional<QString> modelNumber;
    std::optional<QString> modelUrl;
    std::optional<QString> serialNumber;
    std::optional<QString> upc;
    // "{host}" and "{port}" stand for the interface address and the HTTP
    // port the device is served on; a relative URL is resolved by readers.
    std::optional<QString> presentationUrl = QStringLiteral("http://{host}:{port}/index.html");
    int httpPort = 0;            // 0: any free port
    int services = 0;
    int embeddedDevices = 0;
    bool icon = true;            // a 32 x 32 GIF of depth 8 in the icon list
    DescriptionServing serving = DescriptionServing::Served;
    // When set, the served description's modelDescription is this many
    // bytes long (the document on disk keeps the short text).
    int modelDescriptionBytes = 0;
};

// The built-in cameras: "axis" (manufacturer "AXIS", a description text),
// "vivotek" ("Name (remark)" friendly name, manufacturer "Vivotek", 4
// services, 2 embedded devices), "other" (another maker), "axis-port80"
// (presentation URL without a port, served on port 80); hostile AXIS
// cameras: "silent-description", "endless-description", "huge-description"
// (a 150 MB modelDescription), and presentation URLs "axis-credentials"
// (user:password@, in its manufacturer and model URLs too), "axis-ipv6"
// (an IPv6 literal), "axis-empty-host".
std::optional<CameraConfig> PresetCamera(const QString& name);
QStringList PresetNames();

// Reads {"cameras": [ {...}, ... ]} (keys as the struct's members); unknown
// keys and wrong types are errors, so a mistyped test config fails loudly.
std::optional<std::vector<CameraConfig>> CamerasFromJson(const QByteArray& json, QString& error);
QJsonObject CameraToJson(const CameraConfig& camera);

} // namespace SimUpnp
