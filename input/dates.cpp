#include "input/dates.h"

#include <cstdio>

namespace moonfold {
namespace {

using namespace std::chrono;

// Reads `digits` decimal digits (or, with `at_least` below `digits`, that
// many to `digits`) from the front of `text`.
std::optional<int> TakeNumber(std::string_view& text, std::size_t at_least, std::size_t digits) {
  std::size_t n = 0;
  int value = 0;
  while (n < text.size() && n < digits && text[n] >= '0' && text[n] <= '9') {
    value = value * 10 + (text[n] - '0');
    ++n;
  }
  if (n < at_least) return std::nullopt;
  text.remove_prefix(n);
  return value;
}

bool TakeText(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// A leap month's mark before its number: L (in either case), or 闰 in
// either script.
bool TakeLeapMark(std::string_view& text) {
  return TakeText(text, "L") || TakeText(text, "l") || TakeText(text, "闰") || TakeText(text, "閏");
}

std::string TwoDigits(unsigned n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u", n % 100);
  return text;
}

std::string OutsideRange() { return "outside the supported range " + RangeText(); }

// The fields of "YYYY-MM-DD[THH:MM]".  Month and day take `least_digits`
// to two digits; with `leap_marks`, L or 闰 may stand before the month.  A
// text of another form gives `form`, a time that is no time of day says so.
struct DateFields {
  int year = 0, month = 0, day = 0;
  bool leap = false;
  unsigned hour = 0, minute = 0;
};

Parsed<DateFields> TakeDateFields(std::string_view text, std::size_t least_digits, bool leap_marks,
                                  const std::string& form) {
  DateFields f;
  const auto y = TakeNumber(text, 4, 4);
  if (!y || !TakeText(text, "-")) return form;
  f.leap = leap_marks && TakeLeapMark(text);
  const auto m = TakeNumber(text, least_digits, 2);
  if (!m || !TakeText(text, "-")) return form;
  const auto d = TakeNumber(text, least_digits, 2);
  if (!d) return form;
  f.year = *y, f.month = *m, f.day = *d;
  if (text.empty()) return f;
  if (!TakeText(text, "T")) return form;
  const auto hour = TakeNumber(text, 2, 2);
  if (!hour || !TakeText(text, ":")) return form;
  const auto minute = TakeNumber(text, 2, 2);
  if (!minute || !text.empty()) return form;
  if (*hour > 23 || *minute > 59) return "no such time of day";
  f.hour = static_cast<unsigned>(*hour);
  f.minute = static_cast<unsigned>(*minute);
  return f;
}

}  // namespace

std::string IsoDate(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

Parsed<DateTime> ParseDate(std::string_view text) {
  const auto fields = TakeDateFields(text, 1, false, "expected YYYY-MM-DD or YYYY-MM-DDTHH:MM");
  if (const auto* why = std::get_if<std::string>(&fields)) return *why;
  const DateFields& f = std::get<DateFields>(fields);
  if (f.month < 1 || f.month > 12)
    return "there is no month " + TwoDigits(static_cast<unsigned>(f.month));
  if (f.day < 1) return "there is no day 00";
  const year_month_day_last last{year{f.year},
                                 month_day_last{month(static_cast<unsigned>(f.month))}};
  const unsigned days_in_month = static_cast<unsigned>(last.day());
  if (f.day < 1 || static_cast<unsigned>(f.day) > days_in_month) {
    return std::to_string(f.year) + "-" + TwoDigits(static_cast<unsigned>(f.month)) + " has " +
           std::to_string(days_in_month) + " days";
  }
  const DateTime out{
      year{f.year} / month(static_cast<unsigned>(f.month)) / day(static_cast<unsigned>(f.day)),
      f.hour, f.minute};
  if (!InCalendarRange(sys_days{out.date})) return OutsideRange();
  return out;
}

Parsed<DateTime> ParseLunarDate(std::string_view text) {
  const auto fields = TakeDateFields(
      text, 1, true, "expected a lunar YYYY-MM-DD, a leap month as YYYY-L02-DD or YYYY-闰2-DD");
  if (const auto* why = std::get_if<std::string>(&fields)) return *why;
  const DateFields& f = std::get<DateFields>(fields);
  const auto month_number = static_cast<unsigned>(f.month);
  if (month_number < 1 || month_number > 12)
    return "there is no lunar month " + TwoDigits(month_number);
  if (f.year < kFirstCalendarYear - 1 || f.year > kLastCalendarYear) return OutsideRange();
  if (f.leap && LeapMonthIn(f.year) != month_number) {
    return "lunar " + std::to_string(f.year) + " has no leap month " + std::to_string(month_number);
  }
  if (f.day < 1) return "there is no day 00";
  const unsigned length = DaysInLunarMonth(f.year, month_number, f.leap);
  if (length == 0) return OutsideRange();  // lunar 1899 before its twelfth month
  if (f.day < 1 || static_cast<unsigned>(f.day) > length) {
    return "lunar " + std::to_string(f.year) + "-" + (f.leap ? "L" : "") + TwoDigits(month_number) +
           " has " + std::to_string(length) + " days";
  }
  const auto day_of = FromLunar({f.year, month_number, static_cast<unsigned>(f.day), f.leap});
  if (!day_of) return OutsideRange();
  return DateTime{year_month_day{*day_of}, f.hour, f.minute};
}

Parsed<LunarMonthDay> ParseLunarMonthDay(std::string_view text) {
  constexpr std::string_view kForm = "expected a lunar MM-DD, a leap month as L04-10 or 闰4-10";
  LunarMonthDay date;
  date.leap = TakeLeapMark(text);
  const auto m = TakeNumber(text, 1, 2);
  if (!m || !TakeText(text, "-")) return std::string(kForm);
  const auto d = TakeNumber(text, 1, 2);
  if (!d || !text.empty()) return std::string(kForm);
  if (*m < 1 || *m > 12) return "there is no lunar month " + TwoDigits(static_cast<unsigned>(*m));
  if (*d < 1 || *d > 30) {
    return "there is no lunar day " + TwoDigits(static_cast<unsigned>(*d)) + " (days run 1 to 30)";
  }
  date.month = static_cast<unsigned>(*m);
  date.day = static_cast<unsigned>(*d);
  return date;
}

Parsed<year_month> ParseMonth(std::string_view text) {
  std::string_view rest = text;
  const auto y = TakeNumber(rest, 4, 4);
  if (!y || !TakeText(rest, "-")) return "expected YYYY-MM";
  const auto m = TakeNumber(rest, 1, 2);
  if (!m || !rest.empty()) return "expected YYYY-MM";
  if (*m < 1 || *m > 12) return "there is no month " + TwoDigits(static_cast<unsigned>(*m));
  if (!InCalendarYears(*y)) return OutsideRange();
  return year{*y} / month(static_cast<unsigned>(*m));
}

Parsed<YearRange> ParseYears(std::string_view text, bool range) {
  const std::string form = range ? "expected YYYY or YYYY:YYYY" : "expected YYYY";
  std::string_view rest = text;
  const auto first = TakeNumber(rest, 4, 4);
  if (!first) return form;
  std::optional<int> last = first;
  if (range && TakeText(rest, ":")) last = TakeNumber(rest, 4, 4);
  if (!last || !rest.empty()) return form;
  if (!InCalendarYears(*first) || !InCalendarYears(*last)) {
    return "outside the supported years " + std::to_string(kFirstCalendarYear) + " … " +
           std::to_string(kLastCalendarYear);
  }
  if (*first > *last) return "the first year comes after the last";
  return YearRange{*first, *last};
}

std::string RangeText() {
  return IsoDate(year_month_day{kFirstCalendarDay}) + " … " +
         IsoDate(year_month_day{kLastCalendarDay});
}

}  // namespace moonfold
