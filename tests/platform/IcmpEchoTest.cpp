#include "platform/IcmpEcho.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

using Clock = std::chrono::steady_clock;

TEST(IcmpChecksum, FoldsCarriesAndComplements) {
    // RFC 1071's example: the sum is 0xDDF2 in network order; laid back in the order it was summed,
    // the checksum reads 22 0D whatever the host's order.
    const uint8_t data[] = {0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7};
    const uint16_t sum = IcmpChecksum(data, sizeof data);
    uint8_t laid[2];
    std::memcpy(laid, &sum, 2);
    EXPECT_EQ(laid[0], 0x22);
    EXPECT_EQ(laid[1], 0x0D);
    // An odd last octet counts as a word's low octet: 0xFF alone and 0xFF 0x00 sum alike.
    const uint8_t odd[] = {0xFF};
    const uint8_t even[] = {0xFF, 0x00};
    EXPECT_EQ(IcmpChecksum(odd, 1), IcmpChecksum(even, 2));
    EXPECT_EQ(IcmpChecksum(nullptr, 0), 0xFFFF);
}

TEST(FillIcmpEchoRequest, LaysTheHeaderAndAChecksumThatVerifies) {
    std::array<uint8_t, kIcmpEchoLength> packet{};
    packet.fill(0xAA);
    FillIcmpEchoRequest(packet.data(), 0, 0x1234, 7, 0xCAFEBABE);
    EXPECT_EQ(packet[0], 8);
    EXPECT_EQ(packet[1], 0);
    uint16_t id, seq;
    uint32_t stamp;
    std::memcpy(&id, &packet[4], 2);
    std::memcpy(&seq, &packet[6], 2);
    std::memcpy(&stamp, &packet[8], 4);
    EXPECT_EQ(id, 0x1234);
    EXPECT_EQ(seq, 7);
    EXPECT_EQ(stamp, 0xCAFEBABEu);
    // A correct checksum makes the sum over the whole packet come out as zero.
    EXPECT_EQ(IcmpChecksum(packet.data(), packet.size()), 0);
    FillIcmpEchoRequest(nullptr, 0, 1, 1, 1);  // nothing to fill, no fault
}

struct ReplyCase {
    const char* name;
    std::vector<uint8_t> datagram;
    bool echo;
};

std::vector<uint8_t> datagram(int headerWords, int icmpLength, uint8_t type) {
    std::vector<uint8_t> d(static_cast<size_t>(headerWords * 4 + icmpLength), 0);
    d[0] = static_cast<uint8_t>(0x40 | headerWords);
    if (icmpLength > 0) d[static_cast<size_t>(headerWords * 4)] = type;
    return d;
}

class IcmpReplyIsEchoTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(IcmpReplyIsEchoTest, Decides) {
    const auto& c = GetParam();
    EXPECT_EQ(IcmpReplyIsEcho(c.datagram.data(), c.datagram.size()), c.echo);
}

INSTANTIATE_TEST_SUITE_P(Datagrams, IcmpReplyIsEchoTest,
                         ::testing::Values(ReplyCase{"EchoReply", datagram(5, 12, 0), true},
                                           ReplyCase{"OneOctetShort", datagram(5, 11, 0), false},
                                           ReplyCase{"EchoRequest", datagram(5, 12, 8), false},
                                           ReplyCase{"Unreachable", datagram(5, 36, 3), false},
                                           ReplyCase{"LongIpHeader", datagram(6, 12, 0), true},
                                           ReplyCase{"HeaderLongerThanData", datagram(15, 0, 0), false},
                                           ReplyCase{"Empty", {}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IcmpReplyAnswers, OnlyOurIdentifierAndSequence) {
    std::array<uint8_t, kIcmpEchoLength> reply{};
    FillIcmpEchoRequest(reply.data(), 0, 0x0102, 9, 0);
    reply[0] = 0;
    EXPECT_TRUE(IcmpReplyAnswers(reply.data(), reply.size(), 0x0102, 9));
    EXPECT_FALSE(IcmpReplyAnswers(reply.data(), reply.size(), 0x0103, 9)) << "another program's reply";
    EXPECT_FALSE(IcmpReplyAnswers(reply.data(), reply.size(), 0x0102, 8)) << "an earlier request's reply";
    EXPECT_FALSE(IcmpReplyAnswers(reply.data(), 7, 0x0102, 9));
    reply[0] = 8;
    EXPECT_FALSE(IcmpReplyAnswers(reply.data(), reply.size(), 0x0102, 9)) << "a request, not a reply";
}

// The real probe runs on loopback, or in a child process inside network namespaces of its own: what
// it sends there cannot leave the PC, not even a name lookup.

// The child's network could not be set up; what stops it is the text.
struct CannotSetUp {
    std::string why;
};

// Where a body run in a child process ended: skipped (the child could not set up its network), or
// the text of its failure, empty when it passed.
struct ChildEnd {
    bool skipped = false;
    std::string failure;
};

ChildEnd inChild(const std::function<std::string()>& body) {
    int out[2];
    if (::pipe(out) != 0) return {false, "no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string text;
        int code = 0;
        try {
            text = body();
            code = text.empty() ? 0 : 1;
        } catch (const CannotSetUp& e) {
            text = e.why;
            code = 77;
        }
        if (::write(out[1], text.data(), text.size()) < 0) code = 1;
        ::_exit(code);
    }
    ::close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return {true, text};
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    return {false, text.empty() ? "the child ended abnormally" : text};
}

void bringUp(const char* interface) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, interface, IFNAMSIZ - 1);
    const bool up = fd >= 0 && ::ioctl(fd, SIOCGIFFLAGS, &ifr) == 0 &&
                    (ifr.ifr_flags |= IFF_UP, ::ioctl(fd, SIOCSIFFLAGS, &ifr) == 0);
    if (fd >= 0) ::close(fd);
    if (!up) throw CannotSetUp{std::string("cannot bring ") + interface + " up"};
}

// Moves this process into a network namespace of its own where only loopback is up: every other
// address has no route.
void ownNetwork() {
    if (::unshare(CLONE_NEWNET) != 0) throw CannotSetUp{"a network namespace needs root (CAP_SYS_ADMIN)"};
    bringUp("lo");
}

// In this process's own namespace: the kernel answers no echo request.
void ignoreEchoRequests() {
    std::ofstream ignore("/proc/sys/net/ipv4/icmp_echo_ignore_all");
    if (!(ignore << "1" << std::flush)) throw CannotSetUp{"cannot make the namespace ignore echo requests"};
}

void run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw CannotSetUp{"`" + command + "` failed (needs ip from iproute2 and veth)"};
}

// A second host: a namespace of its own, held by a child process, joined to this one by a veth pair,
// 198.51.100.1 here and 198.51.100.2 there. Call after ownNetwork().
class PeerHost {
public:
    PeerHost() {
        int ready[2];
        int go[2];
        if (::pipe(ready) != 0 || ::pipe(go) != 0) throw CannotSetUp{"no pipe"};
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(ready[0]);
            ::close(go[1]);
            char c = 0;
            const bool own = ::unshare(CLONE_NEWNET) == 0;
            c = own ? 'r' : 'x';
            if (::write(ready[1], &c, 1) != 1 || !own) ::_exit(1);
            // Waits here, holding the namespace, until it is ended.
            while (::read(go[0], &c, 1) < 0 && errno == EINTR) {
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(go[0]);
        m_hold = go[1];
        char c = 0;
        if (m_pid < 0 || ::read(ready[0], &c, 1) != 1 || c != 'r') {
            ::close(ready[0]);
            throw CannotSetUp{"the peer's network namespace needs root (CAP_SYS_ADMIN)"};
        }
        ::close(ready[0]);
        const std::string there = "nsenter -t " + std::to_string(m_pid) + " -n ";
        try {
            run("ip link add hv0 type veth peer name hv1 netns " + std::to_string(m_pid));
            run("ip addr add 198.51.100.1/24 dev hv0");
            run("ip link set hv0 up");
            run(there + "ip addr add 198.51.100.2/24 dev hv1");
            run(there + "ip link set hv1 up");
        } catch (...) {
            end();
            throw;
        }
    }
    ~PeerHost() { end(); }
    PeerHost(const PeerHost&) = delete;
    PeerHost& operator=(const PeerHost&) = delete;

private:
    // The holder reads the end of the pipe and leaves; its namespace goes with it.
    void end() {
        if (m_hold >= 0) ::close(m_hold);
        if (m_pid > 0) ::waitpid(m_pid, nullptr, 0);
        m_hold = -1;
        m_pid = -1;
    }

    pid_t m_pid = -1;
    int m_hold = -1;
};

const char* outcomeName(IcmpEcho::Outcome o) {
    switch (o) {
        case IcmpEcho::Outcome::Reply:
            return "Reply";
        case IcmpEcho::Outcome::NoReply:
            return "NoReply";
        case IcmpEcho::Outcome::Unresolved:
            return "Unresolved";
        case IcmpEcho::Outcome::NoSocket:
            return "NoSocket";
    }
    return "?";
}

// Empty when the probe of host ended in want within [atLeastMs, belowMs); else what happened.
std::string probeEnds(const std::string& host, int waitMs, IcmpEcho::Outcome want, int atLeastMs = 0,
                      int belowMs = 3000) {
    const auto start = Clock::now();
    const auto got = IcmpEcho::probe(host, 3, waitMs);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (got == want && took >= atLeastMs && took < belowMs) return {};
    return host + ": " + outcomeName(got) + " after " + std::to_string(took) + " ms, expected " +
           outcomeName(want) + " in [" + std::to_string(atLeastMs) + ", " + std::to_string(belowMs) + ") ms";
}

#define EXPECT_CHILD_PASSES(end)                        \
    do {                                                \
        const ChildEnd e_ = (end);                      \
        if (e_.skipped) GTEST_SKIP() << e_.failure;     \
        EXPECT_EQ(e_.failure, "");                      \
    } while (false)

// The name is looked up where no lookup can leave: it resolves to nothing, and nothing is sent.
TEST(IcmpEcho, UnresolvableNameSendsNothing) {
    EXPECT_CHILD_PASSES(inChild([]() -> std::string {
        ownNetwork();
        const uint16_t before = IcmpEcho::nextSequence();
        if (IcmpEcho::probe("no-such-host.invalid") != IcmpEcho::Outcome::Unresolved) return "a name resolved";
        if (IcmpEcho::probe("") != IcmpEcho::Outcome::Unresolved) return "an empty name resolved";
        return IcmpEcho::nextSequence() == before ? "" : "a request was sent";
    }));
}

TEST(IcmpEcho, LoopbackAnswersAndSequencesCountOn) {
    const uint16_t before = IcmpEcho::nextSequence();
    const auto outcome = IcmpEcho::probe("127.0.0.1");
    if (outcome == IcmpEcho::Outcome::NoSocket)
        GTEST_SKIP()
            << "no raw ICMP socket (root or CAP_NET_RAW) and no ping socket (net.ipv4.ping_group_range)";
    EXPECT_EQ(outcome, IcmpEcho::Outcome::Reply);
    // The first reply ends the probe; the next probe carries the next number.
    EXPECT_EQ(IcmpEcho::nextSequence(), static_cast<uint16_t>(before + 1));
    EXPECT_EQ(IcmpEcho::probe("127.0.0.1"), IcmpEcho::Outcome::Reply);
    EXPECT_EQ(IcmpEcho::nextSequence(), static_cast<uint16_t>(before + 2));
}

TEST(IcmpEcho, SilentHostIsNoReplyWithinItsTime) {
    EXPECT_CHILD_PASSES(inChild([] {
        ownNetwork();
        ignoreEchoRequests();
        return probeEnds("127.0.0.1", 200, IcmpEcho::Outcome::NoReply, 600);
    }));
}

// An address without a route: no request goes out, and each attempt still takes its time instead
// of the probe spinning through them.
TEST(IcmpEcho, UnroutableAddressIsNoReplyWithoutSpinning) {
    EXPECT_CHILD_PASSES(inChild([] {
        ownNetwork();
        return probeEnds("192.0.2.1", 200, IcmpEcho::Outcome::NoReply, 600);
    }));
}

// A host on the other end of a link answers; an address on the link that nobody holds does not.
TEST(IcmpEcho, HostAcrossALinkAnswers) {
    EXPECT_CHILD_PASSES(inChild([] {
        ownNetwork();
        const PeerHost peer;
        std::string failure = probeEnds("198.51.100.2", 1000, IcmpEcho::Outcome::Reply);
        if (failure.empty()) failure = probeEnds("198.51.100.3", 200, IcmpEcho::Outcome::NoReply, 600);
        return failure;
    }));
}

TEST(IcmpEcho, ForeignRepliesDoNotCount) {
    EXPECT_CHILD_PASSES(inChild([] {
        ownNetwork();
        ignoreEchoRequests();
        // Another program's echo replies, and replies to numbers we did not send, keep arriving
        // while the probe waits.
        std::atomic<bool> done{false};
        std::thread sender([&] {
            const int raw = ::socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const auto ours = static_cast<uint16_t>(::getpid() & 0xFFFF);
            while (!done) {
                for (auto [id, seq] : {std::pair<uint16_t, uint16_t>{static_cast<uint16_t>(ours + 1), 0},
                                       {ours, static_cast<uint16_t>(IcmpEcho::nextSequence() + 100)}}) {
                    uint8_t reply[kIcmpEchoLength];
                    FillIcmpEchoRequest(reply, 0, id, seq, 0);
                    reply[0] = 0;
                    reply[2] = reply[3] = 0;
                    const uint16_t sum = IcmpChecksum(reply, sizeof reply);
                    std::memcpy(reply + 2, &sum, 2);
                    ::sendto(raw, reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            ::close(raw);
        });
        std::string failure = probeEnds("127.0.0.1", 200, IcmpEcho::Outcome::NoReply);
        done = true;
        sender.join();
        return failure;
    }));
}

}  // namespace
