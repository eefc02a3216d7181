#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Input rules of bound edit boxes, given by format texts such as "%s", "%u{n1x4095}" or
// "%n.{n0x255}%n.{n0x255}". This is the widget-free core: it parses the format text, decides what
// becomes of each change of an edit's text and checks the text when the user leaves the edit. The
// edit box calls it and carries out the answer (remove a character, beep, move the focus on, show a
// message, restore the last good text).
//
// Edit texts are UTF-16 as the edit box holds them, so positions and lengths are the edit's own.

// Length flags of a piece ("l8afn").
enum HvEditLengthFlag : int16_t {
    HvEditAutoAdvance = 1,  // a: move to the next field when the text reaches the length
    HvEditExactLength = 2,  // f: the text length (or number count) must equal the length
    HvEditNotEmpty = 4,     // n: an empty text is refused
};

// One parsed piece of a format text.
struct HvEditFormat {
    char type = 's';     // 's' text, 'h' hex text, 'i' signed, 'u' unsigned, 'f' real, 'n' number list
    char delimiter = 0;  // separator of an 'n' list; 0 otherwise
    double minimum = 0;
    double maximum = 0;
    int32_t width = 0;        // edit width in pixels; 0 = leave the edit's width
    int32_t length = 0;       // maximum text length ('s', 'h') or number count ('n'); 0 = none
    int16_t lengthFlags = 0;  // HvEditLengthFlag bits
    char advanceChar = 0;     // typing it moves to the next field; 0 = none

    // The edit's maximum text length: the length value for every type (for 'n' it limits the
    // characters as well as the count); 0 means no limit.
    int32_t maxLength() const { return length; }
};

// Splits a format text into pieces: a new piece starts at every '%' after the first character.
// An empty format text gives no pieces.
std::vector<std::string> HvSplitEditFormat(std::string_view formatText);

// Parses one piece. Any malformed piece raises HvException with common entry 2 ("Bad format
// specifier of edit's constraint!"), help context -2.
HvEditFormat HvParseEditFormat(std::string_view piece);

// Parses every piece of a format text before anything is attached, so a bad piece anywhere
// leaves all edits without a constraint. Format k goes to edit k; formats beyond the edits are
// checked but attach nowhere, and edits beyond the formats get none.
std::vector<HvEditFormat> HvParseEditFormats(std::string_view formatText);

// The texts the library puts in controls for a value not read or missing; the rules leave them alone.
bool HvIsPlaceholderText(std::u16string_view text);

// What the edit does after a change of its text.
struct HvEditChange {
    enum Action {
        Leave,    // placeholder or empty text: nothing at all (the edit's own change handler neither)
        Advance,  // remove the character at position (the advance character), move the focus on
        Reject,   // remove the character at position, beep
        Accept,   // run the edit's own change handler; then move on when advanceWhenFull
    };
    Action action = Leave;
    std::size_t position = 0;
    bool advanceWhenFull = false;
};

// What the edit does when the user leaves it.
struct HvEditExit {
    enum Action {
        Leave,  // placeholder, or empty text where that is allowed: nothing further
        Pass,   // run the edit's own exit handler, then keep the text as the last good text
        Fail,   // show message, restore the last good text, focus the edit again
    };
    Action action = Leave;
    std::string message;  // Fail: the common message with its placeholders filled
};

// The change filter: the first character the type does not allow, or the advance character.
HvEditChange HvFilterEditChange(const HvEditFormat& format, std::u16string_view text);

// The check on leaving the edit.
HvEditExit HvCheckEditExit(const HvEditFormat& format, std::u16string_view text);

// One constrained edit: its format and its last good text. The edit box holds one per constraint
// and calls it from its change and exit handlers.
class HvEditRule {
public:
    HvEditRule(const HvEditFormat& format, bool saveGoodText)
        : m_format(format), m_saveGoodText(saveGoodText) {}

    const HvEditFormat& format() const { return m_format; }
    bool saveGoodText() const { return m_saveGoodText; }

    HvEditChange change(std::u16string_view text) const { return HvFilterEditChange(m_format, text); }
    HvEditExit exit(std::u16string_view text) const { return HvCheckEditExit(m_format, text); }

    // After a passed exit and the edit's own exit handler: the edit's text now.
    void passed(std::u16string_view text);
    // The edit gains the focus: its text (usually the device's value) is what a failed exit goes
    // back to, so overtyping a value read from the device with a bad one restores that value
    // instead of emptying the field.
    void entered(std::u16string_view text);

    // Restored after a failed exit; empty at first.
    const std::u16string& lastGoodText() const { return m_lastGoodText; }

private:
    HvEditFormat m_format;
    bool m_saveGoodText;
    std::u16string m_lastGoodText;
};
