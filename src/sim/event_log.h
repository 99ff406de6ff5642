// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>
#include <QtGlobal>

#include <netinet/in.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace Sim {

// The simulator's JSON-lines log: one compact object per line, flushed at
// once so a test reading the file sees every line as soon as it happens.
// Every line carries "t", the seconds since the log was opened.
class EventLog {
    Q_DISABLE_COPY(EventLog)
public:
    // Writes to `out` (not owned; may be null) and, when `keep` is set, also
    // keeps the objects in memory for tests.
    explicit EventLog(std::FILE* out, bool keep = false);

    // Writes to a file of its own, created or emptied; null and `error` set on failure.
    static std::unique_ptr<EventLog> OpenFile(const QString& path, QString& error);

    void write(QJsonObject line);
    // {"event": name, ...fields}
    void event(const char* name, QJsonObject fields = {});
    // A received package: {"transport","from","flag","text","bytes"}. The text
    // keeps every byte as the character of the same number (Latin-1).
    void received(const char* transport, const sockaddr_in& from, int flag, std::string_view text,
                  std::size_t bytes);

    const std::vector<QJsonObject>& kept() const { return m_kept; }

private:
    std::FILE* m_out;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_owned{nullptr, &std::fclose};
    bool m_keep;
    std::vector<QJsonObject> m_kept;
    std::chrono::steady_clock::time_point m_start;
};

// "a.b.c.d:port" of a socket address.
QString EndpointText(const sockaddr_in& address);

} // namespace Sim
