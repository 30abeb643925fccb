#include "input/dates.h"

#include <cstdio>

#include "common/utf8.h"
#include "cycles/eras.h"
#include "texts/names.h"

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

// A number in Chinese numerals, 一 .. 九十九, as years, months and days are
// written: 二十六, 十一, 廿四 (廿 for twenty, 卅 for thirty).
std::optional<int> TakeChineseNumber(std::string_view& text) {
  static constexpr std::string_view kDigits[] = {"〇", "一", "二", "三", "四",
                                                 "五", "六", "七", "八", "九"};
  const auto digit = [&]() -> std::optional<int> {
    for (int d = 1; d < 10; ++d) {
      if (TakeText(text, kDigits[d])) return d;
    }
    return std::nullopt;
  };
  std::string_view rest = text;
  int value = 0;
  if (TakeText(text, "廿")) {
    value = 20;
  } else if (TakeText(text, "卅")) {
    value = 30;
  } else {
    const std::optional<int> tens = digit();
    if (TakeText(text, "十")) {
      value = 10 * tens.value_or(1);
    } else if (tens) {
      return tens;
    } else {
      text = rest;
      return std::nullopt;
    }
  }
  return value + digit().value_or(0);
}

// A number written in digits (one to `digits`) or in Chinese numerals.
std::optional<int> TakeAnyNumber(std::string_view& text, std::size_t digits) {
  if (const auto n = TakeNumber(text, 1, digits)) return n;
  return TakeChineseNumber(text);
}

std::string TwoDigits(unsigned n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u", n % 100);
  return text;
}

std::string OutsideRange() { return "outside the supported range " + RangeText(); }

// The fields of a date and its time of day.  With `leap`, L or 闰 may stand
// before the month.
struct DateFields {
  int year = 0, month = 0, day = 0;
  bool leap = false;
  unsigned hour = 0, minute = 0;
  std::optional<int> offset;
};

// A UTC offset after a time: Z, or +HH:MM, +HHMM or +HH (- west of UTC).
Parsed<std::optional<int>> TakeOffset(std::string_view& text) {
  if (text.empty()) return std::optional<int>();
  if (TakeText(text, "Z") || TakeText(text, "z")) return std::optional<int>(0);
  const bool east = text[0] == '+';
  if (!east && text[0] != '-') return std::string();
  text.remove_prefix(1);
  const auto hours = TakeNumber(text, 2, 2);
  if (!hours) return std::string();
  TakeText(text, ":");
  const int minutes = TakeNumber(text, 2, 2).value_or(0);
  if (*hours > 14 || minutes > 59) return "no such UTC offset";
  return std::optional<int>((east ? 1 : -1) * (*hours * 60 + minutes));
}

// What follows a date: nothing (00:00), or T (or a space) and the time of
// day H:MM or HH:MM, with seconds, which the calendar does not count, and
// a UTC offset if the time is another clock's.  A text of another form
// gives `form`, a time that is no time of day says so.
Parsed<DateFields> TakeTime(std::string_view text, DateFields f, const std::string& form) {
  if (text.empty()) return f;
  if (!TakeText(text, "T") && !TakeText(text, "t") && !TakeText(text, " ")) return form;
  const auto hour = TakeNumber(text, 1, 2);
  if (!hour || !TakeText(text, ":")) return form;
  const auto minute = TakeNumber(text, 2, 2);
  if (!minute) return form;
  if (TakeText(text, ":")) {
    const auto second = TakeNumber(text, 2, 2);
    if (!second) return form;
    if (TakeText(text, ".") || TakeText(text, ",")) {
      if (!TakeNumber(text, 1, 9)) return form;
    }
    if (*second > 60) return "no such time of day";
  }
  const auto offset = TakeOffset(text);
  if (const auto* why = std::get_if<std::string>(&offset)) return why->empty() ? form : *why;
  if (!text.empty()) return form;
  if (*hour > 23 || *minute > 59) return "no such time of day";
  f.hour = static_cast<unsigned>(*hour);
  f.minute = static_cast<unsigned>(*minute);
  f.offset = std::get<std::optional<int>>(offset);
  return f;
}

// "YYYY-MM-DD" and what follows it.  Month and day take one or two digits;
// with `leap_marks`, L or 闰 may stand before the month.
Parsed<DateFields> TakeDateFields(std::string_view text, bool leap_marks, const std::string& form) {
  DateFields f;
  const auto y = TakeNumber(text, 4, 4);
  if (!y || !TakeText(text, "-")) return form;
  f.leap = leap_marks && TakeLeapMark(text);
  const auto m = TakeNumber(text, 1, 2);
  if (!m || !TakeText(text, "-")) return form;
  const auto d = TakeNumber(text, 1, 2);
  if (!d) return form;
  f.year = *y, f.month = *m, f.day = *d;
  return TakeTime(text, f, form);
}

// An era's name at the front of a text, in either script: its row
// (kReignEras' or kRepublicEra) and the name as written.
std::optional<std::pair<std::size_t, std::string>> TakeEra(std::string_view& text) {
  for (const Script script : {Script::kSimplified, Script::kTraditional}) {
    const auto& eras = texts::NamesOf(script).eras;
    for (std::size_t e = 0; e < eras.size(); ++e) {
      const std::string name = Utf8FromUtf16(eras[e]);
      if (TakeText(text, name)) return std::pair{e, name};
    }
  }
  return std::nullopt;
}

// The month and day after an era's year: "-MM-DD" as dates are written
// (L or 闰 before a lunar leap month), or after 年 as they were written,
// 五月廿四, 闰八月初一, 正月初一 (lunar) or 10月1日 (Gregorian).
Parsed<DateFields> TakeEraMonthDay(std::string_view text, DateFields f, bool lunar,
                                   const std::string& form) {
  if (TakeText(text, "-")) {
    f.leap = lunar && TakeLeapMark(text);
    const auto m = TakeNumber(text, 1, 2);
    if (!m || !TakeText(text, "-")) return form;
    const auto d = TakeNumber(text, 1, 2);
    if (!d) return form;
    f.month = *m, f.day = *d;
    return TakeTime(text, f, form);
  }
  if (!TakeText(text, "年")) return form;
  f.leap = lunar && TakeLeapMark(text);
  std::optional<int> m;
  if (lunar && TakeText(text, "正")) {
    m = 1;
  } else if (lunar && (TakeText(text, "冬"))) {
    m = 11;
  } else if (lunar && (TakeText(text, "腊") || TakeText(text, "臘"))) {
    m = 12;
  } else {
    m = TakeAnyNumber(text, 2);
  }
  if (!m || !TakeText(text, "月")) return form;
  std::optional<int> d;
  if (lunar && TakeText(text, "初")) {
    d = TakeChineseNumber(text);
    if (d && *d > 10) return form;
  } else {
    d = TakeAnyNumber(text, 2);
  }
  if (!d) return form;
  TakeText(text, "日");
  f.month = *m, f.day = *d;
  return TakeTime(text, f, form);
}

// A date written with an era's year: 光绪26-05-24, 光绪二十六年五月廿四 for a
// lunar date, 民国38-10-01, 民國38年10月1日 for a Gregorian one.  Nothing
// when the text does not begin with an era's name; else its fields with
// the year counted, or why not.
std::optional<Parsed<DateFields>> TakeEraDate(std::string_view text, bool lunar) {
  // Every era's name is Chinese: a text that begins with an ASCII
  // character (a year's digits) is none, and its names are not looked at.
  if (text.empty() || static_cast<unsigned char>(text[0]) < 0x80) return std::nullopt;
  const std::string form =
      lunar ? "expected a reign year's lunar date: 光绪26-05-24 or 光绪二十六年五月廿四"
            : "expected a year of the Republic's date: 民国38-10-01 or 民国38年10月1日";
  const auto era = TakeEra(text);
  if (!era) return std::nullopt;
  const auto& [row, name] = *era;
  if (lunar && row == kRepublicEra) {
    return Parsed<DateFields>(name + " years count Gregorian years: give its date with --date");
  }
  if (!lunar && row != kRepublicEra) {
    return Parsed<DateFields>(name + " years count lunar years: give its date with --lunar");
  }
  std::optional<int> n;
  if (TakeText(text, "元")) {
    n = 1;
  } else {
    n = TakeAnyNumber(text, 3);
  }
  if (!n) return Parsed<DateFields>(form);
  const std::optional<int> year = YearOfEra({static_cast<std::uint8_t>(row), *n});
  if (!year) {
    const EraSpan span = kReignEras[row];
    return Parsed<DateFields>(name + " has " + std::to_string(span.last - span.first + 1) +
                              " years, " + std::to_string(span.first) + "–" +
                              std::to_string(span.last));
  }
  DateFields f;
  f.year = *year;
  return TakeEraMonthDay(text, f, lunar, form);
}

// The fields of a date written with an era's year, or else of YYYY-MM-DD
// (a lunar one with `lunar`), a text of neither form giving `form`.
Parsed<DateFields> DateFieldsOf(std::string_view text, bool lunar, const std::string& form) {
  if (auto era = TakeEraDate(text, lunar)) return std::move(*era);
  return TakeDateFields(text, lunar, form);
}

// A Gregorian date's fields, checked: the month and the day its month has.
Parsed<DateTime> GregorianDateOf(const DateFields& f) {
  if (f.month < 1 || f.month > 12)
    return "there is no month " + TwoDigits(static_cast<unsigned>(f.month));
  if (f.day < 1) return "there is no day 00";
  const year_month_day_last last{year{f.year},
                                 month_day_last{month(static_cast<unsigned>(f.month))}};
  const unsigned days_in_month = static_cast<unsigned>(last.day());
  if (static_cast<unsigned>(f.day) > days_in_month) {
    return std::to_string(f.year) + "-" + TwoDigits(static_cast<unsigned>(f.month)) + " has " +
           std::to_string(days_in_month) + " days";
  }
  const DateTime out{
      year{f.year} / month(static_cast<unsigned>(f.month)) / day(static_cast<unsigned>(f.day)),
      f.hour, f.minute, f.offset};
  if (!InCalendarRange(sys_days{out.date})) return OutsideRange();
  return out;
}

}  // namespace

std::string IsoDate(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

Parsed<DateTime> ParseDate(std::string_view text) {
  const auto fields = DateFieldsOf(text, false, "expected YYYY-MM-DD or YYYY-MM-DDTHH:MM");
  if (const auto* why = std::get_if<std::string>(&fields)) return *why;
  return GregorianDateOf(std::get<DateFields>(fields));
}

Parsed<DateTime> ParseLunarDate(std::string_view text) {
  const auto fields = DateFieldsOf(
      text, true, "expected a lunar YYYY-MM-DD, a leap month as YYYY-L02-DD or YYYY-闰2-DD");
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
  if (length == 0) return OutsideRange();  // a lunar year the tables do not hold
  if (static_cast<unsigned>(f.day) > length) {
    return "lunar " + std::to_string(f.year) + "-" + (f.leap ? "L" : "") + TwoDigits(month_number) +
           " has " + std::to_string(length) + " days";
  }
  const auto day_of = FromLunar({f.year, month_number, static_cast<unsigned>(f.day), f.leap});
  if (!day_of) return OutsideRange();
  return DateTime{year_month_day{*day_of}, f.hour, f.minute, f.offset};
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
    return "outside the supported years " + YearsText();
  }
  if (*first > *last) return "the first year comes after the last";
  return YearRange{*first, *last};
}

std::string YearsText() {
  return std::to_string(kFirstCalendarYear) + " … " + std::to_string(kLastCalendarYear);
}

std::string RangeText() {
  return IsoDate(year_month_day{kFirstCalendarDay}) + " … " +
         IsoDate(year_month_day{kLastCalendarDay});
}

}  // namespace moonfold
