#include "lunar/lunar_names.h"

namespace moonfold {

std::u16string LunarDayText(CalendarNumber lunar_day) {
  if (lunar_day < 1 || lunar_day > 39) return {};
  const unsigned tens = lunar_day / 10;
  const unsigned unit = lunar_day % 10;
  const unsigned tens_index = unit != 0 ? tens + 3 : tens - 1;
  std::u16string text(LunarDayTens[tens_index]);
  text += LunarDayDigits[unit];
  return text;
}

std::u16string LunarMonthText(CalendarNumber lunar_month, std::uint16_t leap_flag) {
  if (lunar_month < 1 || lunar_month > 12) return {};
  std::u16string text;
  if (leap_flag == 1) text = kLeapMonthPrefix;
  text += LunarMonthNames[lunar_month - 1];
  return text;
}

}  // namespace moonfold
