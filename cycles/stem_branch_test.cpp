#include "cycles/stem_branch.h"

#include <gtest/gtest.h>

#include "lunar/lunar_date.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

TEST(CycleIndex, IsNeverNegative) {
  EXPECT_EQ(CycleIndex(-1, 10), 9u);
  EXPECT_EQ(CycleIndex(-12, 12), 0u);
  EXPECT_EQ(CycleIndex(23, 12), 11u);
}

TEST(YearStemBranch, NamesLunarYears) {
  constexpr struct {
    std::uint16_t year;
    std::u16string_view name;
  } kCases[]{{1984, u"甲子"}, {1989, u"己巳"}, {1990, u"庚午"}, {2010, u"庚寅"},
             {2020, u"庚子"}, {2023, u"癸卯"}, {2043, u"癸亥"}, {2044, u"甲子"},
             {2050, u"庚午"}};
  for (const auto& c : kCases) EXPECT_EQ(YearStemBranch(c.year), c.name) << c.year;
}

TEST(YearStemBranch, ChangesAtTheLunarNewYearNotAt立春) {
  // 2010: 立春 on 4 February, the lunar new year on 14 February.
  std::uint16_t y, m, d;
  LunarDateOf(DayNumberOf(2010, 2, 13), y, m, d);
  EXPECT_EQ(YearStemBranch(y), u"己丑");
  LunarDateOf(DayNumberOf(2010, 2, 14), y, m, d);
  EXPECT_EQ(YearStemBranch(y), u"庚寅");
}

TEST(MonthStemBranch, NamesLunarMonths) {
  constexpr struct {
    std::uint16_t year, month;
    std::u16string_view name;
  } kCases[]{
      {1989, 12, u"丁丑"}, {1990, 1, u"戊寅"}, {2010, 10, u"丁亥"}, {2020, 4, u"辛巳"},
      {2020, 5, u"壬午"}, {2023, 2, u"乙卯"}, {2023, 11, u"甲子"}, {2023, 12, u"乙丑"},
      {2024, 1, u"丙寅"}, {2050, 12, u"己丑"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(MonthStemBranch(c.year, c.month), c.name) << c.year << '-' << c.month;
  }
}

TEST(MonthStemBranch, FirstMonthIs寅EleventhIs子TwelfthIs丑) {
  for (std::uint16_t year = 1989; year <= 2050; ++year) {
    EXPECT_EQ(MonthStemBranch(year, 1).substr(1), u"寅") << year;
    EXPECT_EQ(MonthStemBranch(year, 11).substr(1), u"子") << year;
    EXPECT_EQ(MonthStemBranch(year, 12).substr(1), u"丑") << year;
  }
}

TEST(DayStemBranch, NamesDays) {
  constexpr struct {
    std::uint16_t year, month, day;
    std::u16string_view name;
  } kCases[]{{1990, 1, 1, u"丙寅"}, {2000, 1, 1, u"戊午"}, {2010, 11, 7, u"辛酉"},
             {2024, 2, 10, u"甲辰"}, {2050, 12, 31, u"乙酉"}};
  for (const auto& c : kCases) {
    EXPECT_EQ(DayStemBranch(c.year, c.month, c.day), c.name) << DateText(c.year, c.month, c.day);
  }
  EXPECT_EQ(DayCyclePosition(1990, 1, 1), 2 << 8 | 2);
}

TEST(DayStemBranch, MatchesTheReferenceOnEveryDay) {
  int mismatches = 0;
  for (const auto& r : testing::ReferenceDays()) {
    const std::u16string actual = DayStemBranch(r.year, r.month, r.day);
    if (actual != r.day_cycle && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << Narrow(actual)
                    << ", reference " << Narrow(r.day_cycle);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(HourBranch, DoubleHoursStartAtOddHours) {
  constexpr std::u16string_view kByHour[24]{
      u"子", u"丑", u"丑", u"寅", u"寅", u"卯", u"卯", u"辰", u"辰", u"巳", u"巳", u"午",
      u"午", u"未", u"未", u"申", u"申", u"酉", u"酉", u"戌", u"戌", u"亥", u"亥", u"子"};
  for (std::uint16_t hour = 0; hour < 24; ++hour) EXPECT_EQ(HourBranch(hour), kByHour[hour]) << hour;
}

}  // namespace
}  // namespace moonfold
