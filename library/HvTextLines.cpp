#include "HvTextLines.h"

#include <array>
#include <sstream>
#include <utility>

#include <QString>
#include <QStringDecoder>

#include "platform/Paths.h"
#include "library/HvUtil.h"

namespace {

bool isBlankOrControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}

bool isBlankLine(const std::string& line) {
    for (char c : line)
        if (!isBlankOrControl(c)) return false;
    return true;
}

// Windows-1252 at 0x80..0x9F; the five bytes it leaves undefined map to the C1 controls, as Windows
// itself maps them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string toUtf8(const std::string& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return bytes;
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (unsigned char c : bytes) text += QChar(c >= 0x80 && c <= 0x9F ? kCp1252High[c - 0x80] : char16_t(c));
    return text.toUtf8().toStdString();
}

}  // namespace

std::optional<std::vector<std::string>> HvReadTextLines(const std::string& path) {
    std::optional<std::string> read = HvReadTextFile(path);
    if (!read) return std::nullopt;
    std::string text = std::move(*read);
    text = toUtf8(text);

    std::vector<std::string> messages;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!isBlankLine(line)) messages.push_back(std::move(line));
    }
    return messages;
}

bool HvLoadTextLines(HvMessageTable table, const std::string& path) {
    const auto messages = HvReadTextLines(path);
    if (!messages || messages->empty()) return false;
    HvReplaceMessageTable(table, *messages);
    return true;
}

std::optional<HvMessageTable> HvMessageTableOf(std::string_view fileName) {
    static const std::pair<const char*, HvMessageTable> kFiles[] = {
        {"common.err", HvMessageTable::Common},       {"snmp.err", HvMessageTable::ErrorStatus},
        {"snmpclass.err", HvMessageTable::SnmpClass}, {"snmpv3.err", HvMessageTable::SnmpV3},
        {"snmpusm.err", HvMessageTable::SnmpUsm},     {"hvsnmp.err", HvMessageTable::Own},
        {"snmp.msg", HvMessageTable::ResultLines},
    };
    for (const auto& [name, table] : kFiles)
        if (sameIgnoringCase(fileName, name)) return table;
    return std::nullopt;
}

bool HvLoadMessageFile(const std::string& path) {
    const std::string slashed = toForwardSlashes(path);
    const auto slash = slashed.rfind('/');
    const auto table = HvMessageTableOf(slash == std::string::npos ? slashed : slashed.substr(slash + 1));
    return table && HvLoadTextLines(*table, path);
}
