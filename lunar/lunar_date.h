// Conversion of a day number to the Chinese lunar date.
//
// A lunar year has 12 months of 29 or 30 days, and about one year in three
// has a thirteenth, leap month (闰月).  A leap month is numbered the same as
// the month it follows: in 2023 the second month is followed by the leap
// second month, then the third month.  Dates are given as year, month number,
// day and a leap flag that tells the leap month from its namesake.
#pragma once

#include <array>
#include <cstdint>

#include "lunar/day_number.h"
#include "lunar/lunar_tables.h"

namespace moonfold {

// Day 26 (1990-01-27) is the first day of lunar 1990.
inline constexpr DayNumber kLunar1990NewYear = 26;
// The twelfth month of lunar 1989 began on 1989-12-28, five days before the
// tables start, so 1990-01-01 is its fifth day.
inline constexpr std::uint16_t kLunar1989MonthTwelveDaysBefore1990 = 4;

constexpr bool IsTableLunarYear(CalendarNumber year) noexcept {
  return year >= kFirstTableYear && year <= kLastTableYear;
}

// The month (1..12) that the lunar year's leap month follows, or 0 when the
// year has none.  0 as well for years outside 1990..2050.
constexpr std::uint16_t LeapMonthOf(CalendarNumber lunar_year) noexcept {
  if (!IsTableLunarYear(lunar_year)) return 0;
  const unsigned k = lunar_year - kFirstTableYear;
  const std::uint8_t byte = LeapMonthNibbles[k / 2];
  return static_cast<std::uint16_t>(k % 2 == 0 ? byte >> 4 : byte & 0x0F);
}

// Days of a lunar month.  Low 16 bits: the month's own length (29 or 30).
// High 16 bits: when the year's leap month follows this month, the leap
// month's length, else 0.  A year outside the tables answers 30 / 0 for
// every month (lunar 1989 reaches here for its twelfth month, which has 30
// days).
constexpr std::uint32_t LunarMonthLengths(CalendarNumber lunar_year,
                                          CalendarNumber month) noexcept {
  if (!IsTableLunarYear(lunar_year) || month < 1 || month > 12) return 30;
  const std::uint16_t leap = LeapMonthOf(lunar_year);
  const std::uint16_t word = LunarMonthBits[lunar_year - kFirstTableYear];
  const unsigned bit = (leap != 0 && month > leap) ? 15 - month : 16 - month;
  const std::uint32_t own = (word >> bit) & 1 ? 30 : 29;
  if (month != leap) return own;
  const std::uint32_t leap_length = (word >> (15 - leap)) & 1 ? 30 : 29;
  return leap_length << 16 | own;
}

// Days of the lunar year: 354 or 355, or 383 to 385 with a leap month.
constexpr std::uint16_t LunarYearLength(CalendarNumber lunar_year) noexcept {
  std::uint32_t days = 0;
  for (std::uint16_t m = 1; m <= 12; ++m) {
    const std::uint32_t lengths = LunarMonthLengths(lunar_year, m);
    days += (lengths & 0xFFFF) + (lengths >> 16);
  }
  return static_cast<std::uint16_t>(days);
}

namespace detail {

// Day number of the first day of every lunar year 1990..2050, and one entry
// past the end (the day after lunar 2050-12-29), derived from the packed
// tables when the library is compiled.
constexpr std::array<DayNumber, 62> LunarNewYearDays() noexcept {
  std::array<DayNumber, 62> days{};
  days[0] = kLunar1990NewYear;
  for (unsigned i = 1; i < days.size(); ++i) {
    days[i] = static_cast<DayNumber>(
        days[i - 1] + LunarYearLength(static_cast<std::uint16_t>(kFirstTableYear + i - 1)));
  }
  return days;
}

}  // namespace detail

inline constexpr std::array<DayNumber, 62> LunarNewYearDays =
    detail::LunarNewYearDays();

// The last day the tables describe: lunar 2050-12-29 is 2051-02-10.
inline constexpr DayNumber kLastLunarTableDay = LunarNewYearDays.back() - 1;

static_assert(LunarNewYearDays[2010 - 1990] == DayNumberOf(2010, 2, 14));
static_assert(LunarNewYearDays[2050 - 1990] == DayNumberOf(2050, 1, 23));
static_assert(kLastLunarTableDay == 22320);

// Converts a day number to its lunar date.  Writes the lunar year (1989..2050),
// month (1..12) and day (1..30) and returns the leap flag: 1 when the date
// lies in the leap month, else 0.
//
// Days 0..25 (1990-01-01..1990-01-26) lie in the twelfth month of lunar 1989,
// days 5..30 of it.  Day numbers past 22320 are read as 22320, the last day
// the tables know.
constexpr std::uint16_t LunarDateOf(DayNumber n, std::uint16_t& lunar_year,
                                    std::uint16_t& lunar_month,
                                    std::uint16_t& lunar_day) noexcept {
  if (n < kLunar1990NewYear) {
    lunar_year = kFirstTableYear - 1;
    lunar_month = 12;
    lunar_day = static_cast<std::uint16_t>(n + 1 + kLunar1989MonthTwelveDaysBefore1990);
    return 0;
  }
  if (n > kLastLunarTableDay) n = kLastLunarTableDay;

  // The year: the last new year on or before n.  Lunar years average close
  // to 365 days, so n / 365 lands on the year or one beside it.
  unsigned k = (n - kLunar1990NewYear) / 365u;
  if (k > 60) k = 60;
  while (LunarNewYearDays[k] > n) --k;
  while (LunarNewYearDays[k + 1] <= n) ++k;
  const auto year = static_cast<std::uint16_t>(kFirstTableYear + k);
  std::uint16_t rem = static_cast<std::uint16_t>(n - LunarNewYearDays[k]);

  // The month: walk the year's months, the leap month right after its own.
  const std::uint16_t leap = LeapMonthOf(year);
  std::uint16_t month = 1;
  std::uint16_t leap_flag = 0;
  for (;;) {
    const std::uint32_t lengths = LunarMonthLengths(year, month);
    const auto own = static_cast<std::uint16_t>(lengths & 0xFFFF);
    if (rem < own) break;
    rem = static_cast<std::uint16_t>(rem - own);
    if (month == leap) {
      const auto leap_length = static_cast<std::uint16_t>(lengths >> 16);
      if (rem < leap_length) {
        leap_flag = 1;
        break;
      }
      rem = static_cast<std::uint16_t>(rem - leap_length);
    }
    ++month;
  }
  lunar_year = year;
  lunar_month = month;
  lunar_day = static_cast<std::uint16_t>(rem + 1);
  return leap_flag;
}

}  // namespace moonfold
