// The plug-in's lunar functions read views of the generated 1900-2100
// tables now; for every argument their results must be what they were when
// the tables of 1990-2050 were typed in (tests/support/legacy_calendar.h),
// the 16-bit wrap outside those years included.
#include <gtest/gtest.h>

#include "lunar/lunar_date.h"
#include "tests/support/legacy_calendar.h"

namespace moonfold {
namespace {

TEST(LunarTables, TheViewsEqualTheTablesTheyReplace) {
  EXPECT_EQ(LunarMonthBits, legacy::LunarMonthBits);
  EXPECT_EQ(LeapMonthNibbles, legacy::LeapMonthNibbles);
}

TEST(LunarTables, EveryYearMonthAndDayNumberGivesWhatItGave) {
  for (unsigned y = 0; y <= 0xFFFF; ++y) {
    const auto year = static_cast<std::uint16_t>(y);
    ASSERT_EQ(LeapMonthOf(year), legacy::LeapMonthOf(year)) << y;
    ASSERT_EQ(LunarYearLength(year), legacy::LunarYearLength(year)) << y;
    for (std::uint16_t m = 0; m <= 15; ++m) {
      ASSERT_EQ(LunarMonthLengths(year, m), legacy::LunarMonthLengths(year, m)) << y << '-' << m;
    }
  }
  const auto same_conversion = [](DayNumber n) {
    std::uint16_t y = 0, m = 0, d = 0, ly = 0, lm = 0, ld = 0;
    const std::uint16_t leap = LunarDateOf(n, y, m, d);
    const std::uint16_t legacy_leap = legacy::LunarDateOf(n, ly, lm, ld);
    return leap == legacy_leap && y == ly && m == lm && d == ld;
  };
  for (unsigned n = 0; n <= 0xFFFF; ++n) {
    ASSERT_TRUE(same_conversion(static_cast<DayNumber>(n))) << "day number " << n;
  }
  // Every date of 1900..2100, through the 16-bit day number (which wraps
  // before 1990).
  for (std::uint16_t y = 1900; y <= 2100; ++y) {
    for (std::uint16_t m = 1; m <= 12; ++m) {
      for (std::uint16_t d = 1; d <= 31; ++d) {
        ASSERT_TRUE(same_conversion(DayNumberOf(y, m, d))) << y << '-' << m << '-' << d;
      }
    }
  }
}

}  // namespace
}  // namespace moonfold
