// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_info.h"
#include "sim/device_json.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// A device file for quendrel-sim, written with the simulator's own writer.
inline std::string DeviceFile(const std::vector<Discovery::DeviceInfo>& devices)
{
    static int serial = 0;
    const auto path = std::filesystem::temp_directory_path() /
                      ("quendrel-lan-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".json");
    QJsonArray list;
    for (const Discovery::DeviceInfo& d : devices)
        list.append(Sim::DeviceToJson(d));
    std::ofstream(path) << QJsonDocument(list).toJson().toStdString();
    return path.string();
}
