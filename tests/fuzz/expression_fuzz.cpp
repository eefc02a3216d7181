// The evaluators of formulas and row conditions, the placeholder replacement, and the substitution of
// item values into both (values as a device sends them may hold any character).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "library/HvException.h"
#include "library/HvExpression.h"
#include "library/HvSNMPVarList.h"
#include "library/HvValueConv.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

namespace S = HvSyntax;
namespace A = HvAccess;

const MibObjectDef kItems[] = {
    {"1.3.6.1.4.1.99.1", "flag", S::Boolean, A::ReadWrite},
    {"1.3.6.1.4.1.99.2", "level", S::Integer, A::ReadWrite},
    {"1.3.6.1.4.1.99.3", "name", S::DisplayStr, A::ReadWrite},
    {"1.3.6.1.4.1.99.4", "uptime", S::TimeTicks, A::ReadWrite},
    {"1.3.6.1.4.1.99.5", "octets", S::Counter64, A::ReadWrite},
    {"1.3.6.1.4.1.99.6", "when", S::BcDateTime, A::ReadWrite},
    {"1.3.6.1.4.1.99.7", "rate", S::Double, A::ReadWrite},
    {"1.3.6.1.4.1.99.8", "mac", S::MacAddress, A::ReadWrite},
    {},
};

void evaluators(const std::string& text) {
    try {
        HvEvalArithmetic(text);
    } catch (const HvException&) {
    }
    try {
        HvEvalBoolean(text);
    } catch (const HvException&) {
    }
    try {
        HvEvalTerm(text);
    } catch (const HvException&) {
    }
    const std::string stripped = HvStripQuotes(text);
    FUZZ_CHECK(stripped.size() <= text.size());
}

void replacement(const std::string& text, const std::string& pattern, const std::string& with) {
    const std::string out = HvStringReplaceAll(text, pattern, with);
    if (pattern.empty()) FUZZ_CHECK(out == text);
    // Replacing a pattern by itself changes nothing.
    FUZZ_CHECK(HvStringReplaceAll(text, pattern, pattern) == text);
    std::string left, right;
    const int op = HvSplitAtOperator({pattern, with, "="}, text, left, right);
    FUZZ_CHECK(op < 0 || left.size() + right.size() < text.size() + 1);
}

// Item values from the input, then the expression over them: substituted, evaluated as a condition
// and as each item's read and write formula.
void substitution(FuzzInput& in, const std::string& expression) {
    HvSNMPVarList list(kItems, SVT_SV, 0);
    for (int32_t i = 0; i < list.count(); ++i) list.item(i).value = in.text('\t');
    for (const bool booleanMode : {false, true}) {
        try {
            HvValueConv::evaluateExpression(list, expression, booleanMode);
        } catch (const HvException&) {
        }
    }
    try {
        HvValueConv::matchExpression(list, expression);
    } catch (const HvException&) {
    }
    for (int32_t i = 0; i < list.count(); ++i) {
        list.item(i).readFormula = expression;
        list.item(i).writeFormula = expression;
        for (const int direction : {1, 0}) {
            try {
                HvValueConv::applyFormula(list, i, direction);
            } catch (const HvException&) {
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const uint8_t mode = in.byte();
    const std::string text = in.text();
    switch (mode % 3) {
        case 0:
            evaluators(text);
            break;
        case 1: {
            const std::string pattern = in.text();
            replacement(text, pattern, in.text());
            break;
        }
        default:
            substitution(in, text);
            break;
    }
    return 0;
}
