// The Chinese lunar calendar of the tables' years, in both directions, on
// C++20's calendar types: from lunar 1645 (the Qing calendar's first year,
// 顺治二年, which began 1645-01-28) to the end of 2100.
//
// A lunar year has 12 months of 29 or 30 days, and about one year in three
// has a thirteenth, leap month (闰月), numbered the same as the month it
// follows: in 2023 the second month is followed by the leap second month,
// then the third.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include "common/table_years.h"
#include "lunar/lunar_year_data.h"

namespace moonfold {

struct LunarDate {
  int year = 0;        // the lunar year; it begins at the lunar new year
  unsigned month = 0;  // 1..12; a leap month carries the number of the month before it
  unsigned day = 0;    // 1..30
  bool leap = false;   // inside the leap month

  friend constexpr bool operator==(const LunarDate&, const LunarDate&) = default;
};

// The calendar's range, the one place it is declared: its first day, the
// first lunar new year the tables hold (the generator's), and its last,
// the end of the tables' last Gregorian year; and the Gregorian years that
// hold days of it (the first of them only from its first day).  Everything
// else that speaks of the range derives from these.  (The plug-in's
// tables hold fewer years: common/table_years.h.)
inline constexpr std::chrono::sys_days kFirstTablesNewYear{
    std::chrono::year{kFirstLunarNewYear[0]} /
    std::chrono::month(static_cast<unsigned>(kFirstLunarNewYear[1])) /
    std::chrono::day(static_cast<unsigned>(kFirstLunarNewYear[2]))};
inline constexpr std::chrono::sys_days kFirstCalendarDay =
    std::max(kFirstTablesNewYear,
             std::chrono::sys_days{std::chrono::year{kFirstTableYear} / std::chrono::January / 1});
inline constexpr int kFirstCalendarYear = std::max(kFirstLunarNewYear[0], kFirstTableYear);
inline constexpr int kLastCalendarYear = std::min(kLastLunarDataYear, kLastTableYear);
inline constexpr std::chrono::sys_days kLastCalendarDay{std::chrono::year{kLastCalendarYear} /
                                                        std::chrono::December / 31};

constexpr bool InCalendarYears(int year) noexcept {
  return year >= kFirstCalendarYear && year <= kLastCalendarYear;
}

constexpr bool InCalendarRange(std::chrono::sys_days day) noexcept {
  return day >= kFirstCalendarDay && day <= kLastCalendarDay;
}

namespace detail {

// The set bits of a month word: the number of 30-day months it marks.
// Written out rather than std::popcount, which without a POPCNT
// instruction to target becomes a call into the compiler's runtime.
constexpr unsigned BitCount(std::uint32_t x) noexcept {
  x = x - ((x >> 1) & 0x5555u);
  x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
  x = (x + (x >> 4)) & 0x0F0Fu;
  return (x + (x >> 8)) & 0x1Fu;
}
static_assert(BitCount(0) == 0 && BitCount(0xFFFF) == 16 && BitCount(0xAD50) == 7);

constexpr std::uint16_t MonthBitsOf(int lunar_year) noexcept {
  return LunarYearMonthBits[static_cast<std::size_t>(lunar_year - kFirstLunarDataYear)];
}
constexpr unsigned LeapOf(int lunar_year) noexcept {
  return LunarYearLeapMonths[static_cast<std::size_t>(lunar_year - kFirstLunarDataYear)];
}
constexpr int MonthsIn(int lunar_year) noexcept { return LeapOf(lunar_year) != 0 ? 13 : 12; }

// The first day of each lunar year of the tables and of the year after,
// as days since 1970-01-01, summed from the tables when the library is
// compiled.
inline constexpr std::array<std::int32_t, kLastLunarDataYear - kFirstLunarDataYear + 2>
    LunarNewYears = [] {
      std::array<std::int32_t, kLastLunarDataYear - kFirstLunarDataYear + 2> days{};
      days[0] = kFirstTablesNewYear.time_since_epoch().count();
      for (std::size_t i = 1; i < days.size(); ++i) {
        const int year = kFirstLunarDataYear + static_cast<int>(i) - 1;
        days[i] = days[i - 1] + 29 * MonthsIn(year) +
                  static_cast<std::int32_t>(BitCount(MonthBitsOf(year)));
      }
      return days;
    }();

}  // namespace detail

// The first day of a lunar year of the tables (its 正月初一), or nothing
// for another year.
constexpr std::optional<std::chrono::sys_days> LunarNewYear(int lunar_year) noexcept {
  if (lunar_year < kFirstLunarDataYear || lunar_year > kLastLunarDataYear) return std::nullopt;
  return std::chrono::sys_days{std::chrono::days{
      detail::LunarNewYears[static_cast<std::size_t>(lunar_year - kFirstLunarDataYear)]}};
}

// The month (1..12) that the lunar year's leap month follows, or 0 when it
// has none (and for a year outside the tables).
constexpr unsigned LeapMonthIn(int lunar_year) noexcept {
  if (lunar_year < kFirstLunarDataYear || lunar_year > kLastLunarDataYear) return 0;
  return detail::LeapOf(lunar_year);
}

// Days of a lunar month (29 or 30), or 0 for a month the calendar does
// not have: a leap month the year lacks, a month number outside 1..12, a
// year outside the tables.
constexpr unsigned DaysInLunarMonth(int lunar_year, unsigned month, bool leap) noexcept {
  if (month < 1 || month > 12) return 0;
  if (lunar_year < kFirstLunarDataYear || lunar_year > kLastLunarDataYear) return 0;
  const unsigned leap_month = detail::LeapOf(lunar_year);
  if (leap && month != leap_month) return 0;
  // Months after the leap month sit one bit lower.
  const unsigned position = month - 1 + ((leap || (leap_month != 0 && month > leap_month)) ? 1 : 0);
  return 29u + ((detail::MonthBitsOf(lunar_year) >> (15 - position)) & 1u);
}

// The lunar date of a Gregorian day, or nothing outside the calendar's
// range.
constexpr std::optional<LunarDate> ToLunar(std::chrono::sys_days day) noexcept {
  if (!InCalendarRange(day)) return std::nullopt;
  const std::int32_t n = day.time_since_epoch().count();
  const auto& new_years = detail::LunarNewYears;
  // Lunar years average close to 365 days: the guess lands on the year or
  // one beside it.
  std::size_t k = static_cast<std::size_t>((n - new_years[0]) / 365);
  if (k > new_years.size() - 2) k = new_years.size() - 2;
  while (new_years[k] > n) --k;
  while (new_years[k + 1] <= n) ++k;
  const int year = kFirstLunarDataYear + static_cast<int>(k);
  const std::uint16_t bits = detail::MonthBitsOf(year);
  const unsigned leap_month = detail::LeapOf(year);
  const unsigned rem_in_year = static_cast<unsigned>(n - new_years[k]);
  // Month p of the year begins 29p days in, plus one for each 30-day month
  // before it; months of 30 days at most put the date at or after month
  // rem / 30, a step or two from its own.
  const auto start_of = [bits](unsigned p) {
    return 29u * p + detail::BitCount(static_cast<std::uint32_t>(bits) >> (16 - p));
  };
  unsigned position = rem_in_year / 30;
  while (start_of(position + 1) <= rem_in_year) ++position;
  const unsigned rem = rem_in_year - start_of(position);
  // Position p is month p + 1 up to the leap month, which sits at position L.
  const bool leap = leap_month != 0 && position == leap_month;
  const unsigned month = (leap_month != 0 && position >= leap_month) ? position : position + 1;
  return LunarDate{year, month, rem + 1, leap};
}

// The Gregorian day of a lunar date, or nothing for a date that does not
// exist (day 30 of a 29-day month, a leap month the year lacks) or lies
// outside the calendar's range.
constexpr std::optional<std::chrono::sys_days> FromLunar(const LunarDate& date) noexcept {
  const unsigned length = DaysInLunarMonth(date.year, date.month, date.leap);
  if (length == 0 || date.day < 1 || date.day > length) return std::nullopt;
  const unsigned leap_month = detail::LeapOf(date.year);
  const unsigned position =
      date.month - 1 + ((date.leap || (leap_month != 0 && date.month > leap_month)) ? 1 : 0);
  // The months before it: 29 days each, and one more for each set bit.
  const auto earlier = static_cast<std::uint16_t>(
      position == 0 ? 0 : detail::MonthBitsOf(date.year) >> (16 - position));
  const std::int32_t n =
      detail::LunarNewYears[static_cast<std::size_t>(date.year - kFirstLunarDataYear)] +
      static_cast<std::int32_t>(29 * position + detail::BitCount(earlier)) +
      static_cast<std::int32_t>(date.day) - 1;
  const std::chrono::sys_days day{std::chrono::days{n}};
  if (!InCalendarRange(day)) return std::nullopt;
  return day;
}

// Whether a month may begin on `day` or on the day after it, decades
// ahead, as the predicted ΔT falls: its new moon lies within that margin
// of midnight.
constexpr bool IsUncertainMonthStart(std::chrono::sys_days day) noexcept {
  for (const auto& [y, m, d] : kUncertainMonthStarts) {
    if (std::chrono::sys_days{std::chrono::year{y} / static_cast<unsigned>(m) /
                              static_cast<unsigned>(d)} == day) {
      return true;
    }
  }
  return false;
}

// Whether the lunar date of `day` (its `lunar` date) is uncertain: the day
// lies in a month whose first day is, or is the last day of the month
// before it.  None before 2051 is.
constexpr bool IsUncertainLunarDay(std::chrono::sys_days day, const LunarDate& lunar) noexcept {
  return IsUncertainMonthStart(day - std::chrono::days{lunar.day - 1}) ||
         IsUncertainMonthStart(day + std::chrono::days{1});
}

}  // namespace moonfold
