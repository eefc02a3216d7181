#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <ostream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTimer>

#include "library/HvException.h"
#include "library/HvSNMPSession.h"
#include "library/snmp/HvSnmpFakeTransport.h"
#include "platform/HvExceptionHook.h"
#include "tests/snmp/SnmpTestSupport.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// "HvSNMP_PP_Application", each octet as 'A' + high nibble, 'A' + low nibble.
const std::string kEncodedId = "EIHGFDEOENFAFPFAFAFPEBHAHAGMGJGDGBHEGJGPGO";

class BootCounter : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        testTransport();
    }
    std::string dir() const { return m_dir.path().toStdString(); }
    std::string file() const { return dir() + "/HvSNMP_PP_BootCounter"; }
    QTemporaryDir m_dir;
};

TEST_F(BootCounter, FirstStartWritesOneAndEachStartAddsOne) {
    HvSNMPSession::initialize(dir());
    EXPECT_EQ(readFile(file()), kEncodedId + " 1\n");
    HvSNMPSession::initialize(dir() + "/");
    EXPECT_EQ(readFile(file()), kEncodedId + " 2\n");
    _SnmpEventProcessor::stop();
}

TEST_F(BootCounter, OtherEnginesAndCommentsAreKept) {
    writeFile(file(), "# engine boots\nAAAB 7\r\n" + kEncodedId + " 41\n");
    HvSNMPSession::initialize(dir());
    _SnmpEventProcessor::stop();
    EXPECT_EQ(readFile(file()), "# engine boots\nAAAB 7\r\n" + kEncodedId + " 42\n");
}

struct BadFile {
    const char* name;
    const char* text;
};
void PrintTo(const BadFile& c, std::ostream* os) {
    *os << c.name;
}

class MalformedBootCounter : public BootCounter, public ::testing::WithParamInterface<BadFile> {};

TEST_P(MalformedBootCounter, StopsTheStartWith507) {
    writeFile(file(), GetParam().text);
    try {
        HvSNMPSession::initialize(dir());
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -507);
        EXPECT_STREQ(e.what(), "(HvSNMP++) Error when loading SNMP engine boots counter!");
    }
    EXPECT_EQ(readFile(file()), GetParam().text) << "a file that could not be read is left alone";
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedBootCounter,
                         ::testing::Values(BadFile{"NoNumber", "EIHG\n"}, BadFile{"LowerCase", "eihg 3\n"},
                                           BadFile{"OddLength", "EIH 3\n"},
                                           BadFile{"NotDecimal", "EIHG 3x\n"},
                                           BadFile{"Negative", "EIHG -3\n"},
                                           BadFile{"TooLarge", "EIHG 99999999999\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BootCounter, UnwritableDirectoryStopsTheStartWith508) {
    try {
        HvSNMPSession::initialize(dir() + "/missing");
        FAIL() << "no exception";
    } catch (const HvException& e) {
        EXPECT_EQ(e.helpContext(), -508);
    }
}

TEST_F(BootCounter, ResultsOfTheReader) {
    int32_t boots = 99;
    EXPECT_EQ(HvSNMPSession::getBootCounter(file(), "HvSNMP_PP_Application", boots), -2);
    writeFile(file(), "AAAB 7\n");
    EXPECT_EQ(HvSNMPSession::getBootCounter(file(), "HvSNMP_PP_Application", boots), -1);
    EXPECT_EQ(boots, 99);
    EXPECT_EQ(HvSNMPSession::getBootCounter(file(), std::string("\x00\x01", 2), boots), 0);
    EXPECT_EQ(boots, 7);
}

// Module instances for several devices share the working directory: writers that race never leave
// a file a reader cannot parse.
TEST_F(BootCounter, ConcurrentWritersNeverCorruptTheFile) {
    std::vector<pid_t> children;
    for (int c = 0; c < 3; ++c) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (int i = 1; i <= 200; ++i)
                if (HvSNMPSession::saveBootCounter(file(), std::string(1, char('a' + c)), i) != 0) _exit(1);
            _exit(0);
        }
        children.push_back(pid);
    }
    for (bool running = true; running;) {
        int32_t boots = 0;
        int r = HvSNMPSession::getBootCounter(file(), "a", boots);
        ASSERT_TRUE(r == 0 || r == -1 || r == -2) << "reader saw result " << r;
        running = false;
        for (pid_t pid : children) running = running || waitpid(pid, nullptr, WNOHANG) == 0;
    }
    for (pid_t pid : children) waitpid(pid, nullptr, 0);
    int32_t boots = 0;
    EXPECT_EQ(HvSNMPSession::getBootCounter(file(), "a", boots), 0);
}

TEST_F(BootCounter, StartWritesTheDefaults) {
    HvSNMPSession::defaults.address = "10.1.1.1";
    HvSNMPSession::defaults.version = 3;
    HvSNMPSession::initialize(dir());
    _SnmpEventProcessor::stop();
    const HvSNMPDefaults& d = HvSNMPSession::defaults;
    EXPECT_EQ(d.address, "127.0.0.1");
    EXPECT_EQ(d.port, 161);
    EXPECT_EQ(d.version, 0);
    EXPECT_EQ(d.readCommunity, "kiwano");
    EXPECT_EQ(d.writeCommunity, "morello");
    EXPECT_EQ(d.timeout, 100);
    EXPECT_EQ(d.securityModel, 1);
    EXPECT_EQ(d.securityLevel, 1);
    EXPECT_EQ(d.authProtocol, 1);
    EXPECT_EQ(d.privProtocol, 1);
    EXPECT_TRUE(d.contextName.empty() && d.contextEngineId.empty() && d.securityName.empty());
}

// The pump against a fake engine: completions run from the Qt event loop, never inside the send.
class Pump : public ::testing::Test {
protected:
    void SetUp() override {
        testTransport();
        m_saved = HvSNMPSession::session;
        HvSNMPSession::session = &m_fake;
        m_savedHandler = HvSetExceptionHandler([this](std::exception_ptr e) {
            try {
                std::rethrow_exception(e);
            } catch (const std::exception& x) {
                m_handled.push_back(x.what());
            }
        });
        _SnmpEventProcessor::start();
    }
    void TearDown() override {
        _SnmpEventProcessor::stop();
        HvSetExceptionHandler(m_savedHandler);
        HvSNMPSession::session = m_saved;
    }
    // Runs the event loop until done() or a deadline.
    bool loopUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        return done();
    }
    HvSnmpCall call() {
        HvSnmpCall c;
        c.target.address = "127.0.0.1";
        HvVarBind vb;
        vb.oid = "1.3.6.1.2.1.1.5.0";
        c.varbinds.push_back(vb);
        return c;
    }
    HvSnmpFakeTransport m_fake;
    HvSnmpTransport* m_saved = nullptr;
    HvExceptionHandler m_savedHandler;
    std::vector<std::string> m_handled;
};

TEST_F(Pump, ExceptionOfACompletionGoesToTheHandlerAndTheRestStillRun) {
    m_fake.setResponder([](const HvSnmpCall&) { return HvSnmpReply{}; });
    int later = 0;
    m_fake.sendAsync(call(), {}, [](const HvSnmpReply&) { throw std::runtime_error("page failed"); });
    m_fake.sendAsync(call(), {}, [&](const HvSnmpReply&) { ++later; });
    ASSERT_TRUE(loopUntil([&] { return later == 1; }));
    ASSERT_EQ(m_handled.size(), 1u);
    EXPECT_EQ(m_handled[0], "page failed");
    EXPECT_TRUE(_SnmpEventProcessor::running());
}

TEST_F(Pump, ACompletionThatRunsTheEventLoopGetsNoNestedPump) {
    m_fake.setResponder([](const HvSnmpCall&) { return HvSnmpReply{}; });
    int depth = 0, maxDepth = 0, calls = 0;
    auto completion = [&](const HvSnmpReply&) {
        ++calls;
        maxDepth = std::max(maxDepth, ++depth);
        // As a modal dialog would: the event loop runs while the completion is still on the stack.
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        --depth;
    };
    m_fake.sendAsync(call(), {}, completion);
    m_fake.sendAsync(call(), {}, completion);
    ASSERT_TRUE(loopUntil([&] { return calls == 2; }));
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(Pump, ExpiredOwnerIsSkipped) {
    m_fake.setResponder([](const HvSnmpCall&) { return HvSnmpReply{}; });
    auto owner = std::make_shared<int>(0);
    int calls = 0, after = 0;
    m_fake.sendAsync(call(), std::weak_ptr<const void>(owner), [&](const HvSnmpReply&) { ++calls; });
    owner.reset();
    m_fake.sendAsync(call(), {}, [&](const HvSnmpReply&) { ++after; });
    ASSERT_TRUE(loopUntil([&] { return after == 1; }));
    EXPECT_EQ(calls, 0);
}

}  // namespace
