// SPDX-License-Identifier: MIT
#include "discovery/relay_page_fetch.h"

#include "discovery/relay_page.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace Discovery {

namespace {

constexpr int kMaxRedirects = 5;

struct Answer {
    int status = 0; // 0: no status line arrived
    QUrl location;  // of a redirect, resolved against the request's URL
    QByteArray body;
};

// One GET: the status and up to `limit` bytes of the body, or what had
// arrived when `deadline` passed.
Answer Get(QNetworkAccessManager& manager, const QUrl& url, const QDeadlineTimer& deadline, std::size_t limit)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    Answer answer;
    QByteArray& body = answer.body;
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
    const qint64 remaining = deadline.remainingTime();
    if (remaining <= 0)
        return answer;
    timer.start(std::chrono::milliseconds(remaining));
    if (!reply->isFinished())
        loop.exec();
    const qint64 room = static_cast<qint64>(limit) - body.size();
    if (room > 0)
        body += reply->read(room);
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.status = status.isValid() ? status.toInt() : 0;
    const QUrl location = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (location.isValid())
        answer.location = url.resolved(location);
    reply->abort();
    return answer;
}

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A redirect is followed only on the relay host itself: another host could
// be anything, and its page is no list of the relay's devices.
bool SameRelay(const QUrl& relay, const QUrl& target)
{
    return target.scheme() == QLatin1String("http") && target.host().compare(relay.host(), Qt::CaseInsensitive) == 0
        && target.port(80) == relay.port(80);
}

} // namespace

std::vector<std::string> FetchRelayPage(const std::string& url, std::chrono::milliseconds wait,
                                        std::size_t limit)
{
    const QUrl relay(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())), QUrl::TolerantMode);
    if (!relay.isValid() || relay.host().isEmpty())
        return {};

    // The relay sits on the installer's own network: a desktop or corporate
    // proxy would not reach it, and asking for the system's proxy starts a
    // lookup of its own.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));

    // One bound for the page and every redirect on the way to it.
    const QDeadlineTimer deadline(wait, Qt::PreciseTimer);
    QUrl target = relay;
    for (int hop = 0;; ++hop) {
        const Answer answer = Get(manager, target, deadline, limit);
        if (IsRedirect(answer.status) && hop < kMaxRedirects && answer.location.isValid()
            && SameRelay(relay, answer.location)) {
            target = answer.location;
            continue;
        }
        // An error page (404, a proxy's notice, a redirect not followed) is no device table.
        if (answer.status != 0 && (answer.status < 200 || answer.status > 299))
            return {};
        return RelayPageLines(std::string_view(answer.body.constData(), static_cast<std::size_t>(answer.body.size())));
    }
}

} // namespace Discovery
