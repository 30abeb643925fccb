// The calendar as it was issued, and the days nobody can know yet, as the
// command shows them: the terms held at their issued minutes with today's
// reckoning beside them, and a mark on every term, new moon, lunar festival
// and lunar date the predicted ΔT may move by a day.
#include <gtest/gtest.h>

#include <fstream>

#include "cli/command_test_support.h"
#include "common/plugin_years.h"
#include "cycles/solar_terms.h"

namespace moonfold::cli {
namespace {

// Over the range the marks fall on the six events and on the lunar
// festivals of their months, and on nothing else.
TEST(CalendarRecord, UncertainMarksFallOnTheSixEventsAndTheirMonthsFestivals) {
  std::set<std::string> marked, festivals;
  int notes = 0;
  std::vector<std::map<std::string, std::string>> events;
  for (int y = kFirstCalendarYear; y <= kLastCalendarYear; ++y) {
    const Result r = cli::Run({"--year", std::to_string(y), "--json", "--kinds", "term,lunar,moon"},
                              At(2026, 12, 9, false));
    for (auto& m : JsonLines(r.out)) events.push_back(std::move(m));
  }
  EXPECT_GT(events.size(), static_cast<std::size_t>(kLastCalendarYear - kFirstCalendarYear) * 60);
  for (const auto& m : events) {
    notes += m.count("note");
    if (m.count("uncertain") == 0) continue;
    EXPECT_EQ(m.at("uncertain"), "true");
    const std::string kind = m.at("kind");
    if (kind == "lunar") {
      festivals.insert(m.at("date") + " " + m.at("name"));
    } else {
      marked.insert(m.at("date") + " " + m.at("name"));
    }
  }
  EXPECT_EQ(marked,
            (std::set<std::string>{"2051-03-20 春分", "2057-09-29 新月", "2083-02-03 立春",
                                   "2084-03-20 春分", "2089-09-04 新月", "2097-08-08 新月"}));
  for (const char* festival : {"2057-10-07 重阳节", "2089-09-18 中秋节", "2097-08-14 七夕情人节"})
    EXPECT_EQ(festivals.count(festival), 1u) << festival;
  for (const std::string& f : festivals) EXPECT_GT(std::stoi(f.substr(0, 4)), kLastPluginYear) << f;
  // The six issued terms from 1912, and before, every term: its minute is
  // today's reckoning, or the record puts it on another day.
  // (1645's 小寒 and 大寒 fall before the range.)
  EXPECT_EQ(notes, 6 + 24 * (kLastReckonedMinuteYear + 1 - kFirstTermYear) - 2);
  // The plug-in's years have none of either.
  for (const auto& m : events) {
    const int year = std::stoi(m.at("date").substr(0, 4));
    if (year >= kFirstPluginYear && year <= kLastPluginYear) {
      EXPECT_EQ(m.count("uncertain") + m.count("note"), 0u) << m.at("date");
    }
  }
}

// Each listing marks them where a reader looks: after the time, the lunar
// date or the day's number; an issued term says so and gives today's
// reckoning, in the text, the JSON and the calendar file.
TEST(CalendarRecord, EveryListingSaysIt) {
  const struct {
    const char* args;
    std::string line;
  } kCases[]{
      {"--year 1912 --kinds term",
       "1912-11-23  周六  十月十五    00:39  小雪（历书所载时刻，今推 1912-11-22 23:48）\n"},
      {"--year 1917 --kinds term --script hant",
       "1917-12-07  週五  十月廿三    23:47  大雪（曆書所載時刻，今推 1917-12-08 00:00）\n"},
      {"--year 2084 --kinds term", "2084-03-20  周一  二月十四    00:00? 春分\n"},
      {"--year 2097 --kinds lunar", "2097-08-14  周三  七月初七         ? 七夕情人节\n"},
      {"--moon 2057-09", "2057-09-29  周六  九月初一    00:00? 新月\n"},
      {"--next 2 --date 2084-03-15", "2084-03-20  周一  二月十四    还有5天    春分 00:00?\n"},
      {"--next 1 --date 1917-12-01",
       "还有6天    大雪 23:47（历书所载时刻，今推 1917-12-08 00:00）\n"},
      {"--every 09-09 --from 2057 --to 2057", "2057  2057-10-07  九月初九?\n"},
      {"--year 1917 --json --kinds term",
       "\"name\":\"大雪\",\"time\":\"23:47\",\"reckoned\":\"1917-12-08 "
       "00:00\",\"note\":\"历书所载时刻，"
       "今推 1917-12-08 00:00\"}"},
      {"--every 09-09 --from 2057 --to 2057 --json", "\"note\":null,\"uncertain\":true}"},
      {"--ics 2084", "北京时间 00:00，日期或有一日之差"},
      {"--ics 1928", "北京时间 23:53，历书所载时刻，今推 1928-06-22 00:06"},
      {"--every 08-15 --from 2089 --to 2089 --ics", "日期或有一日之差"},
      {"--month 2057-09", "28?        29?九月"},
      {"--month 2084-03", "20?"},
      // Before 1912 the record gives days: a minute is today's reckoning,
      // and a term it puts on another day has none.
      {"--year 1899 --kinds term", "1899-01-05  周四  冬月廿四    20:17  小寒（时刻为今推）\n"},
      {"--year 1899 --kinds term",
       "1899-06-22  周四  五月十五           夏至（历书载于此日，今推 1899-06-21 23:45）\n"},
      {"--year 1899 --kinds term --script hant", "夏至（曆書載於此日，今推 1899-06-21 23:45）"},
      {"--year 1899 --json --kinds term",
       "\"name\":\"夏至\",\"minute\":\"none\",\"reckoned\":\"1899-06-21 23:45\",\"note\":"},
      {"--year 1899 --json --kinds term",
       "\"name\":\"小寒\",\"time\":\"20:17\",\"minute\":\"reckoned\",\"note\":\"时刻为今推\"}"},
      {"--next 1 --date 1899-06-20", "还有2天    夏至（历书载于此日，今推 1899-06-21 23:45）\n"},
      {"--ics 1899", "时刻为今推"},
      {"--ics 1899", "历书载于此日，今推 1899-06-21 23:45"},
  };
  for (const auto& c : kCases) {
    // A calendar file's lines are unfolded first.
    const Output o = RunCommand(std::string(c.args) + " | sed -z 's/\\r\\n //g'");
    EXPECT_NE(o.out.find(c.line), std::string::npos) << c.args << '\n' << o.out;
  }
}

}  // namespace
}  // namespace moonfold::cli

namespace moonfold::cli {
namespace {

// Dates of history as they were written (tests/data/history_dates.tsv,
// from the histories of each event), both ways: the reign date read gives
// the day, and the day's --era line gives the reign date back, which read
// again gives the day.
TEST(History, ReignDatesBothWays) {
  std::ifstream file(std::string(MOONFOLD_TEST_DATA_DIR) + "/history_dates.tsv");
  int rows = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t'), next = line.find('\t', tab + 1);
    const std::string day = line.substr(0, tab), written = line.substr(tab + 1, next - tab - 1);
    EXPECT_EQ(RunCommand("--lunar '" + written + "' DATE").out, day + "\n") << written;
    const std::string era = RunCommand("--date " + day + " --era").out;
    const std::string era_year = RunCommand("--date " + day + " ERA").out;
    ASSERT_GT(era_year.size(), 1u) << day;
    EXPECT_EQ(written.substr(0, era_year.size() - 1), era_year.substr(0, era_year.size() - 1));
    const auto from = era.find(era_year.substr(0, era_year.size() - 1));
    ASSERT_NE(from, std::string::npos) << era;
    const std::string shown = era.substr(from, era.find(' ', from) - from);
    EXPECT_EQ(RunCommand("--lunar " + shown + " DATE").out, day + "\n") << shown;
    ++rows;
  }
  EXPECT_GE(rows, 15);
}

}  // namespace
}  // namespace moonfold::cli
