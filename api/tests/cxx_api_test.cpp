// The C++ interface as a program built against it alone uses it: chrono
// types in and out, the library's answers and nothing of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "moonfold/moonfold.hpp"

namespace {

using namespace std::chrono;

TEST(CxxInterface, LunarDatesBothWaysOnEveryDay) {
  const auto [first, last] = moonfold::Range();
  for (sys_days day = first; day <= last; day += days{1}) {
    const auto lunar = moonfold::ToLunar(day);
    ASSERT_TRUE(lunar) << day.time_since_epoch().count();
    ASSERT_EQ(moonfold::FromLunar(*lunar), day);
  }
  EXPECT_FALSE(moonfold::ToLunar(first - days{1}));
  EXPECT_FALSE(moonfold::ToLunar(last + days{1}));
  EXPECT_FALSE(moonfold::FromLunar({2024, 4, 1, true}));
  EXPECT_FALSE(moonfold::FromLunar({2026, 13, 1, false}));
  EXPECT_FALSE(moonfold::FromLunar({2026, 1, 4000000000u, false}));
}

TEST(CxxInterface, FactsAndTextsOfAMoment) {
  const auto lunar = moonfold::ToLunar(sys_days{year{2023} / 3 / 22});
  ASSERT_TRUE(lunar);
  EXPECT_TRUE(lunar->leap);
  const auto facts = moonfold::FactsOf(local_days{year{2026} / 2 / 17} + hours{12});
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->lunar(), (moonfold::LunarDate{2026, 1, 1, false}));
  EXPECT_EQ(facts->day(), sys_days{year{2026} / 2 / 17});
  EXPECT_EQ(facts->weekday(), Tuesday);
  EXPECT_EQ(facts->working_day(), false);
  EXPECT_FALSE(facts->solar_term());
  EXPECT_EQ(facts->next_term(), 3u);  // 雨水
  ASSERT_TRUE(facts->moon_time());
  EXPECT_EQ(floor<days>(*facts->moon_time()), local_days{year{2026} / 2 / 17});
  EXPECT_EQ(moonfold::KeywordTextUtf8("holiday", *facts, moonfold::Script::kSimplified), "春节");
  EXPECT_EQ(moonfold::KeywordText("HOLIDAY", *facts, moonfold::Script::kTraditional), u"春節");
  EXPECT_EQ(moonfold::KeywordText("PILLARS", *facts, moonfold::Script::kSimplified)->size(), 11u);
  EXPECT_FALSE(moonfold::KeywordText("NOPE", *facts, moonfold::Script::kSimplified));
  EXPECT_EQ(
      moonfold::Name(MOONFOLD_NAME_CYCLE, facts->raw().year_cycle, moonfold::Script::kSimplified),
      "丙午");
  EXPECT_FALSE(moonfold::Name(MOONFOLD_NAME_CYCLE, 60, moonfold::Script::kSimplified));
  EXPECT_FALSE(
      moonfold::FactsOf(local_days{moonfold::Range().second.time_since_epoch()} + days{1}));
  // A long text is read whole, past the first buffer's size.
  const auto feasts = moonfold::FactsOf(local_days{year{2011} / 3 / 21});
  EXPECT_GT(moonfold::KeywordTextUtf8("FEASTS", *feasts, moonfold::Script::kSimplified)->size(),
            30u);
}

TEST(CxxInterface, ArrangementsEventsAndWorkingDays) {
  auto refused = moonfold::Arrangement::Read("h.tsv", "2027\tnope\n");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, MOONFOLD_ERROR_FILE);
  EXPECT_EQ(refused.error().message.rfind("h.tsv:1 — ", 0), 0u);
  auto file = moonfold::Arrangement::Read("h.tsv", "2027\t元旦\t2027-01-01\t2027-01-03\t\n");
  ASSERT_TRUE(file) << file.error().message;
  const moonfold::Arrangement arrangement = std::move(*file);
  const sys_days new_year{year{2027} / 1 / 1};
  EXPECT_EQ(moonfold::IsWorkingDay(new_year).error().code, MOONFOLD_ERROR_UNANNOUNCED);
  EXPECT_EQ(*moonfold::IsWorkingDay(new_year, &arrangement), false);
  EXPECT_EQ(*moonfold::IsWorkingDay(new_year + days{3}, &arrangement), true);
  const auto facts = moonfold::FactsOf(local_days{new_year.time_since_epoch()}, arrangement);
  EXPECT_EQ(moonfold::KeywordTextUtf8("DAYOFF", *facts, moonfold::Script::kSimplified), "休");
  const auto events = moonfold::Events(2027, 2027, MOONFOLD_EVENT_OFF, &arrangement);
  ASSERT_TRUE(events);
  ASSERT_EQ(events->size(), 3u);
  EXPECT_EQ((*events)[0].day(), new_year);
  EXPECT_FALSE((*events)[0].time());
  const auto terms = moonfold::Events(2026, 2026, MOONFOLD_EVENT_TERM);
  ASSERT_EQ(terms->size(), 24u);
  EXPECT_EQ(floor<days>(*(*terms)[0].time()), local_days{year{2026} / 1 / 5});  // 小寒
  EXPECT_EQ(moonfold::Events(2026, 2026, 0x80u).error().code, MOONFOLD_ERROR_KINDS);
  EXPECT_EQ(std::string(moonfold::Version()), moonfold_version());
}

}  // namespace
