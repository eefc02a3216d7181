// The AP mode page's layout: the mode and the peers' MAC edits of each slot, two columns of four.

#include "pages/wireless/ModecfgLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr const char* kModes = "\"Access Point\",\"PtP Bridge\",\"PtMP Bridge\",\"Universal Repeater\"";

constexpr LayoutRow kRows[] = {
    {Kind::PageControl, "PC_Mode", "", 0, 0, 313, 345},
    {Kind::TabSheet, "TS_80211a", "PC_Mode", 0, 0, 0, 0, "IEEE 802.11a"},
    {Kind::TabSheet, "TS_80211g", "PC_Mode", 0, 0, 0, 0, "IEEE 802.11g", "", Hidden},
    button("Bt_Apply", "", 3, 351, "Apply"),
    button("Bt_Refresh", "", 119, 351, "Refresh"),
    button("Bt_Close", "", 235, 351, "Close"),
    statusBar(),

    label("Lab_APMa", "TS_80211a", 8, 26, "AP Mode"),
    combo("CB_11a_APM", "TS_80211a", 78, 18, 145, kModes),
    label("Lab_ReMAddra", "TS_80211a", 8, 67, "Remote AP MAC Address"),
    edit("Ed_ReMAddra0", "TS_80211a", 8, 93, 121, 12),
    edit("Ed_ReMAddra1", "TS_80211a", 152, 93, 121, 12),
    edit("Ed_ReMAddra2", "TS_80211a", 8, 133, 121, 12),
    edit("Ed_ReMAddra3", "TS_80211a", 152, 133, 121, 12),
    edit("Ed_ReMAddra4", "TS_80211a", 8, 172, 121, 12),
    edit("Ed_ReMAddra5", "TS_80211a", 152, 172, 121, 12),
    edit("Ed_ReMAddra6", "TS_80211a", 8, 212, 121, 12),
    edit("Ed_ReMAddra7", "TS_80211a", 152, 212, 121, 12),
    label("Lab_RoMAddra", "TS_80211a", 8, 256, "Root AP MAC Address"),
    edit("Ed_RoMAddra0", "TS_80211a", 8, 285, 121, 12),
    label("Lab_SSID", "TS_80211a", 152, 256, "SSID"),
    edit("Ed_SSID", "TS_80211a", 152, 285, 121, 32),

    // Slot 2: the same without the SSID.
    label("Lab_APMg", "TS_80211g", 8, 26, "AP Mode"),
    combo("CB_11g_APM", "TS_80211g", 78, 18, 145, kModes),
    label("Lab_ReMAddrg", "TS_80211g", 8, 67, "Remote AP MAC Address"),
    edit("Ed_ReMAddrg0", "TS_80211g", 8, 93, 121, 12),
    edit("Ed_ReMAddrg1", "TS_80211g", 152, 93, 121, 12),
    edit("Ed_ReMAddrg2", "TS_80211g", 8, 133, 121, 12),
    edit("Ed_ReMAddrg3", "TS_80211g", 152, 133, 121, 12),
    edit("Ed_ReMAddrg4", "TS_80211g", 8, 172, 121, 12),
    edit("Ed_ReMAddrg5", "TS_80211g", 152, 172, 121, 12),
    edit("Ed_ReMAddrg6", "TS_80211g", 8, 212, 121, 12),
    edit("Ed_ReMAddrg7", "TS_80211g", 152, 212, 121, 12),
    label("Lab_RoMAddrg", "TS_80211g", 8, 256, "Root AP MAC Address"),
    edit("Ed_RoMAddrg0", "TS_80211g", 8, 285, 121, 12),
};

}  // namespace

const forms::FormLayout kModecfgLayout{"TFM_ModeCFG", "Advanced \\ Mode", 313, 399, kRows};
