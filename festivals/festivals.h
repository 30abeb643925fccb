// Which festivals fall on a day, as ids: a table and a run of its rows.
// The rules of the four tables live here, once; the names are in texts/.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "cycles/solar_terms.h"
#include "festivals/festival_data.h"
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

// The festival's id for good, which its names and the library's ids are
// keyed by: the id of its row in its table.
constexpr unsigned FestivalKey(FestivalId festival) noexcept {
  const auto of = [row = festival.row](const auto& ids) -> unsigned {
    return row < ids.size() ? ids[row] : ids.size();
  };
  switch (festival.table) {
    case FestivalTable::kFixedDate: return of(kFixedDateFestivalIds);
    case FestivalTable::kWeekdayRule: return of(kWeekdayFestivalIds);
    case FestivalTable::kLastWeekday: return of(kLastWeekdayFestivalIds);
    case FestivalTable::kLunar: return of(kLunarFestivalIds);
  }
  return 0;
}

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

template <std::size_t N>
constexpr bool SortedByDate(const std::array<MonthDay, N>& table) noexcept {
  for (std::size_t i = 1; i < N; ++i) {
    if (table[i - 1].month * 32 + table[i - 1].day > table[i].month * 32 + table[i].day)
      return false;
  }
  return true;
}
static_assert(SortedByDate(kFixedDateFestivalDays) && SortedByDate(kLunarFestivalDays));

// The run of every month 1..12 and day 1..31 of a table sorted by date,
// derived from the table when the library is compiled: a day's festivals
// are one look-up.
template <std::size_t N>
constexpr auto RunsByDay(const std::array<MonthDay, N>& table) noexcept {
  std::array<std::array<FestivalRun, 32>, 13> runs{};
  for (std::size_t i = 0; i < N; ++i) {
    FestivalRun& run = runs[table[i].month][table[i].day];
    if (run.empty()) run.first = static_cast<std::uint8_t>(i);
    ++run.count;
  }
  return runs;
}
inline constexpr auto kFixedDateRuns = RunsByDay(kFixedDateFestivalDays);
inline constexpr auto kLunarDateRuns = RunsByDay(kLunarFestivalDays);

constexpr FestivalRun DatedRun(const std::array<std::array<FestivalRun, 32>, 13>& runs,
                               unsigned month, unsigned day) noexcept {
  return month < runs.size() && day < runs[0].size() ? runs[month][day] : FestivalRun{};
}

// The first row of each month 1..12 in a table ordered by month, and one
// past the last at 13.
template <typename Table>
constexpr std::array<std::uint8_t, 14> FirstRowOfMonth(const Table& table) noexcept {
  std::array<std::uint8_t, 14> first{};
  for (unsigned month = 1, row = 0; month <= 13; ++month) {
    while (row < table.size() && table[row].month < month) ++row;
    first[month] = static_cast<std::uint8_t>(row);
  }
  return first;
}
template <typename Table>
constexpr bool OrderedByMonth(const Table& table) noexcept {
  for (std::size_t i = 1; i < table.size(); ++i) {
    if (table[i - 1].month > table[i].month) return false;
  }
  return true;
}
static_assert(OrderedByMonth(kWeekdayFestivalRules) && OrderedByMonth(kLastWeekdayFestivalRules));
inline constexpr auto kWeekdayRuleMonths = FirstRowOfMonth(kWeekdayFestivalRules);
inline constexpr auto kLastWeekdayRuleMonths = FirstRowOfMonth(kLastWeekdayFestivalRules);

}  // namespace detail

// Gregorian commemorative days of a month 1..12 and day.
constexpr FestivalRun FixedDateFestivals(unsigned month, unsigned day) noexcept {
  return detail::DatedRun(detail::kFixedDateRuns, month, day);
}

namespace detail {

constexpr bool SameRule(WeekdayRule a, WeekdayRule b) noexcept {
  return a.month == b.month && a.week == b.week && a.weekday == b.weekday;
}

// The first run of a table of weekday rules that a day meets: its month
// 1..12, its day of the month, its weekday (0 = Sunday) and the days of its
// month.  A day lies in the n-th week of its month when (day - 1) / 7 + 1 =
// n, and in the last when fewer than seven days follow it.
template <std::size_t N>
constexpr FestivalRun RuleRun(const std::array<WeekdayRule, N>& table,
                              const std::array<std::uint8_t, 14>& months, unsigned month,
                              unsigned day, unsigned weekday, unsigned month_days) noexcept {
  if (day < 1 || month < 1 || month > 12) return {};
  const unsigned week = (day - 1) / 7 + 1;
  const bool last_week = day + 7 > month_days;
  for (std::size_t i = months[month]; i < months[month + 1]; ++i) {
    const WeekdayRule& r = table[i];
    if (r.weekday == weekday && (r.week == week || (r.week == kLastWeek && last_week))) {
      return RunFrom(table, i, SameRule);
    }
  }
  return {};
}

}  // namespace detail

// The n-th-weekday festivals of a day: `day_of_week` 0 (Sunday) .. 6, as
// the caller's clock has it.
constexpr FestivalRun WeekdayRuleFestivals(unsigned month, unsigned day,
                                           unsigned day_of_week) noexcept {
  return detail::RuleRun(kWeekdayFestivalRules, detail::kWeekdayRuleMonths, month, day, day_of_week,
                         31);
}

// The festivals of a month's last weeks on a Gregorian date, by the date's
// own weekday.
constexpr FestivalRun LastWeekdayFestivals(std::chrono::year_month_day date) noexcept {
  const unsigned month = static_cast<unsigned>(date.month());
  if (month < 1 || month > 12 ||
      detail::kLastWeekdayRuleMonths[month] == detail::kLastWeekdayRuleMonths[month + 1]) {
    return {};
  }
  const auto month_days = (date.year() / date.month() / std::chrono::last).day();
  return detail::RuleRun(kLastWeekdayFestivalRules, detail::kLastWeekdayRuleMonths, month,
                         static_cast<unsigned>(date.day()),
                         std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding(),
                         static_cast<unsigned>(month_days));
}

// The lunar festivals of a day: its lunar date and the solar term (0..23)
// that falls on it.  A dated row wins over New Year's Eve, and the eve over
// a term's festival; in a leap month only a term's festival can fall.
constexpr FestivalRun LunarFestivals(const LunarDate& date,
                                     std::optional<unsigned> solar_term) noexcept {
  if (!date.leap) {
    const FestivalRun dated = detail::DatedRun(detail::kLunarDateRuns, date.month, date.day);
    if (!dated.empty()) return dated;
    // No year has its leap month after the twelfth, so the twelfth month's
    // last day is always the eve of the new year.
    if (date.month == 12 && date.day == DaysInLunarMonth(date.year, 12, false)) {
      return {kNewYearsEveRow, 1};
    }
  }
  for (const TermFestival& festival : kTermFestivals) {
    if (solar_term == festival.term) return {festival.row, 1};
  }
  return {};
}

}  // namespace moonfold
