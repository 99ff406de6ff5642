// SPDX-License-Identifier: MIT
#include "sim/upnp/camera_host.h"

#include "sim/upnp/description_document.h"
#include "discovery/network_interfaces.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>

#include <libsoup/soup.h>

#include <string>
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

constexpr std::size_t kEndlessChunk = 64 * 1024;

// The endless body: an open document, then the same chunk for ever.
GBytes* EndlessChunk()
{
    static GBytes* const chunk = [] {
        static const std::string text(kEndlessChunk, 'x');
        return g_bytes_new_static(text.data(), text.size());
    }();
    return chunk;
}

void NextEndlessChunk(SoupServerMessage* message, gpointer)
{
    soup_message_body_append_bytes(soup_server_message_get_response_body(message), EndlessChunk());
    soup_server_message_unpause(message);
}

void OnSilentDescription(SoupServer*, SoupServerMessage* message, const char*, GHashTable*, gpointer)
{
    // Accepted, and never answered: the connection stays open until the
    // reader gives up.
    soup_server_message_pause(message);
}

void OnEndlessDescription(SoupServer*, SoupServerMessage* message, const char*, GHashTable*, gpointer)
{
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
    soup_message_headers_set_encoding(headers, SOUP_ENCODING_CHUNKED);
    soup_message_headers_set_content_type(headers, "text/xml", nullptr);
    SoupMessageBody* body = soup_server_message_get_response_body(message);
    soup_message_body_set_accumulate(body, FALSE);
    static constexpr char kOpening[] =
        "<?xml version=\"1.0\"?>\n<root xmlns=\"urn:schemas-upnp-org:device-1-0\"><device><modelDescription>";
    soup_message_body_append(body, SOUP_MEMORY_STATIC, kOpening, sizeof kOpening - 1);
    soup_message_body_append_bytes(body, EndlessChunk());
    g_signal_connect(message, "wrote-chunk", G_CALLBACK(&NextEndlessChunk), nullptr);
}

void OnDescriptionFromMemory(SoupServer*, SoupServerMessage* message, const char*, GHashTable*, gpointer document)
{
    const auto* text = static_cast<const QByteArray*>(document);
    soup_server_message_set_status(message, SOUP_STATUS_OK, nullptr);
    soup_message_headers_set_content_type(soup_server_message_get_response_headers(message), "text/xml", nullptr);
    soup_message_body_append(soup_server_message_get_response_body(message), SOUP_MEMORY_STATIC, text->constData(),
                             static_cast<gsize>(text->size()));
}

// The long-text document: the camera's own, its modelDescription padded.
QByteArray LongDescription(CameraConfig camera, const QString& host, int port)
{
    static const QString mark = QStringLiteral("quendrel-sim-long-text-mark");
    camera.modelDescription = mark;
    QByteArray document = DescriptionDocument(camera, host, port);
    return document.replace(mark.toUtf8(), QByteArray(camera.modelDescriptionBytes, 'x'));
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
    const std::vector<std::string> names{m_interface.toStdString()};
    const std::vector<Discovery::NetworkInterface> found = Discovery::SearchInterfaces(&names);
    if (found.empty()) {
        error = QStringLiteral("interface %1 is not up or has no IPv4 address").arg(m_interface);
        return false;
    }
    m_address = QString::fromStdString(Discovery::AddressText(found.front().address));
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
    QByteArray served;
    if (camera.modelDescriptionBytes > 0)
        served = LongDescription(camera, m_address, port);
    m_hosted.push_back(Hosted{std::move(camera), std::move(served), std::move(context), std::move(device),
                              std::move(location), std::move(presentation), port});
    ServeHostile(m_hosted.back());
    return true;
}

void CameraHost::ServeHostile(Hosted& hosted)
{
    SoupServerCallback handler = nullptr;
    gpointer data = nullptr;
    if (hosted.config.serving == DescriptionServing::Silent) {
        handler = &OnSilentDescription;
    } else if (hosted.config.serving == DescriptionServing::Endless) {
        handler = &OnEndlessDescription;
    } else if (!hosted.servedDescription.isEmpty()) {
        handler = &OnDescriptionFromMemory;
        data = &hosted.servedDescription;
    }
    if (!handler)
        return;
    const Upnp::GUriPtr uri(g_uri_parse(hosted.location.toUtf8().constData(), G_URI_FLAGS_NONE, nullptr));
    if (!uri)
        return;
    // A handler on the same path takes the root device's place.
    soup_server_add_handler(gupnp_context_get_server(hosted.context.get()), g_uri_get_path(uri.get()), handler,
                            data, nullptr);
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
