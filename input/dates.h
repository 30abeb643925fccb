// The dates a user types to the moonfold command, read strictly, with the
// reason when one is refused.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "lunar/lunar_calendar.h"

namespace moonfold {

// A value, or why the text is not one.
template <typename T>
using Parsed = std::variant<T, std::string>;

struct DateTime {
  std::chrono::year_month_day date;
  unsigned hour = 0, minute = 0;  // 00:00 (the 子 hour) when the text gives no time
  // The UTC offset (minutes east) the text gave its time in, if it gave
  // one: the time is then another clock's, which the caller turns into the
  // local wall time that every other input means.
  std::optional<int> offset;
};

// "YYYY-MM-DD", a day of the calendar's range, with a time of day after
// T if wanted: "2026-02-03T7:30", seconds (not counted), and a UTC offset
// ("T07:30+08:00", "T23:30Z", as `date -Iminutes` writes); month and day
// may have one digit or two.  A year of the Republic stands for its
// Gregorian year: "民国38-10-01", "民國38年10月1日".
Parsed<DateTime> ParseDate(std::string_view text);

// The same read as a lunar date; a leap month is written with L or 闰
// before its number ("2023-L02-01", "2023-闰2-01").  A reign year stands
// for its lunar year: "光绪26-05-24", "光绪二十六年五月廿四", "宣统三年八月十九",
// "同治5-L05-10"; a year the era did not have is refused with its years.
// The day it names, if the calendar has it.
Parsed<DateTime> ParseLunarDate(std::string_view text);

// "MM-DD" of a lunar month and day, a leap month written with L or 闰
// before its number ("L04-10", "闰4-10"); month and day may have one digit
// or two.  Whether a given year has the date is not checked here.
struct LunarMonthDay {
  unsigned month = 0, day = 0;
  bool leap = false;
};
Parsed<LunarMonthDay> ParseLunarMonthDay(std::string_view text);

// "YYYY-MM" or "YYYY-M", a month that holds days of the range.
Parsed<std::chrono::year_month> ParseMonth(std::string_view text);

// "YYYY", or with `range` "YYYY:YYYY" too: years of the range,
// first <= last.
struct YearRange {
  int first = 0, last = 0;
};
Parsed<YearRange> ParseYears(std::string_view text, bool range);

// "YYYY-MM-DD".
std::string IsoDate(std::chrono::year_month_day date);

// The supported range, as the errors and the help name it:
// "1645-01-28 … 2100-12-31".
std::string RangeText();
// The supported years, as the errors name them: "1645 … 2100".
std::string YearsText();

}  // namespace moonfold
