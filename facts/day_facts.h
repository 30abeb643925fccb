// Everything the calendar says about one moment, computed once as values
// (positions, indexes and festival ids, never names): the plug-in, the
// command and the benchmark turn them into texts through texts/.
#pragma once

#include <chrono>
#include <optional>

#include "cycles/almanac.h"
#include "cycles/pillars.h"
#include "cycles/seasons.h"
#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"
#include "festivals/countdowns.h"
#include "festivals/festivals.h"
#include "festivals/official_days.h"
#include "lunar/lunar_calendar.h"
#include "lunar/moon_phases.h"

namespace moonfold {

struct DayFacts {
  BeijingTime time;                  // the moment the facts are of, local wall time
  std::chrono::year_month_day date;  // its date
  unsigned hour = 0;                 // 0..23
  unsigned minute = 0;               // 0..59
  unsigned day_of_week = 0;          // 0 = Sunday .. 6 = Saturday
  LunarDate lunar;
  CyclePosition year_cycle;   // of the lunar year; its branch is the animal's
  CyclePosition month_cycle;  // of the lunar month
  CyclePosition day_cycle;
  unsigned hour_branch = 0;                        // 0 (子) .. 11 (亥)
  std::optional<unsigned> solar_term;              // 0 (小寒) .. 23 (冬至), on its day
  unsigned star_sign = 0;                          // 0 (白羊) .. 11 (双鱼)
  FestivalRun fixed_festivals;                     // rows of the fixed-date table
  FestivalRun weekday_festivals;                   // rows of the n-th weekday table
  FestivalRun last_week_festivals;                 // rows of the last-weekday table
  FestivalRun lunar_festivals;                     // rows of the lunar table
  std::optional<FestivalCountdown> next_festival;  // strictly after the day
  std::optional<TermCountdown> next_term;          // strictly after the day
  OfficialDay official;                            // by the arrangement the facts were asked with
  MoonPhaseOfDay moon;  // the day's phase; the instant on a principal phase's day
  SeasonDay season;     // the dog days or the nines, when the day is in one
  unsigned pentad = 0;  // 0 (小寒's first) .. 71 (冬至's third)
  Pillars pillars;      // the four pillars at the moment
  TermsAbout terms;     // the terms about the moment, for what counts from them
  AlmanacDay almanac;   // the almanac page's items of the day
};

// The facts of a local wall time of the calendar's range (its first day
// 00:00 .. its last day 23:59), or nothing outside it.  The official days off are
// those of `arrangement`: the built-in one, or one a user's file changed.
std::optional<DayFacts> FactsOf(BeijingTime time,
                                const Arrangement& arrangement = kBuiltInArrangement) noexcept;

// The same with the day of week as a clock reported it (0 = Sunday .. 6),
// which the weekday and the n-th weekday festivals then follow: the plug-in
// shows its clock's own.
std::optional<DayFacts> FactsOf(BeijingTime time, unsigned day_of_week,
                                const Arrangement& arrangement = kBuiltInArrangement) noexcept;

// A date and a time of day as a wall time.
constexpr BeijingTime WallTime(std::chrono::year_month_day date, unsigned hour = 0,
                               unsigned minute = 0) noexcept {
  return std::chrono::local_days{date} + std::chrono::hours{hour} + std::chrono::minutes{minute};
}

}  // namespace moonfold
