// SPDX-License-Identifier: MIT
#pragma once

#include "sim/upnp/camera_config.h"
#include "upnp/glib_handles.h"

#include <QJsonArray>
#include <QString>
#include <QtGlobal>

#include <libgupnp/gupnp.h>

#include <deque>
#include <vector>

namespace SimUpnp {

// Hosts simulated UPnP root devices on one interface: each camera gets a
// context of its own (so it can have its own HTTP port), a folder with its
// description, service descriptions, icon and presentation page, and a root
// device that announces itself and answers searches. Runs on the calling
// thread's default main context.
class CameraHost {
    Q_DISABLE_COPY(CameraHost)

public:
    // `folder` receives one sub-folder per camera; it must exist.
    CameraHost(QString interfaceName, QString folder);
    ~CameraHost();

    // Hosts and announces every camera; false and `error` set on the first
    // that fails (those before it stay up until stop or destruction).
    bool start(std::vector<CameraConfig> cameras, QString& error);
    // Says goodbye for every camera (ssdp:byebye) and stops serving.
    void stop();

    const QString& address() const { return m_address; }
    // [{udn, friendlyName, manufacturer, location, presentationUrl, port}]
    QJsonArray announced() const;

private:
    struct Hosted {
        CameraConfig config;
        // A description served from memory (the long-text camera); it
        // outlives the context whose server sends it.
        QByteArray servedDescription;
        Upnp::GObjectPtr<GUPnPContext> context;
        Upnp::GObjectPtr<GUPnPRootDevice> device;
        QString location;
        QString presentationUrl;
        int port = 0;
    };

    bool host(CameraConfig camera, int index, QString& error);
    // Replaces the root device's own description handler for the hostile
    // ways of serving it.
    static void ServeHostile(Hosted& hosted);

    QString m_interface;
    QString m_folder;
    QString m_address;
    // A deque: the description handlers keep pointers to their camera's
    // served text, which a growing vector would move away under them.
    std::deque<Hosted> m_hosted;
};

} // namespace SimUpnp
