// SPDX-License-Identifier: MIT
#include "discovery/firewall_probe.h"

#include <QFile>
#include <QMetaObject>
#include <QProcess>
#include <QStandardPaths>

#include <sstream>

namespace Discovery {

namespace {

constexpr int kToolLimitMs = 2000;

bool UfwEnabled()
{
    QFile conf(QStringLiteral("/etc/ufw/ufw.conf"));
    if (!conf.open(QIODevice::ReadOnly))
        return false;
    while (!conf.atEnd()) {
        const QByteArray line = conf.readLine().trimmed();
        if (line.startsWith("ENABLED="))
            return line.mid(8).replace('"', "").trimmed().toLower() == "yes";
    }
    return false;
}

} // namespace

const char* FirewallName(Firewall firewall)
{
    switch (firewall) {
    case Firewall::Firewalld: return "firewalld";
    case Firewall::Ufw: return "ufw";
    case Firewall::Nftables: return "nftables";
    case Firewall::None: break;
    }
    return "";
}

bool RulesetDropsInput(const std::string& ruleset)
{
    std::istringstream lines(ruleset);
    std::string line;
    bool inInputChain = false;
    while (std::getline(lines, line)) {
        if (line.find("chain ") != std::string::npos)
            inInputChain = false;
        if (line.find("hook input") != std::string::npos) {
            inInputChain = true;
            if (line.find("policy drop") != std::string::npos)
                return true;
            continue;
        }
        if (inInputChain && line.find("reject") != std::string::npos)
            return true;
    }
    return false;
}

FirewallProbe::FirewallProbe(QObject* parent) : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { answered(false, {}); });
}

FirewallProbe::~FirewallProbe()
{
    if (m_process != nullptr) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(200);
    }
}

void FirewallProbe::start()
{
    m_step = Step::Firewalld;
    if (!run(QStringLiteral("firewall-cmd"), {QStringLiteral("--state")}))
        QMetaObject::invokeMethod(this, [this] { answered(false, {}); }, Qt::QueuedConnection);
}

bool FirewallProbe::run(const QString& tool, const QStringList& args)
{
    const QString path = QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
    if (path.isEmpty())
        return false;
    m_process = new QProcess(this);
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        answered(status == QProcess::NormalExit && code == 0, m_process->readAllStandardOutput());
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            answered(false, {});
    });
    m_limit.start(kToolLimitMs);
    m_process->start(path, args, QIODevice::ReadOnly);
    return true;
}

void FirewallProbe::answered(bool ok, const QByteArray& output)
{
    m_limit.stop();
    if (m_process != nullptr) {
        // Let go of later, not here: its own signal may be running.
        m_process->disconnect(this);
        m_process->kill();
        m_process->deleteLater();
        m_process = nullptr;
    }
    switch (m_step) {
    case Step::Firewalld:
        if (ok && output.trimmed() == "running") {
            emit found(Firewall::Firewalld);
            return;
        }
        if (UfwEnabled()) {
            emit found(Firewall::Ufw);
            return;
        }
        m_step = Step::Nftables;
        if (!run(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("ruleset")}))
            emit found(Firewall::None);
        return;
    case Step::Nftables:
        emit found(ok && RulesetDropsInput(output.toStdString()) ? Firewall::Nftables : Firewall::None);
        return;
    }
}

} // namespace Discovery
