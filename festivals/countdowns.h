// The days people count to: the next of the great festivals, the next
// solar term, and a lunar date's return in any lunar year (a lunar
// birthday or memorial day), with what to do when that year lacks the
// date.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

#include "cycles/solar_terms.h"
#include "festivals/festival_data.h"
#include "lunar/lunar_calendar.h"

namespace moonfold {

// A day to come and how many days away it is (1 for tomorrow).
struct Countdown {
  std::chrono::sys_days day;
  int days = 0;
  friend constexpr bool operator==(const Countdown&, const Countdown&) = default;
};

struct FestivalCountdown : Countdown {
  CountdownFestival festival{};
};

struct TermCountdown : Countdown {
  unsigned term = 0;    // 0 = 小寒 .. 23 = 冬至
  BeijingTime instant;  // to the minute
};

// The next countdown festival strictly after `today` (today's own is not
// counted: it is shown as today's festival), or nothing when it falls
// after the calendar's last day.
std::optional<FestivalCountdown> NextFestival(std::chrono::sys_days today) noexcept;
// The same when the caller has the day's date and lunar date at hand.
std::optional<FestivalCountdown> NextFestival(std::chrono::sys_days today,
                                              std::chrono::year_month_day date,
                                              const LunarDate& lunar) noexcept;

// The next solar term whose day is strictly after `today`, or nothing after
// the calendar's last day.
std::optional<TermCountdown> NextSolarTerm(std::chrono::sys_days today) noexcept;
// The same from the terms about the day, when the caller has them.
std::optional<TermCountdown> NextSolarTerm(std::chrono::sys_days today,
                                           const TermsAbout& terms) noexcept;

// What a lunar date becomes in a lunar year that lacks it.
struct Anniversary {
  std::chrono::sys_days day;
  LunarDate date;              // the lunar date that is kept
  bool no_leap_month = false;  // a leap month asked for, the year has none: its ordinary month
  bool last_day = false;       // day 30 asked for, the month has 29: its 29th
};

// The day of lunar month `month` (1..12, `leap` for the leap month) and
// day `day` (1..30) in `lunar_year`:
//   - day 30 of a month of 29 days is its last day, the 29th;
//   - a leap month the year lacks is the ordinary month of that number;
//   - an ordinary month is never moved into a leap month.
// Nothing for a month or day outside those bounds, or a day outside
// the calendar's range.
constexpr std::optional<Anniversary> LunarAnniversary(unsigned month, unsigned day, bool leap,
                                                      int lunar_year) noexcept {
  if (month < 1 || month > 12 || day < 1 || day > 30) return std::nullopt;
  Anniversary a;
  a.date = {lunar_year, month, day, leap && LeapMonthIn(lunar_year) == month};
  a.no_leap_month = leap && !a.date.leap;
  const unsigned length = DaysInLunarMonth(lunar_year, month, a.date.leap);
  if (length == 0) return std::nullopt;
  if (day > length) {
    a.date.day = length;
    a.last_day = true;
  }
  const std::optional<std::chrono::sys_days> found = FromLunar(a.date);
  if (!found) return std::nullopt;
  a.day = *found;
  return a;
}

}  // namespace moonfold
