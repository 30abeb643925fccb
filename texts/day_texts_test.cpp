// The texts of the live path, FactsOf and KindText, as the plug-in and the
// command produce them: against the independent reference on every day of
// 1900-2100, and against reviewed cases for every rule of the calendar.
#include "texts/kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/support/known_day.h"
#include "tests/support/record_data.h"
#include "tests/support/reference_data.h"
#include "tests/support/reviewed_names.h"
#include "tests/support/season_scan.h"
#include "texts/calendar_texts.h"

namespace moonfold {
namespace {

using namespace std::chrono;
using testing::DateText;
using testing::Narrow;

constexpr Script kHans = Script::kSimplified;

std::u16string Text(std::u16string_view keyword, year_month_day date, unsigned hour = 12,
                    unsigned minute = 0) {
  const std::optional<DayFacts> facts = FactsOf(WallTime(date, hour, minute));
  if (!facts) return u"(no facts)";
  return KindText(*KindOfKeyword(keyword), *facts, kHans);
}

std::string Where(year_month_day date, std::u16string_view keyword) {
  return DateText(static_cast<std::uint16_t>(static_cast<int>(date.year())),
                  static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                  static_cast<std::uint16_t>(static_cast<unsigned>(date.day()))) +
         " " + Narrow(std::u16string(keyword));
}

// Every day of the range against the second engine: the lunar day and
// month as they are shown, the solar term's name and the day's cycle name.
TEST(DayTexts, EveryDayOfTheRangeMatchesTheReference) {
  int mismatches = 0;
  for (const auto& r : testing::AllReferenceDays()) {
    const year_month_day date{year{r.year}, month{r.month}, day{r.day}};
    const std::optional<DayFacts> facts = FactsOf(WallTime(date, 12));
    ASSERT_TRUE(facts) << DateText(r.year, r.month, r.day);
    const struct {
      std::u16string_view keyword;
      std::u16string expected;
    } kChecks[]{
        {u"LUNARDAY", std::u16string(testing::kReviewedDays[r.lunar_day - 1])},
        {u"LUNARMONTH", testing::ReviewedMonthName(r.lunar_month, r.leap != 0)},
        {u"SOLAR", r.solar_term},
        {u"HEDAY", r.day_cycle},
    };
    for (const auto& c : kChecks) {
      const std::u16string actual = KindText(*KindOfKeyword(c.keyword), *facts, kHans);
      if (actual != c.expected && ++mismatches <= 20) {
        ADD_FAILURE() << Where(date, c.keyword) << ": " << Narrow(actual) << ", reference "
                      << Narrow(c.expected);
      }
    }
  }
  EXPECT_EQ(testing::AllReferenceDays().size(), testing::kReferenceDayCount);
  EXPECT_EQ(mismatches, 0);
}

TEST(DayTexts, EveryKindOfAKnownDay) {
  std::set<std::u16string_view> seen;
  for (const auto& c : testing::kKnownDayTexts) {
    EXPECT_EQ(Text(c.keyword, year{2010} / 11 / 7, 10, 30), c.text)
        << Narrow(std::u16string(c.keyword));
    seen.insert(c.keyword);
  }
  EXPECT_EQ(seen.size(), kTextKindCount) << "a case for every kind";
}

// Each rule of the calendar, with the days that once went wrong or sit on
// an edge.
TEST(DayTexts, FollowTheRulesOfTheCalendar) {
  constexpr struct {
    year_month_day date;
    unsigned hour;
    std::u16string_view keyword, text;
  } kCases[]{
      // The year and the animal turn at the lunar new year, not at 立春
      // (2010: 立春 on 4 February, the new year on the 14th).
      {year{2010} / 2 / 13, 12, u"HEYEAR", u"己丑"},
      {year{2010} / 2 / 14, 12, u"HEYEAR", u"庚寅"},
      {year{2010} / 2 / 13, 12, u"TWELVEANIMALS", u"牛"},
      {year{2023} / 6 / 1, 12, u"TWELVEANIMALS", u"兔"},  // once carried as 免, "to exempt"
      {year{1984} / 6 / 1, 12, u"HEYEAR", u"甲子"},
      {year{2044} / 6 / 1, 12, u"HEYEAR", u"甲子"},
      {year{1900} / 1 / 1, 12, u"HEYEAR", u"己亥"},  // lunar 1899
      {year{2100} / 12 / 31, 12, u"HEYEAR", u"庚申"},
      // The month's name runs by lunar month, the first a 寅 month; a leap
      // month repeats the name of the month it follows.
      {year{1990} / 1 / 27, 12, u"HEMONTH", u"戊寅"},
      {year{2023} / 3 / 21, 12, u"HEMONTH", u"乙卯"},
      {year{2023} / 3 / 22, 12, u"HEMONTH", u"乙卯"},  // 闰二月
      {year{2023} / 3 / 22, 12, u"LUNARMONTH", u"闰二"},
      {year{2033} / 12 / 22, 12, u"LUNARMONTH", u"闰冬"},
      {year{2024} / 2 / 9, 12, u"LUNARMONTH", u"腊"},
      {year{1900} / 1 / 1, 12, u"HEMONTH", u"丁丑"},
      // The day's name follows the civil date, also after 23:00.
      {year{1990} / 1 / 1, 12, u"HEDAY", u"丙寅"},
      {year{2024} / 2 / 10, 23, u"HEDAY", u"甲辰"},
      {year{2050} / 12 / 31, 12, u"HEDAY", u"乙酉"},
      // Double hours begin at the odd hours.
      {year{2010} / 11 / 7, 0, u"HEHOUR", u"子"},
      {year{2010} / 11 / 7, 1, u"HEHOUR", u"丑"},
      {year{2010} / 11 / 7, 2, u"HEHOUR", u"丑"},
      {year{2010} / 11 / 7, 22, u"HEHOUR", u"亥"},
      {year{2010} / 11 / 7, 23, u"HEHOUR", u"子"},
      // Star signs change on their first days.
      {year{2011} / 1 / 18, 12, u"CONSTELLATION", u"摩羯座"},
      {year{2011} / 1 / 19, 12, u"CONSTELLATION", u"水瓶座"},
      {year{2012} / 2 / 29, 12, u"CONSTELLATION", u"双鱼座"},
      {year{2011} / 3 / 21, 12, u"CONSTELLATION", u"白羊座"},
      {year{2011} / 6 / 20, 12, u"CONSTELLATION", u"双子座"},
      {year{2011} / 11 / 22, 12, u"CONSTELLATION", u"射手座"},
      {year{2011} / 12 / 22, 12, u"CONSTELLATION", u"摩羯座"},
      {year{2011} / 12 / 31, 12, u"CONSTELLATION", u"摩羯座"},
      // Fixed-date festivals: several observances share a day.
      {year{2011} / 1 / 1, 12, u"FEASTS", u"元旦"},
      {year{2011} / 1 / 2, 12, u"FEASTS", u""},
      {year{2012} / 2 / 29, 12, u"FEASTS", u""},
      {year{2011} / 3 / 12, 12, u"FEASTS", u"植树节 孙中山逝世纪念日"},  // once missing 山
      {year{2011} / 3 / 21, 12, u"FEASTS", u"世界森林日 消除种族歧视国际日 世界儿歌日 世界睡眠日"},
      {year{2011} / 4 / 23, 12, u"FEASTS", u"世界图书和版权日 莎士比亚节"},  // once with 图书 twice
      {year{2011} / 5 / 30, 12, u"FEASTS", u"『五卅』反对帝国主义运动纪念日"},
      {year{2011} / 7 / 1, 12, u"FEASTS",
       u"中国共产党建党日 世界建筑日 香港回归日 亚洲\"三十亿人口日\""},
      {year{2011} / 5 / 22, 12, u"FEASTS", u"国际生物多样性日"},
      {year{2011} / 8 / 8, 12, u"FEASTS", u"中国男子节（爸爸节）"},
      {year{2011} / 10 / 5, 12, u"FEASTS", u"世界教师日"},  // once keyed to 10-4, never shown
      {year{2011} / 12 / 31, 12, u"FEASTS", u""},
      // Each shows from the year it was first kept, and one that moved on
      // the days of each.
      {year{1949} / 10 / 1, 12, u"FEASTS", u""},
      {year{1950} / 10 / 1, 12, u"FEASTS", u"国庆节"},
      {year{1984} / 9 / 10, 12, u"FEASTS", u""},
      {year{1985} / 9 / 10, 12, u"FEASTS", u"中国教师节"},
      {year{1911} / 1 / 1, 12, u"FEASTS", u""},
      {year{1912} / 1 / 1, 12, u"FEASTS", u"元旦"},
      {year{1996} / 7 / 1, 12, u"FEASTS", u"中国共产党建党日 世界建筑日 亚洲\"三十亿人口日\""},
      {year{1700} / 12 / 25, 12, u"FEASTS", u"圣诞节"},
      {year{2000} / 12 / 29, 12, u"FEASTS", u"国际生物多样性日"},
      {year{2001} / 12 / 29, 12, u"FEASTS", u""},
      {year{2000} / 5 / 22, 12, u"FEASTS", u""},
      {year{2001} / 5 / 22, 12, u"FEASTS", u"国际生物多样性日"},
      {year{1957} / 9 / 22, 12, u"FWEEKDAY", u"世界儿童日"},  // 国际聋人节 from 1958
      {year{1958} / 9 / 28, 12, u"FWEEKDAY", u"国际聋人节 世界儿童日"},
      {year{1988} / 10 / 19, 12, u"FLUNARS", u"重阳节"},  // 中国老年节 from lunar 1989
      {year{1989} / 10 / 8, 12, u"FLUNARS", u"重阳节 中国老年节"},
      // The n-th weekday of a month, counted from the month's first day.
      {year{2011} / 5 / 8, 12, u"FWEEKDAY",
       u"母亲节 救助贫困母亲日"},  // May 2011 starts on a Sunday
      {year{2011} / 5 / 1, 12, u"FWEEKDAY", u""},
      {year{2011} / 5 / 15, 12, u"FWEEKDAY", u"全国助残日"},
      {year{2012} / 5 / 13, 12, u"FWEEKDAY", u"母亲节 救助贫困母亲日"},
      {year{2012} / 5 / 15, 12, u"FWEEKDAY", u"国际牛奶日"},
      {year{2012} / 6 / 17, 12, u"FWEEKDAY", u"父亲节"},
      {year{2012} / 10 / 8, 12, u"FWEEKDAY", u"感恩节(Canada)"},
      {year{2012} / 10 / 10, 12, u"FWEEKDAY", u"国际减轻自然灾害日"},
      {year{2013} / 9 / 2, 12, u"FWEEKDAY", u"劳动日"},
      {year{2018} / 1 / 7, 12, u"FWEEKDAY", u"黑人日"},  // January 2018's first Sunday
      {year{2018} / 1 / 14, 12, u"FWEEKDAY", u""},
      {year{2012} / 12 / 9, 12, u"FWEEKDAY", u"国际儿童电视广播日"},
      // The last weekday of a month, with the trailing space hosts get.
      {year{2011} / 1 / 30, 12, u"FLASTWEEK", u"世界麻风日 "},
      {year{2011} / 1 / 23, 12, u"FLASTWEEK", u""},
      {year{2012} / 9 / 30, 12, u"FLASTWEEK", u"国际海事日 世界心脏日 "},
      {year{2011} / 3 / 28, 12, u"FLASTWEEK", u"全国中小学生安全教育日 "},
      // US Thanksgiving is the fourth Thursday of November: a week before
      // the last in a November of five Thursdays (it once fell a week late).
      {year{2100} / 11 / 25, 12, u"FLASTWEEK", u"感恩节(US) "},
      {year{2012} / 11 / 22, 12, u"FLASTWEEK", u"感恩节(US) "},
      {year{2012} / 11 / 29, 12, u"FLASTWEEK", u""},
      {year{2018} / 11 / 22, 12, u"FLASTWEEK", u"感恩节(US) "},
      {year{2029} / 11 / 22, 12, u"FLASTWEEK", u"感恩节(US) "},
      {year{2029} / 11 / 29, 12, u"FLASTWEEK", u""},
      // Lunar festivals: a dated row wins over New Year's Eve, the eve over
      // a term's festival; a leap month keeps none of its namesake's.
      {year{2011} / 2 / 2, 12, u"FLUNARS", u"除夕"},   // a 30-day twelfth month
      {year{2012} / 1 / 22, 12, u"FLUNARS", u"除夕"},  // a 29-day twelfth month
      {year{2011} / 2 / 3, 12, u"FLUNARS", u"春节"},
      {year{1900} / 1 / 30, 12, u"FLUNARS", u"除夕"},
      {year{2034} / 2 / 18, 12, u"FLUNARS", u"除夕"},  // on 雨水
      {year{2011} / 4 / 5, 12, u"FLUNARS", u"上巳"},   // on 清明
      {year{2024} / 4 / 4, 12, u"FLUNARS", u"清明节"},
      {year{1951} / 12 / 23, 0, u"FLUNARS", u"冬至节"},    // the solstice at 00:00:01
      {year{2011} / 1 / 26, 12, u"FLUNARS", u"北方小年"},  // once named 腊八节
      {year{2011} / 1 / 27, 12, u"FLUNARS", u"小年"},
      {year{2010} / 10 / 16, 12, u"FLUNARS", u"重阳节 中国老年节"},
      {year{2010} / 9 / 15, 12, u"FLUNARS", u""},
      {year{2009} / 6 / 27, 12, u"FLUNARS", u""},       // leap fifth month, day 5
      {year{2023} / 3 / 23, 12, u"FLUNARS", u""},       // leap second month, day 2
      {year{2023} / 4 / 5, 12, u"FLUNARS", u"清明节"},  // in the leap month: the term's own
      {year{2023} / 2 / 21, 12, u"FLUNARS", u"龙抬头节"},
      // The official arrangement: days off and weekend days worked, as the
      // notices give them; nothing in a year no notice has announced.
      {year{2026} / 2 / 15, 12, u"HOLIDAY", u"春节"},
      {year{2026} / 2 / 15, 12, u"DAYOFF", u"休"},
      {year{2026} / 2 / 14, 12, u"HOLIDAY", u""},
      {year{2026} / 2 / 14, 12, u"DAYOFF", u"班"},
      {year{2023} / 10 / 3, 12, u"HOLIDAY", u"中秋节、国庆节"},
      {year{2013} / 4 / 7, 12, u"DAYOFF", u"班"},  // the notice, though one library has it not
      {year{2015} / 9 / 26, 12, u"DAYOFF", u""},   // an ordinary Saturday
      {year{2015} / 9 / 3, 12, u"HOLIDAY", u"抗战胜利纪念日"},
      {year{2005} / 12 / 31, 12, u"DAYOFF", u"班"},  // worked for 元旦 of 2006
      {year{2026} / 3 / 7, 12, u"DAYOFF", u""},      // an ordinary weekend is not marked
      {year{2027} / 2 / 8, 12, u"HOLIDAY", u""},     // no notice for 2027 yet
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Text(c.keyword, c.date, c.hour), c.text) << Where(c.date, c.keyword);
  }
}

// The clock's day of week, right or wrong, is what the weekday and the n-th
// weekday festivals follow; the last-weekday rule reads the date's own.
TEST(DayTexts, TheWeekdayFollowsTheClock) {
  const auto facts = FactsOf(WallTime(year{2011} / 5 / 8, 12), 3);
  ASSERT_TRUE(facts);
  EXPECT_EQ(KindText(KindNamed(u"WEEKDAY"), *facts, kHans), u"三");
  EXPECT_EQ(KindText(KindNamed(u"FWEEKDAY"), *facts, kHans), u"");
  const auto sunday = FactsOf(WallTime(year{2011} / 1 / 30, 12), 2);
  EXPECT_EQ(KindText(KindNamed(u"FLASTWEEK"), *sunday, kHans), u"世界麻风日 ");
}

TEST(DayTexts, EveryRowOfEveryYearFallsOnceAYear) {
  // Each weekday rule and each last-weekday rule meets one day a year,
  // from the year its festival was first kept.
  for (int y = 1646; y <= 2099; y += 7) {
    std::set<std::pair<FestivalTable, unsigned>> seen;
    std::size_t kept = 0;
    for (const YearSpan span : kWeekdayFestivalYears) kept += span.Holds(y);
    for (const YearSpan span : kLastWeekdayFestivalYears) kept += span.Holds(y);
    for (sys_days d{year{y} / 1 / 1}; d <= sys_days{year{y} / 12 / 31}; d += std::chrono::days{1}) {
      const DayFacts f = *FactsOf(WallTime(year_month_day{d}));
      for (const auto& [table, run] : {std::pair{FestivalTable::kWeekdayRule, f.weekday_festivals},
                                       {FestivalTable::kLastWeekday, f.last_week_festivals}}) {
        for (const unsigned row : run) {
          EXPECT_TRUE(seen.insert({table, row}).second)
              << Where(year_month_day{d}, u"") << " twice";
        }
      }
    }
    EXPECT_EQ(seen.size(), kept) << y;
  }
}

// The years as people wrote them: each era's first and last year by the
// record of the eras (tools/data/eras.tsv, read here as the generator
// reads it), its numerals, and the dates of history both ways.
TEST(CalendarTexts, ReignAndRepublicYears) {
  const auto& eras = testing::Eras();
  ASSERT_EQ(eras.size(), kRepublicEra + 1);
  for (std::size_t e = 0; e < kRepublicEra; ++e) {
    const auto era = static_cast<std::uint8_t>(e);
    EXPECT_EQ(ReignYearOf(eras[e].first), (EraYear{era, 1})) << eras[e].name;
    EXPECT_EQ(ReignYearOf(eras[e].last), (EraYear{era, eras[e].last - eras[e].first + 1}));
    EXPECT_EQ(Narrow(std::u16string(texts::NamesOf(kHans).eras[e])), eras[e].name);
  }
  EXPECT_EQ(eras.back().name, "民国");
  EXPECT_EQ(ReignYearOf(eras.front().first - 1), std::nullopt);
  const struct {
    int n;
    std::u16string_view text;
  } kNumerals[]{{1, u"一"},      {10, u"十"},     {11, u"十一"}, {20, u"二十"},
                {26, u"二十六"}, {61, u"六十一"}, {0, u""},      {100, u""}};
  for (const auto& c : kNumerals) EXPECT_EQ(NumeralName(c.n, kHans), c.text) << c.n;
  const struct {
    LunarDate lunar;
    std::u16string_view year, date;
  } kReigns[]{
      {{1645, 1, 1, false}, u"顺治二年", u"顺治二年正月初一"},
      {{1662, 1, 1, false}, u"康熙元年", u"康熙元年正月初一"},
      {{1722, 12, 29, false}, u"康熙六十一年", u"康熙六十一年十二月廿九"},
      {{1866, 10, 6, false}, u"同治五年", u"同治五年十月初六"},
      {{1900, 8, 1, true}, u"光绪二十六年", u"光绪二十六年闰八月初一"},
      {{1911, 8, 19, false}, u"宣统三年", u"宣统三年八月十九"},
      {{1911, 12, 25, false}, u"宣统三年", u"宣统三年十二月廿五"},
  };
  for (const auto& c : kReigns) {
    EXPECT_EQ(ReignYearName(*ReignYearOf(c.lunar.year), kHans), c.year);
    EXPECT_EQ(ReignDateName(c.lunar, kHans), c.date);
  }
  EXPECT_EQ(ReignDateName({1912, 1, 1, false}, kHans), u"");
  EXPECT_EQ(ReignDateName({1900, 8, 1, true}, Script::kTraditional), u"光緒二十六年閏八月初一");
  EXPECT_EQ(RepublicYearName(*RepublicYearOf(1912), kHans), u"民国元年");
  EXPECT_EQ(RepublicYearName(*RepublicYearOf(1913), kHans), u"民国2年");
  EXPECT_EQ(RepublicYearName(*RepublicYearOf(2026), Script::kTraditional), u"民國115年");
  // The lunar year 辛亥 ran to 1912-02-17: ERA follows the lunar year, ROCYEAR
  // the Gregorian one.
  EXPECT_EQ(Text(u"ERA", year{1912} / 2 / 17), u"宣统三年");
  EXPECT_EQ(Text(u"ERA", year{1912} / 2 / 18), u"");
  EXPECT_EQ(Text(u"ROCYEAR", year{1911} / 12 / 31), u"");
  EXPECT_EQ(Text(u"ROCYEAR", year{1912} / 1 / 1), u"民国元年");
}

TEST(CalendarTexts, ComposedForms) {
  EXPECT_EQ(LunarDateName({2023, 2, 1, true}, kHans), u"闰二月初一");
  EXPECT_EQ(LunarDateName({2026, 11, 28, false}, kHans), u"冬月廿八");
  EXPECT_EQ(LunarYearTitle(2023, kHans), u"癸卯年 兔");
  EXPECT_EQ(WeekdayLabel(2, kHans), u"周二");
  EXPECT_EQ(GregorianMonthTitle(year{2023} / 3, kHans), u"2023年3月");
  EXPECT_EQ(FestivalShortName({FestivalTable::kLunar, 4}, kHans), u"元宵节");
  EXPECT_EQ(FestivalName({FestivalTable::kLunar, 4}, kHans), u"元宵(上元)节");
  EXPECT_EQ(LunarDayName(0, kHans), u"");
  EXPECT_EQ(LunarMonthName(13, false, kHans), u"");
  for (unsigned p = 0; p < 60; ++p)
    EXPECT_EQ(CycleName({p}, kHans), testing::ReviewedCycleName(p)) << p;
}

// Every festival name is clean: no blank at either end or doubled, only the
// characters a festival name may hold.
TEST(CalendarTexts, FestivalNamesAreClean) {
  const texts::ScriptNames& names = texts::NamesOf(kHans);
  const auto allowed = [](char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= u'0' && c <= u'9') || c == u'.' || c == u'"' ||
           c == u'(' || c == u')' || c == u'（' || c == u'）' || c == u'『' || c == u'』' ||
           (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  };
  const auto check = [&](const auto& table) {
    for (const std::u16string_view name : table) {
      ASSERT_FALSE(name.empty());
      for (const char16_t c : name) EXPECT_TRUE(allowed(c)) << Narrow(std::u16string(name));
    }
  };
  check(names.fixed_date_festivals);
  check(names.weekday_festivals);
  check(names.last_weekday_festivals);
  check(names.lunar_festivals);
}

// The core names in traditional characters, written out as reviewed: the
// branch 丑 stays 丑, 闰 is 閏, 腊 is 臘, 谷雨 is 穀雨, 冬 stays.
TEST(TraditionalTexts, CoreNamesAreTheReviewedOnes) {
  const texts::ScriptNames& hant = texts::NamesOf(Script::kTraditional);
  const auto joined = [](const auto& table) {
    std::u16string text;
    for (const std::u16string_view name : table) text += std::u16string(name) + u" ";
    return text;
  };
  EXPECT_EQ(joined(hant.stems), u"甲 乙 丙 丁 戊 己 庚 辛 壬 癸 ");
  EXPECT_EQ(joined(hant.branches), u"子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥 ");
  EXPECT_EQ(joined(hant.animals), u"鼠 牛 虎 兔 龍 蛇 馬 羊 猴 雞 狗 豬 ");
  EXPECT_EQ(joined(hant.solar_terms),
            u"小寒 大寒 立春 雨水 驚蟄 春分 清明 穀雨 立夏 小滿 芒種 夏至 小暑 大暑 立秋 處暑 "
            u"白露 秋分 寒露 霜降 立冬 小雪 大雪 冬至 ");
  EXPECT_EQ(joined(hant.lunar_months), u"正 二 三 四 五 六 七 八 九 十 冬 臘 ");
  EXPECT_EQ(joined(hant.lunar_days), joined(texts::NamesOf(Script::kSimplified).lunar_days));
  EXPECT_EQ(
      joined(hant.star_signs),
      u"白羊座 金牛座 雙子座 巨蟹座 獅子座 處女座 天秤座 天蠍座 射手座 摩羯座 水瓶座 雙魚座 ");
  EXPECT_EQ(hant.leap, u"閏");
  EXPECT_EQ(hant.labels.week, u"週");
  EXPECT_EQ(hant.labels.lunar_calendar, u"農曆");
  EXPECT_EQ(hant.labels.category_term, u"節氣");
  EXPECT_EQ(hant.fixed_date_festivals[1], u"世界濕地日");
  EXPECT_EQ(LunarDateName({2023, 2, 1, true}, Script::kTraditional), u"閏二月初一");
  EXPECT_EQ(WeekdayLabel(2, Script::kTraditional), u"週二");
}

// No text of any kind on any day of the range holds 醜 ("ugly", a
// converter's reading of the branch 丑), nor 迴 (of 回归) or 溼.
TEST(TraditionalTexts, NoDayHoldsAMisreadCharacter) {
  long texts_checked = 0;
  for (sys_days d = kFirstCalendarDay; d <= kLastCalendarDay; d += days{1}) {
    const DayFacts facts = *FactsOf(WallTime(year_month_day{d}, 1, 30));  // the 丑 hour
    for (std::uint8_t k = 0; k < kTextKindCount; ++k) {
      const std::u16string text = KindText(TextKind{k}, facts, Script::kTraditional);
      ASSERT_EQ(text.find_first_of(u"醜迴溼"), std::u16string::npos)
          << Where(year_month_day{d}, kTextKinds[k].keyword) << ": " << Narrow(text);
      ++texts_checked;
    }
  }
  EXPECT_EQ(texts_checked,
            static_cast<long>(testing::kReferenceDayCount) * static_cast<long>(kTextKindCount));
}

// The dog days, the nines and the pentads of every day of the range
// against scans of the reference's terms and day names, with the pentads'
// names as the record lists them (tools/data/pentads.tsv).
TEST(SeasonTexts, EveryDayAgainstAScanOfTheReference) {
  const auto& ref = testing::AllReferenceDays();
  const auto& expected = testing::ExpectedSeasonTexts();
  ASSERT_EQ(expected.size(), testing::kReferenceDayCount);
  long dog_days = 0, nines = 0;
  for (std::size_t i = 0; i < ref.size(); ++i) {
    const year_month_day date{year{ref[i].year}, month{ref[i].month}, day{ref[i].day}};
    ASSERT_EQ(Text(u"SEASONDAYS", date), expected[i].season_days) << Where(date, u"SEASONDAYS");
    ASSERT_EQ(Text(u"PENTAD", date), expected[i].pentad) << Where(date, u"PENTAD");
    dog_days += expected[i].season_days.find(u"伏") != std::u16string::npos;
    nines += expected[i].season_days.find(u"九第") != std::u16string::npos;
  }
  const int winters = kLastCalendarYear - kFirstCalendarYear;  // the nines of 1645 .. 2099
  EXPECT_GT(dog_days, (winters + 1) * 30);
  // The range opens in the nines of the 冬至 before it (1644-12-21), and
  // 2100's run out after ten days.
  const auto first_nines = 81 - (kFirstCalendarDay - kSolarTermEve).count();
  EXPECT_EQ(nines, first_nines + winters * 81 + 10);
}

// The four pillars against the reckoning by 立春 and 节 counted from 1984,
// at three times of day in every seventh year, and two minutes either side
// of every 节 of the range (the engines place a term seconds apart, so the
// moments within two minutes of one are checked only there).
TEST(PillarTexts, AgainstTheTermsAndTheRhyme) {
  const auto& ref_days = testing::AllReferenceDays();
  ASSERT_EQ(ref_days.size(), testing::kReferenceDayCount);
  long checked = 0;
  for (std::size_t i = 6; i + 1 < ref_days.size(); ++i) {
    const auto& r = ref_days[i];
    if (r.year % 7 != 2) continue;  // 1902, 1909 … 2099
    for (const unsigned hour : {0u, 11u, 23u}) {
      const year_month_day date{year{r.year}, month{r.month}, day{r.day}};
      const auto when = local_days{date} + hours{hour} + minutes{30};
      if (testing::NearAJie(when)) continue;
      ASSERT_EQ(Text(u"PILLARS", date, hour, 30),
                testing::ExpectedPillars(when, r, ref_days[i + 1]))
          << Where(date, u"PILLARS") << ' ' << hour << ":30";
      ++checked;
    }
  }
  EXPECT_GT(checked, static_cast<long>(ref_days.size() * 3 / 8));  // a seventh of the days, thrice
  for (const auto& [instant, index] : testing::ReferenceJie()) {
    for (const int offset : {-2, 2}) {
      const auto when = floor<minutes>(instant) + minutes{offset};
      const auto since =
          (floor<days>(when).time_since_epoch() - kFirstCalendarDay.time_since_epoch()).count();
      if (since < 0 || static_cast<std::size_t>(since) + 1 >= ref_days.size()) continue;
      const auto i = static_cast<std::size_t>(since);
      const year_month_day date{floor<days>(when)};
      const hh_mm_ss hm{when - floor<days>(when)};
      ASSERT_EQ(Text(u"PILLARS", date, static_cast<unsigned>(hm.hours().count()),
                     static_cast<unsigned>(hm.minutes().count())),
                testing::ExpectedPillars(local_seconds{when}, ref_days[i], ref_days[i + 1]))
          << Where(date, u"PILLARS") << ' ' << offset << " min from term " << index;
    }
  }
}

TEST(TextKinds, KeywordsAreUniqueUpperCaseWords) {
  std::set<std::u16string_view> keywords;
  for (const TextKindRow& row : kTextKinds) {
    EXPECT_TRUE(keywords.insert(row.keyword).second);
    for (const char16_t c : row.keyword) EXPECT_TRUE(c >= u'A' && c <= u'Z');
    EXPECT_EQ(KindOfKeyword(row.keyword)->Row().keyword, row.keyword);
  }
  EXPECT_EQ(KindOfKeyword(u"FlUnArS"), KindNamed(u"FLUNARS"));
  EXPECT_EQ(KindOfKeyword(u"DATE"), std::nullopt);  // the command's own, not a text kind
  // A value is a whole word: a view with a NUL inside names nothing.
  EXPECT_EQ(KindOfKeyword(std::u16string_view(u"LUNARDAY\0X", 10)), std::nullopt);
}

TEST(TextKinds, PeriodsHoldTheMomentAndEndWhereTheTextTurns) {
  const BeijingTime base = WallTime(year{2011} / 2 / 2);
  constexpr struct {
    int minutes;  // after 2011-02-02 00:00
    int day_start, day_end, double_start, double_end;
  } kCases[]{
      {0, 0, 1440, 0, 60},  // 00:00: 子 runs on to 01:00
      {59, 0, 1440, 0, 60},
      {60, 0, 1440, 60, 180},  // 丑 from 01:00
      {22 * 60 + 59, 0, 1440, 21 * 60, 23 * 60},
      {23 * 60, 0, 1440, 23 * 60, 1440},  // 子 from 23:00, cut at midnight
  };
  for (const auto& c : kCases) {
    const BeijingTime now = base + minutes{c.minutes};
    const TextPeriod day = DayPeriodAt(now);
    const TextPeriod double_hour = DoubleHourPeriodAt(now);
    EXPECT_EQ(day.start, base + minutes{c.day_start}) << c.minutes;
    EXPECT_EQ(day.end, base + minutes{c.day_end}) << c.minutes;
    EXPECT_EQ(double_hour.start, base + minutes{c.double_start}) << c.minutes;
    EXPECT_EQ(double_hour.end, base + minutes{c.double_end}) << c.minutes;
  }
}

}  // namespace
}  // namespace moonfold
