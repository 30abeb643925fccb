#include "cycles/signs.h"

#include <gtest/gtest.h>

namespace moonfold {
namespace {

// Every sign's first and last day, as almanacs print the signs: a bound
// moved by a day shows here, whichever sign it is.
TEST(StarSigns, EverySignsFirstAndLastDay) {
  constexpr struct {
    unsigned sign;
    unsigned first_month, first_day, last_month, last_day;
  } kSigns[]{
      {0, 3, 21, 4, 19},    // 白羊
      {1, 4, 20, 5, 20},    // 金牛
      {2, 5, 21, 6, 20},    // 双子
      {3, 6, 21, 7, 22},    // 巨蟹
      {4, 7, 23, 8, 22},    // 狮子
      {5, 8, 23, 9, 22},    // 处女
      {6, 9, 23, 10, 22},   // 天秤
      {7, 10, 23, 11, 21},  // 天蝎
      {8, 11, 22, 12, 21},  // 射手
      {9, 12, 22, 1, 18},   // 摩羯, over the year's end
      {10, 1, 19, 2, 18},   // 水瓶
      {11, 2, 19, 3, 20},   // 双鱼
  };
  for (const auto& s : kSigns) {
    EXPECT_EQ(StarSignOf(s.first_month, s.first_day), s.sign) << s.sign;
    EXPECT_EQ(StarSignOf(s.last_month, s.last_day), s.sign) << s.sign;
    // The day before the first is the sign before; the day after the last,
    // the sign after.
    const unsigned before = (s.sign + 11) % 12, after = (s.sign + 1) % 12;
    const unsigned prev_month = s.first_day == 1 ? s.first_month - 1 : s.first_month;
    EXPECT_EQ(StarSignOf(prev_month, s.first_day - 1), before) << s.sign;
    EXPECT_EQ(StarSignOf(s.last_month, s.last_day + 1), after) << s.sign;
  }
  EXPECT_EQ(StarSignOf(12, 31), 9u);
  EXPECT_EQ(StarSignOf(1, 1), 9u);
  EXPECT_EQ(StarSignOf(2, 29), 11u);
}

}  // namespace
}  // namespace moonfold
