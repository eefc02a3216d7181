#include "platform/IcmpEcho.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
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

TEST(IcmpEcho, UnresolvableNameSendsNothing) {
    const uint16_t before = IcmpEcho::nextSequence();
    EXPECT_EQ(IcmpEcho::probe("no-such-host.invalid"), IcmpEcho::Outcome::Unresolved);
    EXPECT_EQ(IcmpEcho::probe(""), IcmpEcho::Outcome::Unresolved);
    EXPECT_EQ(IcmpEcho::nextSequence(), before);
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

// Runs body in a child process inside a network namespace of its own whose loopback is up and
// ignores echo requests: an address there that answers nothing, without sending a packet outside.
// The child's exit code: 0 passed, 1 failed, 77 the namespace could not be made.
int inSilentNamespace(const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNET) != 0) ::_exit(77);
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        ifreq ifr{};
        std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
        if (fd < 0 || ::ioctl(fd, SIOCGIFFLAGS, &ifr) != 0) ::_exit(77);
        ifr.ifr_flags |= IFF_UP;
        if (::ioctl(fd, SIOCSIFFLAGS, &ifr) != 0) ::_exit(77);
        ::close(fd);
        std::ofstream ignore("/proc/sys/net/ipv4/icmp_echo_ignore_all");
        if (!(ignore << "1" << std::flush)) ::_exit(77);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

TEST(IcmpEcho, SilentHostIsNoReplyWithinItsTime) {
    const int result = inSilentNamespace([] {
        const auto start = Clock::now();
        const auto outcome = IcmpEcho::probe("127.0.0.1", 3, 200);
        const auto took = Clock::now() - start;
        return outcome == IcmpEcho::Outcome::NoReply && took >= std::chrono::milliseconds(600) &&
               took < std::chrono::seconds(3);
    });
    if (result == 77) GTEST_SKIP() << "a network namespace needs root (CAP_SYS_ADMIN)";
    EXPECT_EQ(result, 0);
}

TEST(IcmpEcho, ForeignRepliesDoNotCount) {
    const int result = inSilentNamespace([] {
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
        const auto start = Clock::now();
        const auto outcome = IcmpEcho::probe("127.0.0.1", 3, 200);
        const auto took = Clock::now() - start;
        done = true;
        sender.join();
        return outcome == IcmpEcho::Outcome::NoReply && took < std::chrono::seconds(3);
    });
    if (result == 77) GTEST_SKIP() << "a network namespace needs root (CAP_SYS_ADMIN)";
    EXPECT_EQ(result, 0);
}

}  // namespace
