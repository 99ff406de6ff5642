// SPDX-License-Identifier: MIT
#include "ui/browse_url.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <charconv>

namespace Gui {

namespace {
constexpr int kDefaultHttpPort = 80;
}

int BrowsePort(std::string_view triggerPort)
{
    // An integer and nothing else: "80x", " 80" and "" all mean the default.
    int port = 0;
    const char* const last = triggerPort.data() + triggerPort.size();
    const auto [end, error] = std::from_chars(triggerPort.data(), last, port);
    if (triggerPort.empty() || error != std::errc{} || end != last)
        return kDefaultHttpPort;
    return port;
}

std::optional<QUrl> BrowseUrl(const Discovery::DeviceInfo& device)
{
    const std::string_view ip = Discovery::FieldText(device.ip);
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(ip.data(), static_cast<qsizetype>(ip.size())), QUrl::StrictMode);
    // QUrl reads -1 as "no port"; any port outside 0..65535 is refused here.
    const int port = BrowsePort(Discovery::FieldText(device.trigger_port));
    if (port < 0 || port > 65535)
        return std::nullopt;
    url.setPort(port);
    if (!url.isValid() || url.host().isEmpty() || url.scheme() != QLatin1String("http"))
        return std::nullopt;
    return url;
}

bool OpenInBrowser(const QUrl& url, std::function<void()> failedLater)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(url);
    // Started as a child of nobody: it may run as long as the browser it
    // starts, which may outlive the window. It deletes itself when it ends.
    auto* process = new QProcess;
    process->setProgram(xdgOpen);
    process->setArguments({url.toString()});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failedLater](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             failedLater();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failedLater](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        failedLater();
        process->deleteLater();
    });
    process->start();
    return true;
}

} // namespace Gui
