// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

namespace Discovery {

inline constexpr std::size_t kRelayPageLimit = 1024 * 1024;
inline constexpr std::chrono::milliseconds kRelayPageWait{20'000};

// Fetches a relay host's device page on the caller's event loop, driven by
// the network's signals: start() returns at once and done() follows once
// the page is in, or `wait` has passed (with what had arrived by then). At
// most the first `limit` bytes of the body are kept. Redirects on the relay
// host itself are followed, at most five, inside the one bound; an error
// page, or a redirect elsewhere, gives no lines. Never through a proxy.
class RelayPageFetch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(RelayPageFetch)

public:
    explicit RelayPageFetch(std::chrono::milliseconds wait = kRelayPageWait, std::size_t limit = kRelayPageLimit,
                            QObject* parent = nullptr);
    ~RelayPageFetch() override;

    void start(const std::string& url);
    // Aborts the fetch: its connection is closed and done() never comes.
    void cancel();
    // The page's lines (RelayPageLines), once done() has come.
    const std::vector<std::string>& lines() const { return m_lines; }

signals:
    void done();

private:
    void get(const QUrl& url);
    // Takes what has arrived, up to the limit; true once the limit is reached.
    bool read();
    // The current request is over (or the bound passed): follow a
    // redirect, or finish with the page.
    void settle(bool timedOut);
    void finish(bool page);
    void dropReply();

    const std::chrono::milliseconds m_wait;
    const std::size_t m_limit;
    QNetworkAccessManager* m_manager = nullptr;
    QNetworkReply* m_reply = nullptr;
    QTimer m_deadline;
    QUrl m_relay;
    QUrl m_target;
    QByteArray m_body;
    int m_hops = 0;
    bool m_running = false;
    std::vector<std::string> m_lines;
};

} // namespace Discovery
