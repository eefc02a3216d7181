#include "library/HvUtil.h"

#include <gtest/gtest.h>

TEST(JoinPath, EmptyFolderGivesTheNameAlone) {
    EXPECT_EQ(HvJoinPath("", "HvSNMP_PP_BootCounter"), "HvSNMP_PP_BootCounter");
}

TEST(JoinPath, AddsASeparatorOnlyWhenTheFolderHasNone) {
    EXPECT_EQ(HvJoinPath("/opt/qmx", "f"), "/opt/qmx/f");
    EXPECT_EQ(HvJoinPath("/opt/qmx/", "f"), "/opt/qmx/f");
    EXPECT_EQ(HvJoinPath("errmsg\\", "snmp.err"), "errmsg\\snmp.err");
}

TEST(IntPower, WrapsModulo2To32) {
    EXPECT_EQ(HvIntPower(2, 0), 1u);
    EXPECT_EQ(HvIntPower(0, 0), 1u);
    EXPECT_EQ(HvIntPower(2, 31), 2147483648u);
    EXPECT_EQ(HvIntPower(2, 32), 0u);
    EXPECT_EQ(HvIntPower(256, 3), 16777216u);
    EXPECT_EQ(HvIntPower(3, 21), 1870418611u);  // 3^21 mod 2^32
}
