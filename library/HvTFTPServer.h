#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "platform/UdpSocket.h"

// Status codes of a transfer. -1101 to -1108 are the TFTP error codes 0 to 7 as -1101 minus the code.
enum : int32_t {
    HvTFTP_Success = 3,
    HvTFTP_Transferring = 2,
    HvTFTP_Connected = 1,
    HvTFTP_Disconnected = 0,
    HvTFTP_UndefinedError = -1101,
    HvTFTP_FileNotFound = -1102,
    HvTFTP_AccessViolation = -1103,
    HvTFTP_DiskFull = -1104,
    HvTFTP_BadOperation = -1105,
    HvTFTP_UnknownPort = -1106,
    HvTFTP_FileExists = -1107,
    HvTFTP_NoSuchUser = -1108,
    HvTFTP_SocketError = -1109,
    HvTFTP_SendError = -1110,
    HvTFTP_NotReady = -1111,
    HvTFTP_BadPacket = -1112,
    HvTFTP_Timeout = -1113,
    HvTFTP_Canceled = -1114,
};

// Request kinds, as the opcodes of the requests.
enum : int32_t {
    HvTFTP_Read = 1,   // the client reads: the server sends a file
    HvTFTP_Write = 2,  // the client writes: the server receives a file
};

// The text of a status code; empty for a code that is not one.
std::string HvTFTPStatusText(int32_t code);

// One transfer: the server holds the values the next session starts from, each session its own copy.
struct HvTFTPMsg {
    int32_t status = HvTFTP_NotReady;
    std::string statusText = HvTFTPStatusText(HvTFTP_NotReady);
    int32_t kind = 0;
    std::string mode = "octet";  // recorded only: every transfer is octet for octet
    std::string peerAddress = "0.0.0.0";
    std::string localAddress = "127.0.0.1";
    int32_t port = 69;
    std::string spareText;
    std::string fileName;
    int64_t bytesDone = 0;
    int32_t lastBlockLength = -1;
    int32_t peerPort = 0;
    int32_t sessionNumber = -1;
    int32_t reserved = 0;
    int32_t timeout = 1000;  // 10 ms units
    int32_t retryCount = 0;
};

// Called each time a session's status is set, with the session's message; setting cancel ends the
// session at its next step.
using HvTFTPStatusCallback = std::function<void(const HvTFTPMsg& msg, bool& cancel)>;

class _TFTPSession;

// The TFTP server the access point reads its firmware and configuration from and writes its
// configuration and log to. Everything runs on the thread that created it, from socket notifications
// and a 20 ms timer. Its sockets come from the factory it is given (UdpSocket when none is), so that
// a test can play the network in memory.
//
// It serves only what the page expects: requests from the device's address, for a file name the page
// registered with ExpectTransfer, relative to the root folder and inside it, regular files only.
// Anything else from the device is refused with an ERROR packet; requests from other hosts get no answer.
class HvTFTPServer : public QObject {
public:
    explicit HvTFTPServer(QObject* owner = nullptr, DatagramSocketFactory sockets = {});
    ~HvTFTPServer() override;

    // Time-out in 10 ms units and the number of sends of one packet, for sessions created afterwards.
    void SetTimeoutRetries(int32_t timeout, int32_t retries);
    void SetOnStatus(HvTFTPStatusCallback callback);

    // Sets the root folder and starts listening on the port (0: any free port; the standard port 69
    // is replaced by $HV_TFTP_PORT when that is set). On a started server it only changes the root.
    // Throws HvException with the text of -1109 (and -1109 as its help context) when the port cannot
    // be opened; the server is then stopped.
    void Start(const std::string& rootFolder, int32_t port);

    // Closes the listening port and lets running sessions finish, waiting at most the stop wait
    // (10000 ms) while events are processed, then stops the timer.
    void Stop();

    // The device's address; only requests from it are served.
    void SetDeviceAddress(const std::string& address);
    // Registers a transfer the page expects: kind HvTFTP_Read or HvTFTP_Write and the file name as the
    // device will send it, relative to the root folder.
    void ExpectTransfer(int32_t kind, const std::string& fileName);
    void ClearExpectedTransfers();

    // The port the server listens on, 0 when stopped.
    uint16_t LocalPort() const { return m_listener->localPort(); }
    const HvTFTPMsg& Msg() const { return m_msg; }
    // Sessions in the list, the ended ones not yet removed included.
    size_t SessionCount() const { return m_sessions.size(); }
    void SetStopWait(int milliseconds) { m_stopWaitMs = milliseconds; }

    // The timer's step: resends, time-outs, and the removal of every ended session.
    void Tick();

    // A name the server may serve at all: relative, without "..", "\" or ":".
    static bool IsSafeName(const std::string& fileName);
    // The transfer modes served, ignoring case: "octet" and "netascii" (served as octet as well).
    static bool IsTransferMode(const std::string& mode);

private:
    void HandleRequest();
    size_t RunningSessions() const;
    _TFTPSession* FindSession(int32_t kind, const std::string& mode, const UdpEndpoint& peer,
                              const std::string& fileName) const;
    bool IsExpected(int32_t kind, const std::string& fileName) const;

    int32_t m_retryLimit = 3;
    HvTFTPMsg m_msg;
    HvTFTPStatusCallback m_onStatus;
    std::string m_root;
    DatagramSocketFactory m_sockets;
    std::unique_ptr<DatagramSocket> m_listener;
    std::vector<std::unique_ptr<_TFTPSession>> m_sessions;
    QTimer m_timer;

    uint32_t m_deviceAddress = 0;
    bool m_hasDeviceAddress = false;
    std::vector<std::pair<int32_t, std::string>> m_expected;
    int m_stopWaitMs = 10000;
    bool m_stopping = false;
    bool m_inTick = false;
};
