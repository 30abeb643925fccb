// The almanac page's texts: against a second engine on every sampled day,
// the examples of the two scripts, and the names against the almanac's
// own tables (tools/data/almanac.tsv).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "cycles/almanac.h"
#include "tests/support/reference_data.h"
#include "texts/kinds.h"
#include "texts/names_simplified.h"

namespace moonfold {
namespace {

std::u16string TextOf(std::u16string_view keyword, int y, unsigned m, unsigned d, Script script) {
  const auto facts = FactsOf(WallTime(std::chrono::year{y} / m / d, 12));
  return KindText(*KindOfKeyword(keyword), *facts, script);
}

TEST(AlmanacTexts, EverySampledDayAsTheSecondEngineReckonsIt) {
  int mismatches = 0;
  for (const testing::AlmanacReferenceDay& r : testing::AlmanacReferenceDays()) {
    for (std::size_t k = 0; k < std::size(testing::kAlmanacKeywords); ++k) {
      const std::u16string got =
          TextOf(testing::kAlmanacKeywords[k], r.year, r.month, r.day, Script::kSimplified);
      if (got != r.texts[k] && ++mismatches <= 20) {
        ADD_FAILURE() << testing::DateText(r.year, r.month, r.day) << ' '
                      << Utf8FromUtf16(testing::kAlmanacKeywords[k]) << ": " << Utf8FromUtf16(got)
                      << ", expected " << Utf8FromUtf16(r.texts[k]);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(AlmanacTexts, TheTwoExampleDaysInBothScripts) {
  const struct {
    int y;
    unsigned m, d;
    const char16_t* keyword;
    const char16_t* simplified;
    const char16_t* traditional;
  } kCases[]{
      {2026, 12, 8, u"DUTY", u"定", u"定"},
      {2026, 2, 17, u"DUTY", u"成", u"成"},
      {2026, 12, 8, u"DAYGOD", u"天牢(黑道)", u"天牢(黑道)"},
      {2026, 2, 17, u"DAYGOD", u"司命(黄道)", u"司命(黃道)"},
      {2026, 12, 8, u"MANSION", u"翼火蛇", u"翼火蛇"},
      {2026, 2, 17, u"MANSION", u"室火猪", u"室火豬"},
      {2026, 12, 8, u"CLASH", u"冲狗(庚戌)煞南", u"沖狗(庚戌)煞南"},
      {2026, 2, 17, u"CLASH", u"冲龙(丙辰)煞北", u"沖龍(丙辰)煞北"},
      {2026, 12, 8, u"PENGZU", u"丙不修灶必见灾殃 辰不哭泣必主重丧",
       u"丙不修灶必見災殃 辰不哭泣必主重喪"},
      {2026, 2, 17, u"PENGZU", u"壬不泱水更难提防 戌不吃犬作怪上床",
       u"壬不泱水更難提防 戌不吃犬作怪上床"},
      {2026, 12, 8, u"DIRECTIONS", u"喜神西南 财神西南", u"喜神西南 財神西南"},
      {2026, 2, 17, u"DIRECTIONS", u"喜神正南 财神正南", u"喜神正南 財神正南"},
      {2026, 12, 8, u"LUCKYHOURS", u"寅 辰 巳 申 酉 亥", u"寅 辰 巳 申 酉 亥"},
      {2026, 2, 17, u"LUCKYHOURS", u"寅 辰 巳 申 酉 亥", u"寅 辰 巳 申 酉 亥"},
      // Traditional forms the review settled: 丑 stays 丑, 斗 the Dipper,
      // 凶 and 沖, 勾陳, 金匱, 閉.
      {2026, 12, 10, u"PENGZU", u"戊不受田田主不祥 午不苫盖屋主更张",
       u"戊不受田田主不祥 午不苫蓋屋主更張"},
      {2027, 1, 22, u"PENGZU", u"辛不合酱主人不尝 丑不冠带主不还乡",
       u"辛不合醬主人不嘗 丑不冠帶主不還鄉"},
      {2026, 12, 17, u"MANSION", u"斗木獬", u"斗木獬"},
      {2026, 12, 18, u"MANSION", u"牛金牛", u"牛金牛"},
      {2026, 12, 9, u"MANSION", u"轸水蚓", u"軫水蚓"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(TextOf(c.keyword, c.y, c.m, c.d, Script::kSimplified), c.simplified)
        << Utf8FromUtf16(c.keyword) << ' ' << c.m << '-' << c.d;
    EXPECT_EQ(TextOf(c.keyword, c.y, c.m, c.d, Script::kTraditional), c.traditional)
        << Utf8FromUtf16(c.keyword) << ' ' << c.m << '-' << c.d;
  }
  // The officer 閉 and the gods 勾陳, 金匱 and 青龍.
  const texts::ScriptNames& hant = texts::NamesOf(Script::kTraditional);
  EXPECT_EQ(hant.duty_officers[11], u"閉");
  EXPECT_EQ(hant.twelve_gods[11], u"勾陳");
  EXPECT_EQ(hant.twelve_gods[4], u"金匱");
  EXPECT_EQ(hant.labels.yellow_path, u"黃道");
  EXPECT_EQ(hant.twelve_gods[0], u"青龍");
}

// The sections of the almanac's record: section -> its rows' fields.
std::map<std::string, std::vector<std::vector<std::string>>> AlmanacRecord() {
  std::ifstream file(std::string(MOONFOLD_SOURCE_DIR) + "/tools/data/almanac.tsv");
  std::map<std::string, std::vector<std::vector<std::string>>> sections;
  std::string line, section;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
    sections[section].push_back(fields);
  }
  return sections;
}

template <typename Table>
void ExpectColumn(const std::vector<std::vector<std::string>>& rows, std::size_t column,
                  const Table& names) {
  ASSERT_EQ(rows.size(), names.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][column], Utf8FromUtf16(names[i])) << i;
  }
}

TEST(AlmanacTexts, TheNamesAndRulesAreTheAlmanacsTables) {
  const auto record = AlmanacRecord();
  const texts::ScriptNames& n = texts::kSimplifiedNames;
  ExpectColumn(record.at("duty"), 1, n.duty_officers);
  ExpectColumn(record.at("god"), 1, n.twelve_gods);
  ExpectColumn(record.at("mansion"), 1, n.mansions);
  ExpectColumn(record.at("pengzu_stem"), 1, n.pengzu_stems);
  ExpectColumn(record.at("pengzu_branch"), 1, n.pengzu_branches);
  for (unsigned g = 0; g < 12; ++g) {
    EXPECT_EQ(record.at("god")[g][2], IsYellowPath(g) ? "黄道" : "黑道") << g;
    // 青龙 on the branch the table names for each month (or day) branch.
    EXPECT_EQ(record.at("god_start")[g][1], Utf8FromUtf16(n.branches[(8 + 2 * g) % 12])) << g;
    EXPECT_EQ(TwelveGod((8 + 2 * g) % 12, g), 0u) << g;
    const unsigned sha = static_cast<unsigned>(ClashOf({g}).sha);
    EXPECT_EQ(record.at("sha")[g][1], Utf8FromUtf16(n.quarters[sha])) << g;
  }
  for (unsigned m = 0; m < 28; ++m) {
    EXPECT_EQ(record.at("mansion")[m][2], kMansionIsLucky[m] ? "吉" : "凶") << m;
  }
  for (unsigned s = 0; s < 10; ++s) {
    const auto& row = record.at("directions")[s];
    EXPECT_EQ(row[1], Utf8FromUtf16(n.directions[static_cast<std::size_t>(JoyGodOf(s))])) << s;
    EXPECT_EQ(row[2], Utf8FromUtf16(n.directions[static_cast<std::size_t>(WealthGodOf(s))])) << s;
  }
}

}  // namespace
}  // namespace moonfold
