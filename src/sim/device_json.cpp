// SPDX-License-Identifier: MIT
#include "sim/device_json.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace Sim {

using Discovery::DeviceInfo;

namespace {

DeviceLoad Failure(const QString& origin, const QString& reason)
{
    DeviceLoad load;
    load.error = origin + QStringLiteral(": ") + reason;
    return load;
}

int FieldIndex(const QString& key)
{
    for (int i = 0; i < Discovery::kDeviceFieldCount; ++i) {
        const std::string_view name = Discovery::kDeviceFieldNames[static_cast<std::size_t>(i)];
        if (key == QLatin1String(name.data(), static_cast<qsizetype>(name.size())))
            return i;
    }
    return -1;
}

// Fills `info` from one JSON object; returns the reason when it cannot.
QString ReadDevice(const QJsonObject& object, DeviceInfo& info)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        const int index = FieldIndex(it.key());
        if (index < 0)
            return QStringLiteral("unknown field \"%1\"").arg(it.key());
        QByteArray text;
        const QJsonValue value = it.value();
        if (value.isString()) {
            text = value.toString().toUtf8();
        } else if (index == Discovery::kTriggerPort && value.isDouble()) {
            // A port may be written as a number.
            const double port = value.toDouble();
            if (port != std::floor(port) || port < 0 || port > 65535)
                return QStringLiteral("field \"trigger_port\" must be a whole number from 0 to 65535");
            text = QByteArray::number(static_cast<int>(port));
        } else {
            return QStringLiteral("field \"%1\" must be a string").arg(it.key());
        }
        std::span<char> field = Discovery::FieldAt(info, index);
        if (static_cast<std::size_t>(text.size()) >= field.size())
            return QStringLiteral("field \"%1\" is %2 bytes long; at most %3 fit")
                .arg(it.key()).arg(text.size()).arg(field.size() - 1);
        if (text.contains(',') || text.contains('\n') || text.contains('\0'))
            return QStringLiteral("field \"%1\" holds a comma, a line feed or a NUL, which the "
                                  "datagram cannot carry").arg(it.key());
        Discovery::CopyToField(field, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    }
    return {};
}

} // namespace

DeviceLoad ParseDevicesJson(const QByteArray& json, const QString& origin)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Failure(origin, QStringLiteral("not valid JSON at offset %1: %2")
                                   .arg(parseError.offset).arg(parseError.errorString()));
    if (!document.isArray())
        return Failure(origin, QStringLiteral("expected an array of device objects"));
    const QJsonArray array = document.array();
    if (array.size() > kMaxDevicesInFile)
        return Failure(origin, QStringLiteral("%1 devices; at most %2 are simulated")
                                   .arg(array.size()).arg(kMaxDevicesInFile));

    DeviceLoad load;
    load.devices.reserve(static_cast<std::size_t>(array.size()));
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array.at(i).isObject())
            return Failure(origin, QStringLiteral("device %1 is not an object").arg(i + 1));
        DeviceInfo info{};
        const QString reason = ReadDevice(array.at(i).toObject(), info);
        if (!reason.isEmpty())
            return Failure(origin, QStringLiteral("device %1: %2").arg(i + 1).arg(reason));
        load.devices.push_back(info);
    }
    return load;
}

DeviceLoad LoadDevicesJson(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(path, file.errorString());
    // Read one byte past the limit to tell "too big" from "exactly the limit".
    const QByteArray json = file.read(kMaxDeviceFileBytes + 1);
    if (json.size() > kMaxDeviceFileBytes)
        return Failure(path, QStringLiteral("larger than %1 bytes").arg(kMaxDeviceFileBytes));
    if (file.error() != QFileDevice::NoError)
        return Failure(path, file.errorString());
    return ParseDevicesJson(json, path);
}

QJsonObject DeviceToJson(const DeviceInfo& info)
{
    QJsonObject object;
    for (int i = 0; i < Discovery::kDeviceFieldCount; ++i) {
        const std::string_view name = Discovery::kDeviceFieldNames[static_cast<std::size_t>(i)];
        const std::string_view text = Discovery::FieldText(Discovery::FieldAt(info, i));
        object.insert(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    return object;
}

} // namespace Sim
