#pragma once

// PingHost's probes in tests: answered from a script instead of sent, or let through to the ICMP
// echo only for loopback. A probe of any other address never leaves the test.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <map>
#include <string>
#include <vector>

#include "module/PingHost.h"

// Installs prober (nullptr: the PC's own ICMP echo) for as long as it lives, then puts back the one
// before.
class HostProberScope {
public:
    explicit HostProberScope(HostProber* prober) : m_old(SetHostProber(prober)) {}
    ~HostProberScope() { SetHostProber(m_old); }
    HostProberScope(const HostProberScope&) = delete;
    HostProberScope& operator=(const HostProberScope&) = delete;

private:
    HostProber* m_old;
};

// The outcome of each host as scripted, and every host asked, in order. A host not scripted is a
// failure of the test and stays silent.
class ScriptedProber : public HostProber {
public:
    ScriptedProber() : m_scope(this) {}

    void answers(const std::string& host) { script(host, IcmpEcho::Outcome::Reply); }
    void silent(const std::string& host) { script(host, IcmpEcho::Outcome::NoReply); }
    // As on a PC where neither a raw nor a ping socket opens.
    void cannotProbe(const std::string& host) { script(host, IcmpEcho::Outcome::NoSocket); }
    void script(const std::string& host, IcmpEcho::Outcome outcome) { m_script[host] = outcome; }

    IcmpEcho::Outcome probe(const std::string& host) override {
        asked.push_back(host);
        const auto found = m_script.find(host);
        if (found != m_script.end()) return found->second;
        ADD_FAILURE() << "probe of " << host << " not scripted";
        return IcmpEcho::Outcome::NoReply;
    }

    std::vector<std::string> asked;

private:
    std::map<std::string, IcmpEcho::Outcome> m_script;
    HostProberScope m_scope;  // last: installed once the script exists, removed before it goes
};

// A dotted IPv4 address in 127.0.0.0/8. A name is none: looking it up may already leave the PC.
inline bool IsLoopbackAddress(const std::string& host) {
    in_addr a{};
    return inet_pton(AF_INET, host.c_str(), &a) == 1 && (ntohl(a.s_addr) >> 24) == 127;
}

// The prober of a whole test program: loopback goes to the ICMP echo; any other host fails the test
// that asked and is reported silent without a packet sent.
class LoopbackOnlyProber : public HostProber {
public:
    IcmpEcho::Outcome probe(const std::string& host) override {
        if (IsLoopbackAddress(host)) return IcmpEcho::probe(host);
        ADD_FAILURE() << "an echo request to " << host
                      << " would leave loopback: script it (tests/support/ScriptedProber.h)";
        return IcmpEcho::Outcome::NoReply;
    }
};
