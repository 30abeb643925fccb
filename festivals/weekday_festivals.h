// Festivals tied to a weekday of a Gregorian month: the n-th given weekday
// of the month (Mother's Day, the second Sunday of May), or the last given
// weekday of the month (US Thanksgiving, the last Thursday of November).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lunar/day_number.h"

namespace moonfold {

// Days before the first of each month in a common year, modulo 7.
inline constexpr std::array<std::uint16_t, 12> WeekdayMonthOffsets{
    0, 3, 3, 6, 1, 4, 6, 2, 5, 0, 3, 5};

inline constexpr std::array<std::uint16_t, 12> CommonYearMonthLengths{
    31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Day of week (0 = Sunday .. 6 = Saturday) of a date of the proleptic
// Gregorian calendar; year at least 1, month 1..12.
std::uint16_t GregorianWeekday(CalendarNumber year, CalendarNumber month,
                               CalendarNumber day) noexcept;

// Days of a Gregorian month 1..12 (0 for a month outside 1..12).
std::uint16_t DaysInGregorianMonth(CalendarNumber year, CalendarNumber month) noexcept;

// A festival on the last given weekday of its month.
struct LastWeekdayFestival {
  std::uint16_t month;
  std::uint16_t weekday;  // 0 = Sunday .. 6 = Saturday
  std::u16string_view name;
};

inline constexpr std::array<LastWeekdayFestival, 4> LastWeekFestivalTable{{
    {1, 0, u"世界麻风日"},
    {3, 1, u"全国中小学生安全教育日"},
    {9, 0, u"国际海事日 世界心脏日"},
    {11, 4, u"感恩节(US)"},
}};

// A festival on the n-th given weekday of its month.
struct NthWeekdayFestival {
  std::uint16_t month;
  std::uint16_t week;     // 1..4: the n-th such weekday of the month
  std::uint16_t weekday;  // 0 = Sunday .. 6 = Saturday
  std::u16string_view name;
};

inline constexpr std::array<NthWeekdayFestival, 16> WeekdayRuleFestivalTable{{
    {1, 1, 0, u"黑人日"},
    {4, 3, 0, u"世界儿童日"},
    {4, 4, 3, u"秘书节"},
    {5, 2, 0, u"母亲节 救助贫困母亲日"},
    {5, 3, 0, u"全国助残日"},
    {5, 3, 2, u"国际牛奶日"},
    {6, 3, 0, u"父亲节"},
    {7, 1, 6, u"国际合作节"},
    {7, 3, 0, u"被奴役国家周"},
    {9, 1, 1, u"劳动日"},
    {9, 3, 6, u"全民国防教育日"},
    {9, 4, 0, u"国际聋人节 世界儿童日"},
    {10, 1, 1, u"国际住房日"},
    {10, 2, 1, u"感恩节(Canada)"},
    {10, 2, 3, u"国际减轻自然灾害日"},
    {12, 2, 0, u"国际儿童电视广播日"},
}};

// The festival on the last given weekday of the month that holds the date,
// followed by one space; the empty string when none falls on it.  The
// weekday is computed from the date.
std::u16string LastWeekFestivals(CalendarNumber year, CalendarNumber month,
                                 CalendarNumber day);

// The festival of the n-th weekday rule that the date meets, or the empty
// string.  The day of week is the clock's (0 = Sunday .. 6).  A date lies in
// the n-th week of its month when (day - 1) / 7 + 1 = n.
std::u16string WeekdayRuleFestivals(CalendarNumber month, CalendarNumber day_of_week,
                                    CalendarNumber day);

// The two as views of their tables, without the space that
// LastWeekFestivals adds; empty when none falls on the date.
std::u16string_view LastWeekFestivalName(CalendarNumber year, CalendarNumber month,
                                         CalendarNumber day) noexcept;
std::u16string_view WeekdayRuleFestivalName(unsigned month, unsigned day_of_week,
                                            unsigned day) noexcept;

}  // namespace moonfold
