#include "library/HvSNMPVarList.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "library/HvException.h"
#include "library/HvOptionList.h"

namespace {

constexpr HvOptionNumPair kOnOff[] = {{0, "Off"}, {1, "On"}, {0, nullptr}};

// A list slot as unit Misc keeps them: the records point at the slot, the list is built later.
HvOptionList* g_slot = nullptr;

const MibObjectDef kWalk[] = {
    {" ", "Index", HvSyntax::Integer, HvAccess::NotAccess},
    {"1.3.6.1.4.1.47011.11.37.4.2.8.2.1.3", " Channel", HvSyntax::Integer, HvAccess::ReadOnly, &g_slot},
    {"1.3.6.1.4.1.47011.11.37.4.2.8.2.1.7", " SSID", HvSyntax::DisplayStr, HvAccess::ReadWrite, nullptr, "r",
     nullptr, "third", "v0", "1.2.3"},
    {},
};
const MibObjectDef kEmpty[] = {{}};
const MibObjectDef kOne[] = {{"1.3.6.1.2.1.1.5", "System Name", HvSyntax::DisplayStr, HvAccess::ReadWrite},
                             {}};

class VarList : public ::testing::Test {
protected:
    void SetUp() override { g_slot = m_list.get(); }
    void TearDown() override { g_slot = nullptr; }
    std::unique_ptr<HvOptionList> m_list = std::make_unique<HvOptionList>(kOnOff);
};

TEST(VarListNames, GiveTheLibraryNames) {
    EXPECT_EQ(HvListKindNames().ValueToText("0"), "SVT_SV");
    EXPECT_EQ(HvListKindNames().ValueToText("3"), "MVT_UMV");
    EXPECT_EQ(HvListKindNames().TextToValue("mvt_fmv"), "2");
    EXPECT_EQ(HvSyntaxNames().count(), 25);
    EXPECT_EQ(HvSyntaxNames().ValueToText(std::to_string(HvSyntax::Gauge)), "guage");
    EXPECT_EQ(HvSyntaxNames().ValueToText(std::to_string(HvSyntax::DisplayStr)), "displaystr");
    EXPECT_EQ(HvSyntaxNames().TextToValue("macaddress"), "73");
    EXPECT_EQ(HvSyntaxNames().ValueToText(std::to_string(HvSyntax::UInt16)), "uint16");
    EXPECT_EQ(HvAccessNames().count(), 7);
    EXPECT_EQ(HvAccessNames().ValueToText("6"), "readwrite");
    EXPECT_EQ(HvAccessNames().ValueToText("32"), "invalid");
    EXPECT_EQ(HvAccessNames().ValueToText("64"), "64");  // 0x40 has no name
}

TEST_F(VarList, CopiesEveryRecordDeeply) {
    HvSNMPVarList list(kWalk, MVT_FMV, 1);
    EXPECT_EQ(list.kind(), MVT_FMV);
    EXPECT_EQ(list.keyCount(), 1);
    EXPECT_EQ(list.instanceSuffix(), "");
    EXPECT_EQ(list.name(), "");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0).oid, " ");
    EXPECT_EQ(list.item(1).name, " Channel");
    EXPECT_EQ(list.item(1).optionList, m_list.get());
    EXPECT_EQ(list.item(1).value, "");
    EXPECT_EQ(list.item(1).lastOid, "");
    EXPECT_FALSE(list.item(1).readFormula.has_value());
    const HvVarItem& ssid = list.item(2);
    EXPECT_EQ(ssid.syntax, HvSyntax::DisplayStr);
    EXPECT_EQ(ssid.access, HvAccess::ReadWrite);
    EXPECT_EQ(ssid.optionList, nullptr);
    EXPECT_EQ(ssid.readFormula, "r");
    EXPECT_FALSE(ssid.writeFormula.has_value());
    EXPECT_EQ(ssid.thirdText, "third");
    EXPECT_EQ(ssid.value, "v0");
    EXPECT_EQ(ssid.lastOid, "1.2.3");
    EXPECT_NE(ssid.oid.c_str(), kWalk[2].oid);
}

TEST_F(VarList, EmptyAndNullTablesGiveEmptyLists) {
    EXPECT_EQ(HvSNMPVarList::tableRowCount(kEmpty), 0);
    EXPECT_EQ(HvSNMPVarList::tableRowCount(nullptr), 0);
    EXPECT_EQ(HvSNMPVarList::tableRowCount(kWalk), 3);
    EXPECT_EQ(HvSNMPVarList(kEmpty, MVT_SV, 0).count(), 0);
    EXPECT_EQ(HvSNMPVarList(nullptr, SVT_SV, 0).count(), 0);
    HvSNMPVarList def;
    EXPECT_EQ(def.kind(), SVT_SV);
    EXPECT_EQ(def.count(), 0);
}

TEST_F(VarList, AppendGrowsAndClearEmpties) {
    HvSNMPVarList list(kOne, SVT_SV, 0);
    list.append(kWalk);
    list.append(kEmpty);
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.item(0).name, "System Name");
    EXPECT_EQ(list.item(3).name, " SSID");
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST_F(VarList, ARecordWhoseListIsNotBuiltFailsLoudlyAndChangesNothing) {
    g_slot = nullptr;
    EXPECT_THROW(HvSNMPVarList(kWalk, MVT_FMV, 1), HvException);
    HvSNMPVarList list(kOne, SVT_SV, 0);
    EXPECT_THROW(list.append(kWalk), HvException);
    EXPECT_EQ(list.count(), 1);
}

TEST_F(VarList, ItemIsRangeChecked) {
    HvSNMPVarList list(kOne, SVT_SV, 0);
    EXPECT_NO_THROW(list.item(0));
    EXPECT_THROW(list.item(1), HvException);
    EXPECT_THROW(list.item(-1), HvException);
    EXPECT_THROW(list.isReadable(1), HvException);
    const HvSNMPVarList& constList = list;
    EXPECT_THROW(constList.item(5), HvException);
}

TEST_F(VarList, ACopyIsIndependentAndStartsWithoutSuffix) {
    HvSNMPVarList original(kWalk, MVT_UMV, 1);
    original.setInstanceSuffix("1.3");
    original.setName("survey");
    original.adoptOptionList(std::make_unique<HvOptionList>(kOnOff));
    original.item(2).value = "abc";

    HvSNMPVarList copy(original);
    EXPECT_EQ(copy.instanceSuffix(), "");
    EXPECT_EQ(copy.ownedOptionListCount(), 0);
    EXPECT_EQ(copy.name(), "survey");
    EXPECT_EQ(copy.kind(), MVT_UMV);
    EXPECT_EQ(copy.keyCount(), 1);
    EXPECT_EQ(copy.item(2).value, "abc");

    copy.item(2).value = "changed";
    copy.item(1).access = HvAccess::Invalid;
    EXPECT_EQ(original.item(2).value, "abc");
    EXPECT_EQ(original.item(1).access, HvAccess::ReadOnly);
}

TEST_F(VarList, AssignKeepsTheTargetsSuffixAndOwnedLists) {
    HvSNMPVarList request(kOne, SVT_SV, 0);
    request.setInstanceSuffix("1.2");
    request.adoptOptionList(std::make_unique<HvOptionList>(kOnOff));
    HvSNMPVarList page(kWalk, MVT_FMV, 1);
    page.setInstanceSuffix("9");
    page.setName("page");

    request = page;
    EXPECT_EQ(request.instanceSuffix(), "1.2");
    EXPECT_EQ(request.ownedOptionListCount(), 1);
    EXPECT_EQ(request.kind(), MVT_FMV);
    EXPECT_EQ(request.keyCount(), 1);
    EXPECT_EQ(request.name(), "page");
    ASSERT_EQ(request.count(), 3);
    EXPECT_EQ(request.item(2), page.item(2));

    request = request;  // self-assignment keeps the items
    EXPECT_EQ(request.count(), 3);
}

TEST_F(VarList, MovingKeepsTheSuffixButMoveAssignKeepsTheTargets) {
    HvSNMPVarList source(kWalk, MVT_FMV, 1);
    source.setInstanceSuffix("7");
    HvSNMPVarList moved(std::move(source));
    EXPECT_EQ(moved.instanceSuffix(), "7");
    EXPECT_EQ(moved.count(), 3);

    HvSNMPVarList request;
    request.setInstanceSuffix("1.2");
    request = HvSNMPVarList(kOne, MVT_SV, 0);
    EXPECT_EQ(request.instanceSuffix(), "1.2");
    EXPECT_EQ(request.kind(), MVT_SV);
    ASSERT_EQ(request.count(), 1);
    EXPECT_EQ(request.item(0).name, "System Name");
}

struct FlagCase {
    const char* name;
    uint32_t access;
    uint8_t kind;
    int32_t keyCount;  // the item under test is item 0
    bool readable, writable, shown, hidden, flag40;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << c.name;
}

class VarListFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(VarListFlags, FollowTheAccessKindAndKeyCount) {
    const FlagCase& c = GetParam();
    const MibObjectDef table[] = {{"1.3.6.1.2.1.1.1", "x", HvSyntax::Integer, c.access}, {}};
    HvSNMPVarList list(table, c.kind, c.keyCount);
    EXPECT_EQ(list.isReadable(0), c.readable);
    EXPECT_EQ(list.isWritable(0), c.writable);
    EXPECT_EQ(list.isShown(0), c.shown);
    EXPECT_EQ(list.isHiddenItem(0), c.hidden);
    EXPECT_EQ(list.testFlag40(0), c.flag40);
    EXPECT_EQ(list.countShown(), c.shown ? 1 : 0);
    EXPECT_EQ(list.countHidden(), c.hidden ? 1 : 0);
}

// clang-format off
const FlagCase kFlags[] = {
    //  name                       access  kind     keys  read   write  shown  hidden flag40
    {"ReadWrite",                  0x06,   SVT_SV,  0,    true,  true,  true,  false, false},
    {"ReadOnly",                   0x02,   SVT_SV,  0,    true,  false, true,  false, false},
    {"WriteOnlyIsHidden",          0x04,   SVT_SV,  0,    false, true,  false, true,  false},
    {"InvalidAlone",               0x20,   SVT_SV,  0,    false, false, false, true,  false},
    {"ReadWriteWithInvalid",       0x26,   SVT_SV,  0,    false, false, false, true,  false},
    {"HiddenReadWrite",            0x16,   MVT_SV,  0,    true,  true,  false, true,  false},
    {"Derived",                    0x08,   SVT_SV,  0,    false, false, true,  false, false},
    {"NotAccessScalar",            0x01,   SVT_SV,  0,    false, false, true,  false, false},
    {"KeyOfFmvIsWritable",         0x01,   MVT_FMV, 1,    false, true,  true,  false, false},
    {"KeyOfUmvIsWritable",         0x01,   MVT_UMV, 1,    false, true,  true,  false, false},
    {"KeyOfUmvImpliedLength",      0x41,   MVT_UMV, 1,    false, true,  true,  false, true},
    {"KeyCountZeroNotWritable",    0x01,   MVT_FMV, 0,    false, false, true,  false, false},
    {"MvtSvKeyCountIgnored",       0x01,   MVT_SV,  1,    false, false, true,  false, false},
    {"InvalidKeyNotWritable",      0x21,   MVT_FMV, 1,    false, false, false, true,  false},
    {"WriteOnlyWithFlag40",        0x44,   SVT_SV,  0,    false, true,  false, false, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, VarListFlags, ::testing::ValuesIn(kFlags),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(VarList, ClearingInvalidMakesAnItemReadableAndWritable) {
    const MibObjectDef table[] = {{"1.3.6.1.2.1.1.4", "c", HvSyntax::DisplayStr, 0x26}, {}};
    HvSNMPVarList list(table, SVT_SV, 0);
    EXPECT_FALSE(list.isReadable(0));
    EXPECT_FALSE(list.isWritable(0));
    list.item(0).access &= ~HvAccess::Invalid;
    EXPECT_TRUE(list.isReadable(0));
    EXPECT_TRUE(list.isWritable(0));
}

}  // namespace
