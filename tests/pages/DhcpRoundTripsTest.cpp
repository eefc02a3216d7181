// What the DHCP server page asks of the device's static pool: one walk of the table fills both of its
// lists, on opening and after a Del, and the lists show what they showed when each had a walk.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "pages/admin/Dhcp.h"
#include "tests/NamedRows.h"
#include "tests/support/PageUnderTest.h"

namespace {

using hvtest::PrintTo;

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kStaticPool = E + "2.7.3.1.";
const std::string kFunction = E + "2.7.1.0";

class DhcpRoundTrips : public PageUnderTest<TFM_DHCP> {
protected:
    TFM_DHCP& open() {
        TFM_DHCP& p = makePage();
        EXPECT_TRUE(waitFor([&] { return !p.requestsBusy() && !p.reqCluster->busy; }));
        return p;
    }
    // The PDUs the device took for the static pool from log line `from` on.
    size_t poolPdus(size_t from) const {
        std::set<std::string> ids;
        for (const SimLogLine& l : sim->requests(from))
            if (l.asked.rfind(kStaticPool, 0) == 0) ids.insert(l.reqId);
        return ids.size();
    }
    // The user's list: running numbers from 1, the reserved addresses in row order.
    static void expectUserRows(const TFM_DHCP& p, int used) {
        ASSERT_EQ(p.User_ListView->itemCount(), used);
        for (int i = 0; i < used; ++i) {
            EXPECT_EQ(p.User_ListView->item(i)->caption(), QString::number(i + 1));
            EXPECT_EQ(p.User_ListView->item(i)->subItem(0), QStringLiteral("127.0.0.%1").arg(11 + i));
        }
    }
};

struct PoolRow {
    const char* name;
    int used;  // reserved rows, from the first
    int rows;  // rows of the table
};

class DhcpPoolWalk : public DhcpRoundTrips, public ::testing::WithParamInterface<PoolRow> {};

// A walk of N rows takes N + 1 PDUs: the last one finds the table's end.
TEST_P(DhcpPoolWalk, OpeningWalksThePoolOnce) {
    const PoolRow& row = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool " + std::to_string(row.used) + " " + std::to_string(row.rows)));
    const size_t mark = sim->logSize();
    TFM_DHCP& p = open();
    EXPECT_EQ(poolPdus(mark), size_t(row.rows + 1));
    EXPECT_EQ(p.LV_StaticPoolSet->itemCount(), row.rows);
    expectUserRows(p, row.used);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, DhcpPoolWalk,
                         ::testing::Values(PoolRow{"AllFree", 0, 8}, PoolRow{"TwoReserved", 2, 8},
                                           PoolRow{"Full", 8, 8}, PoolRow{"LongTable", 3, 20}),
                         [](const auto& info) { return std::string(info.param.name); });

// Del lists the pool again with one walk; the user's list numbers its rows from 1 again.
TEST_F(DhcpRoundTrips, DelListsThePoolAgainWithOneWalk) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("static-pool 3"));
    ASSERT_TRUE(sim->ok("set " + kFunction + " i 1"));
    TFM_DHCP& p = open();
    ASSERT_TRUE(p.PageControl1->userSelectTab(1));
    p.User_ListView->setSelected(p.User_ListView->item(2));
    const size_t mark = sim->logSize();
    p.Bt_Del->userClick();
    ASSERT_TRUE(waitFor([&] { return !p.requestsBusy() && p.User_ListView->itemCount() == 2; }));
    // The write is one PDU, the walk of the 8 rows nine more.
    EXPECT_EQ(poolPdus(mark), 1u + 9u);
    expectUserRows(p, 2);
    EXPECT_EQ(p.LV_StaticPoolSet->itemCount(), 8);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
