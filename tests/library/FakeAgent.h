#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "library/HvValueText.h"
#include "library/snmp/HvSnmpFakeTransport.h"
#include "library/snmp/HvSnmpTransport.h"

// A small agent for the scripted transport: a sorted store of objects that answers get, get-next
// and set as a v1 agent (noSuchName for the whole PDU, the request echoed) or a v2c agent
// (exceptions per binding) does. An override can replace any answer.
class FakeAgent {
public:
    std::map<std::vector<uint32_t>, HvVarBind> store;
    std::function<std::optional<HvSnmpReply>(const HvSnmpCall&)> override;

    static HvVarBind integer(int64_t v) {
        HvVarBind vb;
        vb.type = HvVbType::Integer;
        vb.integer = v;
        return vb;
    }
    static HvVarBind octets(const std::string& s) {
        HvVarBind vb;
        vb.type = HvVbType::OctetString;
        vb.octets = s;
        return vb;
    }
    void put(const std::string& oid, HvVarBind vb) {
        vb.oid = oid;
        store[*HvTextToOid(oid)] = vb;
    }
    const HvVarBind* find(const std::string& oid) const {
        auto it = store.find(*HvTextToOid(oid));
        return it == store.end() ? nullptr : &it->second;
    }

    HvSnmpReply answer(const HvSnmpCall& call) {
        if (override)
            if (auto reply = override(call)) return *reply;
        const bool v1 = call.target.version == 0;
        HvSnmpReply reply;
        for (std::size_t k = 0; k < call.varbinds.size(); ++k) {
            const HvVarBind& sent = call.varbinds[k];
            const auto oid = HvTextToOid(sent.oid);
            HvVarBind vb;
            vb.oid = sent.oid;
            bool missing = true;
            if (oid && call.op == HvSnmpOp::Get) {
                auto it = store.find(*oid);
                missing = it == store.end();
                if (missing)
                    vb.type = HvVbType::NoSuchObject;
                else
                    vb = it->second;
            } else if (oid && call.op == HvSnmpOp::GetNext) {
                auto it = store.upper_bound(*oid);
                missing = it == store.end();
                if (missing)
                    vb.type = HvVbType::EndOfMibView;
                else
                    vb = it->second;
            } else if (oid) {
                missing = !store.count(*oid);
                vb = sent;
            }
            if (missing && (v1 || call.op == HvSnmpOp::Set)) {
                HvSnmpReply error;
                error.status = v1 ? 2 : 17;  // noSuchName, notWritable
                error.errorIndex = static_cast<int32_t>(k + 1);
                error.varbinds = call.varbinds;
                return error;
            }
            reply.varbinds.push_back(vb);
        }
        // A write is all or nothing.
        if (call.op == HvSnmpOp::Set)
            for (const HvVarBind& vb : call.varbinds) store[*HvTextToOid(vb.oid)] = vb;
        return reply;
    }
};
