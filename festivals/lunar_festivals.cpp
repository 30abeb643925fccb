#include "festivals/lunar_festivals.h"

#include "lunar/lunar_date.h"

namespace moonfold {

namespace {

// The table's row for a day of an ordinary month, or null.
const DatedFestival* LunarRow(unsigned month, unsigned day) noexcept {
  for (const DatedFestival& row : LunarFestivalTable) {
    if (row.month == month && row.day == day) return &row;
  }
  return nullptr;
}

constexpr unsigned kQingmingIndex = 6;
constexpr unsigned kWinterSolsticeIndex = 23;

}  // namespace

std::u16string_view LunarFestivalName(const LunarDate& date,
                                      std::optional<unsigned> solar_term) noexcept {
  if (!date.leap) {
    if (const DatedFestival* row = LunarRow(date.month, date.day)) return row->name;
    if (date.month == 12 && date.day == DaysInLunarMonth(date.year, 12, false)) {
      return kNewYearsEve;
    }
  }
  if (solar_term == kQingmingIndex) return kQingmingFestival;
  if (solar_term == kWinterSolsticeIndex) return kWinterSolsticeFestival;
  return {};
}

std::u16string LunarFestivals(CalendarNumber lunar_year, CalendarNumber lunar_month,
                              CalendarNumber lunar_day, std::u16string solar_term,
                              std::uint16_t leap_flag) {
  if (leap_flag == 0) {
    if (const DatedFestival* row = LunarRow(lunar_month, lunar_day)) return std::u16string(row->name);
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
