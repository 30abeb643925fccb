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
  unsigned hour = 0, minute = 0;
};

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM", a day of 1900-01-01..2100-12-31;
// month and day may have one digit or two.
Parsed<DateTime> ParseDate(std::string_view text);

// "YYYY-MM-DD[THH:MM]" read as a lunar date; a leap month is written with
// L or 闰 before its number ("2023-L02-01", "2023-闰2-01"); month and day
// may have one digit or two.  The day it names, if the calendar has it.
Parsed<DateTime> ParseLunarDate(std::string_view text);

// "MM-DD" of a lunar month and day, a leap month written with L or 闰
// before its number ("L04-10", "闰4-10"); month and day may have one digit
// or two.  Whether a given year has the date is not checked here.
struct LunarMonthDay {
  unsigned month = 0, day = 0;
  bool leap = false;
};
Parsed<LunarMonthDay> ParseLunarMonthDay(std::string_view text);

// "YYYY-MM" or "YYYY-M", a month of 1900-01..2100-12.
Parsed<std::chrono::year_month> ParseMonth(std::string_view text);

// "YYYY", or with `range` "YYYY:YYYY" too: years within 1900..2100,
// first <= last.
struct YearRange {
  int first = 0, last = 0;
};
Parsed<YearRange> ParseYears(std::string_view text, bool range);

// "YYYY-MM-DD".
std::string IsoDate(std::chrono::year_month_day date);

// The supported range, as the errors and the help name it:
// "1900-01-01 … 2100-12-31".
std::string RangeText();

}  // namespace moonfold
