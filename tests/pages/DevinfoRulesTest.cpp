// The device information page's Super G text, worked out from the creation step's read of slot 1.

#include <gtest/gtest.h>

#include "pages/admin/DevinfoRules.h"
#include "tests/NamedRows.h"

using namespace DevinfoRules;

namespace {

using hvtest::PrintTo;

struct SuperCase {
    const char* name;
    SlotOne in;
    const char* shown;
};

class DevinfoSuperMode : public ::testing::TestWithParam<SuperCase> {};

TEST_P(DevinfoSuperMode, Shown) {
    EXPECT_EQ(superModeShown(GetParam().in), QString::fromLatin1(GetParam().shown));
}

const SuperCase kCases[] = {
    {"NoTurboDisabled", {true, "0", "Disabled", "1", false}, "Disabled"},
    {"NoTurboDynamic", {true, "0", "Super G with Dynamic Turbo", "6", false}, "Enabled"},
    {"TurboOffChannel6", {true, "1", "Super G with Static Turbo", "6", false}, "Super G with Static Turbo"},
    {"TurboOtherChannel", {true, "1", "Super G with Static Turbo", "11", false}, "Super G without Turbo"},
    {"TurboOtherChannelTabG", {true, "1", "Super G with Static Turbo", "11", true}, "Super A without Turbo"},
    {"TurboDisabled", {true, "1", "Disabled", "11", false}, "Disabled"},
    // Before the capability's first answer its text is the edit's name: turbo counts as supported.
    {"CapabilityUnread", {true, "ED_Turbomode", "Disabled", "3", false}, "Disabled"},
    {"FailedReadShowsNothing", {false, "1", "", "", false}, ""},
    {"FailedReadWithoutTurbo", {false, "0", "", "", false}, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, DevinfoSuperMode, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
