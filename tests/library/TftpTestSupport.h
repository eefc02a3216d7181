#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>

#include "library/HvTFTPServer.h"
#include "platform/UdpSocket.h"

namespace tftptest {

constexpr uint32_t kLoopback = 0x7F000001;

inline QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_library";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    return *QCoreApplication::instance();
}

// Processes events until the condition holds or the deadline passes.
template <typename Pred>
bool waitFor(Pred pred, int ms = 10000) {
    app();
    QElapsedTimer t;
    t.start();
    // Blocks until an event arrives; the timer bounds each wait so that the deadline is seen.
    QTimer tick;
    tick.start(20);
    QCoreApplication::processEvents();
    while (!pred() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return pred();
}

using Bytes = std::vector<uint8_t>;

inline Bytes be16(uint16_t v) {
    return {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}
inline Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
inline Bytes text0(const std::string& s) {
    Bytes b(s.begin(), s.end());
    b.push_back(0);
    return b;
}
inline Bytes rrq(const std::string& name, const std::string& mode = "octet") {
    return cat(cat(be16(1), text0(name)), text0(mode));
}
inline Bytes wrq(const std::string& name, const std::string& mode = "octet") {
    return cat(cat(be16(2), text0(name)), text0(mode));
}
inline Bytes data(uint16_t block, const Bytes& payload) {
    return cat(cat(be16(3), be16(block)), payload);
}
inline Bytes ack(uint16_t block) {
    return cat(be16(4), be16(block));
}
inline Bytes error(uint16_t code) {
    return cat(cat(be16(5), be16(code)), text0(""));
}

struct Packet {
    Bytes bytes;
    UdpEndpoint from;
    uint16_t op() const { return bytes.size() >= 2 ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1]) : 0; }
    uint16_t block() const { return bytes.size() >= 4 ? static_cast<uint16_t>(bytes[2] << 8 | bytes[3]) : 0; }
    Bytes payload() const { return bytes.size() > 4 ? Bytes(bytes.begin() + 4, bytes.end()) : Bytes{}; }
};

// A scripted TFTP client on its own UDP port, served by the same event loop as the server.
class Peer {
public:
    explicit Peer(uint32_t address = kLoopback) {
        m_bound = m_socket.bind(0, address);
        m_socket.setOnReadable([this] {
            uint8_t buf[2048];
            UdpEndpoint from;
            long n;
            while ((n = m_socket.receiveFrom(buf, sizeof buf, from)) >= 0)
                m_inbox.push_back({Bytes(buf, buf + n), from});
        });
    }
    bool bound() const { return m_bound; }
    uint16_t port() const { return m_socket.localPort(); }
    void send(const Bytes& b, const UdpEndpoint& to) { ASSERT_TRUE(m_socket.sendTo(b.data(), b.size(), to)); }
    std::optional<Packet> next(int ms = 5000) {
        if (!waitFor([&] { return !m_inbox.empty(); }, ms)) return std::nullopt;
        Packet p = m_inbox.front();
        m_inbox.pop_front();
        return p;
    }
    // What has arrived so far, after the events already queued are handled.
    size_t pending() {
        QCoreApplication::processEvents();
        return m_inbox.size();
    }

private:
    UdpSocket m_socket;
    bool m_bound = false;
    std::deque<Packet> m_inbox;
};

inline Bytes pattern(size_t size, uint32_t seed = 1) {
    Bytes b(size);
    uint32_t x = seed * 2654435761u + 12345;
    for (auto& c : b) {
        x = x * 1103515245u + 12345;
        c = static_cast<uint8_t>(x >> 16);
    }
    return b;
}

inline void writeFile(const QString& path, const Bytes& content) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(reinterpret_cast<const char*>(content.data()), static_cast<qint64>(content.size())),
              static_cast<qint64>(content.size()));
}

inline std::optional<Bytes> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray a = f.readAll();
    return Bytes(a.begin(), a.end());
}

// A started server on a free port, rooted in a fresh folder, serving 127.0.0.1, recording every status.
class ServerFixture : public ::testing::Test {
protected:
    // Sockets from the factory; real UDP sockets when it is empty.
    explicit ServerFixture(DatagramSocketFactory sockets = {}) : m_server(nullptr, std::move(sockets)) {}

    void SetUp() override {
        app();
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + "/root";
        ASSERT_TRUE(QDir().mkpath(m_root));
        // Long enough that no resend interferes with a scripted exchange; time-out tests shorten it.
        m_server.SetTimeoutRetries(200, 3);
        m_server.SetStopWait(0);  // a test's unfinished sessions end with it
        m_server.SetDeviceAddress("127.0.0.1");
        m_server.SetOnStatus([this](const HvTFTPMsg& msg, bool& cancel) {
            m_log.push_back(msg);
            if (m_cancelAt && msg.status == *m_cancelAt) cancel = true;
        });
        m_server.Start(m_root.toStdString(), 0);
        ASSERT_NE(m_server.LocalPort(), 0);
    }

    UdpEndpoint server() const { return {kLoopback, m_server.LocalPort()}; }
    QString inRoot(const QString& name) const { return m_root + "/" + name; }

    std::vector<int32_t> statuses(int32_t session) const {
        std::vector<int32_t> s;
        for (const auto& m : m_log)
            if (m.sessionNumber == session) s.push_back(m.status);
        return s;
    }
    // Statuses of the session, with the runs of "transferring" folded into one.
    std::vector<int32_t> folded(int32_t session) const {
        std::vector<int32_t> s;
        for (int32_t c : statuses(session))
            if (s.empty() || !(c == HvTFTP_Transferring && s.back() == HvTFTP_Transferring)) s.push_back(c);
        return s;
    }
    bool ended(int32_t session) const {
        auto s = statuses(session);
        return !s.empty() && s.back() == HvTFTP_Disconnected;
    }
    bool waitEnded(int32_t session, int ms = 10000) {
        return waitFor([&] { return ended(session); }, ms);
    }
    bool waitStatus(int32_t session, int32_t code, int ms = 10000) {
        return waitFor(
            [&] {
                auto s = statuses(session);
                return std::find(s.begin(), s.end(), code) != s.end();
            },
            ms);
    }
    QStringList rootEntries() const {
        return QDir(m_root).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
    QString m_root;
    std::vector<HvTFTPMsg> m_log;
    std::optional<int32_t> m_cancelAt;
    HvTFTPServer m_server;
};

}  // namespace tftptest
