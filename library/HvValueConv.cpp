#include "HvValueConv.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "library/HvDateTime.h"
#include "library/HvExpression.h"
#include "library/HvOptionList.h"
#include "library/HvSNMPError.h"
#include "library/HvValueText.h"

namespace HvValueConv {
namespace {

namespace S = HvSyntax;

bool isIntegerType(HvVbType t) {
    return t == HvVbType::Integer || t == HvVbType::Counter32 || t == HvVbType::Gauge32 ||
           t == HvVbType::TimeTicks || t == HvVbType::Counter64;
}

bool isOctetType(HvVbType t) {
    return t == HvVbType::OctetString || t == HvVbType::Opaque || t == HvVbType::IpAddress;
}

// The integer types as one 64-bit pattern; 32-bit types keep their 32 bits.
uint64_t integerBits(const HvVarBind& vb) {
    return vb.type == HvVbType::Counter64 ? vb.counter64 : static_cast<uint64_t>(vb.integer);
}
uint32_t low32(const HvVarBind& vb) {
    return static_cast<uint32_t>(integerBits(vb));
}

bool isTrueText(std::string_view text) {
    if (text.size() != 4) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != "true"[i]) return false;
    return true;
}

// Syntaxes whose empty text stays empty instead of becoming "(NULL)".
bool keepsEmpty(uint32_t syntax) {
    return syntax == S::BitStr || syntax == S::OctetStr || syntax == S::Opaque || syntax == S::MacAddress ||
           syntax == S::DisplayStr;
}

// The printable value of a binding for an item of the given syntax; "" when the binding holds
// nothing of that kind.
std::string printable(uint32_t syntax, const HvVarBind& vb) {
    const bool integer = isIntegerType(vb.type);
    const bool octets = isOctetType(vb.type);
    switch (syntax) {
        case S::Boolean:
            return integer ? (integerBits(vb) != 0 ? "true" : "false") : "";
        case S::Integer:
            return integer ? std::to_string(static_cast<int32_t>(low32(vb))) : "";
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
        case S::MacAddress:
            return octets ? HvOctetsToHex(vb.octets) : "";
        case S::Null:
            return std::string(HvNullText);
        case S::ObjectId:
            return vb.type == HvVbType::ObjectId ? HvOidToText(vb.objectId) : "";
        case S::IpAddress:
        case S::NsapAddr:
            return octets ? HvIpToText(vb.octets) : "";
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            return integer ? std::to_string(low32(vb)) : "";
        case S::TimeTicks:
            return integer ? HvTicksToText(low32(vb)) : "";
        case S::Counter64:
            if (vb.type == HvVbType::Counter64) return HvCounter64ToText(vb.counter64);
            return integer ? HvCounter64ToText(low32(vb)) : "";
        case S::Double: {
            const auto value = octets ? HvOctetsLEToDouble(vb.octets) : std::nullopt;
            return value ? HvFloatToStr(*value) : "";
        }
        case S::DateTime: {
            const auto value = octets ? HvDateTime::fromOctets(vb.octets) : std::nullopt;
            return value ? value->ToText() : "";
        }
        case S::BcDateTime: {
            const auto value = octets ? HvOctetsLEToDouble(vb.octets) : std::nullopt;
            return value ? HvGuiDateTimeToText(*value) : "";
        }
        case S::DisplayStr:
            return octets ? vb.octets : "";
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
}

// The item's value text with an option text mapped back to its value.
std::string rawValue(const HvVarItem& item) {
    return item.optionList ? item.optionList->TextToValue(item.value) : item.value;
}

std::string shown(const HvVarItem& item, std::string text) {
    return item.optionList ? item.optionList->ValueToText(text) : text;
}

template <typename T>
T required(const std::optional<T>& value, std::string_view text, std::string_view kind) {
    if (!value) HvRaiseBadText(text, kind);
    return *value;
}

std::string octetsOfHex(std::string_view text) {
    return required(HvHexToOctets(text), text, "hexadecimal value");
}

std::string joinSubIds(const std::vector<uint32_t>& ids, std::size_t from = 0) {
    std::string text;
    for (std::size_t i = from; i < ids.size(); ++i) {
        if (i > from) text += '.';
        text += std::to_string(ids[i]);
    }
    return text;
}

void appendOctets(std::vector<uint32_t>& ids, std::string_view octets) {
    for (unsigned char c : octets) ids.push_back(c);
}

void appendHalves(std::vector<uint32_t>& ids, uint64_t value) {
    ids.push_back(static_cast<uint32_t>(value >> 32));
    ids.push_back(static_cast<uint32_t>(value));
}

// Reads a row index from a device's reply, never past its end: every shortfall, and every
// octet that does not fit 8 bits, is the bad-key-count failure.
class IndexReader {
public:
    explicit IndexReader(std::string_view index) {
        if (!index.empty() && index.front() == '.') index.remove_prefix(1);
        if (index.empty()) return;
        auto ids = HvTextToOid(index);
        if (!ids) HvRaiseCode(HvErrBadKeyCount);
        m_ids = std::move(*ids);
    }

    std::size_t left() const { return m_ids.size() - m_pos; }
    uint32_t take() {
        if (left() == 0) HvRaiseCode(HvErrBadKeyCount);
        return m_ids[m_pos++];
    }
    uint64_t takeHalves() {
        const uint64_t high = take();
        return high << 32 | take();
    }
    std::string takeOctets(std::size_t n) {
        if (n > left()) HvRaiseCode(HvErrBadKeyCount);
        std::string octets;
        for (std::size_t i = 0; i < n; ++i) {
            const uint32_t id = take();
            if (id > 255) HvRaiseCode(HvErrBadKeyCount);
            octets += static_cast<char>(id);
        }
        return octets;
    }
    // A length-prefixed run, or everything that is left when the length is implied.
    std::string takeOctetRun(bool implied) { return takeOctets(implied ? left() : take()); }
    std::vector<uint32_t> takeIds(std::size_t n) {
        if (n > left()) HvRaiseCode(HvErrBadKeyCount);
        std::vector<uint32_t> ids(m_ids.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                  m_ids.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
        m_pos += n;
        return ids;
    }
    std::string rest() const { return joinSubIds(m_ids, m_pos); }

private:
    std::vector<uint32_t> m_ids;
    std::size_t m_pos = 0;
};

bool isImpliedKey(const HvSNMPVarList& list, int32_t k) {
    return k == list.keyCount() - 1 && list.testFlag40(k);
}

double nearestInteger(double v) {
    return std::nearbyint(v);
}

template <typename T>
T fitted(double v) {
    const double r = nearestInteger(v);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max())))
        HvRaiseCode(HvErrSyntaxInExpression);
    return static_cast<T>(r);
}

}  // namespace

void vbToItem(HvSNMPVarList& list, int32_t i, const HvVarBind& vb) {
    HvVarItem& item = list.item(i);
    std::string text = printable(item.syntax, vb);
    if (text.empty() && !keepsEmpty(item.syntax)) text = HvNullText;
    item.value = shown(item, std::move(text));
}

void itemToVb(const HvSNMPVarList& list, int32_t i, HvVarBind& vb) {
    const HvVarItem& item = list.item(i);
    const std::string text = rawValue(item);
    HvVarBind out;
    out.oid = vb.oid;
    if (text == HvNullText) {
        vb = out;
        return;
    }
    switch (item.syntax) {
        case S::Boolean:
            out.type = HvVbType::Integer;
            out.integer = isTrueText(text) ? 1 : 0;
            break;
        case S::Integer:
            out.type = HvVbType::Integer;
            out.integer = required(HvTextToInt32(text), text, "integer value");
            break;
        case S::BitStr:
        case S::OctetStr:
        case S::MacAddress:
            out.type = HvVbType::OctetString;
            out.octets = octetsOfHex(text);
            break;
        case S::Opaque:
            out.type = HvVbType::Opaque;
            out.octets = octetsOfHex(text);
            break;
        case S::Null:
            break;
        case S::ObjectId:
            out.type = HvVbType::ObjectId;
            out.objectId = required(HvTextToOid(text), text, "object identifier");
            break;
        case S::IpAddress:
        case S::NsapAddr:
            out.type = HvVbType::IpAddress;
            out.octets = required(HvTextToIp(text), text, "IP address");
            break;
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            // Sent as the unsigned 32-bit type, whatever the counter or gauge kind.
            out.type = HvVbType::Gauge32;
            out.integer = required(HvTextToUInt32(text), text, "integer value");
            break;
        case S::TimeTicks:
            out.type = HvVbType::TimeTicks;
            out.integer = required(HvTextToTicks(text), text, "time ticks value");
            break;
        case S::Counter64:
            out.type = HvVbType::Counter64;
            out.counter64 = required(HvTextToCounter64(text), text, "counter64 value");
            break;
        case S::Double:
            // The 8 octets the read takes, so that a written value reads back.
            out.type = HvVbType::OctetString;
            out.octets = HvDoubleToOctetsLE(required(HvTextToDouble(text), text, "floating point value"));
            break;
        case S::DateTime:
            out.type = HvVbType::OctetString;
            out.octets = HvDateTime(text).toOctets();
            break;
        case S::BcDateTime:
            out.type = HvVbType::OctetString;
            out.octets = HvDoubleToOctetsLE(required(HvTextToGuiDateTime(text), text, "date and time"));
            break;
        case S::DisplayStr:
            out.type = HvVbType::OctetString;
            out.octets = text;
            break;
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
    vb = std::move(out);
}

std::string indexToKey(HvSNMPVarList& list, int32_t k, std::string_view rowIndex) {
    HvVarItem& item = list.item(k);
    const bool implied = isImpliedKey(list, k);
    IndexReader in(rowIndex);
    std::string text;
    switch (item.syntax) {
        case S::Boolean:
            text = in.take() == 0 ? "false" : "true";
            break;
        case S::Integer:
            text = std::to_string(static_cast<int32_t>(in.take()));
            break;
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            text = std::to_string(in.take());
            break;
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
            text = HvOctetsToHex(in.takeOctetRun(implied));
            break;
        case S::DisplayStr:
            text = in.takeOctetRun(implied);
            break;
        case S::Null:
            text = HvNullText;
            break;
        case S::ObjectId:
            text = HvOidToText(in.takeIds(implied ? in.left() : in.take()));
            break;
        case S::IpAddress:
        case S::NsapAddr:
            text = HvIpToText(in.takeOctets(4));
            break;
        case S::TimeTicks:
            text = HvTicksToText(in.take());
            break;
        case S::Counter64:
            text = HvCounter64ToText(in.takeHalves());
            break;
        case S::Double:
            text = HvFloatToStr(std::bit_cast<double>(in.takeHalves()));
            break;
        case S::MacAddress:
            text = HvOctetsToHex(in.takeOctets(6));
            break;
        // Its eleven sub-identifiers are consumed, so that keys after it read their own part.
        case S::DateTime:
            text = HvDateTime::fromOctets(in.takeOctets(11))->ToText();
            break;
        case S::BcDateTime:
            text = HvGuiDateTimeToText(std::bit_cast<double>(in.takeHalves()));
            break;
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
    item.value = shown(item, std::move(text));
    return in.rest();
}

std::string keyToIndex(const HvSNMPVarList& list, int32_t k) {
    const HvVarItem& item = list.item(k);
    const bool implied = isImpliedKey(list, k);
    const std::string text = rawValue(item);
    std::vector<uint32_t> ids;
    auto octetRun = [&](std::string_view octets) {
        if (!implied) ids.push_back(static_cast<uint32_t>(octets.size()));
        appendOctets(ids, octets);
    };
    switch (item.syntax) {
        case S::Boolean:
            ids.push_back(isTrueText(text) ? 1 : 0);
            break;
        case S::Integer:
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            ids.push_back(required(HvTextToUInt32(text), text, "integer value"));
            break;
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
            octetRun(octetsOfHex(text));
            break;
        case S::DisplayStr:
            octetRun(text);
            break;
        case S::Null:
            break;
        case S::ObjectId: {
            // A key of no sub-identifiers ("0" in the index) reads as "" and must address its row again.
            const auto oid = text.empty() ? std::vector<uint32_t>{}
                                          : required(HvTextToOid(text), text, "object identifier");
            if (!implied) ids.push_back(static_cast<uint32_t>(oid.size()));
            ids.insert(ids.end(), oid.begin(), oid.end());
            break;
        }
        case S::IpAddress:
        case S::NsapAddr:
            appendOctets(ids, required(HvTextToIp(text), text, "IP address"));
            break;
        case S::TimeTicks:
            ids.push_back(required(HvTextToTicks(text), text, "time ticks value"));
            break;
        case S::Counter64:
            appendHalves(ids, required(HvTextToCounter64(text), text, "counter64 value"));
            break;
        case S::Double:
            appendHalves(
                ids, std::bit_cast<uint64_t>(required(HvTextToDouble(text), text, "floating point value")));
            break;
        case S::MacAddress: {
            // A row is addressed by all six octets; a shorter text would address another row.
            const std::string octets = octetsOfHex(text);
            if (octets.size() < 6) HvRaiseBadText(text, "MAC address");
            appendOctets(ids, std::string_view(octets).substr(0, 6));
            break;
        }
        case S::DateTime:
            appendOctets(ids, HvDateTime(text).toOctets());
            break;
        case S::BcDateTime:
            appendHalves(ids,
                         std::bit_cast<uint64_t>(required(HvTextToGuiDateTime(text), text, "date and time")));
            break;
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
    return joinSubIds(ids);
}

std::string evaluateExpression(const HvSNMPVarList& list, std::string_view expression, bool booleanMode) {
    std::string out;
    std::size_t pos = 0;
    while (pos < expression.size()) {
        const auto dollar = expression.find('$', pos);
        if (dollar == std::string_view::npos) break;
        out.append(expression.substr(pos, dollar - pos));
        std::size_t end = dollar + 1;
        while (end < expression.size() && std::isdigit(static_cast<unsigned char>(expression[end]))) ++end;
        if (end == dollar + 1) {
            // A '$' without an item number is plain text.
            out += '$';
            pos = end;
            continue;
        }
        int32_t index = std::numeric_limits<int32_t>::max();
        std::from_chars(expression.data() + dollar + 1, expression.data() + end, index);
        const HvVarItem& item = list.item(index);
        const std::string value = rawValue(item);
        if (value == HvNullText) HvRaiseCode(HvErrNullInExpression);
        switch (item.syntax) {
            case S::Boolean:
            case S::Bool8:
            case S::Bool16:
                out += isTrueText(value) ? "1" : "0";
                break;
            case S::Integer:
            case S::Counter:
            case S::Gauge:
            case S::Counter64:
            case S::UInteger:
            case S::Double:
            case S::Int8:
            case S::UInt8:
            case S::Int16:
            case S::UInt16:
                out += value;
                break;
            case S::TimeTicks:
                out += std::to_string(required(HvTextToTicks(value), value, "time ticks value"));
                break;
            case S::BcDateTime:
                out += HvFloatToStr(required(HvTextToGuiDateTime(value), value, "date and time"));
                break;
            default:
                if (!booleanMode) HvRaiseCode(HvErrSyntaxInExpression);
                out.append("\"").append(value).append("\"");
        }
        pos = end;
    }
    if (pos < expression.size()) out.append(expression.substr(pos));
    return out;
}

bool matchExpression(const HvSNMPVarList& list, std::string_view condition) {
    if (condition.empty()) return true;
    return HvEvalBoolean(evaluateExpression(list, condition, true));
}

void applyFormula(HvSNMPVarList& list, int32_t i, int direction) {
    HvVarItem& item = list.item(i);
    const auto& formula = direction == 1 ? item.readFormula : item.writeFormula;
    // An empty formula would evaluate to 0 and overwrite the value; treat it as none.
    if (!formula || formula->empty()) return;
    const double v = HvEvalArithmetic(evaluateExpression(list, *formula, false));
    if (!std::isfinite(v)) HvRaiseCode(HvErrSyntaxInExpression);
    std::string text;
    switch (item.syntax) {
        case S::Counter64: {
            if (!(v >= 0 && v < 18446744073709551616.0)) HvRaiseCode(HvErrSyntaxInExpression);
            text = HvCounter64ToText(static_cast<uint64_t>(v));
            break;
        }
        case S::Boolean:
            text = v != 0 ? "true" : "false";
            break;
        case S::Integer:
            text = std::to_string(fitted<int32_t>(v));
            break;
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            text = std::to_string(fitted<uint32_t>(v));
            break;
        case S::TimeTicks:
            text = HvTicksToText(fitted<uint32_t>(v));
            break;
        case S::Double:
            text = HvFloatToStr(v);
            break;
        case S::BcDateTime:
            text = HvGuiDateTimeToText(v);
            if (text.empty()) HvRaiseCode(HvErrSyntaxInExpression);
            break;
        default:
            HvRaiseCode(HvErrSyntaxInExpression);
    }
    item.value = shown(item, std::move(text));
}

}  // namespace HvValueConv
