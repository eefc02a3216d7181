#include "library/HvSNMPSession.h"

#include <charconv>
#include <cstdio>
#include <deque>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/HvExceptionHook.h"
#include "library/HvException.h"
#include "library/HvSNMPError.h"
#include "library/snmp/HvNetSnmpTransport.h"

HvSnmpTransport* HvSNMPSession::session = nullptr;
HvSNMPDefaults HvSNMPSession::defaults;

namespace {

std::unique_ptr<HvNetSnmpTransport> g_engine;

constexpr int kSessionCode = -506;
constexpr int kBootsLoadCode = -507;
constexpr int kBootsSaveCode = -508;

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    std::string path = directory;
    if (path.back() == '\\') path.back() = '/';
    if (path.back() != '/') path += '/';
    return path + name;
}

// Each octet as two letters, 'A' plus its high and its low nibble.
std::string encodeEngineId(const std::string& engineId) {
    std::string text;
    for (unsigned char c : engineId) {
        text += static_cast<char>('A' + (c >> 4));
        text += static_cast<char>('A' + (c & 0x0f));
    }
    return text;
}

bool isEncodedId(std::string_view text) {
    if (text.empty() || text.size() % 2 != 0) return false;
    for (char c : text)
        if (c < 'A' || c > 'P') return false;
    return true;
}

// One line of the file: the encoded engine ID, a blank, the decimal boots. Comments and blank lines
// give nullopt in id.
struct Line {
    bool entry = false;
    bool valid = true;
    std::string id;
    int32_t boots = 0;
};

Line parseLine(std::string text) {
    Line line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') return line;
    line.entry = true;
    std::size_t blank = text.find_first_of(" \t", first);
    if (blank == std::string::npos) {
        line.valid = false;
        return line;
    }
    line.id = text.substr(first, blank - first);
    std::size_t digits = text.find_first_not_of(" \t", blank);
    std::size_t end = text.find_last_not_of(" \t");
    if (!isEncodedId(line.id) || digits == std::string::npos) {
        line.valid = false;
        return line;
    }
    const char* b = text.data() + digits;
    const char* e = text.data() + end + 1;
    auto [ptr, ec] = std::from_chars(b, e, line.boots);
    if (ec != std::errc() || ptr != e || line.boots < 0) line.valid = false;
    return line;
}

// ---- the pump ----

struct Pump {
    QTimer* timer = nullptr;
    std::vector<QSocketNotifier*> notifiers;
    uint64_t generation = std::numeric_limits<uint64_t>::max();
    bool started = false;
    bool inside = false;
    bool notifiersOn = true;  // as a new notifier is
};

// Lives as long as the process: the timer and notifiers must not be destroyed by static
// destruction after the application object has gone. shutdown() frees them in order.
Pump& pump() {
    static Pump* p = new Pump;
    return *p;
}

void dropNotifiers() {
    Pump& p = pump();
    for (QSocketNotifier* n : p.notifiers) delete n;
    p.notifiers.clear();
    p.generation = std::numeric_limits<uint64_t>::max();
}

void enableNotifiers(bool on) {
    Pump& p = pump();
    if (p.notifiersOn == on) return;
    p.notifiersOn = on;
    for (QSocketNotifier* n : p.notifiers) n->setEnabled(on);
}

// Runs the pump from the socket's own event, without the two activated signals per answer.
class PumpNotifier final : public QSocketNotifier {
public:
    explicit PumpNotifier(int fd) : QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read), m_fd(fd) {}

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::SockAct) return QSocketNotifier::event(e);
        // The pass may drop this notifier: nothing of it is touched afterwards.
        _SnmpEventProcessor::onReadable(m_fd);
        return true;
    }

private:
    const int m_fd;
};

// A closed socket's number may come back for a new session, so the notifiers are made afresh
// whenever the set of sockets has changed.
void syncNotifiers() {
    Pump& p = pump();
    HvSnmpTransport* t = HvSNMPSession::session;
    if (!t) {
        dropNotifiers();
        return;
    }
    if (t->socketsGeneration() == p.generation) return;
    dropNotifiers();
    p.generation = t->socketsGeneration();
    for (int fd : t->pollDescriptors()) {
        auto* n = new PumpNotifier(fd);
        n->setEnabled(p.notifiersOn);
        p.notifiers.push_back(n);
    }
}

// ---- the delivery of completions ----

class Delivery final : public QObject {
public:
    void post(std::weak_ptr<const void> owner, HvSNMPDelivery::Task task) {
        std::weak_ptr<const void> empty;
        const bool ownerless = !owner.owner_before(empty) && !empty.owner_before(owner);
        m_items.push_back(Item{m_nextSeq++, ownerless, std::move(owner), std::move(task)});
        if (!m_held) schedule();
    }

    // While held, what is posted waits for release without an event of its own: the pump takes what
    // a pass collected and delivers it itself, saving the loop a second wake-up per answer.
    void hold() { m_held = true; }
    void release(bool deliverNow) {
        m_held = false;
        if (deliverNow)
            deliver();
        else if (!m_items.empty())
            schedule();
    }

    // What is queued when the drain starts; what those tasks queue waits for the next drain, so a
    // completion that queues another cannot keep the loop from its other events.
    void deliver() {
        if (m_items.empty()) return;
        const uint64_t last = m_items.back().seq;
        while (!m_items.empty() && m_items.front().seq <= last) {
            Item item = std::move(m_items.front());
            m_items.pop_front();
            // This task may open a modal dialog: the next ones are then delivered from its loop.
            if (!m_items.empty()) schedule();
            if (!item.ownerless && item.owner.expired()) continue;
            try {
                item.task();
            } catch (...) {
                HvHandleException(std::current_exception());
            }
        }
        if (!m_items.empty()) schedule();
    }

    std::size_t size() const { return m_items.size(); }

protected:
    bool event(QEvent* e) override {
        if (e->type() != eventType()) return QObject::event(e);
        m_posted = false;
        deliver();
        return true;
    }

private:
    struct Item {
        uint64_t seq = 0;
        bool ownerless = true;
        std::weak_ptr<const void> owner;
        HvSNMPDelivery::Task task;
    };

    static QEvent::Type eventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    void schedule() {
        if (m_posted) return;
        m_posted = true;
        QCoreApplication::postEvent(this, new QEvent(eventType()));
    }

    std::deque<Item> m_items;
    uint64_t m_nextSeq = 0;
    bool m_posted = false;
    bool m_held = false;
};

// Lives as long as the process, as the pump does; made on the GUI thread by the first post.
Delivery& delivery() {
    static Delivery* d = new Delivery;
    return *d;
}

}  // namespace

void HvSNMPDelivery::post(std::weak_ptr<const void> owner, Task task) {
    delivery().post(std::move(owner), std::move(task));
}

void HvSNMPDelivery::deliverQueued() {
    delivery().deliver();
}

std::size_t HvSNMPDelivery::queued() {
    return delivery().size();
}

HvSNMPDefaults HvSNMPDefaults::standard() {
    HvSNMPDefaults d;
    d.address = "127.0.0.1";
    d.port = 161;
    d.version = 0;
    d.readCommunity = "kiwano";
    d.writeCommunity = "morello";
    d.securityModel = 1;
    d.securityLevel = 1;
    d.authProtocol = 1;
    d.privProtocol = 1;
    d.timeout = 100;
    return d;
}

int HvSNMPSession::getBootCounter(const std::string& file, const std::string& engineId, int32_t& boots) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return -2;
    const std::string wanted = encodeEngineId(engineId);
    std::string text;
    int result = -1;
    while (std::getline(in, text)) {
        Line line = parseLine(text);
        if (!line.entry) continue;
        if (!line.valid) return -3;
        if (result != 0 && line.id == wanted) {
            boots = line.boots;
            result = 0;
        }
    }
    if (in.bad()) return -4;
    return result;
}

int HvSNMPSession::saveBootCounter(const std::string& file, const std::string& engineId, int32_t boots) {
    const std::string wanted = encodeEngineId(engineId);
    std::string out;
    bool replaced = false;
    {
        std::ifstream in(file, std::ios::binary);
        std::string text;
        while (in && std::getline(in, text)) {
            Line line = parseLine(text);
            if (line.entry && line.valid && line.id == wanted) {
                if (replaced) continue;
                replaced = true;
                out += wanted + ' ' + std::to_string(boots) + '\n';
            } else {
                out += text + '\n';
            }
        }
    }
    if (!replaced) out += wanted + ' ' + std::to_string(boots) + '\n';

    // Several instances of the module may share the directory: each writes its own temporary file
    // and renames it over the old one.
    std::string temp = file + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) return -4;
    const char* data = out.data();
    std::size_t left = out.size();
    while (left > 0) {
        ssize_t n = write(fd, data, left);
        if (n < 0) {
            close(fd);
            unlink(temp.c_str());
            return -5;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    fchmod(fd, 0644);
    if (fsync(fd) != 0 || close(fd) != 0) {
        unlink(temp.c_str());
        return -5;
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        unlink(temp.c_str());
        return -6;
    }
    return 0;
}

void HvSNMPSession::initialize(const std::string& directory) {
    int32_t status = 0;
    if (!g_engine) {
        g_engine = HvNetSnmpTransport::create(status);
        if (!session) session = g_engine.get();
    }
    if (status != 0) HvRaiseCode(kSessionCode);

    const std::string file = joinPath(directory, bootCounterFile);
    int32_t boots = 0;
    int result = getBootCounter(file, engineId, boots);
    if (result < -2)
        HvRaiseCode(kBootsLoadCode);
    if (boots < std::numeric_limits<int32_t>::max()) ++boots;  // RFC 3414: the counter latches at its top
    if (saveBootCounter(file, engineId, boots) != 0)
        HvRaiseCode(kBootsSaveCode);
    g_engine->setEngineIdentity(engineId, boots);

    defaults = HvSNMPDefaults::standard();
    _SnmpEventProcessor::start();
}

HvNetSnmpTransport* HvSNMPSession::engine() {
    return g_engine.get();
}

void HvSNMPSession::shutdown() {
    _SnmpEventProcessor::stop();
    dropNotifiers();
    delete pump().timer;
    pump().timer = nullptr;
    if (session == g_engine.get()) session = nullptr;
    g_engine.reset();
}

void _SnmpEventProcessor::start() {
    Pump& p = pump();
    if (!p.timer) {
        // Made here, not at library start: a timer needs the application object.
        p.timer = new QTimer();
        p.timer->setInterval(20);
        QObject::connect(p.timer, &QTimer::timeout, p.timer, [] { onTimer(); });
    }
    p.started = true;
    if (!p.inside) {
        p.timer->start();
        syncNotifiers();
        enableNotifiers(true);
    }
}

void _SnmpEventProcessor::stop() {
    Pump& p = pump();
    p.started = false;
    if (p.timer) p.timer->stop();
    enableNotifiers(false);
}

bool _SnmpEventProcessor::running() {
    return pump().started;
}

void _SnmpEventProcessor::onTimer() {
    runPass(-1);
}

void _SnmpEventProcessor::onReadable(int fd) {
    runPass(fd);
}

// A pass that a socket woke delivers what it collected itself, once the pass is over: posting it
// would wake the loop a second time for each answer. A pass of the timer posts, since a QTimer does
// not fire inside its own handler's nested loop: a modal dialog opened from a completion run here
// would stop the ticks, and with them the time-outs.
void _SnmpEventProcessor::runPass(int fd) {
    Pump& p = pump();
    if (!p.started) return;
    if (p.inside) {
        // A transport completion runs the event loop: the sockets stay readable until it returns, so
        // they are quiet meanwhile instead of calling back on every pass. Only then: switching them
        // off and on around every pass would cost each answer two wake-ups of the loop. What the
        // pass has collected so far is delivered from that loop.
        enableNotifiers(false);
        delivery().release(false);
        return;
    }
    p.inside = true;
    const bool direct = fd >= 0;
    if (direct) delivery().hold();
    if (HvSnmpTransport* t = HvSNMPSession::session) {
        // The completions after one that threw are still queued: go on with them. Bounded, so that a
        // failure that is not a completion's cannot hold the GUI thread; the rest wait for the next tick.
        for (int attempt = 0; attempt < 64; ++attempt) {
            try {
                if (direct && attempt == 0)
                    t->processReadable(fd);
                else
                    t->processPending();
                break;
            } catch (...) {
                HvHandleException(std::current_exception());
            }
        }
    }
    p.inside = false;
    if (p.started) {
        syncNotifiers();
        enableNotifiers(true);
        if (!p.timer->isActive()) p.timer->start();
    }
    if (direct) delivery().release(true);
}
