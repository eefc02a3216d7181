#include "HvEditFormat.h"

#include <charconv>
#include <limits>
#include <optional>

#include "HvException.h"
#include "HvExpression.h"
#include "HvNumList.h"
#include "HvSNMPError.h"
#include "HvValueText.h"

namespace {

// Entries of the common message table used here.
enum : std::size_t {
    kBadFormat = 2,
    kEmptyValue = 3,
    kStringTooLong = 4,
    kStringLength = 5,
    kHexTooLong = 6,
    kHexLength = 7,
    kNumberRange = 8,
    kListTooLong = 9,
    kListCount = 10,
    kListRange = 11,
};

[[noreturn]] void badFormat() {
    HvRaiseCommon(kBadFormat);
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool isTypeChar(char c) {
    return c == 's' || c == 'h' || c == 'i' || c == 'u' || c == 'f' || c == 'n';
}

// Takes the run of characters from allowed at the front of s; the run may not be empty.
std::string_view takeRun(std::string_view& s, std::string_view allowed) {
    std::size_t n = 0;
    while (n < s.size() && allowed.find(s[n]) != std::string_view::npos) ++n;
    if (n == 0) badFormat();
    const std::string_view run = s.substr(0, n);
    s.remove_prefix(n);
    return run;
}

int32_t toInt32(std::string_view digits) {
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size()) badFormat();
    return value;
}

double toBound(std::string_view text) {
    // "-", "1-2" or "1.2.3" are no numbers: a bad format, not a conversion failure.
    const auto value = HvTextToDouble(text);
    if (!value) badFormat();
    return *value;
}

void setDefaultBounds(HvEditFormat& f) {
    switch (f.type) {
        case 'i':
            f.minimum = std::numeric_limits<int32_t>::min();
            f.maximum = std::numeric_limits<int32_t>::max();
            break;
        case 'u':
            f.minimum = 0;
            f.maximum = std::numeric_limits<uint32_t>::max();
            break;
        default:
            f.minimum = std::numeric_limits<double>::lowest();
            f.maximum = std::numeric_limits<double>::max();
            break;
    }
}

// Octet for character; what lies beyond Latin-1 is no digit nor delimiter anyway.
std::string narrow(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
}

std::string fill(std::size_t entry, std::initializer_list<std::pair<const char*, std::string>> values) {
    std::string text = HvMessageText(HvMessageTable::Common, entry);
    for (const auto& [pattern, value] : values) text = HvStringReplaceAll(text, pattern, value);
    return text;
}

HvEditExit fail(std::string message) {
    return {HvEditExit::Fail, std::move(message)};
}

std::optional<std::size_t> firstBadChar(const HvEditFormat& f, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        bool ok = false;
        switch (f.type) {
            case 'i':
                ok = isDigit(c) || (c == u'-' && i == 0);
                break;
            case 'u':
                ok = isDigit(c);
                break;
            case 'f':
                // One '.' only: a second one is the bad character.
                ok = isDigit(c) || (c == u'-' && i == 0) ||
                     (c == u'.' && text.substr(0, i).find(u'.') == std::u16string_view::npos);
                break;
            case 'h':
                ok = isDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
                break;
            case 'n':
                if (c == static_cast<unsigned char>(f.delimiter))
                    ok = i > 0 && text[i - 1] != c;
                else
                    ok = isDigit(c);
                break;
            default:
                ok = true;
                break;
        }
        if (!ok) return i;
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> HvSplitEditFormat(std::string_view formatText) {
    std::vector<std::string> pieces;
    if (formatText.empty()) return pieces;
    std::size_t start = 0;
    while (true) {
        const std::size_t next = formatText.find('%', start + 1);
        pieces.emplace_back(formatText.substr(start, next - start));
        if (next == std::string_view::npos) break;
        start = next;
    }
    return pieces;
}

HvEditFormat HvParseEditFormat(std::string_view piece) {
    if (piece.size() < 2 || piece[0] != '%' || !isTypeChar(piece[1])) badFormat();
    HvEditFormat f;
    f.type = piece[1];
    std::string_view rest = piece.substr(2);
    if (f.type == 'n') {
        if (rest.empty()) badFormat();
        f.delimiter = rest.front();
        rest.remove_prefix(1);
    }
    setDefaultBounds(f);
    if (rest.empty()) return f;
    if (rest.size() < 2 || rest.front() != '{' || rest.back() != '}') badFormat();
    std::string_view options = rest.substr(1, rest.size() - 2);
    constexpr std::string_view kDigits = "0123456789";
    constexpr std::string_view kNumber = "-0123456789.";
    while (!options.empty()) {
        const char option = options.front();
        options.remove_prefix(1);
        switch (option) {
            case 'w':
                f.width = toInt32(takeRun(options, kDigits));
                break;
            case 'n':
                f.minimum = toBound(takeRun(options, kNumber));
                break;
            case 'x':
                f.maximum = toBound(takeRun(options, kNumber));
                break;
            case 'l': {
                f.length = toInt32(takeRun(options, kDigits));
                // Up to three flag letters follow the digits; each letter counts once.
                for (int k = 0; k < 3 && !options.empty(); ++k) {
                    const char flag = options.front();
                    if (flag == 'a')
                        f.lengthFlags |= HvEditAutoAdvance;
                    else if (flag == 'f')
                        f.lengthFlags |= HvEditExactLength;
                    else if (flag == 'n')
                        f.lengthFlags |= HvEditNotEmpty;
                    else
                        break;
                    options.remove_prefix(1);
                }
                break;
            }
            case 'e':
                if (options.empty()) badFormat();
                f.advanceChar = options.front();
                options.remove_prefix(1);
                break;
            default:
                badFormat();
        }
    }
    return f;
}

std::vector<HvEditFormat> HvParseEditFormats(std::string_view formatText) {
    std::vector<HvEditFormat> formats;
    for (const std::string& piece : HvSplitEditFormat(formatText))
        formats.push_back(HvParseEditFormat(piece));
    return formats;
}

bool HvIsPlaceholderText(std::u16string_view text) {
    return text == u"(NOTDONE)" || text == u"(NULL)";
}

HvEditChange HvFilterEditChange(const HvEditFormat& f, std::u16string_view text) {
    if (text.empty() || HvIsPlaceholderText(text)) return {};
    if (f.advanceChar != 0) {
        const auto at = text.find(static_cast<char16_t>(static_cast<unsigned char>(f.advanceChar)));
        if (at != std::u16string_view::npos) return {HvEditChange::Advance, at, false};
    }
    if (const auto bad = firstBadChar(f, text)) return {HvEditChange::Reject, *bad, false};
    const bool full = (f.lengthFlags & HvEditAutoAdvance) && f.length > 0 &&
                      text.size() == static_cast<std::size_t>(f.length);
    return {HvEditChange::Accept, 0, full};
}

HvEditExit HvCheckEditExit(const HvEditFormat& f, std::u16string_view text) {
    if (HvIsPlaceholderText(text)) return {};
    if (text.empty()) {
        if (f.lengthFlags & HvEditNotEmpty) return fail(fill(kEmptyValue, {}));
        return {};
    }
    const std::string len = std::to_string(f.length);
    switch (f.type) {
        case 'f':
        case 'i':
        case 'u': {
            // A text the filter lets through but that is no number ("-", ".", "-.") fails like one
            // out of range.
            const auto value = HvTextToDouble(narrow(text));
            if (!value || *value < f.minimum || *value > f.maximum)
                return fail(fill(kNumberRange,
                                 {{"[MIN]", HvFloatToStr(f.minimum)}, {"[MAX]", HvFloatToStr(f.maximum)}}));
            break;
        }
        case 's':
        case 'h':
            if (f.length > 0) {
                const auto size = text.size();
                const auto limit = static_cast<std::size_t>(f.length);
                if (f.lengthFlags & HvEditExactLength) {
                    if (size != limit)
                        return fail(fill(f.type == 's' ? kStringLength : kHexLength, {{"[LEN]", len}}));
                } else if (size > limit) {
                    return fail(fill(f.type == 's' ? kStringTooLong : kHexTooLong, {{"[MAXLEN]", len}}));
                }
            }
            break;
        case 'n': {
            HvNumList<unsigned> list(f.delimiter);
            list.parse(narrow(text));
            const std::string delimiter(1, f.delimiter);
            if (f.length > 0) {
                if (f.lengthFlags & HvEditExactLength) {
                    if (list.count() != f.length)
                        return fail(fill(kListCount, {{"[DELIMITER]", delimiter}, {"[COUNT]", len}}));
                } else if (list.count() > f.length) {
                    return fail(fill(kListTooLong, {{"[DELIMITER]", delimiter}, {"[MAXCOUNT]", len}}));
                }
            }
            for (unsigned number : list.numbers())
                if (number < f.minimum || number > f.maximum)
                    return fail(fill(kListRange, {{"[DELIMITER]", delimiter},
                                                  {"[MIN]", HvFloatToStr(f.minimum)},
                                                  {"[MAX]", HvFloatToStr(f.maximum)}}));
            break;
        }
        default:
            break;
    }
    return {HvEditExit::Pass, {}};
}

void HvEditRule::passed(std::u16string_view text) {
    if (m_saveGoodText) m_lastGoodText = text;
}

void HvEditRule::entered(std::u16string_view text) {
    if (m_saveGoodText) m_lastGoodText = text;
}
