// The static IP dialog's rules: one entry's checks in their order, the row it is written into when
// another row holds its MAC in any case, and the refused MAC change.

#include <gtest/gtest.h>

#include "pages/admin/StaticipRules.h"

using namespace StaticipRules;
using DhcpRules::kWaring;
using DhcpRules::kWarning;

namespace {

// Eight rows: two in use, one of them with a lower-case MAC, the rest free.
std::vector<PoolRow> rows() {
    std::vector<PoolRow> r(8, PoolRow{"0.0.0.0", "000000000000"});
    r[0] = {"192.168.0.50", "001122334455"};
    r[1] = {"192.168.0.51", "00aabbccddee"};
    return r;
}
Entry entry(const char* ip = "192.168.0.60", const char* mac = "0011223344FF") {
    return {ip, mac, "255.255.255.0", "192.168.0.254", "", "", "lab", 1};
}
ApplyInput adding(Entry e = entry()) {
    ApplyInput in;
    in.entered = e;
    in.adding = true;
    in.selectedRow = 2;  // the first free row, as Add selects it
    in.rows = rows();
    in.poolStart = "192.168.0.100";
    in.poolRange = "20";
    in.deviceAddress = "192.168.0.1";
    return in;
}
ApplyInput changing(int row, Entry e) {
    ApplyInput in = adding(e);
    in.adding = false;
    in.selectedRow = row;
    in.old = entry(in.rows[size_t(row)].ip.toLatin1().constData(),
                   in.rows[size_t(row)].mac.toLatin1().constData());
    return in;
}

struct EntryCase {
    const char* name;
    ApplyInput in;
    std::optional<CheckFailure> expected;
};
void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << c.name;
}
class StaticEntry : public ::testing::TestWithParam<EntryCase> {};

TEST_P(StaticEntry, FirstFailureBeforeTheProbe) {
    ApplyInput in = GetParam().in;
    const auto got = checkEntry(in);
    ASSERT_EQ(got.has_value(), GetParam().expected.has_value())
        << (got ? got->message.toStdString() : "passed");
    if (got) {
        EXPECT_EQ(*got, *GetParam().expected);
    }
}

Entry with(Entry e, QString Entry::*field, const char* text) {
    e.*field = text;
    return e;
}
const CheckFailure kMac{kBadMac, kWarning};

const EntryCase kEntryCases[] = {
    {"Good", adding(), std::nullopt},
    {"TakenByAnotherRow", adding(entry("192.168.0.51")), CheckFailure{kExists, kWarning}},
    // The row being changed may keep its own address, whatever its key.
    {"OwnRowKeepsItsAddress", changing(1, entry("192.168.0.51", "00AABBCCDDEE")), std::nullopt},
    {"FreeAddressNotADuplicate", adding(entry("0.0.0.0")),
     CheckFailure{kInvalidIp, kWaring, "Ed_AsgIP", "Ed_AsgIP"}},
    {"BadAddress", adding(entry("192.168.0.255")), CheckFailure{kInvalidIp, kWaring, "Ed_AsgIP", "Ed_AsgIP"}},
    {"FreeMac", adding(entry("192.168.0.60", "000000000000")), kMac},
    {"ElevenDigitMac", adding(entry("192.168.0.60", "00112233445")), kMac},
    {"NoHexMac", adding(entry("192.168.0.60", "00112233445G")), kMac},
    {"EmptyMask", adding(with(entry(), &Entry::mask, "")),
     CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"}},
    {"ZeroMask", adding(with(entry(), &Entry::mask, "0.0.0.0")),
     CheckFailure{kInvalidMask, kWaring, "Ed_SubMask", "Ed_SubMask"}},
    {"ZeroGateway", adding(with(entry(), &Entry::gateway, "0.0.0.0")),
     CheckFailure{kInvalidGateway, kWaring, "Ed_Gatway", "Ed_Gatway"}},
    {"BadWins", adding(with(entry(), &Entry::wins, "1.1.1")),
     CheckFailure{kInvalidWins, kWaring, "Ed_Wins", "Ed_Wins"}},
    {"ZeroDnsIsNone", adding(with(entry(), &Entry::dns, "0.0.0.0")), std::nullopt},
    {"BadDns", adding(with(entry(), &Entry::dns, "1.1.1.0")),
     CheckFailure{kInvalidDns, kWaring, "Ed_DNS", "Ed_DNS"}},
};
INSTANTIATE_TEST_SUITE_P(Apply, StaticEntry, ::testing::ValuesIn(kEntryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StaticipRulesTest, EmptyWinsAndDnsBecomeZero) {
    ApplyInput in = adding();
    ASSERT_FALSE(checkEntry(in));
    EXPECT_EQ(in.entered.wins, "0.0.0.0");
    EXPECT_EQ(in.entered.dns, "0.0.0.0");
    EXPECT_EQ(written(with(entry(), &Entry::mask, "")).mask, "0.0.0.0");
}

TEST(StaticipRulesTest, PlaceAfterTheProbe) {
    EXPECT_EQ(probeRefusal(), (CheckFailure{kAnswers, kWarning, "Ed_AsgIP"}));
    EXPECT_EQ(checkPlace(adding(entry("192.168.0.100"))), (CheckFailure{kInDynamicPool, kWarning}));
    EXPECT_EQ(checkPlace(adding(entry("192.168.0.119"))), (CheckFailure{kInDynamicPool, kWarning}));
    EXPECT_EQ(checkPlace(adding(entry("192.168.0.120"))), std::nullopt);
    EXPECT_EQ(checkPlace(adding(entry("192.168.0.99"))), std::nullopt);
    EXPECT_EQ(checkPlace(adding(entry("192.168.0.1"))), (CheckFailure{kIsDevice, kWarning}));
}

WritePlan planOf(const ApplyInput& in) {
    const auto p = writePlan(in);
    EXPECT_TRUE(std::holds_alternative<WritePlan>(p));
    return std::holds_alternative<WritePlan>(p) ? std::get<WritePlan>(p) : WritePlan{};
}

TEST(StaticipRulesTest, AddGoesIntoTheFreeRow) {
    const WritePlan p = planOf(adding());
    EXPECT_EQ(p.row, 2);
    EXPECT_FALSE(p.emptyFirst);
}

TEST(StaticipRulesTest, AddWithAMacHeldInTheOtherCaseReplacesThatRow) {
    // Upper case entered, lower case held: one client never gets two reservations.
    WritePlan p = planOf(adding(entry("192.168.0.60", "00AABBCCDDEE")));
    EXPECT_EQ(p.row, 1);
    EXPECT_TRUE(p.emptyFirst);
    // And the other way round.
    ApplyInput in = adding(entry("192.168.0.60", "00112233445f"));
    in.rows[3] = {"192.168.0.53", "00112233445F"};
    p = planOf(in);
    EXPECT_EQ(p.row, 3);
    EXPECT_TRUE(p.emptyFirst);
}

TEST(StaticipRulesTest, ChangeKeepingTheAddressButNotTheMacIsRefused) {
    const ApplyInput in = changing(0, entry("192.168.0.50", "001122334466"));
    const auto p = writePlan(in);
    ASSERT_TRUE(std::holds_alternative<Refusal>(p));
    EXPECT_EQ(std::get<Refusal>(p).failure, (CheckFailure{kMacTaken, kWarning}));
    EXPECT_EQ(std::get<Refusal>(p).restored, in.old);
    // The same MAC in the other case is no change of MAC.
    const WritePlan same = planOf(changing(1, entry("192.168.0.51", "00AABBCCDDEE")));
    EXPECT_EQ(same.row, 1);
    EXPECT_TRUE(same.emptyFirst);
}

TEST(StaticipRulesTest, ChangeOfAddressStaysInItsRow) {
    const WritePlan p = planOf(changing(0, entry("192.168.0.70", "001122334455")));
    EXPECT_EQ(p.row, 0);
    EXPECT_TRUE(p.emptyFirst);
}

TEST(StaticipRulesTest, ChangeToAMacHeldByAnotherRowTakesThatRow) {
    // The other row gets the entry; the edited row keeps its old pair.
    const WritePlan p = planOf(changing(0, entry("192.168.0.70", "00aabbccddee")));
    EXPECT_EQ(p.row, 1);
    EXPECT_TRUE(p.emptyFirst);
}

TEST(StaticipRulesTest, FreeEntryAndWait) {
    EXPECT_EQ(freeEntry(),
              (Entry{"0.0.0.0", "000000000000", "0.0.0.0", "0.0.0.0", "0.0.0.0", "0.0.0.0", "", 0}));
    const WaitPlan w = applyWait();
    EXPECT_EQ(w, (WaitPlan{"", "But the device isn't restarting.", 15, 22, false}));
}

}  // namespace
