// The texts of the live path, FactsOf and KindText, as the plug-in and the
// command produce them: against the independent reference on every day of
// 1900-2100, and against reviewed cases for every rule of the calendar.
#include "texts/kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "common/utf8.h"
#include "texts/calendar_texts.h"
#include "tests/support/known_day.h"
#include "tests/support/reference_data.h"
#include "tests/support/reviewed_names.h"

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

// Every day of 1900-2100 against the second engine: the lunar day and
// month as they are shown, the solar term's name and the day's cycle name.
TEST(DayTexts, EveryDayOf1900To2100MatchesTheReference) {
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
    EXPECT_EQ(Text(c.keyword, year{2010} / 11 / 7, 10, 30), c.text) << Narrow(std::u16string(c.keyword));
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
      {year{1900} / 1 / 1, 12, u"HEYEAR", u"己亥"},      // lunar 1899
      {year{2100} / 12 / 31, 12, u"HEYEAR", u"庚申"},
      // The month's name runs by lunar month, the first a 寅 month; a leap
      // month repeats the name of the month it follows.
      {year{1990} / 1 / 27, 12, u"HEMONTH", u"戊寅"},
      {year{2023} / 3 / 21, 12, u"HEMONTH", u"乙卯"},
      {year{2023} / 3 / 22, 12, u"HEMONTH", u"乙卯"},     // 闰二月
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
      {year{2011} / 7 / 1, 12, u"FEASTS", u"中国共产党建党日 世界建筑日 香港回归日 亚洲\"三十亿人口日\""},
      {year{2011} / 8 / 8, 12, u"FEASTS", u"中国男子节（爸爸节）"},
      {year{2011} / 10 / 5, 12, u"FEASTS", u"世界教师日"},  // once keyed to 10-4, never shown
      {year{2011} / 12 / 29, 12, u"FEASTS", u"国际生物多样性日"},
      {year{2011} / 12 / 31, 12, u"FEASTS", u""},
      // The n-th weekday of a month, counted from the month's first day.
      {year{2011} / 5 / 8, 12, u"FWEEKDAY", u"母亲节 救助贫困母亲日"},  // May 2011 starts on a Sunday
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
      {year{1951} / 12 / 23, 0, u"FLUNARS", u"冬至节"},  // the solstice at 00:00:01
      {year{2011} / 1 / 26, 12, u"FLUNARS", u"北方小年"},  // once named 腊八节
      {year{2011} / 1 / 27, 12, u"FLUNARS", u"小年"},
      {year{2010} / 10 / 16, 12, u"FLUNARS", u"重阳节 中国老年节"},
      {year{2010} / 9 / 15, 12, u"FLUNARS", u""},
      {year{2009} / 6 / 27, 12, u"FLUNARS", u""},        // leap fifth month, day 5
      {year{2023} / 3 / 23, 12, u"FLUNARS", u""},        // leap second month, day 2
      {year{2023} / 4 / 5, 12, u"FLUNARS", u"清明节"},   // in the leap month: the term's own
      {year{2023} / 2 / 21, 12, u"FLUNARS", u"龙抬头节"},
      // The official arrangement: days off and weekend days worked, as the
      // notices give them; nothing in a year no notice has announced.
      {year{2026} / 2 / 15, 12, u"HOLIDAY", u"春节"},
      {year{2026} / 2 / 15, 12, u"DAYOFF", u"休"},
      {year{2026} / 2 / 14, 12, u"HOLIDAY", u""},
      {year{2026} / 2 / 14, 12, u"DAYOFF", u"班"},
      {year{2023} / 10 / 3, 12, u"HOLIDAY", u"中秋节、国庆节"},
      {year{2013} / 4 / 7, 12, u"DAYOFF", u"班"},      // the notice, though one library has it not
      {year{2015} / 9 / 26, 12, u"DAYOFF", u""},       // an ordinary Saturday
      {year{2015} / 9 / 3, 12, u"HOLIDAY", u"抗战胜利纪念日"},
      {year{2005} / 12 / 31, 12, u"DAYOFF", u"班"},    // worked for 元旦 of 2006
      {year{2026} / 3 / 7, 12, u"DAYOFF", u""},        // an ordinary weekend is not marked
      {year{2027} / 2 / 8, 12, u"HOLIDAY", u""},       // no notice for 2027 yet
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
  // Each weekday rule and each last-weekday rule meets one day a year;
  // each lunar year has one New Year's Eve.
  for (int y = 1901; y <= 2099; y += 7) {
    std::set<std::u16string> seen;
    int days = 0;
    for (sys_days d{year{y} / 1 / 1}; d <= sys_days{year{y} / 12 / 31}; d += std::chrono::days{1}) {
      for (const auto keyword : {u"FWEEKDAY", u"FLASTWEEK"}) {
        const std::u16string text = Text(keyword, year_month_day{d});
        if (text.empty()) continue;
        EXPECT_TRUE(seen.insert(text).second) << Where(year_month_day{d}, keyword) << " twice";
        ++days;
      }
    }
    EXPECT_EQ(days, 16 + 4) << y;  // sixteen n-th weekday rules, four last-weekday rules
  }
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
  for (unsigned p = 0; p < 60; ++p) EXPECT_EQ(CycleName({p}, kHans), testing::ReviewedCycleName(p)) << p;
}

// Every festival name is clean: no blank at either end or doubled, only the
// characters a festival name may hold.
TEST(CalendarTexts, FestivalNamesAreClean) {
  const texts::ScriptNames& names = texts::NamesOf(kHans);
  const auto allowed = [](char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= u'0' && c <= u'9') || c == u'.' ||
           c == u'"' || c == u'(' || c == u')' || c == u'（' || c == u'）' || c == u'『' ||
           c == u'』' || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
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
  EXPECT_EQ(joined(hant.star_signs),
            u"白羊座 金牛座 雙子座 巨蟹座 獅子座 處女座 天秤座 天蠍座 射手座 摩羯座 水瓶座 雙魚座 ");
  EXPECT_EQ(hant.leap, u"閏");
  EXPECT_EQ(hant.labels.week, u"週");
  EXPECT_EQ(hant.labels.lunar_calendar, u"農曆");
  EXPECT_EQ(hant.labels.category_term, u"節氣");
  EXPECT_EQ(hant.fixed_date_festivals[1], u"世界濕地日");
  EXPECT_EQ(LunarDateName({2023, 2, 1, true}, Script::kTraditional), u"閏二月初一");
  EXPECT_EQ(WeekdayLabel(2, Script::kTraditional), u"週二");
}

// No text of any kind on any day of 1900-2100 holds 醜 ("ugly", a
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
  EXPECT_EQ(texts_checked, 73414L * static_cast<long>(kTextKindCount));
}

// The reference's days, by date, with the index of each term's day.
struct ReferenceCalendar {
  std::map<sys_days, const testing::ReferenceDay*> days;
  std::map<sys_days, unsigned> term_days;  // day -> term index
  ReferenceCalendar() {
    const auto& names = texts::NamesOf(kHans).solar_terms;
    for (const auto& r : testing::AllReferenceDays()) {
      const sys_days d{year{r.year} / r.month / r.day};
      days[d] = &r;
      for (unsigned i = 0; i < 24; ++i) {
        if (!r.solar_term.empty() && names[i] == r.solar_term) term_days[d] = i;
      }
    }
  }
};

const ReferenceCalendar& Reference() {
  static const ReferenceCalendar calendar;
  return calendar;
}

// The dog days, the nines and the pentads of every day of 1900-2100, by
// scanning the reference's terms and day names, with the pentads' names as
// the record lists them (tools/data/pentads.tsv).
TEST(SeasonTexts, EveryDayAgainstAScanOfTheReference) {
  std::vector<std::u16string> pentads;
  {
    std::ifstream file(std::string(MOONFOLD_TEST_DATA_DIR) + "/../../tools/data/pentads.tsv");
    std::string line;
    while (std::getline(file, line)) {
      if (line.empty() || line[0] == '#' || line.rfind("term", 0) == 0) continue;
      pentads.push_back(Utf16FromUtf8(line.substr(line.rfind('\t') + 1)));
    }
  }
  ASSERT_EQ(pentads.size(), 72u);
  const ReferenceCalendar& ref = Reference();
  const auto is_geng = [&](sys_days d) { return ref.days.at(d)->day_cycle.substr(0, 1) == u"庚"; };
  // The days of the latest 夏至, 立秋 and 冬至 seen; the epoch before any.
  const sys_days none{};
  sys_days summer = none, autumn = none;
  // 1899's 冬至, before the reference, fell on 12-22: 1900 opens in 二九.
  sys_days winter = sys_days{year{1899} / 12 / 22};
  std::optional<std::pair<sys_days, unsigned>> latest_term;
  int dog_days = 0, nines = 0;
  for (const auto& [d, r] : ref.days) {
    if (const auto term = ref.term_days.find(d); term != ref.term_days.end()) {
      latest_term = {d, term->second};
      if (term->second == 11) summer = d;
      if (term->second == 23) winter = d;
    }
    std::u16string expected;
    // The dog days: count 庚 days from the 夏至 day to the 立秋 of its year.
    if (summer != none && (autumn == none || year_month_day{autumn}.year() != year_month_day{summer}.year())) {
      autumn = none;
      for (sys_days t = summer; t < summer + days{60}; t += days{1}) {
        const auto term = ref.term_days.find(t);
        if (term != ref.term_days.end() && term->second == 14) autumn = t;
      }
    }
    if (summer != none && year_month_day{d}.year() == year_month_day{summer}.year()) {
      std::vector<sys_days> gengs;
      for (sys_days g = summer; gengs.size() < 4; g += days{1}) {
        if (is_geng(g)) gengs.push_back(g);
      }
      std::optional<sys_days> last;
      if (autumn != none && year_month_day{autumn}.year() == year_month_day{summer}.year()) {
        for (sys_days g = autumn;; g += days{1}) {
          if (is_geng(g)) {
            last = g;
            break;
          }
        }
      }
      const auto label = [](const char16_t* name, long n) {
        const std::string number = std::to_string(n);
        return std::u16string(name) + u"第" + std::u16string(number.begin(), number.end()) + u"天";
      };
      if (d >= gengs[2] && d < gengs[3]) expected = label(u"初伏", (d - gengs[2]).count() + 1);
      if (last && d >= gengs[3] && d < *last) expected = label(u"中伏", (d - gengs[3]).count() + 1);
      if (last && d >= *last && d < *last + days{10}) expected = label(u"末伏", (d - *last).count() + 1);
    }
    if (winter != none && d >= winter && d < winter + days{81}) {
      const auto since = (d - winter).count();
      constexpr std::u16string_view kNines[]{u"一九", u"二九", u"三九", u"四九", u"五九",
                                             u"六九", u"七九", u"八九", u"九九"};
      const std::string number = std::to_string(since % 9 + 1);
      expected = std::u16string(kNines[since / 9]) + u"第" + std::u16string(number.begin(), number.end()) + u"天";
    }
    const year_month_day date{d};
    ASSERT_EQ(Text(u"SEASONDAYS", date), expected) << Where(date, u"SEASONDAYS");
    dog_days += expected.find(u"伏") != std::u16string::npos;
    nines += expected.find(u"九第") != std::u16string::npos;
    // The pentad: days 0-4 from the latest term's day, 5-9, then the rest;
    // 1900's first days are in the third of 1899's 冬至.
    const std::size_t pentad = latest_term
        ? 3 * latest_term->second + std::min<long>((d - latest_term->first).count() / 5, 2)
        : 71;
    ASSERT_EQ(Text(u"PENTAD", date), pentads[pentad]) << Where(date, u"PENTAD");
  }
  EXPECT_GT(dog_days, 200 * 30);
  // 1900 opens on the eleventh day of 1899's nines; 2100's run out after ten days.
  EXPECT_EQ(nines, 71 + 200 * 81 + 10);
}

// The four pillars against another reckoning: a pillar of the year for
// each 立春 passed, of the month for each 节 passed, counted from 立春 of
// 1984 (甲子 year, 丙寅 month), with the reference's term instants; the
// day's name from the reference; the hour's stem by the rhyme
// 甲己还加甲 … (甲 and 己 days begin with 甲子, 乙 and 庚 with 丙子 …).
TEST(PillarTexts, AgainstTheTermsAndTheRhyme) {
  std::vector<std::pair<std::chrono::local_seconds, unsigned>> jie;  // instant, index
  for (const auto& t : testing::ReferenceTerms()) {
    if (t.index % 2 == 0) jie.push_back({t.beijing_time, t.index});
  }
  const auto at_1984 = std::find_if(jie.begin(), jie.end(), [](const auto& j) {
    return j.second == 2 && year_month_day{floor<days>(j.first)}.year() == year{1984};
  });
  ASSERT_NE(at_1984, jie.end());
  const auto expected = [&](std::chrono::local_seconds when, const testing::ReferenceDay& today,
                            const testing::ReferenceDay& tomorrow, unsigned hour) {
    const auto passed = std::upper_bound(jie.begin(), jie.end(), when,
                                         [](auto w, const auto& j) { return w < j.first; }) - jie.begin();
    const long months = passed - 1 - (at_1984 - jie.begin());  // 节 since 1984's 立春
    long springs = 0;  // 立春 since 1984's
    for (auto j = at_1984; j != jie.end() && j < jie.begin() + passed; ++j) springs += j->second == 2;
    for (auto j = jie.begin() + passed; j < at_1984; ++j) springs -= j->second == 2;
    const long year_place = ((springs - 1) % 60 + 60) % 60;
    const long month_place = ((2 + months) % 60 + 60) % 60;
    const std::u16string& day_name = hour == 23 ? tomorrow.day_cycle : today.day_cycle;
    constexpr std::u16string_view kFirstHourStem = u"甲丙戊庚壬甲丙戊庚壬";
    const auto day_stem = testing::kReviewedStems.find(day_name[0]);
    const auto branch = (hour + 1) / 2 % 12;
    const auto first = testing::kReviewedStems.find(kFirstHourStem[day_stem]);
    const std::u16string hour_name{testing::kReviewedStems[(first + branch) % 10],
                                   testing::kReviewedBranches[branch]};
    return testing::ReviewedCycleName(static_cast<unsigned>(year_place)) + u" " +
           testing::ReviewedCycleName(static_cast<unsigned>(month_place)) + u" " + today.day_cycle +
           u" " + hour_name;
  };
  const auto& ref_days = testing::AllReferenceDays();
  long checked = 0;
  for (std::size_t i = 6; i + 1 < ref_days.size(); ++i) {
    const auto& r = ref_days[i];
    if (r.year % 7 != 2) continue;  // 1902, 1909 … 2099
    for (const unsigned hour : {0u, 11u, 23u}) {
      const year_month_day date{year{r.year}, month{r.month}, day{r.day}};
      const auto when = std::chrono::local_days{date} + hours{hour} + minutes{30};
      // The two engines place a term seconds apart: a moment within two
      // minutes of a 节 is checked below, on the tables' side of it.
      const auto near = std::lower_bound(jie.begin(), jie.end(), when - minutes{2},
                                         [](const auto& j, auto w) { return j.first < w; });
      if (near != jie.end() && near->first <= when + minutes{2}) continue;
      ASSERT_EQ(Text(u"PILLARS", date, hour, 30), expected(when, r, ref_days[i + 1], hour))
          << Where(date, u"PILLARS") << ' ' << hour << ":30";
      ++checked;
    }
  }
  EXPECT_GT(checked, 28 * 365 * 3);
  // Two minutes either side of every 节 of 1900-2100 (the engines differ by
  // seconds), on the day's own clock.
  for (const auto& [instant, index] : jie) {
    for (const int offset : {-2, 2}) {
      const auto when = std::chrono::floor<minutes>(instant) + minutes{offset};
      const auto day_of = std::chrono::floor<days>(when);
      const year_month_day date{day_of};
      const auto found = std::find_if(ref_days.begin(), ref_days.end(), [&](const auto& d) {
        return d.year == static_cast<int>(date.year()) && d.month == static_cast<unsigned>(date.month()) &&
               d.day == static_cast<unsigned>(date.day());
      });
      if (found == ref_days.end() || found + 1 == ref_days.end()) continue;
      const auto hm = std::chrono::hh_mm_ss{when - day_of};
      const auto hour = static_cast<unsigned>(hm.hours().count());
      ASSERT_EQ(Text(u"PILLARS", date, hour, static_cast<unsigned>(hm.minutes().count())),
                expected(std::chrono::local_seconds{when}, *found, *(found + 1), hour))
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
      {0, 0, 1440, 0, 60},            // 00:00: 子 runs on to 01:00
      {59, 0, 1440, 0, 60},
      {60, 0, 1440, 60, 180},         // 丑 from 01:00
      {22 * 60 + 59, 0, 1440, 21 * 60, 23 * 60},
      {23 * 60, 0, 1440, 23 * 60, 1440},  // 子 from 23:00, cut at midnight
  };
  for (const auto& c : kCases) {
    const BeijingTime now = base + minutes{c.minutes};
    const TextPeriod day = DayPeriod(now);
    const TextPeriod double_hour = DoubleHourPeriod(now);
    EXPECT_EQ(day.start, base + minutes{c.day_start}) << c.minutes;
    EXPECT_EQ(day.end, base + minutes{c.day_end}) << c.minutes;
    EXPECT_EQ(double_hour.start, base + minutes{c.double_start}) << c.minutes;
    EXPECT_EQ(double_hour.end, base + minutes{c.double_end}) << c.minutes;
  }
}

}  // namespace
}  // namespace moonfold
