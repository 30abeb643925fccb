#include "cycles/signs.h"

#include <gtest/gtest.h>

namespace moonfold {
namespace {

TEST(ZodiacAnimal, FollowsTheLunarYear) {
  constexpr struct {
    std::uint16_t year;
    std::u16string_view animal;
  } kCases[]{{1989, u"蛇"}, {1990, u"马"}, {2010, u"虎"}, {2020, u"鼠"},
             {2023, u"兔"},  // once carried as 免, "to exempt"
             {2035, u"兔"}, {2050, u"马"}};
  for (const auto& c : kCases) EXPECT_EQ(ZodiacAnimal(c.year), c.animal) << c.year;
}

TEST(WeekdayName, NamesTheClocksDayOfWeek) {
  constexpr std::u16string_view kNames[]{u"日", u"一", u"二", u"三", u"四", u"五", u"六"};
  for (std::uint16_t d = 0; d < 7; ++d) EXPECT_EQ(WeekdayName(d), kNames[d]) << d;
  EXPECT_EQ(WeekdayName(7), u"日");
}

TEST(ConstellationName, ChangesOnEachSignsFirstDay) {
  constexpr struct {
    std::uint16_t month, day;
    std::u16string_view sign;
  } kCases[]{
      {1, 1, u"摩羯座"},   {1, 18, u"摩羯座"},  {1, 19, u"水瓶座"},  {2, 18, u"水瓶座"},
      {2, 19, u"双鱼座"},  {2, 29, u"双鱼座"},  {3, 20, u"双鱼座"},  {3, 21, u"白羊座"},
      {4, 19, u"白羊座"},  {4, 20, u"金牛座"},  {5, 20, u"金牛座"},  {5, 21, u"双子座"},
      {6, 20, u"双子座"},  {6, 21, u"巨蟹座"},  {7, 22, u"巨蟹座"},  {7, 23, u"狮子座"},
      {8, 22, u"狮子座"},  {8, 23, u"处女座"},  {9, 22, u"处女座"},  {9, 23, u"天秤座"},
      {10, 22, u"天秤座"}, {10, 23, u"天蝎座"}, {11, 7, u"天蝎座"},  {11, 21, u"天蝎座"},
      {11, 22, u"射手座"}, {12, 21, u"射手座"}, {12, 22, u"摩羯座"}, {12, 31, u"摩羯座"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ConstellationName(c.month, c.day), c.sign) << c.month << '-' << c.day;
  }
}

}  // namespace
}  // namespace moonfold
