// The 24 solar terms (节气): the instants at which the sun's apparent
// ecliptic longitude reaches each multiple of 15 degrees, two in every
// Gregorian month.  Index 0 is 小寒 (285°), the first term of January;
// index 2m - 2 is the first term of Gregorian month m and 2m - 1 its second
// (the principal term, 中气).  The even indexes are the 节 terms, at which
// the months of the solar year begin (立春 is index 2).
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include "common/table_years.h"
#include "cycles/solar_term_data.h"

namespace moonfold {

// A wall-clock time in Beijing (UTC+8), the time the Chinese calendar is
// reckoned in, to the minute.
using BeijingTime = std::chrono::local_time<std::chrono::minutes>;

inline constexpr unsigned kSolarTermCount = 24;
inline constexpr unsigned kQingmingTerm = 6;         // 清明
inline constexpr unsigned kWinterSolsticeTerm = 23;  // 冬至

// Terms counted through the tables, 24 a year: term number k is term
// k mod 24 of the year kFirstTermYear + k / 24 (both rounded down), so the
// term before the first year's 小寒 (k = 0) is the year before's 冬至
// (k = -1).  Counting this way, the term before or after another is a
// step, whatever the year.  The years compiled in (all of them but in the
// plug-in: common/table_years.h) hold terms kFirstTableTerm ..
// kSolarTermNumbers - 1.
inline constexpr int kFirstTableTermYear = std::max(kFirstTermYear, kFirstTableYear);
inline constexpr int kLastTableTermYear = std::min(kLastTermYear, kLastTableYear);
inline constexpr std::int32_t kFirstTableTerm = 24 * (kFirstTableTermYear - kFirstTermYear);
inline constexpr std::int32_t kSolarTermNumbers = 24 * (kLastTableTermYear - kFirstTermYear + 1);

namespace detail {

// The minutes from 00:00 Beijing time of the first year's 1 January to
// term k, by a table of corrections whose first row is term `first`.
template <typename Corrections>
constexpr std::int64_t TermMinuteIn(const Corrections& corrections, std::int32_t first,
                                    std::int32_t k) noexcept {
  return kFirstTermMinute + (k * kMeanTermMilliminutes + 500) / 1000 +
         corrections[static_cast<std::size_t>(k - first)];
}

inline constexpr auto kTermCorrections =
    TableSlice<static_cast<std::size_t>(kFirstTableTerm),
               static_cast<std::size_t>(kSolarTermNumbers - kFirstTableTerm)>(SolarTermCorrections);

// The departures (term, minute) of the years compiled in.
constexpr bool InTable(const std::array<std::int32_t, 2>& row) noexcept {
  return row[0] >= kFirstTableTerm && row[0] < kSolarTermNumbers;
}
inline constexpr auto kTableDepartures = [] {
  constexpr std::size_t count = static_cast<std::size_t>(
      std::count_if(kTermDepartures.begin(), kTermDepartures.end(), InTable));
  std::array<std::array<std::int32_t, 2>, count> rows{};
  std::copy_if(kTermDepartures.begin(), kTermDepartures.end(), rows.begin(), InTable);
  return rows;
}();

// Term k by the whole table, while compiling.
constexpr std::int64_t DataTermMinute(std::int32_t k) noexcept {
  return TermMinuteIn(SolarTermCorrections, 0, k);
}

}  // namespace detail

constexpr std::int32_t SolarTermNumber(int year, unsigned index) noexcept {
  return 24 * (year - kFirstTermYear) + static_cast<std::int32_t>(index);
}
constexpr int SolarTermYear(std::int32_t k) noexcept {
  return kFirstTermYear + (k >= 0 ? k / 24 : -((23 - k) / 24));
}
constexpr unsigned SolarTermIndex(std::int32_t k) noexcept {
  return static_cast<unsigned>(((k % 24) + 24) % 24);
}

// The minutes from 00:00 Beijing time of the first year's 1 January to
// term k (kFirstTableTerm .. the last the tables hold).
constexpr std::int64_t SolarTermMinute(std::int32_t k) noexcept {
  return detail::TermMinuteIn(detail::kTermCorrections, kFirstTableTerm, k);
}

inline constexpr std::chrono::local_days kFirstTermEpoch{std::chrono::year_month_day{
    std::chrono::year{kFirstTermYear}, std::chrono::January, std::chrono::day{1}}};

// The instant of term number k, if the tables hold it.
constexpr std::optional<BeijingTime> SolarTermInstantAt(std::int32_t k) noexcept {
  if (k < kFirstTableTerm || k >= kSolarTermNumbers) return std::nullopt;
  return kFirstTermEpoch + std::chrono::minutes{SolarTermMinute(k)};
}

// The instant of term `index` (0 = 小寒 .. 23 = 冬至) of a Gregorian year of
// the tables, rounded down to the minute; nothing for another year or
// index.  The term's day is the date of this instant.
constexpr std::optional<BeijingTime> SolarTermInstant(int year, unsigned index) noexcept {
  if (year < kFirstTableTermYear || year > kLastTableTermYear || index >= kSolarTermCount) {
    return std::nullopt;
  }
  return SolarTermInstantAt(SolarTermNumber(year, index));
}

// A term whose day in the tables, its issued calendar's, is not the day of
// today's reckoning: today's reckoning of it.  Nothing for any other term.
// From 1912 (1912 小雪, 1979 大寒 …) the tables hold the issued minute;
// before, the record gives the day only, and the tables hold the minute of
// that day nearest the reckoning.  The tables' instant is the one
// everything counts from: the term's day, the pillars, the pentads.
constexpr std::optional<BeijingTime> ReckonedTermInstantAt(std::int32_t k) noexcept {
  const auto& departures = detail::kTableDepartures;
  const auto found = std::lower_bound(
      departures.begin(), departures.end(), k,
      [](const std::array<std::int32_t, 2>& row, std::int32_t term) { return row[0] < term; });
  if (found == departures.end() || (*found)[0] != k) return std::nullopt;
  return kFirstTermEpoch + std::chrono::minutes{(*found)[1]};
}

// How the minute of term k is known.
enum class TermMinute : std::uint8_t {
  kIssued,    // from 1912: the calendar's own minute, as issued or as reckoned alike
  kReckoned,  // before 1912, on its issued day: today's reckoning of the minute
  kDayOnly,   // before 1912, issued on another day than today's reckoning: no minute
};

constexpr TermMinute TermMinuteAt(std::int32_t k) noexcept {
  if (SolarTermYear(k) > kLastReckonedMinuteYear) return TermMinute::kIssued;
  return ReckonedTermInstantAt(k) ? TermMinute::kDayOnly : TermMinute::kReckoned;
}

// Whether term k lies so near midnight, decades ahead, that the predicted
// ΔT (Earth's clock against the ephemerides') cannot settle its day.
constexpr bool IsUncertainTermAt(std::int32_t k) noexcept {
  for (const std::int32_t term : kUncertainTerms) {
    if (term == k) return true;
  }
  return false;
}

// The day of the 冬至 before the first year compiled in: the days before
// that year's 小寒 are counted from it.  Before the tables' first year, the
// generator gives it; else it is the tables' own.
inline constexpr std::chrono::sys_days kSolarTermEve =
    kFirstTableTerm == 0
        ? std::chrono::sys_days{std::chrono::year{kEveWinterSolsticeDate[0]} /
                                std::chrono::month(
                                    static_cast<unsigned>(kEveWinterSolsticeDate[1])) /
                                std::chrono::day(static_cast<unsigned>(kEveWinterSolsticeDate[2]))}
        : std::chrono::sys_days{kFirstTermEpoch.time_since_epoch()} +
              std::chrono::days{detail::DataTermMinute(kFirstTableTerm - 1) / (24 * 60)};

// The day of term number k, from the 冬至 before the years compiled in
// (kFirstTableTerm - 1) to the last term they hold.
constexpr std::chrono::sys_days SolarTermDayAt(std::int32_t k) noexcept {
  return k < kFirstTableTerm ? kSolarTermEve
                             : std::chrono::sys_days{kFirstTermEpoch.time_since_epoch()} +
                                   std::chrono::days{SolarTermMinute(k) / (24 * 60)};
}

// The terms about a moment, worked out once for everything that counts
// from a term: the term of the day, the pentad, the pillars' month and the
// next term.  Each follows from the Gregorian month's two terms (its 节 by
// the 9th, its 中气 from the 18th) and at most one neighbour, so they are
// read as numbers and chosen between without a search.
struct TermsAbout {
  std::int32_t latest = 0;         // the latest term whose day is on or before the moment's
  unsigned days_since_latest = 0;  // from that term's day to the moment's
  std::int32_t latest_jie = 0;     // the latest 节 term (even index) at or before the minute
  // The instant of the next term (latest + 1), the first whose day is
  // after the moment's; nothing after the tables' last.
  std::optional<BeijingTime> next_instant;
};

constexpr std::optional<TermsAbout> TermsAboutMoment(BeijingTime time,
                                                     std::chrono::year_month_day date) noexcept {
  using namespace std::chrono;
  const int year = static_cast<int>(date.year());
  if (year < kFirstTableTermYear || year > kLastTableTermYear) return std::nullopt;
  const std::int32_t jie = SolarTermNumber(year, 2 * static_cast<unsigned>(date.month()) - 2);
  const local_days today = floor<days>(time);
  // The month's 节 and 中气: the latest term on or before the day is the
  // month before's 中气 or one of these, counted by how many have come.
  const std::int64_t tomorrow = std::int64_t{(today + days{1} - kFirstTermEpoch).count()} * 24 * 60;
  const std::int64_t first = SolarTermMinute(jie);
  TermsAbout about;
  about.latest = jie - 1 + (first < tomorrow) + (SolarTermMinute(jie + 1) < tomorrow);
  about.days_since_latest = static_cast<unsigned>(
      (today.time_since_epoch() - SolarTermDayAt(about.latest).time_since_epoch()).count());
  about.latest_jie = first <= (time - kFirstTermEpoch).count() ? jie : jie - 2;
  about.next_instant = SolarTermInstantAt(about.latest + 1);
  return about;
}

// The term (0..23) that falls on a Gregorian date of the tables' years, if
// any.
// Each Gregorian month holds two terms, its first (index 2m - 2) by the
// 9th and its second (2m - 1) from the 18th, so only one can be the day's.
constexpr std::optional<unsigned> SolarTermOn(std::chrono::year_month_day date) noexcept {
  const int year = static_cast<int>(date.year());
  const unsigned month = static_cast<unsigned>(date.month());
  if (year < kFirstTableTermYear || year > kLastTableTermYear || month < 1 || month > 12) {
    return std::nullopt;
  }
  const unsigned index = 2 * month - (static_cast<unsigned>(date.day()) < 15 ? 2 : 1);
  const BeijingTime instant = *SolarTermInstant(year, index);
  if (std::chrono::floor<std::chrono::days>(instant) != std::chrono::local_days{date}) {
    return std::nullopt;
  }
  return index;
}

static_assert(SolarTermOn(std::chrono::year{2010} / 11 / 7) == 20u);  // 立冬
static_assert(!SolarTermOn(std::chrono::year{2010} / 11 / 8));

}  // namespace moonfold
