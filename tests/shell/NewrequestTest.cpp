// The table walk into a list view that skips free rows, against the simulator's static DHCP pool.

#include <QTemporaryDir>

#include "tests/support/PageFixture.h"
#include "library/HvException.h"
#include "library/HvSNMPSession.h"
#include "module/Misc.h"
#include "module/Newrequest.h"
#include "tests/sim/SimProcess.h"

namespace {

const std::string kPoolIp = "1.3.6.1.4.1.47011.11.37.4.2.7.3.1.1.";

class NewrequestTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // As a main window starts: the engine once a process, the defaults each time.
        HvSNMPSession::initialize(path(""));
        ASSERT_TRUE(sim.start()) << sim.error();
        view = new forms::ListView(&page);
        req = std::make_unique<New_req2Edit>(&page);
        req->request.varList = HvSNMPVarList(kMibT063, MVT_FMV, 1);
        req->request.device = {"127.0.0.1", uint16_t(sim.port())};
        req->request.security.version = 1;
        req->request.security.readCommunity = "kiwano";
        req->mode = 0;
        req->stopValue = "0.0.0.0";
    }
    void TearDown() override {
        req.reset();
        PageTest::TearDown();
    }
    std::vector<QString> column(int sub) const {
        std::vector<QString> out;
        for (int i = 0; i < view->itemCount(); ++i)
            out.push_back(sub < 0 ? view->item(i)->caption() : view->item(i)->subItem(sub));
        return out;
    }

    SimProcess sim;
    forms::Form page;
    forms::ListView* view = nullptr;
    std::unique_ptr<New_req2Edit> req;
};

TEST_F(NewrequestTest, SkipsFreeRowsAndNumbersShownRows) {
    req->setListView(view, false);
    ASSERT_TRUE(req->get());
    EXPECT_EQ(view->itemCount(), 0);  // every row free
    EXPECT_EQ(req->rowCounter, 1);

    for (int row : {1, 3, 4, 6})
        ASSERT_TRUE(sim.ok("set " + kPoolIp + std::to_string(row) + " a 10.0.0." + std::to_string(row)));
    ASSERT_TRUE(req->get());
    // The key column shows the count of listed rows, the IP column the table's rows 1, 3, 4 and 6.
    EXPECT_EQ(column(-1), (std::vector<QString>{"1", "2", "3", "4"}));
    EXPECT_EQ(column(0), (std::vector<QString>{"10.0.0.1", "10.0.0.3", "10.0.0.4", "10.0.0.6"}));

    // Without a reset the numbering goes on.
    ASSERT_TRUE(req->get());
    EXPECT_EQ(column(-1), (std::vector<QString>{"5", "6", "7", "8"}));
}

TEST_F(NewrequestTest, HiddenItemsComeFirstWithTheCounter) {
    ASSERT_TRUE(sim.ok("set " + kPoolIp + "2 a 10.0.0.2"));
    req->request.varList.item(2).access = HvAccess::Hidden;  // MAC
    req->setListView(view, false);
    ASSERT_TRUE(req->get());
    ASSERT_EQ(view->itemCount(), 1);
    EXPECT_EQ(view->item(0)->caption(), QStringLiteral("1"));
    EXPECT_EQ(view->item(0)->subItem(0), QStringLiteral("2"));  // the row index, shown
    EXPECT_EQ(view->item(0)->subItem(1), QStringLiteral("10.0.0.2"));
}

TEST_F(NewrequestTest, WriteThroughNumberedListIsRefused) {
    req->setListView(view, false);
    EXPECT_THROW(req->set(true, false), HvException);
    EXPECT_FALSE(req->busy);
    const auto sets = sim.requests();
    EXPECT_TRUE(std::none_of(sets.begin(), sets.end(), [](const SimLogLine& l) { return l.op == "SET"; }));
}

}  // namespace
