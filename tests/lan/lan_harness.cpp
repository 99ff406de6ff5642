// SPDX-License-Identifier: MIT
#include "lan_harness.h"

#include "discovery/network_interfaces.h"

#include "discovery/socket_handle.h"

#include <arpa/inet.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

extern char** environ;

namespace LanHarness {

namespace {

// LAN names are "ql<pid>_<n>", so a left-over LAN tells which process made it.
constexpr char kNamePrefix[] = "ql";
std::atomic<int> g_lanCounter{0};

std::string Errno() { return std::strerror(errno); }

} // namespace

const char* SimProgram() { return QUENDREL_SIM_PROGRAM; }
const char* LanScript() { return QUENDREL_LAN_SCRIPT; }

TestLan::TestLan(LanOptions options) : m_options(std::move(options))
{
    m_name = kNamePrefix + std::to_string(getpid()) + "_" + std::to_string(++g_lanCounter);
}

TestLan::~TestLan()
{
    m_sims.clear(); // stops them
    leavePc();
    if (m_up)
        RunScript({"down", m_name});
}

bool TestLan::IsRoot() { return geteuid() == 0; }

int TestLan::RunScript(const std::vector<std::string>& args, std::string* output)
{
    char path[] = "/tmp/quendrel-lan-out-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return -1;
    std::vector<std::string> argv{LanScript()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, fd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&files, fd, STDERR_FILENO);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, raw[0], &files, nullptr, raw.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    close(fd);
    int status = -1;
    if (rc == 0)
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    if (output != nullptr) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        *output = rc == 0 ? text.str() : std::string("cannot start scripts/lan: ") + std::strerror(rc);
    }
    unlink(path);
    if (rc != 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void TestLan::removeStaleLans()
{
    // A test run that was killed leaves its LAN behind; its process is gone.
    const std::regex pattern(std::string("^") + kNamePrefix + "([0-9]+)_[0-9]+-br$");
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/run/netns", ec)) {
        const std::string file = entry.path().filename().string();
        std::smatch m;
        if (!std::regex_match(file, m, pattern))
            continue;
        const pid_t owner = static_cast<pid_t>(std::stol(m[1].str()));
        if (owner == getpid() || kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        RunScript({"down", file.substr(0, file.size() - 3)});
    }
}

bool TestLan::up()
{
    if (!IsRoot()) {
        m_error = kNeedRoot;
        return false;
    }
    removeStaleLans();
    std::vector<std::string> args{"up", m_name, "--hosts", std::to_string(m_options.hosts), "--lans",
                                  std::to_string(m_options.lans)};
    for (const auto& [host, lan] : m_options.hostLan) {
        args.push_back("--host-lan");
        args.push_back("h" + std::to_string(host) + "=" + std::to_string(lan));
    }
    std::string output;
    const int rc = RunScript(args, &output);
    if (rc != 0) {
        m_error = "scripts/lan up failed (" + std::to_string(rc) + "): " + output;
        RunScript({"down", m_name});
        return false;
    }
    m_up = true;
    return true;
}

std::string TestLan::PcAddress(int lan) { return "10.77." + std::to_string(lan) + ".1"; }

bool TestLan::HoldsPcAddress()
{
    Discovery::SocketHandle s(::socket(AF_INET, SOCK_DGRAM, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, PcAddress().c_str(), &address.sin_addr);
    return s.valid() && ::bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool TestLan::OnlyPcAdapter()
{
    const auto adapters = Discovery::SearchInterfaces(nullptr);
    return adapters.size() == 1 && adapters[0].name == "eth0" && Discovery::AddressText(adapters[0].address) == PcAddress();
}

std::string TestLan::HostAddress(int host, int lan)
{
    return "10.77." + std::to_string(lan) + "." + std::to_string(host + 1);
}

int TestLan::lanOf(int host) const
{
    for (const auto& [h, lan] : m_options.hostLan)
        if (h == host)
            return lan;
    return (host - 1) % m_options.lans + 1;
}

bool TestLan::enterPc()
{
    if (!m_up) {
        m_error = "the LAN is not up";
        return false;
    }
    if (inPc())
        return true;
    const int home = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int pc = open(("/run/netns/" + namespaceOf("pc")).c_str(), O_RDONLY | O_CLOEXEC);
    const bool ok = home >= 0 && pc >= 0 && setns(pc, CLONE_NEWNET) == 0;
    if (!ok)
        m_error = "cannot enter " + namespaceOf("pc") + ": " + Errno();
    if (pc >= 0)
        close(pc);
    if (!ok) {
        if (home >= 0)
            close(home);
        return false;
    }
    m_home = home;
    return true;
}

bool TestLan::leavePc()
{
    if (!inPc())
        return true;
    const bool ok = setns(m_home, CLONE_NEWNET) == 0;
    if (!ok)
        m_error = "cannot go back to the test's namespace: " + Errno();
    close(m_home);
    m_home = -1;
    return ok;
}

SimProcess* TestLan::startSim(int host, const std::vector<std::string>& args,
                              std::chrono::milliseconds readyTimeout)
{
    if (!m_up) {
        m_error = "the LAN is not up";
        return nullptr;
    }
    if (host < 1 || host > m_options.hosts) {
        m_error = "there is no host h" + std::to_string(host);
        return nullptr;
    }
    std::string error;
    std::unique_ptr<SimProcess> sim =
        SimProcess::Start(SimProgram(), namespaceOf("h" + std::to_string(host)), args, error);
    if (!sim || !sim->waitReady(readyTimeout, error)) {
        m_error = error;
        return nullptr;
    }
    m_sims.push_back(std::move(sim));
    return m_sims.back().get();
}

bool TestLan::setLink(const std::string& node, const std::string& device, bool up)
{
    std::string output;
    if (RunScript({"link", m_name, node, device, up ? "up" : "down"}, &output) != 0) {
        m_error = "scripts/lan link failed: " + output;
        return false;
    }
    return true;
}

} // namespace LanHarness
