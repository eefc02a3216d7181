// Pages whose creation reads do not wait for one another's answers: the PDUs go out together, and
// what the page then shows is what the device holds. The session's transport is watched on its way
// to the simulator.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "module/HvPage.h"
#include "pages/wireless/Performace.h"
#include "tests/NamedRows.h"
#include "tests/support/PageFixture.h"
#include "tests/support/WatchedTransport.h"

namespace {

using hvtest::PrintTo;

struct TogetherRow {
    const char* name;
    std::vector<std::string> simArgs;
    std::function<std::unique_ptr<HvPage>(TMainForm&)> make;
    int syncReads;   // creation reads that still wait on the wire, one after another
    size_t together; // creation PDUs out at once (all of them: the device has answered the main window)
    std::function<void(HvPage&)> check;  // what the page shows of the device
};

class ReadsTogether : public PageTest, public ::testing::WithParamInterface<TogetherRow> {
protected:
    void SetUp() override {
        PageTest::SetUp();
        m_saved = HvSNMPSession::session;
    }
    void TearDown() override {
        HvSNMPSession::session = m_saved;
        PageTest::TearDown();
    }
    HvSnmpTransport* m_saved = nullptr;
};

TEST_P(ReadsTogether, CreationReadsGoOutTogether) {
    const TogetherRow& row = GetParam();
    TMainForm& main = idleMain();
    ASSERT_TRUE(startSim(row.simArgs)) << sim->error();
    WatchedTransport watched(HvSNMPSession::session);
    HvSNMPSession::session = &watched;
    std::unique_ptr<HvPage> page = row.make(main);
    ASSERT_TRUE(waitFor([&] { return page->requestsIdle(); }));
    EXPECT_TRUE(page->created());
    EXPECT_EQ(watched.syncReads, row.syncReads);
    EXPECT_EQ(watched.mostOut, row.together);
    row.check(*page);
    page.reset();
    HvSNMPSession::session = m_saved;
    EXPECT_TRUE(boxes.empty());
}

TFM_Performace& performance(HvPage& p) {
    return static_cast<TFM_Performace&>(p);
}

const TogetherRow kRows[] = {
    // Seven reads together; the rate control goes with the rate table's first row once the rate
    // support has answered, and the AP-domain state is read while the rate table is walked.
    {"PerformanceFull",
     {},
     [](TMainForm& m) { return std::make_unique<TFM_Performace>(m); },
     1,
     7,
     [](HvPage& p) {
         auto& f = performance(p);
         EXPECT_TRUE(f.CB_XRa->visible());
         EXPECT_TRUE(f.CB_WMM->visible());
         EXPECT_EQ(f.Ed_BeInta->text(), u"100");
         EXPECT_EQ(f.Ed_dataratecontrolsupport->text(), u"1");
         EXPECT_EQ(f.CB_Clus->text(), u"Escape");
     }},
    // The firmware without XR, WMM and rate control: the probes fail together, the rows go, and
    // only the AP-domain state waits on the wire.
    {"PerformanceLegacy",
     {"--profile", "legacy"},
     [](TMainForm& m) { return std::make_unique<TFM_Performace>(m); },
     1,
     7,
     [](HvPage& p) {
         auto& f = performance(p);
         EXPECT_FALSE(f.CB_XRa->visible());
         EXPECT_FALSE(f.CB_WMM->visible());
         EXPECT_EQ(f.Ed_BeInta->text(), u"100");
         EXPECT_EQ(f.Ed_dataratecontrolsupport->text(), u"0");
     }},
};

INSTANTIATE_TEST_SUITE_P(Table, ReadsTogether, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
