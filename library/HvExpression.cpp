#include "HvExpression.h"

#include <cctype>

#include <QDate>
#include <QDateTime>

#include "HvClock.h"
#include "HvSNMPError.h"
#include "HvValueText.h"

namespace {

constexpr std::size_t npos = std::string::npos;

bool equalsNoCase(const std::string& text, const char* word) {
    std::size_t i = 0;
    for (; word[i]; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
    return i == text.size();
}

std::string trimControls(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    return text.substr(b, e - b);
}

// The first '(' at or after from and the ')' that closes it, counting nesting.
bool findParentheses(const std::string& text, std::size_t& open, std::size_t& close) {
    open = text.find('(');
    if (open == npos) return false;
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')' && --depth == 0) {
            close = i;
            return true;
        }
    }
    return false;
}

double operand(const std::string& text) {
    return equalsNoCase(trimControls(text), "now") ? HvNowDays() : HvReadDecimalPrefix(text);
}

}  // namespace

std::string HvStringReplaceAll(const std::string& text, const std::string& pattern,
                               const std::string& replacement) {
    if (pattern.empty()) return text;
    std::string out;
    std::size_t from = 0;
    for (auto at = text.find(pattern); at != npos; at = text.find(pattern, from)) {
        out.append(text, from, at - from).append(replacement);
        from = at + pattern.size();
    }
    return out.append(text, from, npos);
}

std::string HvStripQuotes(const std::string& text) {
    if (!text.empty() && text.front() == '"' && text.back() == '"')
        return text.size() < 2 ? std::string() : text.substr(1, text.size() - 2);
    return text;
}

int HvSplitAtOperator(const std::vector<std::string>& operators, const std::string& text, std::string& left,
                      std::string& right) {
    for (std::size_t i = 0; i < operators.size(); ++i) {
        if (operators[i].empty()) continue;
        const auto at = text.find(operators[i]);
        if (at != npos) {
            left = text.substr(0, at);
            right = text.substr(at + operators[i].size());
            return static_cast<int>(i);
        }
    }
    return -1;
}

double HvEvalArithmetic(const std::string& text) {
    std::size_t open = 0, close = 0;
    if (findParentheses(text, open, close)) {
        const double inner = HvEvalArithmetic(text.substr(open + 1, close - open - 1));
        return HvEvalArithmetic(text.substr(0, open) + HvFloatToStr(inner) + text.substr(close + 1));
    }
    if (const auto at = text.find('+'); at != npos)
        return HvEvalArithmetic(text.substr(0, at)) + HvEvalArithmetic(text.substr(at + 1));
    if (const auto at = text.find('-'); at != npos)
        return HvEvalArithmetic(text.substr(0, at)) - HvEvalArithmetic(text.substr(at + 1));
    if (const auto at = text.find('*'); at != npos)
        return operand(text.substr(0, at)) * HvEvalArithmetic(text.substr(at + 1));
    if (const auto at = text.find('/'); at != npos)
        return operand(text.substr(0, at)) / HvEvalArithmetic(text.substr(at + 1));
    return operand(text);
}

namespace {

// Nesting that still recurses (a parenthesised part, the operand left of '|' or '&'). A condition
// holds device texts, and only its first quoted pair protects them, so a value full of parentheses
// must not run the stack out; anything deeper is a bad operand.
constexpr int kMaxBooleanNesting = 200;

bool evalBoolean(std::string text, int depth) {
    if (depth > kMaxBooleanNesting) HvRaiseCommon(1);
    // The rules' tail positions loop instead of recursing, so that a long text costs no stack: the
    // rest after a '|' or '&', the text with a part replaced, and the text after a '!' rule.
    bool negated = false;
    for (;;) {
        // Only the first quoted pair protects the operator characters inside it.
        const auto q1 = text.find('"');
        const auto q2 = q1 == npos ? npos : text.find('"', q1 + 1);
        const auto quoted = [q1, q2](std::size_t at) { return q2 != npos && at > q1 && at < q2; };

        std::size_t open = 0, close = 0;
        if (findParentheses(text, open, close) && !quoted(open) && !quoted(close)) {
            const bool inner = evalBoolean(text.substr(open + 1, close - open - 1), depth + 1);
            text = text.substr(0, open) + (inner ? "true" : "false") + text.substr(close + 1);
            continue;
        }
        if (const auto at = text.find('|'); at != npos && !quoted(at)) {
            if (evalBoolean(text.substr(0, at), depth + 1)) return !negated;
            text = text.substr(at + 1);
            continue;
        }
        if (const auto at = text.find('&'); at != npos && !quoted(at)) {
            if (!evalBoolean(text.substr(0, at), depth + 1)) return negated;
            text = text.substr(at + 1);
            continue;
        }
        bool bang = false;
        for (auto at = text.find('!'); at != npos && !bang; at = text.find('!', at + 1)) bang = !quoted(at);
        if (bang) {
            // The rule drops the text's first character, whichever it is, and negates.
            text.erase(0, 1);
            negated = !negated;
            continue;
        }
        return negated != HvEvalTerm(text);
    }
}

}  // namespace

bool HvEvalBoolean(const std::string& text) {
    return evalBoolean(text, 0);
}

bool HvEvalTerm(const std::string& text) {
    static const std::vector<std::string> operators = {"<>", ">=", "<=", ">", "<", "="};
    std::string left, right;
    const int op = HvSplitAtOperator(operators, text, left, right);
    if (op < 0) {
        const std::string word = trimControls(text);
        if (equalsNoCase(word, "true")) return true;
        if (equalsNoCase(word, "false")) return false;
        HvRaiseCommon(1);
    }
    auto side = [](const std::string& s) {
        std::string t = HvStripQuotes(trimControls(s));
        return equalsNoCase(t, "now") ? HvFloatToStr(HvNowDays()) : t;
    };
    const int c = side(left).compare(side(right));
    switch (op) {
        case 0:
            return c != 0;
        case 1:
            return c >= 0;
        case 2:
            return c <= 0;
        case 3:
            return c > 0;
        case 4:
            return c < 0;
        default:
            return c == 0;
    }
}

double HvNowDays() {
    static const QDate epoch(1899, 12, 30);
    const QDateTime now = HvNow();
    const double days = static_cast<double>(epoch.daysTo(now.date()));
    const double fraction = now.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;
}
