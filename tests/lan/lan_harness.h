// SPDX-License-Identifier: MIT
#pragma once

#include "sim_process.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace LanHarness {

// What skipped LAN tests say.
inline constexpr char kNeedRoot[] = "LAN tests need root";

// The program and the script the harness drives (set by the build).
const char* SimProgram();
const char* LanScript();

struct LanOptions {
    int hosts = 2;
    int lans = 1;
    std::vector<std::pair<int, int>> hostLan{}; // (host, LAN) placements
};

// A LAN of network namespaces built by scripts/lan with a name of its own:
// the PC (10.77.L.1 on LAN L, adapters eth0, eth1, ...), hosts h1..hN
// (10.77.L.(K+1)) and the bridges. The calling thread may step into the PC
// namespace to open sockets there. Everything goes on destruction: the
// simulators stop, the thread steps back, the namespaces are removed.
// Meant for a single-threaded test process.
class TestLan {
public:
    explicit TestLan(LanOptions options = {});
    ~TestLan();
    TestLan(const TestLan&) = delete;
    TestLan& operator=(const TestLan&) = delete;

    static bool IsRoot();

    // Builds the LAN; false with error() set when it could not.
    bool up();
    const std::string& error() const { return m_error; }
    const std::string& name() const { return m_name; }
    std::string namespaceOf(const std::string& node) const { return m_name + "-" + node; }

    static std::string PcAddress(int lan = 1);
    // True only inside the PC namespace: nowhere else is the PC's address a
    // local one. A search must never start anywhere else.
    static bool HoldsPcAddress();
    // True when the only adapter up here, loopback aside, is the simulated
    // PC's eth0: a search started now reaches nothing but the LAN.
    static bool OnlyPcAdapter();
    static std::string HostAddress(int host, int lan = 1);
    // The LAN that host `host` is on.
    int lanOf(int host) const;

    // Moves the calling thread into the PC namespace, and back. Sockets
    // opened in between stay in the PC namespace.
    bool enterPc();
    bool leavePc();
    bool inPc() const { return m_home >= 0; }

    // Starts quendrel-sim in host `host` and waits for its ready line. The
    // simulator belongs to the LAN; null and error() set on failure.
    SimProcess* startSim(int host, const std::vector<std::string>& args,
                         std::chrono::milliseconds readyTimeout = std::chrono::milliseconds(5000));

    // Brings an adapter of a node ("pc", "h1", ...) up or down.
    bool setLink(const std::string& node, const std::string& device, bool up);

    // Runs scripts/lan with `args`; output collected into `output`.
    static int RunScript(const std::vector<std::string>& args, std::string* output = nullptr);

private:
    void removeStaleLans();

    LanOptions m_options;
    std::string m_name;
    std::string m_error;
    bool m_up = false;
    int m_home = -1; // the thread's own namespace while it is in the PC's
    std::vector<std::unique_ptr<SimProcess>> m_sims;
};

} // namespace LanHarness
