// The statistics page's layout: per slot four groups of counters, each a label and a read-only edit,
// the rates with "%" beside them. The counters' rows are made from the counters table at compile
// time, so the table and the window cannot drift apart.

#include "pages/admin/StaticLayout.h"

#include <array>
#include <cstddef>
#include <span>

#include "module/LayoutRows.h"
#include "pages/admin/StaticRules.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;
using StaticRules::kCounterCount;
using StaticRules::kCounters;
using StaticRules::kGroups;

constexpr int kInputLeft = 215;
constexpr int kInputWidth = 85;
constexpr int kGroupLeft = 6;
constexpr int kGroupWidth = 325;
constexpr int kGap = 6;         // between the groups, and above the first
constexpr int kFirstTop = 18;   // a group's first edit
constexpr int kRowPitch = 24;   // one counter's line
constexpr int kGroupFoot = 20;  // a group's height beyond its lines
constexpr int kLabelDrop = 4;   // a label sits this much below its edit's top

// A control's name made at compile time, kept where the rows can point to it.
constexpr std::size_t kNameSize = 24;
struct Name {
    char text[kNameSize]{};
};

constexpr Name makeName(const char* prefix, const char* stem, char slot, char number = 0) {
    Name n;
    std::size_t i = 0;
    const auto put = [&](char c) {
        // A name too long for its buffer stops the build here.
        if (i + 1 >= kNameSize) throw "control name too long";
        n.text[i++] = c;
    };
    for (const char* p = prefix; *p; ++p) put(*p);
    for (const char* p = stem; *p; ++p) put(*p);
    if (number) put(number);
    put(slot);
    return n;
}

// The names of one slot's generated controls. A counter's edit is its stem ("Ed_TranSuRat") with
// the slot's letter; its label and "%" take the stem's "Lab_" and "Pct_" forms.
struct SlotNames {
    std::array<Name, kGroups.size()> group;
    std::array<Name, kCounterCount> label, edit, percent;
};

constexpr SlotNames slotNames(char slot) {
    SlotNames s;
    for (std::size_t g = 0; g < kGroups.size(); ++g) s.group[g] = makeName("GroupBox", "", slot, char('1' + g));
    for (std::size_t c = 0; c < kCounters.size(); ++c) {
        const char* stem = kCounters[c].edit + 3;  // past "Ed_"
        s.label[c] = makeName("Lab_", stem, slot);
        s.edit[c] = makeName("Ed_", stem, slot);
        s.percent[c] = makeName("Pct_", stem, slot);
    }
    return s;
}

constexpr SlotNames kNamesA = slotNames('a');
constexpr SlotNames kNamesG = slotNames('g');

constexpr std::size_t percentCount() {
    std::size_t n = 0;
    for (const auto& c : kCounters) n += c.percent;
    return n;
}

// Per slot: its groups, a label and an edit per counter, a "%" per rate and the Refresh button.
constexpr std::size_t kSlotRows = kGroups.size() + 2 * kCounters.size() + percentCount() + 1;

// The slot's groups one below the other, then its Refresh button under the last; from row i on.
constexpr std::size_t addSlot(std::span<LayoutRow> rows, std::size_t i, const SlotNames& names, const char* tab,
                              const char* refresh) {
    int groupTop = kGap;
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const char* box = names.group[g].text;
        const int height = kGroups[g].count * kRowPitch + kGroupFoot;
        rows[i++] = group(box, tab, kGroupLeft, groupTop, kGroupWidth, height, kGroups[g].caption);
        for (int k = 0; k < kGroups[g].count; ++k) {
            const auto c = static_cast<std::size_t>(kGroups[g].first + k);
            const int top = kFirstTop + k * kRowPitch;
            rows[i++] = label(names.label[c].text, box, 10, top + kLabelDrop, kCounters[c].label);
            rows[i++] = edit(names.edit[c].text, box, kInputLeft, top, kInputWidth, 0, ReadOnly);
            if (kCounters[c].percent)
                rows[i++] = label(names.percent[c].text, box, kInputLeft + kInputWidth + 4, top + kLabelDrop, "%");
        }
        groupTop += height + kGap;
    }
    rows[i++] = button(refresh, tab, 256, groupTop, "Refresh");
    return i;
}

constexpr auto makeRows() {
    std::array<LayoutRow, 3 + 2 * kSlotRows + 1> rows{};
    std::size_t i = 0;
    rows[i++] = {Kind::PageControl, "PC_WirlessTraffic", "", 4, 4, 345, 600};
    rows[i++] = {Kind::TabSheet, "TabSheetA", "PC_WirlessTraffic", 0, 0, 0, 0, "IEEE 802.11a"};
    rows[i++] = {Kind::TabSheet, "TabSheetG", "PC_WirlessTraffic", 0, 0, 0, 0, "IEEE 802.11g", "", Hidden};
    i = addSlot(rows, i, kNamesA, "TabSheetA", "Bt_RfrshA");
    i = addSlot(rows, i, kNamesG, "TabSheetG", "Bt_RfrshG");
    rows[i++] = statusBar();
    // Every row filled: a row left over would be a control without a name.
    if (i != rows.size()) throw "row count";
    return rows;
}

constexpr auto kRows = makeRows();

}  // namespace

const forms::FormLayout kStaticLayout{"TFM_Static", "Status \\ Stats", 353, 632, kRows};
