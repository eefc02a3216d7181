#include "library/bind/HvControlConv.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "library/HvDateTime.h"
#include "library/HvSNMPError.h"
#include "library/HvSNMPVarList.h"
#include "library/HvValueText.h"

namespace HvControlConv {
namespace {

namespace S = HvSyntax;

[[noreturn]] void badValue() {
    HvRaiseCode(HvErrAssocValue);
}

template <typename T>
T need(const std::optional<T>& value) {
    if (!value) badValue();
    return *value;
}

bool isTrueText(std::string_view text) {
    if (text.size() != 4) return false;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != "true"[i]) return false;
    }
    return true;
}

bool isBlankText(std::string_view text) {
    for (char c : text)
        if (c != ' ' && c != '\t') return false;
    return true;
}

double readDouble(std::string_view text) {
    if (isBlankText(text)) return 0;
    return need(HvTextToDouble(text));
}

std::string boolText(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string packLE(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

uint64_t unpackLE(std::string_view octets, int bytes) {
    uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(octets[static_cast<std::size_t>(i)]);
    return value;
}

std::string packBE(uint64_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

uint64_t unpackBE(std::string_view octets, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<unsigned char>(octets[static_cast<std::size_t>(i)]);
    return value;
}

int64_t readInteger(std::string_view text, int64_t minimum, int64_t maximum) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) {
        if (minimum > 0 || maximum < 0) badValue();
        return 0;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') badValue();
    }
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum || value > maximum)
        badValue();
    return value;
}

int32_t syntaxWidth(uint32_t syntax) {
    switch (syntax) {
        case S::Boolean:
        case S::Integer:
        case S::IpAddress:
        case S::NsapAddr:
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
        case S::TimeTicks:
            return 4;
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
        case S::MacAddress:
        case S::ObjectId:
        case S::DisplayStr:
            return -1;
        case S::Null:
            return 0;
        case S::Counter64:
        case S::Double:
        case S::BcDateTime:
            return 8;
        case S::DateTime:
            return 11;
        case S::Bool8:
        case S::Int8:
        case S::UInt8:
            return 1;
        case S::Bool16:
        case S::Int16:
        case S::UInt16:
            return 2;
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
}

bool isPlaceholder(std::string_view text) {
    return text == HvNullText || text == HvNotDoneText;
}

std::string valueToOctets(std::string_view text, uint32_t syntax) {
    syntaxWidth(syntax);  // -511 first, whatever the text
    if (isPlaceholder(text)) return {};
    switch (syntax) {
        case S::Boolean:
            return packLE(isTrueText(text) ? 1 : 0, 4);
        case S::Integer:
            return packLE(static_cast<uint32_t>(readInteger(text, INT32_MIN, INT32_MAX)), 4);
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
        case S::MacAddress:
            return need(HvHexToOctets(text));
        case S::Null:
            return {};
        case S::ObjectId: {
            if (isBlankText(text)) return {};
            std::string out;
            for (uint32_t id : need(HvTextToOid(text))) out += packLE(id, 4);
            return out;
        }
        case S::IpAddress:
        case S::NsapAddr:
            // Every number must fit its octet: 300 would otherwise go out as 44, another address.
            if (isBlankText(text)) return {};
            return need(HvTextToIp(text));
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            return packLE(static_cast<uint64_t>(readInteger(text, 0, UINT32_MAX)), 4);
        case S::TimeTicks:
            return packLE(isBlankText(text) ? 0 : need(HvTextToTicks(text)), 4);
        case S::Counter64:
            return packLE(isBlankText(text) ? 0 : need(HvTextToCounter64(text)), 8);
        case S::Double:
            return HvDoubleToOctetsLE(readDouble(text));
        case S::DateTime:
            return HvDateTime(text).toOctets();
        case S::BcDateTime:
            return HvDoubleToOctetsLE(isBlankText(text) ? 0.0 : need(HvTextToGuiDateTime(text)));
        case S::DisplayStr:
            return std::string(text);
        case S::Bool8:
            return packLE(isTrueText(text) ? 1 : 0, 1);
        case S::Bool16:
            return packBE(isTrueText(text) ? 1 : 0, 2);
        case S::Int8:
            return packLE(static_cast<uint64_t>(readInteger(text, INT8_MIN, INT8_MAX)), 1);
        case S::UInt8:
            return packLE(static_cast<uint64_t>(readInteger(text, 0, UINT8_MAX)), 1);
        case S::Int16:
            return packBE(static_cast<uint64_t>(readInteger(text, INT16_MIN, INT16_MAX)), 2);
        case S::UInt16:
            return packBE(static_cast<uint64_t>(readInteger(text, 0, UINT16_MAX)), 2);
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
}

std::string octetsToValue(std::string_view octets, uint32_t syntax) {
    const int32_t width = syntaxWidth(syntax);
    if (octets.empty()) return std::string(HvNullText);
    if (width > 0 && octets.size() < static_cast<std::size_t>(width)) badValue();
    switch (syntax) {
        case S::Boolean:
            return boolText(unpackLE(octets, 4) != 0);
        case S::Integer:
            return std::to_string(static_cast<int32_t>(static_cast<uint32_t>(unpackLE(octets, 4))));
        case S::BitStr:
        case S::OctetStr:
        case S::Opaque:
        case S::MacAddress:
            return HvOctetsToHex(octets);
        case S::Null:
            return std::string(HvNullText);
        case S::ObjectId: {
            if (octets.size() % 4 != 0) badValue();
            std::vector<uint32_t> ids;
            for (std::size_t i = 0; i < octets.size(); i += 4)
                ids.push_back(static_cast<uint32_t>(unpackLE(octets.substr(i, 4), 4)));
            return HvOidToText(ids);
        }
        case S::IpAddress:
        case S::NsapAddr:
            return HvIpToText(octets.substr(0, 4));
        case S::Counter:
        case S::Gauge:
        case S::UInteger:
            return std::to_string(static_cast<uint32_t>(unpackLE(octets, 4)));
        case S::TimeTicks:
            return HvTicksToText(static_cast<uint32_t>(unpackLE(octets, 4)));
        case S::Counter64:
            return HvCounter64ToText(unpackLE(octets, 8));
        case S::Double:
            return HvFloatToStr(need(HvOctetsLEToDouble(octets.substr(0, 8))));
        case S::DateTime:
            return need(HvDateTime::fromOctets(octets.substr(0, 11))).ToText();
        case S::BcDateTime: {
            const std::string text = HvGuiDateTimeToText(need(HvOctetsLEToDouble(octets.substr(0, 8))));
            if (text.empty()) badValue();
            return text;
        }
        case S::DisplayStr:
            return std::string(octets);
        case S::Bool8:
            return boolText(octets[0] != 0);
        case S::Bool16:
            return boolText(unpackBE(octets, 2) != 0);
        case S::Int8:
            return std::to_string(static_cast<int8_t>(octets[0]));
        case S::UInt8:
            return std::to_string(static_cast<unsigned char>(octets[0]));
        case S::Int16:
            return std::to_string(static_cast<int16_t>(unpackBE(octets, 2)));
        case S::UInt16:
            return std::to_string(static_cast<uint16_t>(unpackBE(octets, 2)));
        default:
            HvRaiseCode(HvErrBadSyntax);
    }
}

std::string extractPart(std::string_view octets, int32_t offset, uint32_t syntax) {
    const int32_t width = syntaxWidth(syntax);
    if (octets.empty() || width == 0) return {};
    if (offset < 0 || static_cast<std::size_t>(offset) > octets.size()) HvRaiseCode(HvErrAssocBitIndex);
    const std::size_t from = static_cast<std::size_t>(offset);
    if (width < 0) return std::string(octets.substr(from));
    if (octets.size() - from < static_cast<std::size_t>(width)) HvRaiseCode(HvErrAssocBitIndex);
    return std::string(octets.substr(from, static_cast<std::size_t>(width)));
}

}  // namespace HvControlConv
