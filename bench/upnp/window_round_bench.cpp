// SPDX-License-Identifier: MIT
// The window's default round on a simulated LAN, from the press of the search
// button to the final count label: three datagram devices (one per host) and
// two UPnP cameras (an AXIS on h1, a Vivotek on h2), N rounds in a row.
//
//   bench_window_round [--rounds N]
//
// Needs root (network namespaces). Runs the window on the offscreen platform.
#include "lan_harness.h"
#include "ui/main_form.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using LanHarness::SimProcess;
using LanHarness::TestLan;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string DeviceFile(int host)
{
    const std::string ip = TestLan::HostAddress(host);
    const std::string path = "/tmp/quendrel-window-bench-" + std::to_string(::getpid()) + "-h" +
                             std::to_string(host) + ".json";
    std::ofstream(path) << "[{\"model\":\"KV-" << host << "\",\"proj\":\"Orvane\",\"name\":\"cam\",\"ip\":\"" << ip
                        << "\",\"trigger_port\":\"80\",\"netmask\":\"255.255.255.0\",\"gateway\":\"10.77.1.254\","
                           "\"dns\":\"10.77.1.253\",\"mac\":\"00:1A:07:00:00:0"
                        << host << "\",\"dev\":\"eth0\",\"note\":\"\"}]";
    return path;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "bench_window_round: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 20;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: bench_window_round [--rounds N]\n");
            return 2;
        }
    }
    if (rounds < 1 || rounds > 1000)
        return 2;
    if (!TestLan::IsRoot()) {
        std::fprintf(stderr, "bench_window_round: %s\n", LanHarness::kNeedRoot);
        return 77;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TestLan lan({.hosts = 3});
    if (!lan.up())
        return Fail(lan.error());
    std::vector<std::string> files;
    for (int host = 1; host <= 3; ++host) {
        files.push_back(DeviceFile(host));
        if (!lan.startSim(host, {"--devices", files.back()}))
            return Fail(lan.error());
    }
    std::vector<std::unique_ptr<SimProcess>> cameras;
    for (const auto& [host, preset] : {std::pair{1, "axis"}, std::pair{2, "vivotek"}}) {
        std::string error;
        auto sim = SimProcess::Start(QUENDREL_UPNP_SIM_PROGRAM, lan.namespaceOf("h" + std::to_string(host)),
                                     {"--interface", "eth0", "--preset", preset}, error);
        if (!sim || !sim->waitReady(std::chrono::seconds(10), error))
            return Fail("camera on h" + std::to_string(host) + ": " + error);
        cameras.push_back(std::move(sim));
    }
    if (!lan.enterPc())
        return Fail(lan.error());
    // Only ever search the LAN's own adapter.
    if (!TestLan::OnlyPcAdapter())
        return Fail("the PC namespace does not look like the simulated PC");

    std::vector<double> times;
    int foundMin = 1 << 30, foundMax = 0;
    {
        Upnp::UpnpSearchOptions upnp;
        upnp.interfaces = std::vector<std::string>{"eth0"};
        Gui::TMainForm form(upnp);
        form.show();
        auto* button = form.findChild<QPushButton*>(QStringLiteral("Button1"));
        auto* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
        QCoreApplication::processEvents();
        for (int i = 0; i < rounds; ++i) {
            const Clock::time_point start = Clock::now();
            button->click();
            // The routine's last step is a posted event: this wakes for it at once.
            while (!button->isEnabled())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            const int found = std::atoi(label->text().toLatin1().constData());
            times.push_back(ms);
            foundMin = std::min(foundMin, found);
            foundMax = std::max(foundMax, found);
            std::printf("%3d  %7.1f ms  %s\n", i + 1, ms, label->text().toLatin1().constData());
        }
    }
    lan.leavePc();
    for (const std::string& f : files)
        std::remove(f.c_str());

    std::printf("\nwindow's default round (3 datagram devices, 2 UPnP cameras), %d rounds: median %.0f ms, "
                "best %.0f ms, worst %.0f ms, devices found %d..%d\n",
                rounds, Median(times), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), foundMin, foundMax);
    return 0;
}
