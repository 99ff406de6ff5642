// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTranslator>
#include <QtGlobal>

namespace Resources {

// One language module: a compiled, id-based Qt translation file whose message
// ids are the resource-string identifiers as decimal text ("65534"). The file
// is read whole into memory and checked before it is accepted, so a module is
// either usable or never becomes current.
class ResourceModule final {
    Q_DISABLE_COPY(ResourceModule)

public:
    // Larger files are refused: all the texts of the table fit in a few KiB.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    ResourceModule() = default;

    bool load(const QString& path);
    bool isLoaded() const { return !m_path.isEmpty(); }
    QString text(quint16 id) const;
    // Absolute path of the loaded file; empty until a load succeeds.
    const QString& path() const { return m_path; }

private:
    QString m_path;
    // The translator reads straight from this buffer, so it lives longer.
    QByteArray m_data;
    QTranslator m_translator;
};

} // namespace Resources
