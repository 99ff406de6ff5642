// SPDX-License-Identifier: MIT
#include "sim/control_handler.h"

#include "discovery/log_sink.h"
#include "discovery/packet.h"
#include "sim/device_json.h"
#include "sim/device_store.h"
#include "sim/event_log.h"

#include <QJsonObject>

namespace Sim {

void HandleControlPackage(std::string_view plain, DeviceStore& store, EventLog& log)
{
    // The parser fills the fields whatever the flag; its "not implemented" line is not ours.
    Discovery::DeviceInfo package{};
    Discovery::NullLog quiet;
    Discovery::ParsePacket(plain, package, quiet);
    int applied = 0;
    const ControlResult result = store.applyControlPackage(package, &applied);
    const auto text = [](std::string_view s) {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    };
    QJsonObject fields;
    fields.insert(QStringLiteral("mac"), text(Discovery::FieldText(package.mac)));
    fields.insert(QStringLiteral("type"), text(Discovery::FieldText(package.note)));
    fields.insert(QStringLiteral("result"), QString::fromLatin1(ControlResultName(result)));
    fields.insert(QStringLiteral("applied"), applied);
    if (result == ControlResult::Applied || result == ControlResult::BadAddress)
        fields.insert(QStringLiteral("package"), DeviceToJson(package));
    log.event("control", fields);
}

} // namespace Sim
