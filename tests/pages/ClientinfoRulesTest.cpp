// The client information page's rules: the rows it shows from a walked client table, the texts of
// the codes, when a cycle may start, and where a resize puts the list and the buttons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/admin/ClientinfoRules.h"
#include "tests/NamedRows.h"

using namespace ClientinfoRules;

namespace {

using hvtest::PrintTo;

struct CodeCase {
    const char* name;
    QString (*text)(const QString&);
    const char* in;
    const char* shown;
};

class ClientinfoCodes : public ::testing::TestWithParam<CodeCase> {};

TEST_P(ClientinfoCodes, Text) {
    EXPECT_EQ(GetParam().text(QString::fromLatin1(GetParam().in)), QString::fromLatin1(GetParam().shown));
}

const CodeCase kCodes[] = {
    {"BandA", bandText, "0", "A"},
    {"BandB", bandText, "1", "B"},
    {"BandG2", bandText, "2", "G"},
    {"BandG3", bandText, "3", "G"},
    {"BandOther", bandText, "7", " "},
    {"BandNegative", bandText, "-1", " "},
    {"BandEmpty", bandText, "", " "},
    {"AuthOpen", authenticationText, "0", "Open System"},
    {"AuthShared", authenticationText, "1", "Shared Key"},
    {"AuthWpaEap", authenticationText, "2", "WPA-EAP"},
    {"AuthWpaPsk", authenticationText, "3", "WPA-PSK"},
    {"AuthAuto", authenticationText, "4", "Auto"},
    {"AuthWpa2Eap", authenticationText, "5", "WPA2-EAP"},
    {"AuthWpa2Psk", authenticationText, "6", "WPA2-PSK"},
    {"AuthWpaAutoEap", authenticationText, "7", "WPA-Auto-EAP"},
    {"AuthWpaAutoPsk", authenticationText, "8", "WPA-Auto-PSK"},
    {"AuthPastTheList", authenticationText, "9", " "},
    {"AuthNegative", authenticationText, "-1", " "},
    {"AuthNotANumber", authenticationText, "WPA", " "},
    {"PsmOff", powerSavingText, "0", "Off"},
    {"PsmOn", powerSavingText, "1", "On"},
    {"PsmOther", powerSavingText, "2", " "},
    {"Signal", signalText, "80", "80  %"},
    {"SignalEmpty", signalText, "", "  %"},
};

INSTANTIATE_TEST_SUITE_P(Table, ClientinfoCodes, ::testing::ValuesIn(kCodes),
                         [](const auto& info) { return std::string(info.param.name); });

struct SsidCase {
    const char* name;
    const char* capability;
    bool supported;
};

class ClientinfoSsid : public ::testing::TestWithParam<SsidCase> {};

TEST_P(ClientinfoSsid, Supported) {
    EXPECT_EQ(ssidSupported(QString::fromLatin1(GetParam().capability)), GetParam().supported);
}

// Never answered, or cleared by the main window's poll: no SSID column.
const SsidCase kSsid[] = {
    {"One", "1", true},
    {"Zero", "0", false},
    {"Two", "2", false},
    {"Empty", "", false},
    {"Text", "Ed_ClientAddSSID", false},
};

INSTANTIATE_TEST_SUITE_P(Table, ClientinfoSsid, ::testing::ValuesIn(kSsid),
                         [](const auto& info) { return std::string(info.param.name); });

WalkedRow station(const char* mac, const char* band = "2", const char* auth = "3",
                  const char* ssid = "qmx-ap") {
    return {QString::fromLatin1(mac), QString::fromLatin1(band), QString::fromLatin1(auth),
            QStringLiteral("80"),     QStringLiteral("0"),       QString::fromLatin1(ssid)};
}

// Free rows go, wherever they lie, and the numbers run on over the rows kept.
TEST(ClientinfoRows, FreeRowsDroppedAndNumbersConsecutive) {
    const auto rows =
        formatClientRows({station("000000000000"), station("001122334455"), station("000000000000"),
                          station("0011223344AA", "1", "9"), station("000000000000")},
                         false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (ShownRow{"1", {"001122334455", "G", "WPA-PSK", "80  %", "Off"}}));
    EXPECT_EQ(rows[1], (ShownRow{"2", {"0011223344AA", "B", " ", "80  %", "Off"}}));
}

// With SSID support the walk already named the authentication: it shows as walked, and the SSID
// follows as the seventh column.
TEST(ClientinfoRows, SsidSupportKeepsWalkedNamesAndAddsTheSsid) {
    const auto rows = formatClientRows({station("001122334455", "0", "WPA2-PSK", "office")}, true);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (ShownRow{"1", {"001122334455", "A", "WPA2-PSK", "80  %", "Off", "office"}}));
}

// A free MAC in lower case (as a device might send its text) is still a free row.
TEST(ClientinfoRows, OnlyFreeRowsGiveNoRows) {
    EXPECT_TRUE(formatClientRows({station("000000000000"), station("000000000000")}, true).empty());
    EXPECT_TRUE(formatClientRows({}, false).empty());
}

struct CycleCase {
    const char* name;
    bool clientBusy;
    bool triggerBusy;
    bool tableBusy;
    bool starts;
};

class ClientinfoCycle : public ::testing::TestWithParam<CycleCase> {};

TEST_P(ClientinfoCycle, MayStart) {
    const CycleCase& c = GetParam();
    EXPECT_EQ(cycleMayStart(c.clientBusy, c.triggerBusy, c.tableBusy), c.starts);
}

const CycleCase kCycles[] = {
    {"Idle", false, false, false, true},
    {"CycleFlag", true, false, false, false},
    {"TriggerOut", false, true, false, false},
    // The flag already cleared while a walk still runs must not let a second walk start on it.
    {"WalkOut", false, false, true, false},
    {"All", true, true, true, false},
};

INSTANTIATE_TEST_SUITE_P(Table, ClientinfoCycle, ::testing::ValuesIn(kCycles),
                         [](const auto& info) { return std::string(info.param.name); });

struct PlacementCase {
    const char* name;
    int width;
    int height;
    Placement placed;
};

class ClientinfoPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(ClientinfoPlacement, ForClientSize) {
    EXPECT_EQ(placementFor(GetParam().width, GetParam().height), GetParam().placed);
}

const PlacementCase kPlacements[] = {
    {"Designed", 540, 330, {506, 198, 245, 100, 317}},
    // 5/27 and 37/63 of the width, each rounded to the nearest pixel, up and down.
    {"BothRoundDown", 600, 400, {566, 268, 315, 111, 352}},
    {"RefreshRoundsUp", 700, 500, {666, 368, 415, 130, 411}},
};

INSTANTIATE_TEST_SUITE_P(Table, ClientinfoPlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
