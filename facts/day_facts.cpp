#include "facts/day_facts.h"

#include "cycles/signs.h"

namespace moonfold {

using namespace std::chrono;

std::optional<DayFacts> FactsOf(BeijingTime time, unsigned day_of_week,
                                const Arrangement& arrangement) noexcept {
  const local_days local_day = floor<days>(time);
  const sys_days day{local_day.time_since_epoch()};
  const std::optional<LunarDate> lunar = ToLunar(day);
  const year_month_day date{day};
  const std::optional<TermsAbout> terms = TermsAboutMoment(time, date);
  if (!lunar || !terms) return std::nullopt;
  const hh_mm_ss clock{time - local_day};
  DayFacts facts;
  facts.time = time;
  facts.date = date;
  facts.hour = static_cast<unsigned>(clock.hours().count());
  facts.minute = static_cast<unsigned>(clock.minutes().count());
  facts.day_of_week = day_of_week;
  facts.lunar = *lunar;
  facts.year_cycle = YearCycle(lunar->year);
  facts.month_cycle = MonthCycle(lunar->year, lunar->month);
  facts.day_cycle = DayCycle(day);
  facts.hour_branch = HourBranchIndex(facts.hour);
  if (terms->days_since_latest == 0) facts.solar_term = SolarTermIndex(terms->latest);
  const unsigned month = static_cast<unsigned>(date.month());
  const unsigned day_of_month = static_cast<unsigned>(date.day());
  facts.star_sign = StarSignOf(month, day_of_month);
  const int gregorian_year = static_cast<int>(date.year());
  facts.fixed_festivals = FixedDateFestivals(gregorian_year, month, day_of_month);
  facts.weekday_festivals = WeekdayRuleFestivals(gregorian_year, month, day_of_month, day_of_week);
  facts.last_week_festivals = LastWeekdayFestivals(date);
  facts.lunar_festivals = LunarFestivals(*lunar, facts.solar_term);
  facts.next_festival = NextFestival(day, date, *lunar);
  facts.next_term = NextSolarTerm(day, *terms);
  facts.official = OfficialDayOf(arrangement, day, gregorian_year);
  facts.moon = MoonPhaseOn(day);
  facts.season = SeasonDayOf(day, date);
  facts.pentad = PentadOf(*terms);
  facts.pillars = PillarsOf(*terms, facts.day_cycle, facts.hour);
  facts.terms = *terms;
  facts.almanac = AlmanacDayOf(day, facts.day_cycle, terms->latest);
  return facts;
}

std::optional<DayFacts> FactsOf(BeijingTime time, const Arrangement& arrangement) noexcept {
  const sys_days day{floor<days>(time).time_since_epoch()};
  return FactsOf(time, weekday{day}.c_encoding(), arrangement);
}

}  // namespace moonfold
