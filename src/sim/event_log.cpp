// SPDX-License-Identifier: MIT
#include "sim/event_log.h"

#include <QJsonDocument>

#include <arpa/inet.h>

#include <cerrno>
#include <cstring>

namespace Sim {

namespace {

// Long junk datagrams would make unreadable lines; the byte count still tells their size.
constexpr std::size_t kMaxLoggedText = 4096;

} // namespace

EventLog::EventLog(std::FILE* out, bool keep)
    : m_out(out), m_keep(keep), m_start(std::chrono::steady_clock::now())
{
}

std::unique_ptr<EventLog> EventLog::OpenFile(const QString& path, QString& error)
{
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "w");
    if (file == nullptr) {
        error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    auto log = std::make_unique<EventLog>(file);
    log->m_owned.reset(file);
    return log;
}

void EventLog::write(QJsonObject line)
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    line.insert(QStringLiteral("t"), static_cast<double>(static_cast<long long>(seconds * 1000)) / 1000);
    if (m_out != nullptr) {
        const QByteArray text = QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), m_out);
        std::fflush(m_out);
    }
    if (m_keep)
        m_kept.push_back(line);
}

void EventLog::event(const char* name, QJsonObject fields)
{
    fields.insert(QStringLiteral("event"), QString::fromLatin1(name));
    write(std::move(fields));
}

void EventLog::received(const char* transport, const sockaddr_in& from, int flag,
                        std::string_view text, std::size_t bytes)
{
    text = text.substr(0, kMaxLoggedText);
    QJsonObject line;
    line.insert(QStringLiteral("transport"), QString::fromLatin1(transport));
    line.insert(QStringLiteral("from"), EndpointText(from));
    line.insert(QStringLiteral("flag"), flag);
    line.insert(QStringLiteral("text"), QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    line.insert(QStringLiteral("bytes"), static_cast<qint64>(bytes));
    write(std::move(line));
}

QString EndpointText(const sockaddr_in& address)
{
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return QStringLiteral("%1:%2").arg(QString::fromLatin1(text)).arg(ntohs(address.sin_port));
}

} // namespace Sim
