// The library's interfaces over the calendar, its facts and its texts.
#include <chrono>
#include <cstring>
#include <new>

#include "common/utf8.h"
#include "moonfold/moonfold.h"
#include "moonfold/moonfold.hpp"
#include "moonfold_version.h"
#include "texts/kinds.h"

namespace moonfold {

std::optional<std::u16string> KeywordText(std::string_view keyword, const DayFacts& facts,
                                          Script script) {
  const auto kind = KindOfKeyword(Utf16FromUtf8(keyword));
  if (!kind) return std::nullopt;
  return KindText(*kind, facts, script);
}

std::optional<std::string> KeywordTextUtf8(std::string_view keyword, const DayFacts& facts,
                                           Script script) {
  const auto text = KeywordText(keyword, facts, script);
  if (!text) return std::nullopt;
  return Utf8FromUtf16(*text);
}

const char* Version() noexcept { return kVersionText; }

}  // namespace moonfold

namespace {

using namespace std::chrono;

// A Gregorian date, or the error it comes to.
int DayOf(int y, int m, int d, sys_days& out) {
  if (m < 1 || m > 12 || d < 1 || d > 31) return MOONFOLD_ERROR_DATE;
  const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok()) return MOONFOLD_ERROR_DATE;
  out = sys_days{date};
  return moonfold::InCalendarRange(out) ? MOONFOLD_OK : MOONFOLD_ERROR_RANGE;
}

}  // namespace

extern "C" int moonfold_to_lunar(int year, int month, int day, moonfold_lunar_date* out) {
  if (out == nullptr) return MOONFOLD_ERROR_NULL;
  sys_days date;
  if (const int status = DayOf(year, month, day, date); status != MOONFOLD_OK) return status;
  const moonfold::LunarDate lunar = *moonfold::ToLunar(date);
  *out = {lunar.year, static_cast<int>(lunar.month), static_cast<int>(lunar.day),
          lunar.leap ? 1 : 0};
  return MOONFOLD_OK;
}

extern "C" int moonfold_from_lunar(const moonfold_lunar_date* date, int* year, int* month,
                                   int* day) {
  if (date == nullptr || year == nullptr || month == nullptr || day == nullptr)
    return MOONFOLD_ERROR_NULL;
  if (date->year < moonfold::kFirstCalendarYear - 1 || date->year > moonfold::kLastCalendarYear) {
    return MOONFOLD_ERROR_RANGE;
  }
  if (date->month < 1 || date->month > 12 || date->day < 1 || date->day > 30 ||
      (date->leap != 0 && date->leap != 1)) {
    return MOONFOLD_ERROR_DATE;
  }
  const auto m = static_cast<unsigned>(date->month), d = static_cast<unsigned>(date->day);
  const bool leap = date->leap == 1;
  if (leap && moonfold::LeapMonthIn(date->year) != m) return MOONFOLD_ERROR_DATE;
  const unsigned length = moonfold::DaysInLunarMonth(date->year, m, leap);
  // Lunar 1899 before its twelfth month lies before the calendar.
  if (length == 0) return MOONFOLD_ERROR_RANGE;
  if (d > length) return MOONFOLD_ERROR_DATE;
  const auto found = moonfold::FromLunar({date->year, m, d, leap});
  if (!found) return MOONFOLD_ERROR_RANGE;
  const year_month_day ymd{*found};
  *year = static_cast<int>(ymd.year());
  *month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  *day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  return MOONFOLD_OK;
}

extern "C" int moonfold_text(const char* keyword, int year, int month, int day, int hour,
                             int minute, int script, char* buffer, size_t size) {
  if (keyword == nullptr || (buffer == nullptr && size > 0)) return MOONFOLD_ERROR_NULL;
  if (script != 0 && script != 1) return MOONFOLD_ERROR_SCRIPT;
  // Reading the keyword allocates too: nothing may escape to the caller.
  try {
    const auto kind = moonfold::KindOfKeyword(moonfold::Utf16FromUtf8(keyword));
    if (!kind) return MOONFOLD_ERROR_KEYWORD;
    sys_days date;
    if (const int status = DayOf(year, month, day, date); status != MOONFOLD_OK) return status;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return MOONFOLD_ERROR_TIME;
    const auto facts =
        moonfold::FactsOf(local_days{date.time_since_epoch()} + hours{hour} + minutes{minute});
    if (!facts) return MOONFOLD_ERROR_RANGE;
    const auto s = script == 0 ? moonfold::Script::kSimplified : moonfold::Script::kTraditional;
    const std::string text = moonfold::Utf8FromUtf16(moonfold::KindText(*kind, *facts, s));
    if (size > 0) {
      const std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
      std::memcpy(buffer, text.data(), n);
      buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
  } catch (...) {
    return MOONFOLD_ERROR_MEMORY;
  }
}

extern "C" const char* moonfold_version(void) { return moonfold::kVersionText; }
