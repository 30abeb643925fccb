#include "festivals/fixed_date_festivals.h"

namespace moonfold {

std::u16string FixedDateFestivals(CalendarNumber month, CalendarNumber day) {
  for (const DatedFestival& row : FixedDateFestivalTable) {
    if (row.month == month && row.day == day) return std::u16string(row.name);
  }
  return {};
}

}  // namespace moonfold
