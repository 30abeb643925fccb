// Every day from 1990-01-01 to 2050-12-31, at 00:00, 11:00 and 23:00,
// through Initialize and GetString for every keyword.  Checks the
// properties a calendar must have rather than restating how it is computed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "common/plugin_years.h"
#include "plugin/moonfold_plugin.h"
#include "tests/support/fake_platform.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

const texts::ScriptNames& kNames = texts::NamesOf(Script::kSimplified);

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
  const int stem = IndexIn(kNames.stems, name.substr(0, 1));
  const int branch = IndexIn(kNames.branches, name.substr(1, 1));
  if (stem < 0 || branch < 0 || stem % 2 != branch % 2) return -1;  // no such pair
  for (int n = 0; n < 60; ++n) {
    if (n % 10 == stem && n % 12 == branch) return n;
  }
  return -1;
}

// True when every name of a text of festivals (names joined by single
// spaces) is one of the table's.
bool AllNamesIn(const auto& table, std::u16string_view text) {
  while (!text.empty()) {
    const auto space = text.find(u' ');
    if (IndexIn(table, text.substr(0, space)) < 0) return false;
    if (space == std::u16string_view::npos) break;
    text.remove_prefix(space + 1);
  }
  return true;
}

// The name and the days of a countdown text, 距<name>还有<n>天; days 0
// when the text has another form.
std::pair<std::u16string, int> CountdownParts(std::u16string_view text) {
  const auto left = text.find(u"还有");
  if (text.substr(0, 1) != u"距" || left == std::u16string_view::npos || text.back() != u'天') {
    return {};
  }
  int days = 0;
  for (const char16_t c : text.substr(left + 2, text.size() - left - 3)) {
    if (c < u'0' || c > u'9') return {};
    days = days * 10 + (c - u'0');
  }
  return {std::u16string(text.substr(1, left - 1)), days};
}

unsigned DaysIn(std::uint16_t year, std::uint16_t month) {
  using namespace std::chrono;
  return static_cast<unsigned>((std::chrono::year{year} / std::chrono::month{month} / last).day());
}

// The branch of each clock hour's double hour: 子 from 23:00, 丑 from 01:00.
constexpr std::u16string_view kBranchByHour[24]{
    u"子", u"丑", u"丑", u"寅", u"寅", u"卯", u"卯", u"辰", u"辰", u"巳", u"巳", u"午",
    u"午", u"未", u"未", u"申", u"申", u"酉", u"酉", u"戌", u"戌", u"亥", u"亥", u"子"};

struct DayTexts {
  std::u16string text[kTextKindCount];
};

TEST(PluginSweep, EveryDayOfTheTablesThroughEveryKeyword) {
  testing::FakePlatform platform;
  platform.SetRecording(false);
  MoonfoldPlugin plugin(platform);
  std::u16string sections[kTextKindCount];
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    sections[k] = u"Section " + std::u16string(kTextKinds[k].keyword);
    platform.SetOption(sections[k], std::u16string(kTextKinds[k].keyword));
  }

  long set_ups = 0;
  int days = 0, leap_month_starts = 0, eves = 0, feast_days = 0;
  std::map<int, int> terms_per_year;
  std::map<int, int> eves_per_lunar_year;
  int previous_day = 0, previous_cycle = -1, month_length = 0;
  std::u16string previous_month;
  std::set<std::u16string> months_seen_this_year;
  bool previous_was_eve = false;

  for (int year = kFirstPluginYear; year <= kLastPluginYear; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysIn(year, month); ++day) {
        const std::string date = DateText(year, month, day);
        DayTexts today;
        for (const std::uint16_t hour : {0, 11, 23}) {
          platform.SetClock(year, month, day, hour, 30);
          for (std::size_t k = 0; k < kTextKindCount; ++k) {
            plugin.Initialize(sections[k].c_str(), static_cast<std::uint32_t>(k));
            ++set_ups;
            const char16_t* text = plugin.GetString(static_cast<std::uint32_t>(k));
            ASSERT_NE(text, nullptr) << date;
            if (k == KindNamed(u"HEHOUR").index) {
              EXPECT_EQ(std::u16string_view(text), kBranchByHour[hour]) << date << ' ' << hour;
            } else if (k == KindNamed(u"PILLARS").index) {
              // Four places of the cycle, the day's the day's own.
              const std::u16string_view p(text);
              ASSERT_EQ(p.size(), 11u) << date;
              for (const std::size_t at : {0u, 3u, 6u, 9u}) {
                EXPECT_GE(CyclePosition(p.substr(at, 2)), 0)
                    << date << ' ' << Narrow(std::u16string(p));
              }
            } else if (hour == 0) {
              today.text[k] = text;
            } else {
              ASSERT_EQ(today.text[k], text)
                  << date << ": only HEHOUR and PILLARS depend on the hour";
            }
          }
        }
        ASSERT_EQ(platform.MessageCount(), 0) << date;
        const auto& t = today.text;
        const auto at = [&](std::u16string_view keyword) -> const std::u16string& {
          return t[KindOfKeyword(keyword)->index];
        };

        // Every text comes from its table.
        int day_number = -1;
        for (std::uint16_t d = 1; d <= 30; ++d) {
          if (kNames.lunar_days[d - 1] == at(u"LUNARDAY")) day_number = d;
        }
        ASSERT_GE(day_number, 1) << date << ": " << Narrow(at(u"LUNARDAY"));
        const std::u16string& month_text = at(u"LUNARMONTH");
        const bool leap = month_text.size() == 2;
        ASSERT_TRUE(IndexIn(kNames.lunar_months, std::u16string_view(month_text).substr(leap)) >=
                        0 &&
                    (!leap || month_text[0] == u'闰'))
            << date << ": " << Narrow(month_text);
        EXPECT_GE(IndexIn(kNames.weekdays, at(u"WEEKDAY")), 0) << date;
        EXPECT_GE(CyclePosition(at(u"HEYEAR")), 0) << date;
        EXPECT_GE(CyclePosition(at(u"HEMONTH")), 0) << date;
        const int cycle = CyclePosition(at(u"HEDAY"));
        EXPECT_GE(cycle, 0) << date;
        const std::u16string& term = at(u"SOLAR");
        EXPECT_TRUE(term.empty() || IndexIn(kNames.solar_terms, term) >= 0) << date;
        EXPECT_GE(IndexIn(kNames.star_signs, at(u"CONSTELLATION")), 0) << date;
        EXPECT_TRUE(AllNamesIn(kNames.fixed_date_festivals, at(u"FEASTS"))) << date;
        EXPECT_TRUE(AllNamesIn(kNames.weekday_festivals, at(u"FWEEKDAY"))) << date;
        // The plug-in's last-weekday text ends in a space.
        const std::u16string& last_week = at(u"FLASTWEEK");
        EXPECT_TRUE(last_week.empty() ||
                    (last_week.back() == u' ' &&
                     AllNamesIn(kNames.last_weekday_festivals,
                                std::u16string_view(last_week).substr(0, last_week.size() - 1))))
            << date;
        const std::u16string& lunar_festival = at(u"FLUNARS");
        EXPECT_TRUE(AllNamesIn(kNames.lunar_festivals, lunar_festival)) << date;
        EXPECT_GE(IndexIn(kNames.animals, at(u"TWELVEANIMALS")), 0) << date;
        // Countdowns name one of their festivals, or a term, some days on.
        const auto [festival, festival_days] = CountdownParts(at(u"COUNTDOWN"));
        EXPECT_GE(IndexIn(kNames.countdown_festivals, festival), 0) << date;
        EXPECT_TRUE(festival_days >= 1 && festival_days <= 110) << date << ": " << festival_days;
        EXPECT_TRUE(at(u"HOLIDAY").empty() || IndexIn(kNames.holidays, at(u"HOLIDAY")) >= 0)
            << date;
        EXPECT_TRUE(at(u"DAYOFF").empty() ||
                    at(u"DAYOFF") == (at(u"HOLIDAY").empty() ? u"班" : u"休"))
            << date;
        const auto [term_name, term_days] = CountdownParts(at(u"NEXTTERM"));
        EXPECT_GE(IndexIn(kNames.solar_terms, term_name), 0) << date;
        EXPECT_TRUE(term_days >= 1 && term_days <= 16) << date << ": " << term_days;

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
        if (!at(u"FEASTS").empty()) ++feast_days;

        previous_day = day_number;
        previous_cycle = cycle;
        previous_month = month_text;
        ++days;
      }
    }
  }

  EXPECT_EQ(days, 22280);
  for (int year = kFirstPluginYear; year <= kLastPluginYear; ++year) {
    EXPECT_EQ(terms_per_year[year], 24) << year;
  }
  // Lunar years whose eve falls within the years swept.
  for (int year = kFirstPluginYear - 1; year < kLastPluginYear; ++year) {
    EXPECT_EQ(eves_per_lunar_year[year], 1) << year;
  }
  EXPECT_EQ(leap_month_starts, 23);  // every year of the tables with a leap month

  std::printf(
      "swept %d days x 3 hours x %zu keywords = %ld set-ups: %d leap months, "
      "%d New Year's Eves, %d solar terms, fixed-date festivals on %d days\n",
      days, kTextKindCount, set_ups, leap_month_starts, eves, 24 * 61, feast_days);
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
  std::u16string sections[kTextKindCount];
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    sections[k] = std::u16string(kTextKinds[k].keyword);
    platform.SetOption(sections[k], sections[k]);
    fresh_platform.SetOption(sections[k], sections[k]);
  }
  platform.SetClock(kFirstPluginYear, 1, 1, 0, 0);
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    plugin.Initialize(sections[k].c_str(), static_cast<std::uint32_t>(k));
  }

  long cycles = 0;
  for (int year = kFirstPluginYear; year <= kLastPluginYear; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      for (std::uint16_t day = 1; day <= DaysIn(year, month); ++day) {
        for (std::uint16_t hour = 0; hour < 24; ++hour) {
          platform.SetClock(year, month, day, hour, 0);
          fresh_platform.SetClock(year, month, day, hour, 0);
          MoonfoldPlugin fresh(fresh_platform);
          for (std::size_t k = 0; k < kTextKindCount; ++k) {
            const auto id = static_cast<std::uint32_t>(k);
            plugin.Update(id);
            fresh.Initialize(sections[k].c_str(), id);
          }
          for (std::size_t k = 0; k < kTextKindCount; ++k) {
            const auto id = static_cast<std::uint32_t>(k);
            ASSERT_EQ(std::u16string_view(plugin.GetString(id)),
                      std::u16string_view(fresh.GetString(id)))
                << DateText(year, month, day) << ' ' << hour << ":00 " << Narrow(sections[k]);
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
