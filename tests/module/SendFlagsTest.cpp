// A write's choice of items ends with the scope: every flag is back, so the next read takes all.

#include <gtest/gtest.h>

#include "library/HvSNMPVarList.h"
#include "module/SendFlags.h"

namespace {

const MibObjectDef kTable[] = {
    {"1.3.6.1.4.1.1.1", "a", HvSyntax::Integer, HvAccess::ReadWrite},
    {"1.3.6.1.4.1.1.2", "b", HvSyntax::Integer, HvAccess::ReadWrite},
    {"1.3.6.1.4.1.1.3", "c", HvSyntax::Integer, HvAccess::ReadOnly},
    {"1.3.6.1.4.1.1.4", "d", HvSyntax::Integer, HvAccess::Invalid},
    {},
};

TEST(SendOnly, MarksTheChosenItemsAndPutsEveryFlagBack) {
    HvSNMPVarList list(kTable, SVT_SV, 0);
    {
        HvSendOnly only(list, {1, 3, 7});
        EXPECT_EQ(list.item(0).access, HvAccess::Invalid);
        EXPECT_EQ(list.item(1).access, HvAccess::ReadWrite);
        EXPECT_EQ(list.item(2).access, HvAccess::Invalid);
        // An item left out at binding is written when the write chooses it.
        EXPECT_EQ(list.item(3).access, HvAccess::ReadWrite);
        only.send(1, false);
        only.send(2, true);
        EXPECT_EQ(list.item(1).access, HvAccess::Invalid);
        // A read-only item is never made writable.
        EXPECT_EQ(list.item(2).access, HvAccess::ReadOnly);
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.item(i).access, kTable[i].access) << i;
}

TEST(SendOnly, AVectorChoiceShorterThanTheListLeavesTheRestOut) {
    HvSNMPVarList list(kTable, SVT_SV, 0);
    {
        HvSendOnly only(list, std::vector<bool>{true});
        EXPECT_EQ(list.item(0).access, HvAccess::ReadWrite);
        EXPECT_EQ(list.item(1).access, HvAccess::Invalid);
    }
    EXPECT_EQ(list.item(1).access, HvAccess::ReadWrite);
}

}  // namespace
