#include "festivals/day_facts.h"

#include <gtest/gtest.h>

#include "cycles/solar_terms.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using namespace std::chrono;
using testing::DateText;
using testing::Narrow;

TEST(DayFacts, TheDayNameOfEveryDayOf1900To2100MatchesTheReference) {
  int mismatches = 0;
  for (const auto& r : testing::AllReferenceDays()) {
    const auto facts = FactsOf(year{r.year} / r.month / r.day, 12);
    ASSERT_TRUE(facts) << DateText(r.year, r.month, r.day);
    const std::u16string name = CycleName(facts->day_cycle);
    if (name != r.day_cycle && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << Narrow(name);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(DayFacts, OneCallGivesEveryFactOfTheDay) {
  // 1951-12-23: the winter solstice at 00:00:01, a Sunday, lunar 1951-11-25.
  const auto solstice = FactsOf(year{1951} / 12 / 23, 0);
  ASSERT_TRUE(solstice);
  EXPECT_EQ(solstice->lunar, (LunarDate{1951, 11, 25, false}));
  EXPECT_EQ(solstice->solar_term, 23u);
  EXPECT_EQ(solstice->lunar_festival, u"冬至节");
  EXPECT_EQ(solstice->day_of_week, 0u);
  EXPECT_EQ(solstice->hour_branch, 0u);  // 子

  // The first day of the range: lunar 1899-12-01, 己亥 year, 丁丑 month.
  const auto first = FactsOf(year{1900} / 1 / 1, 23);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->lunar, (LunarDate{1899, 12, 1, false}));
  EXPECT_EQ(CycleName(first->year_cycle), u"己亥");
  EXPECT_EQ(CycleName(first->month_cycle), u"丁丑");
  EXPECT_EQ(first->fixed_festival, u"元旦");
  EXPECT_EQ(first->hour_branch, 0u);  // 23:00 is 子

  // 1900-01-30 is the last day of lunar 1899: New Year's Eve, then 春节.
  EXPECT_EQ(FactsOf(year{1900} / 1 / 30, 12)->lunar_festival, u"除夕");
  EXPECT_EQ(FactsOf(year{1900} / 1 / 31, 12)->lunar_festival, u"春节");
  // A leap month keeps no festival of its namesake (2023's leap second month).
  EXPECT_EQ(FactsOf(year{2023} / 3 / 23, 12)->lunar_festival, u"");
  EXPECT_EQ(FactsOf(year{2023} / 2 / 21, 12)->lunar_festival, u"龙抬头节");
  // Weekday rules and last weekdays: Thanksgiving in 2100 is on the 25th.
  EXPECT_EQ(FactsOf(year{2100} / 11 / 25, 12)->last_week_festival, u"感恩节(US)");
  EXPECT_EQ(FactsOf(year{1900} / 5 / 13, 12)->weekday_festival, u"母亲节 救助贫困母亲日");

  EXPECT_EQ(FactsOf(year{1899} / 12 / 31, 0), std::nullopt);
  EXPECT_EQ(FactsOf(year{2101} / 1 / 1, 0), std::nullopt);
  EXPECT_EQ(FactsOf(year{2023} / 2 / 29, 0), std::nullopt);
}

}  // namespace
}  // namespace moonfold
