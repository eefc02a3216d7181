#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class HvNetSnmpTransport;
class HvSnmpTransport;

// The parameters every new request copies. The main window overwrites them from its command line
// and the device's file before it creates any request.
struct HvSNMPDefaults {
    std::string address;
    uint16_t port = 0;
    std::string contextName;
    std::string contextEngineId;
    uint8_t version = 0;
    std::string readCommunity;
    std::string writeCommunity;
    int32_t securityModel = 0;
    int32_t securityLevel = 0;
    std::string securityName;
    std::string authPassword;
    std::string privPassword;
    int32_t authProtocol = 0;
    int32_t privProtocol = 0;
    int32_t timeout = 0;  // units of 10 ms

    // The values the session start writes.
    static HvSNMPDefaults standard();
};

// The program's one SNMP engine, its defaults and the SNMPv3 identity.
class HvSNMPSession {
public:
    static constexpr const char* engineId = "HvSNMP_PP_Application";
    static constexpr const char* bootCounterFile = "HvSNMP_PP_BootCounter";

    // Creates the engine, counts this start in the boot-counter file of directory (empty: the
    // working directory), sets the engine identity and the defaults, and starts the event pump.
    // Raises the library's exception with -506 (no engine), -507 (the boot-counter file is
    // unreadable or malformed) or -508 (it cannot be written). Called once, before any request;
    // a second call keeps the engine and counts the start again.
    static void initialize(const std::string& directory);

    // Stops the pump and closes the engine; pending operations end as closed.
    static void shutdown();

    // The engine; null before initialize. Tests may put a fake in its place (not owned).
    static HvSnmpTransport* session;
    static HvSNMPDefaults defaults;
    // The net-snmp engine that initialize made, whether or not session points at it.
    static HvNetSnmpTransport* engine();

    // The boots counter of engineId in file: 0 found, -1 no entry, -2 the file cannot be opened,
    // -3 a malformed line, -4 a read error. boots is only written when found.
    static int getBootCounter(const std::string& file, const std::string& engineId, int32_t& boots);
    // Stores the counter, keeping the other engines' lines; written to a fresh file that replaces
    // the old one, so a reader never sees half a file. 0, or -4 (cannot create), -5 (cannot write),
    // -6 (cannot replace).
    static int saveBootCounter(const std::string& file, const std::string& engineId, int32_t boots);
};

// The event pump: a 20 ms timer on the GUI thread, also woken when a session's socket turns
// readable, so that an answer is handled as soon as it arrives. It only collects: it receives what
// arrived, handles time-outs and runs the transport's completions, which for requests do no more
// than queue their delivery (HvSNMPDelivery). The pump disables itself around that, so a transport
// completion that runs the event loop never causes a nested pump. An exception from one is handed
// to the application's exception handler. After a pass that a socket woke, the pump delivers what
// the pass queued itself, outside the pass; what a pass of the timer queues is posted.
class _SnmpEventProcessor {
public:
    static void start();
    static void stop();
    static void onTimer();
    // A session's socket turned readable.
    static void onReadable(int fd);
    static bool running();

private:
    static void runPass(int fd);
};

// Completions of the request layer, delivered from the GUI event loop one by one, in the order they
// were queued, each only while its owner lives. A completion that opens a modal dialog therefore
// never holds the pump: answers go on arriving under the dialog, and the completions queued behind
// it are delivered from the dialog's own loop. One posted event per drain, no timer; none at all for
// what a pass that a socket woke collected, which the pump delivers itself after the pass.
class HvSNMPDelivery {
public:
    using Task = std::function<void()>;

    // task runs once, later, from the event loop; not at all when owner has expired by then (an
    // empty owner never expires). An exception from it goes to the application's handler, and the
    // tasks after it still run.
    static void post(std::weak_ptr<const void> owner, Task task);
    // Runs what is queued now, as the event loop would; for callers that have no loop running.
    static void deliverQueued();
    static std::size_t queued();
};
