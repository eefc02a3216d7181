// The TFTP server's handling of datagrams in every state of its sessions (request, data, ACK, error,
// unknown), on a network in memory: the server's own session table and file writes, no real socket.
//
// The input is a list of records: a control byte, a big-endian length (2 bytes), then that many bytes
// of datagram. Control bits 0-1: 0 to the listening port, 1 to the port that answered last, 2 a tick of
// the server's timer (no datagram read), 3 to an earlier answering port chosen by bits 5-7. Bit 2: from
// another port of the client; bit 3: from another host; bit 4: the network refuses sends from now on.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "library/HvTFTPServer.h"
#include "tests/library/ScriptedSockets.h"

namespace {

constexpr uint32_t kDevice = 0x7F000001;
constexpr uint32_t kOtherHost = 0x7F000002;
constexpr uint16_t kClientPort = 50000;

#define TFTP_FUZZ_CHECK(cond)                                                                 \
    do {                                                                                      \
        if (!(cond)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

uint16_t get16(const std::vector<uint8_t>& b, size_t at) {
    return b.size() >= at + 2 ? static_cast<uint16_t>(b[at] << 8 | b[at + 1]) : 0;
}

// The root the server serves, made once: a file to read and a place for the files written.
const QString& root() {
    static int argc = 1;
    static char name[] = "tftp_fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString r = dir.path() + "/root";
        QDir().mkpath(r + "/sub");
        QFile f(r + "/fw.bin");
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QByteArray bytes(1300, '\0');
            for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
            f.write(bytes);
        }
        return r;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString& dir = root();
    ScriptedNetwork net;
    std::vector<uint16_t> answering;  // the server's ports that answered, oldest first
    {
        HvTFTPServer server(nullptr, net.factory());
        server.SetTimeoutRetries(200, 3);
        server.SetStopWait(0);
        server.SetDeviceAddress("127.0.0.1");
        server.ExpectTransfer(HvTFTP_Read, "fw.bin");
        server.ExpectTransfer(HvTFTP_Write, "backup.dcf");
        server.ExpectTransfer(HvTFTP_Write, "sub/log.txt");
        server.SetOnStatus([](const HvTFTPMsg& msg, bool&) {
            TFTP_FUZZ_CHECK(msg.bytesDone >= 0);
            TFTP_FUZZ_CHECK(msg.lastBlockLength <= 512);
        });
        server.Start(dir.toStdString(), 0);
        const uint16_t listener = server.LocalPort();
        TFTP_FUZZ_CHECK(listener != 0);

        size_t at = 0;
        while (at + 3 <= size) {
            const uint8_t control = data[at];
            const size_t length = std::min<size_t>(static_cast<size_t>(data[at + 1] << 8 | data[at + 2]),
                                                   size - at - 3);
            const std::vector<uint8_t> datagram(data + at + 3, data + at + 3 + length);
            at += 3 + length;

            if (control & 0x10) net.setSendsFail(true);
            uint16_t port = listener;
            switch (control & 3) {
                case 1:
                    if (!answering.empty()) port = answering.back();
                    break;
                case 2:
                    server.Tick();
                    continue;
                case 3:
                    if (!answering.empty()) port = answering[(control >> 5) % answering.size()];
                    break;
                default:
                    break;
            }
            const UdpEndpoint from{(control & 8) ? kOtherHost : kDevice,
                                   static_cast<uint16_t>(kClientPort + ((control & 4) ? 1 : 0))};
            net.sent.clear();
            net.deliver(from, port, datagram);

            const uint16_t op = get16(datagram, 0);
            for (const auto& answer : net.sent) {
                // The server answers only whoever sent the datagram, with a well-formed packet.
                TFTP_FUZZ_CHECK(answer.to == from);
                TFTP_FUZZ_CHECK(answer.bytes.size() >= 4 && answer.bytes.size() <= 516);
                const uint16_t answerOp = get16(answer.bytes, 0);
                TFTP_FUZZ_CHECK(answerOp >= 3 && answerOp <= 5);
                // A request from another host gets no answer at all.
                TFTP_FUZZ_CHECK(!(port == listener && from.address != kDevice));
                // A block longer than 512 bytes is never acknowledged.
                TFTP_FUZZ_CHECK(!(op == 3 && datagram.size() > 516 && answerOp == 4));
                if (answer.from.port != listener &&
                    (answering.empty() || answering.back() != answer.from.port))
                    answering.push_back(answer.from.port);
            }
            if (answering.size() > 64) answering.erase(answering.begin());
        }
    }
    // Every socket is closed with the server, and no partial file outlives its session.
    TFTP_FUZZ_CHECK(net.boundSockets() == 0);
    for (const QString& sub : {QString(), QStringLiteral("/sub")})
        for (const QString& name : QDir(dir + sub).entryList(QDir::Files | QDir::Hidden))
            TFTP_FUZZ_CHECK(!name.contains(QLatin1String(".part-")));
    return 0;
}
