// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>

#include <string>

class QProcess;

namespace Discovery {

// The firewalls that drop the devices' answers. The cameras answer with
// broadcasts to UDP 6667 and UPnP cameras from UDP 1900; connection
// tracking matches neither to the query, so an active firewall drops them
// and a search looks like an empty network. The program only looks: it
// never changes a firewall.
enum class Firewall { None, Firewalld, Ufw, Nftables };

// "firewalld", "ufw", "nftables"; empty for None.
const char* FirewallName(Firewall firewall);

// True when `ruleset` (the text `nft list ruleset` prints) has an input-hook
// chain with a drop policy or a reject rule.
bool RulesetDropsInput(const std::string& ruleset);

// Finds the firewall that is active on this machine, on the caller's event
// loop: firewalld running (firewall-cmd --state), ufw enabled (its
// configuration file), a readable nftables ruleset whose input hook drops
// or rejects by default, in that order. A tool that is missing, or gives no
// answer within 2 s, counts as nothing found. found() comes once.
class FirewallProbe final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(FirewallProbe)

public:
    explicit FirewallProbe(QObject* parent = nullptr);
    ~FirewallProbe() override;

    void start();

signals:
    void found(Discovery::Firewall firewall);

private:
    enum class Step { Firewalld, Nftables };
    // Runs a query tool; false when it is not installed.
    bool run(const QString& tool, const QStringList& args);
    void answered(bool ok, const QByteArray& output);

    Step m_step = Step::Firewalld;
    QProcess* m_process = nullptr; // a child; the finished ones go with deleteLater
    QTimer m_limit;
};

} // namespace Discovery
