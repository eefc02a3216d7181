// The system information page's rules without windows: Save's length checks and the result texts.

#include <gtest/gtest.h>

#include "pages/admin/InformationRules.h"
#include "tests/NamedRows.h"

using namespace InformationRules;

namespace {

using hvtest::PrintTo;

struct SaveCase {
    const char* name;
    int contact, sysName, location;  // lengths
    const char* message;             // nullptr: saved
};

class InformationSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(InformationSave, FirstTooLongFieldStopsSave) {
    const auto& c = GetParam();
    const auto f = checkSave(QString(c.contact, u'c'), QString(c.sysName, u'n'), QString(c.location, u'l'));
    if (!c.message) {
        EXPECT_EQ(f, std::nullopt);
        return;
    }
    ASSERT_TRUE(f);
    EXPECT_EQ(*f, (CheckFailure{c.message, "Error", {}, {}, {}}));
}

const SaveCase kCases[] = {
    {"AllAtTheirLimits", 255, 39, 255, nullptr},
    {"AllEmpty", 0, 0, 0, nullptr},
    {"Contact256", 256, 0, 0, "The Max Lengh of the SystemContact is 255."},
    {"Name40", 0, 40, 0, "The Max Lengh of the SystemName is 39."},
    {"Location256", 0, 0, 256, "The Max Lengh of the SystemLocation is 255."},
    {"ContactBeforeName", 300, 40, 300, "The Max Lengh of the SystemContact is 255."},
    {"NameBeforeLocation", 0, 41, 256, "The Max Lengh of the SystemName is 39."},
};

INSTANTIATE_TEST_SUITE_P(Table, InformationSave, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InformationRules, ResultsComeFromTheCompletion) {
    EXPECT_EQ(readResult(true, "x"), u"Get OK!");
    EXPECT_EQ(saveResult(true, "x"), u"Save OK!");
    // A device that does not answer never reads as a success.
    EXPECT_EQ(readResult(false, "Timeout"), u"Timeout");
    EXPECT_EQ(saveResult(false, "Timeout"), u"Timeout");
    EXPECT_FALSE(saveEnabled(true, true));
    EXPECT_TRUE(saveEnabled(false, true));
    // Nothing read yet: a write would blank what the device holds.
    EXPECT_FALSE(saveEnabled(false, false));
}

}  // namespace
