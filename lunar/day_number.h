// Gregorian day numbering.  Every date the plug-in handles is a count of
// days since 1990-01-01, the first day the lunar tables reach.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {

// Calendar numbers are 16-bit unsigned, as the Windows clock gives them.
// Arithmetic on them wraps modulo 65536; between 1990 and 2050 nothing comes
// near that bound.
using CalendarNumber = std::uint16_t;

// Days since 1990-01-01 (day 0).  2050-12-31 is 22279; the lunar tables end
// on 2051-02-10, day 22320.
using DayNumber = std::uint16_t;

inline constexpr int kFirstTableYear = 1990;
inline constexpr int kLastTableYear = 2050;

// Days before the first of each month in a common year, January first.
inline constexpr std::array<std::uint16_t, 12> DaysBeforeMonth{
    0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// 1 when the proleptic Gregorian year has a 29 February, else 0.
constexpr std::uint16_t IsGregorianLeapYear(CalendarNumber year) noexcept {
  return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 1 : 0;
}

// Days from 1990-01-01 to year-month-day.  Defined for the years 1990..2050
// and months 1..12; the day is not checked against the month's length.  A
// month outside 1..12 counts no days before it (no table is read outside).
constexpr DayNumber DayNumberOf(CalendarNumber year, CalendarNumber month,
                                CalendarNumber day) noexcept {
  const std::uint16_t p = static_cast<std::uint16_t>(year - 1);
  // 482 leap days lie before 1990 (497 - 19 + 4 for the year 1989), so that
  // 1990 itself starts at day 0.
  std::uint16_t n = static_cast<std::uint16_t>((year - kFirstTableYear) * 365 +
                                               p / 4 - p / 100 + p / 400 - 482);
  if (month >= 1 && month <= 12) {
    n = static_cast<std::uint16_t>(n + DaysBeforeMonth[month - 1]);
  }
  if (month >= 3 && IsGregorianLeapYear(year)) ++n;
  return static_cast<std::uint16_t>(n + day - 1);
}

static_assert(DayNumberOf(1990, 1, 1) == 0);
static_assert(DayNumberOf(2000, 3, 1) == 3712);
static_assert(DayNumberOf(2050, 12, 31) == 22279);

}  // namespace moonfold
