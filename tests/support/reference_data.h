// The independent calendar reference in tests/data: every day of the
// calendar's range and the instant of every solar term of its years,
// as an astronomical calendar library computes them (tools/make_reference.js
// made the files; Moonfold's tables come from another engine) — but where
// the calendar departs from it by design: the six terms of the past held as
// their calendars were issued, and the days decades ahead that the
// predicted ΔT cannot settle, where the reference keeps an older ΔT.  There
// it is moved to the tables' day, once it is seen to lie within minutes.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cycles/solar_terms.h"
#include "lunar/lunar_calendar.h"

namespace moonfold::testing {

// A file of tests/data by its name there (the tools' data as
// "../../tools/data/NAME"): its bytes, or nothing when it cannot be read.
std::string ReadDataFile(const char* name);

struct ReferenceDay {
  std::uint16_t year, month, day;
  std::uint16_t lunar_year, lunar_month, lunar_day, leap;
  std::u16string solar_term;  // empty when no term begins on the day
  std::u16string day_cycle;   // stem-branch name of the day
};

// Every day of the calendar's range, and 24 terms a year of its years.
inline constexpr auto kReferenceDayCount =
    static_cast<std::size_t>((kLastCalendarDay - kFirstCalendarDay).count() + 1);
inline constexpr auto kReferenceTermCount =
    static_cast<std::size_t>(24 * (kLastTermYear - kFirstTermYear + 1));

// All days of the range in date order.  A file that is missing, short or
// malformed fails every test that asks for it, and gives no day at all.
const std::vector<ReferenceDay>& AllReferenceDays();

// The days of the plug-in's years (common/plugin_years.h).
const std::vector<ReferenceDay>& ReferenceDays();

struct ReferenceTerm {
  std::uint16_t year, index;  // index 0 = 小寒 .. 23 = 冬至
  std::u16string name;
  std::chrono::local_seconds beijing_time;
};

// Every term of the calendar's years in order; fails the calling test likewise.
const std::vector<ReferenceTerm>& ReferenceTerms();

// The official days of the transcribed State Council notices
// (tools/data/cn-holidays.tsv), read here by the tests themselves: date
// (YYYY-MM-DD) -> whether it is off (else a make-up working day), and the
// holiday's name.
struct NoticeDay {
  bool off = false;
  std::u16string holiday;
};
const std::map<std::string, NoticeDay>& NoticeDays();

// The almanac page's items of sampled days as a second engine reckons
// them (tests/data/almanac_reference.tsv, written by
// tools/make_almanac_reference.js): the keyword's texts in simplified
// characters, in the order of kAlmanacKeywords.  Every day of the years
// divisible by ten and of 2026, and each 节 day with the days either side.
inline constexpr const char16_t* kAlmanacKeywords[]{
    u"DUTY", u"DAYGOD", u"MANSION", u"CLASH", u"PENGZU", u"DIRECTIONS", u"LUCKYHOURS"};
struct AlmanacReferenceDay {
  std::uint16_t year, month, day;
  std::vector<std::u16string> texts;
};
// Fails the calling test when the file is missing, short or malformed.
const std::vector<AlmanacReferenceDay>& AlmanacReferenceDays();

// A date as YYYY-MM-DD, for test messages.
std::string DateText(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// UTF-8 for test messages.
std::string Narrow(const std::u16string& text);

}  // namespace moonfold::testing
