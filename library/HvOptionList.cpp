#include "library/HvOptionList.h"

#include <charconv>
#include <string>

#include "library/HvException.h"
#include "platform/HvItemsControl.h"

namespace {

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The library's placeholders for "no value" and "walked column has ended". Neither is a number, and
// neither should make a lookup raise: a walk row with one ended enumerated column is written to its
// controls through ValueToText.
bool isPlaceholder(std::string_view value) {
    return value == "(NULL)" || value == "(NOTDONE)";
}

}  // namespace

HvOptionList::HvOptionList(const HvOptionNumPair* source, int32_t kind, bool caseSensitive)
    : m_kind(kind), m_caseSensitive(caseSensitive) {
    if (kind != Numeric) {
        throw HvException("Option list of kind " + std::to_string(kind) +
                          " cannot be built from numeric values");
    }
    for (const HvOptionNumPair* p = source; p && p->text; ++p) {
        m_items.push_back(Item{p->value, {}, p->text});
    }
}

HvOptionList::HvOptionList(const HvOptionTextPair* source, int32_t kind, bool caseSensitive)
    : m_kind(kind), m_caseSensitive(caseSensitive) {
    if (kind != String && kind != StringPrefix) {
        throw HvException("Option list of kind " + std::to_string(kind) +
                          " cannot be built from string values");
    }
    for (const HvOptionTextPair* p = source; p && p->text; ++p) {
        m_items.push_back(Item{0, p->value ? p->value : "", p->text});
    }
}

const HvOptionList::Item& HvOptionList::GetItem(int32_t index) const {
    if (index < 0 || index >= count()) {
        throw HvException("List index out of bounds (" + std::to_string(index) + ")");
    }
    return m_items[static_cast<size_t>(index)];
}

std::string HvOptionList::ValueOf(int32_t index) const {
    const Item& item = GetItem(index);
    return m_kind == Numeric ? std::to_string(item.value) : item.stringValue;
}

int32_t HvOptionList::StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!text.empty()) {
        const char* last = text.data() + text.size();
        auto [end, ec] = std::from_chars(text.data(), last, value, 10);
        if (ec == std::errc() && end == last) return value;
    }
    throw HvException("'" + std::string(text) + "' is not a valid integer value");
}

bool HvOptionList::equal(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && startsWith(a, b);
}

bool HvOptionList::startsWith(std::string_view text, std::string_view prefix) const {
    if (prefix.size() > text.size()) return false;
    if (m_caseSensitive) return text.substr(0, prefix.size()) == prefix;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (foldAscii(text[i]) != foldAscii(prefix[i])) return false;
    }
    return true;
}

int32_t HvOptionList::IndexOfText(std::string_view text) const {
    for (int32_t i = 0; i < count(); ++i) {
        const std::string& itemText = m_items[static_cast<size_t>(i)].text;
        bool match = m_kind == StringPrefix ? startsWith(text, itemText) : equal(text, itemText);
        if (match) return i;
    }
    return -1;
}

int32_t HvOptionList::IndexOfValue(std::string_view value) const {
    if (m_kind == Numeric) {
        if (isPlaceholder(value)) return -1;
        int32_t number = StrToInt(value);
        for (int32_t i = 0; i < count(); ++i) {
            if (m_items[static_cast<size_t>(i)].value == number) return i;
        }
        return -1;
    }
    for (int32_t i = 0; i < count(); ++i) {
        const std::string& itemValue = m_items[static_cast<size_t>(i)].stringValue;
        bool match = m_kind == StringPrefix ? startsWith(value, itemValue) : equal(value, itemValue);
        if (match) return i;
    }
    return -1;
}

std::string HvOptionList::ValueToText(std::string_view value) const {
    int32_t i = IndexOfValue(value);
    if (i < 0) return std::string(value);
    const Item& item = m_items[static_cast<size_t>(i)];
    if (m_kind == StringPrefix) return item.text + std::string(value.substr(item.stringValue.size()));
    return item.text;
}

std::string HvOptionList::TextToValue(std::string_view text) const {
    int32_t i = IndexOfText(text);
    if (i < 0) return std::string(text);
    const Item& item = m_items[static_cast<size_t>(i)];
    if (m_kind == StringPrefix) return item.stringValue + std::string(text.substr(item.text.size()));
    return ValueOf(i);
}

void HvOptionList::fill(HvItemsControl& control) const {
    control.clearItems();
    for (const Item& item : m_items) control.addItem(item.text);
}

void HvOptionList::select(HvItemsControl& control, std::string_view text) const {
    int32_t i = IndexOfText(text);
    if (i < 0) {
        // Unselected first, so that a value lookup that raises (kind 1, not a number) leaves no stale
        // selection behind.
        control.setItemIndex(-1);
        i = IndexOfValue(text);
        if (i < 0) return;
    }
    control.setItemIndex(controlIndexOf(control, i));
}

int32_t HvOptionList::controlIndexOf(const HvItemsControl& control, int32_t item) const {
    // A page may give a control only some of the list's items, in its own order: the item is found
    // by its text there, never by its place in the list.
    const std::string& text = m_items[static_cast<size_t>(item)].text;
    if (item < control.itemCount() && equal(control.itemString(item), text)) return item;
    for (int32_t j = 0; j < control.itemCount(); ++j)
        if (equal(control.itemString(j), text)) return j;
    return -1;
}

void HvOptionList::FillComboItems(HvItemsControl& combo) const {
    fill(combo);
}
void HvOptionList::SelectComboValue(HvItemsControl& combo, std::string_view text) const {
    select(combo, text);
}
void HvOptionList::FillRadioItems(HvItemsControl& radio) const {
    fill(radio);
}
void HvOptionList::SelectRadioValue(HvItemsControl& radio, std::string_view text) const {
    select(radio, text);
}
