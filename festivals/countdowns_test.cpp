#include "festivals/countdowns.h"

#include <gtest/gtest.h>

#include <string>

namespace moonfold {
namespace {

using namespace std::chrono;

constexpr sys_days Day(int y, unsigned m, unsigned d) { return sys_days{year{y} / m / d}; }

std::string Iso(sys_days day) {
  const year_month_day d{day};
  return std::to_string(static_cast<int>(d.year())) + "-" +
         std::to_string(static_cast<unsigned>(d.month())) + "-" +
         std::to_string(static_cast<unsigned>(d.day()));
}

// The festivals of a day by brute force, straight from the calendar's
// definitions: each festival's lunar date, its term, or the last day of
// the twelfth month.
std::optional<CountdownFestival> FestivalOn(sys_days day) {
  const LunarDate l = *ToLunar(day);
  const auto ymd = year_month_day{day};
  using F = CountdownFestival;
  const struct {
    F festival;
    bool holds;
  } kChecks[]{
      {F::kSpringFestival, !l.leap && l.month == 1 && l.day == 1},
      {F::kLanternFestival, !l.leap && l.month == 1 && l.day == 15},
      {F::kQingming, SolarTermOn(ymd) == kQingmingTerm},
      {F::kDragonBoat, !l.leap && l.month == 5 && l.day == 5},
      {F::kQixi, !l.leap && l.month == 7 && l.day == 7},
      {F::kMidAutumn, !l.leap && l.month == 8 && l.day == 15},
      {F::kDoubleNinth, !l.leap && l.month == 9 && l.day == 9},
      {F::kWinterSolstice, SolarTermOn(ymd) == kWinterSolsticeTerm},
      {F::kLaba, !l.leap && l.month == 12 && l.day == 8},
      {F::kNewYearsEve, !l.leap && l.month == 12 && l.day == DaysInLunarMonth(l.year, 12, false)},
  };
  for (const auto& c : kChecks) {
    if (c.holds) return c.festival;  // the earlier in the list on a tie
  }
  return std::nullopt;
}

// Every day of 1900-2100: the countdown and the next term equal a scan
// forward, day by day, from the day after.
TEST(Countdowns, EveryDayEqualsAScanForward) {
  // Walking backwards, the next festival and term are carried along.
  std::optional<FestivalCountdown> next_festival;
  std::optional<sys_days> next_term_day;
  long checked = 0;
  for (sys_days day = kLastCalendarDay; day >= kFirstCalendarDay; day -= days{1}) {
    const std::optional<FestivalCountdown> got = NextFestival(day);
    ASSERT_EQ(got.has_value(), next_festival.has_value()) << Iso(day);
    if (got) {
      ASSERT_EQ(got->day, next_festival->day) << Iso(day);
      ASSERT_EQ(got->festival, next_festival->festival) << Iso(day);
      ASSERT_EQ(got->days, (got->day - day).count());
    }
    const std::optional<TermCountdown> term = NextSolarTerm(day);
    ASSERT_EQ(term.has_value(), next_term_day.has_value()) << Iso(day);
    if (term) {
      ASSERT_EQ(term->day, *next_term_day) << Iso(day);
      ASSERT_EQ(term->days, (term->day - day).count());
      ASSERT_EQ(SolarTermOn(year_month_day{term->day}), term->term);
    }
    if (const auto festival = FestivalOn(day)) {
      FestivalCountdown here;
      here.day = day;
      here.festival = *festival;
      next_festival = here;
    }
    if (SolarTermOn(year_month_day{day})) next_term_day = day;
    ++checked;
  }
  EXPECT_EQ(checked, (kLastCalendarDay - kFirstCalendarDay).count() + 1);
}

TEST(Countdowns, KnownDays) {
  using F = CountdownFestival;
  const struct {
    sys_days today;
    F festival;
    int days;
  } kCases[]{
      {Day(2026, 12, 8), F::kWinterSolstice, 14},
      {Day(2027, 2, 5), F::kSpringFestival, 1},  // 除夕 itself: the new year is next
      {Day(2027, 2, 4), F::kNewYearsEve, 1},
      {Day(2026, 12, 22), F::kLaba, 24},  // 冬至 itself is not counted
      {Day(2023, 6, 20), F::kDragonBoat, 2},
      {Day(2023, 6, 22), F::kQixi, 61},  // 端午 itself: 七夕 is next
  };
  for (const auto& c : kCases) {
    const auto got = NextFestival(c.today);
    ASSERT_TRUE(got) << Iso(c.today);
    EXPECT_EQ(got->festival, c.festival) << Iso(c.today);
    EXPECT_EQ(got->days, c.days) << Iso(c.today);
  }
  EXPECT_EQ(NextSolarTerm(Day(2026, 12, 8))->term, kWinterSolsticeTerm);
  EXPECT_EQ(NextSolarTerm(Day(2026, 12, 8))->days, 14);
  EXPECT_EQ(NextSolarTerm(Day(2026, 12, 22))->term, 0u);  // 小寒
  EXPECT_EQ(NextSolarTerm(Day(2026, 12, 22))->days, 14);
  EXPECT_EQ(NextSolarTerm(Day(2100, 12, 22)), std::nullopt);
}

TEST(LunarAnniversary, KeepsTheRulesOfTheRecord) {
  constexpr struct {
    unsigned month, day;
    bool leap;
    int year;
    LunarDate kept;
    bool no_leap_month, last_day;
  } kCases[]{
      {8, 15, false, 2027, {2027, 8, 15, false}, false, false},
      {1, 30, false, 2024, {2024, 1, 29, false}, false, true},  // 正月 of 2024 has 29 days
      {1, 30, false, 2025, {2025, 1, 30, false}, false, false},
      {4, 10, true, 2020, {2020, 4, 10, true}, false, false},    // 2020 has a leap fourth month
      {4, 10, true, 2021, {2021, 4, 10, false}, true, false},    // 2021 has none
      {4, 10, false, 2020, {2020, 4, 10, false}, false, false},  // never moved into the leap month
      {2, 30, true, 2023, {2023, 2, 29, true}, false, true},     // 闰二月 of 2023 has 29 days
      {12, 30, false, 1899, {1899, 12, 30, false}, false, false},
      {1, 1, false, 1645, {1645, 1, 1, false}, false, false},  // the range's first day
      {6, 10, true, 1645, {1645, 6, 10, true}, false, false},  // 1645's leap month, on 大暑
  };
  for (const auto& c : kCases) {
    const auto got = LunarAnniversary(c.month, c.day, c.leap, c.year);
    ASSERT_TRUE(got) << c.year << '-' << c.month << '-' << c.day;
    EXPECT_EQ(got->date, c.kept) << c.year << '-' << c.month << '-' << c.day;
    EXPECT_EQ(got->no_leap_month, c.no_leap_month) << c.year << '-' << c.month;
    EXPECT_EQ(got->last_day, c.last_day) << c.year << '-' << c.month << '-' << c.day;
    EXPECT_EQ(FromLunar(got->date), got->day);
  }
  EXPECT_EQ(LunarAnniversary(13, 1, false, 2020), std::nullopt);
  EXPECT_EQ(LunarAnniversary(1, 31, false, 2020), std::nullopt);
  EXPECT_EQ(LunarAnniversary(12, 30, false, 2100), std::nullopt);  // past 2100-12-31
  EXPECT_EQ(LunarAnniversary(12, 30, false, 1644), std::nullopt);  // before 1645-01-28
}

// Every lunar year 1900-2099 keeps every month and day once, on a day of
// that year and in the month asked for (or its ordinary namesake).
TEST(LunarAnniversary, EveryYearGivesADayOfThatYear) {
  for (int y = 1900; y <= 2099; ++y) {
    for (unsigned m = 1; m <= 12; ++m) {
      for (const bool leap : {false, true}) {
        for (const unsigned d : {1u, 15u, 29u, 30u}) {
          const auto got = LunarAnniversary(m, d, leap, y);
          ASSERT_TRUE(got) << y << '-' << m << '-' << d;
          EXPECT_EQ(ToLunar(got->day)->year, y);
          EXPECT_EQ(ToLunar(got->day)->month, m);
          EXPECT_EQ(got->date.leap, leap && LeapMonthIn(y) == m);
          EXPECT_EQ(got->last_day, d == 30 && got->date.day == 29);
        }
      }
    }
  }
}

}  // namespace
}  // namespace moonfold
