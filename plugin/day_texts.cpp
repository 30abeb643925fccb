#include "plugin/day_texts.h"

#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "lunar/lunar_names.h"

namespace moonfold {

std::u16string KindText(InstanceKind kind, const DayFacts& f) {
  switch (kind) {
    case InstanceKind::kLunarDay:
      return LunarDayText(static_cast<CalendarNumber>(f.lunar.day));
    case InstanceKind::kLunarMonth:
      return LunarMonthText(static_cast<CalendarNumber>(f.lunar.month), f.lunar.leap ? 1 : 0);
    case InstanceKind::kWeekday:
      return WeekdayName(static_cast<CalendarNumber>(f.day_of_week));
    case InstanceKind::kYearStemBranch:
      return CycleName(f.year_cycle);
    case InstanceKind::kMonthStemBranch:
      return CycleName(f.month_cycle);
    case InstanceKind::kDayStemBranch:
      return CycleName(f.day_cycle);
    case InstanceKind::kHourBranch:
      return std::u16string(EarthlyBranches[f.hour_branch]);
    case InstanceKind::kSolarTerm:
      return f.solar_term ? std::u16string(SolarTermNames[*f.solar_term]) : std::u16string();
    case InstanceKind::kConstellation:
      return std::u16string(ConstellationNames[f.constellation]);
    case InstanceKind::kFixedDateFestivals:
      return std::u16string(f.fixed_festival);
    case InstanceKind::kWeekdayRuleFestivals:
      return std::u16string(f.weekday_festival);
    case InstanceKind::kLastWeekFestivals:
      // The plug-in has always ended this text with a space.
      return f.last_week_festival.empty() ? std::u16string()
                                          : std::u16string(f.last_week_festival) + u' ';
    case InstanceKind::kLunarFestivals:
      return std::u16string(f.lunar_festival);
    case InstanceKind::kZodiacAnimal:
      return std::u16string(ZodiacAnimals[f.year_cycle.Branch()]);
  }
  return {};
}

}  // namespace moonfold
