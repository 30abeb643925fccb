// The library through its two interfaces, as a program linked with it
// calls them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "moonfold/moonfold.h"
#include "moonfold/moonfold.hpp"

namespace {

using namespace std::chrono;

TEST(CInterface, LunarDatesBothWays) {
  moonfold_lunar_date lunar{};
  ASSERT_EQ(moonfold_to_lunar(2023, 3, 22, &lunar), MOONFOLD_OK);
  EXPECT_EQ(lunar.year, 2023);
  EXPECT_EQ(lunar.month, 2);
  EXPECT_EQ(lunar.day, 1);
  EXPECT_EQ(lunar.leap, 1);
  int y = 0, m = 0, d = 0;
  ASSERT_EQ(moonfold_from_lunar(&lunar, &y, &m, &d), MOONFOLD_OK);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20230322);
  // Every day of the calendar there and back.
  int count = 0;
  for (sys_days day = sys_days{year{1900} / 1 / 1}; day <= sys_days{year{2100} / 12 / 31};
       day += days{1}) {
    const year_month_day date{day};
    const int gy = static_cast<int>(date.year()),
              gm = static_cast<int>(static_cast<unsigned>(date.month())),
              gd = static_cast<int>(static_cast<unsigned>(date.day()));
    ASSERT_EQ(moonfold_to_lunar(gy, gm, gd, &lunar), MOONFOLD_OK);
    ASSERT_EQ(moonfold_from_lunar(&lunar, &y, &m, &d), MOONFOLD_OK);
    ASSERT_EQ(y * 10000 + m * 100 + d, gy * 10000 + gm * 100 + gd);
    ++count;
  }
  EXPECT_EQ(count, 73414);
}

TEST(CInterface, RefusesWithTheCodeTheHeaderNames) {
  moonfold_lunar_date lunar{};
  int y, m, d;
  const struct {
    int got, expected;
  } kCases[]{
      {moonfold_to_lunar(1899, 12, 31, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(2101, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(2026, 2, 30, &lunar), MOONFOLD_ERROR_DATE},
      {moonfold_to_lunar(2026, 13, 1, &lunar), MOONFOLD_ERROR_DATE},
      {moonfold_to_lunar(2026, 1, 1, nullptr), MOONFOLD_ERROR_NULL},
      {[&] {
         const moonfold_lunar_date x{2024, 4, 1, 1};
         return moonfold_from_lunar(&x, &y, &m, &d);
       }(),
       MOONFOLD_ERROR_DATE},
      {[&] {
         const moonfold_lunar_date x{2025, 8, 30, 0};
         return moonfold_from_lunar(&x, &y, &m, &d);
       }(),
       MOONFOLD_ERROR_DATE},
      {[&] {
         const moonfold_lunar_date x{2100, 12, 2, 0};
         return moonfold_from_lunar(&x, &y, &m, &d);
       }(),
       MOONFOLD_ERROR_RANGE},
      {[&] {
         const moonfold_lunar_date x{1899, 11, 1, 0};
         return moonfold_from_lunar(&x, &y, &m, &d);
       }(),
       MOONFOLD_ERROR_RANGE},
      {moonfold_from_lunar(nullptr, &y, &m, &d), MOONFOLD_ERROR_NULL},
      {moonfold_text("LUNARDAY", 2026, 2, 30, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_DATE},
      {moonfold_text("LUNARDAY", 1899, 12, 31, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_RANGE},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 24, 0, 0, nullptr, 0), MOONFOLD_ERROR_TIME},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 60, 0, nullptr, 0), MOONFOLD_ERROR_TIME},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 0, 2, nullptr, 0), MOONFOLD_ERROR_SCRIPT},
      {moonfold_text("NOPE", 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_KEYWORD},
      {moonfold_text(" LUNARDAY", 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_KEYWORD},
      {moonfold_text(nullptr, 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_NULL},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 0, 0, nullptr, 4), MOONFOLD_ERROR_NULL},
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i)
    EXPECT_EQ(kCases[i].got, kCases[i].expected) << i;
}

TEST(CInterface, TextsAsSnprintfWritesThem) {
  char buffer[64];
  // 正月初一 of 2026 in both scripts, and a keyword in any case.
  EXPECT_EQ(moonfold_text("flunars", 2026, 2, 17, 12, 0, 0, buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "春节");
  EXPECT_EQ(moonfold_text("FLUNARS", 2026, 2, 17, 12, 0, 1, buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "春節");
  EXPECT_EQ(moonfold_text("PILLARS", 2026, 12, 8, 12, 0, 0, buffer, sizeof buffer), 27);
  EXPECT_STREQ(buffer, "丙午 庚子 丙辰 甲午");
  // Cut to the buffer, the whole length returned; nothing written at size 0.
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(moonfold_text("PILLARS", 2026, 12, 8, 12, 0, 0, buffer, 5), 27);
  EXPECT_EQ(std::string(buffer, 5), std::string("丙\xE5", 4) + '\0');
  EXPECT_EQ(buffer[5], 'x');
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(moonfold_text("PILLARS", 2026, 12, 8, 12, 0, 0, buffer, 0), 27);
  EXPECT_EQ(buffer[0], 'x');
  // A day without a solar term has an empty text.
  EXPECT_EQ(moonfold_text("SOLAR", 2026, 12, 8, 12, 0, 0, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_STREQ(moonfold_version(), moonfold::Version());
}

TEST(CInterface, AnyThreadAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      char buffer[64];
      for (int day = 1; day <= 28; ++day) {
        const int n = moonfold_text("HEDAY", 2026, 2, day, 12, 0, t % 2, buffer, sizeof buffer);
        moonfold_lunar_date lunar{};
        if (n != 6 || moonfold_to_lunar(2026, 2, day, &lunar) != MOONFOLD_OK) ++wrong[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(CxxInterface, FactsAndTextsOfAMoment) {
  const auto lunar = moonfold::ToLunar(sys_days{year{2023} / 3 / 22});
  ASSERT_TRUE(lunar);
  EXPECT_TRUE(lunar->leap);
  EXPECT_EQ(moonfold::FromLunar(*lunar), sys_days{year{2023} / 3 / 22});
  const auto facts = moonfold::FactsOf(local_days{year{2026} / 2 / 17} + hours{12});
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->lunar, (moonfold::LunarDate{2026, 1, 1, false}));
  EXPECT_EQ(moonfold::KeywordTextUtf8("holiday", *facts, moonfold::Script::kSimplified), "春节");
  EXPECT_EQ(moonfold::KeywordText("HOLIDAY", *facts, moonfold::Script::kTraditional), u"春節");
  EXPECT_FALSE(moonfold::KeywordText("NOPE", *facts, moonfold::Script::kSimplified));
  EXPECT_FALSE(moonfold::FactsOf(local_days{year{2101} / 1 / 1}));
}

}  // namespace
