// The layouts of the access filter pages. Both filter tabs have the same rows; the second tab is
// hidden in this device's layout. Captions keep their trailing blanks.

#include "pages/wireless/FilerLayout.h"

#include <array>

#include "module/LayoutRows.h"
#include "pages/wireless/FilerRules.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kFieldLeft = 206;
constexpr int kFieldWidth = 121;

// The names of one band's controls on its tab.
struct BandNames {
    const char* tab;
    const char *accessSetting, *accessLabel, *access, *listButton;
    const char *partition, *stationsLabel, *stations, *ethernetLabel, *ethernet;
    const char *betweenLabel, *bandsLabel, *between;
};

constexpr int kBandRowCount = 12;

constexpr std::array<forms::LayoutRow, kBandRowCount> bandRows(const BandNames& n) {
    return {
        label(n.accessSetting, n.tab, 8, 8, "Wireless Access Setting:"),
        label(n.accessLabel, n.tab, 20, 34, "Access Control"),
        combo(n.access, n.tab, kFieldLeft, 30, kFieldWidth),
        button(n.listButton, n.tab, kFieldLeft, 58, "Access Control List", kFieldWidth),
        label(n.partition, n.tab, 8, 96, "WLAN Partition:"),
        label(n.stationsLabel, n.tab, 20, 122, "Internal Station Connection "),
        combo(n.stations, n.tab, kFieldLeft, 118, kFieldWidth),
        label(n.ethernetLabel, n.tab, 20, 150, "Ethernet to WLAN Access"),
        combo(n.ethernet, n.tab, kFieldLeft, 146, kFieldWidth),
        label(n.betweenLabel, n.tab, 20, 174, "Internal Station Connection Between "),
        label(n.bandsLabel, n.tab, 20, 188, "802.11a and 802.11g"),
        combo(n.between, n.tab, kFieldLeft, 178, kFieldWidth),
    };
}

constexpr forms::LayoutRow kFilterHead[] = {
    {Kind::PageControl, "PageControl1", "", 4, 4, 337, 244},
    {Kind::TabSheet, "TS_80211a", "PageControl1", 0, 0, 0, 0, "IEEE 802.11a"},
    {Kind::TabSheet, "TS_80211g", "PageControl1", 0, 0, 0, 0, "IEEE 802.11g", "", Hidden},
    hiddenCombo("CB_Clus"),
};
constexpr forms::LayoutRow kFilterFoot[] = {
    button("Bt_Apply", "", 24, 256, "Apply"),
    button("Bt_Refresh", "", 134, 256, "Refresh"),
    button("Bt_Close", "", 244, 256, "Close"),
    statusBar(),
};

constexpr auto kFilterRows = [] {
    constexpr auto a =
        bandRows({"TS_80211a", "La_WASa", "La_ACa", "CB_ACa", "Bt_MacTaba", "La_WPa", "La_InSCa", "CB_InSCa",
                  "La_E2WAa", "CB_E2WAa", "La_InSCBa", "La_InSCAGa", "CB_InSCBa"});
    constexpr auto g =
        bandRows({"TS_80211g", "La_WASg", "La_ACg", "CB_ACg", "Bt_MacTabg", "La_WPg", "La_InSCg", "CB_InSCg",
                  "La_E2WAg", "CB_E2WAg", "La_InSCBg", "La_InSCAGg", "CB_InSCBg"});
    std::array<forms::LayoutRow, std::size(kFilterHead) + 2 * kBandRowCount + std::size(kFilterFoot)> rows{};
    std::size_t at = 0;
    for (const auto& r : kFilterHead) rows[at++] = r;
    for (const auto& r : a) rows[at++] = r;
    for (const auto& r : g) rows[at++] = r;
    for (const auto& r : kFilterFoot) rows[at++] = r;
    return rows;
}();

constexpr const char* kTableColumns = R"(No.=40,"MAC Address=150")";

const forms::LayoutRow kFilterMacRows[] = {
    group("GroupBox1", "", 8, 6, 280, 254, "Access Control List"),
    // The device's rows, free ones included, lie under the user's list.
    {Kind::ListView, "LV_StaticPoolSet", "GroupBox1", 10, 20, 260, 224, "", kTableColumns, Hidden},
    {Kind::ListView, "User_ListView", "GroupBox1", 10, 20, 260, 224, "", kTableColumns},
    button("Bt_Add", "", 8, 268, "Add", 64),
    {Kind::Button, "Bt_Set", "", 80, 268, 64, 25, "Set", "", Disabled},
    {Kind::Button, "Bt_Del", "", 152, 268, 64, 25, "Del", "", Disabled},
    button("Bt_Rfrsh", "", 224, 268, "Refresh", 64),
    statusBar(),
    {Kind::Timer, "Timer1", "", 50, 0, 0, 0, "", "", Hidden},
};

const forms::LayoutRow kMacAddrRows[] = {
    label("Label1", "", 16, 14, "Please input MAC Address"),
    edit("Ed_MACAddr", "", 16, 34, 185, FilerRules::kMacLength),
    label("LA_Index", "", 16, 60, "1", Hidden),
    button("Bt_Apply", "", 70, 66, "Apply"),
};

}  // namespace

const forms::FormLayout kFilterLayout{"TFM_Filter", "Advanced \\ Filter", 345, 310, kFilterRows};
const forms::FormLayout kFilterMacLayout{"TFM_FilterMAC", "MAC Address Table", 296, 320, kFilterMacRows};
const forms::FormLayout kMacAddrLayout{"TFM_MACAddr", "MAC Address", 217, 104, kMacAddrRows};
