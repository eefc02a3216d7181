// The TFTP server on a network in memory: each datagram is handled before the next is fed, so a test
// sees exactly what one datagram did in each state of a session.
#include <sys/stat.h>

#include "ScriptedSockets.h"
#include "TftpTestSupport.h"

using namespace tftptest;

namespace {

// Built before the server, gone after it.
struct ScriptedNetworkFirst {
    ScriptedNetwork m_net;
};

class TftpScripted : protected ScriptedNetworkFirst, public ServerFixture {
protected:
    TftpScripted() : ServerFixture(m_net.factory()) {}

    // Feeds one datagram from the client to a port of the server; returns what the server answered.
    std::vector<Packet> feed(const Bytes& bytes, uint16_t port, uint16_t clientPort = kClientPort) {
        m_net.sent.clear();
        EXPECT_TRUE(m_net.deliver({kLoopback, clientPort}, port, bytes)) << "nothing bound at " << port;
        std::vector<Packet> answers;
        for (auto& d : m_net.sent) {
            EXPECT_EQ(d.to, (UdpEndpoint{kLoopback, clientPort}));
            answers.push_back({d.bytes, d.from});
        }
        m_net.sent.clear();
        return answers;
    }
    // The one answer expected, or an empty packet (op 0) with a failure.
    Packet only(const std::vector<Packet>& answers) {
        EXPECT_EQ(answers.size(), 1u);
        return answers.empty() ? Packet{} : answers.front();
    }
    uint16_t request(const Bytes& bytes, uint16_t clientPort = kClientPort) {
        return only(feed(bytes, m_server.LocalPort(), clientPort)).from.port;
    }

    int32_t lastStatus(int32_t session) const {
        auto s = statuses(session);
        return s.empty() ? 0 : s.back();
    }
    static constexpr uint16_t kClientPort = 50000;
};

// ---- one datagram in each state ----

enum class State { Listening, Reading, Writing, Dallying };

struct DatagramCase {
    const char* name;
    State state;
    Bytes datagram;
    uint16_t replyOp;  // 0: no answer
    uint16_t replyBlock;
    int32_t status;  // the session's last status afterwards; 0 when no session may have started
    friend void PrintTo(const DatagramCase& c, std::ostream* os) { *os << c.name; }
};

class TftpScriptedStates : public TftpScripted, public ::testing::WithParamInterface<DatagramCase> {};

TEST_P(TftpScriptedStates, OneDatagramGetsItsAnswerAndLeavesTheSession) {
    const auto& c = GetParam();
    writeFile(inRoot("fw.bin"), pattern(1300));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    uint16_t port = m_server.LocalPort();
    if (c.state == State::Reading) port = request(rrq("fw.bin"));
    if (c.state == State::Writing || c.state == State::Dallying) port = request(wrq("backup.dcf"));
    if (c.state == State::Dallying) {
        ASSERT_EQ(only(feed(data(1, pattern(20)), port)).op(), 4);
    }

    auto answers = feed(c.datagram, port);
    if (c.replyOp == 0) {
        EXPECT_TRUE(answers.empty()) << "op " << only(answers).op();
    } else {
        Packet p = only(answers);
        EXPECT_EQ(p.op(), c.replyOp);
        EXPECT_EQ(p.block(), c.replyBlock);
    }
    if (c.status == 0) {
        EXPECT_EQ(m_server.Msg().sessionNumber, -1);
    } else {
        EXPECT_EQ(lastStatus(0), c.status);
    }
    if (c.state == State::Dallying) {
        EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(20));
    }
}

Bytes unknownOp() {
    return cat(be16(9), be16(1));
}

INSTANTIATE_TEST_SUITE_P(
    States, TftpScriptedStates,
    ::testing::Values(
        DatagramCase{"ListeningRequest", State::Listening, rrq("fw.bin"), 3, 1, HvTFTP_Transferring},
        DatagramCase{"ListeningData", State::Listening, data(1, pattern(10)), 0, 0, 0},
        DatagramCase{"ListeningAck", State::Listening, ack(1), 0, 0, 0},
        DatagramCase{"ListeningError", State::Listening, error(0), 0, 0, 0},
        DatagramCase{"ListeningUnknown", State::Listening, unknownOp(), 0, 0, 0},
        DatagramCase{"ListeningShort", State::Listening, Bytes{0, 1, 'a'}, 0, 0, 0},
        DatagramCase{"ListeningUnterminated", State::Listening, Bytes{0, 1, 'f', 0, 'o'}, 0, 0, 0},
        DatagramCase{"ReadingRequest", State::Reading, rrq("fw.bin"), 0, 0, HvTFTP_Transferring},
        DatagramCase{"ReadingData", State::Reading, data(2, pattern(10)), 0, 0, HvTFTP_Transferring},
        DatagramCase{"ReadingAck", State::Reading, ack(1), 3, 2, HvTFTP_Transferring},
        DatagramCase{"ReadingOldAck", State::Reading, ack(0), 0, 0, HvTFTP_Transferring},
        DatagramCase{"ReadingError", State::Reading, error(1), 0, 0, HvTFTP_FileNotFound},
        DatagramCase{"ReadingUnknown", State::Reading, unknownOp(), 0, 0, HvTFTP_Transferring},
        DatagramCase{"WritingRequest", State::Writing, wrq("backup.dcf"), 0, 0, HvTFTP_Transferring},
        DatagramCase{"WritingData", State::Writing, data(1, pattern(512)), 4, 1, HvTFTP_Transferring},
        DatagramCase{"WritingSkippedData", State::Writing, data(2, pattern(512)), 0, 0, HvTFTP_Transferring},
        DatagramCase{"WritingAck", State::Writing, ack(0), 0, 0, HvTFTP_Transferring},
        DatagramCase{"WritingError", State::Writing, error(3), 0, 0, HvTFTP_DiskFull},
        DatagramCase{"WritingUnknown", State::Writing, unknownOp(), 0, 0, HvTFTP_Transferring},
        DatagramCase{"DallyingRepeatedData", State::Dallying, data(1, pattern(20)), 4, 1, HvTFTP_Success},
        DatagramCase{"DallyingNextData", State::Dallying, data(2, pattern(20)), 0, 0, HvTFTP_Success},
        DatagramCase{"DallyingAck", State::Dallying, ack(1), 0, 0, HvTFTP_Success},
        DatagramCase{"DallyingError", State::Dallying, error(0), 0, 0, HvTFTP_Success},
        DatagramCase{"DallyingUnknown", State::Dallying, unknownOp(), 0, 0, HvTFTP_Success}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- faults ----

struct ModeCase {
    const char* name;
    std::string mode;
    bool served;
    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }
};

class TftpScriptedModes : public TftpScripted, public ::testing::WithParamInterface<ModeCase> {};

// Only "octet" and "netascii" are transfer modes; anything else is an illegal operation.
TEST_P(TftpScriptedModes, OnlyOctetAndNetasciiAreServed) {
    const auto& c = GetParam();
    writeFile(inRoot("fw.bin"), pattern(100));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    Packet r = only(feed(rrq("fw.bin", c.mode), m_server.LocalPort()));
    Packet w = only(feed(wrq("backup.dcf", c.mode), m_server.LocalPort(), kClientPort + 1));
    if (c.served) {
        EXPECT_EQ(r.op(), 3);
        EXPECT_EQ(w.op(), 4);
        return;
    }
    for (const Packet& p : {r, w}) {
        EXPECT_EQ(p.op(), 5);
        EXPECT_EQ(p.block(), 4);
    }
    EXPECT_EQ(lastStatus(0), HvTFTP_BadOperation);
    EXPECT_EQ(lastStatus(1), HvTFTP_BadOperation);
    EXPECT_EQ(m_log.back().mode, c.mode);
    EXPECT_EQ(rootEntries(), QStringList{"fw.bin"});
}

INSTANTIATE_TEST_SUITE_P(Modes, TftpScriptedModes,
                         ::testing::Values(ModeCase{"Octet", "octet", true}, ModeCase{"OctetUpper", "OCTET", true},
                                           ModeCase{"Netascii", "netascii", true},
                                           ModeCase{"NetasciiMixed", "NetAscii", true},
                                           ModeCase{"Mail", "mail", false}, ModeCase{"Empty", "", false},
                                           ModeCase{"OctetPrefix", "octets", false},
                                           ModeCase{"OctetWithBlank", "octet ", false}),
                         [](const auto& info) { return std::string(info.param.name); });

class TftpScriptedOversized : public TftpScripted, public ::testing::WithParamInterface<size_t> {};

// A block longer than 512 bytes is no TFTP block: cutting and acknowledging it would store a corrupted
// file as a success.
TEST_P(TftpScriptedOversized, LongDataIsRefusedNeverCutAndAcknowledged) {
    writeFile(inRoot("backup.dcf"), pattern(50, 4));
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    uint16_t port = request(wrq("backup.dcf"));
    ASSERT_EQ(only(feed(data(1, pattern(512, 1)), port)).op(), 4);
    Packet p = only(feed(data(2, pattern(GetParam(), 2)), port));
    EXPECT_EQ(p.op(), 5);
    EXPECT_EQ(p.block(), 4);
    EXPECT_EQ(lastStatus(0), HvTFTP_BadOperation);
    // The client's retry of a proper block finds the transfer over.
    EXPECT_TRUE(feed(data(2, pattern(100, 2)), port).empty());
    EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(50, 4));
    EXPECT_EQ(rootEntries(), QStringList{"backup.dcf"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, TftpScriptedOversized, ::testing::Values(513, 1468, 9000),
                         [](const auto& info) { return "Payload" + std::to_string(info.param); });

struct ModeOnDiskCase {
    const char* name;
    int existing;  // the mode of the file replaced, -1: none
    int final;
    friend void PrintTo(const ModeOnDiskCase& c, std::ostream* os) { *os << c.name; }
};

class TftpScriptedFileMode : public TftpScripted, public ::testing::WithParamInterface<ModeOnDiskCase> {};

// A configuration holds the device's passwords and keys: what arrives is nobody else's to read before
// it is complete. A replaced file keeps its mode, a new one stays the owner's.
TEST_P(TftpScriptedFileMode, ArrivingFileIsTheOwnersAlone) {
    const auto& c = GetParam();
    const mode_t oldMask = ::umask(022);
    if (c.existing >= 0) {
        writeFile(inRoot("backup.dcf"), pattern(50, 4));
        ASSERT_EQ(::chmod(inRoot("backup.dcf").toLocal8Bit().constData(), c.existing), 0);
    }
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    uint16_t port = request(wrq("backup.dcf"));
    ASSERT_EQ(only(feed(data(1, pattern(512, 1)), port)).op(), 4);
    QStringList partial = QDir(m_root).entryList({".backup.dcf.part-*"}, QDir::Files | QDir::Hidden);
    ::umask(oldMask);
    ASSERT_EQ(partial.size(), 1);
    struct stat st {};
    ASSERT_EQ(::stat(inRoot(partial[0]).toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    ASSERT_EQ(only(feed(data(2, pattern(10, 2)), port)).op(), 4);
    ASSERT_EQ(::stat(inRoot("backup.dcf").toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, static_cast<mode_t>(c.final));
    EXPECT_EQ(readFile(inRoot("backup.dcf")), cat(pattern(512, 1), pattern(10, 2)));
}

INSTANTIATE_TEST_SUITE_P(Modes, TftpScriptedFileMode,
                         ::testing::Values(ModeOnDiskCase{"NewFile", -1, 0600},
                                           ModeOnDiskCase{"ReplacesReadableFile", 0644, 0644},
                                           ModeOnDiskCase{"ReplacesPrivateFile", 0600, 0600}),
                         [](const auto& info) { return std::string(info.param.name); });

// A finished upload ends at once for the page and the client: a short dally for a lost last ACK at
// most, and a new request from the same client port is a new transfer.
TEST_F(TftpScripted, FinishedWriteEndsPromptlyAndTheSameClientMayAskAgain) {
    m_server.SetTimeoutRetries(100000, 3);  // 1000 s: the session's time-out must not be what ends it
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    uint16_t first = request(wrq("backup.dcf"));
    ASSERT_EQ(only(feed(data(1, pattern(30, 1)), first)).op(), 4);
    EXPECT_EQ(lastStatus(0), HvTFTP_Success);

    Packet again = only(feed(wrq("backup.dcf"), m_server.LocalPort()));
    EXPECT_EQ(again.op(), 4);
    EXPECT_EQ(again.block(), 0);
    EXPECT_NE(again.from.port, first);
    ASSERT_EQ(only(feed(data(1, pattern(40, 2)), again.from.port)).op(), 4);
    EXPECT_EQ(readFile(inRoot("backup.dcf")), pattern(40, 2));

    ASSERT_TRUE(waitFor([&] { return m_server.SessionCount() == 0; }, 5000));
    EXPECT_EQ(lastStatus(0), HvTFTP_Disconnected);
    EXPECT_EQ(lastStatus(1), HvTFTP_Disconnected);
    EXPECT_EQ(m_net.boundSockets(), 1u);  // the listener alone
}

struct EndedCase {
    const char* name;
    bool writes;  // the earlier sessions were completed uploads, else refused requests
    friend void PrintTo(const EndedCase& c, std::ostream* os) { *os << c.name; }
};

class TftpScriptedLimit : public TftpScripted, public ::testing::WithParamInterface<EndedCase> {};

// Only running transfers count toward the limit of 8: after a burst of refusals or a few uploads the
// next valid request is served at once, not after the client's retries.
TEST_P(TftpScriptedLimit, EndedSessionsDoNotHoldTheLimit) {
    const auto& c = GetParam();
    writeFile(inRoot("fw.bin"), pattern(700));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    for (int i = 0; i < 12; ++i) {
        const std::string name = "f" + std::to_string(i);
        if (!c.writes) {
            EXPECT_EQ(only(feed(rrq(name), m_server.LocalPort())).op(), 5) << name;
            continue;
        }
        m_server.ExpectTransfer(HvTFTP_Write, name);
        uint16_t port = request(wrq(name));
        EXPECT_EQ(only(feed(data(1, pattern(10)), port)).op(), 4) << name;
    }
    Packet d1 = only(feed(rrq("fw.bin"), m_server.LocalPort()));
    EXPECT_EQ(d1.op(), 3);
    EXPECT_EQ(d1.block(), 1);
    EXPECT_EQ(m_server.Msg().sessionNumber, 12);
}

INSTANTIATE_TEST_SUITE_P(Ended, TftpScriptedLimit,
                         ::testing::Values(EndedCase{"Refused", false}, EndedCase{"Uploaded", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TftpScripted, OneTickRemovesEveryEndedSession) {
    writeFile(inRoot("fw.bin"), pattern(700));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    for (int i = 0; i < 12; ++i) feed(rrq("f" + std::to_string(i)), m_server.LocalPort());
    request(rrq("fw.bin"));
    ASSERT_EQ(m_server.SessionCount(), 13u);
    m_server.Tick();
    EXPECT_EQ(m_server.SessionCount(), 1u);
    for (int32_t s = 0; s < 12; ++s) EXPECT_EQ(lastStatus(s), HvTFTP_Disconnected) << s;
    EXPECT_EQ(lastStatus(12), HvTFTP_Transferring);
}

// The limit itself still holds for running transfers, and a place freed is taken by the next request.
TEST_F(TftpScripted, EightRunningTransfersHoldTheLimit) {
    writeFile(inRoot("fw.bin"), pattern(700));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    std::vector<uint16_t> ports;
    for (uint16_t i = 0; i < 8; ++i) ports.push_back(request(rrq("fw.bin"), kClientPort + i));
    EXPECT_TRUE(feed(rrq("fw.bin"), m_server.LocalPort(), kClientPort + 8).empty());
    EXPECT_TRUE(feed(error(0), ports[0], kClientPort).empty());
    EXPECT_EQ(only(feed(rrq("fw.bin"), m_server.LocalPort(), kClientPort + 8)).op(), 3);
}

// ---- block numbers ----

enum class Direction { Read, Write };

class TftpScriptedWrap : public TftpScripted, public ::testing::WithParamInterface<Direction> {};

void PrintTo(Direction d, std::ostream* os) {
    *os << (d == Direction::Read ? "Read" : "Write");
}

// 65536 full blocks and a short one: block 65535 is followed by block 0, then 1, and nothing is lost.
TEST_P(TftpScriptedWrap, BlockAfter65535IsZeroAndTheFileArrivesWhole) {
    // The first and the other statuses: every block's would fill the log.
    m_server.SetOnStatus([this](const HvTFTPMsg& msg, bool&) {
        if (msg.status != HvTFTP_Transferring || m_log.back().status != HvTFTP_Transferring)
            m_log.push_back(msg);
    });
    const Bytes content = pattern(65536 * 512 + 100, 3);
    std::vector<uint16_t> blocks;  // the block numbers around the wrap
    auto near = [&](size_t index) { return index >= 65533 && index <= 65537; };
    if (GetParam() == Direction::Read) {
        writeFile(inRoot("fw.bin"), content);
        m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
        Bytes got;
        Packet p = only(feed(rrq("fw.bin"), m_server.LocalPort()));
        for (size_t index = 1;; ++index) {
            ASSERT_EQ(p.op(), 3) << "block " << index;
            if (near(index)) blocks.push_back(p.block());
            got.insert(got.end(), p.bytes.begin() + 4, p.bytes.end());
            auto answers = feed(ack(p.block()), p.from.port);
            if (p.bytes.size() < 516) {
                EXPECT_TRUE(answers.empty());
                break;
            }
            p = only(answers);
        }
        EXPECT_TRUE(got == content) << "sizes " << got.size() << " and " << content.size();
    } else {
        m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
        uint16_t port = request(wrq("backup.dcf"));
        for (size_t index = 1, at = 0; at <= content.size(); ++index, at += 512) {
            const size_t n = std::min<size_t>(512, content.size() - at);
            const auto block = static_cast<uint16_t>(index);
            Packet a = only(feed(data(block, Bytes(content.begin() + at, content.begin() + at + n)), port));
            ASSERT_EQ(a.op(), 4) << "block " << index;
            ASSERT_EQ(a.block(), block);
            if (near(index)) blocks.push_back(a.block());
            if (n < 512) break;
        }
        auto got = readFile(inRoot("backup.dcf"));
        ASSERT_TRUE(got);
        EXPECT_TRUE(*got == content) << "sizes " << got->size() << " and " << content.size();
    }
    EXPECT_EQ(blocks, (std::vector<uint16_t>{65533, 65534, 65535, 0, 1}));
    EXPECT_EQ(lastStatus(0), HvTFTP_Success);
    EXPECT_EQ(m_log.back().bytesDone, static_cast<int64_t>(content.size()));
}

INSTANTIATE_TEST_SUITE_P(Directions, TftpScriptedWrap, ::testing::Values(Direction::Read, Direction::Write),
                         [](const auto& info) { return info.param == Direction::Read ? "Read" : "Write"; });

}  // namespace
