// qmx_sim: a stand-in QMX-7240NT access point for tests and the demo. See sim/README.md.

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <sys/prctl.h>
#include <unistd.h>

#include "sim/SimAgent.h"

namespace {

volatile bool g_stop = false;

void onSignal(int) {
    g_stop = true;
}

const char* kUsage =
    "usage: qmx_sim [options]\n"
    "  --address A          listen on 127.0.0.1 (default) or another loopback address 127.0.0.N\n"
    "  --port N             UDP port (default 161; 0 picks a free one); the bound port is printed\n"
    "                       as the first line on stdout: \"port N\"\n"
    "  --log FILE           log every answered varbind to FILE (\"-\" for stdout)\n"
    "  --profile P          full (default), legacy or client (the radio an AP client)\n"
    "  --community C        a read-only community (repeatable)\n"
    "  --rw-community C     a read-write community (repeatable)\n"
    "  --user U[:AUTH:PASS[:PRIV:PASS]]     a read-write v3 user; AUTH MD5 or SHA,\n"
    "                       PRIV DES, AES (128), AES192 or AES256\n"
    "  --ro-user U[:...]    a read-only v3 user\n"
    "  --engine-id TEXT     the v3 engine ID's text (default \"qmx-sim\")\n"
    "  --restart-time MS    silence after a restart, factory or upgrade command (default 3000)\n"
    "  --absent OID         leave this object (and all under it) out (repeatable)\n"
    "  --no-control         do not read control commands from stdin\n"
    "Without --community, --rw-community and --user: read community \"kiwano\", write \"morello\".\n";

// NAME, NAME:AUTH:PASS or NAME:AUTH:PASS:PRIV:PASS (passwords may not hold ':').
bool parseUser(std::string_view spec, bool writable, SimUser* u) {
    std::string_view parts[5];
    size_t n = 0;
    while (true) {
        if (n == 5) return false;
        size_t c = spec.find(':');
        parts[n++] = spec.substr(0, c);
        if (c == std::string_view::npos) break;
        spec.remove_prefix(c + 1);
    }
    if (parts[0].empty() || (n != 1 && n != 3 && n != 5)) return false;
    u->name = parts[0];
    u->writable = writable;
    if (n >= 3) {
        u->auth = parts[1];
        u->authPass = parts[2];
        if ((u->auth != "MD5" && u->auth != "SHA") || u->authPass.empty()) return false;
    }
    if (n == 5) {
        u->priv = parts[3];
        u->privPass = parts[4];
        if ((u->priv != "DES" && u->priv != "AES" && u->priv != "AES192" && u->priv != "AES256") ||
            u->privPass.empty())
            return false;
    }
    return true;
}

bool toInt(const std::string& s, int* out) {
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), *out);
    return !s.empty() && ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
    // A test that dies must not leave its device behind.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) return 1;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SimDevice device;
    std::string address = "127.0.0.1", logPath, engineId = "qmx-sim";
    int port = 161;
    bool control = true;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "qmx_sim: %s needs a value\n%s", a.c_str(), kUsage);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--address") {
            address = value();
            if (address.rfind("127.", 0) != 0 || !parseOid(address) || parseOid(address)->size() != 4) {
                std::fprintf(stderr, "qmx_sim: --address must be a loopback address 127.x.y.z\n");
                return 2;
            }
        } else if (a == "--port") {
            if (!toInt(value(), &port) || port < 0 || port > 65535) {
                std::fprintf(stderr, "qmx_sim: --port must be 0..65535\n");
                return 2;
            }
        } else if (a == "--log") {
            logPath = value();
        } else if (a == "--profile") {
            std::string p = value();
            if (p == "full")
                device.profile = SimProfile::Full;
            else if (p == "legacy")
                device.profile = SimProfile::Legacy;
            else if (p == "client")
                device.profile = SimProfile::Client;
            else {
                std::fprintf(stderr, "qmx_sim: --profile must be full, legacy or client\n");
                return 2;
            }
        } else if (a == "--community") {
            device.readCommunities.push_back(value());
        } else if (a == "--rw-community") {
            device.writeCommunities.push_back(value());
        } else if (a == "--user" || a == "--ro-user") {
            SimUser u;
            if (!parseUser(value(), a == "--user", &u)) {
                std::fprintf(stderr,
                             "qmx_sim: %s takes NAME, NAME:MD5|SHA:PASS or NAME:MD5|SHA:PASS:DES|AES:PASS\n",
                             a.c_str());
                return 2;
            }
            device.users.push_back(u);
        } else if (a == "--engine-id") {
            engineId = value();
        } else if (a == "--restart-time") {
            if (!toInt(value(), &device.restartMs) || device.restartMs < 0) {
                std::fprintf(stderr, "qmx_sim: --restart-time takes milliseconds\n");
                return 2;
            }
        } else if (a == "--absent") {
            auto oid = parseOid(value());
            if (!oid) {
                std::fprintf(stderr, "qmx_sim: --absent takes a dotted OID\n");
                return 2;
            }
            device.absent.push_back(*oid);
        } else if (a == "--no-control") {
            control = false;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "qmx_sim: unknown option %s\n%s", a.c_str(), kUsage);
            return 2;
        }
    }
    if (device.readCommunities.empty() && device.writeCommunities.empty() && device.users.empty()) {
        device.readCommunities.push_back("kiwano");
        device.writeCommunities.push_back("morello");
    }
    if (!logPath.empty() && !device.log.open(logPath)) {
        std::fprintf(stderr, "qmx_sim: cannot write the log %s: %s\n", logPath.c_str(), std::strerror(errno));
        return 1;
    }
    device.loadProfile();

    SimAgent agent(device);
    std::string error;
    int bound = agent.start(address, port, engineId, &error);
    if (!bound) {
        std::fprintf(stderr, "qmx_sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("port %d\n", bound);
    std::fflush(stdout);
    agent.run(g_stop, control ? 0 : -1);
    // net-snmp keeps its sessions and registrations for the life of the process; there is nothing to
    // save, so leave at once rather than tear them down.
    std::fflush(nullptr);
    _exit(0);
}
