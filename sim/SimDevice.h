#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "sim/SimProfile.h"
#include "sim/SimStore.h"

using SimClock = std::chrono::steady_clock;

// Faults a test switches on through the control channel.
struct SimFaults {
    enum class Op { Get, Next, Set, All };
    struct ErrorRule {
        SimOid oid;
        int status;  // an SNMP error status (1..18)
        Op op;
    };

    int delayMs = 0;
    int delayCount = -1;  // answers still to delay; -1 while the delay holds for all
    int dropNext = 0;     // datagrams still to drop unanswered
    SimClock::time_point silentUntil{};
    std::vector<ErrorRule> errors;

    // The error status for oid under op, 0 when none applies.
    int errorFor(const SimOid& oid, Op op) const {
        for (const auto& r : errors)
            if (r.oid == oid && (r.op == op || r.op == Op::All)) return r.status;
        return 0;
    }
};

// One line per answered varbind, or an event line starting with "#"; flushed at once so a test
// that has its answer can read the line.
class SimLog {
public:
    SimLog() = default;
    ~SimLog() {
        if (m_file && m_file != stdout) std::fclose(m_file);
    }
    SimLog(const SimLog&) = delete;
    SimLog& operator=(const SimLog&) = delete;

    bool open(const std::string& path) {
        m_file = path == "-" ? stdout : std::fopen(path.c_str(), "w");
        return m_file != nullptr;
    }
    void line(const std::string& text) {
        if (!m_file) return;
        std::fputs(text.c_str(), m_file);
        std::fputc('\n', m_file);
        std::fflush(m_file);
    }

private:
    std::FILE* m_file = nullptr;
};

struct SimUser {
    std::string name;
    std::string auth;  // "", "MD5" or "SHA"
    std::string authPass;
    std::string priv;  // "", "DES", "AES", "AES192" or "AES256"
    std::string privPass;
    bool writable = true;
};

// Everything the agent and the control channel share.
struct SimDevice {
    SimStore store;
    SimProfile profile = SimProfile::Full;
    SimFaults faults;
    SimLog log;
    std::vector<std::string> readCommunities;
    std::vector<std::string> writeCommunities;
    std::vector<SimUser> users;
    std::vector<SimOid> absent;  // removed from the profile at start and after a factory reset
    int restartMs = 3000;        // silence after a restart, factory or upgrade command
    SimClock::time_point upSince = SimClock::now();
    int refillGeneration = 0;
    bool holdRows = false;  // triggers leave the refilled tables' values as they are
    bool quit = false;

    // Rebuilds the profile's objects, minus the ones asked absent.
    void loadProfile() {
        buildDevice(store, profile);
        for (const auto& oid : absent) store.eraseSubtree(oid);
    }
    bool silent() const { return SimClock::now() < faults.silentUntil; }
    uint32_t upTimeTicks() const {
        auto cs =
            std::chrono::duration_cast<std::chrono::milliseconds>(SimClock::now() - upSince).count() / 10;
        return cs < 0 ? 0 : static_cast<uint32_t>(cs);
    }
};

// Runs one control line and returns the reply line ("ok ..." or "error ...").
std::string runControl(SimDevice& device, const std::string& line);
// Status names as the log writes them: "genErr", "notWritable", ...; -1 for an unknown name.
int statusFromName(const std::string& name);
std::string statusName(int status);
