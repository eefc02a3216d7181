// Every layout table of the pages and the module's windows, built offscreen and checked as a user
// would see it: no caption cut, no unplanned overlap, nothing outside its parent or under the status
// bar. A table that fails is mended, never left out.

#include <gtest/gtest.h>

#include "module/About.h"
#include "module/Wait.h"
#include "pages/admin/Admin2Layout.h"
#include "pages/admin/AdminLayout.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/ClientinfoLayout.h"
#include "pages/admin/ClusterLayout.h"
#include "pages/admin/DevinfoLayout.h"
#include "pages/admin/DhcpLayout.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/InformationLayout.h"
#include "pages/admin/LanLayout.h"
#include "pages/admin/Logset.h"
#include "pages/admin/StaticLayout.h"
#include "pages/admin/StaticipLayout.h"
#include "pages/admin/SystemLayout.h"
#include "pages/admin/Systemlog.h"
#include "pages/wireless/EncryptLayout.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/GroupLayout.h"
#include "pages/wireless/ModecfgLayout.h"
#include "pages/wireless/MultissidLayout.h"
#include "pages/wireless/Multissid2Layout.h"
#include "pages/wireless/Performace.h"
#include "pages/wireless/SssLayout.h"
#include "pages/wireless/WirlessLayout.h"
#include "tests/NamedRows.h"
#include "tests/forms/LayoutFit.h"

namespace {

using hvtest::PrintTo;

struct LayoutCase {
    const char* name;
    const forms::FormLayout* table;
};

class PageLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayouts, Fits) {
    EXPECT_TRUE(layoutFits(*GetParam().table));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PageLayouts,
    ::testing::Values(LayoutCase{"Performance", &PerformaceLayout}, LayoutCase{"Firmware", &FirmwareLayout},
                      LayoutCase{"ConfigurationFile", &CfghisLayout}, LayoutCase{"Log", &SystemlogLayout},
                      LayoutCase{"LogSettings", &LogsetLayout}, LayoutCase{"Waiting", &WaitLayout},
                      LayoutCase{"About", &AboutLayout}, LayoutCase{"Wireless", &kWirlessLayout},
                      LayoutCase{"Lan", &kLanLayout}, LayoutCase{"StaticPool", &kStaticipLayout},
                      LayoutCase{"Dhcp", &kDhcpLayout}, LayoutCase{"ApMode", &kModecfgLayout},
                      LayoutCase{"Grouping", &kGroupLayout}, LayoutCase{"System", &kSytemLayout},
                      LayoutCase{"DeviceInfo", &kDevInfoLayout}, LayoutCase{"SystemInfo", &kSysInfoLayout},
                      LayoutCase{"Statistics", &kStaticLayout}, LayoutCase{"MultiSsid", &kMultiSSIDLayout},
                      LayoutCase{"MultiSsidVlan", &kMultissid2Layout},
                      LayoutCase{"Admin", &kAdminLayout},
                      LayoutCase{"AdminNew", &kAdminNewLayout},
                      LayoutCase{"ClientInfo", &kClientinfoLayout},
                      LayoutCase{"ApDomains", &kClusterLayout},
                      LayoutCase{"Filter", &kFilterLayout},
                      LayoutCase{"FilterMacTable", &kFilterMacLayout},
                      LayoutCase{"FilterMacAddress", &kMacAddrLayout},
                      LayoutCase{"Encryption", &kEncryptLayout},
                      LayoutCase{"SecurityServers", &kSssLayout}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
