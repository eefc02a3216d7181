#include "library/HvSNMPRequest.h"

#include <algorithm>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include "library/HvException.h"
#include "library/HvNumList.h"
#include "library/HvUtil.h"
#include "library/HvValueConv.h"
#include "library/HvValueText.h"

namespace {

// How long a dying request waits for its outstanding answers.
constexpr qint64 kDestructorWaitMs = 6000;

// An agent that hands back an OID before the one asked for would keep a walk going for ever; the
// walk ends with this status ("Agent indicates error in SNMP request").
constexpr int32_t kStatusNoProgress = -19;

// v1's noSuchName, as the agent sends it and as the library numbers it.
constexpr int32_t kStatusNoSuchName = 2;
constexpr int32_t kNoSuchName = -102;

// Outcomes that reached a request after its destruction: the delivery must have dropped them.
uint64_t g_deadOwnerDeliveries = 0;

// Reply handlers running now. A request destroyed inside one does not wait for its answers: the
// wait would run the event loop, and with it other completions, beneath a handler that is deleting
// things; what is outstanding is dropped by the token instead.
int g_replyDepth = 0;
// The event loop level the innermost of them started at.
int g_replyLoopLevel = -1;

int loopLevel() {
    const QThread* thread = QThread::currentThread();
    return thread ? thread->loopLevel() : 0;
}

struct DepthGuard {
    const int outerLevel = g_replyLoopLevel;
    DepthGuard() {
        ++g_replyDepth;
        g_replyLoopLevel = loopLevel();
    }
    ~DepthGuard() {
        --g_replyDepth;
        g_replyLoopLevel = outerLevel;
    }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
};

std::string ownMessage(int32_t code) {
    return HvMessageText(HvMessageTable::Own, static_cast<std::size_t>(-(code + 500)));
}

}  // namespace

HvSNMPRequest::HvSNMPRequest() : m_transport(HvSNMPSession::session), m_token(std::make_shared<int>(0)) {
    loadDefaults();
}

HvSNMPRequest::~HvSNMPRequest() {
    m_alive = false;
    // Answers arrive through the pump and the event loop; let them run, unless we are inside a reply
    // handler or there is no event loop at all.
    if (m_outstanding > 0 && g_replyDepth == 0 && QCoreApplication::instance()) {
        QElapsedTimer clock;
        clock.start();
        QTimer wake;  // bounds each wait below, whatever else is pending
        wake.start(10);
        while (m_outstanding > 0 && clock.elapsed() < kDestructorWaitMs)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    // Whatever is still outstanding now finds the token expired and is dropped, however long its
    // time-out.
    m_token.reset();
}

void HvSNMPRequest::abandon() {
    m_alive = false;
    // The transport and the delivery drop every outcome whose token has expired.
    m_token.reset();
    m_outstanding = 0;
}

void HvSNMPRequest::loadDefaults() {
    const HvSNMPDefaults& d = HvSNMPSession::defaults;
    device = HvSNMPDevice{d.address, d.port};
    scope = HvSNMPScope{d.contextName, d.contextEngineId};
    security.version = d.version;
    security.readCommunity = d.readCommunity;
    security.writeCommunity = d.writeCommunity;
    security.securityModel = d.securityModel;
    security.securityLevel = d.securityLevel;
    security.securityName = d.securityName;
    security.authPassword = d.authPassword;
    security.privPassword = d.privPassword;
    security.authProtocol = d.authProtocol;
    security.privProtocol = d.privProtocol;
    timeout = d.timeout;
}

// ---- conversions ---------------------------------------------------------------------------

std::string HvSNMPRequest::evaluateExpression(const std::string& expression, bool booleanMode) {
    return HvValueConv::evaluateExpression(varList, expression, booleanMode);
}

std::string HvSNMPRequest::indexToKey(int32_t k, const std::string& rowIndex) {
    return HvValueConv::indexToKey(varList, k, rowIndex);
}

std::string HvSNMPRequest::keyToIndex(int32_t k) {
    return HvValueConv::keyToIndex(varList, k);
}

void HvSNMPRequest::vbToItem(int32_t i, const HvVarBind& vb) {
    HvValueConv::vbToItem(varList, i, vb);
}

void HvSNMPRequest::itemToVb(int32_t i, HvVarBind& vb) {
    HvValueConv::itemToVb(varList, i, vb);
}

void HvSNMPRequest::applyFormula(int32_t i, int direction) {
    HvValueConv::applyFormula(varList, i, direction);
}

bool HvSNMPRequest::matchExpression(const std::string& condition) {
    return HvValueConv::matchExpression(varList, condition);
}

namespace {

// Dotted decimal as answers come formatted: digits and single dots only, no leading zeros, each arc
// within 32 bits. Two such texts order arc by arc as their arcs' texts do, a shorter arc first.
bool isPlainOid(std::string_view t) {
    const char* at = t.data();
    const char* const end = at + t.size();
    while (true) {
        const char* const first = at;
        while (at != end && static_cast<unsigned>(*at - '0') <= 9) ++at;
        const std::size_t n = static_cast<std::size_t>(at - first);
        if (n == 0 || (n > 1 && *first == '0') || n > 10 || (n == 10 && std::string_view(first, n) > "4294967295"))
            return false;
        if (at == end) return true;
        if (*at++ != '.') return false;
    }
}

// The order of two plain texts, without reading their numbers.
int comparePlainOids(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (true) {
        std::size_t endA = i, endB = j;
        while (endA < a.size() && a[endA] != '.') ++endA;
        while (endB < b.size() && b[endB] != '.') ++endB;
        if (endA - i != endB - j) return endA - i < endB - j ? -1 : 1;
        for (; i < endA; ++i, ++j)
            if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
        const bool lastA = endA == a.size(), lastB = endB == b.size();
        if (lastA || lastB) return lastA && lastB ? 0 : lastA ? -1 : 1;
        ++i;
        ++j;
    }
}

// The arcs of oid below column, when oid's text starts with column's and a dot.
bool textBelow(std::string_view column, std::string_view oid, std::string_view& rest) {
    if (oid.size() <= column.size() + 1 || oid[column.size()] != '.' || oid.compare(0, column.size(), column) != 0)
        return false;
    rest = oid.substr(column.size() + 1);
    return true;
}

}  // namespace

bool HvSNMPRequest::columnEnded(const std::string& columnOid, const std::string& lastOid,
                                const std::string& returnedOid) {
    if (!isWalk()) return false;
    // Every answer of a walk comes here. The usual one, a row of the column after a row of it, in
    // texts as the adapter writes them, is told by its rows' arcs alone, compared as texts.
    std::string_view returnedRow, lastRow;
    if (textBelow(columnOid, returnedOid, returnedRow) && isPlainOid(returnedRow) && isPlainColumn(columnOid)) {
        if (lastOid.empty()) return false;
        if (textBelow(columnOid, lastOid, lastRow) && isPlainOid(lastRow))
            return comparePlainOids(returnedRow, lastRow) <= 0;
    }
    const HvOidOrder inColumn = HvCompareOids(columnOid, returnedOid);
    if (!inColumn.valid || !inColumn.firstIsPrefix) return true;
    if (lastOid.empty()) return false;
    const HvOidOrder progress = HvCompareOids(returnedOid, lastOid);
    return progress.valid && progress.compare <= 0;
}

// A walk asks about the same few columns on every row: those found plain are remembered.
bool HvSNMPRequest::isPlainColumn(const std::string& columnOid) {
    for (const std::string& known : m_plainColumns)
        if (known.size() == columnOid.size() && known.back() == columnOid.back() && known == columnOid) return true;
    if (!isPlainOid(columnOid)) return false;
    constexpr std::size_t kRemembered = 32;
    if (m_plainColumns.size() == kRemembered) m_plainColumns.clear();
    m_plainColumns.push_back(columnOid);
    return true;
}

// ---- building ------------------------------------------------------------------------------

bool HvSNMPRequest::isWalk() const {
    return varList.kind() == MVT_FMV || varList.kind() == MVT_UMV;
}

std::string HvSNMPRequest::columnOid(int32_t i) const {
    std::string out;
    columnOidInto(out, i);
    return out;
}

// Into out, whose room is kept: each read builds one of these per item.
void HvSNMPRequest::columnOidInto(std::string& out, int32_t i, std::string_view tail) const {
    const std::string& suffix = varList.instanceSuffix();
    const std::string& oid = varList.item(i).oid;
    out.clear();
    out.reserve(oid.size() + (suffix.empty() ? 0 : suffix.size() + 1) + tail.size());
    out += oid;
    if (!suffix.empty()) {
        out += '.';
        out += suffix;
    }
    out += tail;
}

// The read operation for the list's kind; false for a kind no request knows.
bool HvSNMPRequest::readOp(HvSnmpOp& op) const {
    switch (varList.kind()) {
        case SVT_SV:
            op = HvSnmpOp::Get;
            return true;
        case MVT_SV:
            op = getNextFlag ? HvSnmpOp::GetNext : HvSnmpOp::Get;
            return true;
        case MVT_FMV:
        case MVT_UMV:
            op = HvSnmpOp::GetNext;
            return true;
        default:
            return false;
    }
}

HvSnmpCall HvSNMPRequest::buildCall(HvSnmpOp op) {
    // Without a session there is nothing to send through.
    if (!m_transport) HvRaiseCode(HvErrSessionCreate);
    // An empty address would otherwise go to the local host.
    if (device.address.empty() || !m_transport->checkAddress(device.address)) HvRaiseCode(HvErrBadAddress);
    HvSnmpCall call;
    call.op = op;
    call.timeout = timeout;
    call.retries = retries;
    HvSnmpTarget& t = call.target;
    t.address = device.address;
    t.port = device.port;
    t.version = security.version;
    t.readCommunity = security.readCommunity;
    t.writeCommunity = security.writeCommunity;
    t.securityModel = security.securityModel;
    t.securityLevel = security.securityLevel;
    t.securityName = security.securityName;
    t.authProtocol = security.authProtocol;
    t.privProtocol = security.privProtocol;
    t.authPassword = security.authPassword;
    t.privPassword = security.privPassword;
    t.contextName = scope.contextName;
    t.contextEngineId = scope.contextEngineId;
    return call;
}

// Each read builds a binding per item: those of the last operation, handed back, give their room, so
// that a walk's next row or a repeated get allocates nothing for its OIDs.
std::vector<HvVarBind> HvSNMPRequest::buildBindings(Mode mode) {
    std::vector<HvVarBind> vbs = std::move(m_spareBindings);
    m_spareBindings.clear();
    std::size_t used = 0;
    auto nextBinding = [&]() -> HvVarBind& {
        if (used == vbs.size()) {
            vbs.emplace_back();
        } else {
            HvVarBind& vb = vbs[used];
            vb.type = HvVbType::Null;
            vb.integer = 0;
            vb.counter64 = 0;
            vb.octets.clear();
            vb.objectId.clear();
        }
        return vbs[used++];
    };
    vbs.reserve(static_cast<std::size_t>(std::max<int32_t>(varList.count(), 0)));
    const uint8_t kind = varList.kind();
    const bool walk = isWalk();
    std::string rowIndex;
    bool rowIndexBuilt = false;
    for (int32_t i = 0; i < varList.count(); ++i) {
        HvVarItem& item = varList.item(i);
        switch (mode) {
            case Mode::FirstRead:
                if (!varList.isReadable(i)) continue;
                item.lastOid.clear();
                columnOidInto(nextBinding().oid, i, kind == SVT_SV ? ".0" : "");
                break;
            case Mode::NextRow:
                if (!varList.isReadable(i)) continue;
                if (kind == SVT_SV || kind == MVT_SV) HvRaiseCode(HvErrGetNextSingle);
                nextBinding().oid = item.lastOid;
                break;
            case Mode::Write: {
                if (!varList.isWritable(i) || (walk && i < varList.keyCount())) continue;
                HvVarBind& vb = nextBinding();
                if (kind == SVT_SV) {
                    columnOidInto(vb.oid, i, ".0");
                } else if (kind == MVT_SV) {
                    columnOidInto(vb.oid, i);
                } else if (walk) {
                    if (!rowIndexBuilt) {
                        for (int32_t k = 0; k < varList.keyCount(); ++k) {
                            if (k) rowIndex += '.';
                            rowIndex += keyToIndex(k);
                        }
                        rowIndexBuilt = true;
                    }
                    vb.oid = columnOid(i) + "." + rowIndex;
                } else {
                    HvRaiseCode(HvErrBadListKind);
                }
                itemToVb(i, vb);
                break;
            }
        }
    }
    vbs.resize(used);
    return vbs;
}

void HvSNMPRequest::keepBindings(std::vector<HvVarBind>& bindings) {
    m_spareBindings = std::move(bindings);
}

// ---- reading the answer --------------------------------------------------------------------

// Stores an answer into the readable items. Returns true when a walk delivered a row. sync adds
// the synchronous handling of v1's noSuchName. progressError becomes the status of an agent that
// went backwards in a column, else stays 0.
bool HvSNMPRequest::readAnswer(const std::vector<HvVarBind>& answer, const std::vector<HvVarBind>& sent,
                               int32_t code, bool* ok, bool sync, int32_t& progressError) {
    const bool walk = isWalk();
    std::size_t k = 0;
    std::size_t ended = 0;
    std::string rowIndex;
    std::string suffixed;
    HvVarBind missing;
    for (int32_t i = 0; i < varList.count(); ++i) {
        if (!varList.isReadable(i)) continue;
        // An answer shorter than the request leaves the missing items as a failed read.
        if (k >= answer.size()) {
            if (k < sent.size())
                missing.oid = sent[k].oid;
            else
                missing.oid.clear();
        }
        const HvVarBind& vb = k < answer.size() ? answer[k] : missing;
        HvVarItem& item = varList.item(i);
        // Only a walk's columns end; the other kinds take every answer as it comes. Without an
        // instance suffix the column is the item's own OID.
        const bool ownOid = varList.instanceSuffix().empty();
        if (walk && !ownOid) columnOidInto(suffixed, i);
        const std::string& column = ownOid ? item.oid : suffixed;
        const std::string& returned = vb.oid;

        if (sync && code == kNoSuchName && walk) {
            if (item.lastOid == returned) return false;  // v1's end of the MIB: the agent echoes what we sent
            if (ok) *ok = false;
            reportFailure(kStatusNoSuchName);
        }

        if (!walk || !columnEnded(column, item.lastOid, returned)) {
            vbToItem(i, vb);
            item.lastOid = returned;
            if (walk && rowIndex.empty() && returned.size() > column.size())
                rowIndex.assign(returned, column.size() + 1);
        } else {
            ++ended;
            item.value = HvNotDoneText;
            if (walk) {
                // An ended column stays ended: its next get-next starts beyond what came back, so
                // it never re-enters the column. A column that went backwards ends the walk.
                const HvOidOrder progress = HvCompareOids(returned, item.lastOid);
                const HvOidOrder inColumn = HvCompareOids(column, returned);
                if (progress.valid && progress.compare < 0 && inColumn.valid && inColumn.firstIsPrefix)
                    progressError = kStatusNoProgress;
                else if (!HvIsOid(item.lastOid) || (progress.valid && progress.compare > 0))
                    item.lastOid = returned;
            }
        }
        ++k;
    }
    if (ended == k || progressError) return false;
    if (walk) decodeRowIndex(rowIndex);
    for (int32_t i = 0; i < varList.count(); ++i) applyFormula(i, 1);
    return walk;
}

void HvSNMPRequest::decodeRowIndex(const std::string& rowIndex) {
    std::string rest = rowIndex;
    for (int32_t k = 0; k < varList.keyCount() && k < varList.count(); ++k) {
        if (rest.empty()) HvRaiseCode(HvErrBadKeyCount);
        if (!varList.isReadable(k)) {
            // Built in place: the key's last OID keeps its room from row to row.
            std::string& last = varList.item(k).lastOid;
            columnOidInto(last, k);
            last += '.';
            last += rowIndex;
        }
        rest = indexToKey(k, rest);
    }
}

// SNMPv2 answers a get of a missing object with an exception in its binding and no error status.
// Outside walks that is a failed read, as v1's noSuchName is, with the binding's position as the
// error index; in a walk endOfMibView is the normal end.
void HvSNMPRequest::markMissingObjects(HvSnmpReply& reply) const {
    if (reply.status != HvSnmpStatus::Success || isWalk()) return;
    for (std::size_t k = 0; k < reply.varbinds.size(); ++k) {
        if (reply.varbinds[k].isException()) {
            reply.status = kStatusNoSuchName;
            reply.errorIndex = static_cast<int32_t>(k + 1);
            return;
        }
    }
}

// ---- reporting -----------------------------------------------------------------------------

void HvSNMPRequest::reportFailure(int32_t code, const std::string& message) {
    ++m_failureCount;
    if (messageCallback) {
        HvSNMPError error;
        error.code = code;
        error.message = message;
        error.failureCount = m_failureCount;
        messageCallback(&error);
    }
}

void HvSNMPRequest::reportFailure(int32_t status) {
    int32_t code = 0;
    std::string message;
    HvSNMPError::translate(status, code, message);
    reportFailure(code, message);
}

// ---- operations ----------------------------------------------------------------------------

namespace {

// Puts a list back as it was before a write chose its items, also when building fails.
struct RestoreList {
    HvSNMPVarList& list;
    const HvSNMPVarList saved;
    explicit RestoreList(HvSNMPVarList& l) : list(l), saved(l) {}
    ~RestoreList() { list = saved; }
};

// A non-empty index list ("0,2") sends exactly those items, with values line p for the item at
// position p of the list.
void chooseItems(HvSNMPVarList& list, const std::string& indexList, const std::vector<std::string>* values) {
    if (indexList.empty()) return;
    HvNumList<int> numbers(',');
    numbers.parse(indexList);
    for (int32_t i = 0; i < list.count(); ++i) {
        HvVarItem& item = list.item(i);
        const int32_t p = numbers.indexOf(i);
        if (p < 0) {
            item.access |= HvAccess::Invalid;
            continue;
        }
        item.access &= ~HvAccess::Invalid;
        if (values && static_cast<std::size_t>(p) < values->size())
            item.value = (*values)[static_cast<std::size_t>(p)];
    }
}

}  // namespace

bool HvSNMPRequest::get(bool* ok, bool first) {
    if (!m_alive) {
        if (ok) *ok = false;
        return false;
    }
    HvSnmpOp op = HvSnmpOp::Get;
    const bool known = readOp(op);
    HvSnmpCall call = buildCall(op);
    call.varbinds = buildBindings(first ? Mode::FirstRead : Mode::NextRow);
    if (!known) {
        if (ok) *ok = false;
        reportFailure(HvErrBadListKind, ownMessage(HvErrBadListKind));
        return false;
    }
    if (call.varbinds.empty()) return false;  // nothing readable: nothing is sent

    HvSnmpReply reply = m_transport->sendSync(call);
    markMissingObjects(reply);
    int32_t code = 0;
    std::string message;
    HvSNMPError::translate(reply.status, code, message);
    if (code != 0 && !(code == kNoSuchName && isWalk())) {
        if (ok) *ok = false;
        reportFailure(code, message);
    }
    int32_t progressError = 0;
    const bool row = readAnswer(reply.varbinds, call.varbinds, code, ok, true, progressError);
    keepBindings(call.varbinds);
    if (progressError) {
        if (ok) *ok = false;
        reportFailure(progressError);
    }
    return row;
}

void HvSNMPRequest::getAsync(HvSNMPCompletion done, bool first) {
    if (!m_alive) return;
    HvSnmpOp op = HvSnmpOp::Get;
    const bool known = readOp(op);
    HvSnmpCall call = buildCall(op);
    call.varbinds = buildBindings(first ? Mode::FirstRead : Mode::NextRow);
    if (!known) {
        reportFailure(HvErrBadListKind, ownMessage(HvErrBadListKind));
        deliverLater(std::move(done), HvErrBadListKind);
        return;
    }
    if (call.varbinds.empty()) {
        deliverLater(std::move(done), 0);
        return;
    }
    sendAsync(std::move(call), std::move(done), true);
}

bool HvSNMPRequest::set(bool* ok, bool readBack, const std::string& indexList,
                        const std::vector<std::string>* values) {
    if (!m_alive) {
        if (ok) *ok = false;
        return false;
    }
    HvSnmpCall call;
    {
        RestoreList restore(varList);
        chooseItems(varList, indexList, values);
        for (int32_t i = 0; i < varList.count(); ++i) applyFormula(i, 0);
        call = buildCall(HvSnmpOp::Set);
        call.varbinds = buildBindings(Mode::Write);
    }
    if (call.varbinds.empty()) return false;  // nothing writable: nothing is sent

    const HvSnmpReply reply = m_transport->sendSync(call);
    int32_t code = 0;
    std::string message;
    HvSNMPError::translate(reply.status, code, message);
    if (code != 0) {
        if (ok) *ok = false;
        reportFailure(code, message);
    }
    if (!readBack) return false;
    int32_t progressError = 0;
    const bool row = readAnswer(reply.varbinds, call.varbinds, code, ok, true, progressError);
    if (progressError) {
        if (ok) *ok = false;
        reportFailure(progressError);
    }
    return row;
}

void HvSNMPRequest::setAsync(HvSNMPCompletion done, bool readBack, const std::string& indexList,
                             const std::vector<std::string>* values) {
    if (!m_alive) return;
    HvSnmpCall call;
    {
        RestoreList restore(varList);
        chooseItems(varList, indexList, values);
        for (int32_t i = 0; i < varList.count(); ++i) applyFormula(i, 0);
        call = buildCall(HvSnmpOp::Set);
        call.varbinds = buildBindings(Mode::Write);
    }
    if (call.varbinds.empty()) {
        deliverLater(std::move(done), 0);
        return;
    }
    sendAsync(std::move(call), std::move(done), readBack);
}

void HvSNMPRequest::sendAsync(HvSnmpCall&& call, HvSNMPCompletion&& done, bool readBack) {
    HvSNMPAsyncContext* const context = &freeContext();
    context->read = call.op != HvSnmpOp::Set;
    context->readBack = readBack;
    context->done = std::move(done);
    ++m_outstanding;
    // The transport completes every send exactly once, a failed one too, from the pump, and drops the
    // outcome once the token has expired; so does the delivery. The pump only collects: the outcome
    // is delivered from the event loop, so this request's completion never holds the pump. Both hold
    // the context by its address, which lives as long as this request.
    const int32_t status = m_transport->sendAsync(std::move(call), m_token, [context](HvSnmpReply& reply) {
        context->reply = std::move(reply);
        HvSNMPDelivery::post(context->alive, [context, alive = context->alive] {
            if (reachedDeadOwner(alive)) return;
            context->request->onAsyncReply(*context);
        });
    });
    if (status != HvSnmpStatus::Success) reportFailure(status);
}

HvSNMPAsyncContext& HvSNMPRequest::freeContext() {
    for (const std::unique_ptr<HvSNMPAsyncContext>& c : m_contexts) {
        if (!c->busy) {
            c->busy = true;
            return *c;
        }
    }
    auto& c = m_contexts.emplace_back(std::make_unique<HvSNMPAsyncContext>());
    c->request = this;
    c->alive = m_token;
    c->busy = true;
    return *c;
}

// An operation that never reached the transport still ends in one completion, delivered as the
// others are, so a caller's busy state clears.
void HvSNMPRequest::deliverLater(HvSNMPCompletion done, int32_t code) {
    ++m_outstanding;
    std::weak_ptr<const void> alive = m_token;
    HvSNMPDelivery::post(alive, [this, alive, done = std::move(done), code] {
        if (reachedDeadOwner(alive)) return;
        --m_outstanding;
        if (!m_alive || !done) return;
        HvSNMPError error;
        error.code = code;
        if (code == 0)
            HvSNMPError::translate(0, error.code, error.message);
        else
            error.message = ownMessage(code);
        error.endOfWalk = true;
        error.failureCount = m_failureCount;
        DepthGuard depth;
        done(&error, &varList);
    });
}

bool HvSNMPRequest::reachedDeadOwner(const std::weak_ptr<const void>& alive) {
    if (!alive.expired()) return false;
    ++g_deadOwnerDeliveries;
    return true;
}

uint64_t HvSNMPRequest::deadOwnerDeliveries() {
    return g_deadOwnerDeliveries;
}

bool HvSNMPRequest::inReplyHandler() {
    return g_replyDepth > 0 && loopLevel() == g_replyLoopLevel;
}

void HvSNMPRequest::onAsyncReply(HvSNMPAsyncContext& context) {
    HvSnmpReply& reply = context.reply;
    if (context.read) markMissingObjects(reply);
    // The session went away with the request outstanding: nothing to report to.
    if (reply.status == HvSnmpStatus::SessionClosed || !m_alive) {
        --m_outstanding;
        context.busy = false;
        return;
    }
    DepthGuard depth;
    HvSNMPError error;
    HvSNMPError::translate(reply.status, error.code, error.message);
    error.errorIndex = reply.errorIndex;
    error.agent.address = reply.agentAddress;
    error.agent.port = reply.agentPort;
    error.endOfWalk = true;
    try {
        if (error.code == kNoSuchName && isWalk()) {
            // v1's end of the MIB when the first column's OID comes back as it was sent.
            for (int32_t i = 0; i < varList.count(); ++i) {
                if (!varList.isReadable(i)) continue;
                const std::vector<HvVarBind>& vbs = reply.varbinds.empty() ? reply.sent : reply.varbinds;
                if (!vbs.empty() && varList.item(i).lastOid == vbs.front().oid)
                    HvSNMPError::translate(0, error.code, error.message);
                break;
            }
        } else if (error.code == 0 && context.readBack) {
            int32_t progressError = 0;
            const bool row =
                readAnswer(reply.varbinds, reply.sent, error.code, nullptr, false, progressError);
            if (progressError) HvSNMPError::translate(progressError, error.code, error.message);
            error.endOfWalk = !row;
        }
    } catch (const HvException& e) {
        // A reply that does not convert is this operation's failure, still with one completion.
        error.code = e.helpContext() ? e.helpContext() : HvErrBadSyntax;
        error.message = e.what();
        error.endOfWalk = true;
    } catch (...) {
        --m_outstanding;
        context.busy = false;
        throw;
    }
    error.failureCount = m_failureCount;
    // The next read builds its bindings in these.
    keepBindings(reply.sent);
    // Counted down and the context given back before the completion runs: a completion may send
    // again, which takes this context, or delete this request, and nothing here touches either
    // afterwards.
    --m_outstanding;
    HvSNMPCompletion done = std::move(context.done);
    context.busy = false;
    if (done) done(&error, &varList);
}
