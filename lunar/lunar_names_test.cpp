#include "lunar/lunar_names.h"

#include <gtest/gtest.h>

#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::Narrow;

TEST(LunarDayText, NamesAllThirtyDays) {
  constexpr std::u16string_view kNames[]{
      u"初一", u"初二", u"初三", u"初四", u"初五", u"初六", u"初七", u"初八", u"初九", u"初十",
      u"十一", u"十二", u"十三", u"十四", u"十五", u"十六", u"十七", u"十八", u"十九", u"二十",
      u"廿一", u"廿二", u"廿三", u"廿四", u"廿五", u"廿六", u"廿七", u"廿八", u"廿九", u"三十"};
  for (std::uint16_t day = 1; day <= 30; ++day) {
    EXPECT_EQ(LunarDayText(day), kNames[day - 1]) << day;
  }
}

TEST(LunarDayText, DaysNoMonthHasGiveNothing) {
  EXPECT_EQ(LunarDayText(0), u"");
  EXPECT_EQ(LunarDayText(31), u"参一");  // the table's own name for 31..39
  EXPECT_EQ(LunarDayText(40), u"");
  EXPECT_EQ(LunarDayText(0xFFFF), u"");
}

TEST(LunarMonthText, NamesMonthsAndLeapMonths) {
  constexpr struct {
    std::uint16_t month, leap;
    std::u16string_view text;
  } kCases[]{{1, 0, u"正"},  {2, 0, u"二"},  {2, 1, u"闰二"}, {10, 0, u"十"},
             {11, 0, u"冬"}, {11, 1, u"闰冬"}, {12, 0, u"腊"}, {0, 0, u""}, {13, 1, u""}};
  for (const auto& c : kCases) {
    EXPECT_EQ(LunarMonthText(c.month, c.leap), c.text) << c.month << ' ' << c.leap;
  }
}

TEST(LunarMonthText, NeverEndsIn月) {
  for (std::uint16_t month = 1; month <= 12; ++month) {
    for (std::uint16_t leap = 0; leap <= 1; ++leap) {
      const std::u16string text = LunarMonthText(month, leap);
      ASSERT_FALSE(text.empty());
      EXPECT_NE(text.back(), u'月') << Narrow(text);
    }
  }
}

}  // namespace
}  // namespace moonfold
