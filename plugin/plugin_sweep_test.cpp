// Every day from 1990-01-01 to 2050-12-31, at 00:00, 11:00 and 23:00,
// through Initialize and GetString for all fourteen keywords.  Checks the
// properties a calendar must have rather than restating how it is computed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"
#include "festivals/fixed_date_festivals.h"
#include "festivals/lunar_festivals.h"
#include "festivals/weekday_festivals.h"
#include "lunar/lunar_names.h"
#include "plugin/moonfold_plugin.h"
#include "tests/support/fake_platform.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

template <typename Table>
int IndexIn(const Table& table, std::u16string_view text) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == text) return static_cast<int>(i);
  }
  return -1;
}

// The position 0..59 in the sexagenary cycle of a stem-branch name, or -1.
int CyclePosition(std::u16string_view name) {
  if (name.size() != 2) return -1;
  const int stem = IndexIn(HeavenlyStems, name.substr(0, 1));
  const int branch = IndexIn(EarthlyBranches, name.substr(1, 1));
  if (stem < 0 || branch < 0 || stem % 2 != branch % 2) return -1;  // no such pair
  for (int n = 0; n < 60; ++n) {
    if (n % 10 == stem && n % 12 == branch) return n;
  }
  return -1;
}

std::set<std::u16string> NamesOf(const auto& table, std::u16string_view suffix = u"") {
  std::set<std::u16string> names;
  for (const auto& row : table) names.insert(std::u16string(row.name) + std::u16string(suffix));
  return names;
}

struct DayTexts {
  std::u16string text[kInstanceKindCount];
};

TEST(PluginSweep, EveryDayOfTheTablesThroughEveryKeyword) {
  testing::FakePlatform platform;
  platform.SetRecording(false);
  MoonfoldPlugin plugin(platform);
  const std::u16string sections[kInstanceKindCount]{
      u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12", u"13"};
  for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
    platform.SetOption(sections[k], std::u16string(InstanceKeywords[k]));
  }

  const auto fixed_names = NamesOf(FixedDateFestivalTable);
  const auto rule_names = NamesOf(WeekdayRuleFestivalTable);
  const auto last_week_names = NamesOf(LastWeekFestivalTable, u" ");
  auto lunar_names = NamesOf(LunarFestivalTable);
  lunar_names.insert({u"除夕", u"清明节", u"冬至节"});

  long set_ups = 0;
  int days = 0, leap_month_starts = 0, eves = 0, feast_days = 0;
  std::map<int, int> terms_per_year;
  std::map<int, int> eves_per_lunar_year;
  int previous_day = 0, previous_cycle = -1, month_length = 0;
  std::u16string previous_month;
  std::set<std::u16string> months_seen_this_year;
  bool previous_was_eve = false;

  for (std::uint16_t year = 1990; year <= 2050; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysInGregorianMonth(year, month); ++day) {
        const std::string date = DateText(year, month, day);
        DayTexts today;
        for (const std::uint16_t hour : {0, 11, 23}) {
          platform.SetClock(year, month, day, hour, 30);
          for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
            plugin.Initialize(sections[k].c_str(), static_cast<std::uint32_t>(k));
            ++set_ups;
            const char16_t* text = plugin.GetString(static_cast<std::uint32_t>(k));
            ASSERT_NE(text, nullptr) << date;
            if (k == static_cast<std::size_t>(InstanceKind::kHourBranch)) {
              EXPECT_EQ(std::u16string_view(text), HourBranch(hour)) << date << ' ' << hour;
            } else if (hour == 0) {
              today.text[k] = text;
            } else {
              ASSERT_EQ(today.text[k], text) << date << ": only HEHOUR depends on the hour";
            }
          }
        }
        ASSERT_EQ(platform.MessageCount(), 0) << date;
        const auto& t = today.text;
        const auto at = [&](InstanceKind kind) -> const std::u16string& {
          return t[static_cast<std::size_t>(kind)];
        };

        // Every text comes from its table.
        int day_number = -1;
        for (std::uint16_t d = 1; d <= 30; ++d) {
          if (LunarDayText(d) == at(InstanceKind::kLunarDay)) day_number = d;
        }
        ASSERT_GE(day_number, 1) << date << ": " << Narrow(at(InstanceKind::kLunarDay));
        const std::u16string& month_text = at(InstanceKind::kLunarMonth);
        const bool leap = month_text.size() == 2;
        ASSERT_TRUE(IndexIn(LunarMonthNames, std::u16string_view(month_text).substr(leap)) >= 0 &&
                    (!leap || month_text[0] == u'闰'))
            << date << ": " << Narrow(month_text);
        EXPECT_GE(IndexIn(WeekdayNames, at(InstanceKind::kWeekday)), 0) << date;
        EXPECT_GE(CyclePosition(at(InstanceKind::kYearStemBranch)), 0) << date;
        EXPECT_GE(CyclePosition(at(InstanceKind::kMonthStemBranch)), 0) << date;
        const int cycle = CyclePosition(at(InstanceKind::kDayStemBranch));
        EXPECT_GE(cycle, 0) << date;
        const std::u16string& term = at(InstanceKind::kSolarTerm);
        EXPECT_TRUE(term.empty() || IndexIn(SolarTermNames, term) >= 0) << date;
        EXPECT_GE(IndexIn(ConstellationNames, at(InstanceKind::kConstellation)), 0) << date;
        EXPECT_TRUE(at(InstanceKind::kFixedDateFestivals).empty() ||
                    fixed_names.count(at(InstanceKind::kFixedDateFestivals)))
            << date;
        EXPECT_TRUE(at(InstanceKind::kWeekdayRuleFestivals).empty() ||
                    rule_names.count(at(InstanceKind::kWeekdayRuleFestivals)))
            << date;
        EXPECT_TRUE(at(InstanceKind::kLastWeekFestivals).empty() ||
                    last_week_names.count(at(InstanceKind::kLastWeekFestivals)))
            << date;
        const std::u16string& lunar_festival = at(InstanceKind::kLunarFestivals);
        EXPECT_TRUE(lunar_festival.empty() || lunar_names.count(lunar_festival)) << date;
        EXPECT_GE(IndexIn(ZodiacAnimals, at(InstanceKind::kZodiacAnimal)), 0) << date;

        // The lunar day steps by one, or a new month starts at day 1 after
        // day 29 or 30; a leap month follows its own month.
        if (days > 0) {
          if (day_number == 1) {
            EXPECT_TRUE(previous_day == 29 || previous_day == 30) << date;
            EXPECT_TRUE(month_length == 29 || month_length == 30 || previous_month.empty())
                << date << ": month of " << month_length << " days";
            if (leap) {
              ++leap_month_starts;
              EXPECT_EQ(month_text.substr(1), previous_month) << date;
            } else {
              EXPECT_NE(month_text, previous_month) << date;
            }
            month_length = 1;
          } else {
            EXPECT_EQ(day_number, previous_day + 1) << date;
            EXPECT_EQ(month_text, previous_month) << date;
            ++month_length;
          }
          EXPECT_EQ(cycle, (previous_cycle + 1) % 60) << date << ": days step through the cycle";
        } else {
          month_length = day_number;
        }
        if (previous_was_eve) {
          EXPECT_EQ(lunar_festival, u"春节") << date;
        }
        previous_was_eve = lunar_festival == u"除夕";
        if (previous_was_eve) {
          ++eves;
          ++eves_per_lunar_year[plugin.TodayLunar().year];
        }
        if (!term.empty()) ++terms_per_year[year];
        if (!at(InstanceKind::kFixedDateFestivals).empty()) ++feast_days;

        previous_day = day_number;
        previous_cycle = cycle;
        previous_month = month_text;
        ++days;
      }
    }
  }

  EXPECT_EQ(days, 22280);
  for (int year = 1990; year <= 2050; ++year) EXPECT_EQ(terms_per_year[year], 24) << year;
  for (int year = 1989; year <= 2049; ++year) EXPECT_EQ(eves_per_lunar_year[year], 1) << year;
  EXPECT_EQ(leap_month_starts, 23);  // every year of the tables with a leap month

  std::printf("swept %d days x 3 hours x 14 keywords = %ld set-ups: %d leap months, "
              "%d New Year's Eves, %d solar terms, fixed-date festivals on %d days\n",
              days, set_ups, leap_month_starts, eves, 24 * 61, feast_days);
}

// A host that runs from 1990 to 2050 without a reload: one Initialize per
// kind on the first day, then only Update2 and GetString every hour.  Every
// text must equal what a fresh Initialize gives at the same clock reading.
TEST(PluginSweep, UpdateAloneKeepsEveryTextCurrentHourByHour) {
  testing::FakePlatform platform;
  platform.SetRecording(false);
  MoonfoldPlugin plugin(platform);
  testing::FakePlatform fresh_platform;
  fresh_platform.SetRecording(false);
  std::u16string sections[kInstanceKindCount];
  for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
    sections[k] = std::u16string(InstanceKeywords[k]);
    platform.SetOption(sections[k], sections[k]);
    fresh_platform.SetOption(sections[k], sections[k]);
  }
  platform.SetClock(1990, 1, 1, 0, 0);
  for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
    plugin.Initialize(sections[k].c_str(), static_cast<std::uint32_t>(k));
  }

  long cycles = 0;
  for (std::uint16_t year = 1990; year <= 2050; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysInGregorianMonth(year, month); ++day) {
        for (std::uint16_t hour = 0; hour < 24; ++hour) {
          platform.SetClock(year, month, day, hour, 0);
          fresh_platform.SetClock(year, month, day, hour, 0);
          MoonfoldPlugin fresh(fresh_platform);
          for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
            const auto id = static_cast<std::uint32_t>(k);
            plugin.Update(id);
            fresh.Initialize(sections[k].c_str(), id);
          }
          for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
            const auto id = static_cast<std::uint32_t>(k);
            ASSERT_EQ(std::u16string_view(plugin.GetString(id)),
                      std::u16string_view(fresh.GetString(id)))
                << DateText(year, month, day) << ' ' << hour << ":00 "
                << Narrow(sections[k]);
          }
          ++cycles;
        }
      }
    }
  }
  EXPECT_EQ(cycles, 22280 * 24);
  EXPECT_EQ(platform.MessageCount(), 0);
}

}  // namespace
}  // namespace moonfold
