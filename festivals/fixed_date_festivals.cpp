#include "festivals/fixed_date_festivals.h"

#include <algorithm>
#include <utility>

namespace moonfold {

std::u16string_view FixedDateFestivalName(unsigned month, unsigned day) noexcept {
  // The rows are in (month, day) order: the first row not before the date
  // is the first that can match, as a walk from the top would find it.
  const auto row = std::lower_bound(
      FixedDateFestivalTable.begin(), FixedDateFestivalTable.end(), std::pair{month, day},
      [](const DatedFestival& r, const std::pair<unsigned, unsigned>& key) {
        return std::pair<unsigned, unsigned>{r.month, r.day} < key;
      });
  if (row == FixedDateFestivalTable.end() || row->month != month || row->day != day) return {};
  return row->name;
}

std::u16string FixedDateFestivals(CalendarNumber month, CalendarNumber day) {
  return std::u16string(FixedDateFestivalName(month, day));
}

}  // namespace moonfold
