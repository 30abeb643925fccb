// The library through its C interface, as a program linked with it calls
// it: dates both ways, texts and names, refusals and hostile calls.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "api/tests/c_api_support.h"
#include "moonfold/moonfold.h"

namespace {

using namespace std::chrono;
using moonfold::test::DateOf;
using moonfold::test::FirstDay;
using moonfold::test::LastDay;
using moonfold::test::ValidUtf8;

TEST(CInterface, LunarDatesBothWaysOnEveryDay) {
  moonfold_lunar_date lunar{};
  ASSERT_EQ(moonfold_to_lunar(2023, 3, 22, &lunar), MOONFOLD_OK);
  EXPECT_EQ(lunar.year, 2023);
  EXPECT_EQ(lunar.month, 2);
  EXPECT_EQ(lunar.day, 1);
  EXPECT_EQ(lunar.leap, 1);
  int y = 0, m = 0, d = 0;
  ASSERT_EQ(moonfold_from_lunar(&lunar, &y, &m, &d), MOONFOLD_OK);
  EXPECT_EQ(y * 10000 + m * 100 + d, 20230322);
  int count = 0;
  for (sys_days day = FirstDay(); day <= LastDay(); day += days{1}) {
    const moonfold_date g = DateOf(day);
    ASSERT_EQ(moonfold_to_lunar(g.year, g.month, g.day, &lunar), MOONFOLD_OK);
    ASSERT_EQ(moonfold_from_lunar(&lunar, &y, &m, &d), MOONFOLD_OK);
    ASSERT_EQ(y * 10000 + m * 100 + d, g.year * 10000 + g.month * 100 + g.day);
    ++count;
  }
  EXPECT_EQ(count, (LastDay() - FirstDay()).count() + 1);
}

TEST(CInterface, RefusesWithTheCodeTheHeaderNames) {
  moonfold_lunar_date lunar{};
  int y, m, d;
  const moonfold_date before = DateOf(FirstDay() - days{1}), after = DateOf(LastDay() + days{1});
  const auto from = [&](moonfold_lunar_date x) { return moonfold_from_lunar(&x, &y, &m, &d); };
  const struct {
    int got, expected;
  } kCases[]{
      {moonfold_to_lunar(before.year, before.month, before.day, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(after.year, after.month, after.day, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(2026, 2, 30, &lunar), MOONFOLD_ERROR_DATE},
      {moonfold_to_lunar(2026, 13, 1, &lunar), MOONFOLD_ERROR_DATE},
      {moonfold_to_lunar(2026, 1, 1, nullptr), MOONFOLD_ERROR_NULL},
      // Years of any size: we used to keep 16 bits of the year, so 67562
      // was read as 2026.
      {moonfold_to_lunar(67562, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(32768, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(INT_MAX, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(INT_MIN, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {moonfold_to_lunar(-2026, 1, 1, &lunar), MOONFOLD_ERROR_RANGE},
      {from({2024, 4, 1, 1}), MOONFOLD_ERROR_DATE},  // lunar 2024 has no leap 4th month
      {from({2025, 8, 30, 0}), MOONFOLD_ERROR_DATE},
      {from({2026, 1, 1, 2}), MOONFOLD_ERROR_DATE},
      {from({after.year - 1, 12, 2, 0}), MOONFOLD_ERROR_RANGE},
      {from({before.year - 1, 11, 1, 0}), MOONFOLD_ERROR_RANGE},
      {from({INT_MAX, 1, 1, 0}), MOONFOLD_ERROR_RANGE},
      {from({INT_MIN, 1, 1, 0}), MOONFOLD_ERROR_RANGE},
      {moonfold_from_lunar(nullptr, &y, &m, &d), MOONFOLD_ERROR_NULL},
      {moonfold_text("LUNARDAY", 2026, 2, 30, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_DATE},
      {moonfold_text("LUNARDAY", before.year, before.month, before.day, 0, 0, 0, nullptr, 0),
       MOONFOLD_ERROR_RANGE},
      {moonfold_text("LUNARDAY", 70000, 1, 1, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_RANGE},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 24, 0, 0, nullptr, 0), MOONFOLD_ERROR_TIME},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 60, 0, nullptr, 0), MOONFOLD_ERROR_TIME},
      {moonfold_text("LUNARDAY", 2026, 2, 17, -1, 0, 0, nullptr, 0), MOONFOLD_ERROR_TIME},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 0, 2, nullptr, 0), MOONFOLD_ERROR_SCRIPT},
      {moonfold_text("NOPE", 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_KEYWORD},
      {moonfold_text(" LUNARDAY", 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_KEYWORD},
      {moonfold_text("", 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_KEYWORD},
      {moonfold_text(nullptr, 2026, 2, 17, 0, 0, 0, nullptr, 0), MOONFOLD_ERROR_NULL},
      {moonfold_text("LUNARDAY", 2026, 2, 17, 0, 0, 0, nullptr, 4), MOONFOLD_ERROR_NULL},
      {moonfold_name(MOONFOLD_NAME_KIND_COUNT, 0, 0, nullptr, 0), MOONFOLD_ERROR_NAME},
      {moonfold_name(-1, 0, 0, nullptr, 0), MOONFOLD_ERROR_NAME},
      {moonfold_name(MOONFOLD_NAME_STEM, 10, 0, nullptr, 0), MOONFOLD_ERROR_NAME},
      {moonfold_name(MOONFOLD_NAME_LUNAR_DAY, 0, 0, nullptr, 0), MOONFOLD_ERROR_NAME},
      {moonfold_name(MOONFOLD_NAME_CYCLE, INT_MIN, 0, nullptr, 0), MOONFOLD_ERROR_NAME},
      {moonfold_name(MOONFOLD_NAME_STEM, 0, -1, nullptr, 0), MOONFOLD_ERROR_SCRIPT},
      {moonfold_name(MOONFOLD_NAME_STEM, 0, 0, nullptr, 1), MOONFOLD_ERROR_NULL},
      {moonfold_range(nullptr, nullptr), MOONFOLD_ERROR_NULL},
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
  // Cut to the buffer before the character that would not fit whole, the
  // whole length returned; nothing written at size 0.  We used to leave
  // "丙\xE5" in five bytes.
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(moonfold_text("PILLARS", 2026, 12, 8, 12, 0, 0, buffer, 5), 27);
  EXPECT_EQ(std::string(buffer, 5), std::string("丙\0xx", 5));
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(moonfold_text("PILLARS", 2026, 12, 8, 12, 0, 0, buffer, 0), 27);
  EXPECT_EQ(buffer[0], 'x');
  // A day without a solar term has an empty text.
  EXPECT_EQ(moonfold_text("SOLAR", 2026, 12, 8, 12, 0, 0, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  // The week's last festivals come without the blank the plug-in's hosts
  // were always given, and DATE is a keyword as in the command.
  EXPECT_EQ(moonfold_text("FLASTWEEK", 2012, 11, 22, 12, 0, 0, buffer, sizeof buffer), 13);
  EXPECT_STREQ(buffer, "感恩节(US)");
  EXPECT_EQ(moonfold_text("date", 2012, 11, 22, 12, 0, 0, buffer, sizeof buffer), 10);
  EXPECT_STREQ(buffer, "2012-11-22");
}

// Every buffer size from 0 to two past the whole text, with a guard on
// both sides: nothing written outside, always a terminated prefix of the
// text that is valid UTF-8, and the whole length returned.
TEST(CInterface, EveryCutIsAWholeCharacterInsideTheBuffer) {
  const char* const kKeywords[]{"PILLARS", "FEASTS", "COUNTDOWN", "PENGZU", "DATE", "LUNARDAY"};
  for (const char* keyword : kKeywords) {
    for (int script = 0; script <= 1; ++script) {
      const int whole = moonfold_text(keyword, 2011, 3, 21, 9, 30, script, nullptr, 0);
      ASSERT_GT(whole, 0) << keyword;
      std::string full(static_cast<std::size_t>(whole) + 1, '\0');
      ASSERT_EQ(moonfold_text(keyword, 2011, 3, 21, 9, 30, script, full.data(), full.size()),
                whole);
      full.resize(static_cast<std::size_t>(whole));
      for (std::size_t size = 0; size <= full.size() + 2; ++size) {
        std::vector<char> guarded(size + 2, '\x7f');
        char* buffer = guarded.data() + 1;
        ASSERT_EQ(moonfold_text(keyword, 2011, 3, 21, 9, 30, script, size ? buffer : nullptr, size),
                  whole);
        ASSERT_EQ(guarded.front(), '\x7f');
        ASSERT_EQ(guarded.back(), '\x7f') << keyword << " " << size;
        if (size == 0) continue;
        const std::string cut(buffer);
        ASSERT_LT(cut.size(), size);
        ASSERT_EQ(full.substr(0, cut.size()), cut);
        ASSERT_TRUE(ValidUtf8(cut)) << keyword << " " << size;
        ASSERT_GE(cut.size() + 4, std::min(size - 1, full.size()));  // at most a character short
      }
    }
  }
}

TEST(CInterface, EveryIdOfEveryKindHasANameInBothScripts) {
  const struct {
    int kind, first, count;
  } kKinds[]{
      {MOONFOLD_NAME_STEM, 0, 10},
      {MOONFOLD_NAME_BRANCH, 0, 12},
      {MOONFOLD_NAME_CYCLE, 0, 60},
      {MOONFOLD_NAME_ANIMAL, 0, 12},
      {MOONFOLD_NAME_WEEKDAY, 0, 7},
      {MOONFOLD_NAME_SOLAR_TERM, 0, 24},
      {MOONFOLD_NAME_STAR_SIGN, 0, 12},
      {MOONFOLD_NAME_LUNAR_MONTH, 1, 12},
      {MOONFOLD_NAME_LEAP_MONTH, 1, 12},
      {MOONFOLD_NAME_LUNAR_DAY, 1, 30},
      {MOONFOLD_NAME_COUNTDOWN_FESTIVAL, 0, 10},
      {MOONFOLD_NAME_SEASON_PERIOD, 1, 12},
      {MOONFOLD_NAME_PENTAD, 0, 72},
      {MOONFOLD_NAME_MOON_PHASE, 0, 8},
      {MOONFOLD_NAME_DUTY, 0, 12},
      {MOONFOLD_NAME_TWELVE_GOD, 0, 12},
      {MOONFOLD_NAME_MANSION, 0, 28},
      {MOONFOLD_NAME_DIRECTION, 0, 8},
      {MOONFOLD_NAME_QUARTER, 0, 4},
      {MOONFOLD_NAME_PENGZU_STEM, 0, 10},
      {MOONFOLD_NAME_PENGZU_BRANCH, 0, 12},
  };
  char buffer[128];
  for (const auto& k : kKinds) {
    for (int script = 0; script <= 1; ++script) {
      for (int id = k.first; id < k.first + k.count; ++id) {
        const int n = moonfold_name(k.kind, id, script, buffer, sizeof buffer);
        EXPECT_GT(n, 0) << k.kind << " " << id;
        EXPECT_TRUE(ValidUtf8(buffer));
      }
      EXPECT_EQ(moonfold_name(k.kind, k.first + k.count, script, buffer, sizeof buffer),
                MOONFOLD_ERROR_NAME)
          << k.kind;
    }
  }
  // The festival tables and the holidays end where their ids do.
  for (const int kind :
       {MOONFOLD_NAME_FIXED_FESTIVAL, MOONFOLD_NAME_WEEKDAY_FESTIVAL,
        MOONFOLD_NAME_LAST_WEEK_FESTIVAL, MOONFOLD_NAME_LUNAR_FESTIVAL, MOONFOLD_NAME_HOLIDAY}) {
    int id = 0;
    while (moonfold_name(kind, id, 1, buffer, sizeof buffer) > 0) ++id;
    EXPECT_GT(id, 0) << kind;
    EXPECT_EQ(moonfold_name(kind, id, 0, buffer, sizeof buffer), MOONFOLD_ERROR_NAME) << kind;
  }
  const struct {
    int kind, id, script;
    const char* name;
  } kNames[]{
      {MOONFOLD_NAME_CYCLE, 42, 0, "丙午"},     {MOONFOLD_NAME_LEAP_MONTH, 2, 0, "闰二"},
      {MOONFOLD_NAME_LEAP_MONTH, 2, 1, "閏二"}, {MOONFOLD_NAME_LUNAR_MONTH, 12, 0, "腊"},
      {MOONFOLD_NAME_LUNAR_DAY, 30, 0, "三十"}, {MOONFOLD_NAME_ANIMAL, 1, 1, "牛"},
      {MOONFOLD_NAME_BRANCH, 1, 1, "丑"},       {MOONFOLD_NAME_SOLAR_TERM, 4, 1, "驚蟄"},
      {MOONFOLD_NAME_HOLIDAY, 1, 0, "春节"},    {MOONFOLD_NAME_MANSION, 7, 1, "斗木獬"},
      {MOONFOLD_NAME_SEASON_PERIOD, 0, 0, ""},
  };
  for (const auto& c : kNames) {
    EXPECT_EQ(moonfold_name(c.kind, c.id, c.script, buffer, sizeof buffer),
              static_cast<int>(std::strlen(c.name)));
    EXPECT_STREQ(buffer, c.name);
  }
}

TEST(CInterface, EveryCodeHasItsMeaningAndTheVersionIsTheHeaders) {
  const moonfold_date first = DateOf(FirstDay()), last = DateOf(LastDay());
  char range[64];
  std::snprintf(range, sizeof range, "%04d-%02d-%02d \xE2\x80\xA6 %04d-%02d-%02d", first.year,
                first.month, first.day, last.year, last.month, last.day);
  EXPECT_NE(std::string(moonfold_strerror(MOONFOLD_ERROR_RANGE)).find(range), std::string::npos);
  std::vector<std::string> seen;
  for (int code = MOONFOLD_OK; code >= MOONFOLD_ERROR_LAST; --code) {
    const std::string text = moonfold_strerror(code);
    EXPECT_NE(text, moonfold_strerror(1)) << code;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), text), 0) << code;
    seen.push_back(text);
  }
  EXPECT_STREQ(moonfold_strerror(MOONFOLD_ERROR_LAST - 1), moonfold_strerror(INT_MIN));
  EXPECT_EQ(moonfold_version_number(), MOONFOLD_VERSION_NUMBER);
  EXPECT_EQ(std::string(moonfold_version()), std::to_string(MOONFOLD_VERSION_MAJOR) + "." +
                                                 std::to_string(MOONFOLD_VERSION_MINOR) + "." +
                                                 std::to_string(MOONFOLD_VERSION_PATCH));
}

TEST(CInterface, AnyThreadAtOnce) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      char buffer[64];
      moonfold_facts_t facts{};
      facts.size = sizeof facts;
      for (int day = 1; day <= 28; ++day) {
        const int n = moonfold_text("HEDAY", 2026, 2, day, 12, 0, t % 2, buffer, sizeof buffer);
        moonfold_lunar_date lunar{};
        if (n != 6 || moonfold_to_lunar(2026, 2, day, &lunar) != MOONFOLD_OK) ++wrong[t];
        if (moonfold_facts(2026, 2, day, 12, 0, &facts) != MOONFOLD_OK ||
            facts.lunar.day != lunar.day) {
          ++wrong[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
