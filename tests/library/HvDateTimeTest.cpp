#include "library/HvDateTime.h"

#include <gtest/gtest.h>

#include <QDateTime>

#include "library/HvClock.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

struct TextCase {
    const char* name;
    const char* text;
    const char* back;  // ToText of the parsed value
    char direction;
    int hoursFromUtc, minutesFromUtc;
};

class DateTimeText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DateTimeText, ParsesAndWritesBack) {
    const auto& c = GetParam();
    const HvDateTime dt(c.text);
    EXPECT_EQ(dt.ToText(), c.back);
    EXPECT_EQ(dt.direction, c.direction);
    EXPECT_EQ(dt.hoursFromUtc, c.hoursFromUtc);
    EXPECT_EQ(dt.minutesFromUtc, c.minutesFromUtc);
}

const TextCase kTextCases[] = {
    {"NoOffset", "2008-9-11,13:5:0.0", "2008-9-11,13:5:0.0", '+', 0, 0},
    {"MinusOffset", "2008-9-11,13:5:0.0,-5:30", "2008-9-11,13:5:0.0,-5:30", '-', 5, 30},
    {"PlusOffset", "2024-12-31,23:59:60.9,+1:0", "2024-12-31,23:59:60.9,+1:0", '+', 1, 0},
    {"ZeroOffsetDropped", "2008-9-11,13:5:0.0,-0:0", "2008-9-11,13:5:0.0", '-', 0, 0},
    {"LeadingZerosDropped", "2008-09-01,03:05:07.0", "2008-9-1,3:5:7.0", '+', 0, 0},
    {"MissingFieldsZero", "2008-9-11", "2008-9-11,0:0:0.0", '+', 0, 0},
    {"OffsetWithoutSignIgnored", "2008-9-11,1:2:3.4,5:30", "2008-9-11,1:2:3.4", '+', 0, 0},
    {"CutToFieldWidth", "65537-257-11,1:2:3.4", "1-1-11,1:2:3.4", '+', 0, 0},
    {"Garbage", "abc", "0-0-0,0:0:0.0", '+', 0, 0},
    {"Huge", "99999999999999-1-1", "65535-1-1,0:0:0.0", '+', 0, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, DateTimeText, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DateTime, FieldsOfText) {
    const HvDateTime dt("2008-9-11,13:5:0.0");
    EXPECT_EQ(dt.year, 2008);
    EXPECT_EQ(dt.month, 9);
    EXPECT_EQ(dt.day, 11);
    EXPECT_EQ(dt.hour, 13);
    EXPECT_EQ(dt.minutes, 5);
    EXPECT_EQ(dt.seconds, 0);
    EXPECT_EQ(dt.deciSeconds, 0);
}

TEST(DateTime, OctetsAreBigEndianAndRoundTrip) {
    const HvDateTime dt("2008-9-11,13:5:1.2,-5:30");
    const std::string octets = dt.toOctets();
    ASSERT_EQ(octets.size(), 11u);
    EXPECT_EQ(octets, std::string("\x07\xD8\x09\x0B\x0D\x05\x01\x02-\x05\x1E", 11));
    const auto back = HvDateTime::fromOctets(octets);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, dt);
    const auto shortForm = HvDateTime::fromOctets(octets.substr(0, 8));
    ASSERT_TRUE(shortForm);
    EXPECT_EQ(shortForm->ToText(), "2008-9-11,13:5:1.2");
    EXPECT_FALSE(HvDateTime::fromOctets(octets.substr(0, 10)));
    EXPECT_FALSE(HvDateTime::fromOctets(""));
}

TEST(DateTime, SwapYearTwiceRestores) {
    HvDateTime dt("2008-9-11,13:5:0.0");
    dt.SwapYear();
    EXPECT_EQ(dt.year, 0xD807);
    dt.SwapYear();
    EXPECT_EQ(dt.year, 2008);
}

TEST(DateTime, NowFromLibraryClock) {
    HvSetClock([] { return QDateTime(QDate(2024, 2, 29), QTime(23, 58, 7, 900)); });
    const HvDateTime now;
    HvSetClock({});
    EXPECT_EQ(now.ToText(), "2024-2-29,23:58:7.0");
    const HvDateTime copy(now);
    EXPECT_EQ(copy, now);
}

}  // namespace
