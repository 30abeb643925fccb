// The month grids of the command, as a terminal shows them.
#include <gtest/gtest.h>

#include "cli/command_test_support.h"

namespace moonfold::cli {
namespace {

// The first day of every lunar month shows the month's name beside its
// number, and its festival or term below; day numbers are right-aligned
// and the title centred, as `cal` draws them.
TEST(MoonfoldCommand, MonthGrids) {
  const struct {
    const char* args;
    const char* out;
  } kCases[]{
      {"--month 2023-03",
       "                            2023年3月  癸卯年 兔\n"
       "        日         一         二         三         四         五         六\n"
       "                                          1          2          3          4\n"
       "                                       初十       十一       花朝       十三\n"
       "         5          6          7          8          9         10         11\n"
       "      十四       惊蛰       十六       十七       十八       十九       二十\n"
       "        12         13         14         15         16         17         18\n"
       "      廿一       廿二       廿三       廿四       廿五       廿六       廿七\n"
       "        19         20         21 闰二月  22         23         24         25\n"
       "      廿八       廿九       春分       初一       初二       初三       初四\n"
       "        26         27         28         29         30         31\n"
       "      初五       初六       初七       初八       初九       初十\n"},
      // The title names both lunar years when the month holds a new year;
      // 正月 shows on 春节; the days off of 春节 are marked 休, the Sundays
      // worked for them 班.
      {"--month 2024-2",
       "                      2024年2月  癸卯年 兔 / 甲辰年 龙\n"
       "        日         一         二         三         四         五         六\n"
       "                                                     1          2          3\n"
       "                                                  廿二   北方小年       小年\n"
       "班       4          5          6          7          8          9 正月  休10\n"
       "      立春       廿六       廿七       廿八       廿九       除夕       春节\n"
       "休      11 休      12 休      13 休      14 休      15 休      16 休      17\n"
       "  大年初二   大年初三       初四       初五       初六       人日       初八\n"
       "班      18         19         20         21         22         23         24\n"
       "      初九       雨水       十一       十二       十三       十四     元宵节\n"
       "        25         26         27         28         29\n"
       "      十六       十七       十八       十九       二十\n"},
      // 腊月 after the leap eleventh month begins on 大寒; weeks from Monday.
      {"--month 2034-01 --monday",
       "                            2034年1月  癸丑年 牛\n"
       "        一         二         三         四         五         六         日\n"
       "                                                                           1\n"
       "                                                                        十一\n"
       "         2          3          4          5          6          7          8\n"
       "      十二       十三       十四       小寒       十六       十七       十八\n"
       "         9         10         11         12         13         14         15\n"
       "      十九       二十       廿一       廿二       廿三       廿四       廿五\n"
       "        16         17         18         19 腊月    20         21         22\n"
       "      廿六       廿七       廿八       廿九       大寒       初二       初三\n"
       "        23         24         25         26         27         28         29\n"
       "      初四       初五       初六       初七     腊八节       初九       初十\n"
       "        30         31\n"
       "      十一       十二\n"},
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
}

TEST(MoonfoldCommand, FebruaryOfALeapYear) {
  const Output o = RunCommand("--month 2024-02");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("29"), std::string::npos);
  EXPECT_EQ(o.out.find("30"), std::string::npos);
  EXPECT_NE(o.out.find("元宵节"), std::string::npos);  // shortened from 元宵(上元)节
  // Five weeks: February 2024 starts on a Thursday.
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 2 + 2 * 5);
}

TEST(MonthGrid, ThreeMonthsSideBySideWhenTheyFitElseOneUnderAnother) {
  const auto first_line = [](const std::string& s) { return s.substr(0, s.find('\n')); };
  // Wide cells at 240 columns, cells of two characters at 120; at 80 the
  // months stand one under another.
  for (const int columns : {240, 120}) {
    const Result r = cli::Run({"-3"}, At(2024, 2, 10, true, columns));
    EXPECT_NE(first_line(r.out).find("2024年1月"), std::string::npos) << columns;
    EXPECT_NE(first_line(r.out).find("2024年3月"), std::string::npos) << columns;
  }
  const Result narrow = cli::Run({"-3"}, At(2024, 2, 10, true, 80));
  EXPECT_EQ(first_line(narrow.out).find("2024年3月"), std::string::npos);
  EXPECT_NE(narrow.out.find("\n\n"), std::string::npos);  // a blank line between months
  EXPECT_NE(narrow.out.find("2024年3月"), std::string::npos);
  // The range ends in 1900-01: its neighbour before is left out.
  const Result first = cli::Run({"--month", "1900-01", "-3"}, At(2024, 2, 10, false));
  EXPECT_EQ(first.out.find("1899"), std::string::npos);
  EXPECT_NE(first.out.find("1900年2月"), std::string::npos);
}

// No line is wider than the terminal, whatever is asked (CJK characters
// take two columns), and every day of the month is there.
TEST(MonthGrid, FitsTheTerminal) {
  const std::vector<std::vector<std::string>> kAsks{{"--month", "2027-08"},
                                                    {"--month", "2027-08", "-3"},
                                                    {"--month", "2027"},
                                                    {"--month", "2027", "-w", "--monday"},
                                                    {"--month", "2024-02", "-3", "-w"}};
  for (const int columns : {37, 60, 80, 120, 240}) {
    for (const auto& ask : kAsks) {
      const Result r = cli::Run(ask, At(2027, 8, 8, false, columns));
      ASSERT_EQ(r.exit_code, 0) << r.err;
      std::istringstream lines(r.out);
      std::string line;
      while (std::getline(lines, line)) {
        EXPECT_LE(DisplayWidth(line), columns) << columns << ' ' << ask.back() << ": " << line;
      }
      EXPECT_NE(r.out.find(" 31"), std::string::npos) << columns << ' ' << ask.back();
    }
  }
}

TEST(MonthGrid, AWholeYearAndWeekNumbers) {
  const Result wide = cli::Run({"--month", "2027"}, At(2027, 8, 8, false, 240));
  const std::string first = wide.out.substr(0, wide.out.find('\n'));
  EXPECT_NE(first.find("2027年1月"), std::string::npos);
  EXPECT_NE(first.find("2027年3月"), std::string::npos);
  for (const char* month : {"2027年4月", "2027年12月"})
    EXPECT_NE(wide.out.find(month), std::string::npos);
  // ISO weeks: 2027-01-01, a Friday, is in week 53 of 2026; the Monday
  // after begins week 1.
  const Result weeks =
      cli::Run({"--month", "2027-01", "-w", "--monday"}, At(2027, 8, 8, false, 80));
  std::istringstream lines(weeks.out);
  std::string line;
  std::vector<std::string> rows;
  while (std::getline(lines, line)) rows.push_back(line);
  ASSERT_GE(rows.size(), 6u);
  EXPECT_EQ(rows[2].substr(0, 3), "53 ");
  EXPECT_EQ(rows[4].substr(0, 3), " 1 ");
  EXPECT_EQ(cli::Run({"--month", "2027", "-3"}, At(2027, 8, 8)).err,
            "moonfold: --month 2027 and -3 — a whole year has no months around it\n");
}

// A day that holds a festival and a solar term shows both where the cell
// holds them, else the festival (what people keep) and a + by the number.
TEST(MonthGrid, NothingADayHoldsIsHidden) {
  const Result both = cli::Run({"--month", "2011-04"}, At(2011, 4, 1, false, 80));
  EXPECT_NE(both.out.find("上巳 清明"), std::string::npos) << both.out;
  const Result one = cli::Run({"--month", "2027-10"}, At(2011, 4, 1, false, 80));
  EXPECT_NE(one.out.find("+        8"), std::string::npos) << one.out;
  EXPECT_NE(one.out.find("重阳节"), std::string::npos) << one.out;
  // The festival of a term is not shown twice.
  const Result qingming = cli::Run({"--month", "2024-04"}, At(2011, 4, 1, false, 80));
  EXPECT_EQ(qingming.out.find("清明节 清明"), std::string::npos);
  EXPECT_NE(qingming.out.find("清明节"), std::string::npos);
}

TEST(MonthGrid, HighlightsTodayOnlyWhereColourIsWanted) {
  const std::string reverse = "\x1b[7m";
  const struct {
    std::vector<std::string> args;
    bool terminal, no_color, dumb, can_highlight, highlighted;
  } kCases[]{
      {{"--month"}, true, false, false, true, true},
      {{"--month"}, false, false, false, true, false},
      {{"--month"}, true, true, false, true, false},    // NO_COLOR
      {{"--month"}, true, false, true, true, false},    // TERM=dumb
      {{"--month"}, true, false, false, false, false},  // a console without escape codes
      {{"--month", "--color=never"}, true, false, false, true, false},
      {{"--month", "--color=always"}, false, true, false, true, true},
      {{"--month", "--color"}, false, false, false, true, true},
      {{"--month", "--color=auto"}, false, false, false, true, false},
      {{"--month", "2023-04"}, true, false, false, true, false},  // not this month
  };
  for (const auto& c : kCases) {
    Environment e = At(2023, 3, 22, c.terminal);
    e.no_color = c.no_color;
    e.dumb_terminal = c.dumb;
    e.can_highlight = c.can_highlight;
    const Result r = cli::Run(c.args, e);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out.find(reverse) != std::string::npos, c.highlighted) << c.args.back();
  }
  const Result r = cli::Run({"--month"}, At(2023, 3, 22));
  EXPECT_NE(r.out.find("\x1b[7m闰二月  22\x1b[0m"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\x1b[7m      初一\x1b[0m"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace moonfold::cli
