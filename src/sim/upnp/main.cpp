// SPDX-License-Identifier: MIT
// quendrel-upnp-sim: simulated UPnP cameras for the LAN tests and demos.
#include "sim/upnp/camera_config.h"
#include "sim/upnp/camera_host.h"
#include "sim/upnp/json_lines_log.h"
#include "upnp/glib_handles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <glib-unix.h>

#include <csignal>
#include <cstdio>

namespace {

gboolean QuitOnSignal(gpointer loop)
{
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_CONTINUE;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "quendrel-upnp-sim: %s\n", message.toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Hosts simulated UPnP cameras on one interface until SIGTERM or SIGINT.\n"
        "Prints a JSON line {\"event\":\"ready\",...} once they are announced.\n"
        "Presets: ") + SimUpnp::PresetNames().join(QLatin1String(", ")));
    parser.addHelpOption();
    const QCommandLineOption interfaceOption(QStringLiteral("interface"),
                                             QStringLiteral("Interface to serve on (default eth0)."),
                                             QStringLiteral("name"), QStringLiteral("eth0"));
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("JSON file {\"cameras\": [...]}."), QStringLiteral("file"));
    const QCommandLineOption presetOption(QStringLiteral("preset"),
                                          QStringLiteral("A built-in camera; may be repeated."), QStringLiteral("name"));
    const QCommandLineOption dirOption(QStringLiteral("dir"),
                                       QStringLiteral("Folder for the description files (default: a temporary one)."),
                                       QStringLiteral("folder"));
    const QCommandLineOption logOption(QStringLiteral("log"),
                                       QStringLiteral("Also write the JSON lines to this file."), QStringLiteral("file"));
    parser.addOptions({interfaceOption, configOption, presetOption, dirOption, logOption});
    if (!parser.parse(arguments))
        return Fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        // The usage line names the program from the application's arguments;
        // without an application it reads "<executable_name>". The simulator
        // runs GLib's loop, so only the help gets one.
        const QCoreApplication application(argc, argv);
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return Fail(QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first()));

    SimUpnp::JsonLinesLog log;
    QString error;
    if (parser.isSet(logOption) && !log.openFile(parser.value(logOption), error))
        return Fail(error);

    std::vector<SimUpnp::CameraConfig> cameras;
    if (parser.isSet(configOption)) {
        QFile file(parser.value(configOption));
        if (!file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        auto parsed = SimUpnp::CamerasFromJson(file.readAll(), error);
        if (!parsed)
            return Fail(error);
        cameras = std::move(*parsed);
    }
    QStringList presets = parser.values(presetOption);
    if (presets.isEmpty() && cameras.empty())
        presets = {QStringLiteral("axis"), QStringLiteral("vivotek"), QStringLiteral("other")};
    for (const QString& name : presets) {
        std::optional<SimUpnp::CameraConfig> preset = SimUpnp::PresetCamera(name);
        if (!preset)
            return Fail(QStringLiteral("unknown preset %1 (%2)").arg(name, SimUpnp::PresetNames().join(QLatin1String(", "))));
        cameras.push_back(std::move(*preset));
    }

    QTemporaryDir scratch;
    QString folder = parser.value(dirOption);
    if (folder.isEmpty()) {
        if (!scratch.isValid())
            return Fail(QStringLiteral("no temporary folder: %1").arg(scratch.errorString()));
        folder = scratch.path();
    } else if (!QDir().mkpath(folder)) {
        return Fail(QStringLiteral("cannot create %1").arg(folder));
    }

    const Upnp::GMainLoopPtr loop(g_main_loop_new(nullptr, FALSE));
    g_unix_signal_add(SIGTERM, &QuitOnSignal, loop.get());
    g_unix_signal_add(SIGINT, &QuitOnSignal, loop.get());

    SimUpnp::CameraHost host(parser.value(interfaceOption), folder);
    if (!host.start(std::move(cameras), error)) {
        log.event("error", {{QStringLiteral("message"), error}});
        return Fail(error);
    }
    log.event("ready", {{QStringLiteral("interface"), parser.value(interfaceOption)},
                        {QStringLiteral("address"), host.address()},
                        {QStringLiteral("cameras"), host.announced()}});
    g_main_loop_run(loop.get());
    host.stop();
    log.event("stopped");
    return 0;
}
