#include "library/HvUtil.h"

#include <fstream>
#include <sstream>

#include "platform/Paths.h"

std::string HvJoinPath(const std::string& folder, const std::string& fileName) {
    if (folder.empty()) return fileName;
    const char last = folder.back();
    if (last == '/' || last == '\\') return folder + fileName;
    return folder + "/" + fileName;
}

uint32_t HvIntPower(uint32_t base, uint32_t exponent) {
    uint32_t result = 1;
    for (uint32_t i = 0; i < exponent; ++i) result *= base;
    return result;
}

std::optional<std::string> HvReadTextFile(const std::string& path) {
    std::ifstream file(resolvePathIgnoringCase(path), std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream content;
    content << file.rdbuf();
    std::string text = content.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return text;
}
