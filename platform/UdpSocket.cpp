#include "platform/UdpSocket.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>

std::string UdpEndpoint::addressText() const {
    in_addr a{};
    a.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &a, text, sizeof text);
    return text;
}

bool UdpEndpoint::parseAddress(const std::string& text, uint32_t& address) {
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1) return false;
    address = ntohl(a.s_addr);
    return true;
}

UdpSocket::UdpSocket(QObject* parent) : QObject(parent) {}

UdpSocket::~UdpSocket() {
    close();
}

bool UdpSocket::bind(uint16_t port, uint32_t address) {
    close();
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_lastError = errno;
        return false;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(address);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        m_lastError = errno;
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_lastError = 0;
    m_notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] {
        if (m_onReadable) m_onReadable();
    });
    return true;
}

void UdpSocket::close() {
    m_notifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

uint16_t UdpSocket::localPort() const {
    if (m_fd < 0) return 0;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return 0;
    return ntohs(sa.sin_port);
}

bool UdpSocket::sendTo(const void* data, size_t size, const UdpEndpoint& to) {
    if (m_fd < 0) {
        m_lastError = EBADF;
        return false;
    }
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(to.port);
    sa.sin_addr.s_addr = htonl(to.address);
    ssize_t n;
    do {
        n = ::sendto(m_fd, data, size, 0, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    } while (n < 0 && errno == EINTR);
    if (n < 0 || static_cast<size_t>(n) != size) {
        m_lastError = n < 0 ? errno : EMSGSIZE;
        return false;
    }
    return true;
}

long UdpSocket::receiveFrom(void* buffer, size_t capacity, UdpEndpoint& from) {
    if (m_fd < 0) {
        m_lastError = EBADF;
        return -1;
    }
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    ssize_t n;
    do {
        n = ::recvfrom(m_fd, buffer, capacity, 0, reinterpret_cast<sockaddr*>(&sa), &len);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        m_lastError = errno;
        return -1;
    }
    from.address = ntohl(sa.sin_addr.s_addr);
    from.port = ntohs(sa.sin_port);
    return static_cast<long>(n);
}

std::string UdpSocket::firstLocalAddress() {
    std::string found = "127.0.0.1";
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return found;
    for (ifaddrs* i = list; i; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
        if ((i->ifa_flags & IFF_LOOPBACK) || !(i->ifa_flags & IFF_UP)) continue;
        UdpEndpoint e;
        e.address = ntohl(reinterpret_cast<const sockaddr_in*>(i->ifa_addr)->sin_addr.s_addr);
        found = e.addressText();
        break;
    }
    ::freeifaddrs(list);
    return found;
}
