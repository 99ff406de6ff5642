// SPDX-License-Identifier: MIT
#include "resources/resource_module.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace Resources {

namespace {
Q_LOGGING_CATEGORY(lcModule, "quendrel.resources")
} // namespace

// Loads the module file at `path` into this (still empty) module. A missing
// file fails quietly, since no module is the normal case; a file that is there
// but too large, unreadable or not a translation file fails with one warning
// line. A module that is already loaded is never reloaded: the translator may
// still be reading from its buffer.
bool ResourceModule::load(const QString& path)
{
    if (isLoaded())
        return false;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (!info.isFile()) {
        qCWarning(lcModule, "language module %s is not a file", qUtf8Printable(path));
        return false;
    }
    if (info.size() > kMaxFileSize) {
        qCWarning(lcModule, "language module %s is %lld bytes, more than %lld; ignored",
                  qUtf8Printable(path), static_cast<long long>(info.size()),
                  static_cast<long long>(kMaxFileSize));
        return false;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcModule, "language module %s: %s", qUtf8Printable(path),
                  qUtf8Printable(file.errorString()));
        return false;
    }
    // Read one byte past the limit: the file may have grown since the size check.
    QByteArray data = file.read(kMaxFileSize + 1);
    if (data.isEmpty()) {
        qCWarning(lcModule, "language module %s is empty; ignored", qUtf8Printable(path));
        return false;
    }
    if (data.size() > kMaxFileSize) {
        qCWarning(lcModule, "language module %s grew past %lld bytes while read; ignored",
                  qUtf8Printable(path), static_cast<long long>(kMaxFileSize));
        return false;
    }

    m_data = std::move(data);
    const auto* bytes = reinterpret_cast<const uchar*>(m_data.constData());
    if (!m_translator.load(bytes, static_cast<int>(m_data.size()))) {
        m_data.clear();
        qCWarning(lcModule, "language module %s is not a compiled translation file; ignored",
                  qUtf8Printable(path));
        return false;
    }
    m_path = info.absoluteFilePath();
    return true;
}

// The module's text for identifier `id`, or a null string when it has none.
QString ResourceModule::text(quint16 id) const
{
    const QByteArray key = QByteArray::number(id);
    return m_translator.translate(nullptr, key.constData());
}

} // namespace Resources
