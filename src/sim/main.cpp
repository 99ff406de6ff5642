// SPDX-License-Identifier: MIT
// quendrel-sim: simulated Kestravon devices and relay hosts for tests and demos.
#include "discovery/socket_handle.h"
#include "sim/device_json.h"
#include "sim/device_store.h"
#include "sim/event_log.h"
#include "sim/sim_options.h"
#include "sim/simulator.h"

#include <QCoreApplication>

#include <signal.h>
#include <sys/signalfd.h>

#include <cstdio>
#include <memory>

namespace {

int Fail(const QString& message, int code)
{
    std::fprintf(stderr, "quendrel-sim: %s\n", message.toLocal8Bit().constData());
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quendrel-sim"));

    Sim::SimOptions options;
    QString message;
    switch (Sim::ParseSimOptions(QCoreApplication::arguments(), options, message)) {
    case Sim::OptionsOutcome::Help:
        std::fputs(message.toLocal8Bit().constData(), stdout);
        return 0;
    case Sim::OptionsOutcome::Error:
        return Fail(message + QStringLiteral(" (see --help)"), 2);
    case Sim::OptionsOutcome::Run:
        break;
    }

    std::vector<Discovery::DeviceInfo> devices;
    if (!options.devicesFile.isEmpty()) {
        Sim::DeviceLoad load = Sim::LoadDevicesJson(options.devicesFile);
        if (!load.ok())
            return Fail(load.error, 2);
        devices = std::move(load.devices);
    } else {
        devices = Sim::GenerateDevices(options.count, options.seed);
    }

    std::unique_ptr<Sim::EventLog> fileLog;
    Sim::EventLog stdoutLog(stdout);
    if (!options.logFile.isEmpty()) {
        fileLog = Sim::EventLog::OpenFile(options.logFile, message);
        if (!fileLog)
            return Fail(message, 1);
    }
    Sim::EventLog& log = fileLog ? *fileLog : stdoutLog;

    // SIGTERM and SIGINT arrive as readable data, so the loop ends between two jobs.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    Discovery::SocketHandle stopFd(signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK));
    if (!stopFd.valid())
        return Fail(QStringLiteral("signalfd failed"), 1);

    Sim::Simulator simulator(options, std::move(devices), log);
    if (!simulator.start(message)) {
        log.event("error", {{QStringLiteral("message"), message}});
        return Fail(message, 1);
    }
    simulator.run(stopFd.get());
    return 0;
}
