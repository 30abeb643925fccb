// Moonfold's C++20 interface: the traditional Chinese calendar of
// 1900-01-01 to 2100-12-31.  find_package(Moonfold 1) and link
// Moonfold::moonfold, or pkg-config moonfold.  Every function may be called
// from any thread at once and none throws but std::bad_alloc.
//
// From the calendar's own headers, installed beside this one:
//
//   struct LunarDate { int year; unsigned month; unsigned day; bool leap; };
//     the lunar year (it begins at the lunar new year), the month 1..12 (a
//     leap month carries the number of the month before it), the day 1..30,
//     and whether it is the leap month.
//
//   std::optional<LunarDate> ToLunar(std::chrono::sys_days day);
//     the lunar date of a Gregorian day of 1900-01-01 .. 2100-12-31;
//     nothing outside that range.
//
//   std::optional<std::chrono::sys_days> FromLunar(const LunarDate& date);
//     the Gregorian day of a lunar date; nothing for a date the lunar year
//     lacks (lunar 2024 has no leap 4th month) or a day outside the range.
//
//   std::optional<DayFacts> FactsOf(std::chrono::local_time<std::chrono::minutes> time,
//                                   const Arrangement& = kBuiltInArrangement);
//     every fact of a local wall time of the range (to the minute; the
//     calendar is reckoned in Beijing time, UTC+8) as values — `lunar` its
//     LunarDate, the cycles, the solar term, festivals, official day off by
//     the arrangement given (the built-in one by default), moon, seasons and
//     pillars — or nothing outside the range.
//
//   enum class Script { kSimplified, kTraditional };
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "festivals/day_facts.h"
#include "texts/names.h"

#if defined(_WIN32)
#define MOONFOLD_CXX_API
#else
#define MOONFOLD_CXX_API __attribute__((visibility("default")))
#endif

namespace moonfold {

// The text of a keyword (LUNARDAY, HEYEAR, SOLAR, PILLARS … as the plug-in
// knows them, whatever the case of their letters) for the facts of a
// moment, in a script: UTF-16, or UTF-8.  Nothing for a word that is no
// keyword; an empty text where the day has none (no solar term, no
// festival).
MOONFOLD_CXX_API std::optional<std::u16string> KeywordText(std::string_view keyword,
                                                           const DayFacts& facts, Script script);
MOONFOLD_CXX_API std::optional<std::string> KeywordTextUtf8(std::string_view keyword,
                                                            const DayFacts& facts, Script script);

// The version, "major.minor.patch".
MOONFOLD_CXX_API const char* Version() noexcept;

}  // namespace moonfold
