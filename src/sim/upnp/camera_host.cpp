// SPDX-License-Identifier: MIT
#include "sim/upnp/camera_host.h"

#include "sim/upnp/description_document.h"
#include "upnp/network_interfaces.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

#include <utility>

namespace SimUpnp {

namespace {

constexpr guint kGoodbyeTime = 250; // ms

gboolean QuitLoop(gpointer loop)
{
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

CameraHost::CameraHost(QString interfaceName, QString folder)
    : m_interface(std::move(interfaceName)), m_folder(std::move(folder))
{
}

CameraHost::~CameraHost()
{
    stop();
}

bool CameraHost::start(std::vector<CameraConfig> cameras, QString& error)
{
    const std::vector<Upnp::Ipv4Interface> found = Upnp::NamedIpv4Interfaces({m_interface.toStdString()});
    if (found.empty()) {
        error = QStringLiteral("interface %1 is not up or has no IPv4 address").arg(m_interface);
        return false;
    }
    m_address = QString::fromStdString(found.front().address);
    for (std::size_t i = 0; i < cameras.size(); ++i)
        if (!host(std::move(cameras[i]), static_cast<int>(i) + 1, error))
            return false;
    return true;
}

bool CameraHost::host(CameraConfig camera, int index, QString& error)
{
    if (camera.udn.isEmpty()) {
        QString host = m_address;
        camera.udn = QStringLiteral("uuid:quendrel-sim-cam%1-%2").arg(index).arg(host.replace(QLatin1Char('.'), QLatin1Char('-')));
    }
    const Upnp::GObjectPtr<GInetAddress> address(g_inet_address_new_from_string(m_address.toUtf8().constData()));
    GError* raw = nullptr;
    Upnp::GObjectPtr<GUPnPContext> context(gupnp_context_new_full(
        m_interface.toUtf8().constData(), address.get(), static_cast<guint16>(camera.httpPort),
        GSSDP_UDA_VERSION_1_0, &raw));
    const Upnp::GErrorPtr failure(raw);
    if (!context) {
        error = QStringLiteral("camera %1: no UPnP context on %2 port %3: %4")
                    .arg(index).arg(m_interface).arg(camera.httpPort)
                    .arg(failure ? QString::fromUtf8(failure->message) : QStringLiteral("unknown error"));
        return false;
    }
    const int port = static_cast<int>(gupnp_context_get_port(context.get()));

    const QString folder = QDir(m_folder).filePath(QStringLiteral("camera%1").arg(index));
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    const QDir dir(folder);
    if (!WriteFile(dir.filePath(QLatin1String(kDescriptionFile)), DescriptionDocument(camera, m_address, port), error) ||
        !WriteFile(dir.filePath(QLatin1String(kPresentationFile)), PresentationPage(camera), error) ||
        !WriteFile(dir.filePath(QLatin1String(kIconFile)), IconGif(), error))
        return false;
    for (int s = 1; s <= camera.services; ++s)
        if (!WriteFile(dir.filePath(ServiceFile(s)), ServiceDocument(), error))
            return false;

    Upnp::GObjectPtr<GUPnPRootDevice> device(gupnp_root_device_new(
        context.get(), kDescriptionFile, folder.toUtf8().constData(), &raw));
    const Upnp::GErrorPtr deviceFailure(raw);
    if (!device) {
        error = QStringLiteral("camera %1: no root device: %2")
                    .arg(index)
                    .arg(deviceFailure ? QString::fromUtf8(deviceFailure->message) : QStringLiteral("unknown error"));
        return false;
    }
    gupnp_root_device_set_available(device.get(), TRUE);

    QString location = QString::fromUtf8(gupnp_device_info_get_location(GUPNP_DEVICE_INFO(device.get())));
    QString presentation = camera.presentationUrl ? ExpandUrl(*camera.presentationUrl, m_address, port) : QString();
    m_hosted.push_back(Hosted{std::move(camera), std::move(context), std::move(device), std::move(location),
                              std::move(presentation), port});
    return true;
}

void CameraHost::stop()
{
    for (Hosted& hosted : m_hosted)
        if (hosted.device)
            gupnp_root_device_set_available(hosted.device.get(), FALSE);
    // The byebye datagrams leave from a paced queue on the main context.
    if (!m_hosted.empty()) {
        const Upnp::GMainLoopPtr loop(g_main_loop_new(nullptr, FALSE));
        g_timeout_add(kGoodbyeTime, &QuitLoop, loop.get());
        g_main_loop_run(loop.get());
    }
    for (Hosted& hosted : m_hosted) {
        hosted.device.reset();
        hosted.context.reset();
    }
    m_hosted.clear();
}

QJsonArray CameraHost::announced() const
{
    QJsonArray list;
    for (const Hosted& hosted : m_hosted)
        list.append(QJsonObject{{QStringLiteral("udn"), hosted.config.udn},
                                {QStringLiteral("friendlyName"), hosted.config.friendlyName.value_or(QString())},
                                {QStringLiteral("manufacturer"), hosted.config.manufacturer.value_or(QString())},
                                {QStringLiteral("location"), hosted.location},
                                {QStringLiteral("presentationUrl"), hosted.presentationUrl},
                                {QStringLiteral("port"), hosted.port}});
    return list;
}

} // namespace SimUpnp
