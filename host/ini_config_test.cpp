#include "host/ini_config.h"
#include "common/utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace dashlight {
namespace {

TEST(IniConfig, ReadsSectionsKeysAndQuotedValues) {
  IniConfig config;
  std::string error;
  ASSERT_TRUE(
      IniConfig::Parse("\xEF\xBB\xBF; comment\r\n"
                       "[Lunar day]\r\n"
                       "Plugin = Moonfold\r\n"
                       "moonfold=LUNARDAY\r\n"
                       "Moonfold=SECOND\r\n"
                       "\n"
                       "# another comment\n"
                       "[月]\n"
                       "Moonfold=\" LUNARMONTH \"\n"
                       "Empty=\"\"\n"
                       "Blank=\n",
                       config, error))
      << error;
  ASSERT_EQ(config.Sections().size(), 2u);
  EXPECT_EQ(config.Sections()[0].name, u"Lunar day");
  EXPECT_EQ(*config.Find(u"Lunar day", u"PLUGIN"), u"Moonfold");
  EXPECT_EQ(*config.Find(u"Lunar day", u"Moonfold"), u"LUNARDAY");  // the first line wins
  EXPECT_EQ(*config.Find(u"月", u"Moonfold"), u" LUNARMONTH ");
  EXPECT_EQ(*config.Find(u"月", u"Empty"), u"");
  EXPECT_EQ(*config.Find(u"月", u"Blank"), u"");
  EXPECT_EQ(config.Find(u"月", u"Missing"), nullptr);
  EXPECT_EQ(config.Find(u"lunar day", u"Plugin"), nullptr);  // section names are exact
}

TEST(IniConfig, NamesTheLineOfAnError) {
  constexpr struct {
    std::string_view text, error;
  } kCases[]{
      {"Key=Value\n", "line 1: Key=Value before the first [Section]"},
      {"[A]\nno equals sign\n", "line 2: expected [Section] or Key=Value"},
      {"[A\n", "line 1: a section name needs its closing ']'"},
      {"[A]\n=value\n", "line 2: a key is missing before '='"},
      {"[A]\n[B]\n[A]\n", "line 3: section [A] appears twice"},
      // Once reported as a missing ']'.
      {"[A]x\n", "line 1: text after the closing ']' of the section name"},
      {"[A]\nMoonfold=LUNAR\xB0"
       "DAY\n",
       "line 2: not UTF-8 text; save the file as UTF-8"},
      {std::string_view("\xFF\xFE[\0A\0]\0", 8), "line 1: the file is UTF-16; save it as UTF-8"},
      {std::string_view("[A]\nK=\0V\n", 9), "line 2: the file is UTF-16; save it as UTF-8"},
  };
  for (const auto& c : kCases) {
    IniConfig config;
    std::string error;
    EXPECT_FALSE(IniConfig::Parse(c.text, config, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

// A configuration of a million one-line sections: the reader once compared
// every new section with all before it, and took minutes over such a file.
TEST(IniConfig, AMillionSectionsLoadInLinearTime) {
  constexpr int kSections = 1'000'000;
  std::string text;
  for (int i = 0; i < kSections; ++i) text += "[S" + std::to_string(i) + "]\nMoonfold=HEDAY\n";
  text += "[S7]\n";
  IniConfig config;
  std::string error;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(IniConfig::Parse(text, config, error));
  EXPECT_EQ(error, "line 2000001: section [S7] appears twice");
  text.resize(text.size() - 5);
  ASSERT_TRUE(IniConfig::Parse(text, config, error)) << error;
  for (int i = 0; i < kSections; i += 997) {
    ASSERT_NE(config.Find(u"S" + moonfold::Utf16FromUtf8(std::to_string(i)), u"moonfold"), nullptr);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("two loads of %d sections and %d look-ups: %.2f s\n", kSections, kSections / 997 + 1,
              seconds);
  EXPECT_EQ(config.Sections().size(), std::size_t{kSections});
  EXPECT_LT(seconds, 60.0) << "quadratic again?";
}

}  // namespace
}  // namespace dashlight
