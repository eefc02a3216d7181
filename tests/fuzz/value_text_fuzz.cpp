// Value texts to wire values and back for every syntax, and row indexes split into keys and joined
// again: the conversions every value read from a device or typed by the user goes through.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "library/HvDateTime.h"
#include "library/HvException.h"
#include "library/HvSNMPVarList.h"
#include "library/HvValueConv.h"
#include "library/HvValueText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

namespace S = HvSyntax;

// Item syntaxes and the part-of-value codes that are no item syntax (those must be refused).
constexpr uint32_t kSyntaxes[] = {
    S::Boolean,    S::Integer,  S::BitStr, S::OctetStr,   S::Null,     S::ObjectId,
    S::IpAddress,  S::Counter,  S::Gauge,  S::TimeTicks,  S::Opaque,   S::NsapAddr,
    S::Counter64,  S::UInteger, S::Double, S::MacAddress, S::DateTime, S::BcDateTime,
    S::DisplayStr, S::Bool8,    S::UInt16, 0x00,
};
constexpr std::size_t kSyntaxCount = sizeof(kSyntaxes) / sizeof(kSyntaxes[0]);

// Key syntaxes whose text form keeps every index value, so that a split index joins back unchanged.
bool exactKey(uint32_t syntax) {
    switch (syntax) {
        case S::Integer:
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
        case S::OctetStr:
        case S::BitStr:
        case S::Opaque:
        case S::DisplayStr:
        case S::ObjectId:
        case S::IpAddress:
        case S::NsapAddr:
        case S::TimeTicks:
        case S::Counter64:
        case S::MacAddress:
        case S::Null:
            return true;
        default:
            return false;
    }
}

constexpr HvVbType kVbTypes[] = {
    HvVbType::Null,      HvVbType::Integer,   HvVbType::OctetString,  HvVbType::ObjectId,
    HvVbType::IpAddress, HvVbType::Counter32, HvVbType::Gauge32,      HvVbType::TimeTicks,
    HvVbType::Opaque,    HvVbType::Counter64, HvVbType::NoSuchObject, HvVbType::EndOfMibView,
};

void textForms(const std::string& text, const std::string& raw) {
    if (const auto octets = HvHexToOctets(text)) {
        const std::string hex = HvOctetsToHex(*octets);
        FUZZ_CHECK(HvHexToOctets(hex) == octets);
        FUZZ_CHECK(HvSameMac(text, hex));
    }
    FUZZ_CHECK(HvHexToOctets(HvOctetsToHex(raw)) == raw);

    if (const auto ip = HvTextToIp(text)) {
        FUZZ_CHECK(ip->size() == 4);
        FUZZ_CHECK(HvTextToIp(HvIpToText(*ip)) == ip);
    }
    const std::string ipText = HvIpToText(raw);
    FUZZ_CHECK(raw.size() == 4 ? HvTextToIp(ipText) == raw : ipText.empty());

    if (const auto oid = HvTextToOid(text)) FUZZ_CHECK(HvTextToOid(HvOidToText(*oid)) == oid);
    std::vector<uint32_t> ids(raw.size() / 4);
    if (!ids.empty()) std::memcpy(ids.data(), raw.data(), ids.size() * 4);
    if (!ids.empty()) FUZZ_CHECK(HvTextToOid(HvOidToText(ids)) == ids);

    if (const auto ticks = HvTextToTicks(text)) FUZZ_CHECK(HvTextToTicks(HvTicksToText(*ticks)) == ticks);
    if (const auto c64 = HvTextToCounter64(text))
        FUZZ_CHECK(HvTextToCounter64(HvCounter64ToText(*c64)) == c64);
    if (const auto i32 = HvTextToInt32(text)) FUZZ_CHECK(HvTextToInt32(std::to_string(*i32)) == i32);
    if (const auto u32 = HvTextToUInt32(text)) FUZZ_CHECK(HvTextToUInt32(std::to_string(*u32)) == u32);

    uint64_t bits = 0;
    uint32_t small = 0;
    std::memcpy(&bits, raw.data(), raw.size() < 8 ? raw.size() : 8);
    std::memcpy(&small, raw.data(), raw.size() < 4 ? raw.size() : 4);
    FUZZ_CHECK(HvTextToTicks(HvTicksToText(small)) == small);
    FUZZ_CHECK(HvTextToCounter64(HvCounter64ToText(bits)) == bits);

    double fromBits = 0;
    std::memcpy(&fromBits, &bits, sizeof fromBits);
    const std::string floatText = HvFloatToStr(fromBits);
    if (std::isfinite(fromBits)) FUZZ_CHECK(HvTextToDouble(floatText).has_value());
    if (const auto d = HvTextToDouble(text)) HvFloatToStr(*d);
    HvReadDecimalPrefix(text);
    const auto le = HvOctetsLEToDouble(HvDoubleToOctetsLE(fromBits));
    FUZZ_CHECK(le && std::memcmp(&*le, &fromBits, sizeof fromBits) == 0);
    HvOctetsLEToDouble(raw);

    const std::string guiText = HvGuiDateTimeToText(fromBits);
    if (!guiText.empty()) HvTextToGuiDateTime(guiText);
    if (const auto days = HvTextToGuiDateTime(text)) HvGuiDateTimeToText(*days);

    const HvDateTime parsed(text);
    const std::string dtText = parsed.ToText();
    // The text form is stable (a zero offset is left out whatever its sign).
    FUZZ_CHECK(HvDateTime(dtText).ToText() == dtText);
    FUZZ_CHECK(HvDateTime::fromOctets(parsed.toOctets()).has_value());
    if (const auto wire = HvDateTime::fromOctets(raw)) {
        HvDateTime(wire->ToText());
        wire->toOctets();
    }

    FUZZ_CHECK(HvQStringToDisplay(HvDisplayToQString(raw)) == raw);
    HvQStringToDisplay(QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())));
}

// Item value text to a binding and back, and a binding made of the bytes to the item's text.
void itemConversions(uint32_t syntax, const std::string& text, FuzzInput& in) {
    const MibObjectDef table[] = {{"1.3.6.1.4.1.99.1", "item", syntax, HvAccess::ReadWrite}, {}};
    HvSNMPVarList list(table, SVT_SV, 0);
    list.item(0).value = text;
    try {
        HvVarBind vb;
        HvValueConv::itemToVb(list, 0, vb);
        HvValueConv::vbToItem(list, 0, vb);
        HvVarBind again;
        HvValueConv::itemToVb(list, 0, again);
    } catch (const HvException&) {
    }
    HvVarBind vb;
    vb.type = kVbTypes[in.byte() % (sizeof kVbTypes / sizeof kVbTypes[0])];
    vb.integer = in.number<int64_t>();
    vb.counter64 = in.number<uint64_t>();
    vb.octets = in.bytes(in.byte());
    for (uint8_t n = in.byte() % 16; n > 0; --n) vb.objectId.push_back(in.number<uint32_t>());
    try {
        HvValueConv::vbToItem(list, 0, vb);
    } catch (const HvException&) {
    }
}

// A row index split into the keys of a walk list and joined again.
void rowIndex(FuzzInput& in, const std::string& index) {
    const int keys = 1 + in.byte() % 4;
    MibObjectDef table[6] = {};
    for (int k = 0; k < keys; ++k)
        table[k] = {" ", "key", kSyntaxes[in.byte() % kSyntaxCount], HvAccess::NotAccess};
    table[keys] = {"1.3.6.1.4.1.99.2", "column", S::Integer, HvAccess::ReadOnly};
    if (in.byte() & 1) table[keys - 1].access |= HvAccess::ImpliedLength;
    HvSNMPVarList list(table, MVT_FMV, keys);

    std::string rest = index;
    try {
        for (int k = 0; k < keys; ++k) rest = HvValueConv::indexToKey(list, k, rest);
    } catch (const HvException&) {
        return;
    }
    std::string joined;
    bool exact = true;
    try {
        for (int k = 0; k < keys; ++k) {
            exact = exact && exactKey(list.item(k).syntax);
            const std::string part = HvValueConv::keyToIndex(list, k);
            if (!part.empty()) joined += (joined.empty() ? "" : ".") + part;
        }
    } catch (const HvException& e) {
        // A key read from an index must give that index back.
        if (exact) std::fprintf(stderr, "index '%s': %s\n", index.c_str(), e.what());
        FUZZ_CHECK(!exact);
        return;
    }
    if (!exact) return;
    if (!rest.empty()) joined += (joined.empty() ? "" : ".") + rest;
    std::string_view whole = index;
    if (!whole.empty() && whole.front() == '.') whole.remove_prefix(1);
    FUZZ_CHECK(HvTextToOid(joined) == HvTextToOid(whole) || (joined.empty() && whole.empty()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const uint32_t syntax = kSyntaxes[in.byte() % kSyntaxCount];
    const std::string text = in.text();
    const std::string raw = in.text();
    textForms(text, raw);
    itemConversions(syntax, text, in);
    rowIndex(in, text);
    return 0;
}
