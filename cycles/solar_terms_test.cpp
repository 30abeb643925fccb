#include "cycles/solar_terms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "common/plugin_years.h"
#include "cycles/pillars.h"
#include "tests/support/record_data.h"
#include "tests/support/reference_data.h"
#include "tests/support/reviewed_names.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

TEST(SolarTerms, FallOnTheirDayAndNotBesideIt) {
  using namespace std::chrono;
  constexpr struct {
    int year;
    unsigned month, day;
    int term;  // -1: none
  } kCases[]{
      {1990, 1, 5, 0},
      {1990, 1, 6, -1},
      {1990, 1, 19, -1},
      {1990, 1, 20, 1},
      {2000, 12, 7, 22},
      {2000, 12, 16, -1},
      {2000, 12, 21, 23},
      {2000, 12, 22, -1},
      {2024, 4, 4, 6},
      {2017, 2, 3, 2},
      {2017, 2, 18, 3},
      {2010, 11, 7, 20},
      // Days that a packed table of 1990-2050 once carried a day off.
      {1991, 5, 6, 8},
      {1991, 5, 7, -1},
      {1995, 8, 21, -1},
      {1995, 8, 23, 15},
      {2033, 7, 22, 13},
      {2033, 7, 23, -1},
      {2034, 8, 7, 14},
      {2034, 8, 8, -1},
      {2049, 4, 4, 6},
      {2049, 4, 5, -1},
      {2050, 9, 7, 16},
      {2050, 9, 8, -1},
      // Days of the record: 1645's 大寒 was issued on the 20th (today's
      // reckoning: 22:00 on the 19th); 1776's 小雪 at the turn of the 22nd,
      // on the 21st.
      {1645, 1, 19, -1},
      {1645, 1, 20, 1},
      {1776, 11, 21, 21},
      {1776, 11, 22, -1},
      // The ends of the range, and a day no month has.
      {1645, 1, 5, 0},
      {2100, 12, 22, 23},
      {1644, 12, 22, -1},
      {2101, 1, 5, -1},
      {2000, 13, 6, -1},
  };
  for (const auto& c : kCases) {
    const std::optional<unsigned> expected =
        c.term < 0 ? std::nullopt : std::optional<unsigned>(static_cast<unsigned>(c.term));
    EXPECT_EQ(SolarTermOn(year{c.year} / month{c.month} / day{c.day}), expected)
        << c.year << '-' << c.month << '-' << c.day;
  }
}

// Every term of the tables' years, against the second engine: the same
// day, and within two minutes (both rounded down to the minute; the
// engines differ by seconds, and from the 2070s by up to a minute and a
// half, for the second keeps an older prediction of ΔT).  The record's
// days stand where the reference is moved to them (see reference_data.h).
TEST(SolarTerms, EveryInstantOfTheRangeMatchesTheReference) {
  using namespace std::chrono;
  const auto& terms = testing::ReferenceTerms();
  long worst = 0;
  int terms_in_range = 0;
  for (const auto& t : terms) {
    terms_in_range +=
        floor<days>(t.beijing_time) >= local_days{kFirstCalendarDay.time_since_epoch()};
    const std::optional<BeijingTime> instant = SolarTermInstant(t.year, t.index);
    ASSERT_TRUE(instant) << t.year << ' ' << t.index;
    const long apart =
        std::abs(duration_cast<seconds>(*instant - floor<minutes>(t.beijing_time)).count());
    worst = std::max(worst, apart);
    EXPECT_LE(apart, 120) << t.year << ' ' << Narrow(t.name);
    EXPECT_EQ(floor<days>(*instant), floor<days>(t.beijing_time))
        << t.year << ' ' << Narrow(t.name);
  }
  EXPECT_EQ(terms.size(), testing::kReferenceTermCount);
  std::printf("%zu term instants within %ld s of the reference's minute\n", terms.size(), worst);

  int term_days = 0, mismatches = 0;
  for (const auto& r : testing::AllReferenceDays()) {
    const std::optional<unsigned> term =
        SolarTermOn(year_month_day{year{r.year}, month{r.month}, day{r.day}});
    if (term) ++term_days;
    // The reference names the term; its index is the reference's own.
    const bool reference_has_term = !r.solar_term.empty();
    if (term.has_value() != reference_has_term && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << (term ? "a term" : "no term");
    }
  }
  EXPECT_EQ(term_days, terms_in_range);
  EXPECT_EQ(mismatches, 0);
  // 1951's winter solstice: 00:00:01 on the 23rd.
  EXPECT_EQ(SolarTermOn(year{1951} / 12 / 23), 23u);
  EXPECT_EQ(SolarTermInstant(2101, 0), std::nullopt);
  EXPECT_EQ(SolarTermInstant(2024, 24), std::nullopt);
}

// What counts from a term, at the edges: the range's first day (after the
// first year's 小寒 and 大寒), before 1900's first term (1899's 冬至 and 大雪
// stand before it), on a 节's day either side of its minute, and after
// 2100's last term, where there is no next.
TEST(SolarTerms, TheTermsAboutAMoment) {
  using namespace std::chrono;
  constexpr struct {
    int year;
    unsigned month, day, hour, minute;
    int latest_year;
    unsigned latest_index, days_since;
    int jie_year;
    unsigned jie_index;
    int next_year;  // 0: none
    unsigned next_index;
  } kCases[]{
      {1645, 1, 28, 0, 0, 1645, 1, 8, 1645, 0, 1645, 2},
      {1900, 1, 1, 12, 0, 1899, 23, 10, 1899, 22, 1900, 0},
      {1900, 1, 6, 2, 2, 1900, 0, 0, 1899, 22, 1900, 1},  // 小寒 at 02:03
      {1900, 1, 6, 2, 3, 1900, 0, 0, 1900, 0, 1900, 1},
      {2026, 12, 3, 12, 0, 2026, 21, 11, 2026, 20, 2026, 22},
      {2026, 12, 8, 12, 0, 2026, 22, 1, 2026, 22, 2026, 23},
      {2027, 1, 1, 0, 0, 2026, 23, 10, 2026, 22, 2027, 0},
      {2100, 12, 22, 0, 0, 2100, 23, 0, 2100, 22, 0, 0},
      {2100, 12, 31, 23, 59, 2100, 23, 9, 2100, 22, 0, 0},
  };
  for (const auto& c : kCases) {
    const year_month_day date{year{c.year}, month{c.month}, day{c.day}};
    const auto terms = TermsAboutMoment(local_days{date} + hours{c.hour} + minutes{c.minute}, date);
    ASSERT_TRUE(terms) << DateText(static_cast<std::uint16_t>(c.year),
                                   static_cast<std::uint16_t>(c.month),
                                   static_cast<std::uint16_t>(c.day));
    const std::string where =
        DateText(static_cast<std::uint16_t>(c.year), static_cast<std::uint16_t>(c.month),
                 static_cast<std::uint16_t>(c.day)) +
        " " + std::to_string(c.hour) + ":" + std::to_string(c.minute);
    EXPECT_EQ(terms->latest, SolarTermNumber(c.latest_year, c.latest_index)) << where;
    EXPECT_EQ(terms->days_since_latest, c.days_since) << where;
    EXPECT_EQ(terms->latest_jie, SolarTermNumber(c.jie_year, c.jie_index)) << where;
    if (c.next_year == 0) {
      EXPECT_FALSE(terms->next_instant) << where;
    } else {
      EXPECT_EQ(terms->latest + 1, SolarTermNumber(c.next_year, c.next_index)) << where;
      EXPECT_EQ(terms->next_instant, SolarTermInstant(c.next_year, c.next_index)) << where;
    }
    EXPECT_EQ(SolarTermYear(terms->latest), c.latest_year) << where;
    EXPECT_EQ(SolarTermIndex(terms->latest), c.latest_index) << where;
  }
  EXPECT_FALSE(TermsAboutMoment(local_days{year{1644} / 12 / 31}, year{1644} / 12 / 31));
  EXPECT_FALSE(TermsAboutMoment(local_days{year{2101} / 1 / 1}, year{2101} / 1 / 1));
}

// The pillars at the ends of the tables: on the first day, 1645's 小寒
// month of a 甲申 year (立春 is a week off); before 1900's 小寒 in 1899's
// 大雪 month (丙子 of a 己亥 year),
// and at the last minutes of 2100 the late 子 hour takes the stem of a day
// past the tables (戊申, 2101-01-01: 壬子).
// A calendar of the past is the one that was issued: six terms stand at
// the minute their calendars gave, on another day than today's reckoning
// (which is kept beside them, floored to its minute).  Decades ahead,
// three terms lie so near midnight that the predicted ΔT cannot settle
// their day.  None of either falls in the plug-in's years, 1990-2050.
TEST(SolarTerms, TheRecordAndTheDaysNobodyKnowsYet) {
  using namespace std::chrono;
  const auto at = [](int y, unsigned m, unsigned d, unsigned hh, unsigned mm) {
    return BeijingTime{local_days{year{y} / m / d} + hours{hh} + minutes{mm}};
  };
  const struct {
    int year;
    unsigned index;
    BeijingTime issued, reckoned;
  } kIssued[]{
      {1912, 21, at(1912, 11, 23, 0, 39), at(1912, 11, 22, 23, 48)},  // 小雪
      {1913, 17, at(1913, 9, 24, 0, 48), at(1913, 9, 23, 23, 52)},    // 秋分
      {1917, 22, at(1917, 12, 7, 23, 47), at(1917, 12, 8, 0, 0)},     // 大雪
      {1927, 16, at(1927, 9, 8, 23, 52), at(1927, 9, 9, 0, 5)},       // 白露
      {1928, 11, at(1928, 6, 21, 23, 53), at(1928, 6, 22, 0, 6)},     // 夏至
      {1979, 1, at(1979, 1, 21, 0, 0), at(1979, 1, 20, 23, 59)},      // 大寒
  };
  int issued = 0;
  for (std::int32_t k = SolarTermNumber(kLastReckonedMinuteYear + 1, 0); k < kSolarTermNumbers; ++k)
    issued += ReckonedTermInstantAt(k).has_value();
  EXPECT_EQ(issued, 6);
  for (const auto& c : kIssued) {
    const std::int32_t k = SolarTermNumber(c.year, c.index);
    EXPECT_EQ(SolarTermInstant(c.year, c.index), c.issued) << c.year << ' ' << c.index;
    EXPECT_EQ(ReckonedTermInstantAt(k), c.reckoned) << c.year << ' ' << c.index;
    EXPECT_EQ(SolarTermOn(year_month_day{floor<days>(c.issued)}), c.index) << c.year;
    EXPECT_FALSE(SolarTermOn(year_month_day{floor<days>(c.reckoned)})) << c.year;
  }
  // 1917 大雪 and 1927 白露 are 节: the pillars' month turns at the issued
  // minute (辛亥 to 壬子, 戊申 to 己酉).
  for (const auto& [before, month_before, month_after] :
       {std::tuple{at(1917, 12, 7, 23, 46), 47u, 48u}, {at(1927, 9, 8, 23, 51), 44u, 45u}}) {
    EXPECT_EQ(PillarsAt(before)->month.value, month_before);
    EXPECT_EQ(PillarsAt(before + minutes{1})->month.value, month_after);
  }
  std::vector<std::pair<int, unsigned>> uncertain;
  for (std::int32_t k = 0; k < kSolarTermNumbers; ++k) {
    if (IsUncertainTermAt(k)) uncertain.push_back({SolarTermYear(k), SolarTermIndex(k)});
    if (SolarTermYear(k) >= kFirstPluginYear && SolarTermYear(k) <= kLastPluginYear) {
      EXPECT_FALSE(IsUncertainTermAt(k) || ReckonedTermInstantAt(k)) << SolarTermYear(k);
    }
  }
  // 2051 春分, 2083 立春, 2084 春分 (on 03-20 by the tables' ΔT).
  EXPECT_EQ(uncertain, (std::vector<std::pair<int, unsigned>>{{2051, 5}, {2083, 2}, {2084, 5}}));
  EXPECT_EQ(SolarTermOn(year{2084} / 3 / 20), 5u);
}

// The Qing calendar's terms, 1645-1911, are the record's days
// (tools/data/record-terms-1645-1911.csv, read here as the generator reads
// it).  Where today's reckoning puts a term on another day, the tables
// hold the minute of the issued day nearest it, 00:00 or 23:59, and keep
// the reckoning beside it: the record says a day apart, and from 1734, when
// the court's tables of the Sun were renewed, in 54 days.
TEST(SolarTerms, TheQingCalendarsTermsAreTheRecords) {
  using namespace std::chrono;
  const auto& record = testing::RecordTerms();
  ASSERT_EQ(record.size(),
            static_cast<std::size_t>(24 * (kLastReckonedMinuteYear + 1 - kFirstTermYear)));
  int departures = 0, since_1734 = 0;
  for (const auto& r : record) {
    const std::int32_t k = SolarTermNumber(r.year, r.index);
    const BeijingTime tables = *SolarTermInstantAt(k);
    ASSERT_EQ(floor<days>(tables).time_since_epoch(), r.issued.time_since_epoch())
        << r.year << ' ' << r.index;
    EXPECT_EQ(TermMinuteAt(k),
              ReckonedTermInstantAt(k) ? TermMinute::kDayOnly : TermMinute::kReckoned);
    const auto reckoned = ReckonedTermInstantAt(k);
    if (!reckoned) continue;
    ++departures;
    since_1734 += r.year >= 1734;
    const auto minute = tables - floor<days>(tables);
    EXPECT_TRUE(minute == minutes{0} || minute == minutes{23 * 60 + 59})
        << r.year << ' ' << r.index;
    const auto apart = floor<days>(*reckoned) - floor<days>(tables);
    // Before 1734 a day either way; in 1667-1669's mean terms up to two.
    EXPECT_TRUE(apart != days{0} && abs(apart) <= days{r.year >= 1667 && r.year <= 1669 ? 2 : 1})
        << r.year << ' ' << r.index;
    // The issued day's minute nearest the reckoning.
    EXPECT_EQ(minute == minutes{0}, *reckoned < tables) << r.year << ' ' << r.index;
  }
  EXPECT_EQ(since_1734, 54);
  EXPECT_GT(departures, 54);
  EXPECT_EQ(TermMinuteAt(SolarTermNumber(1912, 0)), TermMinute::kIssued);
  EXPECT_EQ(TermMinuteAt(SolarTermNumber(1912, 21)), TermMinute::kIssued);  // 1912 小雪, issued
}

TEST(Pillars, AtTheEndsOfTheTables) {
  using namespace std::chrono;
  constexpr struct {
    int year;
    unsigned month, day, hour, minute;
    std::u16string_view expected;
  } kCases[]{
      {1645, 1, 28, 0, 0, u"甲申 丁丑 乙酉 丙子"},    {1900, 1, 1, 0, 0, u"己亥 丙子 甲戌 甲子"},
      {1900, 1, 6, 2, 2, u"己亥 丙子 己卯 乙丑"},  // 小寒 at 02:03
      {1900, 1, 6, 2, 3, u"己亥 丁丑 己卯 乙丑"},     {2026, 12, 8, 12, 0, u"丙午 庚子 丙辰 甲午"},
      {2100, 12, 31, 23, 30, u"庚申 戊子 丁未 壬子"},
  };
  for (const auto& c : kCases) {
    const auto p =
        PillarsAt(local_days{year{c.year} / c.month / c.day} + hours{c.hour} + minutes{c.minute});
    ASSERT_TRUE(p);
    std::u16string text;
    for (const CyclePosition pillar : {p->year, p->month, p->day, p->hour}) {
      if (!text.empty()) text += u' ';
      text += testing::ReviewedCycleName(pillar.value);
    }
    EXPECT_EQ(text, c.expected) << c.year << '-' << c.month << '-' << c.day << ' ' << c.hour << ':'
                                << c.minute << ": " << Narrow(text);
  }
  EXPECT_FALSE(PillarsAt(local_days{year{2101} / 1 / 1}));
}

}  // namespace
}  // namespace moonfold
