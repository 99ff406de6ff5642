// SPDX-License-Identifier: MIT
#include "sim_process.h"

#include <QJsonDocument>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace LanHarness {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(10);

std::filesystem::path MakeTempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quendrel-sim-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern;
}

} // namespace

SimProcess::Match EventIs(const char* event)
{
    const QString name = QString::fromLatin1(event);
    return [name](const QJsonObject& line) { return line.value(QStringLiteral("event")).toString() == name; };
}

SimProcess::Match ReceivedFlag(const char* transport, int flag)
{
    const QString road = QString::fromLatin1(transport);
    return [road, flag](const QJsonObject& line) {
        return line.value(QStringLiteral("transport")).toString() == road
               && line.value(QStringLiteral("flag")).toInt(-2) == flag;
    };
}

std::unique_ptr<SimProcess> SimProcess::Start(const std::string& program, const std::string& netns,
                                              const std::vector<std::string>& args, std::string& error)
{
    std::unique_ptr<SimProcess> sim(new SimProcess);
    sim->m_dir = MakeTempDir();
    if (sim->m_dir.empty()) {
        error = "cannot make a temporary directory";
        return nullptr;
    }
    sim->m_log = sim->m_dir / "events.jsonl";
    sim->m_stderr = sim->m_dir / "stderr.txt";

    std::vector<std::string> argv;
    if (!netns.empty())
        argv = {"ip", "netns", "exec", netns};
    argv.push_back(program);
    argv.insert(argv.end(), args.begin(), args.end());
    argv.push_back("--log");
    argv.push_back(sim->m_log.string());
    std::vector<char*> raw;
    for (std::string& a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, sim->m_stderr.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    const int rc = posix_spawnp(&sim->m_pid, raw[0], &files, &attributes, raw.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (rc != 0) {
        error = "cannot start " + argv[0] + ": " + std::strerror(rc);
        sim->m_pid = -1;
        return nullptr;
    }
    return sim;
}

SimProcess::~SimProcess()
{
    stop();
    std::error_code ignored;
    if (!m_dir.empty() && std::getenv("QUENDREL_LAN_KEEP") == nullptr)
        std::filesystem::remove_all(m_dir, ignored);
}

bool SimProcess::running()
{
    if (m_pid < 0 || m_status)
        return false;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_status = status;
        return false;
    }
    return true;
}

std::optional<int> SimProcess::waitExited(std::chrono::milliseconds timeout)
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(kPollStep);
    if (running())
        return std::nullopt;
    return m_status;
}

int SimProcess::stop(std::chrono::milliseconds grace)
{
    if (m_pid < 0)
        return -1;
    if (running()) {
        kill(m_pid, SIGTERM);
        const auto until = std::chrono::steady_clock::now() + grace;
        while (running() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(kPollStep);
        if (running()) {
            kill(m_pid, SIGKILL);
            int status = 0;
            waitpid(m_pid, &status, 0);
            m_status = -1;
        }
    }
    readNewLines();
    return m_status.value_or(-1);
}

std::string SimProcess::errorOutput() const
{
    std::ifstream in(m_stderr);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void SimProcess::readNewLines()
{
    std::ifstream in(m_log, std::ios::binary);
    if (!in)
        return;
    in.seekg(static_cast<std::streamoff>(m_offset));
    std::string chunk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    m_offset += chunk.size();
    m_partial += chunk;
    std::size_t start = 0;
    for (std::size_t end; (end = m_partial.find('\n', start)) != std::string::npos; start = end + 1) {
        const QByteArray line = QByteArray::fromStdString(m_partial.substr(start, end - start));
        const QJsonDocument document = QJsonDocument::fromJson(line);
        QJsonObject object = document.object();
        if (!document.isObject())
            object.insert(QStringLiteral("unparsed"), QString::fromUtf8(line));
        m_lines.push_back(object);
    }
    m_partial.erase(0, start);
}

std::size_t SimProcess::count(const Match& match)
{
    readNewLines();
    std::size_t n = 0;
    for (const QJsonObject& line : m_lines)
        n += match(line) ? 1 : 0;
    return n;
}

std::optional<QJsonObject> SimProcess::waitForLine(const Match& match, std::chrono::milliseconds timeout)
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        readNewLines();
        for (const QJsonObject& line : m_lines)
            if (match(line))
                return line;
        if (std::chrono::steady_clock::now() >= until || !running()) {
            readNewLines();
            for (const QJsonObject& line : m_lines)
                if (match(line))
                    return line;
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollStep);
    }
}

bool SimProcess::waitReady(std::chrono::milliseconds timeout, std::string& error)
{
    if (const auto line = waitForLine(EventIs("ready"), timeout)) {
        m_ready = *line;
        return true;
    }
    error = running() ? "quendrel-sim did not get ready in time" : "quendrel-sim exited before it was ready";
    const std::string output = errorOutput();
    if (!output.empty())
        error += ": " + output;
    return false;
}

} // namespace LanHarness
