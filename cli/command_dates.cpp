#include "cli/command_dates.h"

#include <cstdio>

namespace moonfold::cli {
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

std::string TwoDigits(unsigned n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u", n % 100);
  return text;
}

std::string OutsideRange() { return "outside the supported range " + std::string(kRangeText); }

// "THH:MM" at the end, or nothing.
std::optional<std::string> TakeTime(std::string_view& text, DateTime& out) {
  if (text.empty()) return std::nullopt;
  if (!TakeText(text, "T")) return "expected THH:MM after the date";
  const auto hour = TakeNumber(text, 2, 2);
  if (!hour || !TakeText(text, ":")) return "expected THH:MM after the date";
  const auto minute = TakeNumber(text, 2, 2);
  if (!minute || !text.empty()) return "expected THH:MM after the date";
  if (*hour > 23 || *minute > 59) return "no such time of day";
  out.hour = static_cast<unsigned>(*hour);
  out.minute = static_cast<unsigned>(*minute);
  return std::nullopt;
}

}  // namespace

std::string IsoDate(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

Parsed<DateTime> ParseDate(std::string_view text) {
  const std::string form = "expected YYYY-MM-DD or YYYY-MM-DDTHH:MM";
  std::string_view rest = text;
  const auto y = TakeNumber(rest, 4, 4);
  if (!y || !TakeText(rest, "-")) return form;
  const auto m = TakeNumber(rest, 2, 2);
  if (!m || !TakeText(rest, "-")) return form;
  const auto d = TakeNumber(rest, 2, 2);
  if (!d) return form;
  DateTime out;
  if (auto error = TakeTime(rest, out)) return *error == "no such time of day" ? *error : form;
  if (*m < 1 || *m > 12) return "there is no month " + TwoDigits(static_cast<unsigned>(*m));
  const year_month_day_last last{year{*y}, month_day_last{month(static_cast<unsigned>(*m))}};
  const unsigned days_in_month = static_cast<unsigned>(last.day());
  if (*d < 1 || static_cast<unsigned>(*d) > days_in_month) {
    return std::to_string(*y) + "-" + TwoDigits(static_cast<unsigned>(*m)) + " has " +
           std::to_string(days_in_month) + " days";
  }
  out.date = year{*y} / month(static_cast<unsigned>(*m)) / day(static_cast<unsigned>(*d));
  if (!InCalendarRange(sys_days{out.date})) return OutsideRange();
  return out;
}

Parsed<DateTime> ParseLunarDate(std::string_view text) {
  const std::string form = "expected a lunar YYYY-MM-DD, a leap month as YYYY-L02-DD or YYYY-闰2-DD";
  std::string_view rest = text;
  const auto y = TakeNumber(rest, 4, 4);
  if (!y || !TakeText(rest, "-")) return form;
  const bool leap = TakeText(rest, "L") || TakeText(rest, "l") || TakeText(rest, "闰");
  const auto m = TakeNumber(rest, 1, 2);
  if (!m || !TakeText(rest, "-")) return form;
  const auto d = TakeNumber(rest, 1, 2);
  if (!d) return form;
  DateTime out;
  if (auto error = TakeTime(rest, out)) return *error == "no such time of day" ? *error : form;

  const unsigned month_number = static_cast<unsigned>(*m);
  const std::string month_name = std::to_string(*y) + "-" + (leap ? "L" : "") + TwoDigits(month_number);
  if (month_number < 1 || month_number > 12) return "there is no lunar month " + TwoDigits(month_number);
  if (*y < 1899 || *y > 2100) return OutsideRange();
  if (leap && LeapMonthIn(*y) != month_number) {
    return "lunar " + std::to_string(*y) + " has no leap month " + std::to_string(month_number);
  }
  const unsigned length = DaysInLunarMonth(*y, month_number, leap);
  if (length == 0) return OutsideRange();  // lunar 1899 before its twelfth month
  if (*d < 1 || static_cast<unsigned>(*d) > length) {
    return "lunar " + month_name + " has " + std::to_string(length) + " days";
  }
  const auto day_of = FromLunar({*y, month_number, static_cast<unsigned>(*d), leap});
  if (!day_of) return OutsideRange();
  out.date = year_month_day{*day_of};
  return out;
}

Parsed<year_month> ParseMonth(std::string_view text) {
  std::string_view rest = text;
  const auto y = TakeNumber(rest, 4, 4);
  if (!y || !TakeText(rest, "-")) return "expected YYYY-MM";
  const auto m = TakeNumber(rest, 1, 2);
  if (!m || !rest.empty()) return "expected YYYY-MM";
  if (*m < 1 || *m > 12) return "there is no month " + TwoDigits(static_cast<unsigned>(*m));
  if (*y < 1900 || *y > 2100) return OutsideRange();
  return year{*y} / month(static_cast<unsigned>(*m));
}

Parsed<YearRange> ParseYears(std::string_view text) {
  std::string_view rest = text;
  const auto first = TakeNumber(rest, 4, 4);
  if (!first) return "expected YYYY or YYYY:YYYY";
  std::optional<int> last = first;
  if (TakeText(rest, ":")) last = TakeNumber(rest, 4, 4);
  if (!last || !rest.empty()) return "expected YYYY or YYYY:YYYY";
  if (*first < 1900 || *last > 2100 || *last < 1900 || *first > 2100) {
    return "outside the supported years 1900 … 2100";
  }
  if (*first > *last) return "the first year comes after the last";
  return YearRange{*first, *last};
}

}  // namespace moonfold::cli
