#pragma once

// Runs net-snmp's command-line tools (snmpget, snmpwalk, snmpset) for the simulator's tests, with
// no user configuration, no MIBs and numeric OIDs, and collects what they print.

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

struct ToolResult {
    int exitCode = -1;
    std::string out;  // stdout and stderr together, in the order written
};

inline ToolResult runTool(const std::vector<std::string>& args) {
    ToolResult r;
    int fds[2];
    if (pipe(fds) != 0) return r;
    std::vector<std::string> env = {"MIBS=", "MIBDIRS=/nonexistent", "SNMPCONFPATH=/nonexistent",
                                    "SNMP_PERSISTENT_DIR=/tmp/qmx_sim_tools." + std::to_string(getuid()),
                                    "PATH=/usr/bin:/bin"};
    std::vector<char*> cenv;
    for (auto& e : env) cenv.push_back(e.data());
    cenv.push_back(nullptr);
    std::vector<std::string> argv = args;
    std::vector<char*> cargv;
    for (auto& a : argv) cargv.push_back(a.data());
    cargv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 2);
    posix_spawn_file_actions_addclose(&fa, fds[0]);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, argv[0].c_str(), &fa, nullptr, cargv.data(), cenv.data());
    posix_spawn_file_actions_destroy(&fa);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        r.out = "cannot run " + argv[0];
        return r;
    }
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) r.out.append(buf, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// Security arguments of one way to reach the simulator.
struct SnmpAccess {
    std::string name;               // test row name
    std::vector<std::string> args;  // -v ... -c ... or -v3 -u ... -l ...
    friend std::ostream& operator<<(std::ostream& os, const SnmpAccess& a) { return os << a.name; }
};

// A tool invocation: tool, access, a short time-out and no retries, numeric OIDs, then the rest.
inline ToolResult snmp(const std::string& tool, const SnmpAccess& access, const std::string& endpoint,
                       const std::vector<std::string>& rest, const std::string& timeout = "2") {
    std::vector<std::string> args = {tool};
    args.insert(args.end(), access.args.begin(), access.args.end());
    for (const char* a : {"-On", "-r", "0", "-t"}) args.push_back(a);
    args.push_back(timeout);
    args.push_back(endpoint);
    args.insert(args.end(), rest.begin(), rest.end());
    return runTool(args);
}
