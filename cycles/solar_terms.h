// The 24 solar terms (节气): the days on which the sun reaches each multiple
// of 15 degrees of ecliptic longitude, two in every Gregorian month.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cycles/solar_term_data.h"
#include "lunar/day_number.h"

namespace moonfold {

// In calendar order; index 2m - 2 is the first term of Gregorian month m and
// 2m - 1 its second.
inline constexpr std::array<std::u16string_view, 24> SolarTermNames{
    u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分", u"清明", u"谷雨",
    u"立夏", u"小满", u"芒种", u"夏至", u"小暑", u"大暑", u"立秋", u"处暑",
    u"白露", u"秋分", u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至"};

inline constexpr std::uint16_t kNoSolarTerm = 0xFFFF;

// A wall-clock time in Beijing (UTC+8), the time the Chinese calendar is
// reckoned in, to the minute.
using BeijingTime = std::chrono::local_time<std::chrono::minutes>;

// The instant of term `index` (0 = 小寒 .. 23 = 冬至) of a Gregorian year
// 1900..2100, rounded down to the minute; nothing for another year or
// index.  The term's day is the date of this instant.
constexpr std::optional<BeijingTime> SolarTermInstant(int year, unsigned index) noexcept {
  if (year < kFirstTermYear || year > kLastTermYear || index > 23) return std::nullopt;
  const std::int64_t k = 24 * static_cast<std::int64_t>(year - kFirstTermYear) + index;
  const std::int64_t minutes = kFirstTermMinute + (k * kMeanTermMilliminutes + 500) / 1000 +
                               SolarTermCorrections[static_cast<std::size_t>(k)];
  constexpr std::chrono::local_days kEpoch{std::chrono::year_month_day{
      std::chrono::year{kFirstTermYear}, std::chrono::January, std::chrono::day{1}}};
  return kEpoch + std::chrono::minutes{minutes};
}

// The day of month of term `index` of a year 1900..2100 (no check).
constexpr unsigned SolarTermDayOfMonth(int year, unsigned index) noexcept {
  const BeijingTime instant = *SolarTermInstant(year, index);
  return static_cast<unsigned>(
      std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(instant)}.day());
}

// The term (0..23) that falls on a Gregorian date of 1900..2100, if any.
// Each Gregorian month holds two terms, its first (index 2m - 2) by the
// 9th and its second (2m - 1) from the 18th.
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

// Index 0..23 of the term that falls on the date, or kNoSolarTerm: the
// plug-in's lookup, over the packed days of 1990..2050.  Years outside
// 1990..2050, months outside 1..12 and day 0 have none.
std::uint16_t SolarTermIndex(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day) noexcept;

// Name of the term that falls on the date, or the empty string.
std::u16string SolarTermText(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day);

}  // namespace moonfold
