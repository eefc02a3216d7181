#include "platform/UdpSocket.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return instance ? *instance : *QCoreApplication::instance();
}

template <typename Pred>
bool waitFor(Pred pred, int ms = 5000) {
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

}  // namespace

TEST(UdpSocket, DeliversDatagramsWithTheirSenderThroughTheEventLoop) {
    app();
    UdpSocket a, b;
    ASSERT_TRUE(a.bind(0, kLoopback));
    ASSERT_TRUE(b.bind(0));
    ASSERT_NE(a.localPort(), 0);
    int wakeups = 0;
    std::string got;
    UdpEndpoint from;
    b.setOnReadable([&] {
        ++wakeups;
        char buf[64];
        long n;
        while ((n = b.receiveFrom(buf, sizeof buf, from)) >= 0) got.append(buf, static_cast<size_t>(n));
        EXPECT_EQ(b.lastError(), EAGAIN);
    });
    ASSERT_TRUE(a.sendTo("hello", 5, {kLoopback, b.localPort()}));
    ASSERT_TRUE(waitFor([&] { return !got.empty(); }));
    EXPECT_EQ(got, "hello");
    EXPECT_EQ(from.address, kLoopback);
    EXPECT_EQ(from.port, a.localPort());
    EXPECT_EQ(from.addressText(), "127.0.0.1");
    EXPECT_GE(wakeups, 1);
}

TEST(UdpSocket, ABoundPortCannotBeBoundAgain) {
    app();
    UdpSocket first, second;
    ASSERT_TRUE(first.bind(0));
    EXPECT_FALSE(second.bind(first.localPort()));
    EXPECT_EQ(second.lastError(), EADDRINUSE);
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(second.localPort(), 0);
}

TEST(UdpSocket, NothingPendingIsReportedNotBlocked) {
    app();
    UdpSocket s;
    ASSERT_TRUE(s.bind(0));
    char buf[8];
    UdpEndpoint from;
    EXPECT_EQ(s.receiveFrom(buf, sizeof buf, from), -1);
    EXPECT_EQ(s.lastError(), EAGAIN);
    s.close();
    EXPECT_FALSE(s.sendTo("x", 1, {kLoopback, 9}));
}

TEST(UdpEndpoint, ParsesOnlyDottedAddresses) {
    uint32_t a = 0;
    EXPECT_TRUE(UdpEndpoint::parseAddress("192.168.1.20", a));
    EXPECT_EQ(a, 0xC0A80114u);
    for (const char* bad : {"", "localhost", "1.2.3", "256.1.1.1", "1.2.3.4 "})
        EXPECT_FALSE(UdpEndpoint::parseAddress(bad, a)) << bad;
}
