// SPDX-License-Identifier: MIT
#include "discovery/relay_page_fetch.h"

#include "discovery/relay_page.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace Discovery {

std::vector<std::string> FetchRelayPage(const std::string& url, std::chrono::milliseconds wait,
                                        std::size_t limit)
{
    const QUrl target(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())),
                      QUrl::TolerantMode);
    if (!target.isValid() || target.host().isEmpty())
        return {};

    // The relay sits on the installer's own network: a desktop or corporate
    // proxy would not reach it, and asking for the system's proxy starts a
    // lookup of its own.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    QNetworkRequest request(target);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QByteArray body;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer); // a coarse timer may end the wait 5 % early
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // Take the body as it arrives, and stop reading once the limit is reached.
    QObject::connect(reply.get(), &QIODevice::readyRead, &loop, [&] {
        const qint64 room = static_cast<qint64>(limit) - body.size();
        if (room > 0)
            body += reply->read(room);
        if (body.size() >= static_cast<qsizetype>(limit))
            loop.quit();
    });
    timer.start(wait);
    if (!reply->isFinished())
        loop.exec();
    const qint64 room = static_cast<qint64>(limit) - body.size();
    if (room > 0)
        body += reply->read(room);
    // An error page (404, a proxy's notice, a redirect) is no device table.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    reply->abort();
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return {};
    return RelayPageLines(std::string_view(body.constData(), static_cast<std::size_t>(body.size())));
}

} // namespace Discovery
