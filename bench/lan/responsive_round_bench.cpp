// SPDX-License-Identifier: MIT
// Does the window keep up while a round runs, and how long is the default
// round? One markdown table (| case | measure | result |):
//  - the default round as a CLI process (3 datagram devices, an AXIS and a
//    Vivotek camera): time per process, devices missed;
//  - 5,000 devices answering back to back from 4 hosts into the window, the
//    simulated devices pinned to one core and the program to the other, the
//    receive buffer an ordinary user gets on a stock kernel: devices listed,
//    the longest stall of the window's event loop (max and 99th percentile
//    of the gaps between the ticks of a 1 ms timer), and the first row's
//    latency after the first reply reached this machine;
//  - the same in the window next to a neighbour flooding for 10 s;
//  - 600 datagrams of 3,500 packets with an unknown flag each;
//  - how soon quendrel-cli ends after Ctrl+C in the middle of a long wait.
// Needs root (network namespaces); the window runs on the offscreen platform.
//
//   bench_responsive_round [--rounds N] [--cli-rounds N] [--cli PATH] [--only cli|window]
#include "crowd_file.h"
#include "lan_harness.h"
#include "wire.h"

#include "discovery/packet.h"
#include "discovery/search_round.h"
#include "ui/main_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace LanHarness;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kCrowdHosts = 4;
constexpr int kCrowd = 5000;
// What an unprivileged SO_RCVBUF request is cut to on a stock kernel.
constexpr int kStockBufferCap = 212992;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p / 100.0 * static_cast<double>(v.size())))];
}

double Median(std::vector<double> v) { return Percentile(std::move(v), 50); }

std::string Format(const char* format, double a, double b = 0)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

struct Row {
    std::string scenario, measure, result;
};

// Pins a thread (0: the calling one) to one processor.
void PinTo(pid_t pid, int cpu)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    ::sched_setaffinity(pid, sizeof set, &set);
}

// The kernel's first copy of a reply on the reply port: a second socket
// there (address reuse) gets every broadcast reply the window gets.
class FirstReply {
public:
    FirstReply() : m_socket(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        const int on = 1;
        ::setsockopt(m_socket.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(Discovery::kReplyPort);
        ::bind(m_socket.get(), reinterpret_cast<sockaddr*>(&local), sizeof local);
        m_thread = std::thread([this] {
            pollfd p{m_socket.get(), POLLIN, 0};
            while (!m_stop && ::poll(&p, 1, 20) <= 0) {
            }
            if (!m_stop)
                m_at = Clock::now().time_since_epoch().count();
        });
    }
    ~FirstReply()
    {
        m_stop = true;
        m_thread.join();
    }
    std::optional<Clock::time_point> at() const
    {
        const auto v = m_at.load();
        return v == 0 ? std::nullopt : std::optional(Clock::time_point(Clock::duration(v)));
    }

private:
    Discovery::SocketHandle m_socket;
    std::atomic<bool> m_stop{false};
    std::atomic<Clock::rep> m_at{0};
    std::thread m_thread;
};

struct WindowRound {
    double ms = 0;
    int listed = 0;
    std::vector<double> gaps; // between the ticks of the 1 ms timer
    std::optional<double> firstRowMs; // after the first reply arrived
};

// One press in the window (a project filter: the round closes itself),
// until the button comes back. `during` runs right after the press.
WindowRound PressInWindow(Gui::TMainForm& form, bool timeStalls, const std::function<void()>& during = {})
{
    auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
    auto* grid = form.findChild<QAbstractItemView*>(QStringLiteral("StringGrid1"));
    WindowRound round;
    FirstReply reply;
    std::optional<Clock::time_point> firstRow;
    const QMetaObject::Connection rows =
        QObject::connect(grid->model(), &QAbstractItemModel::rowsInserted, [&](const QModelIndex&, int, int) {
            if (!firstRow && grid->model()->index(0, 0).data().toString().size() > 0)
                firstRow = Clock::now();
        });
    Clock::time_point last = Clock::now();
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        round.gaps.push_back(Ms(now - last));
        last = now;
    });
    // A timer that wakes the window's thread every millisecond takes a share
    // of the core the reply readers share with it: rounds that count the
    // devices listed run without it.
    if (timeStalls)
        ticks.start(1);
    const auto start = Clock::now();
    last = start;
    button->click();
    if (during)
        during();
    // Sleeps between looks: a loop that spins would take the processor from the readers.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (button->isEnabled())
            loop.quit();
    });
    look.start(5);
    loop.exec();
    round.gaps.push_back(Ms(Clock::now() - last));
    round.ms = Ms(Clock::now() - start);
    ticks.stop();
    QObject::disconnect(rows);
    round.listed = static_cast<int>(form.state().devices.size());
    if (firstRow && reply.at())
        round.firstRowMs = Ms(*firstRow - *reply.at());
    return round;
}

std::unique_ptr<Gui::TMainForm> ProjectWindow()
{
    Upnp::UpnpSearchOptions upnp;
    upnp.interfaces = std::vector<std::string>{"eth0"};
    auto form = std::make_unique<Gui::TMainForm>(upnp);
    form->findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("Orvane"));
    form->show();
    QCoreApplication::processEvents();
    return form;
}

void StallRows(const std::string& scenario, const std::vector<WindowRound>& rounds, std::vector<Row>& table)
{
    std::vector<double> gaps, times, firsts;
    int fewest = 1 << 30, most = 0;
    for (const WindowRound& r : rounds) {
        gaps.insert(gaps.end(), r.gaps.begin(), r.gaps.end());
        times.push_back(r.ms);
        fewest = std::min(fewest, r.listed);
        most = std::max(most, r.listed);
        if (r.firstRowMs)
            firsts.push_back(*r.firstRowMs);
    }
    table.push_back({scenario, "longest stall of the event loop: max, 99th percentile",
                     Format("%.0f ms, %.1f ms", *std::max_element(gaps.begin(), gaps.end()), Percentile(gaps, 99))});
    if (!firsts.empty())
        table.push_back({scenario, "first row after the first reply: median, worst",
                         Format("%.0f ms, %.0f ms", Median(firsts), *std::max_element(firsts.begin(), firsts.end()))});
    table.push_back({scenario, "round: median, worst", Format("%.0f ms, %.0f ms", Median(times),
                                                               *std::max_element(times.begin(), times.end()))});
    table.push_back({scenario, "listed (fewest-most)", std::to_string(fewest) + "-" + std::to_string(most)});
}

bool CliRounds(const std::string& cli, int rounds, std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{3, 1, {}});
    if (!lan.up()) {
        error = lan.error();
        return false;
    }
    for (int host = 1; host <= 3; ++host)
        if (!lan.startSim(host, {"--count", "1", "--seed", std::to_string(host)})) {
            error = lan.error();
            return false;
        }
    std::vector<std::unique_ptr<SimProcess>> cameras;
    for (const auto& [host, preset] : {std::pair{1, "axis"}, std::pair{2, "vivotek"}}) {
        auto sim = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, lan.namespaceOf("h" + std::to_string(host)),
                                     {"--interface", "eth0", "--preset", preset}, error);
        if (!sim || !sim->waitReady(std::chrono::seconds(10), error))
            return false;
        cameras.push_back(std::move(sim));
    }
    if (!lan.enterPc() || !TestLan::HoldsPcAddress()) {
        error = "not inside the PC namespace";
        return false;
    }
    std::vector<double> times;
    int missed = 0;
    for (int r = 0; r < rounds; ++r) {
        std::string out;
        const auto start = Clock::now();
        RunProgram({cli, "search", "--format", "json", "--quiet"}, out);
        times.push_back(Ms(Clock::now() - start));
        missed += std::max<int>(0, 5 - static_cast<int>(QJsonDocument::fromJson(QByteArray::fromStdString(out)).array().size()));
    }
    lan.leavePc();
    const std::string scenario = "default round as a CLI process: 3 devices, an AXIS and a Vivotek camera (" +
                                 std::to_string(rounds) + " rounds)";
    table.push_back({scenario, "time per process: median, worst",
                     Format("%.0f ms, %.0f ms", Median(times), *std::max_element(times.begin(), times.end()))});
    table.push_back({scenario, "devices missed", std::to_string(missed)});
    return true;
}

bool CrowdInWindow(int rounds, std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{kCrowdHosts, 1, {}});
    if (!lan.up()) {
        error = lan.error();
        return false;
    }
    // The devices on one core, as if they were other machines (they inherit
    // this thread's affinity) ...
    PinTo(0, 0);
    std::vector<std::string> files;
    for (int host = 1; host <= kCrowdHosts; ++host) {
        files.push_back(CrowdFile(host, kCrowd / kCrowdHosts));
        if (!lan.startSim(host, {"--devices", files.back()}, std::chrono::milliseconds(20000))) {
            error = lan.error();
            return false;
        }
    }
    PinTo(0, 1); // ... and the program on the other
    if (!lan.enterPc() || !TestLan::HoldsPcAddress()) {
        error = "not inside the PC namespace";
        return false;
    }
    // The readers alone: the CLI as an ordinary user on a stock kernel, whose
    // receive buffer request is cut to net.core.rmem_max = 212,992.
    std::vector<int> cliListed;
    {
        const std::string rmem = "/proc/sys/net/core/rmem_max";
        std::string saved;
        std::ifstream(rmem) >> saved;
        std::ofstream(rmem) << kStockBufferCap;
        for (int r = 0; r < rounds; ++r) {
            std::string out;
            RunProgram({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", QUENDREL_CLI_PROGRAM,
                        "search", "--quiet", "--project", "Orvane", "--format", "csv"},
                       out);
            cliListed.push_back(static_cast<int>(std::count(out.begin(), out.end(), '\n')) - 1);
        }
        std::ofstream(rmem) << saved;
    }
    std::vector<WindowRound> timed, counted;
    {
        auto form = ProjectWindow();
        Discovery::NetworkEndpoints endpoints;
        endpoints.receiveBuffer = kStockBufferCap; // what an ordinary user is granted
        form->setSearchEndpoints(endpoints);
        for (int r = 0; r < rounds; ++r) {
            timed.push_back(PressInWindow(*form, true));
            counted.push_back(PressInWindow(*form, false));
            std::printf("crowd %2d: %5.0f ms, %d listed; %d listed\n", r + 1, timed.back().ms, timed.back().listed,
                        counted.back().listed);
        }
    }
    lan.leavePc();
    cpu_set_t all;
    CPU_ZERO(&all);
    for (int c = 0; c < CPU_SETSIZE; ++c)
        CPU_SET(c, &all);
    ::sched_setaffinity(0, sizeof all, &all);
    for (const std::string& f : files)
        std::remove(f.c_str());
    const int cliComplete = static_cast<int>(std::count(cliListed.begin(), cliListed.end(), kCrowd));
    const std::string cliScenario = "5,000 devices from 4 hosts, quendrel-cli as an ordinary user on a stock kernel "
                                    "(rmem_max 212,992), devices and program on a core each (" +
                                    std::to_string(rounds) + " rounds)";
    table.push_back({cliScenario, "listed (fewest-most)",
                     std::to_string(*std::min_element(cliListed.begin(), cliListed.end())) + "-" +
                         std::to_string(*std::max_element(cliListed.begin(), cliListed.end()))});
    table.push_back({cliScenario, "complete rounds", std::to_string(cliComplete) + "/" + std::to_string(rounds)});
    int complete = 0;
    for (const WindowRound& r : counted)
        complete += r.listed == kCrowd;
    const std::string scenario = "5,000 devices from 4 hosts in the window, devices and program on a core each, "
                                 "receive buffer of an ordinary user (" + std::to_string(rounds) + " rounds)";
    StallRows(scenario, timed, table);
    table.push_back({scenario, "complete rounds, without the 1 ms timer", std::to_string(complete) + "/" +
                                                                             std::to_string(rounds)});
    return true;
}

// A neighbour that answers each query with made-up devices for 10 s, next to
// three cameras; and then 600 datagrams of packets with an unknown flag.
bool HostileInWindow(std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{2, 1, {}});
    if (!lan.up()) {
        error = lan.error();
        return false;
    }
    if (!lan.startSim(1, {"--count", "3", "--seed", "1"}) ||
        !lan.startSim(2, {"--count", "1", "--seed", "2", "--flood-distinct", "--pack", "20", "--flood-interval", "0",
                          "--flood-for", "10000"})) {
        error = lan.error();
        return false;
    }
    if (!lan.enterPc() || !TestLan::HoldsPcAddress()) {
        error = "not inside the PC namespace";
        return false;
    }
    std::vector<WindowRound> flood, flags;
    std::size_t logLines = 0;
    {
        auto form = ProjectWindow();
        form->findChild<QComboBox*>(QStringLiteral("Proj"))->setCurrentText(QStringLiteral("ALL"));
        flood.push_back(PressInWindow(*form, true));
    }
    lan.leavePc();
    TestLan quiet(LanOptions{1, 1, {}});
    if (!quiet.up() || !quiet.startSim(1, {"--count", "3", "--seed", "1"}) || !quiet.enterPc()) {
        error = quiet.error();
        return false;
    }
    {
        auto form = ProjectWindow();
        // Each datagram: 3,500 packets of flag 07, framed; sent from here to the reply port.
        std::string plain;
        for (int i = 0; i < 3500; ++i)
            plain += std::string("Kestravon,07") + '\0';
        const std::string framed = Discovery::FrameBytes(plain);
        std::thread sender;
        const std::size_t before = form->log().lines().size();
        flags.push_back(PressInWindow(*form, true, [&] {
            sender = std::thread([&] {
                Discovery::SocketHandle s(::socket(AF_INET, SOCK_DGRAM, 0));
                sockaddr_in to{};
                to.sin_family = AF_INET;
                to.sin_port = htons(Discovery::kReplyPort);
                to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                for (int d = 0; d < 600; ++d)
                    ::sendto(s.get(), framed.data(), framed.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
            });
        }));
        sender.join();
        logLines = form->log().lines().size() - before;
    }
    quiet.leavePc();
    const std::string scenario = "a neighbour flooding for 10 s next to 3 cameras, in the window (1 round)";
    StallRows(scenario, flood, table);
    const std::string junk = "600 datagrams of 3,500 packets with flag 07 next to 3 cameras, in the window (1 round)";
    StallRows(junk, flags, table);
    table.push_back({junk, "log lines of the round", std::to_string(logLines)});
    return true;
}

// From SIGINT to the process's end, for a CLI command in the middle of a
// round that would wait a long time: the relay page that never comes, the
// TCP relay that never answers, the UPnP window.
bool StopTimes(std::vector<Row>& table, std::string& error)
{
    TestLan lan(LanOptions{1, 1, {}});
    if (!lan.up() || !lan.startSim(1, {"--count", "3", "--http-port", "80", "--http-hang", "--hang"}) ||
        !lan.enterPc() || !TestLan::HoldsPcAddress()) {
        error = lan.error().empty() ? "not inside the PC namespace" : lan.error();
        return false;
    }
    const std::string relay = TestLan::HostAddress(1);
    const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
        {"watch through a relay page that never answers", {"watch", "--relay", relay, "--transport", "HttpCmd", "--quiet"}},
        {"watch through a TCP relay that never answers", {"watch", "--relay", relay, "--quiet"}},
        {"search, in its UPnP answer window", {"search", "--quiet"}},
    };
    for (const auto& [name, args] : commands) {
        std::vector<double> times;
        int exitStatus = -1;
        for (int r = 0; r < 5; ++r) {
            const pid_t child = ::fork();
            if (child == 0) {
                std::vector<char*> argv{const_cast<char*>(QUENDREL_CLI_PROGRAM)};
                for (const std::string& a : args)
                    argv.push_back(const_cast<char*>(a.c_str()));
                argv.push_back(nullptr);
                ::freopen("/dev/null", "w", stdout);
                ::execv(argv[0], argv.data());
                ::_exit(127);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(600)); // well inside the wait
            const auto start = Clock::now();
            ::kill(child, SIGINT);
            int status = 0;
            ::waitpid(child, &status, 0);
            times.push_back(Ms(Clock::now() - start));
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        table.push_back({"Ctrl+C during quendrel-cli " + name + " (5 times)", "SIGINT to exit: median, worst; exit status",
                         Format("%.0f ms, %.0f ms", Median(times), *std::max_element(times.begin(), times.end())) +
                             "; " + std::to_string(exitStatus)});
    }
    lan.leavePc();
    return true;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "bench_responsive_round: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 10;
    int cliRounds = 20;
    std::string cli = QUENDREL_CLI_PROGRAM;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--rounds" && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (a == "--cli-rounds" && i + 1 < argc)
            cliRounds = std::atoi(argv[++i]);
        else if (a == "--cli" && i + 1 < argc)
            cli = argv[++i];
        else if (a == "--only" && i + 1 < argc)
            only = argv[++i];
        else
            return Fail("usage: bench_responsive_round [--rounds N] [--cli-rounds N] [--cli PATH] [--only cli|window]");
    }
    if (rounds < 1 || cliRounds < 1)
        return 2;
    if (!TestLan::IsRoot())
        return Fail(kNeedRoot);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<Row> table;
    std::string error;
    if (only != "window" && !CliRounds(cli, cliRounds, table, error))
        return Fail(error);
    if (only != "window" && !StopTimes(table, error))
        return Fail(error);
    if (only != "cli" && (!CrowdInWindow(rounds, table, error) || !HostileInWindow(table, error)))
        return Fail(error);
    std::printf("| case | measure | result |\n|---|---|---|\n");
    for (const Row& row : table)
        std::printf("| %s | %s | %s |\n", row.scenario.c_str(), row.measure.c_str(), row.result.c_str());
    return 0;
}
