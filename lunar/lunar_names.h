// Names of the lunar day and month, as a calendar prints them: 初二 for the
// second day, 十 for the tenth month, 闰二 for the leap second month.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lunar/day_number.h"

namespace moonfold {

// Month names, index = month - 1.  The first month is 正, the eleventh 冬
// (winter) and the twelfth 腊 (the month of the year-end sacrifice).
inline constexpr std::array<std::u16string_view, 12> LunarMonthNames{
    u"正", u"二", u"三", u"四", u"五", u"六",
    u"七", u"八", u"九", u"十", u"冬", u"腊"};

// First character of a day name.  Indexes 0..2 serve the round days 10, 20
// and 30 (初十, 二十, 三十); 3..6 the days 1-9, 11-19, 21-29 and 31-39.
inline constexpr std::array<std::u16string_view, 7> LunarDayTens{
    u"初", u"二", u"三", u"初", u"十", u"廿", u"参"};

// Second character of a day name, index = day mod 10.
inline constexpr std::array<std::u16string_view, 10> LunarDayDigits{
    u"十", u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};

inline constexpr std::u16string_view kLeapMonthPrefix = u"闰";

// Two-character name of lunar day 1..30; empty for a day outside 1..39.
std::u16string LunarDayText(CalendarNumber lunar_day);

// Name of lunar month 1..12, prefixed with 闰 when leap_flag is 1; no 月 is
// appended.  Empty for a month outside 1..12.
std::u16string LunarMonthText(CalendarNumber lunar_month, std::uint16_t leap_flag);

}  // namespace moonfold
