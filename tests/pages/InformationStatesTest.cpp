// The system information page in every device state that changes what it shows: the longest texts
// the device takes, an unreadable object. It fits, it shows what the device holds, and Save without
// edits changes nothing; while nothing could be read, Save is not offered.

#include <gtest/gtest.h>

#include "pages/admin/Information.h"
#include "pages/admin/InformationLayout.h"
#include "tests/support/PageStates.h"

namespace {

using namespace states;

const std::string kSystem = "1.3.6.1.2.1.1.";

const PageSpec<TFM_SysInfo> kSpec{
    &kSysInfoLayout,
    [](TFM_SysInfo& p) { return std::vector<HvSNMPRequest2Edits*>{p.reqSystem}; },
    [](TFM_SysInfo& p) { return p.Btn_Sa; },
    [](TFM_SysInfo& p) { return p.Btn_Re; },
    // The uptime moves on between two reads.
    {"Ed_SU"},
};

class InformationStates : public PageStates<TFM_SysInfo> {};

TEST_P(InformationStates, HoldsInTheState) {
    runMatrix(kSpec);
}

// What the device reports of itself can be read, not typed over.
TEST_P(InformationStates, ReportedFieldsAreReadOnly) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SysInfo& p = makePage();
    for (forms::Edit* e : {p.Ed_SD, p.Ed_SO, p.Ed_SU}) {
        EXPECT_FALSE(e->enabled()) << e->objectName().toStdString();
        EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
    }
}

const DeviceState kLongest = holding("Longest", {{kSystem + "4", "s \"" + std::string(255, 'c') + "\""},
                                                 {kSystem + "5", "s \"" + std::string(39, 'n') + "\""},
                                                 {kSystem + "6", "s \"" + std::string(255, 'l') + "\""}});

INSTANTIATE_TEST_SUITE_P(
    States, InformationStates,
    ::testing::Values(
        stateRow(standard().named("Standard")), stateRow((standard() + kLongest).named("LongestTexts")),
        stateRow((standard() + olderFirmware()).named("OlderFirmware")),
        // Nothing read: Save would blank the device's contact, name and location.
        applyWithheld(stateRow((standard() + noSuchName(kSystem + "6.0")).named("LocationUnreadable")))),
    stateRowName);

}  // namespace
