// The device information page's layout: every value read-only, the visible Super G edit of slot 1
// over the hidden one that carries the device's text.

#include "pages/admin/DevinfoLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;
using enum forms::LayoutFlag;

constexpr int kInputLeft = 130;
constexpr int kInputWidth = 199;
// The refresh buttons stand below the last edit of their sheet, not over it.
constexpr int kRefreshTop = 170;
// The groups below the radio's page control, and the window, follow its height.
constexpr int kPagesHeight = 226;
constexpr int kGroupsTop = 4 + kPagesHeight + 4;

constexpr LayoutRow kRows[] = {
    {Kind::PageControl, "PC_WirlessTraffic", "", 4, 4, 345, kPagesHeight},
    {Kind::TabSheet, "TabSheetA", "PC_WirlessTraffic", 0, 0, 0, 0, "IEEE 802.11a"},
    {Kind::TabSheet, "TabSheetG", "PC_WirlessTraffic", 0, 0, 0, 0, "IEEE 802.11g", "", Hidden},
    label("Lab_SSIDa", "TabSheetA", 12, 16, "Service Set ID"),
    edit("Ed_SSIDa", "TabSheetA", kInputLeft, 12, kInputWidth, 0, ReadOnly),
    label("Lab_Channela", "TabSheetA", 12, 42, "Channel"),
    edit("Ed_Channela", "TabSheetA", kInputLeft, 38, kInputWidth, 0, ReadOnly),
    label("Lab_SupModa", "TabSheetA", 12, 68, "Super G Mode"),
    edit("Ed_SupModusa", "TabSheetA", kInputLeft, 64, kInputWidth, 0, ReadOnly),
    edit("Ed_SupModa", "TabSheetA", kInputLeft, 64, kInputWidth, 0, ReadOnly | Hidden),
    label("Lab_DatRata", "TabSheetA", 12, 94, "Data Rate"),
    edit("Ed_DatRata", "TabSheetA", kInputLeft, 90, kInputWidth, 0, ReadOnly),
    label("Lab_SecLevAutha", "TabSheetA", 12, 120, "Authentication"),
    edit("Ed_SecLevAutha", "TabSheetA", kInputLeft, 116, kInputWidth, 0, ReadOnly),
    label("Lab_SecLevPria", "TabSheetA", 12, 146, "Privacy"),
    edit("Ed_SecLevPria", "TabSheetA", kInputLeft, 142, kInputWidth, 0, ReadOnly),
    button("Bt_Refa", "TabSheetA", 254, kRefreshTop, "Refresh"),
    label("Lab_SSIDg", "TabSheetG", 12, 16, "Service Set ID"),
    edit("Ed_SSIDg", "TabSheetG", kInputLeft, 12, kInputWidth, 0, ReadOnly),
    label("Lab_Channelg", "TabSheetG", 12, 42, "Channel"),
    edit("Ed_Channelg", "TabSheetG", kInputLeft, 38, kInputWidth, 0, ReadOnly),
    label("Lab_SupModg", "TabSheetG", 12, 68, "Super Mode"),
    edit("Ed_SupModg", "TabSheetG", kInputLeft, 64, kInputWidth, 0, ReadOnly),
    label("Lab_DatRatg", "TabSheetG", 12, 94, "Data Rate"),
    edit("Ed_DatRatg", "TabSheetG", kInputLeft, 90, kInputWidth, 0, ReadOnly),
    label("Lab_SecLevAuthg", "TabSheetG", 12, 120, "Authentication"),
    edit("Ed_SecLevAuthg", "TabSheetG", kInputLeft, 116, kInputWidth, 0, ReadOnly),
    label("Lab_SecLevPrig", "TabSheetG", 12, 146, "Privacy"),
    edit("Ed_SecLevPrig", "TabSheetG", kInputLeft, 142, kInputWidth, 0, ReadOnly),
    button("Bt_Refg", "TabSheetG", 254, kRefreshTop, "Refresh"),
    group("GroupBox1", "", 4, kGroupsTop, 345, 72, "Device Info"),
    label("Label7", "GroupBox1", 12, 22, "Firmware Version:"),
    edit("Ed_Firmware", "GroupBox1", kInputLeft, 18, kInputWidth, 0, ReadOnly),
    label("Label8", "GroupBox1", 12, 48, "MAC Address:"),
    edit("Ed_Mac", "GroupBox1", kInputLeft, 44, kInputWidth, 0, ReadOnly),
    group("GroupBox2", "", 4, kGroupsTop + 76, 345, 124, "Ethernet "),
    label("Label9", "GroupBox2", 12, 22, "Get IP From:"),
    edit("Ed_GetIP", "GroupBox2", kInputLeft, 18, kInputWidth, 0, ReadOnly),
    label("Label10", "GroupBox2", 12, 48, "IP Address: "),
    edit("Ed_IPaddr", "GroupBox2", kInputLeft, 44, kInputWidth, 0, ReadOnly),
    label("Label11", "GroupBox2", 12, 74, "Subnet Mask:"),
    edit("Ed_SubMask", "GroupBox2", kInputLeft, 70, kInputWidth, 0, ReadOnly),
    label("Label12", "GroupBox2", 12, 100, "Gateway: "),
    edit("Ed_Gate", "GroupBox2", kInputLeft, 96, kInputWidth, 0, ReadOnly),
    statusBar(),
};

}  // namespace

const forms::FormLayout kDevInfoLayout{"TFM_DevInfo", "Status \\ Device Info", 353, 458, kRows};
