#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "library/HvSNMPError.h"
#include "library/HvSNMPSession.h"
#include "library/HvSNMPVarList.h"
#include "library/snmp/HvSnmpTransport.h"

// The SNMPv3 scope of a request: context name and context engine ID, both raw octets. An empty
// engine ID means the agent's own.
struct HvSNMPScope {
    std::string contextName;
    std::string contextEngineId;
};

// Version byte (0 v1, 1 v2c, 3 v3), the communities, and the SNMPv3 user. Codes as the command
// line gives them: model 3 is USM; level 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv; auth 1 none,
// 2 MD5, 3 SHA; priv 1 none, 2 DES, 3 triple DES, 4 IDEA, 19 AES-128, 20 AES-192, 21 AES-256 (the
// transport refuses what net-snmp cannot do: triple DES and IDEA).
struct HvSNMPSecurity {
    uint8_t version = 0;
    std::string readCommunity;
    std::string writeCommunity;
    int32_t securityModel = 1;
    int32_t securityLevel = 1;
    std::string securityName;
    std::string authPassword;
    std::string privPassword;
    int32_t authProtocol = 1;
    int32_t privProtocol = 1;
};

using HvSNMPMessageCallback = std::function<void(HvSNMPError*)>;
using HvSNMPCompletion = std::function<void(HvSNMPError*, HvSNMPVarList*)>;

class HvSNMPRequest;

// What one asynchronous send needs when its answer comes, and the answer until it is delivered.
// The request keeps these and gives each to one send at a time, so that an answer allocates nothing
// of its own. The alive token is the request's: once the request is gone the answer reaches nothing.
struct HvSNMPAsyncContext {
    HvSNMPRequest* request = nullptr;
    std::weak_ptr<const void> alive;
    bool busy = false;
    bool read = true;
    bool readBack = true;
    HvSNMPCompletion done;
    HvSnmpReply reply;
};

// The one place that speaks SNMP: an agent, its security and one variable list, read and written
// synchronously or asynchronously. Reads of the walk kinds advance one table row per call.
//
// SNMP failures are never raised: a synchronous operation clears ok, counts the failure and tells
// the message callback; an asynchronous one hands the error to its completion. Failures to build a
// request (bad address, wrong list kind, a value that does not convert) raise HvException with the
// library's code as help context.
class HvSNMPRequest {
public:
    // Told of every failure of a synchronous operation and of every failed send.
    HvSNMPMessageCallback messageCallback;
    // MVT_SV only: read the row with get-next instead of get.
    uint8_t getNextFlag = 0;
    int32_t timeout = 100;  // per attempt, in 10 ms units
    int32_t retries = 1;
    HvSNMPDevice device;
    HvSNMPScope scope;
    HvSNMPSecurity security;
    HvSNMPVarList varList;
    // Boolean condition over item values that a received row must satisfy to be shown.
    std::string filterText;

    // The session defaults under the names the main window uses; loadDefaults copies all of
    // HvSNMPSession::defaults.
    static inline std::string& defaultAddress = HvSNMPSession::defaults.address;
    static inline uint16_t& defaultPort = HvSNMPSession::defaults.port;
    static inline uint8_t& defaultVersion = HvSNMPSession::defaults.version;
    static inline std::string& defaultReadCommunity = HvSNMPSession::defaults.readCommunity;
    static inline std::string& defaultWriteCommunity = HvSNMPSession::defaults.writeCommunity;
    static inline int32_t& defaultTimeout = HvSNMPSession::defaults.timeout;

    // Takes the session's transport and its defaults.
    HvSNMPRequest();
    virtual ~HvSNMPRequest();
    HvSNMPRequest(const HvSNMPRequest&) = delete;
    HvSNMPRequest& operator=(const HvSNMPRequest&) = delete;

    void loadDefaults();

    // Synchronous read. Returns true when a walk delivered a row and more may follow. ok is only
    // ever cleared.
    bool get(bool* ok, bool first);
    // Asynchronous read: done runs once, later, from the event loop, with the outcome (also when the
    // request could not be sent); never once the request is gone.
    void getAsync(HvSNMPCompletion done, bool first);
    // Synchronous write of every writable item not flagged 0x20. A non-empty indexList ("0,2")
    // chooses the items, and values gives their texts in list order. The list is left as it was.
    bool set(bool* ok, bool readBack, const std::string& indexList, const std::vector<std::string>* values);
    void setAsync(HvSNMPCompletion done, bool readBack, const std::string& indexList,
                  const std::vector<std::string>* values);

    bool matchFilter() { return matchExpression(filterText); }
    bool matchCondition(const std::string& condition) { return matchExpression(condition); }

    // Outcomes that reached a request already destroyed, program-wide. The delivery drops them before
    // they do, so this stays 0; a test sees a broken guard here without a sanitizer.
    static uint64_t deadOwnerDeliveries();
    // True while an asynchronous completion runs and no event loop has been entered since it began
    // (a modal dialog it opens has one of its own). Whatever the event loop would run from here runs
    // on top of the completion: a handler there that waits for the completion's walk waits in vain,
    // since the walk's next step goes out only once the completion has returned.
    static bool inReplyHandler();

    int64_t failureCount() const { return m_failureCount; }
    bool alive() const { return m_alive; }
    int32_t outstanding() const { return m_outstanding; }
    // Ends the request ahead of its destruction, for an owner that bounds its own close: retire
    // clears the alive flag (no operation starts, answers still out reach nothing); abandon then
    // drops what is still out, so that the destructor has nothing left to wait for.
    void retire() { m_alive = false; }
    void abandon();

    HvSnmpTransport* transport() const { return m_transport; }
    // Tests put a fake in the session's place.
    void setTransport(HvSnmpTransport* transport) { m_transport = transport; }

    // The conversions, replaceable.
    virtual std::string evaluateExpression(const std::string& expression, bool booleanMode);
    virtual std::string indexToKey(int32_t k, const std::string& rowIndex);
    virtual std::string keyToIndex(int32_t k);
    virtual void vbToItem(int32_t i, const HvVarBind& vb);
    virtual void itemToVb(int32_t i, HvVarBind& vb);
    virtual void applyFormula(int32_t i, int direction);
    virtual bool matchExpression(const std::string& condition);
    // A walked column has ended when the returned OID is not inside the column (compared arc by
    // arc) or does not come after the last one. Asked for walks only.
    virtual bool columnEnded(const std::string& columnOid, const std::string& lastOid,
                             const std::string& returnedOid);

private:
    enum class Mode { FirstRead, NextRow, Write };

    HvSnmpCall buildCall(HvSnmpOp op);
    std::vector<HvVarBind> buildBindings(Mode mode);
    std::string columnOid(int32_t i) const;
    void columnOidInto(std::string& out, int32_t i, std::string_view tail = {}) const;
    bool isWalk() const;
    bool isPlainColumn(const std::string& columnOid);
    bool readOp(HvSnmpOp& op) const;
    bool readAnswer(const std::vector<HvVarBind>& answer, const std::vector<HvVarBind>& sent, int32_t code,
                    bool* ok, bool sync, int32_t& progressError);
    void markMissingObjects(HvSnmpReply& reply) const;
    void decodeRowIndex(const std::string& rowIndex);
    void reportFailure(int32_t code, const std::string& message);
    void reportFailure(int32_t status);
    void sendAsync(HvSnmpCall&& call, HvSNMPCompletion&& done, bool readBack);
    // A context no send holds now, made on first need.
    HvSNMPAsyncContext& freeContext();
    void deliverLater(HvSNMPCompletion done, int32_t code);
    // Counts an outcome whose request has gone; true when it must reach nothing.
    static bool reachedDeadOwner(const std::weak_ptr<const void>& alive);
    // Takes the reply's bindings for the next read.
    void onAsyncReply(HvSNMPAsyncContext& context);
    void keepBindings(std::vector<HvVarBind>& bindings);

    bool m_alive = true;
    int32_t m_outstanding = 0;
    int64_t m_failureCount = 0;
    HvSnmpTransport* m_transport = nullptr;
    std::shared_ptr<int> m_token;
    // The bindings of the last operation, handed back: their room serves the next read.
    std::vector<HvVarBind> m_spareBindings;
    // Every asynchronous send's context, used again once its answer is delivered; stable addresses,
    // which the transport's completion and the delivery hold.
    std::vector<std::unique_ptr<HvSNMPAsyncContext>> m_contexts;
    // Column OIDs known to be plain dotted decimal.
    std::vector<std::string> m_plainColumns;
};
