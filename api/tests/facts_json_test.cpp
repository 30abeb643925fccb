// Every fact the C interface gives, on every day of the range, against
// the command's own --json of that day: each keyword's text is made here
// from the facts' numbers and ids through moonfold_name, and must be the
// command's word for word.  Traditional names are held to the command's
// --script hant on every seventh day.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>

#include "api/tests/c_api_support.h"
#include "cli/moonfold_command.h"
#include "moonfold/moonfold.h"

namespace {

using namespace std::chrono;
using moonfold::test::DateOf;

std::string N(int kind, int id, int script) {
  char buffer[256];
  return moonfold_name(kind, id, script, buffer, sizeof buffer) >= 0 ? buffer : "<no name>";
}

// One flat JSON object of strings, as --json writes it.
std::map<std::string, std::string> ReadObject(const std::string& json) {
  std::map<std::string, std::string> object;
  std::size_t i = 1;
  const auto string = [&] {
    std::string s;
    for (++i; json[i] != '"'; ++i) {
      if (json[i] == '\\')
        s += json[++i] == 'n' ? '\n' : json[i];
      else
        s += json[i];
    }
    ++i;
    return s;
  };
  while (i < json.size() && json[i] == '"') {
    const std::string key = string();
    ++i;  // :
    object[key] = string();
    if (json[i] == ',') ++i;
  }
  return object;
}

std::string Join(const moonfold_festival_list& list, int kind, int script) {
  std::string text;
  for (int i = 0; i < list.count; ++i) text += (i ? " " : "") + N(kind, list.ids[i], script);
  return text;
}

// The texts of the keywords that are names alone, in a script.
std::map<std::string, std::string> NameTexts(const moonfold_facts_t& f, int s) {
  return {
      {"LUNARDAY", N(MOONFOLD_NAME_LUNAR_DAY, f.lunar.day, s)},
      {"LUNARMONTH",
       N(f.lunar.leap ? MOONFOLD_NAME_LEAP_MONTH : MOONFOLD_NAME_LUNAR_MONTH, f.lunar.month, s)},
      {"WEEKDAY", N(MOONFOLD_NAME_WEEKDAY, f.weekday, s)},
      {"HEYEAR", N(MOONFOLD_NAME_CYCLE, f.year_cycle, s)},
      {"HEMONTH", N(MOONFOLD_NAME_CYCLE, f.month_cycle, s)},
      {"HEDAY", N(MOONFOLD_NAME_CYCLE, f.day_cycle, s)},
      {"HEHOUR", N(MOONFOLD_NAME_BRANCH, f.hour_branch, s)},
      {"SOLAR", f.solar_term < 0 ? "" : N(MOONFOLD_NAME_SOLAR_TERM, f.solar_term, s)},
      {"CONSTELLATION", N(MOONFOLD_NAME_STAR_SIGN, f.star_sign, s)},
      {"FEASTS", Join(f.fixed_festivals, MOONFOLD_NAME_FIXED_FESTIVAL, s)},
      {"FWEEKDAY", Join(f.weekday_festivals, MOONFOLD_NAME_WEEKDAY_FESTIVAL, s)},
      {"FLASTWEEK", Join(f.last_week_festivals, MOONFOLD_NAME_LAST_WEEK_FESTIVAL, s)},
      {"FLUNARS", Join(f.lunar_festivals, MOONFOLD_NAME_LUNAR_FESTIVAL, s)},
      {"TWELVEANIMALS", N(MOONFOLD_NAME_ANIMAL, f.zodiac, s)},
      {"HOLIDAY", f.official == MOONFOLD_DAY_OFF ? N(MOONFOLD_NAME_HOLIDAY, f.holiday, s) : ""},
      {"PENTAD", N(MOONFOLD_NAME_PENTAD, f.pentad, s)},
      {"MOONPHASE", N(MOONFOLD_NAME_MOON_PHASE, f.moon_phase, s)},
      {"DUTY", N(MOONFOLD_NAME_DUTY, f.duty, s)},
      {"MANSION", N(MOONFOLD_NAME_MANSION, f.mansion, s)},
      {"PENGZU", N(MOONFOLD_NAME_PENGZU_STEM, f.day_cycle % 10, s) + " " +
                     N(MOONFOLD_NAME_PENGZU_BRANCH, f.day_cycle % 12, s)},
  };
}

// A reign year's number as it is written: 元 for the first, else 二, 十,
// 十一, 二十六 ….
std::string ReignNumber(int n) {
  static const char* const kDigits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
  if (n == 1) return "元";
  return std::string(n >= 20 ? kDigits[n / 10] : "") + (n >= 10 ? "十" : "") + kDigits[n % 10];
}

// The texts made of names and the simplified labels around them.
std::map<std::string, std::string> ComposedTexts(const moonfold_facts_t& f) {
  const auto cycle = [](int id) { return N(MOONFOLD_NAME_CYCLE, id, 0); };
  std::string hours;
  for (int b = 0; b < 12; ++b) {
    if (f.lucky_hours >> b & 1) hours += (hours.empty() ? "" : " ") + N(MOONFOLD_NAME_BRANCH, b, 0);
  }
  const moonfold_date d{f.time.year, f.time.month, f.time.day};
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", d.year, d.month, d.day);
  return {
      {"DATE", date},
      {"COUNTDOWN", f.next_festival < 0
                        ? ""
                        : "距" + N(MOONFOLD_NAME_COUNTDOWN_FESTIVAL, f.next_festival, 0) + "还有" +
                              std::to_string(f.next_festival_days) + "天"},
      {"NEXTTERM", f.next_term < 0 ? ""
                                   : "距" + N(MOONFOLD_NAME_SOLAR_TERM, f.next_term, 0) + "还有" +
                                         std::to_string(f.next_term_days) + "天"},
      {"DAYOFF", f.official == MOONFOLD_DAY_OFF       ? "休"
                 : f.official == MOONFOLD_DAY_MAKE_UP ? "班"
                                                      : ""},
      {"SEASONDAYS", f.season_period == 0 ? ""
                                          : N(MOONFOLD_NAME_SEASON_PERIOD, f.season_period, 0) +
                                                "第" + std::to_string(f.season_day) + "天"},
      {"PILLARS", cycle(f.pillar_year) + " " + cycle(f.pillar_month) + " " + cycle(f.pillar_day) +
                      " " + cycle(f.pillar_hour)},
      {"DAYGOD",
       N(MOONFOLD_NAME_TWELVE_GOD, f.day_god, 0) + (f.day_god_yellow ? "(黄道)" : "(黑道)")},
      {"CLASH", "冲" + N(MOONFOLD_NAME_ANIMAL, f.clash_cycle % 12, 0) + "(" + cycle(f.clash_cycle) +
                    ")煞" + N(MOONFOLD_NAME_QUARTER, f.sha_quarter, 0)},
      {"DIRECTIONS", "喜神" + N(MOONFOLD_NAME_DIRECTION, f.joy_direction, 0) + " 财神" +
                         N(MOONFOLD_NAME_DIRECTION, f.wealth_direction, 0)},
      {"LUCKYHOURS", hours},
      {"ERA", f.era < 0 ? "" : N(MOONFOLD_NAME_ERA, f.era, 0) + ReignNumber(f.era_year) + "年"},
      {"ROCYEAR",
       f.republic_year == 0
           ? ""
           : "民国" + (f.republic_year == 1 ? "元" : std::to_string(f.republic_year)) + "年"},
  };
}

std::map<std::string, std::string> CommandJson(const std::string& when, bool traditional) {
  std::vector<std::string> args{"--json", "--date", when};
  if (traditional) args.insert(args.end(), {"--script", "hant"});
  const moonfold::cli::Result r = moonfold::cli::Run(args, moonfold::cli::Environment{});
  EXPECT_EQ(r.exit_code, 0) << when << r.err;
  return ReadObject(r.out);
}

TEST(CFactsAgainstTheCommand, EveryKeywordOnEveryDay) {
  int days_checked = 0, mismatches = 0;
  for (sys_days day = moonfold::test::FirstDay(); day <= moonfold::test::LastDay();
       day += std::chrono::days{1}) {
    const moonfold_date g = DateOf(day);
    // The hour walks the day, so that every double hour and both sides of
    // 23:00 are met.
    const int hour = days_checked % 24, minute = days_checked * 7 % 60;
    moonfold_facts_t f{};
    f.size = sizeof f;
    ASSERT_EQ(moonfold_facts(g.year, g.month, g.day, hour, minute, &f), MOONFOLD_OK);
    char when[32];
    std::snprintf(when, sizeof when, "%04d-%02d-%02dT%02d:%02d", g.year, g.month, g.day, hour,
                  minute);
    const bool traditional = days_checked % 7 == 0;
    const auto json = CommandJson(when, false);
    auto expected = NameTexts(f, 0);
    expected.merge(ComposedTexts(f));
    EXPECT_EQ(json.size(), expected.size()) << when;
    for (const auto& [key, text] : expected) {
      const auto found = json.find(key);
      if (found == json.end() || found->second != text) {
        ADD_FAILURE() << when << " " << key << ": the command says "
                      << (found == json.end() ? "nothing" : found->second) << ", the facts "
                      << text;
        if (++mismatches > 20) return;
      }
    }
    if (traditional) {
      const auto hant = CommandJson(when, true);
      for (const auto& [key, text] : NameTexts(f, 1)) {
        if (hant.at(key) != text) {
          ADD_FAILURE() << when << " " << key << " (hant): " << hant.at(key) << " vs " << text;
          if (++mismatches > 20) return;
        }
      }
    }
    ++days_checked;
  }
  EXPECT_EQ(days_checked, (moonfold::test::LastDay() - moonfold::test::FirstDay()).count() + 1);
}

}  // namespace
