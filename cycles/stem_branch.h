// The sexagenary cycle (干支): ten heavenly stems and twelve earthly branches
// advance together, so a position in the cycle of sixty is named by its
// stem (position mod 10) and its branch (position mod 12).  Years, months,
// days and double hours are all counted in it.
#pragma once

#include <array>
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
