#include "facts/day_facts.h"

#include <gtest/gtest.h>

namespace moonfold {
namespace {

using namespace std::chrono;

TEST(DayFacts, OneCallGivesEveryFactOfAMoment) {
  // 1951-12-23 00:00: the winter solstice at 00:00:01, a Sunday, lunar
  // 1951-11-25, the festival of the solstice.
  const auto solstice = FactsOf(WallTime(year{1951} / 12 / 23));
  ASSERT_TRUE(solstice);
  EXPECT_EQ(solstice->lunar, (LunarDate{1951, 11, 25, false}));
  EXPECT_EQ(solstice->solar_term, kWinterSolsticeTerm);
  ASSERT_EQ(solstice->lunar_festivals.count, 1);
  EXPECT_EQ(kTermFestivals[1].term, kWinterSolsticeTerm);
  EXPECT_EQ(solstice->lunar_festivals, (FestivalRun{kTermFestivals[1].row, 1}));
  EXPECT_EQ(solstice->day_of_week, 0u);
  EXPECT_EQ(solstice->hour_branch, 0u);  // 子

  // The first moment of 1900: lunar 1899-12-01, 己亥 (35) year, 丁丑
  // (13) month, and no 元旦 yet: China kept 1 January from 1912.
  const auto first = FactsOf(WallTime(year{1900} / 1 / 1, 23, 59));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->lunar, (LunarDate{1899, 12, 1, false}));
  EXPECT_EQ(first->year_cycle.value, 35u);
  EXPECT_EQ(first->month_cycle.value, 13u);
  EXPECT_TRUE(first->fixed_festivals.empty());
  EXPECT_EQ(FactsOf(WallTime(year{1912} / 1 / 1))->fixed_festivals, (FestivalRun{0, 1}));
  EXPECT_EQ(first->hour, 23u);
  EXPECT_EQ(first->minute, 59u);
  EXPECT_EQ(first->hour_branch, 0u);  // 23:00 is 子

  // Several observances of one day are one run of rows.
  const auto may = FactsOf(WallTime(year{1900} / 5 / 13));
  EXPECT_EQ(FactsOf(WallTime(year{2011} / 5 / 8))->weekday_festivals.size(), 2u);
  EXPECT_EQ(FactsOf(WallTime(year{2011} / 3 / 21))->fixed_festivals.size(), 4u);
  // … of which a year shows those kept by then: in 1900 母亲节 and 救助贫困母亲
  // 日 were not yet kept, and of 3-21's four, none.
  EXPECT_TRUE(may->weekday_festivals.empty());
  EXPECT_TRUE(FactsOf(WallTime(year{1900} / 3 / 21))->fixed_festivals.empty());
  // On 7-1 of 1990 the third of four (香港回归日) was not yet kept.
  EXPECT_EQ(FactsOf(WallTime(year{1990} / 7 / 1))->fixed_festivals, (FestivalRun{79, 4, 0b0100}));

  EXPECT_EQ(FactsOf(WallTime(year{1645} / 1 / 27, 23, 59)), std::nullopt);
  EXPECT_EQ(FactsOf(WallTime(year{1645} / 1 / 28))->lunar, (LunarDate{1645, 1, 1, false}));
  EXPECT_EQ(FactsOf(WallTime(year{2101} / 1 / 1)), std::nullopt);
  EXPECT_TRUE(FactsOf(WallTime(year{2100} / 12 / 31, 23, 59)));
}

// The festival rules over every day: each lunar year of the range has one
// New Year's Eve, the day before its new year; every term's festival falls
// on its term's day; the fixed-date rows each fall once in each year they
// were kept.
TEST(DayFacts, FestivalsFallOnceAYearOnTheirDays) {
  int eves = 0, qingming = 0, fixed_rows = 0;
  bool previous_eve = false;
  for (sys_days d = kFirstCalendarDay; d <= kLastCalendarDay; d += days{1}) {
    const DayFacts f = *FactsOf(WallTime(year_month_day{d}));
    const bool eve = f.lunar_festivals == FestivalRun{kNewYearsEveRow, 1};
    if (previous_eve) {
      EXPECT_EQ(f.lunar, (LunarDate{f.lunar.year, 1, 1, false}));
    }
    if (eve) {
      ++eves;
      EXPECT_EQ(FromLunar({f.lunar.year + 1, 1, 1, false}), d + days{1});
    }
    if (f.lunar_festivals == FestivalRun{kTermFestivals[0].row, 1}) {
      ++qingming;
      EXPECT_EQ(f.solar_term, kQingmingTerm);
    }
    fixed_rows += static_cast<int>(f.fixed_festivals.size());
    previous_eve = eve;
  }
  const int years = kLastCalendarYear - kFirstCalendarYear + 1;
  EXPECT_EQ(eves, years - 1);  // 2100's eve is in 2101
  // 清明 on a lunar festival's own day (上巳, 3-3) gives way to it.
  EXPECT_GT(qingming, years * 9 / 10);
  EXPECT_LE(qingming, years);
  // 29 February holds no festival, so every row falls once a year it was
  // kept.
  int kept = 0;
  for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
    for (const YearSpan span : kFixedDateFestivalYears) kept += span.Holds(y);
  }
  EXPECT_EQ(fixed_rows, kept);
  EXPECT_LT(kept, years * static_cast<int>(kFixedDateFestivalDays.size()) / 2);
}

TEST(FestivalTables, KeysAreRealDays) {
  for (const MonthDay& row : kFixedDateFestivalDays) {
    EXPECT_TRUE((year{2001} / row.month / row.day).ok()) << +row.month << '-' << +row.day;
  }
  // A lunar festival never falls on a day a short month lacks.
  for (const MonthDay& row : kLunarFestivalDays) {
    EXPECT_GE(row.month, 1);
    EXPECT_LE(row.month, 12);
    EXPECT_LE(row.day, 29);
  }
  for (const WeekdayRule& row : kWeekdayFestivalRules) {
    EXPECT_GE(row.week, 1);  // the n-th weekday table holds no last-week rule
    EXPECT_LE(row.week, 4);
    EXPECT_LE(row.weekday, 6);
  }
}

}  // namespace
}  // namespace moonfold
