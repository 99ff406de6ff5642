// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"

#include <QUrl>

#include <functional>
#include <optional>
#include <string_view>

namespace Gui {

// The port Browse uses: the device's trigger port when the whole text is a
// decimal integer, else 80.
int BrowsePort(std::string_view triggerPort);

// "http://<ip>:<port>" for a device, built from parts. Empty when the result
// is not a valid http URL with a host (the cells may come from a relay page).
std::optional<QUrl> BrowseUrl(const Discovery::DeviceInfo& device);

// Opens `url` in the desktop's web browser. False when no browser could be
// started at once. Where xdg-open is the way, it only says later whether a
// browser came up: then `failedLater` runs on this thread when it could not
// start or reports that none did (a desktop without a browser).
bool OpenInBrowser(const QUrl& url, std::function<void()> failedLater);

} // namespace Gui
