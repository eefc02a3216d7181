#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>

#include <QDir>
#include <QTemporaryDir>

#include "library/HvSNMPSession.h"
#include "library/snmp/HvNetSnmpTransport.h"

inline QCoreApplication& testApplication() {
    static int argc = 1;
    static char name[] = "test_snmp";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

// The one net-snmp transport of the test program (net-snmp's state is global): the session's, started
// in a directory of its own so that the boot counter goes there, and started again after a test
// has shut the session down.
inline HvNetSnmpTransport& testTransport() {
    testApplication();
    if (!HvSNMPSession::engine()) {
        static QTemporaryDir dir;
        HvSNMPSession::initialize(dir.path().toStdString());
        _SnmpEventProcessor::stop();  // tests drive the transport themselves unless they start it
    }
    return *HvSNMPSession::engine();
}

// A UDP port on loopback that reads every request and answers none: a device that has gone silent.
class SilentAgent {
public:
    SilentAgent() {
        m_fd = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~SilentAgent() { close(m_fd); }
    uint16_t port() const { return m_port; }
    // Datagrams received so far.
    int received() {
        char buf[2048];
        pollfd p{m_fd, POLLIN, 0};
        while (poll(&p, 1, 0) > 0 && recv(m_fd, buf, sizeof buf, 0) >= 0) ++m_count;
        return m_count;
    }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
    int m_count = 0;
};

// A port nobody listens on.
inline uint16_t closedPort() {
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);
    return ntohs(a.sin_port);
}

// Runs the transport's pump until done() or the deadline; true when done() held.
inline bool pumpUntil(HvSnmpTransport& t, const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::vector<pollfd> fds;
        for (int fd : t.pollDescriptors()) fds.push_back({fd, POLLIN, 0});
        poll(fds.data(), fds.size(), 10);
        t.processPending();
    }
    return true;
}
