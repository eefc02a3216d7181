// The TFTP server against the real clients the device's firmware is tested with: curl and tftp-hpa.
#include "TftpTestSupport.h"

#include <QProcess>
#include <QStandardPaths>

using namespace tftptest;

namespace {

enum class Client { Curl, TftpHpa };
enum class Direction { Get, Put };

struct ClientRun {
    bool finished = false;
    int exitCode = -1;
    QString output;
};

class TftpClients : public ServerFixture {
protected:
    void SetUp() override {
        ServerFixture::SetUp();
        m_local = m_dir.path() + "/client";
        ASSERT_TRUE(QDir().mkpath(m_local));
    }

    static QString program(Client c) {
        return QStandardPaths::findExecutable(c == Client::Curl ? "curl" : "tftp");
    }

    // Runs the client while the server keeps serving on this thread.
    ClientRun run(Client c, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program(c), args);
        ClientRun r;
        if (!p.waitForStarted(10000)) return r;
        r.finished = waitFor([&] { return p.state() == QProcess::NotRunning; }, 120000);
        if (!r.finished) {
            p.kill();
            p.waitForFinished(5000);
        }
        r.exitCode = p.exitCode();
        r.output = QString::fromLocal8Bit(p.readAll());
        return r;
    }

    QString url(const std::string& name) const {
        return QString("tftp://127.0.0.1:%1/%2").arg(m_server.LocalPort()).arg(QString::fromStdString(name));
    }

    // One transfer: the remote name on the server, the local file on the client's side.
    ClientRun transfer(Client c, Direction d, const std::string& remote, const QString& local,
                       const QStringList& extra = {}) {
        QString port = QString::number(m_server.LocalPort());
        QString name = QString::fromStdString(remote);
        if (c == Client::Curl) {
            QStringList args{"-sS", "--max-time", "60"};
            args << extra;
            if (d == Direction::Get)
                args << "-o" << local << url(remote);
            else
                args << "-T" << local << url(remote);
            return run(c, args);
        }
        return run(c, {"-m", "binary", "127.0.0.1", port, "-c", d == Direction::Get ? "get" : "put",
                       d == Direction::Get ? name : local, d == Direction::Get ? local : name});
    }

    // Sends or receives the content and checks that both sides end up equal.
    void roundTrip(Client c, Direction d, const Bytes& content) {
        if (program(c).isEmpty()) GTEST_SKIP() << "client not installed";
        QString local = m_local + "/file";
        if (d == Direction::Get) {
            writeFile(inRoot("fw.bin"), content);
            m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
        } else {
            writeFile(local, content);
            m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
        }
        ClientRun r = transfer(c, d, d == Direction::Get ? "fw.bin" : "backup.dcf", local);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 0) << r.output.toStdString();
        EXPECT_FALSE(r.output.contains("Error")) << r.output.toStdString();
        auto got = readFile(d == Direction::Get ? local : inRoot("backup.dcf"));
        ASSERT_TRUE(got.has_value());
        EXPECT_TRUE(*got == content) << "sizes " << got->size() << " and " << content.size();
        ASSERT_TRUE(waitStatus(0, HvTFTP_Success));
        EXPECT_EQ(folded(0).front(), HvTFTP_Connected);
        for (int32_t s : statuses(0)) EXPECT_GE(s, 0);
    }

    QString m_local;
};

struct ClientCase {
    Client client;
    Direction direction;
    size_t size;
};

std::string caseName(const ClientCase& c) {
    return std::string(c.client == Client::Curl ? "Curl" : "TftpHpa") +
           (c.direction == Direction::Get ? "Get" : "Put") + std::to_string(c.size);
}
void PrintTo(const ClientCase& c, std::ostream* os) {
    *os << caseName(c);
}

class TftpClientSizes : public TftpClients, public ::testing::WithParamInterface<ClientCase> {};

TEST_P(TftpClientSizes, FileArrivesByteForByte) {
    const auto& c = GetParam();
    roundTrip(c.client, c.direction, pattern(c.size, static_cast<uint32_t>(c.size)));
}

std::vector<ClientCase> clientCases() {
    std::vector<ClientCase> cases;
    for (Client c : {Client::Curl, Client::TftpHpa})
        for (Direction d : {Direction::Get, Direction::Put})
            for (size_t size : {0, 512, 1024, 1300, 100000}) cases.push_back({c, d, size});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Clients, TftpClientSizes, ::testing::ValuesIn(clientCases()),
                         [](const auto& info) { return caseName(info.param); });

// More than 65535 blocks: the block number wraps to 0 on both sides.
class TftpClientWrap : public TftpClients, public ::testing::WithParamInterface<ClientCase> {};

TEST_P(TftpClientWrap, FileOfMoreThan65535BlocksArrives) {
    const auto& c = GetParam();
    roundTrip(c.client, c.direction, pattern(c.size, 11));
}

INSTANTIATE_TEST_SUITE_P(Clients, TftpClientWrap,
                         ::testing::Values(ClientCase{Client::Curl, Direction::Get, 65536 * 512 + 100},
                                           ClientCase{Client::Curl, Direction::Put, 65536 * 512 + 100},
                                           ClientCase{Client::TftpHpa, Direction::Get, 65536 * 512 + 100},
                                           ClientCase{Client::TftpHpa, Direction::Put, 65536 * 512 + 100}),
                         [](const auto& info) { return caseName(info.param); });

struct RefusedByClient {
    const char* name;
    Direction direction;
    std::string remote;
    friend void PrintTo(const RefusedByClient& c, std::ostream* os) { *os << c.name; }
};

class TftpClientRefused : public TftpClients, public ::testing::WithParamInterface<RefusedByClient> {};

// What a client is refused it reports as a failure, and no file outside the expected ones appears.
TEST_P(TftpClientRefused, ClientsReportTheRefusal) {
    const auto& c = GetParam();
    writeFile(m_dir.path() + "/x", pattern(20));
    writeFile(inRoot("fw.bin"), pattern(20));
    m_server.ExpectTransfer(HvTFTP_Read, "fw.bin");
    m_server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
    QString local = m_local + "/file";
    if (c.direction == Direction::Put) writeFile(local, pattern(30, 2));
    int session = 0;
    for (Client client : {Client::Curl, Client::TftpHpa}) {
        if (program(client).isEmpty()) continue;
        if (c.direction == Direction::Get) QFile::remove(local);
        ClientRun r = transfer(client, c.direction, c.remote, local, {"--path-as-is"});
        ASSERT_TRUE(r.finished);
        if (client == Client::Curl)
            EXPECT_EQ(r.exitCode, 69) << r.output.toStdString();  // curl's "access violation"
        else
            EXPECT_TRUE(r.output.contains("Error code 2")) << r.output.toStdString();
        ASSERT_TRUE(waitEnded(session));
        EXPECT_EQ(*(statuses(session).end() - 2), HvTFTP_AccessViolation);
        ++session;
    }
    if (session == 0) GTEST_SKIP() << "no client installed";
    EXPECT_EQ(readFile(m_dir.path() + "/x"), pattern(20));
    EXPECT_EQ(rootEntries(), QStringList{"fw.bin"});
}

INSTANTIATE_TEST_SUITE_P(Names, TftpClientRefused,
                         ::testing::Values(RefusedByClient{"GetParent", Direction::Get, "../x"},
                                           RefusedByClient{"PutParent", Direction::Put, "../x"},
                                           RefusedByClient{"GetAbsolute", Direction::Get, "/etc/hostname"},
                                           RefusedByClient{"PutNotExpected", Direction::Put, "other.dcf"},
                                           RefusedByClient{"GetNotExpected", Direction::Get, "other.bin"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
