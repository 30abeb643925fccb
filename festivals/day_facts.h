// Everything the calendar says about one day, computed once as values:
// the plug-in, the command and the benchmark format them as they need.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "cycles/stem_branch.h"
#include "lunar/lunar_calendar.h"

namespace moonfold {

struct DayFacts {
  std::chrono::year_month_day date;
  unsigned hour = 0;                    // clock hour 0..23
  unsigned day_of_week = 0;             // 0 = Sunday .. 6 = Saturday
  LunarDate lunar;
  CyclePosition year_cycle;             // of the lunar year; its branch is the animal's
  CyclePosition month_cycle;            // of the lunar month
  CyclePosition day_cycle;
  unsigned hour_branch = 0;             // 0 (子) .. 11 (亥)
  std::optional<unsigned> solar_term;   // 0 (小寒) .. 23 (冬至), on its day
  unsigned constellation = 0;           // index in ConstellationNames
  // Names from the festival tables, empty when none falls on the day.
  std::u16string_view fixed_festival;
  std::u16string_view weekday_festival;
  std::u16string_view last_week_festival;
  std::u16string_view lunar_festival;
};

// The facts of a day of 1900-01-01..2100-12-31 at a clock hour (0..23),
// or nothing outside that range.
std::optional<DayFacts> FactsOf(std::chrono::year_month_day date, unsigned hour) noexcept;

// The same with the day of week as a clock reported it, which the weekday
// and the weekday-rule festivals then follow (the plug-in shows the clock's
// own).
std::optional<DayFacts> FactsOf(std::chrono::year_month_day date, unsigned hour,
                                unsigned day_of_week) noexcept;

}  // namespace moonfold
