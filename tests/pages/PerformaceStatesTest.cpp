// The Performance page in every device state that changes what it shows: it fits, it shows what the
// device holds, and Apply without edits changes nothing but what the page's rules change.

#include <gtest/gtest.h>

#include "pages/wireless/Performace.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kDataRate = E + "2.3.1.4.1";
const std::string kRateControl = E + "2.14.1.2.1";

// Outside the access point and bridge modes, with Super G on, and while data-rate control is on, the
// page offers no data rate but "Auto", and Apply writes it.
const AllowedChange kAutoRate{kDataRate, "s \"Auto\"", "the data rate is Auto unless the page offers it"};

// The device refuses the radio's read as a whole when it refuses one of its objects.
bool radioUnread(TFM_Performace& p, const std::set<std::string>& unreadable) {
    const HvSNMPVarList& items = p.reqRadioA->request.varList;
    for (int i = 0; i < items.count(); ++i)
        if (unreadable.count(items.item(i).oid)) return true;
    return false;
}

// The data rate and the twelve rate rows, which the page shows through controls of its own.
void ratesShown(TFM_Performace& p, SimProcess& sim, const std::set<std::string>& unreadable) {
    const int mode = std::stoi(heldValue(sim, E + "2.1.1.1.1"));
    const bool superGOff = heldValue(sim, E + "2.3.1.11.1") == "4";
    const bool rateControl =
        p.Ed_dataratecontrolsupport->text() == u"1" && heldValue(sim, kRateControl) == "1";
    const bool bridge = mode == 2 || mode == 3 || mode == 6 || mode == 7;
    const bool offered = superGOff && ((mode == 1 && !rateControl) || bridge);
    const QString rate = QString::fromStdString(heldValue(sim, kDataRate));
    if (radioUnread(p, unreadable)) {
        // Without the rate and the super mode that decides it the page shows no rate and forces none
        // ("Auto" would go out on the next Apply), and the read's failure stays in the status bar.
        EXPECT_EQ(p.CB_DtRta->itemIndex(), -1) << p.CB_DtRta->text().toStdString();
        EXPECT_FALSE(p.CB_DtRta->enabled());
        EXPECT_TRUE(p.StatusBar->simpleText().startsWith(u"Get: ")) << p.StatusBar->simpleText().toStdString();
    } else {
        EXPECT_EQ(p.CB_DtRta->text(), offered && rate != u"Auto" ? rate + " Mb" : QStringLiteral("Auto"));
        EXPECT_EQ(p.CB_DtRta->enabled(), offered);
    }
    if (!p.GroupBox2->visible()) return;
    ASSERT_EQ(p.rateRowsLoaded(), PerformaceRules::kRateCount);
    static const QString kStatus[] = {"Disable", "Enable", "Basic"};
    for (int i = 0; i < PerformaceRules::kRateCount; ++i) {
        const QString held = kStatus[std::stoi(heldValue(sim, E + "2.13.1.2.1." + std::to_string(i + 1)))];
        // A combo without the device's state among its items shows none.
        const QString want = p.CB_DRate[size_t(i)]->indexOf(held) >= 0 ? held : QString();
        EXPECT_EQ(p.CB_DRate[size_t(i)]->itemIndex() < 0 ? QString() : p.CB_DRate[size_t(i)]->text(), want)
            << "CB_DRate" << i + 1;
    }
}

const PageSpec<TFM_Performace> kSpec{
    &PerformaceLayout,
    [](TFM_Performace& p) {
        return std::vector<HvSNMPRequest2Edits*>{
            p.reqAPMode, p.reqGOnly,       p.reqXRA,         p.reqWMM,       p.reqPreamble,
            p.reqRadioA, p.reqRateSupport, p.reqRateControl, p.reqRateTable, p.reqCluster};
    },
    [](TFM_Performace& p) { return p.Bt_Apply_a; },
    [](TFM_Performace& p) { return p.Bt_Refresh_a; },
    {},
    // The rate-table walk disables both buttons until it has ended.
    [](TFM_Performace& p) { return p.Bt_Refresh_a->enabled(); },
    {},  // ratesShown, given the row's unreadable objects
};

class PerformaceStates : public PageStates<TFM_Performace> {};

TEST_P(PerformaceStates, HoldsInTheState) {
    PageSpec<TFM_Performace> spec = kSpec;
    spec.shownDerived = [unreadable = GetParam().state.unreadable](TFM_Performace& p, SimProcess& sim) {
        ratesShown(p, sim, unreadable);
    };
    runMatrix(spec);
}

const DeviceState kBase = standard() + dataRateControl(false);

INSTANTIATE_TEST_SUITE_P(
    States, PerformaceStates,
    ::testing::Values(
        stateRow(kBase.named("AccessPoint")), stateRow((kBase + apMode(Mode::WdsWithAp)).named("WdsWithAp")),
        stateRow((kBase + apMode(Mode::WdsWithoutAp)).named("WdsWithoutAp")),
        stateRow((kBase + apMode(Mode::Repeater)).named("Repeater"), {kAutoRate}),
        stateRow((kBase + apMode(Mode::Client)).named("Client"), {kAutoRate}),
        stateRow((kBase + apMode(Mode::WdsWithAp, false)).named("PtpBridge")),
        stateRow((kBase + apMode(Mode::WdsWithoutAp, false)).named("PtmpBridge")),
        stateRow((kBase + deviceMode(6)).named("PtpWithout")),
        stateRow((kBase + superG()).named("SuperG"), {kAutoRate}),
        stateRow((kBase + superG() + apMode(Mode::WdsWithAp)).named("SuperGWds"), {kAutoRate}),
        stateRow((standard() + dataRateControl(true)).named("RateControlOn"), {kAutoRate}),
        stateRow((kBase + gOnly()).named("GOnly")),
        stateRow((standard() + dataRateControl(true) + gOnly()).named("GOnlyRateControlOn"), {kAutoRate}),
        stateRow((kBase + dataRateChange()).named("DataRateChange")),
        stateRow((standard() + dataRateControl(true) + dataRateChange()).named("DataRateChangeOn"),
                 {kAutoRate}),
        stateRow((standard() + capabilitiesOff()).named("CapabilitiesOff")),
        stateRow((standard() + olderFirmware()).named("OlderFirmware")),
        stateRow((kBase + featureMissing(E + "2.3.1.13")).named("WithoutGOnly")),
        stateRow((kBase + featureMissing(E + "2.3.1.99") + featureMissing(E + "2.3.1.17"))
                     .named("WithoutXrAndWmm")),
        stateRow((kBase + noSuchName(E + "2.3.1.10.1")).named("TransmitPowerUnreadable")),
        stateRow((kBase + joined()).named("Joined"))),
    stateRowName);

}  // namespace
