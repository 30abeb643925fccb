#include "plugin/moonfold_plugin.h"

#include <gtest/gtest.h>

#include "plugin/messages.h"
#include "tests/support/fake_platform.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::FakePlatform;
using testing::Narrow;

class MoonfoldPluginTest : public ::testing::Test {
 protected:
  // Sets up instance `id` of `section` with the option `keyword`.
  const char16_t* Start(std::uint32_t id, const std::u16string& section,
                        const std::u16string& keyword) {
    platform_.SetOption(section, keyword);
    plugin_.Initialize(section.c_str(), id);
    return plugin_.GetString(id);
  }

  std::u16string Text(std::uint32_t id) const {
    const char16_t* text = plugin_.GetString(id);
    return text != nullptr ? text : u"(null)";
  }

  FakePlatform platform_;
  MoonfoldPlugin plugin_{platform_};
};

TEST_F(MoonfoldPluginTest, AWholeDayThroughEveryKeyword) {
  platform_.SetClock(2010, 11, 7, 10, 30);  // a Sunday
  constexpr struct {
    std::u16string_view keyword, text;
  } kCases[]{
      {u"LUNARDAY", u"初二"},  {u"LUNARMONTH", u"十"},     {u"WEEKDAY", u"日"},
      {u"HEYEAR", u"庚寅"},    {u"HEMONTH", u"丁亥"},      {u"HEDAY", u"辛酉"},
      {u"HEHOUR", u"巳"},      {u"SOLAR", u"立冬"},        {u"CONSTELLATION", u"天蝎座"},
      {u"FEASTS", u"十月社会主义革命纪念日"},              {u"FWEEKDAY", u""},
      {u"FLASTWEEK", u""},     {u"FLUNARS", u""},          {u"TWELVEANIMALS", u"虎"},
  };
  std::uint32_t id = 100;
  for (const auto& c : kCases) {
    const std::u16string section = u"Section " + std::u16string(c.keyword);
    const char16_t* text = Start(++id, section, std::u16string(c.keyword));
    ASSERT_NE(text, nullptr) << Narrow(std::u16string(c.keyword));
    EXPECT_EQ(std::u16string_view(text), c.text) << Narrow(std::u16string(c.keyword));
  }
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(plugin_.Slots()[0], u"初二");  // slot = kind
}

TEST_F(MoonfoldPluginTest, ReadsTheClockTwiceAndTheOptionOnce) {
  platform_.SetClock(2010, 11, 7, 10, 30);
  Start(7, u"Calendar", u"LUNARDAY");
  EXPECT_EQ(platform_.ClockReads(), 2);
  ASSERT_EQ(platform_.ConfigReads().size(), 1u);
  EXPECT_EQ(platform_.ConfigReads()[0].section, u"Calendar");
  EXPECT_EQ(platform_.ConfigReads()[0].key, u"Moonfold");
  EXPECT_EQ(platform_.ConfigReads()[0].default_value, u"");
  EXPECT_EQ(plugin_.TodayLunar().year, 2010);
  EXPECT_EQ(plugin_.TodayLunar().month, 10);
  EXPECT_EQ(plugin_.TodayLunar().day, 2);
  EXPECT_EQ(plugin_.TodayLunar().hour, 10);
  EXPECT_EQ(plugin_.TodaySolar().day, 7);
}

TEST_F(MoonfoldPluginTest, LeapMonthsCarryTheirPrefix) {
  platform_.SetClock(2023, 3, 22);
  EXPECT_EQ(std::u16string_view(Start(1, u"m", u"LUNARMONTH")), u"闰二");
  EXPECT_EQ(std::u16string_view(Start(2, u"d", u"LUNARDAY")), u"初一");
  EXPECT_EQ(std::u16string_view(Start(3, u"h", u"HEMONTH")), u"乙卯");
  platform_.SetClock(2023, 3, 21);
  EXPECT_EQ(std::u16string_view(Start(1, u"m", u"LUNARMONTH")), u"二");
  platform_.SetClock(2033, 12, 22);
  EXPECT_EQ(std::u16string_view(Start(1, u"m", u"LUNARMONTH")), u"闰冬");
}

TEST_F(MoonfoldPluginTest, KeywordsIgnoreCaseButNothingElse) {
  platform_.SetClock(2010, 11, 7);
  EXPECT_EQ(std::u16string_view(Start(1, u"a", u"lunarday")), u"初二");
  EXPECT_EQ(std::u16string_view(Start(2, u"b", u"LunarDay")), u"初二");
  EXPECT_TRUE(platform_.Messages().empty());

  constexpr struct {
    std::u16string_view value, message;
  } kCases[]{
      {u"LUNAR", u"Moonfold=LUNAR 键值无效 [Calendar ]."},
      {u"", u"Moonfold= 键值无效 [Calendar ]."},
      {u" LUNARDAY", u"Moonfold= LUNARDAY 键值无效 [Calendar ]."},
      {u"LUNARDAY ", u"Moonfold=LUNARDAY  键值无效 [Calendar ]."},
      {u"LUNARDAYS", u"Moonfold=LUNARDAYS 键值无效 [Calendar ]."},
  };
  for (const auto& c : kCases) {
    platform_.ClearMessages();
    EXPECT_EQ(Start(3, u"Calendar", std::u16string(c.value)), nullptr);
    ASSERT_EQ(platform_.Messages().size(), 1u);
    EXPECT_EQ(platform_.Messages()[0], c.message);
  }
}

TEST_F(MoonfoldPluginTest, ANullSectionNameReadsAsEmpty) {
  platform_.SetClock(2010, 11, 7);
  platform_.SetOption(u"", u"NOPE");
  plugin_.Initialize(nullptr, 1);
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0], u"Moonfold=NOPE 键值无效 [ ].");
  EXPECT_EQ(platform_.ConfigReads().at(0).section, u"");
}

TEST_F(MoonfoldPluginTest, ANullOptionChangesNothingButTheSolarTerm) {
  platform_.SetClock(2010, 11, 6);
  Start(1, u"year", u"HEYEAR");
  Start(2, u"solar", u"SOLAR");
  EXPECT_EQ(Text(2), u"");
  platform_.SetClock(2010, 11, 7);
  platform_.SetOption(u"x", std::nullopt);
  plugin_.Initialize(u"x", 1);
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(Text(1), u"庚寅");      // still recorded as HEYEAR
  EXPECT_EQ(Text(2), u"立冬");      // the term of the latest set-up
  EXPECT_EQ(plugin_.Registry().size(), 2u);
}

TEST_F(MoonfoldPluginTest, ABadKeywordKeepsTheIdsEarlierKind) {
  platform_.SetClock(2010, 11, 7);
  Start(5, u"s", u"HEYEAR");
  Start(5, u"s", u"BOGUS");
  EXPECT_EQ(Text(5), u"庚寅");
  Start(5, u"s", u"HEDAY");
  EXPECT_EQ(Text(5), u"辛酉");
  EXPECT_EQ(plugin_.Registry().size(), 1u);
}

TEST_F(MoonfoldPluginTest, InstancesOfOneKindShareTheLatestText) {
  platform_.SetClock(2010, 11, 7);
  Start(1, u"a", u"LUNARDAY");
  platform_.SetClock(2010, 11, 8);
  Start(2, u"b", u"LUNARDAY");
  EXPECT_EQ(Text(1), u"初三");
  EXPECT_EQ(Text(2), u"初三");
}

TEST_F(MoonfoldPluginTest, SolarFollowsEverySetUpThatPassesTheDateCheck) {
  platform_.SetClock(2010, 11, 7);
  Start(1, u"solar", u"SOLAR");
  EXPECT_EQ(Text(1), u"立冬");
  platform_.SetClock(2010, 11, 8);
  Start(2, u"bad", u"NOT A KEYWORD");
  EXPECT_EQ(Text(1), u"");  // a pointer to an empty text, not null
  EXPECT_NE(plugin_.GetString(1), nullptr);
  platform_.SetClock(2010, 12, 22);
  Start(3, u"d", u"FLUNARS");
  EXPECT_EQ(Text(1), u"冬至");
  EXPECT_EQ(Text(3), u"冬至节");
}

TEST_F(MoonfoldPluginTest, RefusesDatesOutsideTheTables) {
  platform_.SetClock(2010, 11, 7);
  Start(1, u"d", u"LUNARDAY");
  Start(2, u"s", u"SOLAR");
  const auto slots_before = plugin_.Slots();

  constexpr struct {
    std::uint16_t year, month, day;
  } kRefused[]{{1989, 12, 31}, {2051, 1, 1}, {0, 1, 1}, {2010, 13, 1},
               {2010, 0, 1},   {2010, 1, 0}, {2010, 2, 29}, {2010, 4, 31}};
  for (const auto& c : kRefused) {
    platform_.ClearMessages();
    platform_.SetClock(c.year, c.month, c.day);
    plugin_.Initialize(u"d", 9);
    ASSERT_EQ(platform_.Messages().size(), 1u) << c.year << '-' << c.month << '-' << c.day;
    EXPECT_EQ(platform_.Messages()[0], kDateMessage);
    EXPECT_EQ(plugin_.Slots(), slots_before);
    EXPECT_EQ(plugin_.GetString(9), nullptr);
    EXPECT_EQ(plugin_.TodaySolar().year, c.year);
  }
  // The option is not even read.
  EXPECT_EQ(platform_.ConfigReads().size(), 2u);

  platform_.ClearMessages();
  platform_.SetClock(1990, 1, 1);
  EXPECT_EQ(std::u16string_view(Start(3, u"y", u"HEYEAR")), u"己巳");
  platform_.SetClock(2050, 12, 31);
  EXPECT_EQ(std::u16string_view(Start(4, u"d", u"LUNARDAY")), u"十八");
  EXPECT_TRUE(platform_.Messages().empty());
}

TEST_F(MoonfoldPluginTest, UnknownIdsGiveNull) {
  EXPECT_EQ(plugin_.GetString(0), nullptr);
  EXPECT_EQ(plugin_.GetString(0xFFFFFFFF), nullptr);
  platform_.SetClock(2010, 11, 7);
  Start(0, u"zero", u"WEEKDAY");
  Start(0xFFFFFFFF, u"max", u"HEHOUR");
  EXPECT_EQ(Text(0), u"日");
  EXPECT_EQ(Text(0xFFFFFFFF), u"午");
  EXPECT_EQ(plugin_.GetString(1), nullptr);
}

}  // namespace
}  // namespace moonfold
