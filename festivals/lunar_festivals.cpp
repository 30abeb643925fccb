#include "festivals/lunar_festivals.h"

#include "lunar/lunar_date.h"

namespace moonfold {

std::u16string LunarFestivals(CalendarNumber lunar_year, CalendarNumber lunar_month,
                              CalendarNumber lunar_day, std::u16string solar_term,
                              std::uint16_t leap_flag) {
  if (leap_flag == 0) {
    for (const DatedFestival& row : LunarFestivalTable) {
      if (row.month == lunar_month && row.day == lunar_day) return std::u16string(row.name);
    }
  }
  // No year has its leap month after the twelfth, so the twelfth month's last
  // day is always the eve of the new year.
  if (lunar_month == 12 && lunar_day == LunarMonthLengths(lunar_year, 12)) {
    return std::u16string(kNewYearsEve);
  }
  if (solar_term == kQingmingTerm) return std::u16string(kQingmingFestival);
  if (solar_term == kWinterSolsticeTerm) return std::u16string(kWinterSolsticeFestival);
  return {};
}

}  // namespace moonfold
