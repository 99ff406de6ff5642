// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

// A device file for quendrel-sim on host `host`: `count` devices of project
// Orvane (a filter shows every one of them and no UPnP search joins the
// round), models spread so the closing sort has work to do. The caller
// removes the file.
inline std::string CrowdFile(int host, int count)
{
    const std::string path = "/tmp/quendrel-crowd-bench-" + std::to_string(::getpid()) + "-h" +
                             std::to_string(host) + ".json";
    std::ofstream out(path);
    out << "[";
    for (int i = 0; i < count; ++i) {
        char mac[24];
        std::snprintf(mac, sizeof mac, "00:1A:%02X:00:%02X:%02X", host, (i >> 8) & 0xFF, i & 0xFF);
        out << (i ? "," : "") << "{\"model\":\"KV-" << (i % 97) << "\",\"proj\":\"Orvane\",\"name\":\"cam" << i
            << "\",\"ip\":\"10.8" << host << "." << (i >> 8) << "." << (i & 0xFF)
            << "\",\"trigger_port\":\"80\",\"netmask\":\"255.255.0.0\",\"gateway\":\"10.77.1.254\","
               "\"dns\":\"10.77.1.253\",\"mac\":\""
            << mac << "\",\"dev\":\"eth0\",\"note\":\"\"}";
    }
    out << "]";
    return path;
}
