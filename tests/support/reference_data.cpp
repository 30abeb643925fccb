#include "tests/support/reference_data.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string_view>

#include "common/plugin_years.h"
#include "common/utf8.h"
#include "cycles/solar_terms.h"
#include "lunar/lunar_calendar.h"

namespace moonfold::testing {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

std::uint16_t Number(std::string_view text) {
  return static_cast<std::uint16_t>(std::stoi(std::string(text)));
}

// Calls `each` with the tab-separated fields of every data line.
template <typename Each>
void ForEachLine(std::string_view rest, Each each) {
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    each(line, SplitTabs(line));
  }
}

std::vector<ReferenceDay> Load() {
  std::vector<ReferenceDay> days;
  bool malformed = false;
  ForEachLine(ReadDataFile("calendar_reference.tsv"), [&](std::string_view, const auto& f) {
    if (f.size() != 7 || f[0].size() != 10) {
      malformed = true;
      return;
    }
    days.push_back({Number(f[0].substr(0, 4)), Number(f[0].substr(5, 2)), Number(f[0].substr(8, 2)),
                    Number(f[1]), Number(f[2]), Number(f[3]), Number(f[4]),
                    f[5] == "-" ? u"" : Utf16FromUtf8(f[5]), Utf16FromUtf8(f[6])});
  });
  // Every day of the range, in order, or none: a short file must not let a
  // test pass having checked less than it says.
  const std::chrono::sys_days first = kFirstCalendarDay;
  for (std::size_t i = 0; i < days.size() && !malformed; ++i) {
    const std::chrono::year_month_day expected{first + std::chrono::days{i}};
    malformed = static_cast<int>(expected.year()) != days[i].year ||
                static_cast<unsigned>(expected.month()) != days[i].month ||
                static_cast<unsigned>(expected.day()) != days[i].day;
  }
  if (malformed || days.size() != kReferenceDayCount) days.clear();
  return days;
}

std::vector<ReferenceTerm> LoadTerms() {
  std::vector<ReferenceTerm> terms;
  ForEachLine(ReadDataFile("solar_term_reference.tsv"), [&](std::string_view, const auto& f) {
    if (f.size() != 4 || f[3].size() != 19) return;
    const std::string_view when = f[3];
    const std::chrono::year_month_day date{std::chrono::year{Number(when.substr(0, 4))},
                                           std::chrono::month{Number(when.substr(5, 2))},
                                           std::chrono::day{Number(when.substr(8, 2))}};
    const std::chrono::local_seconds instant = std::chrono::local_days{date} +
                                               std::chrono::hours{Number(when.substr(11, 2))} +
                                               std::chrono::minutes{Number(when.substr(14, 2))} +
                                               std::chrono::seconds{Number(when.substr(17, 2))};
    terms.push_back({Number(f[0]), Number(f[1]), Utf16FromUtf8(f[2]), instant});
  });
  if (terms.size() != kReferenceTermCount) terms.clear();
  return terms;
}

// Where the calendar departs from the second engine by design, the
// reference is moved to the tables' day: the terms of the past that the
// tables hold as their calendars were issued, and, decades ahead, the days
// that the predicted ΔT cannot settle (the second engine keeps an older
// ΔT).  Before 1912 the record gives the day, so a term the two engines
// put either side of a midnight, seconds apart, stands on the record's
// day too.  A term moves only when the reference has it within two minutes
// (five before 1912) of today's reckoning (the issued terms) or of the
// tables' instant (the others), and a lunar date only on a day whose lunar date is
// uncertain; the file's every other day and term stays as the second
// engine gives it, and a reference that strays more fails.
bool MoveToTheRecord(std::vector<ReferenceDay>& all, std::vector<ReferenceTerm>& terms) {
  using namespace std::chrono;
  const sys_days first = kFirstCalendarDay;
  // The day a moment falls on, or nothing before the range (the terms of
  // the first year before its first day).
  const auto day_of = [&](local_seconds t) -> ReferenceDay* {
    const auto i = (floor<days>(t).time_since_epoch() - first.time_since_epoch()).count();
    return i >= 0 && static_cast<std::size_t>(i) < all.size() ? &all[static_cast<std::size_t>(i)]
                                                              : nullptr;
  };
  for (ReferenceTerm& t : terms) {
    const std::int32_t k = SolarTermNumber(t.year, t.index);
    const auto reckoned = ReckonedTermInstantAt(k);
    const BeijingTime tables = *SolarTermInstantAt(k);
    const bool recorded_day = SolarTermYear(k) <= kLastReckonedMinuteYear;
    const bool across_midnight = recorded_day && floor<days>(t.beijing_time) != floor<days>(tables);
    if (!reckoned && !IsUncertainTermAt(k) && !across_midnight) continue;
    // Before 1912 the second engine's ΔT and Sun part more from the tables'.
    const minutes tolerance{recorded_day ? 5 : 2};
    if (abs(t.beijing_time - local_seconds{reckoned.value_or(tables)}) > tolerance) return false;
    if (ReferenceDay* d = day_of(t.beijing_time)) d->solar_term.clear();
    t.beijing_time = tables;
    if (ReferenceDay* d = day_of(t.beijing_time)) d->solar_term = t.name;
  }
  for (ReferenceDay& d : all) {
    const sys_days day{year{d.year} / d.month / d.day};
    const LunarDate lunar = *ToLunar(day);
    if (!IsUncertainLunarDay(day, lunar)) continue;
    d.lunar_year = static_cast<std::uint16_t>(lunar.year);
    d.lunar_month = static_cast<std::uint16_t>(lunar.month);
    d.lunar_day = static_cast<std::uint16_t>(lunar.day);
    d.leap = lunar.leap;
  }
  return true;
}

// Whether a day lies between a 节 held as its calendar was issued and the
// day today's reckoning gives it (1917-12-07, 1927-09-08, and the record's
// days before 1912): the almanac's month turns there by the record, the
// second engine's a day away.
bool BetweenAnIssuedJieAndItsReckoning(std::uint16_t y, std::uint16_t m, std::uint16_t d) {
  using namespace std::chrono;
  const local_days day{year{y} / m / d};
  for (const auto& [k, minute] : kTermDepartures) {
    if (SolarTermIndex(k) % 2 != 0) continue;
    const local_days issued = floor<days>(*SolarTermInstantAt(k));
    const local_days reckoned = floor<days>(*ReckonedTermInstantAt(k));
    if (day >= std::min(issued, reckoned) && day < std::max(issued, reckoned)) return true;
  }
  return false;
}

struct Reference {
  std::vector<ReferenceDay> days;
  std::vector<ReferenceTerm> terms;
};

const Reference& TheReference() {
  static const Reference reference = [] {
    Reference r{Load(), LoadTerms()};
    if (r.days.empty() || r.terms.empty() || !MoveToTheRecord(r.days, r.terms)) r = {};
    return r;
  }();
  return reference;
}

template <typename T>
const std::vector<T>& Checked(const std::vector<T>& all, const char* file) {
  if (all.empty()) ADD_FAILURE() << "tests/data/" << file << " is missing, short or malformed";
  return all;
}

}  // namespace

std::string ReadDataFile(const char* name) {
  const std::string path = std::string(MOONFOLD_TEST_DATA_DIR) + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  std::string contents;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  std::fclose(file);
  return contents;
}

const std::vector<ReferenceDay>& AllReferenceDays() {
  return Checked(TheReference().days, "calendar_reference.tsv");
}

const std::vector<ReferenceDay>& ReferenceDays() {
  static const std::vector<ReferenceDay> days = [] {
    const auto& all = AllReferenceDays();
    std::vector<ReferenceDay> tables;
    for (const ReferenceDay& d : all) {
      if (d.year >= kFirstPluginYear && d.year <= kLastPluginYear) tables.push_back(d);
    }
    return tables;
  }();
  return Checked(days, "calendar_reference.tsv");
}

const std::vector<ReferenceTerm>& ReferenceTerms() {
  return Checked(TheReference().terms, "solar_term_reference.tsv");
}

std::string DateText(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", static_cast<unsigned>(year),
                static_cast<unsigned>(month), static_cast<unsigned>(day));
  return text;
}

std::string Narrow(const std::u16string& text) { return Utf8FromUtf16(text); }

const std::vector<AlmanacReferenceDay>& AlmanacReferenceDays() {
  static const std::vector<AlmanacReferenceDay> days = [] {
    std::vector<AlmanacReferenceDay> all;
    bool malformed = false;
    ForEachLine(ReadDataFile("almanac_reference.tsv"), [&](std::string_view, const auto& f) {
      if (f.size() != 1 + std::size(kAlmanacKeywords) || f[0].size() != 10) {
        malformed = true;
        return;
      }
      AlmanacReferenceDay day{
          Number(f[0].substr(0, 4)), Number(f[0].substr(5, 2)), Number(f[0].substr(8, 2)), {}};
      for (std::size_t k = 1; k < f.size(); ++k) day.texts.push_back(Utf16FromUtf8(f[k]));
      if (!BetweenAnIssuedJieAndItsReckoning(day.year, day.month, day.day))
        all.push_back(std::move(day));
    });
    if (malformed || all.size() < 14000) all.clear();
    return all;
  }();
  EXPECT_GE(days.size(), 14000u)
      << "tests/data/almanac_reference.tsv is missing, short or malformed";
  return days;
}

const std::map<std::string, NoticeDay>& NoticeDays() {
  static const std::map<std::string, NoticeDay> days = [] {
    std::map<std::string, NoticeDay> read;
    const std::string text = ReadDataFile("../../tools/data/cn-holidays.tsv");
    ForEachLine(text, [&](std::string_view line, const std::vector<std::string_view>& f) {
      if (line.substr(0, 5) == "year\t" || f.size() != 5) return;
      using namespace std::chrono;
      const auto date = [](std::string_view t) {
        return sys_days{year{Number(t.substr(0, 4))} / Number(t.substr(5, 2)) /
                        Number(t.substr(8, 2))};
      };
      const std::u16string name = Utf16FromUtf8(f[1]);
      for (sys_days d = date(f[2]); d <= date(f[3]); d += std::chrono::days{1}) {
        const year_month_day ymd{d};
        read[DateText(static_cast<std::uint16_t>(static_cast<int>(ymd.year())),
                      static_cast<std::uint16_t>(static_cast<unsigned>(ymd.month())),
                      static_cast<std::uint16_t>(static_cast<unsigned>(ymd.day())))] = {true, name};
      }
      for (std::string_view rest = f[4]; !rest.empty();) {
        const auto comma = rest.find(',');
        read[std::string(rest.substr(0, comma))] = {false, name};
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
      }
    });
    if (read.size() < 700) ADD_FAILURE() << "tools/data/cn-holidays.tsv is missing or short";
    return read;
  }();
  return days;
}

}  // namespace moonfold::testing
