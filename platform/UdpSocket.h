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

// A non-blocking IPv4 UDP socket whose readability is delivered on the thread that created it,
// through the Qt event loop. Only readability is watched: a UDP socket is always writable, and a
// write notification would fire without end.
class UdpSocket : public QObject {
public:
    explicit UdpSocket(QObject* parent = nullptr);
    ~UdpSocket() override;

    // Opens the socket and binds it to the port on all local addresses (0: any free port), or on
    // the given address. No address reuse: a second server on a bound port must fail, not steal
    // the first one's datagrams. Returns false and keeps errno in lastError() on failure.
    bool bind(uint16_t port, uint32_t address = 0);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    // The port the socket is bound to, 0 when closed.
    uint16_t localPort() const;

    // Sends one datagram; false (errno in lastError()) when it could not be sent whole.
    bool sendTo(const void* data, size_t size, const UdpEndpoint& to);

    // Reads one pending datagram of at most capacity bytes (a longer one is cut). Returns its
    // length, or -1 when none is pending or the read failed (lastError() tells which).
    long receiveFrom(void* buffer, size_t capacity, UdpEndpoint& from);

    int lastError() const { return m_lastError; }

    // Called on the socket's thread whenever a datagram is waiting. The handler must read what is
    // waiting, or it is called again at once.
    void setOnReadable(std::function<void()> handler) { m_onReadable = std::move(handler); }

    // The first IPv4 address of a running non-loopback interface, else "127.0.0.1". Reads the
    // interface list only, so it never waits for a name server.
    static std::string firstLocalAddress();

private:
    int m_fd = -1;
    int m_lastError = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_onReadable;
};
