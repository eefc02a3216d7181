// The AP mode page's rules without windows: the mode rule on the MAC edits, Apply's checks with
// their texts and focus, the items a write carries and the flags put back after it.

#include <gtest/gtest.h>

#include "library/HvSNMPVarList.h"
#include "pages/wireless/ModecfgRules.h"
#include "tests/NamedRows.h"

using namespace ModecfgRules;

namespace {

using hvtest::PrintTo;

constexpr uint32_t W = HvAccess::ReadWrite;
constexpr uint32_t L = HvAccess::Invalid;
const QString kPeer1 = QStringLiteral("001122334455");
const QString kPeer2 = QStringLiteral("00AABBCCDDEE");

Macs withRemote(std::initializer_list<std::pair<int, QString>> set, QString root = {}) {
    Macs m;
    for (const auto& [n, text] : set) m.remote[size_t(n)] = text;
    m.root = std::move(root);
    return m;
}

TEST(ModecfgRules, ModeItemsAreTheFourOfThePage) {
    EXPECT_EQ(modeItems(), (QStringList{"Access Point", "PtP Bridge", "PtMP Bridge", "Universal Repeater"}));
    EXPECT_EQ(modeAt(2), Mode::PtmpBridge);
    EXPECT_EQ(modeAt(-1), std::nullopt);
    EXPECT_EQ(modeAt(4), std::nullopt);  // AP Client and the modes without AP have no entry
}

TEST(ModecfgRules, ControlNamesPerTab) {
    EXPECT_EQ(remoteEdit(Tab::A, 0), u"Ed_ReMAddra0");
    EXPECT_EQ(remoteEdit(Tab::G, 7), u"Ed_ReMAddrg7");
    EXPECT_EQ(rootEdit(Tab::A), u"Ed_RoMAddra0");
    EXPECT_EQ(rootEdit(Tab::G), u"Ed_RoMAddrg0");
    EXPECT_EQ(modeCombo(Tab::G), u"CB_11g_APM");
    EXPECT_EQ(itemCount(Tab::A), 11);
    EXPECT_EQ(itemCount(Tab::G), 10);
}

// ---- The mode rule ------------------------------------------------------------------------------

struct ModeCase {
    const char* name;
    std::optional<Mode> mode;
    std::optional<Editable> editable;
    bool rootAndSsidEmptied;
};

class ModecfgModeRule : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModecfgModeRule, EditableEditsAndEmptiedOnes) {
    const auto& c = GetParam();
    EXPECT_EQ(editable(c.mode), c.editable);
    Macs read = withRemote({{0, kPeer1}, {1, "000000000000"}, {7, "000000000000"}}, kPeer2);
    read.ssid = "root-ssid";
    const Macs shown = shownMacs(c.mode, read);
    EXPECT_EQ(shown.remote[0], kPeer1);
    EXPECT_EQ(shown.remote[1], u"");  // free peers show empty in every mode
    EXPECT_EQ(shown.remote[7], u"");
    EXPECT_EQ(shown.root.isEmpty(), c.rootAndSsidEmptied);
    EXPECT_EQ(shown.ssid.isEmpty(), c.rootAndSsidEmptied);
}

Editable remotes(std::initializer_list<int> n) {
    Editable e;
    for (int i : n) e.remote[size_t(i)] = true;
    return e;
}
Editable repeater() {
    Editable e;
    e.root = e.ssid = true;
    return e;
}

const ModeCase kModes[] = {
    {"AccessPoint", Mode::AccessPoint, Editable{}, true},
    {"PtpBridge", Mode::PtpBridge, remotes({0}), true},
    {"PtmpBridge", Mode::PtmpBridge, remotes({0, 1, 2, 3, 4, 5, 6, 7}), true},
    {"UniversalRepeater", Mode::UniversalRepeater, repeater(), false},
    {"NoSelection", std::nullopt, std::nullopt, false},
};

INSTANTIATE_TEST_SUITE_P(Table, ModecfgModeRule, ::testing::ValuesIn(kModes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ModecfgRules, SwitchingToAccessPointEmptiesTheRootMacAtOnce) {
    const Macs shown = shownMacs(Mode::AccessPoint, withRemote({}, kPeer1));
    EXPECT_EQ(shown.root, u"");
}

// ---- Apply --------------------------------------------------------------------------------------

struct ApplyCase {
    const char* name;
    Tab tab;
    std::optional<Mode> mode;
    Macs macs;
    std::optional<CheckFailure> failure;
    std::vector<int> written;  // items sent, when the checks pass
};

class ModecfgApply : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ModecfgApply, ChecksThenItemsSent) {
    const auto& c = GetParam();
    const auto result = checkApply(c.tab, c.mode, c.macs);
    if (c.failure) {
        ASSERT_TRUE(std::holds_alternative<CheckFailure>(result));
        EXPECT_EQ(std::get<CheckFailure>(result), *c.failure);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<WritePlan>(result))
        << std::get<CheckFailure>(result).message.toStdString();
    const WritePlan& plan = std::get<WritePlan>(result);
    std::array<uint32_t, kMaxItems> expected{};
    expected.fill(L);
    for (int item : c.written) expected[size_t(item)] = W;
    EXPECT_EQ(plan.flags, expected);
}

const QString kErr = QStringLiteral("IEEE802.11g Setting Error!");
CheckFailure duplicate(int n, Tab tab = Tab::A) {
    return {"Exsit same MAC address.", "Warning", remoteEdit(tab, n), {}, {}};
}
CheckFailure rootLength() {
    return {"The length is 12 in IEEE802.11g Root AP MAC Address.", "Error", {}, {}, kErr};
}
CheckFailure macLength() {
    return {"The length is 12 in IEEE802.11g MAC address.", "Error", {}, {}, kErr};
}
// Peers the device holds: a duplicate pair and a malformed one, which only PtMP lets the user change.
const Macs kStalePeers = withRemote({{0, kPeer1}, {2, kPeer1}, {5, "12345"}});

const ApplyCase kApply[] = {
    {"AccessPointSendsOnlyTheMode", Tab::A, Mode::AccessPoint, kStalePeers, std::nullopt, {0}},
    {"PtmpDuplicateFocusesTheLater",
     Tab::A,
     Mode::PtmpBridge,
     withRemote({{0, kPeer1}, {2, kPeer1}}),
     duplicate(2),
     {}},
    {"PtmpDuplicateIgnoresCase",
     Tab::A,
     Mode::PtmpBridge,
     withRemote({{3, "00aabbccddee"}, {6, kPeer2}}),
     duplicate(6),
     {}},
    {"PtmpLastPairIsFoundFirst",
     Tab::A,
     Mode::PtmpBridge,
     withRemote({{0, kPeer1}, {1, kPeer1}, {4, kPeer2}, {7, kPeer2}}),
     duplicate(7),
     {}},
    {"PtmpEmptiesAreNoDuplicates",
     Tab::A,
     Mode::PtmpBridge,
     withRemote({{0, kPeer1}}),
     std::nullopt,
     {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    {"PtmpShortMac", Tab::A, Mode::PtmpBridge, withRemote({{4, "0011223344"}}), macLength(), {}},
    {"PtmpNonHexMac", Tab::A, Mode::PtmpBridge, withRemote({{4, "00112233445Z"}}), macLength(), {}},
    // Stale duplicates in edits the mode keeps read-only never lock Apply out.
    {"PtpIgnoresStaleDuplicates", Tab::A, Mode::PtpBridge, kStalePeers, std::nullopt, {0, 1}},
    {"RepeaterIgnoresStaleDuplicates", Tab::A, Mode::UniversalRepeater, kStalePeers, std::nullopt, {0, 9}},
    {"PtpShortRemoteNamesTheRoot",
     Tab::A,
     Mode::PtpBridge,
     withRemote({{0, "00112233445"}}),
     rootLength(),
     {}},
    {"PtpEmptyRemoteIsFree", Tab::A, Mode::PtpBridge, Macs{}, std::nullopt, {0, 1}},
    {"RepeaterEmptyRootIsFree", Tab::A, Mode::UniversalRepeater, Macs{}, std::nullopt, {0, 9}},
    {"RepeaterShortRoot", Tab::A, Mode::UniversalRepeater, withRemote({}, "0011"), rootLength(), {}},
    {"NoModeRefusesApply",
     Tab::A,
     std::nullopt,
     withRemote({{0, kPeer1}}),
     CheckFailure{{}, {}, {}, {}, kErr},
     {}},
    {"TabGHasNoDuplicateCheck",
     Tab::G,
     Mode::PtmpBridge,
     withRemote({{0, kPeer1}, {2, kPeer1}}),
     std::nullopt,
     {0, 1, 2, 3, 4, 5, 6, 7, 8}},
};

INSTANTIATE_TEST_SUITE_P(Table, ModecfgApply, ::testing::ValuesIn(kApply),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ModecfgRules, PtmpWritesEmptyPeersAsFreeAndShowsThemEmptyAfter) {
    Macs in = withRemote({{0, kPeer1}, {3, kPeer2}});
    const auto plan = std::get<WritePlan>(checkApply(Tab::A, Mode::PtmpBridge, in));
    int zeros = 0;
    for (const QString& m : plan.texts.remote) zeros += m == u"000000000000";
    EXPECT_EQ(zeros, 6);
    EXPECT_EQ(plan.texts.remote[0], kPeer1);
    EXPECT_EQ(plan.texts.remote[3], kPeer2);
    EXPECT_EQ(afterSuccess(plan.texts), in);
}

TEST(ModecfgRules, TheSsidIsNeverWritten) {
    Macs in;
    in.ssid = "root-ssid";
    for (int m = 0; m < kModeCount; ++m) {
        const auto plan = std::get<WritePlan>(checkApply(Tab::A, modeAt(m), in));
        EXPECT_EQ(plan.flags[kSsidItem], L) << m;
        EXPECT_EQ(plan.texts.ssid, u"root-ssid") << m;
    }
}

TEST(ModecfgRules, SuccessTextAndWaitingDialog) {
    EXPECT_EQ(settingSuccess(Tab::A), u"IEEE802.11g Setting Success!");
    EXPECT_EQ(kApplyWaiting, PageRules::Waiting{});
}

}  // namespace
