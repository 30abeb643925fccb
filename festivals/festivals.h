// Which festivals fall on a day, as ids: a table and a run of its rows.
// The rules of the four tables live here, once; the names are in texts/.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>

#include "cycles/solar_terms.h"
#include "festivals/festival_days.h"
#include "lunar/lunar_calendar.h"

namespace moonfold {

// The four festival tables; each is also a kind of text.
enum class FestivalTable : std::uint8_t { kFixedDate, kWeekdayRule, kLastWeekday, kLunar };

// One festival: a row of one table.
struct FestivalId {
  FestivalTable table;
  std::uint8_t row;
  friend constexpr bool operator==(FestivalId, FestivalId) = default;
};

// The festivals of one table on one day: rows first .. first + count - 1,
// in the order they are named.
struct FestivalRun {
  std::uint8_t first = 0;
  std::uint8_t count = 0;
  constexpr bool empty() const noexcept { return count == 0; }
  friend constexpr bool operator==(FestivalRun, FestivalRun) = default;
};

namespace detail {

// The rows equal to row `first` of `table` under `same`, from `first` on.
template <typename Table, typename Same>
constexpr FestivalRun RunFrom(const Table& table, std::size_t first, Same same) noexcept {
  std::size_t end = first;
  while (end < table.size() && same(table[end], table[first])) ++end;
  return {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(end - first)};
}

constexpr bool SameDay(MonthDay a, MonthDay b) noexcept {
  return a.month == b.month && a.day == b.day;
}

// The run of a (month, day) table sorted by date.
template <std::size_t N>
constexpr FestivalRun DatedRun(const std::array<MonthDay, N>& table, unsigned month,
                               unsigned day) noexcept {
  const unsigned key = month * 32 + day;
  const auto row = std::lower_bound(table.begin(), table.end(), key,
                                    [](MonthDay r, unsigned k) { return r.month * 32u + r.day < k; });
  if (row == table.end() || row->month != month || row->day != day) return {};
  return RunFrom(table, static_cast<std::size_t>(row - table.begin()), SameDay);
}

template <std::size_t N>
constexpr bool SortedByDate(const std::array<MonthDay, N>& table) noexcept {
  for (std::size_t i = 1; i < N; ++i) {
    if (table[i - 1].month * 32 + table[i - 1].day > table[i].month * 32 + table[i].day) return false;
  }
  return true;
}
static_assert(SortedByDate(kFixedDateFestivalDays) && SortedByDate(kLunarFestivalDays));

}  // namespace detail

// Gregorian commemorative days of a month 1..12 and day.
constexpr FestivalRun FixedDateFestivals(unsigned month, unsigned day) noexcept {
  return detail::DatedRun(kFixedDateFestivalDays, month, day);
}

// The n-th-weekday festivals of a day: `day_of_week` 0 (Sunday) .. 6.  A
// day lies in the n-th week of its month when (day - 1) / 7 + 1 = n.
constexpr FestivalRun WeekdayRuleFestivals(unsigned month, unsigned day,
                                           unsigned day_of_week) noexcept {
  if (day < 1) return {};
  const unsigned week = (day - 1) / 7 + 1;
  const auto& table = kWeekdayFestivalRules;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const WeekdayRule& r = table[i];
    if (r.month == month && r.week == week && r.weekday == day_of_week) {
      return detail::RunFrom(table, i, [](WeekdayRule a, WeekdayRule b) {
        return a.month == b.month && a.week == b.week && a.weekday == b.weekday;
      });
    }
  }
  return {};
}

// The last-weekday festivals of a Gregorian date; the weekday is the date's
// own.  The last seven days of a month hold each weekday once.
constexpr FestivalRun LastWeekdayFestivals(std::chrono::year_month_day date) noexcept {
  const auto last_day = (date.year() / date.month() / std::chrono::last).day();
  if (date.day() + std::chrono::days{7} <= last_day) return {};
  const unsigned weekday = std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding();
  const unsigned month = static_cast<unsigned>(date.month());
  const auto& table = kLastWeekdayFestivalRules;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].month == month && table[i].weekday == weekday) {
      return detail::RunFrom(table, i, [](LastWeekdayRule a, LastWeekdayRule b) {
        return a.month == b.month && a.weekday == b.weekday;
      });
    }
  }
  return {};
}

// The lunar festivals of a day: its lunar date and the solar term (0..23)
// that falls on it.  A dated row wins over New Year's Eve, and the eve over
// a term's festival; in a leap month only a term's festival can fall.
constexpr FestivalRun LunarFestivals(const LunarDate& date,
                                     std::optional<unsigned> solar_term) noexcept {
  if (!date.leap) {
    const FestivalRun dated = detail::DatedRun(kLunarFestivalDays, date.month, date.day);
    if (!dated.empty()) return dated;
    // No year has its leap month after the twelfth, so the twelfth month's
    // last day is always the eve of the new year.
    if (date.month == 12 && date.day == DaysInLunarMonth(date.year, 12, false)) {
      return {kNewYearsEveRow, 1};
    }
  }
  if (solar_term == kQingmingTerm) return {kQingmingFestivalRow, 1};
  if (solar_term == kWinterSolsticeTerm) return {kWinterSolsticeFestivalRow, 1};
  return {};
}

}  // namespace moonfold
