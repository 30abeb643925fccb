#include "festivals/weekday_festivals.h"

#include <gtest/gtest.h>

#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;

TEST(GregorianWeekday, CountsFromTheProlepticCalendar) {
  constexpr struct {
    std::uint16_t year, month, day, weekday;
  } kCases[]{{1, 1, 1, 1},      {1990, 1, 1, 1},  {2000, 2, 29, 2}, {2000, 3, 1, 3},
             {2010, 11, 7, 0},  {2012, 11, 29, 4}, {2026, 12, 8, 2}, {2050, 12, 31, 6}};
  for (const auto& c : kCases) {
    EXPECT_EQ(GregorianWeekday(c.year, c.month, c.day), c.weekday)
        << DateText(c.year, c.month, c.day);
  }
}

TEST(GregorianWeekday, StepsByOneEveryDay) {
  std::uint16_t expected = 1;  // 1990-01-01 was a Monday
  for (std::uint16_t year = 1990; year <= 2050; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysInGregorianMonth(year, month); ++day) {
        ASSERT_EQ(GregorianWeekday(year, month, day), expected) << DateText(year, month, day);
        expected = (expected + 1) % 7;
      }
    }
  }
}

TEST(DaysInGregorianMonth, FebruaryFollowsTheLeapYearRule) {
  constexpr struct {
    std::uint16_t year, month, days;
  } kCases[]{{2000, 2, 29}, {2012, 2, 29}, {1900, 2, 28}, {2011, 2, 28}, {2100, 2, 28},
             {2011, 4, 30}, {2011, 6, 30}, {2011, 9, 30}, {2011, 11, 30}, {2011, 12, 31}};
  for (const auto& c : kCases) {
    EXPECT_EQ(DaysInGregorianMonth(c.year, c.month), c.days) << c.year << '-' << c.month;
  }
}

TEST(LastWeekFestivals, NameTheLastGivenWeekdayOfTheMonth) {
  constexpr struct {
    std::uint16_t year, month, day;
    std::u16string_view name;
  } kCases[]{
      {2011, 1, 30, u"世界麻风日 "},  {2011, 1, 23, u""},
      {2012, 9, 23, u""},            {2012, 9, 30, u"国际海事日 世界心脏日 "},
      {2012, 11, 29, u"感恩节(US) "}, {2012, 11, 22, u""},  // November with five Thursdays
      {2011, 11, 24, u"感恩节(US) "}, {2011, 3, 28, u"全国中小学生安全教育日 "},
      {2011, 3, 21, u""},            {2012, 2, 26, u""},
      {2010, 11, 7, u""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LastWeekFestivals(c.year, c.month, c.day), c.name)
        << DateText(c.year, c.month, c.day);
  }
}

TEST(LastWeekFestivals, FallOnceAYearForEachRow) {
  for (std::uint16_t year = 1990; year <= 2050; ++year) {
    int found = 0;
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysInGregorianMonth(year, month); ++day) {
        if (!LastWeekFestivals(year, month, day).empty()) ++found;
      }
    }
    EXPECT_EQ(found, 4) << year;
  }
}

TEST(WeekdayRuleFestivals, NameTheNthWeekdayOfTheMonth) {
  constexpr struct {
    std::uint16_t year, month, day;
    std::u16string_view name;
  } kCases[]{
      {2011, 5, 8, u"母亲节 救助贫困母亲日"},  // May 2011 starts on a Sunday
      {2011, 5, 1, u""},
      {2011, 5, 15, u"全国助残日"},
      {2012, 5, 13, u"母亲节 救助贫困母亲日"},  // May 2012 starts on a Tuesday
      {2012, 5, 6, u""},
      {2012, 5, 15, u"国际牛奶日"},
      {2012, 6, 17, u"父亲节"},
      {2012, 10, 8, u"感恩节(Canada)"},
      {2012, 10, 1, u"国际住房日"},
      {2012, 10, 10, u"国际减轻自然灾害日"},
      {2012, 9, 3, u"劳动日"},
      {2012, 9, 10, u""},
      {2013, 9, 2, u"劳动日"},  // September 2013 starts on a Sunday: Monday the 2nd
      {2012, 1, 1, u"黑人日"},
      {2018, 1, 7, u"黑人日"},  // January 2018 starts on a Monday: its first Sunday is the 7th
      {2018, 1, 14, u""},
      {2012, 7, 7, u"国际合作节"},
      {2012, 12, 9, u"国际儿童电视广播日"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(WeekdayRuleFestivals(c.month, GregorianWeekday(c.year, c.month, c.day), c.day),
              c.name)
        << DateText(c.year, c.month, c.day);
  }
}

TEST(WeekdayRuleFestivals, MonthsWithoutRowsGiveNothing) {
  for (const std::uint16_t month : {2, 3, 8, 11}) {
    for (std::uint16_t day = 1; day <= 31; ++day) {
      for (std::uint16_t weekday = 0; weekday < 7; ++weekday) {
        EXPECT_EQ(WeekdayRuleFestivals(month, weekday, day), u"") << month << '-' << day;
      }
    }
  }
  EXPECT_EQ(WeekdayRuleFestivals(5, 0, 0), u"");
}

}  // namespace
}  // namespace moonfold
