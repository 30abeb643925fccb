#include "festivals/fixed_date_festivals.h"

#include <gtest/gtest.h>

#include "festivals/lunar_festivals.h"
#include "festivals/weekday_festivals.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::Narrow;

TEST(FixedDateFestivals, LookUpTheMonthAndDay) {
  constexpr struct {
    std::uint16_t month, day;
    std::u16string_view name;
  } kCases[]{
      {1, 1, u"元旦"},
      {1, 2, u""},
      {1, 31, u""},
      {2, 1, u""},
      {2, 29, u""},
      {3, 12, u"植树节 孙中山逝世纪念日"},  // once missing 山
      {3, 21, u"世界森林日 消除种族歧视国际日 世界儿歌日 世界睡眠日"},
      {4, 23, u"世界图书和版权日 莎士比亚节"},  // once with 图书 twice
      {5, 30, u"『五卅』反对帝国主义运动纪念日"},
      {7, 1, u"中国共产党建党日 世界建筑日 香港回归日 亚洲\"三十亿人口日\""},
      {8, 8, u"中国男子节（爸爸节）"},
      {9, 18, u"九.一八事变纪念日"},
      {10, 4, u"世界动物日"},
      {10, 5, u"世界教师日"},  // once keyed to 10-4 behind 世界动物日, never shown
      {11, 7, u"十月社会主义革命纪念日"},
      {12, 29, u"国际生物多样性日"},
      {12, 31, u""},
      {0, 1, u""},
      {13, 1, u""},
      {3, 0, u""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FixedDateFestivals(c.month, c.day), c.name) << c.month << '-' << c.day;
  }
}

// Every character a festival name may hold: CJK ideographs, ASCII digits,
// '.', '"', '(', ')', single spaces between names, the full-width
// parentheses and the corner brackets 『』.
bool IsAllowedCharacter(char16_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'"' ||
         c == u'(' || c == u')' || c == u' ' || c == u'（' || c == u'）' || c == u'『' ||
         c == u'』' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

void ExpectCleanName(std::u16string_view name, const std::string& where) {
  ASSERT_FALSE(name.empty()) << where;
  EXPECT_NE(name.front(), u' ') << where;
  EXPECT_NE(name.back(), u' ') << where;
  EXPECT_EQ(name.find(u"  "), std::u16string_view::npos) << where;
  for (const char16_t c : name) {
    EXPECT_TRUE(IsAllowedCharacter(c)) << where << ": U+" << std::hex << static_cast<int>(c);
  }
}

TEST(FestivalTables, AreCompleteAndClean) {
  EXPECT_EQ(FixedDateFestivalTable.size(), 131u);
  EXPECT_EQ(LunarFestivalTable.size(), 20u);
  EXPECT_EQ(LastWeekFestivalTable.size(), 4u);
  EXPECT_EQ(WeekdayRuleFestivalTable.size(), 16u);

  const DatedFestival* previous = nullptr;
  for (const DatedFestival& row : FixedDateFestivalTable) {
    const std::string where = std::to_string(row.month) + "-" + std::to_string(row.day);
    ASSERT_GE(row.month, 1) << where;
    ASSERT_LE(row.month, 12) << where;
    EXPECT_GE(row.day, 1) << where;
    EXPECT_LE(row.day, DaysInGregorianMonth(2000, row.month)) << where;
    if (previous != nullptr) {
      EXPECT_LT(previous->month * 100 + previous->day, row.month * 100 + row.day)
          << where << ": rows in (month, day) order, each day once";
    }
    previous = &row;
    ExpectCleanName(row.name, where + " " + Narrow(std::u16string(row.name)));
  }
  for (const DatedFestival& row : LunarFestivalTable) {
    const std::string where = "lunar " + std::to_string(row.month) + "-" + std::to_string(row.day);
    EXPECT_GE(row.month, 1) << where;
    EXPECT_LE(row.month, 12) << where;
    EXPECT_GE(row.day, 1) << where;
    EXPECT_LE(row.day, 28) << where;  // never on a day a short month lacks
    ExpectCleanName(row.name, where);
  }
  for (const auto& row : LastWeekFestivalTable) ExpectCleanName(row.name, "last week");
  for (const auto& row : WeekdayRuleFestivalTable) {
    EXPECT_GE(row.week, 1);
    EXPECT_LE(row.week, 4);
    EXPECT_LE(row.weekday, 6);
    ExpectCleanName(row.name, "weekday rule");
  }
}

}  // namespace
}  // namespace moonfold
