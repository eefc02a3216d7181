#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

#include "library/HvException.h"
#include "library/HvSNMPVarList.h"
#include "module/Misc.h"

namespace {

constexpr std::string_view kEnterprise = "1.3.6.1.4.1.47011.11.37.4.";
constexpr std::string_view kMib2System = "1.3.6.1.2.1.1.";

const MibObjectDef* table(int n) {
    return kMibTables[n - 1].table;
}

// The L-number of a record's list slot, 0 for none.
int listNumber(const MibObjectDef& r) {
    return r.optionList ? static_cast<int>(r.optionList - &MibOptionLists[0]) + 1 : 0;
}

std::string ent(const char* tail) {
    return std::string(kEnterprise) + tail;
}

TEST(MibTables, CountAs118TablesOf435RecordsAnd78Lists) {
    int records = 0;
    for (int n = 1; n <= kMibTableCount; ++n) {
        EXPECT_EQ(kMibTables[n - 1].number, n);
        ASSERT_NE(kMibTables[n - 1].table, nullptr) << "T" << n;
        records += HvSNMPVarList::tableRowCount(kMibTables[n - 1].table);
    }
    EXPECT_EQ(records, 435);
    EXPECT_EQ(kMibTables[0].table, kMibT001);
    EXPECT_EQ(kMibTables[80].table, kMibT081);
    EXPECT_EQ(kMibTables[117].table, kMibT118);
    for (int n = 1; n <= kMibOptionListCount; ++n) {
        ASSERT_NE(MibOptionListSource(n), nullptr) << "L" << n;
        ASSERT_NE(MibOptionLists[n - 1], nullptr) << "L" << n;
    }
    EXPECT_EQ(MibOptionListSource(0), nullptr);
    EXPECT_EQ(MibOptionListSource(79), nullptr);
}

// The counts of syntaxes and accesses over all records: a transcription slip shows here.
TEST(MibTables, HoldTheListingsSyntaxAndAccessCounts) {
    std::map<uint32_t, int> syntaxes, accesses;
    for (const MibTableEntry& t : kMibTables) {
        for (const MibObjectDef* r = t.table; r->oid; ++r) {
            ++syntaxes[r->syntax];
            ++accesses[r->access];
        }
    }
    EXPECT_EQ(syntaxes, (std::map<uint32_t, int>{{HvSyntax::Integer, 255},
                                                 {HvSyntax::DisplayStr, 89},
                                                 {HvSyntax::MacAddress, 55},
                                                 {HvSyntax::IpAddress, 34},
                                                 {HvSyntax::ObjectId, 1},
                                                 {HvSyntax::TimeTicks, 1}}));
    EXPECT_EQ(accesses, (std::map<uint32_t, int>{{HvAccess::ReadWrite, 275},
                                                 {HvAccess::ReadOnly, 113},
                                                 {HvAccess::Invalid, 32},
                                                 {HvAccess::NotAccess, 15}}));
}

TEST(MibTables, AreWellFormed) {
    std::set<int> usedLists;
    for (const MibTableEntry& t : kMibTables) {
        SCOPED_TRACE("T" + std::to_string(t.number));
        const int rows = HvSNMPVarList::tableRowCount(t.table);
        ASSERT_GT(rows, 0);
        // The end record is entirely null.
        const MibObjectDef& end = t.table[rows];
        EXPECT_TRUE(!end.name && !end.syntax && !end.access && !end.optionList && !end.readFormula &&
                    !end.writeFormula && !end.thirdText && !end.value && !end.lastOid);
        bool keysDone = false;
        std::set<std::string> oids;
        for (int k = 0; k < rows; ++k) {
            const MibObjectDef& r = t.table[k];
            const std::string oid = r.oid;
            SCOPED_TRACE(oid + " " + r.name);
            ASSERT_NE(r.name, nullptr);
            EXPECT_FALSE(std::string(r.name).empty());
            // The five further words are null in every static record.
            EXPECT_TRUE(!r.readFormula && !r.writeFormula && !r.thirdText && !r.value && !r.lastOid);
            // Option lists only on integers, and only through a slot of the global array.
            if (r.optionList) {
                EXPECT_EQ(r.syntax, HvSyntax::Integer);
                const int n = listNumber(r);
                EXPECT_GE(n, 1);
                EXPECT_LE(n, kMibOptionListCount);
                usedLists.insert(n);
            }
            // Row keys (not accessible) lead the table, and only they carry the blank OID.
            if (r.access == HvAccess::NotAccess) {
                EXPECT_FALSE(keysDone) << "key after a column";
                EXPECT_EQ(r.syntax, HvSyntax::Integer);
            } else {
                keysDone = true;
                EXPECT_NE(oid, " ");
            }
            if (oid == " ") continue;
            EXPECT_TRUE(oid.starts_with(kEnterprise) || oid.starts_with(kMib2System)) << oid;
            EXPECT_EQ(oid.find_first_not_of("0123456789."), std::string::npos);
            EXPECT_EQ(oid.find(".."), std::string::npos);
            EXPECT_NE(oid.back(), '.');
            EXPECT_TRUE(oids.insert(oid).second) << "duplicate OID in one table";
        }
    }
    // Every list is used but L10, L36..L39 and L66, which are built all the same.
    std::set<int> unused;
    for (int n = 1; n <= kMibOptionListCount; ++n) {
        if (!usedLists.count(n)) unused.insert(n);
    }
    EXPECT_EQ(unused, (std::set<int>{10, 36, 37, 38, 39, 66}));
}

struct SpotCase {
    const char* name;
    int table;
    int index;
    std::string oid;
    const char* objectName;
    uint32_t syntax;
    uint32_t access;
    int list;  // L-number, 0 for none
};

void PrintTo(const SpotCase& c, std::ostream* os) {
    *os << c.name;
}

class MibTableSpot : public ::testing::TestWithParam<SpotCase> {};

TEST_P(MibTableSpot, HoldsTheListedRecord) {
    const SpotCase& c = GetParam();
    ASSERT_LT(c.index, HvSNMPVarList::tableRowCount(table(c.table)));
    const MibObjectDef& r = table(c.table)[c.index];
    EXPECT_EQ(r.oid, c.oid);
    EXPECT_EQ(std::string(r.name), c.objectName);
    EXPECT_EQ(r.syntax, c.syntax);
    EXPECT_EQ(r.access, c.access);
    EXPECT_EQ(listNumber(r), c.list);
}

using namespace HvSyntax;
using namespace HvAccess;

// clang-format off
const SpotCase kSpots[] = {
    {"T1SysDescr",          1, 0, "1.3.6.1.2.1.1.1", "System Description", DisplayStr, ReadOnly, 0},
    {"T1SysObjectId",       1, 1, "1.3.6.1.2.1.1.2", "System Object ID", ObjectId, ReadOnly, 0},
    {"T1SysUptime",         1, 2, "1.3.6.1.2.1.1.3", "System Uptime", TimeTicks, ReadOnly, 0},
    {"T1SysLocation",       1, 5, "1.3.6.1.2.1.1.6", "System Location", DisplayStr, ReadWrite, 0},
    {"T2Broadcast",         2, 1, ent("1.1.1.2.1"), "hSSIDBroadcast", Integer, Invalid, 1},
    {"T2SecondSlot",        2, 9, ent("1.1.1.5.2"), "hRadioFrequency", DisplayStr, Invalid, 0},
    {"T3GetIPFrom",         3, 0, ent("1.2.1"), "hGetIPFrom", Integer, ReadWrite, 3},
    {"T3SysRestart",        3, 4, ent("3.2.1"), "sysRestart", Integer, ReadWrite, 2},
    {"T44RestartSameOid",  44, 0, ent("3.2.1"), "Restart", Integer, ReadWrite, 28},
    {"T4OneObject",         4, 0, ent("1.2.1"), "hGetIPFrom", Integer, ReadWrite, 3},
    {"T5APModeL4",          5, 0, ent("2.1.1.1.1"), "adAPMode", Integer, ReadWrite, 4},
    {"T5RootMac",           5, 9, ent("2.1.1.3.1"), "adAPRRootAPMACAddress", MacAddress, ReadWrite, 0},
    {"T5LastSSID",          5, 10, ent("1.1.1.1.1"), "hSSID", DisplayStr, ReadWrite, 0},
    {"T7APModeL5",          7, 0, ent("2.1.1.1.1"), "adAPMode", Integer, ReadWrite, 5},
    {"T9PerInstanceName",   9, 7, ent("2.2.1.2.1.8"), "PtMPReAPMACAddress-8", MacAddress, ReadWrite, 0},
    {"T11TransmitPower",   11, 8, ent("2.3.1.10.1"), "adTransmitPower", Integer, ReadWrite, 6},
    {"T15SuperModeL9",     15, 0, ent("2.3.1.11"), "adSuperMode", Integer, ReadWrite, 9},
    {"T16SuperModeL8",     16, 0, ent("2.3.1.11"), "adSuperMode", Integer, ReadWrite, 8},
    {"T17RadioWave",       17, 11, ent("2.3.1.12.2"), "adRadioWave", Integer, ReadWrite, 11},
    {"T23IndexKey",        23, 0, " ", "No.", Integer, NotAccess, 0},
    {"T23Mac",             23, 1, ent("2.4.2.1.2.1"), "MAC Address", MacAddress, ReadWrite, 0},
    {"T25UpperCaseKey",    25, 0, " ", "NO.", Integer, NotAccess, 0},
    {"T26LastItem",        26, 7, ent("2.4.3.1.3.2"), "adInternaStationConnectionBetweenag", Integer, Invalid, 20},
    {"T29DnsIpDotZero",    29, 3, ent("2.5.2.1.0"), "Sec DNS IP Address", IpAddress, ReadWrite, 0},
    {"T30RadiusPort",      30, 1, ent("2.5.2.4.0"), "Sec RADIUS Port", Integer, ReadWrite, 0},
    {"T37AuthInvalid",     37, 0, ent("2.5.1.1.1.1"), "adSecAuthentication-a", Integer, Invalid, 21},
    {"T37LastKey",         37, 13, ent("2.5.3.1.1.2.4"), "adSecKey-80211g-4", DisplayStr, Invalid, 0},
    {"T39UserLimit",       39, 1, ent("2.6.2"), "UserLimit(0-64)", Integer, ReadWrite, 0},
    {"T40StaticStatusL27", 40, 8, ent("2.7.3.1.8"), "Static Status", Integer, ReadWrite, 27},
    {"T63StatusL46",       63, 8, ent("2.7.3.1.8"), "Status", Integer, ReadWrite, 46},
    {"T41Lease",           41, 3, ent("2.7.4.1.1.3"), "Current Dynamic Lease", Integer, ReadOnly, 0},
    {"T47TftpCommand",     47, 0, ent("3.3.4"), "tftpcommand", Integer, ReadWrite, 30},
    {"T48Upgrade",         48, 0, ent("3.3.5"), "upgradesettingcommand", Integer, ReadWrite, 31},
    {"T51Mac",             51, 1, ent("4.1.1.2"), "MAC Address", MacAddress, ReadOnly, 0},
    {"T54LastStatistic",   54, 17, ent("4.3.1.1.18.1"), "WEPICVErrorCount", Integer, ReadOnly, 0},
    {"T57IndexRealOid",    57, 0, ent("4.5.2.1.1"), "Index", Integer, NotAccess, 0},
    {"T57AuthNoList",      57, 3, ent("4.5.2.1.4"), "Authentication", Integer, ReadOnly, 0},
    {"T58AuthL43",         58, 3, ent("4.5.2.1.4"), "Authentication", Integer, ReadOnly, 43},
    {"T58Ssid",            58, 6, ent("4.5.2.1.7"), "SSID", DisplayStr, ReadOnly, 0},
    {"T82VlanStateL48",    82, 0, ent("2.9.1.1.1"), "adVlanState", Integer, ReadWrite, 48},
    {"T90VlanStateL53",    90, 0, ent("2.9.1.1.1"), "adVlanState", Integer, ReadWrite, 53},
    {"T84StateL49",        84, 0, ent("2.9.2.1.2.1.2"), "adMSSIDState", Integer, ReadWrite, 49},
    {"T91IdvStateSameCol", 91, 2, ent("2.9.2.1.2"), "adMSSIDIdvState", Integer, ReadWrite, 54},
    {"T91SecondKey",       91, 1, ent("2.9.2.1.1"), "adMSSIDIndex", Integer, NotAccess, 0},
    {"T91Passphrase",      91, 10, ent("2.9.2.1.12"), "adMSSIDPassPhrase", DisplayStr, ReadWrite, 0},
    {"T91KeyType",         91, 11, ent("2.9.2.1.13"), "adMSSIDKeyType", Integer, ReadWrite, 59},
    {"T92OtherState",      92, 0, ent("2.9.3.1.1"), "adMSSIDState", Integer, ReadWrite, 60},
    {"T95LastAuth",        95, 13, ent("2.9.2.1.4.1.8"), "adMSSIDAuth", Integer, ReadWrite, 55},
    {"T96LogServer",       96, 4, ent("2.11.9.0"), "adLogServerIP", IpAddress, ReadWrite, 0},
    {"T98ClearNoDotZero",  98, 0, ent("2.11.10"), "adClearLocalLog", Integer, ReadWrite, 68},
    {"T101KeyType",       101, 0, ent("2.5.1.1.7"), "adSecKeyType", Integer, ReadWrite, 69},
    {"T105ClusterAction", 105, 1, ent("2.12.1.1.1.2.1"), "adClusterAction", Integer, ReadWrite, 72},
    {"T109Mac",           109, 2, ent("2.12.3.2.1.2"), "MAC", MacAddress, ReadOnly, 0},
    {"T112KeyRealOid",    112, 0, ent("2.13.1.1.1"), "adDataRateControlIndex", Integer, NotAccess, 0},
    {"T117Capability",    117, 0, ent("99.1.1.49"), "mssidAndWdssupport", Integer, ReadOnly, 0},
    {"T118Consistent",    118, 0, ent("2.3.1.26.1"), "multioverwdsconsistent", Integer, ReadWrite, 78},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Records, MibTableSpot, ::testing::ValuesIn(kSpots),
                         [](const auto& info) { return std::string(info.param.name); });

struct SizeCase {
    int table;
    int rows;
};

TEST(MibTables, HaveTheListedSizes) {
    const SizeCase sizes[] = {{1, 6},   {2, 10}, {3, 5},  {4, 1},  {5, 11},  {17, 12}, {26, 8},  {37, 14},
                              {54, 18}, {57, 6}, {58, 7}, {81, 7}, {91, 12}, {95, 14}, {105, 2}, {118, 1}};
    for (const SizeCase& s : sizes) {
        EXPECT_EQ(HvSNMPVarList::tableRowCount(table(s.table)), s.rows) << "T" << s.table;
    }
}

TEST(MibTables, KeepTheBlanksOfT81sNames) {
    const char* names[] = {"Index", " Type", " Channel", " Signal (%)", " BSSID", " Security ", " SSID"};
    HvSNMPVarList list(kMibT081, MVT_UMV, 1);
    ASSERT_EQ(list.count(), 7);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(list.item(k).name, names[k]) << k;
    EXPECT_EQ(list.item(0).oid, " ");
}

TEST(MibOptionLists, AreNumericAndIgnoreCase) {
    for (int n = 1; n <= kMibOptionListCount; ++n) {
        const HvOptionList& list = *MibOptionLists[n - 1];
        EXPECT_EQ(list.kind(), HvOptionList::Numeric) << "L" << n;
        EXPECT_FALSE(list.caseSensitive()) << "L" << n;
        int pairs = 0;
        for (const MibOptionPair* p = MibOptionListSource(n); p->text; ++p, ++pairs) {
            ASSERT_LT(pairs, list.count());
            EXPECT_EQ(list.GetItem(pairs).value, p->value);
            EXPECT_EQ(list.GetItem(pairs).text, p->text);
        }
        EXPECT_EQ(pairs, list.count()) << "L" << n;
        EXPECT_GE(pairs, 2) << "L" << n;
    }
}

TEST(MibOptionLists, KeepThePairOrder) {
    EXPECT_EQ(MibOptionLists[9]->GetItem(0).value, 4);  // L10: 4 Disable, then 1 Enable
    EXPECT_EQ(MibOptionLists[9]->GetItem(1).text, "Enable");
    for (int n : {59, 69}) {  // 2 HEX, then 1 ASCII
        const HvOptionList& list = *MibOptionLists[n - 1];
        ASSERT_EQ(list.count(), 2);
        EXPECT_EQ(list.GetItem(0).text, "HEX");
        EXPECT_EQ(list.GetItem(0).value, 2);
        EXPECT_EQ(list.GetItem(1).text, "ASCII");
    }
    EXPECT_EQ(MibOptionLists[32]->GetItem(1).text, "1 Min");  // L33 texts begin with digits
    EXPECT_EQ(MibOptionLists[32]->TextToValue("1 Min"), "1");
}

TEST(MibOptionLists, LookUpBothWays) {
    const HvOptionList& l31 = *MibOptionLists[30];
    EXPECT_EQ(l31.TextToValue("reboot"), "4");
    EXPECT_EQ(l31.TextToValue("Reboot"), "4");
    EXPECT_EQ(l31.ValueToText("5"), "Factoryreset");
    const HvOptionList& l30 = *MibOptionLists[29];
    EXPECT_EQ(l30.ValueToText("9"), "9");  // tftpcommand outside its list
    EXPECT_EQ(l30.ValueToText("(NOTDONE)"), "(NOTDONE)");
    EXPECT_EQ(MibOptionLists[5]->ValueToText("2"), "Half(-3dB)");
    EXPECT_EQ(MibOptionLists[20]->TextToValue("open system / shared key"), "3");
    EXPECT_EQ(MibOptionLists[71]->ValueToText("2"), "Escape");
}

TEST(MibOptionLists, AreTheListsAVarListItemSees) {
    HvSNMPVarList list(kMibT003, SVT_SV, 0);
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.item(0).optionList, MibOptionLists[2]);
    EXPECT_EQ(list.item(0).optionList->ValueToText("2"), "Dynamic (DHCP)");
    EXPECT_EQ(list.item(1).optionList, nullptr);
    EXPECT_EQ(list.item(4).optionList->ValueToText("1"), "reboot");
    HvSNMPVarList system(kMibT044, SVT_SV, 0);
    EXPECT_EQ(system.item(0).optionList->ValueToText("1"), "True");  // same OID as sysRestart
}

TEST(MibOptionLists, InitTwiceKeepsTheListsAndFreeEmptiesTheSlots) {
    HvOptionList* first = MibOptionLists[0];
    InitMibOptionLists();
    EXPECT_EQ(MibOptionLists[0], first);

    FreeMibOptionLists();
    for (HvOptionList* slot : MibOptionLists) EXPECT_EQ(slot, nullptr);
    // A table whose records name a list cannot be copied before the lists exist...
    EXPECT_THROW(HvSNMPVarList(kMibT003, SVT_SV, 0), HvException);
    // ...one without lists can.
    EXPECT_EQ(HvSNMPVarList(kMibT001, SVT_SV, 0).count(), 6);
    InitMibOptionLists();
    ASSERT_NE(MibOptionLists[77], nullptr);
    EXPECT_EQ(HvSNMPVarList(kMibT003, SVT_SV, 0).item(4).optionList, MibOptionLists[1]);
}

TEST(MibTables, AOneObjectTableGivesAOneItemList) {
    HvSNMPVarList list(kMibT004, SVT_SV, 0);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0).name, "hGetIPFrom");
    EXPECT_EQ(list.item(0).value, "");
}

}  // namespace
