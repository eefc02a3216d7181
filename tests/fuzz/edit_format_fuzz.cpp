// The edit-constraint format parser, and the checks of an edit's text against each parsed format
// as the edit box runs them on every change and when the user leaves the edit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QString>

#include "library/HvEditFormat.h"
#include "library/HvException.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

void checkText(const HvEditFormat& format, const std::u16string& text) {
    HvEditRule rule(format, true);
    rule.entered(text);
    const HvEditChange change = rule.change(text);
    if (change.action == HvEditChange::Advance || change.action == HvEditChange::Reject)
        FUZZ_CHECK(change.position < text.size());
    const HvEditExit exit = rule.exit(text);
    if (exit.action == HvEditExit::Pass) rule.passed(text);
    if (exit.action == HvEditExit::Fail) FUZZ_CHECK(!exit.message.empty());
    // Typing goes on one character at a time: every prefix is a text the filter sees.
    for (std::size_t n = 0; n < text.size() && n < 64; ++n)
        rule.change(std::u16string_view(text).substr(0, n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string formatText = in.text();
    const std::string typed = in.rest();
    const std::u16string text =
        QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())).toStdU16String();

    for (const std::string& piece : HvSplitEditFormat(formatText)) {
        FUZZ_CHECK(!piece.empty());
        try {
            checkText(HvParseEditFormat(piece), text);
        } catch (const HvException& e) {
            FUZZ_CHECK(e.helpContext() == -2);
        }
    }
    try {
        for (const HvEditFormat& format : HvParseEditFormats(formatText)) checkText(format, text);
    } catch (const HvException& e) {
        FUZZ_CHECK(e.helpContext() == -2);
    }
    HvIsPlaceholderText(text);
    return 0;
}
