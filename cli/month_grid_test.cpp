// The month grids of the command, as a terminal shows them.
#include <gtest/gtest.h>

#include <iterator>

#include "cli/command_test_support.h"

namespace moonfold::cli {
namespace {

// The first day of every lunar month shows the month's name right after
// its number, and its festival or term below; day numbers stand at the
// cell's left, right-aligned in two columns, and the title is centred, as
// `cal` draws them.
TEST(MoonfoldCommand, MonthGrids) {
  const struct {
    const char* args;
    const char* out;
  } kCases[]{
      {"--month 2023-03",
       "                            2023年3月  癸卯年 兔\n"
       "日         一         二         三         四         五         六\n"
       "                                  1          2          3          4\n"
       "                                 初十       十一       花朝       十三\n"
       " 5          6          7          8          9         10         11\n"
       "十四       惊蛰       十六       十七       十八       十九       二十\n"
       "12         13         14         15         16         17         18\n"
       "廿一       廿二       廿三       廿四       廿五       廿六       廿七\n"
       "19         20         21         22闰二月   23         24         25\n"
       "廿八       廿九       春分       初一       初二       初三       初四\n"
       "26         27         28         29         30         31\n"
       "初五       初六       初七       初八       初九       初十\n"},
      // The title names both lunar years when the month holds a new year;
      // 正月 shows on 春节; the days off of 春节 are marked 休, the Sundays
      // worked for them 班.
      {"--month 2024-2",
       "                      2024年2月  癸卯年 兔 / 甲辰年 龙\n"
       "日         一         二         三         四         五         六\n"
       "                                             1          2          3\n"
       "                                            廿二       北方小年   小年\n"
       " 4班        5          6          7          8          9         10休正月\n"
       "立春       廿六       廿七       廿八       廿九       除夕       春节\n"
       "11休       12休       13休       14休       15休       16休       17休\n"
       "大年初二   大年初三   初四       初五       初六       人日       初八\n"
       "18班       19         20         21         22         23         24\n"
       "初九       雨水       十一       十二       十三       十四       元宵节\n"
       "25         26         27         28         29\n"
       "十六       十七       十八       十九       二十\n"},
      // 腊月 after the leap eleventh month begins on 大寒; weeks from Monday.
      {"--month 2034-01 --monday",
       "                            2034年1月  癸丑年 牛\n"
       "一         二         三         四         五         六         日\n"
       "                                                                   1\n"
       "                                                                  十一\n"
       " 2          3          4          5          6          7          8\n"
       "十二       十三       十四       小寒       十六       十七       十八\n"
       " 9         10         11         12         13         14         15\n"
       "十九       二十       廿一       廿二       廿三       廿四       廿五\n"
       "16         17         18         19         20腊月     21         22\n"
       "廿六       廿七       廿八       廿九       大寒       初二       初三\n"
       "23         24         25         26         27         28         29\n"
       "初四       初五       初六       初七       腊八节     初九       初十\n"
       "30         31\n"
       "十一       十二\n"},
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
  // The range begins on 1645-01-28: the month before is left out, and the
  // days of January before the 28th have their numbers only.
  const Result first = cli::Run({"--month", "1645-01", "-3"}, At(2024, 2, 10, false));
  EXPECT_EQ(first.out.find("1644"), std::string::npos);
  EXPECT_NE(first.out.find("1645年2月"), std::string::npos);
  EXPECT_NE(first.out.find("22   23   24   25   26   27   28+    19"), std::string::npos);
  EXPECT_NE(first.out.find("\n                              春节   廿三"), std::string::npos);
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
  // Narrower than the narrowest grid: nothing drawn, the width it needs said.
  for (const auto& [args, err] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--month"},
            "moonfold: 33 columns — a month's grid needs 34 (COLUMNS sets the width)\n"},
           {{"-3", "-w"},
            "moonfold: 33 columns — a month's grid needs 37 (COLUMNS sets the width)\n"}}) {
    const Result r = cli::Run(args, At(2027, 8, 8, false, 33));
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, err);
  }
}

// A year stands three months a row where they fit, two at 80 columns,
// in cells of two characters where need be, as `cal`'s year does.
TEST(MonthGrid, AYearIsAsDenseAsTheTerminalAllows) {
  const auto lines_and_first = [](int columns) {
    const Result r = cli::Run({"--month", "2027"}, At(2027, 8, 8, false, columns));
    return std::pair{std::count(r.out.begin(), r.out.end(), '\n'),
                     r.out.substr(0, r.out.find('\n'))};
  };
  const auto [at80, first80] = lines_and_first(80);
  EXPECT_NE(first80.find("2027年2月"), std::string::npos);
  EXPECT_EQ(first80.find("2027年3月"), std::string::npos);
  EXPECT_LE(at80, 6 * 14 + 5);
  const auto [at120, first120] = lines_and_first(120);
  EXPECT_NE(first120.find("2027年3月"), std::string::npos);
  EXPECT_LE(at120, 4 * 14 + 3);
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
  EXPECT_NE(one.out.find(" 8+"), std::string::npos) << one.out;
  EXPECT_NE(one.out.find("重阳节"), std::string::npos) << one.out;
  // The festival of a term is not shown twice.
  const Result qingming = cli::Run({"--month", "2024-04"}, At(2011, 4, 1, false, 80));
  EXPECT_EQ(qingming.out.find("清明节 清明"), std::string::npos);
  EXPECT_NE(qingming.out.find("清明节"), std::string::npos);
  // Where the cell has room for two characters only, the term stands in
  // for its festival's longer name: at every width, and in the year view.
  for (const int columns : {34, 40, 60, 80, 120}) {
    for (const char* month : {"2026-04", "2026-12"}) {
      const Result r = cli::Run({"--month", month}, At(2011, 4, 1, false, columns));
      EXPECT_TRUE(r.out.find("清明") != std::string::npos ||
                  r.out.find("冬至") != std::string::npos)
          << month << " at " << columns << " columns:\n"
          << r.out;
    }
    const Result year = cli::Run({"--month", "2027"}, At(2011, 4, 1, false, columns));
    EXPECT_NE(year.out.find("清明"), std::string::npos) << columns;
    EXPECT_NE(year.out.find("冬至"), std::string::npos) << columns;
  }
}

// Every mark stands right after its own day's number: on the number lines
// each word begins with a day's number (or is a week number), so no 休, 班,
// + or lunar month's name stands alone nearer another day; and the grid
// shows as many 休 and 班 as the months hold.  2026-02-18 holds 大年初二
// and 雨水: its + stays beside 休 wherever the cell has a column for it.
TEST(MonthGrid, MarksStandByTheirOwnDay) {
  using namespace std::chrono_literals;
  const struct {
    std::vector<std::string> args;
    std::vector<std::chrono::year_month> months;
    int columns;
    bool plus_on_18th;
  } kCases[]{
      {{"--month", "2026-02"}, {2026y / 2}, 80, true},
      {{"--month", "2026-02", "-w"}, {2026y / 2}, 80, true},
      {{"--month", "2026-02", "-w", "--monday", "--script", "hant"}, {2026y / 2}, 80, true},
      {{"--month", "2026-02"}, {2026y / 2}, 37, false},
      {{"--month", "2026-02", "-3"}, {2026y / 1, 2026y / 2, 2026y / 3}, 240, true},
      {{"--month", "2026-02", "-3", "-w"}, {2026y / 1, 2026y / 2, 2026y / 3}, 120, false},
      {{"--month", "2026"}, {}, 80, false},
      {{"--month", "2026", "--script", "hant"}, {}, 240, true},
      {{"--month", "2026", "-w", "--monday"}, {}, 120, false},
  };
  for (const auto& c : kCases) {
    std::vector<std::chrono::year_month> months = c.months;
    if (months.empty())
      for (unsigned m = 1; m <= 12; ++m) months.push_back(2026y / std::chrono::month{m});
    int days_off = 0, make_up_days = 0;
    for (const auto ym : months) {
      for (auto d = std::chrono::sys_days{ym / 1};
           d <= std::chrono::sys_days{ym / std::chrono::last}; d += std::chrono::days{1}) {
        const DayStatus status = OfficialDayOf(kBuiltInArrangement, d).status;
        days_off += status == DayStatus::kDayOff;
        make_up_days += status == DayStatus::kMakeUpWork;
      }
    }
    const Result r = cli::Run(c.args, At(2026, 2, 10, false, c.columns));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string what = Joined(c.args, " ") + " at " + std::to_string(c.columns);
    int off_marks = 0, make_up_marks = 0;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::vector<std::string> all{std::istream_iterator<std::string>(words), {}};
      const bool numbers = std::any_of(all.begin(), all.end(), [](const std::string& w) {
        return std::isdigit(static_cast<unsigned char>(w[0])) && w.find("年") == std::string::npos;
      });
      for (const std::string& w : all) {
        if (numbers) {
          EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(w[0]))) << what << ": " << line;
        }
        off_marks += w.find("休") != std::string::npos;
        make_up_marks += w.find("班") != std::string::npos;
      }
    }
    EXPECT_EQ(off_marks, days_off) << what;
    EXPECT_EQ(make_up_marks, make_up_days) << what;
    EXPECT_EQ(r.out.find("18休+") != std::string::npos, c.plus_on_18th) << what << '\n' << r.out;
  }
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
  EXPECT_NE(r.out.find("\x1b[7m22闰二月  \x1b[0m"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\x1b[7m初一      \x1b[0m"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace moonfold::cli
