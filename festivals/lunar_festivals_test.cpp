#include "festivals/lunar_festivals.h"

#include <gtest/gtest.h>

#include "cycles/solar_terms.h"
#include "lunar/lunar_date.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;

// The festival of a Gregorian date, through the conversion and the solar
// terms, as the plug-in computes it.
std::u16string FestivalOn(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  std::uint16_t ly, lm, ld;
  const std::uint16_t leap = LunarDateOf(DayNumberOf(year, month, day), ly, lm, ld);
  return LunarFestivals(ly, lm, ld, SolarTermText(year, month, day), leap);
}

TEST(LunarFestivals, FallOnTheirLunarDates) {
  constexpr struct {
    std::uint16_t year, month, day;
    std::u16string_view name;
  } kCases[]{
      {2011, 2, 2, u"除夕"},     // lunar 2010-12-30, a 30-day twelfth month
      {2011, 2, 1, u""},
      {2011, 2, 3, u"春节"},
      {2012, 1, 22, u"除夕"},    // lunar 2011-12-29, a 29-day twelfth month
      {2034, 2, 18, u"除夕"},    // on 雨水: the eve wins over a term
      {1990, 1, 26, u"除夕"},    // lunar 1989-12-30
      {2011, 4, 5, u"上巳"},     // on 清明: the table row wins
      {2030, 4, 5, u"上巳"},
      {2024, 4, 4, u"清明节"},
      {2010, 12, 22, u"冬至节"},
      {2011, 1, 11, u"腊八节"},  // lunar 12-8
      {2011, 1, 26, u"北方小年"},  // lunar 12-23, once named 腊八节
      {2011, 1, 27, u"小年"},
      {2009, 5, 28, u"端午节"},
      {2010, 9, 15, u""},         // lunar 8-8 has no festival (腊八 is 12-8)
      {2010, 9, 22, u"中秋节"},
      {1990, 1, 4, u"腊八节"},    // lunar 1989-12-8
      {2010, 11, 7, u""},
      // In a leap month the festivals of its namesake are not kept again.
      {2009, 6, 27, u""},         // leap fifth month, day 5
      {2023, 3, 23, u""},         // leap second month, day 2
      {2023, 2, 21, u"龙抬头节"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FestivalOn(c.year, c.month, c.day), c.name) << DateText(c.year, c.month, c.day);
  }
}

TEST(LunarFestivals, SolarTermFestivalsStillFallInALeapMonth) {
  EXPECT_EQ(LunarFestivals(2023, 2, 14, u"清明", 1), u"清明节");
  EXPECT_EQ(LunarFestivals(2033, 11, 1, u"冬至", 1), u"冬至节");
  EXPECT_EQ(LunarFestivals(2023, 2, 14, u"谷雨", 0), u"");
}

TEST(LunarFestivals, NewYearsEveFallsOnceInEveryLunarYear) {
  std::map<std::uint16_t, int> eves;
  for (const auto& r : testing::ReferenceDays()) {
    if (FestivalOn(r.year, r.month, r.day) == u"除夕") ++eves[r.lunar_year];
  }
  for (std::uint16_t year = 1989; year <= 2049; ++year) EXPECT_EQ(eves[year], 1) << year;
}

}  // namespace
}  // namespace moonfold
