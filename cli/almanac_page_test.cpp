// The almanac through the command: the seven texts of every day the second
// engine reckons, and the page of a day in both forms.
#include <gtest/gtest.h>

#include "cli/command_test_support.h"
#include "input/dates.h"
#include "tests/support/reference_data.h"

namespace moonfold::cli {
namespace {

TEST(Almanac, TheSevenTextsOfEverySampledDayThroughTheCommand) {
  std::string templ;
  for (const char16_t* keyword : testing::kAlmanacKeywords) {
    templ += (templ.empty() ? "{" : "\t{") + Utf8FromUtf16(keyword) + "}";
  }
  int mismatches = 0;
  for (const testing::AlmanacReferenceDay& r : testing::AlmanacReferenceDays()) {
    const std::string date = testing::DateText(r.year, r.month, r.day);
    std::string expected;
    for (const std::u16string& text : r.texts)
      expected += (expected.empty() ? "" : "\t") + Utf8FromUtf16(text);
    const Result result = cli::Run({"--date", date, "--format", templ}, Environment{});
    if (result.out != expected + "\n" && ++mismatches <= 10) {
      ADD_FAILURE() << date << ": " << result.out << result.err << "expected " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(Almanac, ThePageOfADay) {
  const Output page = RunCommand("--almanac 2026-12-08", true);
  EXPECT_EQ(page.status, 0);
  EXPECT_EQ(page.out,
            "2026-12-08  周二  民国115年  农历丙午年十月三十\n"
            "丙午年 庚子月 丙辰日  属马\n"
            "鹖鴠不鸣  残月\n"
            "\n"
            "建除      定\n"
            "值神      天牢(黑道)\n"
            "星宿      翼火蛇 凶\n"
            "冲煞      冲狗(庚戌)煞南\n"
            "彭祖百忌  丙不修灶必见灾殃 辰不哭泣必主重丧\n"
            "方位      喜神西南 财神西南\n"
            "吉时      寅 辰 巳 申 酉 亥\n"
            "时辰      子 天牢 黑道  丑 玄武 黑道  寅 司命 黄道  卯 勾陈 黑道  辰 青龙 黄道\n"
            "          巳 明堂 黄道  午 天刑 黑道  未 朱雀 黑道  申 金匮 黄道  酉 天德 黄道\n"
            "          戌 白虎 黑道  亥 玉堂 黄道\n");
  // The heading's year turns on the day of 立春 and its month on the day of
  // each 节, as the page's items count them; the Qing calendar's years give
  // the date as it was written.
  for (const auto& [day, heading] :
       {std::pair{"2026-02-03", "2026-02-03  周二  民国115年  农历乙巳年腊月十六\n乙巳年 己丑月 "},
        {"2026-02-04", "2026-02-04  周三  民国115年  农历乙巳年腊月十七\n丙午年 庚寅月 "},
        {"2026-12-07", "2026-12-07  周一  民国115年  农历丙午年十月廿九\n丙午年 庚子月 "},
        {"1911-10-10", "1911-10-10  周二  农历辛亥年八月十九  宣统三年八月十九\n辛亥年 戊戌月 "},
        {"1645-01-28", "1645-01-28  周六  农历乙酉年正月初一  顺治二年正月初一\n甲申年 丁丑月 "}}) {
    EXPECT_EQ(
        RunCommand(std::string("--almanac ") + day).out.substr(0, std::string(heading).size()),
        heading)
        << day;
  }
  // 春节 of 2026 in traditional characters: the term's day off and the nines.
  const Output hant = RunCommand("--almanac 2026-02-17 --script hant");
  EXPECT_NE(hant.out.find("魚陟負冰  新月  七九第5天  春節 休\n"), std::string::npos) << hant.out;
  EXPECT_NE(hant.out.find("沖煞      沖龍(丙辰)煞北\n"), std::string::npos) << hant.out;
  // Every width: no line wider than the terminal down to the page's words.
  for (const int columns : {30, 33, 80, 120}) {
    Environment e;
    e.terminal_columns = columns;
    const Result result = cli::Run({"--almanac", "2026-02-17"}, e);
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);)
      EXPECT_LE(DisplayWidth(line), columns) << line;
  }
  const Output json =
      RunShell(std::string(MOONFOLD_COMMAND) +
               " --almanac 2026-12-08 --json | /usr/bin/python3 -c 'import json,sys; "
               "d=json.load(sys.stdin); print(d[\"clash\"], len(d[\"hours\"]), "
               "d[\"hours\"][2][\"god\"], d[\"mansion_luck\"])'");
  EXPECT_EQ(json.out, "冲狗(庚戌)煞南 12 司命 凶\n");
  const Output outside = RunCommand("--almanac 2101-01-01", true);
  EXPECT_EQ(outside.status, 2);
  EXPECT_EQ(outside.out,
            "moonfold: --almanac 2101-01-01 — outside the supported range " + RangeText() + "\n");
  EXPECT_EQ(RunCommand("--almanac 2026-12-08 --year 2026", true).out,
            "moonfold: --almanac and --year — cannot be used together\n");
}

}  // namespace
}  // namespace moonfold::cli
