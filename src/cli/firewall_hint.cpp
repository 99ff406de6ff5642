// SPDX-License-Identifier: MIT
#include "cli/firewall_hint.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <ostream>
#include <sstream>

namespace Cli {

namespace {

// Runs a query tool that may be missing; a tool that does not answer within
// the time is taken as nothing found. Returns its stdout when it exits 0.
bool RunQuiet(const QString& tool, const QStringList& args, QByteArray& output)
{
    const QString path = QStandardPaths::findExecutable(tool, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
    if (path.isEmpty())
        return false;
    QProcess process;
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(path, args, QIODevice::ReadOnly);
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(500);
        return false;
    }
    output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

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

Firewall ActiveFirewall()
{
    QByteArray output;
    if (RunQuiet(QStringLiteral("firewall-cmd"), {QStringLiteral("--state")}, output)
        && output.trimmed() == "running")
        return Firewall::Firewalld;
    if (UfwEnabled())
        return Firewall::Ufw;
    if (RunQuiet(QStringLiteral("nft"), {QStringLiteral("list"), QStringLiteral("ruleset")}, output)
        && RulesetDropsInput(output.toStdString()))
        return Firewall::Nftables;
    return Firewall::None;
}

std::string FirewallHint(Firewall firewall)
{
    switch (firewall) {
    case Firewall::Firewalld:
        return "No device answered and firewalld is running; to let the answers in, enable the quendrel "
               "service: sudo firewall-cmd --permanent --add-service=quendrel && sudo firewall-cmd --reload";
    case Firewall::Ufw:
        return "No device answered and ufw is active; to let the answers in, enable the Quendrel profile: "
               "sudo ufw allow Quendrel";
    case Firewall::Nftables:
        return "No device answered and the nftables input chain drops or rejects by default; allow UDP "
               "to port 6667 in (device answers) and UDP from source port 1900 (UPnP camera answers)";
    case Firewall::None:
        break;
    }
    return {};
}

void PrintFirewallHint(std::ostream& err)
{
    const std::string hint = FirewallHint(ActiveFirewall());
    if (!hint.empty())
        err << "quendrel-cli: " << hint << '\n';
}

} // namespace Cli
