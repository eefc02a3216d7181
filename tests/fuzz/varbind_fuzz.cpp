// A device's answer, as the adapter hands it to the request, turned into the items of a variable
// list: bindings of any type, count and OID against a list of any kind, keys and syntaxes, then the
// next rows of a walk, then a write of what was read (which joins the decoded keys again).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "platform/HvExceptionHook.h"
#include "library/HvException.h"
#include "library/HvOptionList.h"
#include "library/HvSNMPRequest.h"
#include "library/snmp/HvSnmpFakeTransport.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

namespace S = HvSyntax;
namespace A = HvAccess;

constexpr uint32_t kSyntaxes[] = {
    S::Boolean, S::Integer,    S::BitStr,    S::OctetStr,   S::Null,       S::ObjectId,  S::IpAddress,
    S::Counter, S::Gauge,      S::TimeTicks, S::Opaque,     S::NsapAddr,   S::Counter64, S::UInteger,
    S::Double,  S::MacAddress, S::DateTime,  S::BcDateTime, S::DisplayStr, S::Int16,
};
constexpr uint32_t kAccess[] = {A::ReadWrite,
                                A::ReadOnly,
                                A::NotAccess,
                                A::ReadWrite | A::Invalid,
                                A::NotAccess | A::ImpliedLength,
                                A::WriteOnly,
                                A::Derived | A::ReadOnly};
const char* const kFormulas[] = {nullptr, "$0*10", "$1/100", "($2+1)*2-$0", "NOW-$3", "", "$9"};
constexpr HvVbType kTypes[] = {
    HvVbType::Null,         HvVbType::Integer,   HvVbType::OctetString,  HvVbType::ObjectId,
    HvVbType::IpAddress,    HvVbType::Counter32, HvVbType::Gauge32,      HvVbType::TimeTicks,
    HvVbType::Opaque,       HvVbType::Counter64, HvVbType::NoSuchObject, HvVbType::NoSuchInstance,
    HvVbType::EndOfMibView,
};
constexpr int32_t kStatuses[] = {
    HvSnmpStatus::Success, HvSnmpStatus::Success, HvSnmpStatus::Success,           2 /* noSuchName */,
    5 /* genErr */,        HvSnmpStatus::Timeout, HvSnmpStatus::UsmUnknownEngineId};

const HvOptionNumPair kStates[] = {{0, "off"}, {1, "on"}, {2, "auto"}, {0, nullptr}};
HvOptionList* g_states = nullptr;

const char* const kOids[] = {"1.3.6.1.4.1.99.1", "1.3.6.1.4.1.99.2", "1.3.6.1.4.1.99.3", "1.3.6.1.4.1.99.4",
                             "1.3.6.1.4.1.99.5", "1.3.6.1.4.1.99.6", "1.3.6.1.4.1.99.7", "1.3.6.1.4.1.99.8"};

template <typename T, std::size_t N>
const T& pick(const T (&table)[N], FuzzInput& in) {
    return table[in.byte() % N];
}

std::string subIds(FuzzInput& in, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        const uint8_t b = in.byte();
        // Mostly small sub-identifiers, as row indexes hold; now and then any 32-bit value.
        const uint32_t id = b < 0xF0 ? b % 32 : in.number<uint32_t>();
        text += (i ? "." : "") + std::to_string(id);
    }
    return text;
}

HvVarBind binding(FuzzInput& in, const HvVarBind& sent) {
    HvVarBind vb;
    const uint8_t how = in.byte();
    switch (how % 5) {
        case 0:
            vb.oid = sent.oid;
            break;
        case 1:
        case 2:
            vb.oid = sent.oid + "." + subIds(in, 1 + in.byte() % 12);
            break;
        case 3:
            vb.oid = in.text('\t');
            break;
        default:
            vb.oid = subIds(in, in.byte() % 14);
            break;
    }
    vb.type = pick(kTypes, in);
    vb.integer = static_cast<int64_t>(in.number<uint32_t>()) * ((how & 0x80) ? -1 : 1);
    vb.counter64 = in.number<uint64_t>();
    vb.octets = in.bytes(in.byte() % 24);
    for (uint8_t n = in.byte() % 12; n > 0; --n)
        vb.objectId.push_back(in.byte() < 0xF0 ? n : in.number<uint32_t>());
    return vb;
}

HvSnmpReply reply(FuzzInput& in, const HvSnmpCall& call) {
    HvSnmpReply r;
    r.status = pick(kStatuses, in);
    r.errorIndex = in.byte() % 4;
    const int delta = in.byte() % 4 - 1;  // one short, as many, or more than asked for
    const int count = static_cast<int>(call.varbinds.size()) + delta;
    for (int k = 0; k < count; ++k)
        r.varbinds.push_back(
            binding(in, call.varbinds.empty() ? HvVarBind{} : call.varbinds[k % call.varbinds.size()]));
    return r;
}

// Reads the rows asynchronously, as the pages do: every operation must end in exactly one completion.
void readAsync(HvSNMPRequest& request, HvSnmpFakeTransport& fake) {
    int completions = 0;
    bool more = false;
    const HvSNMPCompletion done = [&](HvSNMPError* error, HvSNMPVarList*) {
        ++completions;
        more = !error->endOfWalk;
    };
    for (int row = 0; row < 5; ++row) {
        completions = 0;
        try {
            request.getAsync(done, row == 0);
        } catch (const HvException&) {
            return;  // refused before anything was sent
        }
        fake.processPending();
        QCoreApplication::processEvents();
        FUZZ_CHECK(completions == 1);
        if (!more) return;
    }
}

}  // namespace

// An application for the completions that come from the event loop; an exception that escapes a
// completion must be the library's own.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 1;
    static char name[] = "varbind_fuzz";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    HvSetExceptionHandler([](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const HvException&) {
        } catch (...) {
            FUZZ_CHECK(!"an exception other than the library's left a completion");
        }
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (!g_states) g_states = new HvOptionList(kStates);
    HvSNMPSession::defaults = HvSNMPDefaults::standard();
    FuzzInput in(data, size);

    const uint8_t kind = in.byte() % 5;  // 4 is no kind at all
    const int items = 1 + in.byte() % 8;
    const int keys = in.byte() % 4;
    MibObjectDef table[9] = {};
    for (int i = 0; i < items; ++i) {
        MibObjectDef& d = table[i];
        d.syntax = pick(kSyntaxes, in);
        d.access = pick(kAccess, in);
        d.oid = d.access & A::NotAccess ? " " : kOids[i];
        d.name = "item";
        d.readFormula = pick(kFormulas, in);
        d.writeFormula = pick(kFormulas, in);
        if (d.syntax == S::Integer && (in.byte() & 1)) d.optionList = &g_states;
    }

    HvSnmpFakeTransport fake;
    fake.setResponder([&in](const HvSnmpCall& call) { return reply(in, call); });
    HvSNMPRequest request;
    request.setTransport(&fake);
    int failures = 0;
    request.messageCallback = [&failures](HvSNMPError*) { ++failures; };
    try {
        request.varList = HvSNMPVarList(table, kind, keys);
        if (in.byte() & 1) request.varList.setInstanceSuffix(subIds(in, 1 + in.byte() % 3));
        request.filterText = in.byte() & 1 ? "$0>0" : "";
    } catch (const HvException&) {
        return 0;
    }

    bool ok = true;
    if (in.byte() & 1) {
        readAsync(request, fake);
    } else {
        try {
            bool more = request.get(&ok, true);
            for (int row = 0; more && row < 4; ++row) {
                request.matchFilter();
                more = request.get(&ok, false);
            }
        } catch (const HvException&) {
        }
    }
    FUZZ_CHECK(request.failureCount() == failures);
    try {
        request.set(&ok, in.byte() & 1, "", nullptr);
    } catch (const HvException&) {
    }
    return 0;
}
