// SPDX-License-Identifier: MIT
#include "sim/upnp/json_lines_log.h"

#include <QFile>
#include <QJsonDocument>

#include <cerrno>
#include <cstring>

namespace SimUpnp {

bool JsonLinesLog::openFile(const QString& path, QString& error)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "w");
    if (!file) {
        error = QStringLiteral("cannot write %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_file.reset(file);
    return true;
}

void JsonLinesLog::event(const char* name, QJsonObject fields)
{
    fields.insert(QStringLiteral("event"), QLatin1String(name));
    const QByteArray line = QJsonDocument(fields).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
    if (m_file) {
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), m_file.get());
        std::fflush(m_file.get());
    }
}

} // namespace SimUpnp
