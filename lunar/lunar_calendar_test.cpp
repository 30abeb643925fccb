#include "lunar/lunar_calendar.h"

#include <gtest/gtest.h>

#include "tests/support/record_data.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using namespace std::chrono;
using testing::DateText;

constexpr sys_days Day(int y, unsigned m, unsigned d) {
  return sys_days{year_month_day{year{y}, month{m}, std::chrono::day{d}}};
}

std::string Text(sys_days day) {
  const year_month_day ymd{day};
  return DateText(static_cast<std::uint16_t>(static_cast<int>(ymd.year())),
                  static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month())),
                  static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day())));
}

TEST(LunarCalendar, EveryDayOfTheRangeMatchesTheReference) {
  const auto& days = testing::AllReferenceDays();
  int mismatches = 0;
  for (const auto& r : days) {
    const sys_days day = Day(r.year, r.month, r.day);
    const std::optional<LunarDate> lunar = ToLunar(day);
    const LunarDate expected{r.lunar_year, r.lunar_month, r.lunar_day, r.leap != 0};
    if (lunar != expected && ++mismatches <= 20) {
      ADD_FAILURE() << Text(day) << ": " << (lunar ? lunar->year : 0) << '-'
                    << (lunar ? lunar->month : 0) << '-' << (lunar ? lunar->day : 0)
                    << (lunar && lunar->leap ? " leap" : "");
    }
  }
  EXPECT_EQ(days.size(), testing::kReferenceDayCount);
  EXPECT_EQ(mismatches, 0);
}

// Lunar -> Gregorian -> lunar is the identity on every day of the range,
// and every lunar date that does not exist is refused.
TEST(LunarCalendar, BothDirectionsAgreeAndNonexistentDatesAreRefused) {
  long existing = 0;
  for (sys_days day = kFirstCalendarDay; day <= kLastCalendarDay; day += days{1}) {
    const std::optional<LunarDate> lunar = ToLunar(day);
    ASSERT_TRUE(lunar) << Text(day);
    ASSERT_EQ(FromLunar(*lunar), day) << Text(day);
  }
  for (int y = kFirstCalendarYear - 2; y <= kLastCalendarYear + 1; ++y) {
    for (unsigned m = 0; m <= 13; ++m) {
      for (const bool leap : {false, true}) {
        for (unsigned d = 0; d <= 31; ++d) {
          const LunarDate date{y, m, d, leap};
          const std::optional<sys_days> day = FromLunar(date);
          if (!day) continue;
          ++existing;
          ASSERT_EQ(ToLunar(*day), date) << y << '-' << m << '-' << d << (leap ? " leap" : "");
        }
      }
    }
  }
  // Exactly the days of the range have a lunar date that maps to them.
  EXPECT_EQ(existing, (kLastCalendarDay - kFirstCalendarDay).count() + 1);
}

// Decades ahead, three new moons lie so near midnight that the predicted
// ΔT cannot settle the day their months begin: every day of those months,
// and the last day of the month before each, has an uncertain lunar date.
// No day before 2051 has.
TEST(LunarCalendar, TheMonthsNobodyCanDateYet) {
  std::vector<sys_days> starts;
  int uncertain = 0;
  for (sys_days d = kFirstCalendarDay; d <= kLastCalendarDay; d += days{1}) {
    const LunarDate lunar = *ToLunar(d);
    if (IsUncertainMonthStart(d)) starts.push_back(d);
    if (!IsUncertainLunarDay(d, lunar)) continue;
    ++uncertain;
    EXPECT_GT(year_month_day{d}.year(), year{2050}) << Text(d);
  }
  // 2057 九月, 2089 八月 (with 中秋), 2097 七月.
  EXPECT_EQ(starts, (std::vector<sys_days>{Day(2057, 9, 29), Day(2089, 9, 4), Day(2097, 8, 8)}));
  for (const sys_days start : starts) EXPECT_EQ(ToLunar(start)->day, 1u);
  const auto length = [](sys_days start) {
    const LunarDate l = *ToLunar(start);
    return static_cast<int>(DaysInLunarMonth(l.year, l.month, l.leap));
  };
  EXPECT_EQ(uncertain, 3 + length(starts[0]) + length(starts[1]) + length(starts[2]));
}

TEST(LunarCalendar, EdgesOfTheRangeAndOfItsMonths) {
  constexpr struct {
    sys_days day;
    LunarDate lunar;
  } kCases[]{
      // The first day, 顺治二年正月初一; 1645's 闰六月 began on 大暑 day, as
      // the record has it against the rule of the principal terms.
      {Day(1645, 1, 28), {1645, 1, 1, false}},
      {Day(1645, 7, 23), {1645, 6, 1, true}},
      // Dates of history (宣统三年八月十九, 同治五年十月初六).
      {Day(1911, 10, 10), {1911, 8, 19, false}},
      {Day(1866, 11, 12), {1866, 10, 6, false}},
      // 1662's new year, moved to 02-18 (the record stands).
      {Day(1662, 2, 18), {1662, 1, 1, false}},
      {Day(1900, 1, 1), {1899, 12, 1, false}},
      {Day(1900, 1, 31), {1900, 1, 1, false}},
      {Day(1914, 11, 17), {1914, 10, 1, false}},  // issued at Beijing mean time
      {Day(1916, 2, 3), {1916, 1, 1, false}},
      {Day(1920, 11, 10), {1920, 10, 1, false}},
      {Day(1906, 4, 24), {1906, 4, 1, false}},  // new moon 00:06 Beijing time
      {Day(1990, 1, 1), {1989, 12, 5, false}},
      {Day(2023, 3, 22), {2023, 2, 1, true}},
      {Day(2033, 12, 22), {2033, 11, 1, true}},
      // Uncertain: the predicted ΔT puts these new moons within a minute or
      // two of midnight (00:00:41, 00:01:27).
      {Day(2057, 9, 29), {2057, 9, 1, false}},
      {Day(2097, 8, 8), {2097, 7, 1, false}},
      {Day(2100, 12, 31), {2100, 12, 1, false}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ToLunar(c.day), c.lunar) << Text(c.day);
    EXPECT_EQ(FromLunar(c.lunar), c.day) << Text(c.day);
  }
  EXPECT_EQ(ToLunar(kFirstCalendarDay - days{1}), std::nullopt);
  EXPECT_EQ(ToLunar(kLastCalendarDay + days{1}), std::nullopt);
  EXPECT_EQ(kFirstCalendarDay, Day(1645, 1, 28));
}

// The Qing calendar of 1645-1911 is the record's month for month: no rule
// reproduces it (31 months of 26 lunar years part from today's reckoning).
TEST(LunarCalendar, EveryMonthOf1645To1911IsTheRecords) {
  const auto& record = testing::RecordMonths();
  ASSERT_FALSE(record.empty());
  EXPECT_EQ(record.front().first, kFirstCalendarDay);
  for (std::size_t i = 0; i < record.size(); ++i) {
    const testing::RecordMonth& m = record[i];
    const LunarDate first{m.lunar_year, m.month, 1, m.leap};
    ASSERT_EQ(FromLunar(first), m.first) << Text(m.first);
    ASSERT_EQ(ToLunar(m.first), first) << Text(m.first);
    if (i + 1 < record.size()) {
      EXPECT_EQ(DaysInLunarMonth(m.lunar_year, m.month, m.leap),
                static_cast<unsigned>((record[i + 1].first - m.first).count()))
          << Text(m.first);
    }
  }
  // The rule takes over with lunar 1912, the day after the record's last
  // month.
  EXPECT_EQ(LunarNewYear(1912),
            record.back().first + days{DaysInLunarMonth(record.back().lunar_year, 12, false)});
}

TEST(LunarCalendar, RefusesDatesTheCalendarDoesNotHave) {
  constexpr LunarDate kRefused[]{
      {2025, 8, 30, false},   // the eighth month of 2025 has 29 days
      {2024, 4, 1, true},     // 2024 has no leap month
      {2023, 3, 1, true},     // 2023's leap month follows the second
      {2100, 12, 2, false},   // 2101-01-01
      {1644, 12, 29, false},  // before the first day, 1645-01-28
      {1899, 12, 0, false},  {2000, 0, 1, false}, {2000, 13, 1, false}, {2101, 1, 1, false},
  };
  for (const auto& d : kRefused) {
    EXPECT_EQ(FromLunar(d), std::nullopt) << d.year << '-' << d.month << '-' << d.day;
  }
  EXPECT_EQ(DaysInLunarMonth(2025, 8, false), 29u);
  EXPECT_EQ(DaysInLunarMonth(2023, 2, true), 29u);
  EXPECT_EQ(DaysInLunarMonth(2024, 4, true), 0u);
  EXPECT_EQ(LeapMonthIn(2023), 2u);
  EXPECT_EQ(LeapMonthIn(2024), 0u);
}

}  // namespace
}  // namespace moonfold
