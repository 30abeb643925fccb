#include "plugin/moonfold_plugin.h"

#include <gtest/gtest.h>

#include "common/plugin_years.h"
#include "plugin/messages.h"
#include "tests/support/fake_platform.h"
#include "tests/support/known_day.h"
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
  platform_.SetClock(2010, 11, 7, 10, 30);
  std::uint32_t id = 100;
  for (const auto& c : testing::kKnownDayTexts) {
    const std::u16string section = u"Section " + std::u16string(c.keyword);
    const char16_t* text = Start(++id, section, std::u16string(c.keyword));
    ASSERT_NE(text, nullptr) << Narrow(std::u16string(c.keyword));
    EXPECT_EQ(std::u16string_view(text), c.text) << Narrow(std::u16string(c.keyword));
  }
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(plugin_.Slots()[SlotOf(KindNamed(u"LUNARDAY"), Script::kSimplified)].text, u"初二");
}

TEST_F(MoonfoldPluginTest, ReadsTheClockTwiceAndEachOptionOnce) {
  platform_.SetClock(2010, 11, 7, 10, 30);
  Start(7, u"Calendar", u"LUNARDAY");
  EXPECT_EQ(platform_.ClockReads(), 2);
  // The keyword first, then the script.
  ASSERT_EQ(platform_.ConfigReads().size(), 2u);
  EXPECT_EQ(platform_.ConfigReads()[0].section, u"Calendar");
  EXPECT_EQ(platform_.ConfigReads()[0].key, u"Moonfold");
  EXPECT_EQ(platform_.ConfigReads()[0].default_value, u"");
  EXPECT_EQ(platform_.ConfigReads()[1].section, u"Calendar");
  EXPECT_EQ(platform_.ConfigReads()[1].key, u"Script");
  EXPECT_EQ(platform_.ConfigReads()[1].default_value, u"");
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
  EXPECT_EQ(Text(1), u"庚寅");  // still recorded as HEYEAR
  EXPECT_EQ(Text(2), u"立冬");  // the term of the latest set-up
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
  } kRefused[]{{static_cast<std::uint16_t>(kFirstPluginYear - 1), 12, 31},
               {static_cast<std::uint16_t>(kLastPluginYear + 1), 1, 1},
               {0, 1, 1},
               {2010, 13, 1},
               {2010, 0, 1},
               {2010, 1, 0},
               {2010, 2, 29},
               {2010, 4, 31}};
  // One message while the clock stays wrong, however many set-ups.
  for (const auto& c : kRefused) {
    platform_.SetClock(c.year, c.month, c.day);
    plugin_.Initialize(u"d", 9);
    ASSERT_EQ(platform_.Messages().size(), 1u) << c.year << '-' << c.month << '-' << c.day;
    EXPECT_EQ(platform_.Messages()[0], kDateMessage);
    EXPECT_EQ(plugin_.Slots(), slots_before);
    EXPECT_EQ(plugin_.GetString(9), nullptr);
    EXPECT_EQ(plugin_.TodaySolar().year, c.year);
  }
  // The option is still read, once per set-up, so that the instance can
  // wait for a right clock.
  EXPECT_EQ(platform_.ConfigReads().size(), 2 * (2u + std::size(kRefused)));

  platform_.ClearMessages();
  platform_.SetClock(kFirstPluginYear, 1, 1);
  EXPECT_EQ(std::u16string_view(Start(3, u"y", u"HEYEAR")), u"己巳");
  platform_.SetClock(kLastPluginYear, 12, 31);
  EXPECT_EQ(std::u16string_view(Start(4, u"d", u"LUNARDAY")), u"十八");
  EXPECT_TRUE(platform_.Messages().empty());
  // A clock gone wrong again, after a right one, is told again, once.
  platform_.SetClock(kLastPluginYear + 1, 1, 1);
  plugin_.Initialize(u"d", 10);
  plugin_.Initialize(u"y", 11);
  EXPECT_EQ(platform_.Messages(), std::vector<std::u16string>{std::u16string(kDateMessage)});
}

// An instance set up while the clock is wrong (a PC that boots with its
// clock reset) used to stay (null) for good.  It waits, and the first
// Update of a clock in 1990..2050 sets it up as afresh.
TEST_F(MoonfoldPluginTest, AnInstanceSetUpUnderAWrongClockWaitsForARightOne) {
  const struct {
    LocalDateRecord wrong, right;
    std::u16string_view day;
  } kCases[]{
      {{static_cast<std::uint16_t>(kFirstPluginYear - 1), 12, 0, 31, 23, 59, 30, 0},
       {static_cast<std::uint16_t>(kFirstPluginYear), 1, 1, 1, 0, 0, 30, 0},
       u"初五"},
      {{1980, 1, 2, 1, 0, 0, 0, 0}, {2026, 12, 2, 8, 12, 0, 0, 0}, u"三十"},
  };
  for (const auto& c : kCases) {
    FakePlatform platform;
    MoonfoldPlugin plugin(platform);
    platform.SetOption(u"Day", u"LUNARDAY");
    platform.SetOption(u"Bad", u"LUNAR");
    platform.SetClock(c.wrong);
    plugin.Initialize(u"Day", 1);
    plugin.Initialize(u"Bad", 2);
    ASSERT_EQ(platform.Messages().size(), 2u);  // the date once, the keyword once
    EXPECT_EQ(platform.Messages()[0], kDateMessage);
    EXPECT_EQ(platform.Messages()[1], u"Moonfold=LUNAR 键值无效 [Bad ].");
    EXPECT_EQ(plugin.GetString(1), nullptr);
    plugin.Update(1);  // still wrong: nothing, and no message
    EXPECT_EQ(plugin.GetString(1), nullptr);
    EXPECT_EQ(platform.Messages().size(), 2u);

    platform.SetClock(c.right);
    plugin.Update(1);
    ASSERT_NE(plugin.GetString(1), nullptr);
    EXPECT_EQ(std::u16string_view(plugin.GetString(1)), c.day);
    EXPECT_EQ(plugin.GetString(2), nullptr);  // no keyword, no instance
    EXPECT_EQ(platform.Messages().size(), 2u);
  }
}

// Script=Hant gives an instance traditional characters; two instances of
// one kind in the two scripts each show their own, and Update2 keeps both.
TEST_F(MoonfoldPluginTest, EachInstanceShowsItsScript) {
  platform_.SetClock(2023, 3, 22, 8, 0);
  const struct {
    std::u16string section;
    std::u16string_view keyword, text;
  } kCases[]{
      {u"Hans", u"LUNARMONTH", u"闰二"}, {u"Hant", u"LUNARMONTH", u"閏二"},
      {u"Hant", u"HEYEAR", u"癸卯"},     {u"Hant", u"TWELVEANIMALS", u"兔"},
      {u"Odd", u"LUNARMONTH", u"闰二"},  // a value that names no script: simplified
  };
  std::uint32_t id = 500;
  for (const auto& c : kCases) {
    platform_.SetOption(c.section + u" " + std::u16string(c.keyword), std::u16string(c.keyword));
    platform_.SetOption(c.section + u" " + std::u16string(c.keyword),
                        c.section == u"Hant"  ? u"HANT"
                        : c.section == u"Odd" ? u"Big5"
                                              : u"Hans",
                        u"Script");
    plugin_.Initialize((c.section + u" " + std::u16string(c.keyword)).c_str(), ++id);
    EXPECT_EQ(Text(id), c.text) << Narrow(c.section) << ' ' << Narrow(std::u16string(c.keyword));
  }
  EXPECT_EQ(Text(501), u"闰二");  // both scripts of one kind, side by side
  ASSERT_EQ(platform_.Messages().size(), 1u);
  EXPECT_EQ(platform_.Messages()[0], u"Script=Big5 键值无效 [Odd LUNARMONTH ].");
  platform_.SetClock(2021, 2, 12, 1, 30);  // the lunar new year of 辛丑, in the 丑 hour
  plugin_.Update(502);
  EXPECT_EQ(Text(501), u"正");
  EXPECT_EQ(Text(502), u"正");
  EXPECT_EQ(Text(503), u"辛丑");
  EXPECT_EQ(Text(504), u"牛");
}

// The four pillars turn at the minute of a 节 term: 立春 of 2027 comes at
// 09:46, and with it the year and the month; Update2 follows it.
TEST_F(MoonfoldPluginTest, PillarsTurnAtTheTermsMinute) {
  platform_.SetClock(2027, 2, 4, 9, 45);
  Start(600, u"Pillars", u"PILLARS");
  EXPECT_EQ(Text(600), u"丙午 辛丑 甲寅 己巳");
  const char16_t* before = plugin_.GetString(600);
  platform_.SetClock(2027, 2, 4, 9, 45);
  plugin_.Update(600);
  EXPECT_EQ(plugin_.GetString(600), before);  // the same minute: untouched
  platform_.SetClock(2027, 2, 4, 9, 46);
  plugin_.Update(600);
  EXPECT_EQ(Text(600), u"丁未 壬寅 甲寅 己巳");
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

// A host sets an instance up once and then calls Update2 and GetString on
// every cycle, for days: the texts follow the clock.
TEST_F(MoonfoldPluginTest, UpdateFollowsTheClockPastMidnightAndThroughTheDoubleHours) {
  platform_.SetClock(2011, 2, 2, 23, 59);  // 除夕
  struct Case {
    std::uint32_t id;
    std::u16string_view keyword, at_2359, at_0001, at_0100, next_day;
  };
  constexpr Case kCases[]{
      {1, u"LUNARDAY", u"三十", u"初一", u"初一", u"初二"},
      {2, u"HEHOUR", u"子", u"子", u"丑", u"巳"},
      {3, u"SOLAR", u"", u"", u"", u"立春"},
      {4, u"FLUNARS", u"除夕", u"春节", u"春节", u"大年初二"},
      {5, u"HEYEAR", u"庚寅", u"辛卯", u"辛卯", u"辛卯"},
      {6, u"WEEKDAY", u"三", u"四", u"四", u"五"},
      {7, u"LUNARDAY", u"三十", u"初一", u"初一", u"初二"},  // a second LUNARDAY
      // 立春 on the 4th: its whole day is of the 寅 month, so 建 comes twice.
      {8, u"DUTY", u"闭", u"建", u"建", u"建"},
      {9, u"DAYGOD", u"天刑(黑道)", u"朱雀(黑道)", u"朱雀(黑道)", u"天刑(黑道)"},
      {10, u"MANSION", u"箕水豹", u"斗木獬", u"斗木獬", u"牛金牛"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(std::u16string_view(Start(c.id, u"s", std::u16string(c.keyword))), c.at_2359);
  }
  const auto step = [&](std::uint16_t day, std::uint16_t hour, std::uint16_t minute, auto expected,
                        std::uint32_t first_id) {
    platform_.SetClock(2011, 2, day, hour, minute);
    plugin_.Update(first_id);  // one call brings every kind in use up to date
    for (const auto& c : kCases) {
      EXPECT_EQ(Text(c.id), c.*expected)
          << Narrow(std::u16string(c.keyword)) << " at " << day << ' ' << hour << ':' << minute;
    }
  };
  step(3, 0, 1, &Case::at_0001, 1);
  step(3, 1, 0, &Case::at_0100, 2);
  step(4, 10, 0, &Case::next_day, 7);
  EXPECT_TRUE(platform_.Messages().empty());
  EXPECT_EQ(platform_.ConfigReads().size(), 2 * std::size(kCases));  // Initialize's only
}

TEST_F(MoonfoldPluginTest, UpdateReadsTheClockOnceAndKeepsTextsOfTheSameDay) {
  platform_.SetClock(2010, 11, 7, 10, 30);
  const char16_t* day = Start(1, u"d", u"LUNARDAY");
  const char16_t* hour = Start(2, u"h", u"HEHOUR");
  const int reads = platform_.ClockReads();
  platform_.SetClock(2010, 11, 7, 10, 59);  // the same day and double hour
  plugin_.Update(1);
  plugin_.Update(2);
  EXPECT_EQ(platform_.ClockReads(), reads + 2);
  EXPECT_EQ(plugin_.GetString(1), day);  // not rebuilt: the pointer holds
  EXPECT_EQ(plugin_.GetString(2), hour);
  platform_.SetClock(2010, 11, 7, 11, 0);  // 午 begins; the day's text stays
  plugin_.Update(1);
  EXPECT_EQ(plugin_.GetString(1), day);
  EXPECT_EQ(plugin_.GetString(2), hour);  // only an HEHOUR id notices the hour
  plugin_.Update(2);
  EXPECT_EQ(Text(2), u"午");
  EXPECT_EQ(plugin_.GetString(1), day);
}

TEST_F(MoonfoldPluginTest, UpdateOutsideTheTablesOrForUnknownIdsChangesNothing) {
  platform_.SetClock(2010, 11, 7);
  Start(1, u"d", u"LUNARDAY");
  Start(2, u"s", u"SOLAR");
  const auto slots = plugin_.Slots();
  const auto registry = plugin_.Registry();
  constexpr struct {
    std::uint16_t year, month, day;
  } kClocks[]{{static_cast<std::uint16_t>(kLastPluginYear + 1), 1, 1},
              {static_cast<std::uint16_t>(kFirstPluginYear - 1), 12, 31},
              {2010, 13, 1},
              {2010, 2, 30},
              {0, 0, 0}};
  for (const auto& c : kClocks) {
    platform_.SetClock(c.year, c.month, c.day);
    plugin_.Update(1);
    plugin_.Update(2);
    EXPECT_EQ(plugin_.Slots(), slots) << c.year << '-' << c.month << '-' << c.day;
  }
  platform_.SetClock(2010, 11, 8);
  const int reads = platform_.ClockReads();
  plugin_.Update(99);  // never recorded
  EXPECT_EQ(plugin_.Slots(), slots);
  EXPECT_EQ(plugin_.Registry(), registry);
  EXPECT_EQ(plugin_.GetString(99), nullptr);
  EXPECT_EQ(platform_.ClockReads(), reads);
  EXPECT_TRUE(platform_.Messages().empty());
}

}  // namespace
}  // namespace moonfold
