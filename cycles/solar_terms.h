// The 24 solar terms (节气): the days on which the sun reaches each multiple
// of 15 degrees of ecliptic longitude, two in every Gregorian month.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "lunar/day_number.h"

namespace moonfold {

// In calendar order; index 2m - 2 is the first term of Gregorian month m and
// 2m - 1 its second.
inline constexpr std::array<std::u16string_view, 24> SolarTermNames{
    u"小寒", u"大寒", u"立春", u"雨水", u"惊蛰", u"春分", u"清明", u"谷雨",
    u"立夏", u"小满", u"芒种", u"夏至", u"小暑", u"大暑", u"立秋", u"处暑",
    u"白露", u"秋分", u"寒露", u"霜降", u"立冬", u"小雪", u"大雪", u"冬至"};

inline constexpr std::uint16_t kNoSolarTerm = 0xFFFF;

// Index 0..23 of the term that falls on the date, or kNoSolarTerm.  Years
// outside 1990..2050, months outside 1..12 and day 0 have none.
std::uint16_t SolarTermIndex(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day) noexcept;

// Name of the term that falls on the date, or the empty string.
std::u16string SolarTermText(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day);

}  // namespace moonfold
