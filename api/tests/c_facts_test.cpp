// The facts, the events and the holiday files of the C interface: their
// numbers on days whose answers are known, how the structs grow, and every
// refusal.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "api/tests/c_api_support.h"
#include "moonfold/moonfold.h"

namespace {

using moonfold::test::DateOf;
using moonfold::test::FirstDay;
using moonfold::test::LastDay;

moonfold_facts_t FactsAt(int y, int m, int d, int hour = 12, int minute = 0,
                         const moonfold_arrangement_t* arrangement = nullptr) {
  moonfold_facts_t f{};
  f.size = sizeof f;
  EXPECT_EQ(moonfold_facts_with(y, m, d, hour, minute, arrangement, &f), MOONFOLD_OK);
  return f;
}

std::string Name(int kind, int id, int script = 0) {
  char buffer[256];
  return moonfold_name(kind, id, script, buffer, sizeof buffer) >= 0 ? buffer : "?";
}

bool Same(const moonfold_moment& m, int y, int mo, int d, int h, int mi) {
  return m.year == y && m.month == mo && m.day == d && m.hour == h && m.minute == mi;
}

TEST(CFacts, TheNewYearOf2026AsNumbers) {
  const moonfold_facts_t f = FactsAt(2026, 2, 17);
  EXPECT_TRUE(Same(f.time, 2026, 2, 17, 12, 0));
  EXPECT_EQ(f.weekday, 2);  // a Tuesday
  EXPECT_EQ(f.lunar.year * 10000 + f.lunar.month * 100 + f.lunar.day, 20260101);
  EXPECT_EQ(f.lunar.leap, 0);
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, f.year_cycle), "丙午");
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, f.month_cycle), "庚寅");
  EXPECT_EQ(Name(MOONFOLD_NAME_ANIMAL, f.zodiac), "马");
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, f.pillar_year), "丙午");  // after 立春, 02-04
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, f.pillar_month), "庚寅");
  EXPECT_EQ(f.pillar_day, f.day_cycle);
  EXPECT_EQ(Name(MOONFOLD_NAME_BRANCH, f.hour_branch), "午");
  EXPECT_EQ(f.solar_term, -1);
  EXPECT_EQ(Name(MOONFOLD_NAME_SOLAR_TERM, f.next_term), "雨水");
  EXPECT_EQ(f.next_term_days, 1);
  ASSERT_EQ(f.lunar_festivals.count, 1);
  EXPECT_EQ(Name(MOONFOLD_NAME_LUNAR_FESTIVAL, f.lunar_festivals.ids[0]), "春节");
  EXPECT_EQ(Name(MOONFOLD_NAME_COUNTDOWN_FESTIVAL, f.next_festival), "元宵节");
  EXPECT_EQ(f.next_festival_date.month * 100 + f.next_festival_date.day, 303);
  EXPECT_EQ(f.next_festival_days, 14);
  EXPECT_EQ(f.official, MOONFOLD_DAY_OFF);
  EXPECT_EQ(Name(MOONFOLD_NAME_HOLIDAY, f.holiday), "春节");
  EXPECT_EQ(f.moon_phase, 0);  // the new moon of the new year
  EXPECT_EQ(f.moon_has_time, 1);
  EXPECT_EQ(f.moon_time.day, 17);
  EXPECT_EQ(Name(MOONFOLD_NAME_SEASON_PERIOD, f.season_period), "七九");
  EXPECT_EQ(f.season_day, 5);
  EXPECT_EQ(Name(MOONFOLD_NAME_DUTY, f.duty), "成");  // a 戌 day of the 寅 month
  EXPECT_EQ(Name(MOONFOLD_NAME_TWELVE_GOD, f.day_god), "司命");
  EXPECT_EQ(f.day_god_yellow, 1);
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, f.clash_cycle), "丙辰");
  EXPECT_EQ(f.lucky_hours, 1 << 2 | 1 << 4 | 1 << 5 | 1 << 8 | 1 << 9 | 1 << 11);
  EXPECT_EQ(f.lunar_uncertain, 0);

  // A make-up working day, a Saturday: 2026-02-14, worked for 春节.
  const moonfold_facts_t work = FactsAt(2026, 2, 14);
  EXPECT_EQ(work.official, MOONFOLD_DAY_MAKE_UP);
  EXPECT_EQ(Name(MOONFOLD_NAME_HOLIDAY, work.holiday), "春节");
  // Years before the notices, and after the last one known.
  EXPECT_EQ(FactsAt(1990, 10, 1).official, MOONFOLD_DAY_UNANNOUNCED);
  EXPECT_EQ(FactsAt(1990, 10, 1).holiday, -1);
  EXPECT_EQ(FactsAt(2026, 3, 3).official, MOONFOLD_DAY_ORDINARY);
}

TEST(CFacts, TermsAsIssuedAndTheDaysNobodyCanKnowYet) {
  // 1912 小雪: issued at 00:39 on the 23rd, reckoned today 23:48 the day before.
  const moonfold_facts_t issued = FactsAt(1912, 11, 23);
  EXPECT_EQ(Name(MOONFOLD_NAME_SOLAR_TERM, issued.solar_term), "小雪");
  EXPECT_TRUE(Same(issued.solar_term_time, 1912, 11, 23, 0, 39));
  EXPECT_EQ(issued.solar_term_issued, 1);
  EXPECT_TRUE(Same(issued.solar_term_reckoned, 1912, 11, 22, 23, 48));
  EXPECT_EQ(FactsAt(1912, 11, 22).solar_term, -1);
  // 2026's winter solstice at its minute, as the command lists it.
  const moonfold_facts_t solstice = FactsAt(2026, 12, 22);
  EXPECT_EQ(Name(MOONFOLD_NAME_SOLAR_TERM, solstice.solar_term), "冬至");
  EXPECT_TRUE(Same(solstice.solar_term_time, 2026, 12, 22, 4, 50));
  EXPECT_EQ(solstice.solar_term_issued, 0);
  EXPECT_EQ(Name(MOONFOLD_NAME_SEASON_PERIOD, solstice.season_period), "一九");
  EXPECT_EQ(solstice.season_day, 1);
  // The new moon of 2057-09-29 lies seconds after midnight: its month's
  // days and the day before are uncertain.
  EXPECT_EQ(FactsAt(2057, 9, 29).moon_uncertain, 1);
  EXPECT_EQ(FactsAt(2057, 9, 29).lunar_uncertain, 1);
  EXPECT_EQ(FactsAt(2057, 9, 28).lunar_uncertain, 1);
  EXPECT_EQ(FactsAt(2026, 9, 29).lunar_uncertain, 0);
  // 2051 春分 at 23:59:21.
  EXPECT_EQ(FactsAt(2051, 3, 20).solar_term_uncertain, 1);
  // The pillars turn at the 立春 minute (2026-02-04 04:02), not at the
  // lunar new year.
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, FactsAt(2026, 2, 4, 4, 1).pillar_year), "乙巳");
  EXPECT_EQ(Name(MOONFOLD_NAME_CYCLE, FactsAt(2026, 2, 4, 4, 2).pillar_year), "丙午");
}

// Since 1.2: the reign year and the Republic's year, and how a term's
// minute is known before 1912 (the record gives the day only).
TEST(CFacts, TheYearsAsPeopleWroteThemAndTheMinutesOfTheQingCalendar) {
  const moonfold_facts_t boxer = FactsAt(1900, 6, 20);  // 光绪二十六年五月廿四
  EXPECT_EQ(Name(MOONFOLD_NAME_ERA, boxer.era), "光绪");
  EXPECT_EQ(Name(MOONFOLD_NAME_ERA, boxer.era, MOONFOLD_SCRIPT_TRADITIONAL), "光緒");
  EXPECT_EQ(boxer.era_year, 26);
  EXPECT_EQ(boxer.republic_year, 0);
  const moonfold_facts_t today = FactsAt(2026, 12, 9);
  EXPECT_EQ(today.era, -1);
  EXPECT_EQ(today.era_year, 0);
  EXPECT_EQ(today.republic_year, 115);
  EXPECT_EQ(Name(MOONFOLD_NAME_ERA, 10), "民国");
  EXPECT_EQ(Name(MOONFOLD_NAME_ERA, 11), "?");
  // The lunar year 辛亥 (宣统三年) runs on into 1912, the Republic's first.
  const moonfold_facts_t abdication = FactsAt(1912, 2, 12);
  EXPECT_EQ(abdication.era_year * 100 + abdication.republic_year, 301);

  const moonfold_facts_t reckoned = FactsAt(1899, 1, 5);  // 小寒 at 20:17 by today's reckoning
  EXPECT_EQ(reckoned.solar_term_minute, MOONFOLD_MINUTE_RECKONED);
  EXPECT_TRUE(Same(reckoned.solar_term_time, 1899, 1, 5, 20, 17));
  EXPECT_EQ(reckoned.solar_term_issued, 0);
  // 1899's 夏至 was issued on the 22nd; today's reckoning is 23:45 the day
  // before: the calendar counts from the issued day's first minute.
  const moonfold_facts_t day_only = FactsAt(1899, 6, 22);
  EXPECT_EQ(day_only.solar_term_minute, MOONFOLD_MINUTE_NONE);
  EXPECT_TRUE(Same(day_only.solar_term_time, 1899, 6, 22, 0, 0));
  EXPECT_EQ(day_only.solar_term_issued, 1);
  EXPECT_TRUE(Same(day_only.solar_term_reckoned, 1899, 6, 21, 23, 45));
  EXPECT_EQ(FactsAt(1912, 11, 23).solar_term_minute, MOONFOLD_MINUTE_ISSUED);
}

TEST(CFacts, RefusesWithTheCodeTheHeaderNames) {
  moonfold_facts_t f{};
  f.size = sizeof f;
  const moonfold_date after = DateOf(LastDay() + std::chrono::days{1});
  EXPECT_EQ(moonfold_facts(2026, 2, 30, 0, 0, &f), MOONFOLD_ERROR_DATE);
  EXPECT_EQ(moonfold_facts(after.year, after.month, after.day, 0, 0, &f), MOONFOLD_ERROR_RANGE);
  EXPECT_EQ(moonfold_facts(-70000, 1, 1, 0, 0, &f), MOONFOLD_ERROR_RANGE);
  EXPECT_EQ(moonfold_facts(2026, 2, 1, 24, 0, &f), MOONFOLD_ERROR_TIME);
  EXPECT_EQ(moonfold_facts(2026, 2, 1, 0, 0, nullptr), MOONFOLD_ERROR_NULL);
  f.size = 0;
  EXPECT_EQ(moonfold_facts(2026, 2, 1, 0, 0, &f), MOONFOLD_ERROR_SIZE);
}

// A program built against an older header passes a smaller struct and a
// newer one a larger: the library writes what both know and not a byte
// more, and never the caller's own size member.
TEST(CFacts, AStructOfAnotherSizeGetsWhatBothKnow) {
  constexpr std::size_t kFirst = offsetof(moonfold_facts_t, lucky_hours) + sizeof(int);
  const moonfold_facts_t whole = FactsAt(2026, 2, 17);
  for (const std::size_t size : {kFirst, sizeof(moonfold_facts_t), sizeof(moonfold_facts_t) + 40}) {
    std::vector<unsigned char> bytes(sizeof(moonfold_facts_t) + 64, 0xAB);
    auto* f = reinterpret_cast<moonfold_facts_t*>(bytes.data());
    std::memcpy(bytes.data(), &size, sizeof size);
    ASSERT_EQ(moonfold_facts(2026, 2, 17, 12, 0, f), MOONFOLD_OK) << size;
    EXPECT_EQ(f->size, size);
    const std::size_t known = std::min(size, sizeof(moonfold_facts_t));
    EXPECT_EQ(std::memcmp(bytes.data() + sizeof(std::size_t),
                          reinterpret_cast<const unsigned char*>(&whole) + sizeof(std::size_t),
                          kFirst - sizeof(std::size_t)),
              0)
        << size;
    for (std::size_t i = known; i < bytes.size(); ++i) {
      ASSERT_EQ(bytes[i], 0xAB) << size << " " << i;
    }
  }
  std::vector<unsigned char> bytes(sizeof(moonfold_facts_t), 0xAB);
  const std::size_t smaller = kFirst - 4;
  std::memcpy(bytes.data(), &smaller, sizeof smaller);
  EXPECT_EQ(moonfold_facts(2026, 2, 17, 12, 0, reinterpret_cast<moonfold_facts_t*>(bytes.data())),
            MOONFOLD_ERROR_SIZE);
  for (std::size_t i = sizeof smaller; i < bytes.size(); ++i) {
    ASSERT_EQ(bytes[i], 0xAB) << i;
  }
}

std::vector<moonfold_event_t> EventsOf(int first, int last, unsigned kinds,
                                       const moonfold_arrangement_t* arrangement = nullptr) {
  const int count = moonfold_events_with(first, last, kinds, arrangement, nullptr, 0);
  EXPECT_GE(count, 0);
  std::vector<moonfold_event_t> events(static_cast<std::size_t>(count > 0 ? count : 0));
  if (events.empty()) return events;
  events[0].size = sizeof(moonfold_event_t);
  EXPECT_EQ(moonfold_events_with(first, last, kinds, arrangement, events.data(), events.size()),
            count);
  return events;
}

TEST(CEvents, AYearInDateOrderOfTheKindsAskedFor) {
  const auto events = EventsOf(2026, 2026, MOONFOLD_EVENT_DEFAULT);
  ASSERT_FALSE(events.empty());
  int terms = 0, off = 0, work = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const moonfold_event_t& e = events[i];
    EXPECT_EQ(e.size, sizeof(moonfold_event_t));
    EXPECT_EQ(e.date.year, 2026);
    EXPECT_EQ(e.kind & MOONFOLD_EVENT_DEFAULT, e.kind);
    terms += e.kind == MOONFOLD_EVENT_TERM;
    off += e.kind == MOONFOLD_EVENT_OFF;
    work += e.kind == MOONFOLD_EVENT_WORK;
    EXPECT_EQ(e.has_time, e.kind == MOONFOLD_EVENT_TERM ? 1 : 0);
    if (i > 0) {
      const moonfold_date& b = events[i - 1].date;
      EXPECT_LE(b.month * 100 + b.day, e.date.month * 100 + e.date.day) << i;
    }
  }
  EXPECT_EQ(terms, 24);
  EXPECT_EQ(Name(events[0].name_kind, events[0].id), "元旦");  // 2026-01-01, a day off
  EXPECT_EQ(events[0].first_off.day, 1);
  EXPECT_EQ(events[0].last_off.day, 3);
  EXPECT_GT(off, 20);
  EXPECT_GT(work, 3);
  // The moon only where asked for: new and full moons, at their minutes.
  for (const moonfold_event_t& e : EventsOf(2026, 2026, MOONFOLD_EVENT_MOON)) {
    EXPECT_TRUE(e.id == 0 || e.id == 4) << e.id;
    EXPECT_EQ(Name(e.name_kind, e.id).empty(), false);
    EXPECT_EQ(e.time.day, e.date.day);
  }
  // Years reaching past the range give the range's events.
  const moonfold_date last = DateOf(LastDay());
  EXPECT_EQ(EventsOf(last.year, last.year + 100, MOONFOLD_EVENT_TERM).size(), 24u);
  // Before 1912, each term says how its minute is known; one the record
  // puts on another day than today's reckoning has no time of its own.
  int none = 0;
  for (const moonfold_event_t& e : EventsOf(1899, 1899, MOONFOLD_EVENT_TERM)) {
    EXPECT_NE(e.minute, MOONFOLD_MINUTE_ISSUED);
    EXPECT_EQ(e.has_time, e.minute == MOONFOLD_MINUTE_RECKONED ? 1 : 0);
    EXPECT_EQ(e.issued, e.minute == MOONFOLD_MINUTE_NONE ? 1 : 0);
    none += e.minute == MOONFOLD_MINUTE_NONE;
  }
  EXPECT_GT(none, 0);
  for (const moonfold_event_t& e : EventsOf(2026, 2026, MOONFOLD_EVENT_TERM)) {
    EXPECT_EQ(e.minute, MOONFOLD_MINUTE_ISSUED);
  }
}

TEST(CEvents, CapacitiesStridesAndRefusals) {
  const int count = moonfold_events(2026, 2026, MOONFOLD_EVENT_ALL, nullptr, 0);
  ASSERT_GT(count, 0);
  // Fewer than there are: that many written, the whole count returned.
  std::vector<moonfold_event_t> few(3);
  few[0].size = sizeof(moonfold_event_t);
  EXPECT_EQ(moonfold_events(2026, 2026, MOONFOLD_EVENT_ALL, few.data(), 2), count);
  EXPECT_EQ(few[1].size, sizeof(moonfold_event_t));
  EXPECT_EQ(few[2].size, 0u);
  // A newer program's larger events: the library's part of each, the rest
  // untouched.
  constexpr std::size_t kStride = sizeof(moonfold_event_t) + 24;
  std::vector<unsigned char> wide(kStride * 4, 0xCD);
  std::memcpy(wide.data(), &kStride, sizeof kStride);
  EXPECT_EQ(moonfold_events(2026, 2026, MOONFOLD_EVENT_ALL,
                            reinterpret_cast<moonfold_event_t*>(wide.data()), 4),
            count);
  for (std::size_t i = 0; i < 4; ++i) {
    std::size_t size = 0;
    std::memcpy(&size, wide.data() + i * kStride, sizeof size);
    EXPECT_EQ(size, kStride);
    for (std::size_t b = sizeof(moonfold_event_t); b < kStride; ++b) {
      ASSERT_EQ(wide[i * kStride + b], 0xCD) << i << " " << b;
    }
  }
  moonfold_event_t unsized[1]{};
  const struct {
    int got, expected;
  } kCases[]{
      {moonfold_events(2026, 2026, 0x40u, nullptr, 0), MOONFOLD_ERROR_KINDS},
      {moonfold_events(2027, 2026, MOONFOLD_EVENT_ALL, nullptr, 0), MOONFOLD_ERROR_RANGE},
      {moonfold_events(DateOf(LastDay()).year + 1, 90000, MOONFOLD_EVENT_ALL, nullptr, 0),
       MOONFOLD_ERROR_RANGE},
      {moonfold_events(-90000, DateOf(FirstDay()).year - 1, MOONFOLD_EVENT_ALL, nullptr, 0),
       MOONFOLD_ERROR_RANGE},
      {moonfold_events(2026, 2026, MOONFOLD_EVENT_ALL, nullptr, 5), MOONFOLD_ERROR_NULL},
      {moonfold_events(2026, 2026, MOONFOLD_EVENT_ALL, unsized, 1), MOONFOLD_ERROR_SIZE},
      {moonfold_events(2026, 2026, 0, nullptr, 0), 0},
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i)
    EXPECT_EQ(kCases[i].got, kCases[i].expected) << i;
}

// A holiday file the user adds, as the command reads it.
constexpr char kNextYear[] =
    "year\tname\toff_from\toff_to\twork_days\n"
    "2027\t元旦\t2027-01-01\t2027-01-03\t\n";

TEST(CArrangements, AFileAddsAYearAndSaysWhatItLacks) {
  char why[256] = "";
  moonfold_arrangement_t* a =
      moonfold_arrangement_read("h.tsv", kNextYear, sizeof kNextYear - 1, why, sizeof why);
  ASSERT_NE(a, nullptr) << why;
  EXPECT_EQ(moonfold_workday(2027, 1, 1, nullptr), MOONFOLD_ERROR_UNANNOUNCED);
  EXPECT_EQ(moonfold_workday(2027, 1, 1, a), 1);
  EXPECT_EQ(moonfold_workday(2027, 1, 4, a), 0);   // a Monday
  EXPECT_EQ(moonfold_workday(2026, 2, 14, a), 0);  // worked for 春节
  EXPECT_EQ(moonfold_workday(2026, 2, 17, a), 1);
  EXPECT_EQ(moonfold_workday(2026, 2, 30, a), MOONFOLD_ERROR_DATE);
  EXPECT_EQ(moonfold_year_announced(2027, a), 1);
  EXPECT_EQ(moonfold_year_announced(2027, nullptr), 0);
  EXPECT_EQ(moonfold_year_announced(2026, nullptr), 1);
  EXPECT_EQ(FactsAt(2027, 1, 2, 12, 0, a).official, MOONFOLD_DAY_OFF);
  char text[64];
  EXPECT_EQ(moonfold_text_with("HOLIDAY", 2027, 1, 2, 0, 0, 0, a, text, sizeof text), 6);
  EXPECT_STREQ(text, "元旦");
  EXPECT_EQ(EventsOf(2027, 2027, MOONFOLD_EVENT_OFF, a).size(), 3u);
  EXPECT_TRUE(EventsOf(2027, 2027, MOONFOLD_EVENT_OFF).empty());
  // The year names only 元旦: what it leaves out is said, not lost quietly.
  std::string warnings(512, '\0');
  const int n = moonfold_arrangement_warnings(a, warnings.data(), warnings.size());
  ASSERT_GT(n, 0);  // the statutory holidays it leaves out
  EXPECT_EQ(warnings.rfind("h.tsv: 2027 has no 春节, 清明节", 0), 0u) << warnings;
  moonfold_arrangement_close(a);
  moonfold_arrangement_close(nullptr);

  constexpr char kDropped[] = "2026\t春节\t2026-02-15\t2026-02-23\t2026-02-14,2026-02-28\n";
  a = moonfold_arrangement_read("d.tsv", kDropped, sizeof kDropped - 1, why, sizeof why);
  ASSERT_NE(a, nullptr) << why;
  warnings.assign(512, '\0');
  ASSERT_GT(moonfold_arrangement_warnings(a, warnings.data(), warnings.size()), 0);
  EXPECT_EQ(warnings.rfind("d.tsv: 2026 has no 元旦, 清明节", 0), 0u) << warnings;
  EXPECT_EQ(moonfold_workday(2026, 10, 1, a), 0);  // the file's 2026 has no 国庆节
  moonfold_arrangement_close(a);
  EXPECT_EQ(moonfold_arrangement_warnings(nullptr, nullptr, 0), MOONFOLD_ERROR_NULL);
}

std::string Refusal(const char* text) {
  char why[256] = "";
  moonfold_arrangement_t* a =
      moonfold_arrangement_read("f.tsv", text, std::strlen(text), why, sizeof why);
  moonfold_arrangement_close(a);
  return a == nullptr ? why : "accepted";
}

std::string OpenRefusal(const std::string& path) {
  char why[256] = "";
  moonfold_arrangement_t* a = moonfold_arrangement_open(path.c_str(), why, sizeof why);
  moonfold_arrangement_close(a);
  return a == nullptr ? why : "accepted";
}

TEST(CArrangements, RefusedFilesSayWhereAndWhy) {
  EXPECT_EQ(Refusal("2027\t元旦\t2027-01-01\n"),
            "f.tsv:1 — expected year, name, off_from, off_to and work_days, tab-separated");
  EXPECT_EQ(Refusal("# notes\n2027\t元宵\t2027-01-01\t2027-01-01\t\n")
                .rfind("f.tsv:2 — 元宵 is no holiday", 0),
            0u);
  EXPECT_EQ(OpenRefusal("/nonexistent/h.tsv"),
            "/nonexistent/h.tsv — cannot be read: No such file or directory");
  EXPECT_EQ(OpenRefusal("/dev/zero"), "/dev/zero — is not a regular file");
  EXPECT_EQ(OpenRefusal("/"), "/ — is not a regular file");
  // A FIFO with no writer is refused at once, not waited on.
  const std::string fifo = ::testing::TempDir() + "/moonfold-fifo";
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(OpenRefusal(fifo), fifo + " — is not a regular file");
  ::unlink(fifo.c_str());
  // A file over the bound is refused by its size, unread.
  const std::string big = ::testing::TempDir() + "/moonfold-big.tsv";
  {
    std::FILE* f = std::fopen(big.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::vector<char> line(1 << 20, '#');
    for (int i = 0; i < 5; ++i) std::fwrite(line.data(), 1, line.size(), f);
    std::fclose(f);
  }
  EXPECT_EQ(OpenRefusal(big), big + " — is larger than 4 MiB");
  ::unlink(big.c_str());
  // Null arguments, and a buffer too small for the reason: cut, never
  // overrun; none at all is fine.
  EXPECT_EQ(moonfold_arrangement_open(nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(moonfold_arrangement_read(nullptr, "", 0, nullptr, 0), nullptr);
  char tiny[8];
  std::memset(tiny, 'x', sizeof tiny);
  EXPECT_EQ(moonfold_arrangement_read("f.tsv", "x", 1, tiny, 4), nullptr);
  EXPECT_EQ(std::string(tiny, 5), std::string("f.t\0x", 5));
  // An empty file changes nothing.
  moonfold_arrangement_t* empty = moonfold_arrangement_read("e.tsv", nullptr, 0, nullptr, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(moonfold_workday(2026, 2, 17, empty), 1);
  moonfold_arrangement_close(empty);
}

}  // namespace
