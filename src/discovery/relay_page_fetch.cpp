// SPDX-License-Identifier: MIT
#include "discovery/relay_page_fetch.h"

#include "discovery/relay_page.h"

#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace Discovery {

namespace {

constexpr int kMaxRedirects = 5;

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

RelayPageFetch::RelayPageFetch(std::chrono::milliseconds wait, std::size_t limit, QObject* parent)
    : QObject(parent), m_wait(wait), m_limit(limit)
{
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer); // a coarse timer may end the wait 5 % early
    connect(&m_deadline, &QTimer::timeout, this, [this] { settle(true); });
}

RelayPageFetch::~RelayPageFetch()
{
    cancel();
}

void RelayPageFetch::start(const std::string& url)
{
    m_running = true;
    m_lines.clear();
    m_relay = QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())), QUrl::TolerantMode);
    if (!m_relay.isValid() || m_relay.host().isEmpty()) {
        QMetaObject::invokeMethod(this, [this] { finish(false); }, Qt::QueuedConnection);
        return;
    }
    if (m_manager == nullptr) {
        // The relay sits on the installer's own network: a desktop or
        // corporate proxy would not reach it, and asking for the system's
        // proxy starts a lookup of its own.
        m_manager = new QNetworkAccessManager(this);
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }
    m_hops = 0;
    m_deadline.start(m_wait);
    get(m_relay);
}

void RelayPageFetch::get(const QUrl& url)
{
    m_target = url;
    m_body.clear();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    m_reply = m_manager->get(request);
    // The body is taken as it arrives, and reading stops at the limit.
    connect(m_reply, &QIODevice::readyRead, this, [this] {
        if (read())
            settle(false);
    });
    connect(m_reply, &QNetworkReply::finished, this, [this] { settle(false); });
}

bool RelayPageFetch::read()
{
    const qint64 room = static_cast<qint64>(m_limit) - m_body.size();
    if (room > 0)
        m_body += m_reply->read(room);
    return m_body.size() >= static_cast<qsizetype>(m_limit);
}

void RelayPageFetch::settle(bool timedOut)
{
    if (!m_running || m_reply == nullptr)
        return;
    read();
    const QVariant statusAttribute = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const int status = statusAttribute.isValid() ? statusAttribute.toInt() : 0;
    QUrl location = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (location.isValid())
        location = m_target.resolved(location);
    dropReply();

    if (!timedOut && IsRedirect(status) && m_hops < kMaxRedirects && location.isValid() && SameRelay(m_relay, location)) {
        ++m_hops;
        get(location);
        return;
    }
    // An error page (404, a proxy's notice, a redirect not followed) is no device table.
    finish(status == 0 || (status >= 200 && status <= 299));
}

void RelayPageFetch::finish(bool page)
{
    if (!m_running)
        return;
    m_running = false;
    m_deadline.stop();
    dropReply();
    if (page)
        m_lines = RelayPageLines(std::string_view(m_body.constData(), static_cast<std::size_t>(m_body.size())));
    m_body.clear();
    emit done();
}

void RelayPageFetch::cancel()
{
    m_running = false;
    m_deadline.stop();
    dropReply();
}

void RelayPageFetch::dropReply()
{
    if (m_reply == nullptr)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    // Its own signal may be running: it goes once that is over.
    reply->deleteLater();
}

} // namespace Discovery
