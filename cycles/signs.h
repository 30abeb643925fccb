// The zodiac animal of the lunar year, the weekday character and the
// western star sign of a Gregorian date.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lunar/day_number.h"

namespace moonfold {

// The twelve animals in the order of the earthly branches, 鼠 for 子.
inline constexpr std::array<std::u16string_view, 12> ZodiacAnimals{
    u"鼠", u"牛", u"虎", u"兔", u"龙", u"蛇", u"马", u"羊", u"猴", u"鸡", u"狗", u"猪"};

// Indexed by day of week, 0 = Sunday (星期日).
inline constexpr std::array<std::u16string_view, 7> WeekdayNames{
    u"日", u"一", u"二", u"三", u"四", u"五", u"六"};

inline constexpr std::array<std::u16string_view, 12> ConstellationNames{
    u"白羊座", u"金牛座", u"双子座", u"巨蟹座", u"狮子座", u"处女座",
    u"天秤座", u"天蝎座", u"射手座", u"摩羯座", u"水瓶座", u"双鱼座"};

// Animal of the lunar year; 1990 is the year of the horse (马).
std::u16string ZodiacAnimal(CalendarNumber lunar_year);

// Weekday character for the clock's day of week (0 = Sunday .. 6).
std::u16string WeekdayName(CalendarNumber day_of_week);

// Star sign of a Gregorian month and day.
std::u16string ConstellationName(CalendarNumber month, CalendarNumber day);

// Its index in ConstellationNames.
unsigned ConstellationIndex(CalendarNumber month, CalendarNumber day) noexcept;

}  // namespace moonfold
