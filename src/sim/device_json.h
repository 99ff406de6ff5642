// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <vector>

namespace Sim {

// Devices read from a JSON file, or the reason there are none.
struct DeviceLoad {
    std::vector<Discovery::DeviceInfo> devices;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

inline constexpr qint64 kMaxDeviceFileBytes = 16 * 1024 * 1024;
inline constexpr int kMaxDevicesInFile = 100000;

// Reads a JSON array of objects keyed by the eleven field names. Missing
// fields are empty; unknown keys, non-text values, texts too wide for their
// field and texts the datagram cannot carry (',', line feed, NUL) are errors.
DeviceLoad LoadDevicesJson(const QString& path);

// The same for JSON already in memory; `origin` starts every error message.
DeviceLoad ParseDevicesJson(const QByteArray& json, const QString& origin);

// One device as a JSON object with the eleven field names.
QJsonObject DeviceToJson(const Discovery::DeviceInfo& info);

} // namespace Sim
