#include "HvExpression.h"

std::string HvStringReplaceAll(const std::string& text, const std::string& pattern,
                               const std::string& replacement) {
    if (pattern.empty())
        return text;
    std::string out;
    std::size_t from = 0;
    for (auto at = text.find(pattern); at != std::string::npos; at = text.find(pattern, from)) {
        out.append(text, from, at - from).append(replacement);
        from = at + pattern.size();
    }
    return out.append(text, from, std::string::npos);
}
