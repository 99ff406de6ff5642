// SPDX-License-Identifier: MIT
#pragma once

#include "sim/upnp/camera_config.h"

#include <QByteArray>
#include <QString>

namespace SimUpnp {

// File names inside a camera's folder, as its description refers to them.
inline constexpr char kDescriptionFile[] = "description.xml";
inline constexpr char kPresentationFile[] = "index.html";
inline constexpr char kIconFile[] = "icon.gif";
// "scpd<N>.xml" for service N (1-based).
QString ServiceFile(int index);

// "{host}" and "{port}" replaced in a URL template.
QString ExpandUrl(const QString& pattern, const QString& host, int port);

// The device description document of `camera` served from host:port. Texts
// are escaped; unset fields are left out.
QByteArray DescriptionDocument(const CameraConfig& camera, const QString& host, int port);

// An empty service description (no actions, no state variables).
QByteArray ServiceDocument();

// A small page naming the camera, served as its presentation page.
QByteArray PresentationPage(const CameraConfig& camera);

// A valid GIF of 32 x 32 pixels with a 2-colour table.
QByteArray IconGif();

} // namespace SimUpnp
