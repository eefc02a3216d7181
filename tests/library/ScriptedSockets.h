#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/UdpSocket.h"

// A network in memory for a server under test: its sockets bind to ports of their own, a datagram
// delivered to a port is read by that socket's handler at once, and every datagram a socket sends is
// kept for the test to read. No event loop and no real socket take part, so a test (or a fuzz
// target) feeds one datagram at a time and sees the answers before it feeds the next.
class ScriptedNetwork {
public:
    static constexpr uint32_t kLoopback = 0x7F000001;

    struct Datagram {
        UdpEndpoint from;
        UdpEndpoint to;
        std::vector<uint8_t> bytes;
    };

    DatagramSocketFactory factory() {
        return [this] { return std::make_unique<Socket>(*this); };
    }

    // Hands the datagram to the socket bound to the port and lets its handler read it; false when
    // no socket is bound there (the datagram is then lost, as on a real network).
    bool deliver(const UdpEndpoint& from, uint16_t port, const uint8_t* data, size_t size) {
        auto it = m_bound.find(port);
        if (it == m_bound.end()) return false;
        Socket* socket = it->second;
        socket->m_inbox.push_back({from, {kLoopback, port}, std::vector<uint8_t>(data, data + size)});
        if (socket->m_onReadable) socket->m_onReadable();
        return true;
    }
    bool deliver(const UdpEndpoint& from, uint16_t port, const std::vector<uint8_t>& bytes) {
        return deliver(from, port, bytes.data(), bytes.size());
    }

    // What the sockets sent, oldest first; the test takes them off.
    std::deque<Datagram> sent;

    // Sends fail from now on (a full network buffer), or work again.
    void setSendsFail(bool fail) { m_sendsFail = fail; }
    size_t boundSockets() const { return m_bound.size(); }

private:
    class Socket : public DatagramSocket {
    public:
        explicit Socket(ScriptedNetwork& net) : m_net(net) {}
        ~Socket() override { close(); }

        bool bind(uint16_t port, uint32_t) override {
            close();
            if (port == 0) {
                while (m_net.m_bound.count(m_net.m_nextPort)) ++m_net.m_nextPort;
                port = m_net.m_nextPort++;
            }
            if (!m_net.m_bound.emplace(port, this).second) return false;
            m_port = port;
            return true;
        }
        void close() override {
            if (m_port) m_net.m_bound.erase(m_port);
            m_port = 0;
            m_inbox.clear();
        }
        bool isOpen() const override { return m_port != 0; }
        uint16_t localPort() const override { return m_port; }
        bool sendTo(const void* data, size_t size, const UdpEndpoint& to) override {
            if (!m_port || m_net.m_sendsFail) return false;
            const auto* bytes = static_cast<const uint8_t*>(data);
            m_net.sent.push_back({{kLoopback, m_port}, to, std::vector<uint8_t>(bytes, bytes + size)});
            return true;
        }
        long receiveFrom(void* buffer, size_t capacity, UdpEndpoint& from) override {
            if (m_inbox.empty()) return -1;
            Datagram d = std::move(m_inbox.front());
            m_inbox.pop_front();
            size_t n = std::min(capacity, d.bytes.size());
            if (n) std::memcpy(buffer, d.bytes.data(), n);
            from = d.from;
            return static_cast<long>(n);
        }
        void setOnReadable(std::function<void()> handler) override { m_onReadable = std::move(handler); }

    private:
        friend class ScriptedNetwork;
        ScriptedNetwork& m_net;
        uint16_t m_port = 0;
        std::deque<Datagram> m_inbox;
        std::function<void()> m_onReadable;
    };

    std::map<uint16_t, Socket*> m_bound;
    uint16_t m_nextPort = 40000;
    bool m_sendsFail = false;
};
