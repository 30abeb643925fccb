#include "lunar/lunar_date.h"

#include <gtest/gtest.h>

#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;

TEST(GregorianLeapYear, CenturiesAreLeapOnlyWhenDivisibleBy400) {
  constexpr struct {
    std::uint16_t year;
    std::uint16_t leap;
  } kCases[]{{1900, 0}, {1990, 0}, {1996, 1}, {2000, 1}, {2004, 1}, {2011, 0},
             {2012, 1}, {2050, 0}, {2100, 0}, {2400, 1}};
  for (const auto& c : kCases) EXPECT_EQ(IsGregorianLeapYear(c.year), c.leap) << c.year;
}

TEST(DayNumber, CountsDaysFrom1990) {
  constexpr struct {
    std::uint16_t year, month, day;
    DayNumber expected;
  } kCases[]{
      {1990, 1, 1, 0},     {1990, 1, 26, 25},   {1990, 1, 27, 26},    {1990, 12, 31, 364},
      {1991, 1, 1, 365},   {2000, 2, 28, 3710}, {2000, 2, 29, 3711},  {2000, 3, 1, 3712},
      {2010, 11, 7, 7615}, {2023, 3, 22, 12133}, {2050, 12, 31, 22279},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(DayNumberOf(c.year, c.month, c.day), c.expected)
        << DateText(c.year, c.month, c.day);
  }
}

struct LunarDate {
  std::uint16_t year, month, day, leap;
  bool operator==(const LunarDate&) const = default;
};

LunarDate Convert(DayNumber n) {
  LunarDate d{};
  d.leap = LunarDateOf(n, d.year, d.month, d.day);
  return d;
}

std::ostream& operator<<(std::ostream& os, const LunarDate& d) {
  return os << d.year << '-' << d.month << '-' << d.day << (d.leap ? " (leap)" : "");
}

TEST(LunarDate, ConvertsTheCalendarsEdges) {
  constexpr struct {
    std::uint16_t year, month, day;
    LunarDate lunar;
  } kCases[]{
      // The twelfth month of lunar 1989 began on 1989-12-28; 1990-01-01 is
      // its fifth day.  We used to number these days from 1.
      {1990, 1, 1, {1989, 12, 5, 0}},
      {1990, 1, 21, {1989, 12, 25, 0}},
      {1990, 1, 26, {1989, 12, 30, 0}},
      {1990, 1, 27, {1990, 1, 1, 0}},
      {1990, 6, 22, {1990, 5, 30, 0}},
      {1990, 6, 23, {1990, 5, 1, 1}},
      {1990, 7, 21, {1990, 5, 29, 1}},
      {1990, 7, 22, {1990, 6, 1, 0}},
      {2000, 2, 29, {2000, 1, 25, 0}},
      {2000, 3, 1, {2000, 1, 26, 0}},
      {2010, 2, 13, {2009, 12, 30, 0}},
      {2010, 2, 14, {2010, 1, 1, 0}},
      {2010, 11, 7, {2010, 10, 2, 0}},
      // 2013: fourth month 29 days, fifth 30 (once carried the other way).
      {2013, 6, 7, {2013, 4, 29, 0}},
      {2013, 6, 8, {2013, 5, 1, 0}},
      {2013, 7, 7, {2013, 5, 30, 0}},
      {2013, 7, 8, {2013, 6, 1, 0}},
      // A 30-day leap month: lunar 2017, after month 6.
      {2017, 8, 21, {2017, 6, 30, 1}},
      {2017, 8, 22, {2017, 7, 1, 0}},
      {2023, 3, 21, {2023, 2, 30, 0}},
      {2023, 3, 22, {2023, 2, 1, 1}},
      {2023, 4, 20, {2023, 3, 1, 0}},
      // 2025: third month 30 days, fourth 29 (once carried the other way).
      {2025, 4, 27, {2025, 3, 30, 0}},
      {2025, 4, 28, {2025, 4, 1, 0}},
      {2025, 5, 26, {2025, 4, 29, 0}},
      {2025, 5, 27, {2025, 5, 1, 0}},
      // The leap eleventh month of 2033.
      {2033, 12, 22, {2033, 11, 1, 1}},
      {2034, 1, 20, {2033, 12, 1, 0}},
      {2050, 1, 23, {2050, 1, 1, 0}},
      {2050, 12, 31, {2050, 11, 18, 0}},
      {2051, 2, 10, {2050, 12, 29, 0}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Convert(DayNumberOf(c.year, c.month, c.day)), c.lunar)
        << DateText(c.year, c.month, c.day);
  }
}

TEST(LunarDate, DayNumbersPastTheTablesStayOnTheLastDay) {
  EXPECT_EQ(Convert(kLastLunarTableDay + 1), Convert(kLastLunarTableDay));
  EXPECT_EQ(Convert(0xFFFF), (LunarDate{2050, 12, 29, 0}));
}

TEST(LunarMonthLengths, PacksTheLeapMonthInTheHighHalf) {
  constexpr struct {
    std::uint16_t year, month;
    std::uint32_t lengths;
  } kCases[]{
      {2033, 11, 0x001D001E},  // 30 days, then a leap month of 29
      {2033, 12, 30},
      {2017, 6, 0x001E001D},   // 29 days, then a leap month of 30
      {2017, 7, 29},
      {1990, 5, 0x001D001E},
      {2013, 4, 29},
      {2013, 5, 30},
      {2025, 3, 30},
      {2025, 4, 29},
      {1989, 1, 30},
      {1989, 12, 30},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(LunarMonthLengths(c.year, c.month), c.lengths) << c.year << '-' << c.month;
  }
}

TEST(LunarYear, LengthsAndLeapMonths) {
  constexpr struct {
    std::uint16_t year, length, leap_month;
  } kCases[]{{1990, 384, 5}, {1993, 383, 3}, {2006, 385, 7}, {2010, 354, 0},
             {2013, 355, 0}, {2023, 384, 2}, {2025, 384, 6}, {2033, 384, 11},
             {2050, 384, 3}};
  for (const auto& c : kCases) {
    EXPECT_EQ(LunarYearLength(c.year), c.length) << c.year;
    EXPECT_EQ(LeapMonthOf(c.year), c.leap_month) << c.year;
  }
  EXPECT_EQ(LeapMonthOf(1989), 0);
  EXPECT_EQ(LeapMonthOf(2051), 0);
}

// The conversion as the tables are read month by month from the first day of
// lunar 1990, with no derived data: the reference for the faster search.
LunarDate WalkFrom1990(DayNumber n) {
  if (n < kLunar1990NewYear) return {1989, 12, static_cast<std::uint16_t>(n + 5), 0};
  std::uint16_t year = 1990;
  unsigned rem = n - kLunar1990NewYear;
  while (rem >= LunarYearLength(year)) rem -= LunarYearLength(year++);
  for (std::uint16_t month = 1;; ++month) {
    const std::uint32_t lengths = LunarMonthLengths(year, month);
    if (rem < (lengths & 0xFFFF)) return {year, month, static_cast<std::uint16_t>(rem + 1), 0};
    rem -= lengths & 0xFFFF;
    if (rem < (lengths >> 16)) return {year, month, static_cast<std::uint16_t>(rem + 1), 1};
    rem -= lengths >> 16;
  }
}

TEST(LunarDate, AgreesWithAPlainWalkOfTheTablesOnEveryDay) {
  for (unsigned n = 0; n <= kLastLunarTableDay; ++n) {
    ASSERT_EQ(Convert(static_cast<DayNumber>(n)), WalkFrom1990(static_cast<DayNumber>(n)))
        << "day number " << n;
  }
}

TEST(LunarDate, MatchesTheAstronomicalReferenceOnEveryDay) {
  const auto& days = testing::ReferenceDays();
  ASSERT_EQ(days.size(), 22280u);
  int mismatches = 0;
  for (const auto& r : days) {
    const LunarDate expected{r.lunar_year, r.lunar_month, r.lunar_day, r.leap};
    const LunarDate actual = Convert(DayNumberOf(r.year, r.month, r.day));
    if (actual != expected && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << actual << ", reference "
                    << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace moonfold
