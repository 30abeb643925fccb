#include "texts/day_texts.h"

#include "texts/calendar_texts.h"

#include "cycles/pillars.h"
#include "cycles/seasons.h"
#include "lunar/moon_phases.h"

namespace moonfold::texts {

std::u16string LunarDayText(const DayFacts& f, Script s) {
  return std::u16string(LunarDayName(f.lunar.day, s));
}
std::u16string LunarMonthText(const DayFacts& f, Script s) {
  return LunarMonthName(f.lunar.month, f.lunar.leap, s);
}
std::u16string WeekdayText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).weekdays, f.day_of_week));
}
std::u16string YearCycleText(const DayFacts& f, Script s) { return CycleName(f.year_cycle, s); }
std::u16string MonthCycleText(const DayFacts& f, Script s) { return CycleName(f.month_cycle, s); }
std::u16string DayCycleText(const DayFacts& f, Script s) { return CycleName(f.day_cycle, s); }
std::u16string HourBranchText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).branches, f.hour_branch));
}
std::u16string SolarTermText(const DayFacts& f, Script s) {
  return f.solar_term ? std::u16string(SolarTermName(*f.solar_term, s)) : std::u16string();
}
std::u16string StarSignText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).star_signs, f.star_sign));
}
std::u16string FixedDateFestivalText(const DayFacts& f, Script s) {
  return FestivalNames(FestivalTable::kFixedDate, f.fixed_festivals, s);
}
std::u16string WeekdayFestivalText(const DayFacts& f, Script s) {
  return FestivalNames(FestivalTable::kWeekdayRule, f.weekday_festivals, s);
}
std::u16string LastWeekdayFestivalText(const DayFacts& f, Script s) {
  std::u16string text = FestivalNames(FestivalTable::kLastWeekday, f.last_week_festivals, s);
  if (!text.empty()) text += u' ';
  return text;
}
std::u16string LunarFestivalText(const DayFacts& f, Script s) {
  return FestivalNames(FestivalTable::kLunar, f.lunar_festivals, s);
}
std::u16string AnimalText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).animals, f.year_cycle.Branch()));
}
std::u16string CountdownText(const DayFacts& f, Script s) {
  if (!f.next_festival) return {};
  const auto& names = NamesOf(s).countdown_festivals;
  return CountdownName(NameAt(names, static_cast<std::size_t>(f.next_festival->festival)),
                       f.next_festival->days, s);
}
std::u16string HolidayText(const DayFacts& f, Script s) {
  if (f.official.status != DayStatus::kDayOff) return {};
  return std::u16string(HolidayName(f.official.holiday, s));
}
std::u16string DayOffText(const DayFacts& f, Script s) {
  const texts::Labels& labels = NamesOf(s).labels;
  switch (f.official.status) {
    case DayStatus::kDayOff: return std::u16string(labels.day_off);
    case DayStatus::kMakeUpWork: return std::u16string(labels.make_up_day);
    case DayStatus::kUnknown:
    case DayStatus::kOrdinary: break;
  }
  return {};
}
std::u16string SeasonDaysText(const DayFacts& f, Script s) {
  if (f.season.period == SeasonPeriod::kNone) return {};
  return SeasonDayName(f.season, s);
}
std::u16string PentadText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).pentads, f.pentad));
}
std::u16string PillarsText(const DayFacts& f, Script s) {
  // Four names of two characters and three spaces: one allocation.
  std::u16string text;
  text.reserve(11);
  for (const CyclePosition& pillar :
       {f.pillars.year, f.pillars.month, f.pillars.day, f.pillars.hour}) {
    if (!text.empty()) text += u' ';
    text += CycleName(pillar, s);
  }
  return text;
}
std::u16string MoonPhaseText(const DayFacts& f, Script s) {
  return std::u16string(NameAt(NamesOf(s).moon_phases, static_cast<std::size_t>(f.moon.phase)));
}
std::u16string EraText(const DayFacts& f, Script s) {
  const auto reign = ReignYearOf(f.lunar.year);
  return reign ? ReignYearName(*reign, s) : std::u16string();
}
std::u16string RepublicYearText(const DayFacts& f, Script s) {
  const auto year = RepublicYearOf(static_cast<int>(f.date.year()));
  return year ? RepublicYearName(*year, s) : std::u16string();
}
std::u16string NextTermText(const DayFacts& f, Script s) {
  if (!f.next_term) return {};
  return CountdownName(SolarTermName(f.next_term->term, s), f.next_term->days, s);
}

}  // namespace moonfold::texts
