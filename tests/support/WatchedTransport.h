#pragma once

// A transport between the session and its own: counts what a page sends, and can mute one object.

#include <algorithm>
#include <string>
#include <utility>

#include "library/snmp/HvSnmpTransport.h"

// Passes everything on to the session's transport, counting the reads that block on the wire and
// the most operations out at once. Reads of the muted object go with a community the device does not
// know and one short try, so that they go unanswered.
class WatchedTransport final : public HvSnmpTransport {
public:
    explicit WatchedTransport(HvSnmpTransport* own) : m_own(own) {}
    std::string muted;  // an OID (without ".0"); empty: none
    int syncReads = 0;
    size_t mostOut = 0;

    bool checkAddress(const std::string& address) override { return m_own->checkAddress(address); }
    HvSnmpReply sendSync(const HvSnmpCall& call) override {
        if (call.op != HvSnmpOp::Set) ++syncReads;
        return m_own->sendSync(mute(call));
    }
    int32_t sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner, HvSnmpCompletion done) override {
        const int32_t sent = m_own->sendAsync(mute(std::move(call)), std::move(owner), std::move(done));
        mostOut = std::max(mostOut, m_own->pendingCount());
        return sent;
    }
    void processPending() override { m_own->processPending(); }
    void processReadable(int fd) override { m_own->processReadable(fd); }
    std::vector<int> pollDescriptors() const override { return m_own->pollDescriptors(); }
    uint64_t socketsGeneration() const override { return m_own->socketsGeneration(); }
    std::size_t pendingCount() const override { return m_own->pendingCount(); }

private:
    HvSnmpCall mute(HvSnmpCall call) const {
        if (muted.empty() || call.op == HvSnmpOp::Set) return call;
        const bool asks = std::any_of(call.varbinds.begin(), call.varbinds.end(), [&](const HvVarBind& v) {
            return v.oid == muted || v.oid == muted + ".0";
        });
        if (asks) {
            call.target.readCommunity = "muted";
            call.timeout = 10;
            call.retries = 0;
        }
        return call;
    }
    HvSnmpTransport* m_own;
};
