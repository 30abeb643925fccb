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

// The festivals of one table on one day: of its rows first .. first +
// count - 1 (all the table holds for the date or rule), in the order they
// are named, those kept in the day's year — bit i of `absent` is set when
// row first + i was not yet, or no longer, kept.  A festival's place in the
// run stays its place whatever the year (a calendar file's event ids are
// made from it).
struct FestivalRun {
  std::uint8_t first = 0;
  std::uint8_t count = 0;
  std::uint8_t absent = 0;
  constexpr bool Kept(unsigned i) const noexcept { return i < count && ((absent >> i) & 1u) == 0; }
  constexpr unsigned size() const noexcept {
    unsigned n = 0;
    for (unsigned i = 0; i < count; ++i) n += Kept(i) ? 1 : 0;
    return n;
  }
  constexpr bool empty() const noexcept { return size() == 0; }
  friend constexpr bool operator==(FestivalRun, FestivalRun) = default;

  // The rows kept, in order: `for (unsigned row : run)`.
  class Rows {
   public:
    constexpr Rows(std::uint8_t first, std::uint8_t count, std::uint8_t absent, unsigned i) noexcept
        : first_(first), count_(count), absent_(absent), i_(i) {
      Skip();
    }
    constexpr unsigned operator*() const noexcept { return first_ + i_; }
    constexpr Rows& operator++() noexcept {
      ++i_;
      Skip();
      return *this;
    }
    constexpr bool operator==(const Rows& other) const noexcept { return i_ == other.i_; }

   private:
    constexpr void Skip() noexcept {
      while (i_ < count_ && ((absent_ >> i_) & 1u) != 0) ++i_;
    }
    std::uint8_t first_, count_, absent_;
    unsigned i_;
  };
  constexpr Rows begin() const noexcept { return {first, count, absent, 0}; }
  constexpr Rows end() const noexcept { return {first, count, absent, count}; }
};

// A run of rows, marked with those its table did not keep in `year`; a
// run of which none was kept is the empty run.
template <std::size_t N>
constexpr FestivalRun KeptIn(FestivalRun run, const std::array<YearSpan, N>& years,
                             int year) noexcept {
  for (unsigned i = 0; i < run.count; ++i) {
    if (!years[run.first + i].Holds(year)) run.absent |= static_cast<std::uint8_t>(1u << i);
  }
  return run.empty() ? FestivalRun{} : run;
}

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
// A run marks its rows kept or not in eight bits.
template <std::size_t N>
constexpr bool RunsFitTheirMarks(const std::array<std::array<FestivalRun, 32>, N>& runs) noexcept {
  for (const auto& month : runs) {
    for (const FestivalRun run : month) {
      if (run.count > 8) return false;
    }
  }
  return true;
}
static_assert(RunsFitTheirMarks(kFixedDateRuns) && RunsFitTheirMarks(kLunarDateRuns));

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

// Gregorian commemorative days of a date, as kept in its year.
constexpr FestivalRun FixedDateFestivals(int year, unsigned month, unsigned day) noexcept {
  return KeptIn(detail::DatedRun(detail::kFixedDateRuns, month, day), kFixedDateFestivalYears,
                year);
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
constexpr FestivalRun WeekdayRuleFestivals(int year, unsigned month, unsigned day,
                                           unsigned day_of_week) noexcept {
  return KeptIn(detail::RuleRun(kWeekdayFestivalRules, detail::kWeekdayRuleMonths, month, day,
                                day_of_week, 31),
                kWeekdayFestivalYears, year);
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
  return KeptIn(detail::RuleRun(kLastWeekdayFestivalRules, detail::kLastWeekdayRuleMonths, month,
                                static_cast<unsigned>(date.day()),
                                std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding(),
                                static_cast<unsigned>(month_days)),
                kLastWeekdayFestivalYears, static_cast<int>(date.year()));
}

// The lunar festivals of a day: its lunar date and the solar term (0..23)
// that falls on it.  A dated row wins over New Year's Eve, and the eve over
// a term's festival; in a leap month only a term's festival can fall.
constexpr FestivalRun LunarFestivals(const LunarDate& date,
                                     std::optional<unsigned> solar_term) noexcept {
  if (!date.leap) {
    const FestivalRun dated = KeptIn(detail::DatedRun(detail::kLunarDateRuns, date.month, date.day),
                                     kLunarFestivalYears, date.year);
    if (!dated.empty()) return dated;
    // No year has its leap month after the twelfth, so the twelfth month's
    // last day is always the eve of the new year.
    if (date.month == 12 && date.day == DaysInLunarMonth(date.year, 12, false)) {
      return KeptIn(FestivalRun{kNewYearsEveRow, 1}, kLunarFestivalYears, date.year);
    }
  }
  for (const TermFestival& festival : kTermFestivals) {
    if (solar_term == festival.term) {
      return KeptIn(FestivalRun{festival.row, 1}, kLunarFestivalYears, date.year);
    }
  }
  return {};
}

}  // namespace moonfold
