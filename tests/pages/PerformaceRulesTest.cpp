// The Performance page's rules without windows: checks, data-rate items, rate rows, mode rules and
// the geometry the feature probes leave.

#include <gtest/gtest.h>

#include "pages/wireless/PerformaceRules.h"
#include "tests/NamedRows.h"

using namespace PerformaceRules;

namespace {

using hvtest::PrintTo;

struct CheckCase {
    const char* name;
    std::array<QString, 4> texts;
    std::optional<Field> failing;
};

class PerformaceChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(PerformaceChecks, FirstFailingFieldStopsTheChecks) {
    EXPECT_EQ(firstFailing(GetParam().texts), GetParam().failing);
}

const CheckCase kChecks[] = {
    {"AllGood", {"100", "1", "2346", "2346"}, std::nullopt},
    {"Bounds", {"20", "255", "256", "256"}, std::nullopt},
    {"UpperBeacon", {"1000", "1", "2346", "2346"}, std::nullopt},
    {"Beacon19", {"19", "1", "2346", "2346"}, Field::BeaconInterval},
    {"Beacon1001", {"1001", "1", "2346", "2346"}, Field::BeaconInterval},
    {"BeaconEmpty", {"", "1", "2346", "2346"}, Field::BeaconInterval},
    {"BeaconLetters", {"abc", "1", "2346", "2346"}, Field::BeaconInterval},
    {"BeaconBlank", {" 100", "1", "2346", "2346"}, Field::BeaconInterval},
    {"Dtim0", {"100", "0", "2346", "2346"}, Field::Dtim},
    {"Fragment2347", {"100", "1", "2347", "2346"}, Field::FragmentLength},
    {"Rts255", {"100", "1", "2346", "255"}, Field::RtsLength},
    {"TwoBadStopAtFirst", {"100", "0", "2347", "1"}, Field::Dtim},
};

INSTANTIATE_TEST_SUITE_P(Table, PerformaceChecks, ::testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PerformaceRules, MessagesNameTheBounds) {
    EXPECT_EQ(rangeMessage(Field::BeaconInterval), u"Please input a number between 20 and 1000.");
    EXPECT_EQ(rangeMessage(Field::Dtim), u"Please input a number between 1 and 255.");
    EXPECT_EQ(rangeMessage(Field::FragmentLength), u"Please input a number between 256 and 2346.");
    EXPECT_EQ(rangeMessage(Field::RtsLength), u"Please input a number between 256 and 2346.");
}

TEST(PerformaceRules, IntegerTextsTakeSignAndDigitsOnly) {
    EXPECT_EQ(intOr("42", -1), 42);
    EXPECT_EQ(intOr("+7", -1), 7);
    EXPECT_EQ(intOr("-3", 0), -3);
    for (const char* bad : {"", "+", "-", "+-1", " 1", "1 ", "1a", "0x10", "99999999999"})
        EXPECT_EQ(intOr(bad, -9), -9) << bad;
}

TEST(PerformaceRules, DataRateItemsAndTheirDeviceTexts) {
    ASSERT_EQ(dataRateItems().size(), 13);
    EXPECT_EQ(dataRateItems().front(), u"Auto");
    EXPECT_EQ(dataRateItems().back(), u"54 Mb");
    EXPECT_EQ(dataRateItemFor("5.5"), dataRateItems().indexOf("5.5 Mb"));
    EXPECT_EQ(dataRateItemFor("Auto"), 0);
    EXPECT_EQ(dataRateItemFor("54"), 12);
    EXPECT_EQ(dataRateItemFor("7"), -1);
    EXPECT_EQ(dataRateItemFor(""), -1);
    EXPECT_EQ(comboToDataRate("54 Mb"), u"54");
    EXPECT_EQ(comboToDataRate("5.5 Mb"), u"5.5");
    EXPECT_EQ(comboToDataRate("Auto"), u"Auto");
    EXPECT_EQ(comboToDataRate(" Mb"), u" Mb");
    EXPECT_EQ(comboToDataRate(""), u"");
    for (const QString& item : dataRateItems())
        EXPECT_EQ(dataRateItemFor(comboToDataRate(item)), dataRateItems().indexOf(item));
}

TEST(PerformaceRules, ChannelListSplitsAtBlanks) {
    EXPECT_EQ(splitChannelList("1 2 3 4 5 6 7 8 9 10 11").size(), 11);
    EXPECT_EQ(splitChannelList("6"), QStringList{"6"});
    EXPECT_EQ(splitChannelList(""), QStringList{});
    // A blank that would start an item belongs to it; the last item needs no blank after it.
    EXPECT_EQ(splitChannelList("1  2"), (QStringList{"1", " 2"}));
    EXPECT_EQ(splitChannelList(" 1 "), (QStringList{" 1"}));
}

TEST(PerformaceRules, OptionalRowItemsFollowTheCapability) {
    EXPECT_EQ(optionalRowItems("0"), kRateItemsAll);
    EXPECT_EQ(optionalRowItems(""), kRateItemsAll);
    EXPECT_EQ(optionalRowItems("x"), kRateItemsAll);
    EXPECT_EQ(optionalRowItems("1"), kRateItemsNoBasic);
    EXPECT_EQ(optionalRowItems("2"), std::nullopt);
}

TEST(PerformaceRules, ResetIndexesByGOnly) {
    EXPECT_EQ(resetRateIndexes(1), (std::array<int, 12>{2, 2, 2, 2, 2, 1, 2, 1, 2, 1, 1, 1}));
    EXPECT_EQ(resetRateIndexes(0), (std::array<int, 12>{2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1}));
    // No g-only row: anything but index 0 counts as on.
    EXPECT_EQ(resetRateIndexes(-1), resetRateIndexes(1));
}

ModeState accessPoint(int dateStatus, int gonly = 0) {
    ModeState s;
    s.apModeText = "Access Point";
    s.apModeIndex = 0;
    s.superModeIndex = 3;
    s.superModeText = "Disable";
    s.dateStatusIndex = dateStatus;
    s.gonlyIndex = gonly;
    s.rateControlSupported = true;
    return s;
}

std::array<std::optional<bool>, 12> rates(std::initializer_list<int> on) {
    std::array<std::optional<bool>, 12> r;
    r.fill(false);
    for (int i : on) r[i] = true;
    return r;
}

TEST(PerformaceModeRules, AccessPointWithRateControlOff) {
    const RateControls r = updateModeControls(accessPoint(0));
    EXPECT_EQ(r.dataRateEnabled, true);
    EXPECT_EQ(r.dataRateIndex, std::nullopt);
    EXPECT_EQ(r.dateStatusEnabled, true);
    EXPECT_EQ(r.dateStatusIndex, std::nullopt);
    EXPECT_EQ(r.rateEnabled, rates({}));
    EXPECT_EQ(r.resetEnabled, false);
}

TEST(PerformaceModeRules, AccessPointWithRateControlOnForcesAuto) {
    const RateControls r = updateModeControls(accessPoint(1));
    EXPECT_EQ(r.dataRateEnabled, false);
    EXPECT_EQ(r.dataRateIndex, 0);
    EXPECT_EQ(r.rateEnabled, rates({4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(r.resetEnabled, true);
}

TEST(PerformaceModeRules, BridgeKeepsTheRateButSwitchesRateControlOff) {
    ModeState s = accessPoint(1);
    s.apModeText = "PtMP Bridge";
    s.apModeIndex = 2;
    const RateControls r = updateModeControls(s);
    EXPECT_EQ(r.dataRateEnabled, true);
    EXPECT_EQ(r.dataRateIndex, std::nullopt);
    EXPECT_EQ(r.dateStatusEnabled, false);
    EXPECT_EQ(r.dateStatusIndex, 0);
    EXPECT_EQ(r.rateEnabled, rates({}));
}

TEST(PerformaceModeRules, OtherModesForceAutoAndRateControlOff) {
    ModeState s = accessPoint(1);
    s.apModeText = "AP Client";
    s.apModeIndex = 4;
    RateControls r = updateModeControls(s);
    EXPECT_EQ(r.dataRateEnabled, false);
    EXPECT_EQ(r.dataRateIndex, 0);
    EXPECT_EQ(r.dateStatusIndex, 0);
    // Turbo modes count as "other" even for an access point.
    s = accessPoint(0);
    s.superModeIndex = 1;
    r = updateModeControls(s);
    EXPECT_EQ(r.dataRateIndex, 0);
    // Without rate control only the data rate is touched.
    s.rateControlSupported = false;
    r = updateModeControls(s);
    EXPECT_EQ(r.dateStatusEnabled, std::nullopt);
    EXPECT_EQ(r.rateEnabled[4], std::nullopt);
}

TEST(PerformaceModeRules, UnreadApModeForcesNoSelection) {
    ModeState s = accessPoint(1);
    s.apModeText.clear();
    s.apModeIndex = -1;
    s.modeKnown = false;
    const RateControls r = updateModeControls(s);
    EXPECT_EQ(r.dataRateEnabled, false);
    EXPECT_EQ(r.dataRateIndex, std::nullopt);
    EXPECT_EQ(r.dateStatusEnabled, false);
    EXPECT_EQ(r.dateStatusIndex, std::nullopt);
    EXPECT_EQ(dateStatusChange(s).dataRateIndex, std::nullopt);
}

TEST(PerformaceModeRules, DateStatusChange) {
    RateControls r = dateStatusChange(accessPoint(0));
    EXPECT_EQ(r.rateEnabled, rates({}));
    EXPECT_EQ(r.dataRateEnabled, true);
    ModeState bridge = accessPoint(0);
    bridge.apModeIndex = 1;
    EXPECT_EQ(dateStatusChange(bridge).dataRateEnabled, std::nullopt);

    r = dateStatusChange(accessPoint(1, 0));
    EXPECT_EQ(r.rateEnabled, rates({4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(r.dataRateEnabled, false);
    EXPECT_EQ(r.dataRateIndex, 0);
    r = dateStatusChange(accessPoint(1, 1));
    EXPECT_EQ(r.rateEnabled, rates({5, 7, 9, 10, 11}));
    EXPECT_EQ(r.resetEnabled, true);
}

TEST(PerformaceModeRules, GOnlyRules) {
    auto on = gonlyChange(accessPoint(1, 1));
    ASSERT_TRUE(on);
    EXPECT_EQ(on->items, kRateItemsAll);
    EXPECT_EQ(on->enabled, false);
    EXPECT_TRUE(on->selectBasic);
    auto off = gonlyChange(accessPoint(1, 0));
    ASSERT_TRUE(off);
    EXPECT_EQ(off->items, kRateItemsNoBasic);
    EXPECT_EQ(off->enabled, true);
    EXPECT_TRUE(off->selectFromRows);
    auto offRateControlOff = gonlyClick(accessPoint(0, 0));
    ASSERT_TRUE(offRateControlOff);
    EXPECT_EQ(offRateControlOff->enabled, std::nullopt);
    EXPECT_FALSE(offRateControlOff->selectFromRows);
    ModeState turbo = accessPoint(1, 1);
    turbo.superModeIndex = 0;
    EXPECT_EQ(gonlyClick(turbo), std::nullopt);
}

struct GeometryCase {
    const char* name;
    bool gonly, xr, wmm, rateControl;
    Geometry expected;
};

class PerformaceGeometry : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(PerformaceGeometry, ProbesMoveRowsAndBoxes) {
    const auto& c = GetParam();
    Geometry g;
    afterGOnlyProbe(g, c.gonly);
    afterXRProbe(g, c.xr);
    afterWMMProbe(g, c.wmm);
    afterRateSupport(g, c.rateControl, 216);
    EXPECT_EQ(g.xrTop, c.expected.xrTop);
    EXPECT_EQ(g.wmmTop, c.expected.wmmTop);
    EXPECT_EQ(g.preambleTop, c.expected.preambleTop);
    EXPECT_EQ(g.groupBox1Height, c.expected.groupBox1Height);
    EXPECT_EQ(g.groupBox2Top, c.expected.groupBox2Top);
    EXPECT_EQ(g.buttonsTop, c.expected.buttonsTop);
    EXPECT_EQ(g.clientHeight, c.expected.clientHeight);
    EXPECT_EQ(g.groupBox2Visible, c.expected.groupBox2Visible);
}

const GeometryCase kGeometry[] = {
    {"Everything", true, true, true, true, {222, 249, 276, 310, 317, 568, 660, true}},
    {"NoXR", true, false, true, true, {222, 222, 249, 283, 290, 514, 606, true}},
    {"NoGOnly", false, false, true, true, {195, 195, 222, 256, 263, 487, 579, true}},
    {"Legacy", false, false, false, false, {195, 195, 195, 229, 236, 236, 336, false}},
    {"XRWithoutRateControl", true, true, true, false, {222, 249, 276, 310, 317, 317, 417, false}},
};

INSTANTIATE_TEST_SUITE_P(Table, PerformaceGeometry, ::testing::ValuesIn(kGeometry),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
