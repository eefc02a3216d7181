#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class HvItemsControl;

// Source pairs of an option list, ended by a pair whose text is null. Plain aggregates, so that the
// static tables of the device stay literal data.
struct HvOptionNumPair {
    int32_t value;
    const char* text;
};
struct HvOptionTextPair {
    const char* value;
    const char* text;
};

// The value-to-text table of an enumerated object or of a library name table: turns the
// value as it travels in SNMP into the text shown to the user and back, and fills and selects combo
// boxes and radio groups. Items keep the order of the source; every lookup takes the first match.
class HvOptionList {
public:
    enum Kind : int32_t {
        Numeric = 1,       // values are 32-bit integers, texts match whole
        String = 2,        // values are strings, texts and values match whole
        StringPrefix = 3,  // values are strings; an item's text or value matches a prefix
    };

    struct Item {
        int32_t value = 0;        // kind 1
        std::string stringValue;  // kinds 2 and 3
        std::string text;
    };

    // Kind 1 from numeric pairs; kinds 2 and 3 from text pairs. A null source gives an empty list.
    // Any other kind for the source's type raises HvException.
    explicit HvOptionList(const HvOptionNumPair* source, int32_t kind = Numeric, bool caseSensitive = false);
    HvOptionList(const HvOptionTextPair* source, int32_t kind, bool caseSensitive = false);

    int32_t kind() const { return m_kind; }
    bool caseSensitive() const { return m_caseSensitive; }
    int32_t count() const { return static_cast<int32_t>(m_items.size()); }

    // The item at index; an index outside 0..count-1 raises HvException.
    const Item& GetItem(int32_t index) const;
    // The item's value as it travels: decimal for kind 1, the string for kinds 2 and 3.
    std::string ValueOf(int32_t index) const;

    int32_t IndexOfText(std::string_view text) const;
    // Kind 1: "(NULL)" and "(NOTDONE)" match nothing (-1); any other text that is not a decimal 32-bit
    // integer raises HvException ("'abc' is not a valid integer value").
    int32_t IndexOfValue(std::string_view value) const;
    std::string ValueToText(std::string_view value) const;
    std::string TextToValue(std::string_view text) const;

    // Strict, locale-independent parse of a signed decimal 32-bit integer (no blanks, no '+', no hex),
    // failing as the GUI library's StrToInt does: HvException "'<text>' is not a valid integer value".
    static int32_t StrToInt(std::string_view text);

    void FillComboItems(HvItemsControl& combo) const;
    void SelectComboValue(HvItemsControl& combo, std::string_view text) const;
    void FillRadioItems(HvItemsControl& radio) const;
    void SelectRadioValue(HvItemsControl& radio, std::string_view text) const;

private:
    bool equal(std::string_view a, std::string_view b) const;
    bool startsWith(std::string_view text, std::string_view prefix) const;
    void fill(HvItemsControl& control) const;
    void select(HvItemsControl& control, std::string_view text) const;
    // The control's index of the list's item, matched by text; -1 when the control lacks it.
    int32_t controlIndexOf(const HvItemsControl& control, int32_t item) const;

    int32_t m_kind;
    bool m_caseSensitive;
    std::vector<Item> m_items;
};
