#include "library/HvTFTPServer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include "library/HvException.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlockSize = 512;
constexpr size_t kBufferSize = 2048;
constexpr size_t kMaxSessions = 8;  // a flood of requests must not open sockets and files without end
// A received file stays answerable this long after its last ACK, so that a client whose last ACK was
// lost gets it again; longer would hold the session, its socket and its end back for nothing.
constexpr int64_t kMaxDallyMs = 1000;
constexpr int kMaxReadsPerWakeup = 64;
constexpr size_t kFileBuffer = 64 * 1024;  // files move in large reads and writes, not one per block

constexpr uint16_t OpRRQ = 1;
constexpr uint16_t OpWRQ = 2;
constexpr uint16_t OpDATA = 3;
constexpr uint16_t OpACK = 4;
constexpr uint16_t OpERROR = 5;

// TFTP error codes sent.
constexpr uint16_t ErrUndefined = 0;
constexpr uint16_t ErrNotFound = 1;
constexpr uint16_t ErrAccess = 2;
constexpr uint16_t ErrDiskFull = 3;
constexpr uint16_t ErrIllegal = 4;
constexpr uint16_t ErrUnknownTid = 5;

uint16_t get16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}
void put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v & 0xFF);
}

// Tests and a module started without the privilege for port 69 move the standard port.
int32_t effectivePort(int32_t port) {
    if (port != 69) return port;
    const char* env = std::getenv("HV_TFTP_PORT");
    if (!env || !*env) return port;
    int value = 0;
    const char* end = env + std::strlen(env);
    auto [p, ec] = std::from_chars(env, end, value);
    if (ec != std::errc() || p != end || value < 0 || value > 65535) return port;
    return value;
}

std::string realPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer)) return {};
    return buffer;
}

bool isInside(const std::string& path, const std::string& root, bool rootItself) {
    if (path == root) return rootItself;
    if (root == "/") return !path.empty() && path[0] == '/';
    return path.size() > root.size() && path.compare(0, root.size(), root) == 0 && path[root.size()] == '/';
}

}  // namespace

std::string HvTFTPStatusText(int32_t code) {
    switch (code) {
        case HvTFTP_Success:
            return "(HvTFTP) Success to transfer file.";
        case HvTFTP_Transferring:
            return "(HvTFTP) File is transferring...";
        case HvTFTP_Connected:
            return "(HvTFTP) A TFTP session is connected...";
        case HvTFTP_Disconnected:
            return "(HvTFTP) A TFTP session is disconnected...";
        case HvTFTP_UndefinedError:
            return "(HvTFTP) Undefined error:";
        case HvTFTP_FileNotFound:
            return "(HvTFTP) File not found!";
        case HvTFTP_AccessViolation:
            return "(HvTFTP) Access violation!";
        case HvTFTP_DiskFull:
            return "(HvTFTP) Disk full!";
        case HvTFTP_BadOperation:
            return "(HvTFTP) Bad operation!";
        case HvTFTP_UnknownPort:
            return "(HvTFTP) Unknown port!";
        case HvTFTP_FileExists:
            return "(HvTFTP) File already exist!";
        case HvTFTP_NoSuchUser:
            return "(HvTFTP) No such user!";
        case HvTFTP_SocketError:
            return "(HvTFTP) Fail to open socket!Please check if the network is ready.";
        case HvTFTP_SendError:
            return "(HvTFTP) Fail to send or receive socket packet!";
        case HvTFTP_NotReady:
            return "(HvTFTP) Socket is not ready!";
        case HvTFTP_BadPacket:
            return "(HvTFTP) Bad packet!";
        case HvTFTP_Timeout:
            return "(HvTFTP) Timeout!";
        case HvTFTP_Canceled:
            return "(HvTFTP) Transfer has been canceled.";
        default:
            return {};
    }
}

// One transfer on a socket of its own (its port is the server's transfer identifier), locked to the
// address and port of the client that made the request.
class _TFTPSession {
public:
    _TFTPSession(const HvTFTPMsg& msg, HvTFTPStatusCallback callback, const std::string& root,
                 const UdpEndpoint& peer, int32_t retryLimit, bool allowed,
                 std::unique_ptr<DatagramSocket> socket);
    ~_TFTPSession();

    void Begin();
    void HandlePacket();
    void SetStatus(int32_t code);
    bool Resend();
    bool IsSameRequest(int32_t kind, const std::string& mode, const UdpEndpoint& peer,
                       const std::string& fileName) const;

    bool Running() const { return state == 1; }
    // A received file dallies after its last ACK (see kMaxDallyMs).
    bool Lingering(Clock::time_point now) const { return m_dallyUntil && now < *m_dallyUntil; }
    void DropCallback() { m_onStatus = nullptr; }

    int32_t state = 1;  // 1 running, 2 ended with success, 0 ended with a failure
    // Set while the session runs its own code: a status callback that processes events (a page's
    // modal wait) must not let the timer destroy the session under its feet.
    int busy = 0;
    std::optional<Clock::time_point> deadline;

private:
    void handleDatagram(size_t length, const UdpEndpoint& from);
    int openForRead();
    int openForWrite();
    long readBlock(uint8_t* into);
    bool writeAll(const uint8_t* data, size_t size);
    bool flush();
    bool finishWrite();
    void closeFile();
    bool sendLast();
    void sendError(uint16_t code);
    void fail(uint16_t errorCode, int32_t status);
    void cancel();
    void armDeadline();
    void sendData();

    HvTFTPMsg m_msg;
    HvTFTPStatusCallback m_onStatus;
    std::string m_root;
    bool m_cancel = false;
    std::array<uint8_t, kBufferSize> m_send{};
    std::array<uint8_t, kBufferSize> m_recv{};
    size_t m_sendLength = 0;
    std::unique_ptr<DatagramSocket> m_socket;
    int m_fd = -1;
    std::vector<uint8_t> m_fileBuffer;
    size_t m_bufferStart = 0;  // read: the next byte to send
    size_t m_bufferEnd = 0;    // read: the end of what was read; write: the bytes not yet written
    std::string m_path;
    std::string m_tempPath;  // a received file until it is complete
    std::optional<mode_t> m_replacedMode;  // the mode of the file a received one replaces
    UdpEndpoint m_peer;
    int32_t m_retryLimit;
    bool m_allowed;
    uint16_t m_block = 0;  // read: the block last sent; write: the block last accepted (0: none yet)
    bool m_haveData = false;
    std::optional<Clock::time_point> m_dallyUntil;
};

_TFTPSession::_TFTPSession(const HvTFTPMsg& msg, HvTFTPStatusCallback callback, const std::string& root,
                           const UdpEndpoint& peer, int32_t retryLimit, bool allowed,
                           std::unique_ptr<DatagramSocket> socket)
    : m_msg(msg),
      m_onStatus(std::move(callback)),
      m_root(root),
      m_socket(std::move(socket)),
      m_peer(peer),
      m_retryLimit(retryLimit),
      m_allowed(allowed) {
    m_msg.bytesDone = 0;
    m_msg.lastBlockLength = -1;
    SetStatus(HvTFTP_Connected);
    if (!m_socket->bind(0, 0)) {
        SetStatus(HvTFTP_SocketError);
        return;
    }
    m_socket->setOnReadable([this] { HandlePacket(); });
}

_TFTPSession::~_TFTPSession() {
    m_socket->close();
    closeFile();
    SetStatus(HvTFTP_Disconnected);
}

bool _TFTPSession::IsSameRequest(int32_t kind, const std::string& mode, const UdpEndpoint& peer,
                                 const std::string& fileName) const {
    return m_msg.kind == kind && m_msg.mode == mode && m_peer == peer && m_msg.fileName == fileName;
}

void _TFTPSession::SetStatus(int32_t code) {
    m_msg.status = code;
    m_msg.statusText = HvTFTPStatusText(code);
    if (m_onStatus) m_onStatus(m_msg, m_cancel);
    if (code == HvTFTP_Success) {
        closeFile();
        state = 2;
    } else if (code < 0) {
        closeFile();
        deadline.reset();
        state = 0;
    } else if (code != HvTFTP_Disconnected) {
        state = 1;
    }
}

void _TFTPSession::closeFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    // A received file that did not complete never replaces the file it was meant for.
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool _TFTPSession::sendLast() {
    return m_socket->sendTo(m_send.data(), m_sendLength, m_peer);
}

void _TFTPSession::sendError(uint16_t code) {
    // opcode, code and an empty message
    uint8_t packet[5] = {};
    put16(packet, OpERROR);
    put16(packet + 2, code);
    m_socket->sendTo(packet, sizeof packet, m_peer);  // the session ends anyway
}

void _TFTPSession::fail(uint16_t errorCode, int32_t status) {
    uint8_t packet[5] = {};
    put16(packet, OpERROR);
    put16(packet + 2, errorCode);
    bool sent = m_socket->sendTo(packet, sizeof packet, m_peer);
    SetStatus(sent ? status : HvTFTP_SendError);
}

// A cancel also tells the client, so that it stops at once instead of waiting for its time-out.
void _TFTPSession::cancel() {
    sendError(ErrUndefined);
    SetStatus(HvTFTP_Canceled);
}

void _TFTPSession::armDeadline() {
    int32_t t = std::max<int32_t>(m_msg.timeout, 1);
    deadline = Clock::now() + std::chrono::milliseconds(int64_t{t} * 10);
}

namespace {
struct Busy {
    explicit Busy(int& counter) : m_counter(counter) { ++m_counter; }
    ~Busy() { --m_counter; }
    int& m_counter;
};
}  // namespace

void _TFTPSession::Begin() {
    Busy guard(busy);
    if (state != 1) return;
    if (m_cancel) {
        cancel();
        return;
    }
    if (!HvTFTPServer::IsTransferMode(m_msg.mode)) {
        fail(ErrIllegal, HvTFTP_BadOperation);
        return;
    }
    if (!m_allowed) {
        fail(ErrAccess, HvTFTP_AccessViolation);
        return;
    }
    if (m_msg.kind == HvTFTP_Read) {
        int error = openForRead();
        if (error) {
            fail(error, error == ErrNotFound ? HvTFTP_FileNotFound : HvTFTP_AccessViolation);
            return;
        }
        long count = readBlock(m_send.data() + 4);
        if (count < 0) {
            fail(ErrUndefined, HvTFTP_UndefinedError);
            return;
        }
        m_block = 1;
        m_msg.lastBlockLength = static_cast<int32_t>(count);
        m_msg.bytesDone = count;
        sendData();
    } else if (m_msg.kind == HvTFTP_Write) {
        int error = openForWrite();
        if (error) {
            fail(error, HvTFTP_AccessViolation);
            return;
        }
        m_block = 0;
        put16(m_send.data(), OpACK);
        put16(m_send.data() + 2, 0);
        m_sendLength = 4;
        m_msg.retryCount = 1;
        bool sent = sendLast();
        armDeadline();
        SetStatus(sent ? HvTFTP_Transferring : HvTFTP_SendError);
    } else {
        fail(ErrIllegal, HvTFTP_BadOperation);
    }
}

// DATA m_block with the lastBlockLength bytes already in the send buffer.
void _TFTPSession::sendData() {
    put16(m_send.data(), OpDATA);
    put16(m_send.data() + 2, m_block);
    m_sendLength = 4 + static_cast<size_t>(m_msg.lastBlockLength);
    m_msg.retryCount = 1;
    bool sent = sendLast();
    armDeadline();
    SetStatus(sent ? HvTFTP_Transferring : HvTFTP_SendError);
}

int _TFTPSession::openForRead() {
    std::string root = realPath(m_root);
    if (root.empty()) return ErrAccess;
    std::string path = m_root + m_msg.fileName;
    // No symbolic link as the file itself, and nothing that could block the thread (a FIFO).
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ErrNotFound : ErrAccess;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !isInside(realPath(path), root, false)) {
        ::close(fd);
        return ErrAccess;
    }
    m_fd = fd;
    m_path = path;
    return 0;
}

int _TFTPSession::openForWrite() {
    std::string root = realPath(m_root);
    if (root.empty()) return ErrAccess;
    std::string path = m_root + m_msg.fileName;
    size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string realDir = realPath(dir.empty() ? "/" : dir);
    if (realDir.empty() || base.empty() || !isInside(realDir, root, true)) return ErrAccess;
    std::string target = (realDir == "/" ? std::string() : realDir) + "/" + base;

    // Only a regular file the user may write is replaced; never a link, a folder or a device.
    struct stat st {};
    bool exists = ::lstat(target.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || ::access(target.c_str(), W_OK) != 0)) return ErrAccess;
    if (exists) m_replacedMode = st.st_mode & 07777;

    // The file arrives under a temporary name beside the target and replaces it only when complete.
    // Nobody else may read it meanwhile: a configuration holds the device's passwords and keys.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = (realDir == "/" ? std::string() : realDir) + "/." + base + ".part-" +
                           std::to_string(::getpid()) + "-" + std::to_string(m_msg.sessionNumber) + "-" +
                           std::to_string(attempt);
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return ErrAccess;
        }
        m_fd = fd;
        m_tempPath = temp;
        m_path = target;
        return 0;
    }
    return ErrAccess;
}

long _TFTPSession::readBlock(uint8_t* into) {
    if (m_fileBuffer.empty()) m_fileBuffer.resize(kFileBuffer);
    long total = 0;
    while (total < kBlockSize) {
        if (m_bufferStart == m_bufferEnd) {
            ssize_t n = ::read(m_fd, m_fileBuffer.data(), m_fileBuffer.size());
            if (n < 0) {
                if (errno == EINTR) continue;
                return -1;
            }
            if (n == 0) break;
            m_bufferStart = 0;
            m_bufferEnd = static_cast<size_t>(n);
        }
        size_t take = std::min(m_bufferEnd - m_bufferStart, static_cast<size_t>(kBlockSize - total));
        std::memcpy(into + total, m_fileBuffer.data() + m_bufferStart, take);
        m_bufferStart += take;
        total += static_cast<long>(take);
    }
    return total;
}

// Collects the received blocks; a failure to write them shows at the latest before the last ACK.
bool _TFTPSession::writeAll(const uint8_t* data, size_t size) {
    if (m_fileBuffer.empty()) m_fileBuffer.resize(kFileBuffer);
    if (m_bufferEnd + size > m_fileBuffer.size() && !flush()) return false;
    std::memcpy(m_fileBuffer.data() + m_bufferEnd, data, size);
    m_bufferEnd += size;
    return true;
}

bool _TFTPSession::flush() {
    size_t done = 0;
    while (done < m_bufferEnd) {
        ssize_t n = ::write(m_fd, m_fileBuffer.data() + done, m_bufferEnd - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<size_t>(n);
    }
    m_bufferEnd = 0;
    return true;
}

bool _TFTPSession::finishWrite() {
    if (!flush()) return false;
    int fd = m_fd;
    m_fd = -1;
    // A replaced file keeps its mode; a new one stays the owner's alone.
    if (m_replacedMode && ::fchmod(fd, *m_replacedMode) != 0) {
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) return false;
    if (::rename(m_tempPath.c_str(), m_path.c_str()) != 0) return false;
    m_tempPath.clear();
    return true;
}

bool _TFTPSession::Resend() {
    Busy guard(busy);
    if (state != 1 || m_msg.retryCount >= m_retryLimit) return false;
    ++m_msg.retryCount;
    bool sent = sendLast();
    armDeadline();
    SetStatus(sent ? HvTFTP_Transferring : HvTFTP_SendError);
    return true;
}

void _TFTPSession::HandlePacket() {
    Busy guard(busy);
    // Every waiting datagram is read, also by a session that has ended: an unread one would keep
    // the notification firing.
    for (int i = 0; i < kMaxReadsPerWakeup; ++i) {
        UdpEndpoint from;
        m_recv.fill(0);
        long n = m_socket->receiveFrom(m_recv.data(), m_recv.size(), from);
        if (n < 0) break;
        handleDatagram(static_cast<size_t>(n), from);
    }
}

void _TFTPSession::handleDatagram(size_t length, const UdpEndpoint& from) {
    if (length < 4) return;
    uint16_t op = get16(m_recv.data());
    if (!(from == m_peer)) {
        // Another host or port: it gets told so, and the transfer goes on undisturbed.
        if (op == OpERROR) return;
        static const char text[] = "Unknown transfer ID";
        uint8_t packet[4 + sizeof text] = {};
        put16(packet, OpERROR);
        put16(packet + 2, ErrUnknownTid);
        std::memcpy(packet + 4, text, sizeof text);
        m_socket->sendTo(packet, sizeof packet, from);
        return;
    }
    bool running = state == 1 && (m_fd >= 0);
    if (op == OpERROR) {
        // The client gave up: end now, without an answer, instead of resending into the void.
        if (!running) return;
        uint16_t code = get16(m_recv.data() + 2);
        deadline.reset();
        SetStatus(HvTFTP_UndefinedError - std::min<int32_t>(code, 7));
        return;
    }
    uint16_t block = get16(m_recv.data() + 2);

    if (m_msg.kind == HvTFTP_Read) {
        if (!running || op != OpACK || block != m_block) return;  // old or stray ACKs send nothing
        deadline.reset();
        if (m_cancel) {
            cancel();
            return;
        }
        if (m_msg.lastBlockLength < kBlockSize) {
            SetStatus(HvTFTP_Success);
            return;
        }
        long count = readBlock(m_send.data() + 4);
        if (count < 0) {
            fail(ErrUndefined, HvTFTP_UndefinedError);
            return;
        }
        ++m_block;  // wraps from 65535 to 0, as the clients expect
        m_msg.lastBlockLength = static_cast<int32_t>(count);
        m_msg.bytesDone += count;
        sendData();
        return;
    }

    if (m_msg.kind != HvTFTP_Write || op != OpDATA) return;
    size_t size = length - 4;
    if (size > static_cast<size_t>(kBlockSize)) {
        // No TFTP block: cut to a block and acknowledged, it would leave a corrupted file.
        if (running) fail(ErrIllegal, HvTFTP_BadOperation);
        return;
    }
    if (m_haveData && block == m_block && (running || m_dallyUntil)) {
        // The client did not get our ACK and sent the block again: acknowledge it again.
        sendLast();
        return;
    }
    if (!running || block != static_cast<uint16_t>(m_block + 1)) return;
    deadline.reset();
    if (m_cancel) {
        cancel();
        return;
    }
    if (!writeAll(m_recv.data() + 4, size)) {
        fail(ErrDiskFull, HvTFTP_DiskFull);
        return;
    }
    m_block = block;
    m_haveData = true;
    m_msg.lastBlockLength = static_cast<int32_t>(size);
    m_msg.bytesDone += static_cast<int64_t>(size);
    bool last = size < static_cast<size_t>(kBlockSize);
    if (last && !finishWrite()) {
        fail(ErrDiskFull, HvTFTP_DiskFull);
        return;
    }
    put16(m_send.data(), OpACK);
    put16(m_send.data() + 2, m_block);
    m_sendLength = 4;
    m_msg.retryCount = 1;
    bool sent = sendLast();
    if (last) {
        m_dallyUntil = Clock::now() + std::chrono::milliseconds(std::min<int64_t>(
                                          int64_t{std::max<int32_t>(m_msg.timeout, 1)} * 10, kMaxDallyMs));
        SetStatus(sent ? HvTFTP_Success : HvTFTP_SendError);
    } else {
        armDeadline();
        SetStatus(sent ? HvTFTP_Transferring : HvTFTP_SendError);
    }
}

// ---------------------------------------------------------------------------------------------

HvTFTPServer::HvTFTPServer(QObject* owner, DatagramSocketFactory sockets)
    : QObject(owner), m_sockets(std::move(sockets)) {
    if (!m_sockets) {
        m_sockets = [] { return std::make_unique<UdpSocket>(); };
        m_msg.localAddress = UdpSocket::firstLocalAddress();
    }
    m_listener = m_sockets();
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
    m_listener->setOnReadable([this] { HandleRequest(); });
}

HvTFTPServer::~HvTFTPServer() {
    // The owner is going away: no status reaches it any more, and what is left is torn down
    // (sockets closed, unfinished files removed).
    m_onStatus = nullptr;
    for (auto& s : m_sessions) s->DropCallback();
    Stop();
    m_sessions.clear();
}

void HvTFTPServer::SetTimeoutRetries(int32_t timeout, int32_t retries) {
    m_msg.timeout = timeout;
    m_retryLimit = retries;
}

void HvTFTPServer::SetOnStatus(HvTFTPStatusCallback callback) {
    m_onStatus = std::move(callback);
}

void HvTFTPServer::SetDeviceAddress(const std::string& address) {
    m_hasDeviceAddress = UdpEndpoint::parseAddress(address, m_deviceAddress);
}

void HvTFTPServer::ExpectTransfer(int32_t kind, const std::string& fileName) {
    if (!IsExpected(kind, fileName)) m_expected.emplace_back(kind, fileName);
}

void HvTFTPServer::ClearExpectedTransfers() {
    m_expected.clear();
}

bool HvTFTPServer::IsExpected(int32_t kind, const std::string& fileName) const {
    return std::find(m_expected.begin(), m_expected.end(), std::make_pair(kind, fileName)) !=
           m_expected.end();
}

bool HvTFTPServer::IsTransferMode(const std::string& mode) {
    auto same = [&](std::string_view served) {
        return std::equal(mode.begin(), mode.end(), served.begin(), served.end(),
                          [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b; });
    };
    return same("octet") || same("netascii");
}

bool HvTFTPServer::IsSafeName(const std::string& fileName) {
    if (fileName.empty() || fileName.front() == '/') return false;
    if (fileName.find_first_of(std::string("\\:\0", 3)) != std::string::npos) return false;
    size_t start = 0;
    while (start <= fileName.size()) {
        size_t end = fileName.find('/', start);
        if (end == std::string::npos) end = fileName.size();
        std::string_view part(fileName.data() + start, end - start);
        if (part.empty() || part == "..") return false;
        start = end + 1;
    }
    return true;
}

void HvTFTPServer::Start(const std::string& rootFolder, int32_t port) {
    std::string root = rootFolder;
    std::replace(root.begin(), root.end(), '\\', '/');
    if (!root.empty() && root.back() != '/') root += '/';
    m_root = root;
    port = effectivePort(port);
    m_msg.port = port;
    if (m_listener->isOpen()) return;

    if (port < 0 || port > 65535 || !m_listener->bind(static_cast<uint16_t>(port), 0)) {
        Stop();
        m_msg.status = HvTFTP_SocketError;
        m_msg.statusText = HvTFTPStatusText(HvTFTP_SocketError);
        throw HvException(m_msg.statusText, HvTFTP_SocketError);
    }
    m_timer.start();
}

void HvTFTPServer::Stop() {
    m_listener->close();
    if (m_stopping) return;
    m_stopping = true;
    if (!m_sessions.empty()) {
        // The sessions go on while we wait; the timer removes them as they end.
        m_timer.start();
        QElapsedTimer waited;
        waited.start();
        // Without a time limit processEvents blocks until something happens; the 20 ms timer
        // guarantees that (with a limit it would spin the processor for the whole wait).
        while (!m_sessions.empty() && waited.elapsed() < m_stopWaitMs && QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::WaitForMoreEvents);
    }
    m_stopping = false;
    // A Start from an event handled while waiting keeps its timer.
    if (!m_listener->isOpen()) m_timer.stop();
}

_TFTPSession* HvTFTPServer::FindSession(int32_t kind, const std::string& mode, const UdpEndpoint& peer,
                                        const std::string& fileName) const {
    // An ended session is no longer the request's: a client asking again gets a new one.
    for (const auto& s : m_sessions)
        if (s->Running() && s->IsSameRequest(kind, mode, peer, fileName)) return s.get();
    return nullptr;
}

size_t HvTFTPServer::RunningSessions() const {
    return static_cast<size_t>(
        std::count_if(m_sessions.begin(), m_sessions.end(), [](const auto& s) { return s->Running(); }));
}

void HvTFTPServer::HandleRequest() {
    std::array<uint8_t, kBufferSize> buffer;
    for (int i = 0; i < kMaxReadsPerWakeup && m_listener->isOpen(); ++i) {
        UdpEndpoint from;
        long n = m_listener->receiveFrom(buffer.data(), buffer.size(), from);
        if (n < 0) break;
        if (n < 4) continue;
        // Only the managed device is served; other hosts get no answer at all.
        if (!m_hasDeviceAddress || from.address != m_deviceAddress) continue;
        m_msg.status = HvTFTP_Connected;
        m_msg.statusText = HvTFTPStatusText(HvTFTP_Connected);

        uint16_t op = get16(buffer.data());
        if (op != OpRRQ && op != OpWRQ) continue;
        int32_t kind = op == OpRRQ ? HvTFTP_Read : HvTFTP_Write;
        // File name and mode must both end inside the datagram; options after them are ignored.
        const char* begin = reinterpret_cast<const char*>(buffer.data());
        const char* end = begin + n;
        const char* name = begin + 2;
        const char* nameEnd = std::find(name, end, '\0');
        if (nameEnd == end) continue;
        const char* mode = nameEnd + 1;
        const char* modeEnd = std::find(mode, end, '\0');
        if (modeEnd == end) continue;
        std::string fileName(name, nameEnd);
        std::string modeText(mode, modeEnd);

        if (FindSession(kind, modeText, from, fileName)) continue;  // a repeated request
        // Only running sessions hold the limit: refused or finished ones end without further work.
        if (RunningSessions() >= kMaxSessions) continue;

        m_msg.kind = kind;
        m_msg.mode = modeText;
        m_msg.fileName = fileName;
        m_msg.peerAddress = from.addressText();
        m_msg.peerPort = from.port;
        m_msg.retryCount = 0;
        ++m_msg.sessionNumber;
        bool allowed = !m_root.empty() && IsSafeName(fileName) && IsExpected(kind, fileName);
        m_sessions.push_back(std::make_unique<_TFTPSession>(m_msg, m_onStatus, m_root, from, m_retryLimit,
                                                            allowed, m_sockets()));
        m_sessions.back()->Begin();
    }
}

void HvTFTPServer::Tick() {
    if (m_inTick) return;
    m_inTick = true;
    auto now = Clock::now();
    // By index: a status callback may process events, and a request handled meanwhile adds a session.
    for (size_t i = 0; i < m_sessions.size(); ++i) {
        _TFTPSession* s = m_sessions[i].get();
        if (s->busy || !s->Running()) continue;
        if (s->deadline && *s->deadline < now && !s->Resend()) s->SetStatus(HvTFTP_Timeout);
    }
    // Every ended session goes at once, out of the list first: its destruction reports a status, and
    // that callback may look at the list.
    std::vector<std::unique_ptr<_TFTPSession>> gone;
    for (auto it = m_sessions.begin(); it != m_sessions.end();) {
        _TFTPSession* s = it->get();
        if (s->busy || s->Running() || (s->Lingering(now) && !m_stopping)) {
            ++it;
            continue;
        }
        gone.push_back(std::move(*it));
        it = m_sessions.erase(it);
    }
    for (auto& s : gone) s.reset();
    m_inTick = false;
}
