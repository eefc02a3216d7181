#include "library/HvUtil.h"

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
