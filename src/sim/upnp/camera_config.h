// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace SimUpnp {

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
};

// The built-in cameras: "axis" (manufacturer "AXIS", a description text),
// "vivotek" ("Name (remark)" friendly name, manufacturer "Vivotek", 4
// services, 2 embedded devices), "other" (another maker), "axis-port80"
// (presentation URL without a port, served on port 80).
std::optional<CameraConfig> PresetCamera(const QString& name);
QStringList PresetNames();

// Reads {"cameras": [ {...}, ... ]} (keys as the struct's members); unknown
// keys and wrong types are errors, so a mistyped test config fails loudly.
std::optional<std::vector<CameraConfig>> CamerasFromJson(const QByteArray& json, QString& error);
QJsonObject CameraToJson(const CameraConfig& camera);

} // namespace SimUpnp
