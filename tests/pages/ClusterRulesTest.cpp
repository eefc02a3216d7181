// The AP domains page's rules without its window: the ID a Join writes, what a membership read
// shows, a click on a surveyed domain, and what follows a membership write.

#include <gtest/gtest.h>

#include <string>

#include "pages/admin/ClusterRules.h"
#include "tests/NamedRows.h"

using namespace ClusterRules;

namespace {

using hvtest::PrintTo;

TEST(ClusterRules, AnEmptyIdJoinsDomainZero) {
    EXPECT_EQ(joinId(QString()), u"0");
    EXPECT_EQ(joinId(QStringLiteral("7")), u"7");
}

TEST(ClusterRules, MembershipReadShowsOneButtonAndTheMembersOfAMember) {
    // "Join" (index 0) is what a member reads back.
    EXPECT_EQ(membershipView(true, kJoinIndex), (MembershipView{true, true, false}));
    EXPECT_EQ(membershipView(true, kEscapeIndex), (MembershipView{false, false, true}));
    // Never read (no item chosen): not a member.
    EXPECT_EQ(membershipView(true, -1), (MembershipView{false, false, true}));
    // A failed read leaves the page as it was.
    EXPECT_EQ(membershipView(false, kJoinIndex), std::nullopt);
}

struct ClickCase {
    const char* name;
    bool selected;
    bool editable;
    int rows;
    RowClick expected;
};

class DomainRowClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(DomainRowClick, CopiesOrRefuses) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(domainRowClick(c.selected, c.editable, c.rows, QStringLiteral("3")), c.expected);
}

const RowClick kFull{RowClick::Kind::Full, QStringLiteral("The AP Domain ID = \"3\" is full !")};
const RowClick kCopy{RowClick::Kind::CopyId, QStringLiteral("3")};

INSTANTIATE_TEST_SUITE_P(Rows, DomainRowClick,
                         ::testing::Values(ClickCase{"EightRowsCopy", true, true, 8, kCopy},
                                           ClickCase{"OneRowCopies", true, true, 1, kCopy},
                                           ClickCase{"NineRowsFull", true, true, 9, kFull},
                                           ClickCase{"TwelveRowsFull", true, true, 12, kFull},
                                           ClickCase{"MemberNothing", true, false, 3, RowClick{}},
                                           ClickCase{"MemberFullNothing", true, false, 9, RowClick{}},
                                           ClickCase{"NoRowNothing", false, true, 9, RowClick{}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    bool ok;
    bool pending;
    AfterWrite expected;
};

class MembershipWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(MembershipWrite, WaitsOnlyAfterASuccessfulJoin) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(afterMembershipWrite(c.ok, c.pending), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, MembershipWrite,
                         ::testing::Values(WriteCase{"JoinDone", true, true, {true, false}},
                                           WriteCase{"DisableDone", true, false, {false, false}},
                                           // A failed Join is forgotten, not carried to the next write.
                                           WriteCase{"JoinFailed", false, true, {false, false}},
                                           WriteCase{"DisableFailed", false, false, {false, false}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
