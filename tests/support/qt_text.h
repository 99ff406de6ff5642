// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>

namespace TestSupport {

// A widget's text, for comparing against std::string.
inline std::string Text(const QString& text)
{
    return text.toStdString();
}

} // namespace TestSupport
