// SPDX-License-Identifier: MIT
#pragma once

#include <QJsonObject>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <memory>

namespace SimUpnp {

// The simulator's JSON-lines output: one compact object per line on
// standard output and, when a log file is open, in that file too; flushed
// at once so a test that reads the file sees each line as it happens.
class JsonLinesLog {
    Q_DISABLE_COPY(JsonLinesLog)

public:
    JsonLinesLog() = default;

    // Creates or empties `path`; false and `error` set when it cannot.
    bool openFile(const QString& path, QString& error);
    // {"event": name, ...fields}
    void event(const char* name, QJsonObject fields = {});

private:
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file{nullptr, &std::fclose};
};

} // namespace SimUpnp
