#include "platform/IcmpEcho.h"

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <thread>

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::atomic<uint16_t> g_sequence{0};

uint16_t field16(const uint8_t* at) {
    uint16_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

bool resolve(const std::string& host, sockaddr_in& out) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (host.empty() || ::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found) return false;
    std::memcpy(&out, found->ai_addr, sizeof out);
    ::freeaddrinfo(found);
    return true;
}

uint32_t ticks() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

class Socket {
public:
    Socket() {
        // A raw socket (root or CAP_NET_RAW) sees every ICMP datagram with its IP header; a ping
        // socket sees only the replies to its own identifier, without the header.
        m_fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (m_fd < 0) {
            m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
            m_raw = false;
        }
    }
    ~Socket() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    bool open() const { return m_fd >= 0; }

    // Sends one request; false when it could not be sent.
    bool send(const sockaddr_in& to, uint16_t sequence) {
        uint8_t packet[kIcmpEchoLength] = {};
        FillIcmpEchoRequest(packet, 0, identifier(), sequence, ticks());
        if (::sendto(m_fd, packet, sizeof packet, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) !=
            static_cast<ssize_t>(sizeof packet))
            return false;
        if (!m_raw) {
            // The kernel puts the socket's own identifier in the request: replies carry that one.
            sockaddr_in bound{};
            socklen_t len = sizeof bound;
            if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&bound), &len) == 0)
                m_id = ntohs(bound.sin_port);
        }
        return true;
    }

    // Waits until the deadline for a reply to this sequence; other datagrams are read and dropped.
    bool awaitReply(uint16_t sequence, std::chrono::steady_clock::time_point deadline) {
        using namespace std::chrono;
        for (;;) {
            // Rounded up: a wait cut to whole milliseconds below would end each attempt early.
            const auto left = ceil<milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0) return false;
            pollfd p{m_fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, static_cast<int>(left));
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return false;
            uint8_t buffer[1024] = {};
            const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (got <= 0) continue;
            const auto length = static_cast<std::size_t>(got);
            if (m_raw) {
                if (!IcmpReplyIsEcho(buffer, length)) continue;
                const std::size_t header = static_cast<std::size_t>(buffer[0] & 0x0F) * 4;
                if (IcmpReplyAnswers(buffer + header, length - header, identifier(), sequence)) return true;
            } else if (IcmpReplyAnswers(buffer, length, identifier(), sequence)) {
                return true;
            }
        }
    }

private:
    uint16_t identifier() const { return m_raw ? static_cast<uint16_t>(::getpid() & 0xFFFF) : m_id; }

    int m_fd = -1;
    bool m_raw = true;
    uint16_t m_id = 0;
};

}  // namespace

uint16_t IcmpChecksum(const uint8_t* bytes, std::size_t length) {
    uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < length; i += 2) sum += field16(bytes + i);
    if (i < length) {
        // The last odd octet as the low octet of a word, in the order the words were summed.
        uint16_t last = 0;
        std::memcpy(&last, bytes + i, 1);
        sum += last;
    }
    while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

void FillIcmpEchoRequest(uint8_t* buffer, std::size_t payloadLength, uint16_t identifier, uint16_t sequence,
                         uint32_t timeStamp) {
    if (!buffer) return;
    buffer[0] = 8;
    buffer[1] = 0;
    std::memset(buffer + 2, 0, 2);
    std::memcpy(buffer + 4, &identifier, 2);
    std::memcpy(buffer + 6, &sequence, 2);
    std::memcpy(buffer + 8, &timeStamp, 4);
    const uint16_t sum = IcmpChecksum(buffer, kIcmpEchoLength + payloadLength);
    std::memcpy(buffer + 2, &sum, 2);
}

bool IcmpReplyIsEcho(const uint8_t* datagram, std::size_t length) {
    if (!datagram || length == 0) return false;
    const std::size_t header = static_cast<std::size_t>(datagram[0] & 0x0F) * 4;
    return header + kIcmpEchoLength <= length && datagram[header] == 0;
}

bool IcmpReplyAnswers(const uint8_t* icmp, std::size_t length, uint16_t identifier, uint16_t sequence) {
    return icmp && length >= 8 && icmp[0] == 0 && icmp[1] == 0 && field16(icmp + 4) == identifier &&
           field16(icmp + 6) == sequence;
}

uint16_t IcmpEcho::nextSequence() {
    return g_sequence.load();
}

IcmpEcho::Outcome IcmpEcho::probe(const std::string& host, int attempts, int waitMs) {
    sockaddr_in to{};
    if (!resolve(host, to)) return Outcome::Unresolved;
    Socket socket;
    if (!socket.open()) return Outcome::NoSocket;
    for (int i = 0; i < attempts; ++i) {
        const uint16_t sequence = g_sequence.fetch_add(1);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        if (!socket.send(to, sequence)) {
            // Nothing went out; wait the attempt's time all the same, so a failing route cannot spin.
            std::this_thread::sleep_until(deadline);
            continue;
        }
        if (socket.awaitReply(sequence, deadline)) return Outcome::Reply;
    }
    return Outcome::NoReply;
}
