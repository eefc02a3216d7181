// The TFTP server against a scripted client that sends exactly the packets of each case.
#include "TftpTestSupport.h"

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>

#include <QFileInfo>

#include "library/HvException.h"

using namespace tftptest;

namespace {

class TftpServer : public ServerFixture {
protected:
    // Reads the whole file as a well-behaved client, returning the bytes and each block's length.
    Bytes readAll(Peer& peer, const std::string& name, std::vector<size_t>* lengths = nullptr) {
        peer.send(rrq(name), server());
        Bytes got;
        uint16_t expect = 1;
        for (;;) {
            auto p = peer.next();
            if (!p || p->op() != 3 || p->block() != expect) {
                ADD_FAILURE() << "no DATA " << expect;
                return got;
            }
            Bytes payload = p->payload();
            got.insert(got.end(), payload.begin(), payload.end());
            if (lengths) lengths->push_back(payload.size());
            peer.send(ack(expect), p->from);
            if (payload.size() < 512) return got;
            ++expect;
        }
    }

    // Writes the content as a well-behaved client; returns the transfer port of the session.
    UdpEndpoint writeAll(Peer& peer, const std::string& name, const Bytes& content) {
        peer.send(wrq(name), server());
        auto p = peer.next();
        if (!p || p->op() != 4 || p->block() != 0) {
            ADD_FAILURE() << "no ACK 0";
            return {};
        }
        UdpEndpoint tid = p->from;
        uint16_t block = 1;
        for (size_t at = 0;; at += 512, ++block) {
            size_t n = std::min<size_t>(512, content.size() - at);
            peer.send(data(block, Bytes(content.begin() + at, content.begin() + at + n)), tid);
            auto a = peer.next();
            if (!a || a->op() != 4 || a->block() != block) {
                ADD_FAILURE() << "no ACK " << block;
                return tid;
            }
            if (n < 512) return tid;
        }
    }
};

struct SizeCase {
    const char* name;
    size_t size;
    std::vector<size_t> blocks;
    friend void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }
};

class TftpServerSizes : public TftpServer, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TftpServerSizes, ReadSendsBlocksUntilAShortOne) {
    const auto& c = GetParam();
    Bytes content = pattern(c.size);
    writeFile(inRoot("fw.bin"), content);
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    Peer peer;
    std::vector<size_t> lengths;
    EXPECT_EQ(readAll(peer, "fw.bin", &lengths), content);
    EXPECT_EQ(lengths, c.blocks);
    ASSERT_TRUE(waitEnded(0));
    EXPECT_EQ(folded(0), (std::vector<int32_t>{1, 2, 3, 0}));
    EXPECT_EQ(m_log.back().bytesDone, static_cast<int64_t>(c.size));
    EXPECT_EQ(m_log.back().fileName, "fw.bin");
    EXPECT_EQ(m_log.back().peerPort, peer.port());
    EXPECT_EQ(m_log.back().peerAddress, "127.0.0.1");
}

TEST_P(TftpServerSizes, WriteStoresTheFileAndLeavesNothingElse) {
    const auto& c = GetParam();
    Bytes content = pattern(c.size, 7);
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    writeAll(peer, "backup.dcf", content);
    // The file is in place before its last ACK goes out.
    EXPECT_EQ(readFile(inRoot("backup.dcf")), content);
    EXPECT_EQ(rootEntries(), QStringList{"backup.dcf"});
    EXPECT_EQ(folded(0), (std::vector<int32_t>{1, 2, 3}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, TftpServerSizes,
                         ::testing::Values(SizeCase{"Empty", 0, {0}}, SizeCase{"Short", 100, {100}},
                                           SizeCase{"OneBlock", 512, {512, 0}},
                                           SizeCase{"TwoBlocks", 1024, {512, 512, 0}},
                                           SizeCase{"ThreeBlocks", 1300, {512, 512, 276}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TftpServer, DuplicateDataIsAcknowledgedAgainAndWrittenOnce) {
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    peer.send(wrq("backup.dcf"), server());
    auto a0 = peer.next();
    ASSERT_TRUE(a0 && a0->op() == 4 && a0->block() == 0);
    Bytes first = pattern(512, 1), second = pattern(10, 2);
    peer.send(data(1, first), a0->from);
    auto a1 = peer.next();
    ASSERT_TRUE(a1 && a1->op() == 4 && a1->block() == 1);
    peer.send(data(1, first), a0->from);  // our ACK 1 "was lost"
    auto again = peer.next();
    ASSERT_TRUE(again && again->op() == 4 && again->block() == 1);
    peer.send(data(3, pattern(512, 9)), a0->from);  // a skipped block is not written
    peer.send(data(2, second), a0->from);
    auto a2 = peer.next();
    ASSERT_TRUE(a2 && a2->op() == 4 && a2->block() == 2);
    // The last ACK was lost too: the repeated last block is answered after the success.
    peer.send(data(2, second), a0->from);
    auto a2again = peer.next();
    ASSERT_TRUE(a2again && a2again->op() == 4 && a2again->block() == 2);
    EXPECT_EQ(readFile(inRoot("backup.dcf")), cat(first, second));
    EXPECT_EQ(folded(0), (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(TftpServer, DuplicateOrStrayAckSendsNoDuplicateData) {
    Bytes content = pattern(700);
    writeFile(inRoot("fw.bin"), content);
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    Peer peer;
    peer.send(rrq("fw.bin"), server());
    auto d1 = peer.next();
    ASSERT_TRUE(d1 && d1->op() == 3 && d1->block() == 1);
    peer.send(ack(0), d1->from);  // stray: must not make the next block go out as block 1
    peer.send(ack(1), d1->from);
    peer.send(ack(1), d1->from);  // duplicate
    auto d2 = peer.next();
    ASSERT_TRUE(d2 && d2->op() == 3 && d2->block() == 2);
    EXPECT_EQ(cat(d1->payload(), d2->payload()), content);
    peer.send(ack(2), d1->from);
    ASSERT_TRUE(waitFor([&] { return statuses(0).back() == HvTFTP_Success; }));
    // Everything the server sent before its success has arrived by now: no second DATA 2.
    EXPECT_EQ(peer.pending(), 0u);
}

// A packet from another port is answered with ERROR 5 and changes nothing in the transfer.
TEST_F(TftpServer, PacketFromAnotherPortGetsUnknownTransferId) {
    Bytes content = pattern(600);
    writeFile(inRoot("fw.bin"), content);
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "log.txt");
    Peer peer, stranger;

    peer.send(rrq("fw.bin"), server());
    auto d1 = peer.next();
    ASSERT_TRUE(d1 && d1->block() == 1);
    stranger.send(ack(1), d1->from);
    auto e = stranger.next();
    ASSERT_TRUE(e && e->op() == 5 && e->block() == 5);
    peer.send(ack(1), d1->from);
    auto d2 = peer.next();
    ASSERT_TRUE(d2 && d2->op() == 3 && d2->block() == 2);
    EXPECT_EQ(cat(d1->payload(), d2->payload()), content);
    peer.send(ack(2), d1->from);

    Bytes good = pattern(100, 5);
    peer.send(wrq("log.txt"), server());
    auto a0 = peer.next();
    ASSERT_TRUE(a0 && a0->op() == 4 && a0->block() == 0);
    stranger.send(data(1, pattern(100, 6)), a0->from);
    auto e2 = stranger.next();
    ASSERT_TRUE(e2 && e2->op() == 5 && e2->block() == 5);
    peer.send(data(1, good), a0->from);
    auto a1 = peer.next();
    ASSERT_TRUE(a1 && a1->op() == 4 && a1->block() == 1);
    EXPECT_EQ(readFile(inRoot("log.txt")), good);
    EXPECT_TRUE(waitStatus(0, HvTFTP_Success));
}

TEST_F(TftpServer, RequestFromAnotherHostIsNotAnswered) {
    writeFile(inRoot("fw.bin"), pattern(10));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    Peer foreign(0x7F000002);  // 127.0.0.2: another host as far as the server can tell
    if (!foreign.bound()) GTEST_SKIP() << "cannot bind 127.0.0.2";
    foreign.send(rrq("fw.bin"), server());
    Peer device;
    device.send(rrq("fw.bin"), server());
    auto d1 = device.next();
    ASSERT_TRUE(d1 && d1->op() == 3);
    // The server reads its requests in order: the foreign one was handled and dropped before.
    EXPECT_EQ(foreign.pending(), 0u);
    EXPECT_EQ(m_server.Msg().sessionNumber, 0);
}

struct RefusedCase {
    const char* name;
    int32_t kind;
    std::string fileName;
    bool registered;  // the page registered the name (a page must not be able to open a hole either)
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class TftpServerRefused : public TftpServer, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(TftpServerRefused, RefusesWithAccessViolationAndTouchesNoFile) {
    const auto& c = GetParam();
    writeFile(m_dir.path() + "/x", pattern(20));
    writeFile(inRoot("fw.bin"), pattern(20));
    if (c.registered) m_server.ExpectTransfer(c.kind, c.fileName);
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    peer.send(c.kind == HvTFTP_Read ? rrq(c.fileName) : wrq(c.fileName), server());
    auto e = peer.next();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->op(), 5);
    EXPECT_EQ(e->block(), 2);
    ASSERT_TRUE(waitEnded(0));
    EXPECT_EQ(statuses(0), (std::vector<int32_t>{1, HvTFTP_AccessViolation, 0}));
    EXPECT_EQ(readFile(m_dir.path() + "/x"), pattern(20));
    EXPECT_EQ(rootEntries(), QStringList{"fw.bin"});
}

INSTANTIATE_TEST_SUITE_P(
    Names, TftpServerRefused,
    ::testing::Values(RefusedCase{"ReadParent", HvTFTP_Read, "../x", true},
                      RefusedCase{"WriteParent", HvTFTP_Write, "../x", true},
                      RefusedCase{"ReadInnerParent", HvTFTP_Read, "sub/../../x", true},
                      RefusedCase{"ReadAbsolute", HvTFTP_Read, "/etc/passwd", true},
                      RefusedCase{"WriteAbsolute", HvTFTP_Write, "/tmp/hv-tftp-absolute", true},
                      RefusedCase{"ReadBackslash", HvTFTP_Read, "a\\..\\x", true},
                      RefusedCase{"ReadDrive", HvTFTP_Read, "C:x", true},
                      RefusedCase{"ReadEmpty", HvTFTP_Read, "", true},
                      RefusedCase{"ReadNotExpected", HvTFTP_Read, "other.bin", false},
                      RefusedCase{"WriteNotExpected", HvTFTP_Write, "other.dcf", false},
                      RefusedCase{"WriteOverExpectedRead", HvTFTP_Write, "fw.bin", false},
                      RefusedCase{"ReadOfExpectedWrite", HvTFTP_Read, "backup.dcf", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A link inside the root that points out of it is neither followed for reading nor replaced.
TEST_F(TftpServer, SymbolicLinksAreRefused) {
    QString outside = m_dir.path() + "/secret";
    writeFile(outside, pattern(30));
    ASSERT_TRUE(QFile::link(outside, inRoot("fw.bin")));
    ASSERT_TRUE(QFile::link(outside, inRoot("backup.dcf")));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    peer.send(rrq("fw.bin"), server());
    auto e1 = peer.next();
    ASSERT_TRUE(e1 && e1->op() == 5 && e1->block() == 2);
    peer.send(wrq("backup.dcf"), server());
    auto e2 = peer.next();
    ASSERT_TRUE(e2 && e2->op() == 5 && e2->block() == 2);
    EXPECT_EQ(readFile(outside), pattern(30));
    EXPECT_TRUE(QFileInfo(inRoot("backup.dcf")).isSymLink());
}

TEST_F(TftpServer, MissingOrNonRegularFileIsRefused) {
    ASSERT_TRUE(QDir().mkpath(inRoot("dir.bin")));
    m_server.ExpectTransfer(HvTFTP_Read, "missing.bin");
    m_server.ExpectTransfer(HvTFTP_Read, "dir.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "dir.bin");
    Peer peer;
    peer.send(rrq("missing.bin"), server());
    auto e1 = peer.next();
    ASSERT_TRUE(e1 && e1->op() == 5 && e1->block() == 1);
    peer.send(rrq("dir.bin"), server());
    auto e2 = peer.next();
    ASSERT_TRUE(e2 && e2->op() == 5 && e2->block() == 2);
    peer.send(wrq("dir.bin"), server());
    auto e3 = peer.next();
    ASSERT_TRUE(e3 && e3->op() == 5 && e3->block() == 2);
    ASSERT_TRUE(waitEnded(2));
    EXPECT_EQ(statuses(0), (std::vector<int32_t>{1, HvTFTP_FileNotFound, 0}));
    EXPECT_EQ(statuses(1), (std::vector<int32_t>{1, HvTFTP_AccessViolation, 0}));
    EXPECT_TRUE(QFileInfo(inRoot("dir.bin")).isDir());
}

TEST_F(TftpServer, SilentClientGetsThreeSendsThenTimesOut) {
    m_server.SetTimeoutRetries(10, 3);
    writeFile(inRoot("fw.bin"), pattern(100));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer reader, writer;
    reader.send(rrq("fw.bin"), server());
    writer.send(wrq("backup.dcf"), server());
    ASSERT_TRUE(waitEnded(0) && waitEnded(1));
    for (Peer* p : {&reader, &writer}) {
        int sends = 0;
        while (auto packet = p->next(0)) {
            EXPECT_EQ(packet->block(), p == &reader ? 1 : 0);
            ++sends;
        }
        EXPECT_EQ(sends, 3);
    }
    EXPECT_EQ(*(statuses(0).end() - 2), HvTFTP_Timeout);
    EXPECT_EQ(*(statuses(1).end() - 2), HvTFTP_Timeout);
    EXPECT_EQ(rootEntries(), QStringList{"fw.bin"});
    EXPECT_EQ(m_server.SessionCount(), 0u);
}

// A lost ACK of a write is sent again on time-out, so the upload goes on.
TEST_F(TftpServer, LostAckIsSentAgainOnTimeout) {
    m_server.SetTimeoutRetries(30, 3);
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    peer.send(wrq("backup.dcf"), server());
    auto a0 = peer.next();
    ASSERT_TRUE(a0 && a0->block() == 0);
    auto again = peer.next();  // we "lost" the first one
    ASSERT_TRUE(again && again->op() == 4 && again->block() == 0);
    peer.send(data(1, pattern(40)), a0->from);
    auto a1 = peer.next();
    while (a1 && a1->block() == 0) a1 = peer.next();  // a third ACK 0 may have crossed our DATA
    ASSERT_TRUE(a1 && a1->op() == 4 && a1->block() == 1);
    ASSERT_TRUE(waitStatus(0, HvTFTP_Success));
    EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(40));
}

TEST_F(TftpServer, ErrorFromClientEndsTheSessionAndKeepsThePreviousFile) {
    writeFile(inRoot("fw.bin"), pattern(2000));
    writeFile(inRoot("backup.dcf"), pattern(50, 4));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    m_server.SetTimeoutRetries(100000, 3);  // only the ERROR can end these sessions in time
    Peer peer;
    peer.send(rrq("fw.bin"), server());
    auto d1 = peer.next();
    ASSERT_TRUE(d1 && d1->block() == 1);
    peer.send(error(0), d1->from);
    ASSERT_TRUE(waitEnded(0));
    EXPECT_EQ(*(statuses(0).end() - 2), HvTFTP_UndefinedError);

    peer.send(wrq("backup.dcf"), server());
    auto a0 = peer.next();
    ASSERT_TRUE(a0 && a0->block() == 0);
    peer.send(data(1, pattern(512, 8)), a0->from);
    ASSERT_TRUE(peer.next());
    peer.send(error(3), a0->from);
    ASSERT_TRUE(waitEnded(1));
    EXPECT_EQ(*(statuses(1).end() - 2), HvTFTP_DiskFull);
    EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(50, 4));
    EXPECT_EQ(rootEntries(), (QStringList{"backup.dcf", "fw.bin"}));
    EXPECT_EQ(peer.pending(), 0u);  // an ERROR is not answered
}

// A file that cannot be written whole is reported as failed, and the previous one survives.
TEST_F(TftpServer, FailedWriteIsReportedAndKeepsThePreviousFile) {
    writeFile(inRoot("backup.dcf"), pattern(50, 4));
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Peer peer;
    peer.send(wrq("backup.dcf"), server());
    auto a0 = peer.next();
    ASSERT_TRUE(a0 && a0->block() == 0);
    peer.send(data(1, pattern(512)), a0->from);
    ASSERT_TRUE(peer.next());

    // Files of this process may not grow past 600 bytes for the last block.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 600;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    peer.send(data(2, pattern(200)), a0->from);
    auto e = peer.next();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(e);
    EXPECT_EQ(e->op(), 5);
    EXPECT_EQ(e->block(), 3);
    ASSERT_TRUE(waitEnded(0));
    EXPECT_EQ(*(statuses(0).end() - 2), HvTFTP_DiskFull);
    EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(50, 4));
    EXPECT_EQ(rootEntries(), QStringList{"backup.dcf"});
}

TEST_F(TftpServer, RepeatedRequestFromTheSamePortStartsNoSecondSession) {
    writeFile(inRoot("fw.bin"), pattern(600));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    Peer peer, other;
    peer.send(rrq("fw.bin"), server());
    peer.send(rrq("fw.bin"), server());
    other.send(rrq("fw.bin"), server());
    auto d1 = peer.next();
    auto o1 = other.next();
    ASSERT_TRUE(d1 && o1);
    EXPECT_EQ(peer.pending(), 0u);
    EXPECT_NE(d1->from.port, o1->from.port);
    EXPECT_EQ(m_server.Msg().sessionNumber, 1);
}

TEST_F(TftpServer, CancelFromTheCallbackEndsTheTransferAndTellsTheClient) {
    writeFile(inRoot("fw.bin"), pattern(2000));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_cancelAt = HvTFTP_Transferring;
    Peer peer;
    peer.send(rrq("fw.bin"), server());
    auto d1 = peer.next();
    ASSERT_TRUE(d1 && d1->block() == 1);
    peer.send(ack(1), d1->from);
    auto e = peer.next();
    ASSERT_TRUE(e && e->op() == 5 && e->block() == 0);
    ASSERT_TRUE(waitEnded(0));
    EXPECT_EQ(*(statuses(0).end() - 2), HvTFTP_Canceled);
}

TEST_F(TftpServer, SecondStartOnlyChangesTheRoot) {
    uint16_t port = m_server.LocalPort();
    QString other = m_dir.path() + "/other";
    ASSERT_TRUE(QDir().mkpath(other));
    writeFile(other + "/fw.bin", pattern(10, 2));
    writeFile(inRoot("fw.bin"), pattern(10, 1));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.Start(other.toStdString(), 0);
    EXPECT_EQ(m_server.LocalPort(), port);
    Peer peer;
    EXPECT_EQ(readAll(peer, "fw.bin"), pattern(10, 2));
}

TEST_F(TftpServer, EmptyRootServesNothing) {
    m_server.Start("", 0);  // re-roots the running server
    writeFile(inRoot("fw.bin"), pattern(10));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Read, inRoot("fw.bin").toStdString());
    Peer peer;
    for (const auto& name : {std::string("fw.bin"), inRoot("fw.bin").toStdString()}) {
        peer.send(rrq(name), server());
        auto e = peer.next();
        ASSERT_TRUE(e);
        EXPECT_EQ(e->op(), 5) << name;
    }
}

TEST_F(TftpServer, StopWaitsForRunningSessionsAtMostTheStopWait) {
    writeFile(inRoot("fw.bin"), pattern(2000));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.SetTimeoutRetries(100000, 3);
    m_server.SetStopWait(200);
    Peer peer;
    peer.send(rrq("fw.bin"), server());
    ASSERT_TRUE(peer.next());
    m_server.Stop();
    EXPECT_EQ(m_server.SessionCount(), 1u);
    EXPECT_EQ(m_server.LocalPort(), 0);
}

TEST(TftpServerStart, BusyPortIsReportedToTheCaller) {
    app();
    UdpSocket holder;
    ASSERT_TRUE(holder.bind(0));
    HvTFTPServer server;
    try {
        server.Start("/tmp", holder.localPort());
        FAIL() << "Start on a busy port returned";
    } catch (const HvException& e) {
        EXPECT_STREQ(e.what(), "(HvTFTP) Fail to open socket!Please check if the network is ready.");
        EXPECT_EQ(e.helpContext(), HvTFTP_SocketError);
    }
    EXPECT_EQ(server.LocalPort(), 0);
    EXPECT_EQ(server.Msg().status, HvTFTP_SocketError);
    server.Start("/tmp", 0);  // the server stays usable
    EXPECT_NE(server.LocalPort(), 0);
}

TEST(TftpServerStart, EnvironmentMovesTheStandardPort) {
    app();
    uint16_t free = 0;
    {
        UdpSocket probe;
        ASSERT_TRUE(probe.bind(0));
        free = probe.localPort();
    }
    ASSERT_EQ(setenv("HV_TFTP_PORT", std::to_string(free).c_str(), 1), 0);
    HvTFTPServer server;
    server.Start("/tmp", 69);
    unsetenv("HV_TFTP_PORT");
    EXPECT_EQ(server.LocalPort(), free);
    EXPECT_EQ(server.Msg().port, free);
}

TEST(TftpServerNames, OnlyPlainRelativeNamesAreSafe) {
    for (const char* good : {"fw.bin", "sub/fw.bin", "a.b.c", "./fw.bin", "..fw"})
        EXPECT_TRUE(HvTFTPServer::IsSafeName(good)) << good;
    for (const char* bad : {"", "/fw.bin", "../fw.bin", "sub/..", "a//b", "sub/", "a\\b", "C:fw"})
        EXPECT_FALSE(HvTFTPServer::IsSafeName(bad)) << bad;
}

}  // namespace

namespace {

// A page may stop the server from any event, also from inside a status callback: the session that
// reports must survive the events processed meanwhile.
TEST_F(TftpServer, StopFromInsideAStatusCallbackKeepsTheReportingSession) {
    writeFile(inRoot("fw.bin"), pattern(100));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.SetStopWait(100);
    bool stopped = false;
    m_server.SetOnStatus([&](const HvTFTPMsg& msg, bool&) {
        m_log.push_back(msg);
        if (msg.status == HvTFTP_Success && !stopped) {
            stopped = true;
            m_server.Stop();
        }
    });
    Peer peer;
    EXPECT_EQ(readAll(peer, "fw.bin"), pattern(100));
    ASSERT_TRUE(waitFor([&] { return stopped; }));
    EXPECT_EQ(m_server.LocalPort(), 0);
    EXPECT_EQ(m_log.back().status, HvTFTP_Success);
}

}  // namespace
