#include "host/ini_config.h"

#include <gtest/gtest.h>

namespace dashlight {
namespace {

TEST(IniConfig, ReadsSectionsKeysAndQuotedValues) {
  IniConfig config;
  std::string error;
  ASSERT_TRUE(IniConfig::Parse("\xEF\xBB\xBF; comment\r\n"
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
  };
  for (const auto& c : kCases) {
    IniConfig config;
    std::string error;
    EXPECT_FALSE(IniConfig::Parse(c.text, config, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace dashlight
