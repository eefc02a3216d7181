#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/snmp/HvVarBind.h"

// The seam between the request layer and the SNMP engine: one net-snmp implementation for the device,
// one scripted fake for the request layer's own tests. No net-snmp type crosses it.

enum class HvSnmpOp : uint8_t { Get, GetNext, Set };

// Outcomes are numbered as SNMP++ numbers them, so that the library's translation table folds them
// into its codes: agent error status 1..18 as they come, class errors negative, SNMPv3 message
// processing -1402.., user security 1401...
namespace HvSnmpStatus {
constexpr int32_t Success = 0;
constexpr int32_t GeneralError = -1;
constexpr int32_t Timeout = -5;
constexpr int32_t SessionClosed = -8;  // the session went away with the request outstanding
constexpr int32_t InvalidPdu = -11;
constexpr int32_t InvalidTarget = -12;  // a version other than 0, 1 and 3
constexpr int32_t InvalidOid = -17;
constexpr int32_t InvalidAddress = -18;
constexpr int32_t SendFailed = -22;

constexpr int32_t UnsupportedSecurityModel = -1402;
constexpr int32_t InvalidMessage = -1405;
constexpr int32_t UnknownPduHandlers = -1415;
constexpr int32_t UnavailableContext = -1416;
constexpr int32_t UnknownContext = -1417;

constexpr int32_t UsmError = 1401;
constexpr int32_t UsmUnsupportedSecurityLevel = 1403;
constexpr int32_t UsmUnknownSecurityName = 1404;
constexpr int32_t UsmEncryptionError = 1405;
constexpr int32_t UsmDecryptionError = 1406;
constexpr int32_t UsmAuthenticationFailure = 1408;
constexpr int32_t UsmParseError = 1409;
constexpr int32_t UsmUnknownEngineId = 1410;
constexpr int32_t UsmNotInTimeWindow = 1411;
constexpr int32_t UsmUnsupportedAuthProtocol = 1412;
constexpr int32_t UsmUnsupportedPrivProtocol = 1413;
}  // namespace HvSnmpStatus

// Who is asked, and how. Codes as the module's configuration gives them: version 0 (v1), 1 (v2c),
// 3 (v3); security level 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv; security model 3 (USM) for v3;
// authentication protocol 1 none, 2 HMAC-MD5, 3 HMAC-SHA, 4..7 HMAC-SHA-224..512; privacy protocol
// 1 none, 2 DES, 3 3DES-EDE (not offered), 4 AES-128.
struct HvSnmpTarget {
    std::string address;  // dotted IPv4 address or host name
    uint16_t port = 161;
    int32_t version = 0;
    std::string readCommunity;   // sent with Get and GetNext
    std::string writeCommunity;  // sent with Set
    int32_t securityModel = 3;
    int32_t securityLevel = 1;
    std::string securityName;
    int32_t authProtocol = 1;
    int32_t privProtocol = 1;
    std::string authPassword;
    std::string privPassword;
    std::string contextName;      // raw octets
    std::string contextEngineId;  // raw octets; empty: the agent's own engine ID
};

struct HvSnmpCall {
    HvSnmpOp op = HvSnmpOp::Get;
    std::vector<HvVarBind> varbinds;  // values are ignored for Get and GetNext
    HvSnmpTarget target;
    int32_t timeout = 100;  // per attempt, in 10 ms units
    int32_t retries = 1;    // attempts after the first
};

// A failed operation (time-out, report, send failure) carries the call's own bindings with their
// OIDs as sent and Null values, as SNMP++ leaves them in its PDU; an agent's answer, also one with
// an error status, carries the answer's bindings.
struct HvSnmpReply {
    int32_t status = HvSnmpStatus::Success;
    int32_t errorIndex = 0;
    std::vector<HvVarBind> varbinds;
    std::string agentAddress;  // dotted source address of the answer
    uint16_t agentPort = 0;
    // An asynchronous operation's own bindings, as its call sent them: they stand in for what an
    // answer lacks. Handed back rather than kept by the caller, which saves a copy on every send.
    std::vector<HvVarBind> sent;
};

// The reply is the completion's own: it may take it apart instead of copying it.
using HvSnmpCompletion = std::function<void(HvSnmpReply&)>;

class HvSnmpTransport {
public:
    virtual ~HvSnmpTransport() = default;

    // True when the text is a dotted IPv4 address or a host name that resolves to one.
    virtual bool checkAddress(const std::string& address) = 0;

    // Blocks until the answer, the last time-out or a failure. Never runs an asynchronous completion.
    virtual HvSnmpReply sendSync(const HvSnmpCall& call) = 0;

    // Starts the operation and returns the status of the send (0 when it is under way); the call
    // becomes the operation's, moved in by a caller that needs it no more. Whatever it returns, the
    // completion runs exactly once, later, from processPending(); unless the owner has expired by
    // then, in which case the outcome is dropped. An owner that is an empty weak pointer never
    // expires.
    virtual int32_t sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner,
                              HvSnmpCompletion completion) = 0;

    // Receives what has arrived, handles time-outs and retries, then runs the completions that are
    // due, one by one. A completion that throws leaves this call with its exception; the completions
    // after it stay queued for the next call.
    virtual void processPending() = 0;
    // The same, woken because the socket fd of pollDescriptors() turned readable: reads that one
    // socket without asking whether it holds anything, and leaves time-outs to processPending().
    virtual void processReadable(int fd) {
        (void)fd;
        processPending();
    }

    // Sockets whose readability means processPending() has work. The set changes as sessions open;
    // compare socketsGeneration() to notice.
    virtual std::vector<int> pollDescriptors() const = 0;
    virtual uint64_t socketsGeneration() const = 0;

    // Asynchronous operations started and not yet completed or dropped.
    virtual std::size_t pendingCount() const = 0;
};
