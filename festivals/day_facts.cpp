#include "festivals/day_facts.h"

#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "festivals/fixed_date_festivals.h"
#include "festivals/lunar_festivals.h"
#include "festivals/weekday_festivals.h"

namespace moonfold {

std::optional<DayFacts> FactsOf(std::chrono::year_month_day date, unsigned hour,
                                unsigned day_of_week) noexcept {
  if (!date.ok()) return std::nullopt;
  const std::chrono::sys_days day{date};
  const std::optional<LunarDate> lunar = ToLunar(day);
  if (!lunar) return std::nullopt;
  const auto year = static_cast<CalendarNumber>(static_cast<int>(date.year()));
  const auto month = static_cast<CalendarNumber>(static_cast<unsigned>(date.month()));
  const auto day_of_month = static_cast<CalendarNumber>(static_cast<unsigned>(date.day()));

  DayFacts facts;
  facts.date = date;
  facts.hour = hour;
  facts.day_of_week = day_of_week;
  facts.lunar = *lunar;
  facts.year_cycle = YearCycle(lunar->year);
  facts.month_cycle = MonthCycle(lunar->year, lunar->month);
  facts.day_cycle = DayCycle(day);
  facts.hour_branch = HourBranchIndex(hour);
  facts.solar_term = SolarTermOn(date);
  facts.constellation = ConstellationIndex(month, day_of_month);
  facts.fixed_festival = FixedDateFestivalName(month, day_of_month);
  facts.weekday_festival = WeekdayRuleFestivalName(month, day_of_week, day_of_month);
  facts.last_week_festival = LastWeekFestivalName(year, month, day_of_month);
  facts.lunar_festival = LunarFestivalName(*lunar, facts.solar_term);
  return facts;
}

std::optional<DayFacts> FactsOf(std::chrono::year_month_day date, unsigned hour) noexcept {
  if (!date.ok()) return std::nullopt;
  return FactsOf(date, hour, std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding());
}

}  // namespace moonfold
