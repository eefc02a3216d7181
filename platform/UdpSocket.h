#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <QObject>

class QSocketNotifier;

// An IPv4 UDP endpoint; the address in host byte order.
struct UdpEndpoint {
    uint32_t address = 0;
    uint16_t port = 0;

    std::string addressText() const;
    bool operator==(const UdpEndpoint&) const = default;

    // Parses a dotted IPv4 address; false when the text is not one.
    static bool parseAddress(const std::string& text, uint32_t& address);
};

// What a protocol needs of a datagram socket. UdpSocket is the real one; a test or a fuzz target
// puts sockets in its place that exchange datagrams in memory.
class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;

    // Opens the socket and binds it to the port on all local addresses (0: any free port), or on
    // the given address. No address reuse: a second server on a bound port must fail, not steal
    // the first one's datagrams.
    virtual bool bind(uint16_t port, uint32_t address) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // The port the socket is bound to, 0 when closed.
    virtual uint16_t localPort() const = 0;

    // Sends one datagram; false when it could not be sent whole.
    virtual bool sendTo(const void* data, size_t size, const UdpEndpoint& to) = 0;

    // Reads one pending datagram of at most capacity bytes (a longer one is cut). Returns its
    // length, or -1 when none is pending or the read failed.
    virtual long receiveFrom(void* buffer, size_t capacity, UdpEndpoint& from) = 0;

    // Called whenever a datagram is waiting. The handler must read what is waiting, or it is
    // called again at once.
    virtual void setOnReadable(std::function<void()> handler) = 0;
};

// Makes the sockets a protocol opens; an empty factory stands for UdpSocket.
using DatagramSocketFactory = std::function<std::unique_ptr<DatagramSocket>()>;

// A non-blocking IPv4 UDP socket whose readability is delivered on the thread that created it,
// through the Qt event loop. Only readability is watched: a UDP socket is always writable, and a
// write notification would fire without end.
class UdpSocket : public QObject, public DatagramSocket {
public:
    explicit UdpSocket(QObject* parent = nullptr);
    ~UdpSocket() override;

    // Failures keep errno in lastError().
    bool bind(uint16_t port, uint32_t address = 0) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    uint16_t localPort() const override;
    bool sendTo(const void* data, size_t size, const UdpEndpoint& to) override;
    long receiveFrom(void* buffer, size_t capacity, UdpEndpoint& from) override;
    void setOnReadable(std::function<void()> handler) override { m_onReadable = std::move(handler); }

    int lastError() const { return m_lastError; }

    // The first IPv4 address of a running non-loopback interface, else "127.0.0.1". Reads the
    // interface list only, so it never waits for a name server.
    static std::string firstLocalAddress();

private:
    int m_fd = -1;
    int m_lastError = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_onReadable;
};
