// The moonfold command through its process: what it prints, and its exit
// status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "cli/moonfold_command.h"

namespace moonfold::cli {
namespace {

struct Output {
  int status;
  std::string out;
};

// Runs the command with a shell-quoted argument string; standard error is
// folded into the output after standard output when `with_stderr`.
Output RunCommand(const std::string& args, bool with_stderr = false) {
  const std::string command =
      std::string(MOONFOLD_COMMAND) + " " + args + (with_stderr ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string out;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(MoonfoldCommand, PrintsEveryTextOfADate) {
  const Output o = RunCommand("--date 2010-11-07T10:30");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "LUNARDAY\t初二\nLUNARMONTH\t十\nWEEKDAY\t日\nHEYEAR\t庚寅\nHEMONTH\t丁亥\n"
            "HEDAY\t辛酉\nHEHOUR\t巳\nSOLAR\t立冬\nCONSTELLATION\t天蝎座\n"
            "FEASTS\t十月社会主义革命纪念日\nFWEEKDAY\t\nFLASTWEEK\t\nFLUNARS\t\n"
            "TWELVEANIMALS\t虎\n");
}

TEST(MoonfoldCommand, OptionsAndTheirOutput) {
  const struct {
    const char* args;
    const char* out;
  } kCases[]{
      {"--date 2010-11-07 lunarmonth LUNARDAY", "十 初二\n"},
      {"--date=2023-03-22 LUNARMONTH LUNARDAY HEMONTH", "闰二 初一 乙卯\n"},
      {"--date 2010-11-07T23:30 HEHOUR HEDAY", "子 辛酉\n"},
      {"--date 2010-11-07 --format '{LUNARMONTH}月{LUNARDAY}'", "十月初二\n"},
      {"--date 2012-11-29 --format '[{flastweek}]'", "[感恩节(US) ]\n"},
      {"--date 2010-11-07 --format 'no placeholders'", "no placeholders\n"},
      {"--date 2011-02-02 --json FLUNARS SOLAR", "{\"FLUNARS\":\"除夕\",\"SOLAR\":\"\"}\n"},
      {"--date 2011-07-01 --json FEASTS",
       "{\"FEASTS\":\"中国共产党建党日 世界建筑日 香港回归日 亚洲\\\"三十亿人口日\\\"\"}\n"},
      {"--version", "moonfold 1001\n"},
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
}

TEST(MoonfoldCommand, RefusesWithExitStatus2) {
  const struct {
    const char* args;
    const char* err;
  } kCases[]{
      {"--date 1989-12-31", "Moonfold=  [本机日期不正确]\n"},
      {"--date 2051-01-01 LUNARDAY", "Moonfold=  [本机日期不正确]\n"},
      {"--month 2051-01", "Moonfold=  [本机日期不正确]\n"},
      {"--date 2010-11-07 LUNAR", "Moonfold=LUNAR 键值无效 [moonfold ].\n"},
      {"--date 2010-11-07 --format '{NOPE}'", "Moonfold=NOPE 键值无效 [moonfold ].\n"},
      {"--date 2010-02-30", nullptr},
      {"--date 2010-1-7", nullptr},
      {"--date", nullptr},
      {"--month 2023-3", nullptr},
      {"--bogus", nullptr},
      {"--month 2023-03 LUNARDAY", nullptr},
      {"--format x LUNARDAY", nullptr},
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args, true);
    EXPECT_EQ(o.status, 2) << c.args;
    if (c.err != nullptr) {
      EXPECT_EQ(o.out, c.err) << c.args;
    } else {
      EXPECT_EQ(o.out.rfind("usage: moonfold", 0), 0u) << c.args << ": " << o.out;
    }
  }
}

TEST(MoonfoldCommand, HelpListsEveryOptionAndKeyword) {
  const Output o = RunCommand("--help");
  EXPECT_EQ(o.status, 0);
  for (const char* word : {"--date", "--json", "--format", "--month", "--version", "LUNARDAY",
                           "TWELVEANIMALS", "FLUNARS"}) {
    EXPECT_NE(o.out.find(word), std::string::npos) << word;
  }
}

// A small JSON reader for what --json prints: one object of string values.
bool IsJsonObjectOfStrings(const std::string& text, std::size_t& keys) {
  std::size_t i = 0;
  const auto string = [&]() {
    if (i >= text.size() || text[i] != '"') return false;
    for (++i; i < text.size(); ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c == '"') return ++i, true;
      if (c < 0x20) return false;
      if (c == '\\') {
        if (++i >= text.size()) return false;
        if (text[i] == 'u') {
          if (i + 4 >= text.size()) return false;
          i += 4;
        } else if (std::string_view("\"\\/bfnrt").find(text[i]) == std::string_view::npos) {
          return false;
        }
      }
    }
    return false;
  };
  keys = 0;
  if (text.empty() || text[i++] != '{') return false;
  for (;;) {
    if (!string() || i >= text.size() || text[i++] != ':' || !string()) return false;
    ++keys;
    if (i < text.size() && text[i] == ',') {
      ++i;
      continue;
    }
    return text.substr(i) == "}\n";
  }
}

TEST(MoonfoldCommand, JsonIsValidOnEveryKindOfDay) {
  for (const char* date : {"2010-11-07", "2011-07-01", "2012-11-29", "2023-03-22", "1990-01-26"}) {
    const Output o = RunCommand(std::string("--json --date ") + date);
    EXPECT_EQ(o.status, 0) << date;
    std::size_t keys = 0;
    EXPECT_TRUE(IsJsonObjectOfStrings(o.out, keys)) << o.out;
    EXPECT_EQ(keys, 14u) << date;
  }
}

TEST(MoonfoldCommand, MonthWithALeapMonth) {
  const Output o = RunCommand("--month 2023-03");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "      2023年3月  癸卯年 兔\n"
            "日       一       二       三       四       五       六\n"
            "                           1        2        3        4\n"
            "                           初十     十一     花朝     十三\n"
            "5        6        7        8        9        10       11\n"
            "十四     惊蛰     十六     十七     十八     十九     二十\n"
            "12       13       14       15       16       17       18\n"
            "廿一     廿二     廿三     廿四     廿五     廿六     廿七\n"
            "19       20       21       22       23       24       25\n"
            "廿八     廿九     春分     闰二月   初二     初三     初四\n"
            "26       27       28       29       30       31\n"
            "初五     初六     初七     初八     初九     初十\n");
}

TEST(MoonfoldCommand, FebruaryOfALeapYear) {
  const Output o = RunCommand("--month 2024-02");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("29"), std::string::npos);
  EXPECT_EQ(o.out.find("30"), std::string::npos);
  EXPECT_NE(o.out.find("除夕"), std::string::npos);  // 2024-02-09
  EXPECT_NE(o.out.find("春节"), std::string::npos);  // 2024-02-10
  EXPECT_NE(o.out.find("元宵节"), std::string::npos);  // shortened from 元宵(上元)节
  EXPECT_NE(o.out.find("立春"), std::string::npos);
  // Five weeks: February 2024 starts on a Thursday.
  EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 2 + 2 * 5);
}

TEST(MonthGrid, HighlightsTodayOnATerminalOnly) {
  LocalDateRecord today;
  today.year = 2023;
  today.month = 3;
  today.day = 22;
  const Result terminal = cli::Run({"--month", "2023-03"}, {today, true});
  EXPECT_NE(terminal.out.find("\x1b[7m22      \x1b[0m"), std::string::npos) << terminal.out;
  EXPECT_NE(terminal.out.find("\x1b[7m闰二月  \x1b[0m"), std::string::npos) << terminal.out;
  EXPECT_EQ(cli::Run({"--month", "2023-03"}, {today, false}).out.find('\x1b'), std::string::npos);
  EXPECT_EQ(cli::Run({"--month", "2023-04"}, {today, true}).out.find('\x1b'), std::string::npos);
}

TEST(DisplayWidth, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayWidth(u"初二"), 4);
  EXPECT_EQ(DisplayWidth(u"感恩节(US)"), 10);
  EXPECT_EQ(DisplayWidth(u"12"), 2);
}

}  // namespace
}  // namespace moonfold::cli
