#include "festivals/weekday_festivals.h"

namespace moonfold {

std::uint16_t GregorianWeekday(CalendarNumber year, CalendarNumber month,
                               CalendarNumber day) noexcept {
  if (month < 1 || month > 12) return 0;
  // 1 January of year 1 was a Monday; every common year moves the weekday on
  // by one and every leap year by two.
  const unsigned p = static_cast<std::uint16_t>(year - 1);
  unsigned s = p % 7 + p / 4 - p / 100 + p / 400 + WeekdayMonthOffsets[month - 1] + day;
  if (month > 2 && IsGregorianLeapYear(year)) ++s;
  return static_cast<std::uint16_t>(s % 7);
}

std::uint16_t DaysInGregorianMonth(CalendarNumber year, CalendarNumber month) noexcept {
  if (month < 1 || month > 12) return 0;
  if (month == 2 && IsGregorianLeapYear(year)) return 29;
  return CommonYearMonthLengths[month - 1];
}

std::u16string_view LastWeekFestivalName(CalendarNumber year, CalendarNumber month,
                                         CalendarNumber day) noexcept {
  for (const LastWeekdayFestival& row : LastWeekFestivalTable) {
    if (row.month != month) continue;
    // The last seven days of a month hold each weekday once.
    const bool in_last_week = day + 7 > DaysInGregorianMonth(year, month);
    if (in_last_week && GregorianWeekday(year, month, day) == row.weekday) return row.name;
  }
  return {};
}

std::u16string LastWeekFestivals(CalendarNumber year, CalendarNumber month,
                                 CalendarNumber day) {
  const std::u16string_view name = LastWeekFestivalName(year, month, day);
  if (name.empty()) return {};
  std::u16string text(name);
  text += u' ';
  return text;
}

std::u16string_view WeekdayRuleFestivalName(unsigned month, unsigned day_of_week,
                                            unsigned day) noexcept {
  if (day < 1) return {};
  const unsigned week = (day - 1u) / 7u + 1u;
  for (const NthWeekdayFestival& row : WeekdayRuleFestivalTable) {
    if (row.month == month && row.weekday == day_of_week && row.week == week) return row.name;
  }
  return {};
}

std::u16string WeekdayRuleFestivals(CalendarNumber month, CalendarNumber day_of_week,
                                    CalendarNumber day) {
  return std::u16string(WeekdayRuleFestivalName(month, day_of_week, day));
}

}  // namespace moonfold
