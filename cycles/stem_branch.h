// The sexagenary cycle (干支): ten heavenly stems and twelve earthly branches
// advance together, so a position in the cycle of sixty is named by its
// stem (position mod 10) and its branch (position mod 12).  Years, months,
// days and double hours are all counted in it.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "lunar/day_number.h"

namespace moonfold {

inline constexpr std::array<std::u16string_view, 10> HeavenlyStems{
    u"甲", u"乙", u"丙", u"丁", u"戊", u"己", u"庚", u"辛", u"壬", u"癸"};

inline constexpr std::array<std::u16string_view, 12> EarthlyBranches{
    u"子", u"丑", u"寅", u"卯", u"辰", u"巳", u"午", u"未", u"申", u"酉", u"戌", u"亥"};

// The one place where a cycle count is reduced: the non-negative remainder,
// whatever the sign of the count.
constexpr unsigned CycleIndex(std::int32_t count, unsigned cycle) noexcept {
  const std::int32_t r = count % static_cast<std::int32_t>(cycle);
  return static_cast<unsigned>(r < 0 ? r + static_cast<std::int32_t>(cycle) : r);
}

// Lunar 1990 (庚午) lies at stem 6 and branch 6 of the cycle: counted from
// year 0, year y has stem index (y + 6) mod 10 and branch index
// (y + 8) mod 12 (4 AD was 甲子).
constexpr unsigned YearStemIndex(CalendarNumber lunar_year) noexcept {
  return CycleIndex(lunar_year + 6, 10);
}
constexpr unsigned YearBranchIndex(CalendarNumber lunar_year) noexcept {
  return CycleIndex(lunar_year + 8, 12);
}

static_assert(CycleIndex(1990 - 4, 60) % 10 == YearStemIndex(1990) &&
              CycleIndex(1990 - 4, 60) % 12 == YearBranchIndex(1990));

// A place in the cycle of sixty, 0 (甲子) to 59 (癸亥): its stem is the
// place mod 10, its branch the place mod 12.
struct CyclePosition {
  unsigned value = 0;
  constexpr unsigned Stem() const noexcept { return value % 10; }
  constexpr unsigned Branch() const noexcept { return value % 12; }
  friend constexpr bool operator==(CyclePosition, CyclePosition) = default;
};

// The lunar year's place: 4 AD was 甲子, 1990 (庚午) is 6.
constexpr CyclePosition YearCycle(int lunar_year) noexcept {
  return {CycleIndex(lunar_year - 4, 60)};
}

// The lunar month's place, reckoned by lunar month as the plug-in has
// always done: twelve to a year, the first month a 寅 month; a leap month
// repeats the place of the month it follows.  Lunar 1990, month 1 is 戊寅.
constexpr CyclePosition MonthCycle(int lunar_year, unsigned lunar_month) noexcept {
  return {CycleIndex(12 * lunar_year + static_cast<std::int32_t>(lunar_month) - 23867, 60)};
}

// The day's place; 1990-01-01 was 丙寅 (2).  The day name follows the civil
// date and does not move on at 23:00.
constexpr CyclePosition DayCycle(std::chrono::sys_days day) noexcept {
  constexpr std::chrono::sys_days k1990{std::chrono::year{1990} / 1 / 1};
  return {CycleIndex(static_cast<std::int32_t>((day - k1990).count() % 60) + 2, 60)};
}

// The branch (0..11) of the double hour holding the clock hour 0..23.
constexpr unsigned HourBranchIndex(unsigned hour) noexcept {
  return CycleIndex(static_cast<std::int32_t>((hour + 1) / 2), 12);
}

// Stem and branch of a place, e.g. 甲子.
std::u16string CycleName(CyclePosition position);

// Name of the lunar year, e.g. 庚午 for 1990.  The year name changes on the
// first day of the lunar year, not at 立春.
std::u16string YearStemBranch(CalendarNumber lunar_year);

// Name of a lunar month.  The first month of every year is a 寅 month and
// the stems run on from year to year without a break; a leap month carries
// the number of the month it follows and so repeats its name.
std::u16string MonthStemBranch(CalendarNumber lunar_year, CalendarNumber lunar_month);

// Position of a Gregorian day in the cycle: stem index (0..9) in the high
// byte, branch index (0..11) in the low byte.  1990-01-01 is 丙寅.
std::uint16_t DayCyclePosition(CalendarNumber year, CalendarNumber month,
                               CalendarNumber day) noexcept;

// Name of a Gregorian day.  The day name follows the civil date: it does not
// move on at 23:00, when the double hour 子 begins.
std::u16string DayStemBranch(CalendarNumber year, CalendarNumber month, CalendarNumber day);

// Branch of the double hour that holds the clock hour: 子 from 23:00 to
// 00:59, 丑 from 01:00 to 02:59, and so on.
std::u16string HourBranch(CalendarNumber hour);

}  // namespace moonfold
