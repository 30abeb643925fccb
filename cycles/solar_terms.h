// The 24 solar terms (节气): the instants at which the sun's apparent
// ecliptic longitude reaches each multiple of 15 degrees, two in every
// Gregorian month.  Index 0 is 小寒 (285°), the first term of January;
// index 2m - 2 is the first term of Gregorian month m and 2m - 1 its second
// (the principal term, 中气).  The even indexes are the 节 terms, at which
// the months of the solar year begin (立春 is index 2).
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "cycles/solar_term_data.h"

namespace moonfold {

// A wall-clock time in Beijing (UTC+8), the time the Chinese calendar is
// reckoned in, to the minute.
using BeijingTime = std::chrono::local_time<std::chrono::minutes>;

inline constexpr unsigned kSolarTermCount = 24;
inline constexpr unsigned kQingmingTerm = 6;          // 清明
inline constexpr unsigned kWinterSolsticeTerm = 23;   // 冬至

// The instant of term `index` (0 = 小寒 .. 23 = 冬至) of a Gregorian year
// 1900..2100, rounded down to the minute; nothing for another year or
// index.  The term's day is the date of this instant.
constexpr std::optional<BeijingTime> SolarTermInstant(int year, unsigned index) noexcept {
  if (year < kFirstTermYear || year > kLastTermYear || index >= kSolarTermCount) {
    return std::nullopt;
  }
  const std::int64_t k = 24 * static_cast<std::int64_t>(year - kFirstTermYear) + index;
  const std::int64_t minutes = kFirstTermMinute + (k * kMeanTermMilliminutes + 500) / 1000 +
                               SolarTermCorrections[static_cast<std::size_t>(k)];
  constexpr std::chrono::local_days kEpoch{std::chrono::year_month_day{
      std::chrono::year{kFirstTermYear}, std::chrono::January, std::chrono::day{1}}};
  return kEpoch + std::chrono::minutes{minutes};
}

// The day of a term of a Gregorian year 1900..2100, if the tables hold it.
constexpr std::optional<std::chrono::sys_days> SolarTermDay(int year, unsigned index) noexcept {
  const std::optional<BeijingTime> instant = SolarTermInstant(year, index);
  if (!instant) return std::nullopt;
  return std::chrono::sys_days{std::chrono::floor<std::chrono::days>(*instant).time_since_epoch()};
}

// The term (0..23) that falls on a Gregorian date of 1900..2100, if any.
// Each Gregorian month holds two terms, its first (index 2m - 2) by the
// 9th and its second (2m - 1) from the 18th, so only one can be the day's.
constexpr std::optional<unsigned> SolarTermOn(std::chrono::year_month_day date) noexcept {
  const int year = static_cast<int>(date.year());
  const unsigned month = static_cast<unsigned>(date.month());
  if (year < kFirstTermYear || year > kLastTermYear || month < 1 || month > 12) {
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
