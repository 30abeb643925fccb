// Festivals of the lunar calendar: those fixed to a lunar month and day, New
// Year's Eve (除夕) on the last day of the twelfth month, and the two
// festivals held on a solar term, 清明节 and 冬至节.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "festivals/fixed_date_festivals.h"
#include "lunar/lunar_calendar.h"
#include "lunar/day_number.h"

namespace moonfold {

// Keyed by lunar month and day, in calendar order.  腊八 is the eighth day of
// the twelfth month; the 23rd of that month is the Little New Year of the
// north (北方小年), the 24th that of the south (小年).
inline constexpr std::array<DatedFestival, 20> LunarFestivalTable{{
    {1, 1, u"春节"},
    {1, 2, u"大年初二"},
    {1, 3, u"大年初三"},
    {1, 7, u"人日"},
    {1, 15, u"元宵(上元)节"},
    {2, 1, u"中和节"},
    {2, 2, u"龙抬头节"},
    {2, 12, u"花朝"},
    {3, 3, u"上巳"},
    {3, 23, u"妈祖生辰"},
    {4, 8, u"浴佛节"},
    {5, 5, u"端午节"},
    {7, 7, u"七夕情人节"},
    {7, 15, u"中元节(鬼节)"},
    {8, 15, u"中秋节"},
    {9, 9, u"重阳节 中国老年节"},
    {10, 1, u"祭祖节"},
    {12, 8, u"腊八节"},
    {12, 23, u"北方小年"},
    {12, 24, u"小年"},
}};

inline constexpr std::u16string_view kNewYearsEve = u"除夕";
inline constexpr std::u16string_view kQingmingTerm = u"清明";
inline constexpr std::u16string_view kQingmingFestival = u"清明节";
inline constexpr std::u16string_view kWinterSolsticeTerm = u"冬至";
inline constexpr std::u16string_view kWinterSolsticeFestival = u"冬至节";

// The lunar festival of the date, or the empty string.  solar_term is the
// name of the solar term that falls on the same day, or empty.
//
// A festival of the lunar calendar is kept in the ordinary month only: in a
// leap month (leap_flag 1) no table row matches, though the solar-term
// festivals still fall on their terms.  A table row wins over New Year's Eve,
// and New Year's Eve over a solar term.
std::u16string LunarFestivals(CalendarNumber lunar_year, CalendarNumber lunar_month,
                              CalendarNumber lunar_day, std::u16string solar_term,
                              std::uint16_t leap_flag);

// The same rule for any day of 1900..2100, as a view of the names:
// `solar_term` is the index (0..23) of the term that falls on the day.
// New Year's Eve is the last day of the year's twelfth month, whatever its
// length.
std::u16string_view LunarFestivalName(const LunarDate& date,
                                      std::optional<unsigned> solar_term) noexcept;

}  // namespace moonfold
