// The security servers dialog's layout: the DNS and RADIUS fields in one group, Apply below.

#include "pages/wireless/SssLayout.h"

#include "module/LayoutRows.h"

namespace {

using namespace LayoutRows;

constexpr LayoutRow kRows[] = {
    group("GB_SSS", "", 3, 0, 401, 184, "Security Server Settings"),
    label("", "GB_SSS", 16, 24, "Domain Name Server IP Address"),
    edit("Ed_DNSIP", "GB_SSS", 191, 20, 121),
    label("", "GB_SSS", 16, 56, "Domain Name Server"),
    edit("Ed_DNS", "GB_SSS", 191, 52, 202, 32),
    label("", "GB_SSS", 16, 88, "RADIUS Server"),
    edit("Ed_RadiusSrv", "GB_SSS", 191, 84, 202, 32),
    label("", "GB_SSS", 16, 120, "RADIUS Port (0-65535)"),
    edit("Ed_RadiusPort", "GB_SSS", 191, 116, 121, 5),
    label("", "GB_SSS", 16, 152, "RADIUS Secret "),
    edit("Ed_RadiusSec", "GB_SSS", 191, 148, 202, 32),
    button("Bt_Apply", "", 280, 192, "Apply"),
    statusBar(),
};

}  // namespace

const forms::FormLayout kSssLayout{"TFM_SSS", "Security Server Settings", 407, 246, kRows};
