// The moonfold command through its process: what it prints, and its exit
// status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <map>
#include <set>
#include <string>

#include "cli/icalendar.h"
#include "cli/moonfold_command.h"
#include "cli/text_stream.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "lunar/lunar_calendar.h"
#include "tests/support/reference_data.h"
#include "tests/support/season_scan.h"
#include "texts/kinds.h"

namespace moonfold::cli {
namespace {

using namespace std::string_literals;

struct Output {
  int status;
  std::string out;
};

// Runs a shell command line and reads its standard output.
Output RunShell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string out;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Runs the command with a shell-quoted argument string; standard error is
// folded into the output after standard output when `with_stderr`.
Output RunCommand(const std::string& args, bool with_stderr = false) {
  return RunShell(std::string(MOONFOLD_COMMAND) + " " + args +
                  (with_stderr ? " 2>&1" : " 2>/dev/null"));
}

TEST(MoonfoldCommand, PrintsEveryTextOfADate) {
  const Output o = RunCommand("--date 2010-11-07T10:30");
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.out,
            "DATE\t2010-11-07\n"
            "LUNARDAY\t初二\nLUNARMONTH\t十\nWEEKDAY\t日\nHEYEAR\t庚寅\nHEMONTH\t丁亥\n"
            "HEDAY\t辛酉\nHEHOUR\t巳\nSOLAR\t立冬\nCONSTELLATION\t天蝎座\n"
            "FEASTS\t十月社会主义革命纪念日\nFWEEKDAY\t\nFLASTWEEK\t\nFLUNARS\t\n"
            "TWELVEANIMALS\t虎\nCOUNTDOWN\t距冬至还有45天\nNEXTTERM\t距小雪还有15天\n"
            "HOLIDAY\t\nDAYOFF\t\nSEASONDAYS\t\nPENTAD\t水始冰\nPILLARS\t庚寅 丙戌 辛酉 癸巳\n"
            "MOONPHASE\t蛾眉月\n");
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
      // Machine output carries no blank at either end of a text.
      // The four pillars at any minute of 1900-2100.
      {"--date 1985-09-29T14:30 PILLARS", "乙丑 乙酉 辛未 乙未\n"},
      {"--date 1900-01-01T23:30 PILLARS", "己亥 丙子 甲戌 丙子\n"},
      {"--date 2026-12-08T12:00 PILLARS SEASONDAYS PENTAD", "丙午 庚子 丙辰 甲午 鹖鴠不鸣\n"},
      // Months and days of one digit or two, as --lunar and --month take them.
      {"--date 2023-4-5 DATE", "2023-04-05\n"},
      {"--date 2023-04-5T08:30 DATE HEHOUR", "2023-04-05 辰\n"},
      {"--date 2012-11-22 --format '[{flastweek}]'", "[感恩节(US)]\n"},
      {"--date 2012-11-22 --json FLASTWEEK", "{\"FLASTWEEK\":\"感恩节(US)\"}\n"},
      {"--date 2011-11-24 FLASTWEEK SOLAR", "感恩节(US)\n"},
      // A list joins the texts that are not empty: no stray blank.
      {"--date 2012-11-29 FLASTWEEK FEASTS", "国际声援巴勒斯坦人民国际日\n"},
      {"--date 2010-11-08 SOLAR FEASTS", "中国记者日\n"},
      {"--date 2010-11-07 FWEEKDAY FLUNARS", "\n"},
      {"--date 2010-11-07 --format 'no placeholders'", "no placeholders\n"},
      // Braces doubled are braces: a status bar's JSON.
      {"--date 2010-11-07 --format '{{\"text\":\"{LUNARMONTH}月{LUNARDAY}\"}}'",
       "{\"text\":\"十月初二\"}\n"},
      {"--date 2011-02-02 --json FLUNARS SOLAR", "{\"FLUNARS\":\"除夕\",\"SOLAR\":\"\"}\n"},
      {"--date 2011-07-01 --json FEASTS",
       "{\"FEASTS\":\"中国共产党建党日 世界建筑日 香港回归日 亚洲\\\"三十亿人口日\\\"\"}\n"},
      // A keyword asked twice is one key of the object.
      {"--date 2010-11-07 --json LUNARDAY lunarday DATE", "{\"LUNARDAY\":\"初二\",\"DATE\":\"2010-11-07\"}\n"},
      {"--date 2010-11-07 DATE", "2010-11-07\n"},
      {"--date 2010-11-07 --format '{DATE}'", "2010-11-07\n"},
      // Any day of 1900-2100, both ways.
      {"--date 1900-01-01 LUNARMONTH LUNARDAY HEYEAR", "腊 初一 己亥\n"},
      {"--date 2100-12-31 LUNARMONTH LUNARDAY TWELVEANIMALS", "腊 初一 猴\n"},
      {"--lunar 2023-L02-01 DATE LUNARMONTH", "2023-03-22 闰二\n"},
      {"--lunar 2023-闰2-01 DATE", "2023-03-22\n"},
      {"--lunar 2023-2-1 DATE", "2023-02-20\n"},
      {"--lunar 1899-12-01 DATE", "1900-01-01\n"},
      {"--lunar 1985-08-15T20:00 DATE HEHOUR", "1985-09-29 戌\n"},
      {"--version", "moonfold 1.0.1\n"},
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
}

// DATE, then every kind of text in the order of the table.
std::vector<std::string> Keywords() {
  std::vector<std::string> keywords{"DATE"};
  for (const TextKindRow& row : kTextKinds) keywords.push_back(Utf8FromUtf16(row.keyword));
  return keywords;
}

std::string Joined(const std::vector<std::string>& words, const std::string& separator) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The keywords that the help, the completion, the manual page and the
// README name are the table's, in its order.
TEST(MoonfoldCommand, EveryListOfKeywordsIsTheTables) {
  const std::vector<std::string> keywords = Keywords();
  EXPECT_EQ(RunCommand("--keywords").out, Joined(keywords, "\n") + "\n");
  const std::string help = RunCommand("--help").out;
  for (const std::string& keyword : keywords) EXPECT_NE(help.find(" " + keyword), std::string::npos);

  const std::string source = MOONFOLD_SOURCE_DIR;
  const std::string manual = FileText(source + "/cli/moonfold.1.in");
  const auto section = manual.find(".SH KEYWORDS\n");
  ASSERT_NE(section, std::string::npos);
  std::istringstream lines(manual.substr(section));
  std::string line, listed;
  std::getline(lines, line);
  while (std::getline(lines, line) && line.rfind(".B ", 0) == 0) listed += (listed.empty() ? "" : " ") + line.substr(3);
  EXPECT_EQ(listed, Joined(keywords, " "));

  EXPECT_NE(FileText(source + "/cli/moonfold.bash-completion").find("--keywords"), std::string::npos);

  // The README's table of keywords, a row each.
  const std::string readme = FileText(source + "/README.md");
  std::string rows;
  for (std::size_t at = readme.find("\n| `"); at != std::string::npos; at = readme.find("\n| `", at + 1)) {
    const auto end = readme.find('`', at + 4);
    const std::string word = readme.substr(at + 4, end - at - 4);
    if (std::find(keywords.begin(), keywords.end(), word) != keywords.end()) rows += word + " ";
  }
  EXPECT_EQ(rows, Joined({keywords.begin() + 1, keywords.end()}, " ") + " ");
}

TEST(MoonfoldCommand, RefusesWithTheReasonAndExitStatus2) {
  const std::string keywords = Joined(Keywords(), " ");
  const struct {
    const char* args;
    std::string err;
  } kCases[]{
      {"--date 1899-12-31", "--date 1899-12-31 — outside the supported range 1900-01-01 … 2100-12-31"},
      {"--date 2101-01-01 LUNARDAY", "--date 2101-01-01 — outside the supported range 1900-01-01 … 2100-12-31"},
      {"--month 2101-01", "--month 2101-01 — outside the supported range 1900-01-01 … 2100-12-31"},
      {"--date 2023-02-30", "--date 2023-02-30 — 2023-02 has 28 days"},
      {"--date 2023-13-01", "--date 2023-13-01 — there is no month 13"},
      {"--date 2010-1-7T9:00", "--date 2010-1-7T9:00 — expected YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
      {"--date 2010-11-07T24:00", "--date 2010-11-07T24:00 — no such time of day"},
      {"--date", "--date — needs a value (YYYY-MM-DD or YYYY-MM-DDTHH:MM)"},
      {"--date 2010-11-07 --date 2010-11-08", "--date — given twice"},
      {"--lunar 2025-08-30", "--lunar 2025-08-30 — lunar 2025-08 has 29 days"},
      {"--lunar 2024-L04-01", "--lunar 2024-L04-01 — lunar 2024 has no leap month 4"},
      {"--lunar 2023-L02-30", "--lunar 2023-L02-30 — lunar 2023-L02 has 29 days"},
      {"--lunar 2100-12-02", "--lunar 2100-12-02 — outside the supported range 1900-01-01 … 2100-12-31"},
      {"--lunar 2023-X2-01",
       "--lunar 2023-X2-01 — expected a lunar YYYY-MM-DD, a leap month as YYYY-L02-DD or YYYY-闰2-DD"},
      {"--date 2010-11-07 LUNAR", "LUNAR — not a keyword; the keywords are " + keywords},
      {"--date 2010-11-07 --format '{NOPE}'", "NOPE — not a keyword; the keywords are " + keywords},
      {"--date 2010-11-07 --format '{LUNARDAY'", "--format — a { without its } (write {{ for a brace)"},
      {"--date 2010-11-07 --format 'a}b'", "--format — a lone } (write }} for a brace)"},
      {"--month 2023-13", "--month 2023-13 — there is no month 13"},
      {"--month 23-03", "--month 23-03 — expected YYYY-MM"},
      {"--month 2023-03 --json", "--month and --json — cannot be used together"},
      {"-3 --format x", "-3 and --format — cannot be used together"},
      {"--month 2023-03 LUNARDAY", "--month and LUNARDAY — keywords go with today's texts only"},
      {"--format x LUNARDAY", "--format and LUNARDAY — put keywords in the template as {KEYWORD}"},
      {"--date 2010-11-07 --lunar 2010-10-02", "--date and --lunar — cannot be used together"},
      {"--json --format x", "--json and --format — cannot be used together"},
      {"--year 2027 --ics 2027", "--year and --ics — cannot be used together"},
      {"--year 2027:2028", "--year 2027:2028 — expected one year (a range of years goes with --ics)"},
      {"--year abc", "--year abc — expected YYYY"},
      {"--year 2027 --date 2027-01-01", "--year and --date — cannot be used together"},
      {"--ics 2027 --lunar 2027-01-01", "--ics and --lunar — cannot be used together"},
      {"--year 1899", "--year 1899 — outside the supported years 1900 … 2100"},
      {"--ics 2030:2025", "--ics 2030:2025 — the first year comes after the last"},
      {"--ics 2025-2030", "--ics 2025-2030 — expected YYYY or YYYY:YYYY"},
      {"--gregorian", "--gregorian — goes with --year, --ics or --next"},
      {"--every 13-01", "--every 13-01 — there is no lunar month 13"},
      {"--every 08-31", "--every 08-31 — there is no lunar day 31 (days run 1 to 30)"},
      {"--every 08-00", "--every 08-00 — there is no lunar day 00 (days run 1 to 30)"},
      {"--every 2023-08-15", "--every 2023-08-15 — expected a lunar MM-DD, a leap month as L04-10 or 闰4-10"},
      {"--every 08-15 --from 2030 --to 2020", "--from 2030 and --to 2020 — the first year comes after the last"},
      {"--every 08-15 --from 1899", "--from 1899 — outside the supported years 1900 … 2100"},
      {"--every 08-15 --to 2020:2021", "--to 2020:2021 — expected YYYY"},
      {"--every 08-15 --ics 2020", "--ics 2020 — takes no years with --every; give lunar years with --from and --to"},
      {"--every 08-15 LUNARDAY", "--every and LUNARDAY — keywords go with today's texts only"},
      {"--every 08-15 --next", "--every and --next — cannot be used together"},
      {"--every 08-15 --month", "--every and --month — cannot be used together"},
      {"--from 2020", "--from — goes with --every"},
      {"--every 08-15 --name x", "--name — goes with --every and --ics"},
      {"--every 08-15 --ics --name ''", "--name — the name is empty"},
      {"--every 08-15 --ics --name \"$(printf '\\260\\260')\"", "--name — the name is not UTF-8 text"},
      {"--ics", "--ics — needs a value (YYYY or YYYY:YYYY)"},
      {"--next 0", "--next 0 — expected a count from 1 to 1000"},
      {"--next 1001", "--next 1001 — expected a count from 1 to 1000"},
      {"--next=", "--next= — nothing after the equals sign"},
      {"--moon 2027 -w", "--moon and -w — cannot be used together"},
      {"--moon 2027 --week-numbers", "--moon and --week-numbers — cannot be used together"},
      {"--workday 2027-01-04 --week-numbers", "--workday and --week-numbers — cannot be used together"},
      {"--year=", "--year= — nothing after the equals sign"},
      {"--holidays= --year 2027", "--holidays= — nothing after the equals sign"},
      {"--color=", "--color= — nothing after the equals sign"},
      {"--next --ics 2027", "--next and --ics — cannot be used together"},
      {"--next --year 2027", "--next and --year — cannot be used together"},
      {"--month --color=sometimes", "--color=sometimes — expected auto, always or never"},
      {"--color=always LUNARDAY", "--color — goes with --month"},
      {"--month --color always", "--color always — --color takes its WHEN after an equals sign: --color=always"},
      {"--json --json", "--json — given twice"},
      {"--month -3 -3", "-3 — given twice"},
      {"--month --color --colour=never", "--colour — given twice"},
      {"--date 2010-11-07 --format '{}'", "--format — {} is an empty placeholder; put a keyword in it, as {LUNARDAY}"},
      {"--lunar 2023-01-00", "--lunar 2023-01-00 — there is no day 00"},
      {"--date 2023-01-00", "--date 2023-01-00 — there is no day 00"},
      {"--bogus", "--bogus — not an option; see moonfold --help"},
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args, true);
    EXPECT_EQ(o.status, 2) << c.args;
    EXPECT_EQ(o.out, "moonfold: " + c.err + "\n") << c.args;
  }
}

TEST(MoonfoldCommand, HelpListsEveryOptionAndKeyword) {
  const Output o = RunCommand("--help");
  EXPECT_EQ(o.status, 0);
  for (const char* word : {"--date", "--lunar", "--json", "--format", "--month", "-3", "--monday",
                           "--color", "--year", "--ics", "--gregorian", "--version", "DATE",
                           "LUNARDAY", "TWELVEANIMALS", "FLUNARS"}) {
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
  for (const char* date : {"2010-11-07", "2011-07-01", "2012-11-29", "2023-03-22", "1990-01-26",
                           "1900-01-01", "2100-12-31"}) {
    const Output o = RunCommand(std::string("--json --date ") + date);
    EXPECT_EQ(o.status, 0) << date;
    std::size_t keys = 0;
    EXPECT_TRUE(IsJsonObjectOfStrings(o.out, keys)) << o.out;
    EXPECT_EQ(keys, 1 + kTextKindCount) << date;
  }
}

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

Environment At(int y, unsigned m, unsigned d, bool terminal = true, int columns = 0) {
  Environment e;
  e.now.year = static_cast<std::uint16_t>(y);
  e.now.month = static_cast<std::uint16_t>(m);
  e.now.day = static_cast<std::uint16_t>(d);
  e.output_is_terminal = terminal;
  e.terminal_columns = columns;
  return e;
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
  const std::vector<std::vector<std::string>> kAsks{
      {"--month", "2027-08"}, {"--month", "2027-08", "-3"}, {"--month", "2027"},
      {"--month", "2027", "-w", "--monday"}, {"--month", "2024-02", "-3", "-w"}};
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
  for (const char* month : {"2027年4月", "2027年12月"}) EXPECT_NE(wide.out.find(month), std::string::npos);
  // ISO weeks: 2027-01-01, a Friday, is in week 53 of 2026; the Monday
  // after begins week 1.
  const Result weeks = cli::Run({"--month", "2027-01", "-w", "--monday"}, At(2027, 8, 8, false, 80));
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
      {{"--month"}, true, true, false, true, false},   // NO_COLOR
      {{"--month"}, true, false, true, true, false},   // TERM=dumb
      {{"--month"}, true, false, false, false, false}, // a console without escape codes
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

// Every leap month of 1900-2100, chosen by its lunar date and back.
TEST(MoonfoldCommand, LunarDatesRoundTripThroughEveryLeapMonth) {
  int leap_months = 0;
  for (int y = 1900; y <= 2100; ++y) {
    const unsigned leap = LeapMonthIn(y);
    if (leap == 0) continue;
    ++leap_months;
    for (const std::string marker : {"L", "闰"}) {
      const std::string lunar = std::to_string(y) + "-" + marker + std::to_string(leap) + "-01";
      const Result there = cli::Run({"--lunar", lunar, "DATE", "LUNARMONTH", "LUNARDAY"}, At(2024, 1, 1));
      ASSERT_EQ(there.exit_code, 0) << lunar << there.err;
      const std::string date = there.out.substr(0, 10);
      const Result back = cli::Run({"--date", date, "LUNARMONTH", "LUNARDAY"}, At(2024, 1, 1));
      EXPECT_EQ(there.out.substr(11), back.out) << lunar;
      EXPECT_EQ(back.out.rfind("闰", 0), 0u) << lunar << ": " << back.out;
    }
  }
  EXPECT_EQ(leap_months, 74);
}

TEST(MoonfoldCommand, AYearsFestivalsAndTermsInDateOrder) {
  const Result listing = cli::Run({"--year", "2027"}, At(2024, 1, 1));
  EXPECT_EQ(listing.exit_code, 0);
  EXPECT_EQ(listing.out.substr(0, listing.out.find("2027-02-06")),
            "2027-01-05  周二  冬月廿八    22:09  小寒\n"
            "2027-01-15  周五  腊月初八           腊八节\n"
            "2027-01-20  周三  腊月十三    15:29  大寒\n"
            "2027-01-30  周六  腊月廿三           北方小年\n"
            "2027-01-31  周日  腊月廿四           小年\n"
            "2027-02-04  周四  腊月廿八    09:46  立春\n"
            "2027-02-05  周五  腊月廿九           除夕\n");
  // 24 terms, and one line per name: 清明 and 清明节 on one day.
  EXPECT_NE(listing.out.find("2027-04-05  周一  二月廿九    08:17  清明\n"
                             "2027-04-05  周一  二月廿九           清明节\n"),
            std::string::npos);
  EXPECT_EQ(std::count(listing.out.begin(), listing.out.end(), ':'), 24);

  const Result json = cli::Run({"--year", "2027", "--json"}, At(2024, 1, 1));
  EXPECT_EQ(json.out.rfind("[\n{\"date\":\"2027-01-05\",\"kind\":\"term\",\"name\":\"小寒\",\"time\":\"22:09\"},\n"
                           "{\"date\":\"2027-01-15\",\"kind\":\"lunar\",\"name\":\"腊八节\"},\n", 0),
            0u);
  EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n"s);
  // Gregorian festivals on request, a name each.
  const Result all = cli::Run({"--year", "2027", "--json", "--gregorian"}, At(2024, 1, 1));
  EXPECT_NE(all.out.find("{\"date\":\"2027-05-09\",\"kind\":\"gregorian\",\"name\":\"母亲节\"},\n"
                         "{\"date\":\"2027-05-09\",\"kind\":\"gregorian\",\"name\":\"救助贫困母亲日\"}"),
            std::string::npos);
  EXPECT_EQ(json.out.find("gregorian"), std::string::npos);
}

// The parts of RFC 5545 that calendar programs are strict about.
TEST(MoonfoldCommand, TheICalendarFileIsWellFormed) {
  Environment e = At(2024, 1, 1);
  e.utc_now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + std::chrono::hours{7};
  const Result r = cli::Run({"--ics", "2025:2030", "--gregorian"}, e);
  ASSERT_EQ(r.exit_code, 0);
  std::size_t at = 0, events = 0;
  std::string start;
  std::set<std::string> uids;
  while (at < r.out.size()) {
    const auto end = r.out.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends in CRLF";
    const std::string line = r.out.substr(at, end - at);
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
    if (line.rfind("UID:", 0) == 0) {
      EXPECT_TRUE(uids.insert(line).second) << line;
    }
    if (line.rfind("DTSTART;VALUE=DATE:", 0) == 0) start = line.substr(19);
    if (line.rfind("DTEND;VALUE=DATE:", 0) == 0) {
      EXPECT_GT(line.substr(17), start);  // never equal: an all-day event lasts its day
      ++events;
    }
    at = end + 2;
  }
  EXPECT_EQ(uids.size(), events);
  EXPECT_NE(r.out.find("DTSTAMP:20261208T070000Z\r\n"), std::string::npos);
  EXPECT_EQ(r.out.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Moonfold//moonfold ", 0), 0u);
  // The same run again names every event alike.
  const Result again = cli::Run({"--ics", "2025:2030", "--gregorian"}, e);
  EXPECT_EQ(again.out, r.out);
}

std::chrono::year_month_day ParseIso(const std::string& text) {
  return std::chrono::year{std::stoi(text.substr(0, 4))} /
         static_cast<unsigned>(std::stoi(text.substr(5, 2))) /
         static_cast<unsigned>(std::stoi(text.substr(8, 2)));
}

// The members of one line of a JSON array that the command prints, an
// object a line: "key":value pairs, strings unescaped (none of these hold
// a quote).
std::map<std::string, std::string> JsonMembers(const std::string& line) {
  std::map<std::string, std::string> members;
  std::size_t at = 1;
  while (at < line.size() && line[at] == '"') {
    const auto key_end = line.find('"', at + 1);
    std::string key = line.substr(at + 1, key_end - at - 1);
    std::size_t value_start = key_end + 2, value_end;
    if (line[value_start] == '"') {
      value_end = line.find('"', value_start + 1) + 1;
      members[key] = line.substr(value_start + 1, value_end - value_start - 2);
    } else {
      value_end = line.find_first_of(",}", value_start);
      members[key] = line.substr(value_start, value_end - value_start);
    }
    at = value_end + 1;
  }
  return members;
}

std::vector<std::map<std::string, std::string>> JsonLines(const std::string& text) {
  std::vector<std::map<std::string, std::string>> objects;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') objects.push_back(JsonMembers(line));
  }
  return objects;
}

// --every over every lunar year 1900-2100, held to the rules by the core's
// own month lengths: the same month, day 30 kept as 29 where the month is
// short, a leap month only where the year has it.
TEST(MoonfoldCommand, EveryKeepsTheRulesInEveryYear) {
  const struct {
    const char* asked;
    unsigned month, day;
    bool leap;
  } kCases[]{{"08-15", 8, 15, false}, {"01-30", 1, 30, false}, {"L04-10", 4, 10, true},
             {"12-30", 12, 30, false}, {"闰2-30", 2, 30, true}};
  for (const auto& c : kCases) {
    const Output o = RunCommand("--every '"s + c.asked + "' --from 1900 --to 2100 --json");
    ASSERT_EQ(o.status, 0) << c.asked;
    int expected_year = 1900, notes = 0;
    for (const auto& m : JsonLines(o.out)) {
      const int year = std::stoi(m.at("lunar_year"));
      ASSERT_EQ(year, expected_year++) << c.asked;
      const auto date = ParseIso(m.at("date"));
      const LunarDate lunar = *ToLunar(std::chrono::sys_days{date});
      const bool leap = c.leap && LeapMonthIn(year) == c.month;
      const unsigned length = DaysInLunarMonth(year, c.month, leap);
      EXPECT_EQ(lunar, (LunarDate{year, c.month, std::min(c.day, length), leap})) << c.asked << ' ' << year;
      std::string note;
      if (c.leap && !leap) note = "无闰" + std::string(c.month == 4 ? "四" : "二") + "月";
      if (c.day > length) note += (note.empty() ? "" : "，") + "三十 → 廿九"s;
      EXPECT_EQ(m.at("note"), note.empty() ? "null" : note) << c.asked << ' ' << year;
      notes += !note.empty();
    }
    // Lunar 2100's twelfth month runs past 2100-12-31: its 30th is not listed.
    EXPECT_EQ(expected_year, std::string(c.asked) == "12-30" ? 2100 : 2101) << c.asked;
    if (c.day == 30 || c.leap) {
      EXPECT_GT(notes, 0) << c.asked;
    }
  }
}

// --next lists what --year lists, from the day after on, with the days to go.
TEST(MoonfoldCommand, NextListsTheComingEventsInOrder) {
  const Output o = RunCommand("--date 2026-12-08 --next 20 --json");
  ASSERT_EQ(o.status, 0);
  const auto next = JsonLines(o.out);
  ASSERT_EQ(next.size(), 20u);
  std::vector<std::map<std::string, std::string>> listed;
  for (const char* year : {"2026", "2027"}) {
    for (const auto& m : JsonLines(RunCommand("--year "s + year + " --json").out)) {
      if (m.at("date") > "2026-12-08") listed.push_back(m);
    }
  }
  const auto today = std::chrono::sys_days{ParseIso("2026-12-08")};
  for (std::size_t i = 0; i < next.size(); ++i) {
    auto expected = listed[i];
    expected["days"] = std::to_string((std::chrono::sys_days{ParseIso(expected.at("date"))} - today).count());
    EXPECT_EQ(next[i], expected) << i;
  }
  EXPECT_EQ(next[0].at("name"), "冬至");
  EXPECT_EQ(next[0].at("days"), "14");
  const Output text = RunCommand("--date 2026-12-08 --next 1");
  EXPECT_EQ(text.out, "2026-12-22  周二  冬月十四    还有14天   冬至 04:49\n");
  // Near the end of the calendar, fewer than asked.
  EXPECT_EQ(JsonLines(RunCommand("--date 2100-12-20 --next 50 --json").out).size(), 2u);
}

// A full disk used to leave a cut calendar file behind an exit status of
// 0: every mode now checks its writes and the final flush.
TEST(MoonfoldCommand, OutputThatCannotBeWrittenIsReported) {
  for (const char* args : {"--ics 2025:2030", "--date 2010-11-07", "--month 2023-03", "--keywords"}) {
    // Standard error to the pipe, standard output to the full disk.
    const Output o = RunShell(std::string(MOONFOLD_COMMAND) + " " + args + " 2>&1 >/dev/full");
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_EQ(o.out, "moonfold: cannot write the output — No space left on device\n") << args;
  }
}

// What reaches a stream: UTF-16 for a console, in pieces that never split
// a surrogate pair; UTF-8 bytes for anything else; the reason on failure.
class FakeStream final : public TextStream {
 public:
  explicit FakeStream(bool console, bool fail = false) : console_(console), fail_(fail) {}
  bool IsConsole() const override { return console_; }
  bool WriteUtf16(std::u16string_view text) override {
    pieces.emplace_back(text);
    return !fail_;
  }
  bool WriteBytes(std::string_view bytes) override {
    bytes_ += bytes;
    return !fail_;
  }
  bool Flush() override { return true; }
  std::string Reason() const override { return "refused"; }
  std::vector<std::u16string> pieces;
  std::string bytes_;

 private:
  bool console_, fail_;
};

TEST(TextStream, AConsoleGetsUtf16InWholePieces) {
  // A moon (U+1F319, a surrogate pair) straddles the first boundary.
  const std::string text = std::string(kConsoleChunk - 1, 'a') + "\xF0\x9F\x8C\x99" + "初二";
  FakeStream console(true);
  EXPECT_EQ(WriteText(console, text), std::nullopt);
  ASSERT_EQ(console.pieces.size(), 2u);
  EXPECT_EQ(console.pieces[0].size(), kConsoleChunk - 1);
  EXPECT_EQ(console.pieces[1], u"\U0001F319初二");
  EXPECT_TRUE(console.bytes_.empty());

  FakeStream file(false);
  EXPECT_EQ(WriteText(file, text), std::nullopt);
  EXPECT_EQ(file.bytes_, text);
  EXPECT_TRUE(file.pieces.empty());

  FakeStream refusing(true, true);
  EXPECT_EQ(WriteText(refusing, "初二"), "refused");
}

// A content line of bytes that are no UTF-8 (every one a continuation
// byte) once folded forever; it is cut at the width instead.
TEST(ICalendarWriter, FoldsEveryLineInPiecesOf75Octets) {
  ICalendarWriter writer(std::string(500, '\xb0'), std::chrono::sys_seconds{});
  writer.AllDayEvent("uid", std::chrono::year{2027} / 1 / 1, std::string(200, 'x') + "月", "", "");
  std::istringstream lines(writer.Finish());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    EXPECT_LE(line.size(), 76u) << line;  // 75 octets and the CR
    ++count;
  }
  EXPECT_GT(count, 20);
}

// --workday on every day of 2006-2026 and of two unknown years, against
// the notices: its line and its exit status.
TEST(MoonfoldCommand, WorkdayOnEveryDayOfTheNotices) {
  const auto& notices = testing::NoticeDays();
  ASSERT_GT(notices.size(), 700u);
  int checked = 0;
  for (std::chrono::sys_days d{std::chrono::year{2004} / 1 / 1};
       d <= std::chrono::sys_days{std::chrono::year{2027} / 12 / 31}; d += std::chrono::days{1}) {
    const std::chrono::year_month_day ymd{d};
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    const Result r = cli::Run({"--workday", date}, At(2026, 12, 8));
    const auto notice = notices.find(date);
    const int y = static_cast<int>(ymd.year());
    const bool weekend = std::chrono::weekday{d}.iso_encoding() >= 6;
    if (notice != notices.end()) {
      const bool off = notice->second.off;
      const std::string name = Utf8FromUtf16(notice->second.holiday);
      EXPECT_EQ(r.exit_code, off ? 1 : 0) << date;
      EXPECT_EQ(r.out, off ? "day off (" + name + ")\n" : "working day (" + name + " make-up day)\n")
          << date;
    } else if (y < 2006 || y > 2026) {
      EXPECT_EQ(r.exit_code, 3) << date;
      EXPECT_EQ(r.err, "moonfold: no official arrangement is known for " + std::to_string(y) +
                           " — see --holidays\n") << date;
      EXPECT_EQ(r.out, "");
    } else {
      EXPECT_EQ(r.exit_code, weekend ? 1 : 0) << date;
      EXPECT_EQ(r.out, weekend ? "day off (weekend)\n" : "working day\n") << date;
    }
    ++checked;
  }
  EXPECT_EQ(checked, 8766);
  // The process itself, as a script runs it.
  EXPECT_EQ(RunCommand("--workday 2026-02-16").status, 1);
  EXPECT_EQ(RunCommand("--workday 2026-02-14").status, 0);
  EXPECT_EQ(RunCommand("--workday 2027-02-08").status, 3);
}

// A user's file adds a year, or is refused before anything is printed with
// the file, the line and the reason.
TEST(MoonfoldCommand, HolidayFiles) {
  const std::string header = "year\tname\toff_from\toff_to\twork_days\n";
  const auto run = [&](const std::vector<std::string>& args, const std::string& file) {
    Environment e = At(2026, 12, 8);
    e.read_file = [file](const std::string& path) {
      return path == "h.tsv" ? FileRead{true, file} : FileRead{false, "No such file or directory"};
    };
    std::vector<std::string> all{"--holidays", "h.tsv"};
    all.insert(all.end(), args.begin(), args.end());
    return cli::Run(all, e);
  };
  const std::string y2027 = header + "2027\t春节\t2027-02-05\t2027-02-11\t2027-02-13\n";
  EXPECT_EQ(run({"--workday", "2027-02-08"}, y2027).out, "day off (春节)\n");
  EXPECT_EQ(run({"--workday", "2027-02-13"}, y2027).out, "working day (春节 make-up day)\n");
  EXPECT_EQ(run({"--workday", "2027-03-01"}, y2027).out, "working day\n");
  EXPECT_EQ(run({"--date", "2027-02-08", "HOLIDAY", "DAYOFF"}, y2027).out, "春节 休\n");
  // A year of the file replaces the built-in year whole.
  const std::string y2026 = header + "2026\t元旦\t2026-01-01\t2026-01-01\t\n";
  EXPECT_EQ(run({"--workday", "2026-02-16"}, y2026).out, "working day\n");
  EXPECT_EQ(run({"--workday", "2025-01-28"}, y2026).out, "day off (春节)\n");

  const struct {
    std::string row, why;
  } kRefused[]{
      {"2027\t春节\t2027-02-30\t2027-03-01\t\n", "a bad date 2027-02-30 (YYYY-MM-DD)"},
      {"2027\t春节\t2027-02-11\t2027-02-05\t\n", "the span 2027-02-11 … 2027-02-05 ends before it begins"},
      {"2027\t春节\t2029-02-05\t2029-02-06\t\n", "2029-02-05 lies outside 2027 ± 1"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t2027-02-15\n",
       "2027-02-15 is not a Saturday or Sunday, so no make-up working day"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t2027-02-06\n", "2027-02-06 is both off and working"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t\n2027\t春节\t2027-02-12\t2027-02-12\t\n",
       "春节 of 2027 is given twice"},
      {"2027\t国庆\t2027-10-01\t2027-10-07\t\n",
       "国庆 is no holiday of the notices (元旦 春节 清明节 劳动节 端午节 中秋节 国庆节 抗战胜利纪念日 国庆节、中秋节 中秋节、国庆节)"},
      {"2027\t春节\t2027-02-05\n", "expected year, name, off_from, off_to and work_days, tab-separated"},
  };
  for (const auto& c : kRefused) {
    const Result r = run({"--year", "2027"}, header + c.row);
    const std::size_t line = c.why.find("twice") != std::string::npos ? 3 : 2;
    EXPECT_EQ(r.exit_code, 2) << c.why;
    EXPECT_EQ(r.out, "") << c.why;
    EXPECT_EQ(r.err, "moonfold: h.tsv:" + std::to_string(line) + " — " + c.why + "\n");
  }
  const Result missing = cli::Run({"--holidays", "none.tsv", "--workday"}, [] {
    Environment e = At(2026, 12, 8);
    e.read_file = [](const std::string&) { return FileRead{false, "No such file or directory"}; };
    return e;
  }());
  EXPECT_EQ(missing.err, "moonfold: none.tsv — cannot be read: No such file or directory\n");
}

// --year and its JSON list the days off and make-up days by kind, and
// --kinds picks the kinds.
TEST(MoonfoldCommand, YearListsOfficialDaysByKind) {
  const auto kinds = [](const std::string& args) {
    std::map<std::string, int> count;
    for (const auto& m : JsonLines(RunCommand(args).out)) ++count[m.at("kind")];
    return count;
  };
  const auto all = kinds("--year 2026 --json");
  EXPECT_EQ(all.at("off"), 33);  // 3 + 9 + 3 + 5 + 3 + 3 + 7
  EXPECT_EQ(all.at("work"), 6);
  EXPECT_EQ(all.count("gregorian"), 0u);
  EXPECT_EQ(kinds("--year 2026 --json --kinds off"), (std::map<std::string, int>{{"off", 33}}));
  EXPECT_EQ(kinds("--year 2026 --json --kinds term,work").at("term"), 24);
  EXPECT_GT(kinds("--year 2026 --json --gregorian").at("gregorian"), 100);
  EXPECT_EQ(RunCommand("--year 2026").out.find("2026-02-14  周六  腊月廿七           春节 班\n") != std::string::npos, true);
  EXPECT_EQ(RunCommand("--year 2026 --kinds holiday", true).out,
            "moonfold: --kinds holiday — expected a list of term, lunar, gregorian, off, work and moon\n");
}

// The script: --script, else the locale; every mode follows it.
TEST(MoonfoldCommand, TraditionalCharacters) {
  const struct {
    std::string args, out;
  } kCases[]{
      {"--script hant --date 2023-03-22T08:00 LUNARMONTH HEYEAR CONSTELLATION WEEKDAY", "閏二 癸卯 白羊座 三\n"},
      {"--script=HANT --date 2021-02-12T01:30 HEYEAR TWELVEANIMALS FLUNARS HEHOUR", "辛丑 牛 春節 丑\n"},
      {"--script hant --date 2027-01-15 FLUNARS", "臘八節\n"},
      {"--script hans --date 2027-01-15 FLUNARS", "腊八节\n"},
      {"--script hant --lunar 2023-閏2-01 DATE LUNARMONTH", "2023-03-22 閏二\n"},
      {"--script hant --workday 2026-02-16", "day off (春節)\n"},
  };
  for (const auto& c : kCases) EXPECT_EQ(RunCommand(c.args).out, c.out) << c.args;
  for (const char* locale : {"LANG=zh_TW.UTF-8", "LC_ALL=zh_HK.UTF-8", "LANG=zh_Hant_SG", "LC_MESSAGES=zh_MO"}) {
    EXPECT_EQ(RunShell(std::string("env -u LC_ALL -u LC_MESSAGES -u LANG ") + locale + " " +
                       MOONFOLD_COMMAND + " --date 2027-01-15 FLUNARS").out,
              "臘八節\n") << locale;
  }
  EXPECT_EQ(RunShell(std::string("env LANG=zh_CN.UTF-8 LC_ALL= ") + MOONFOLD_COMMAND +
                     " --date 2027-01-15 FLUNARS").out, "腊八节\n");
  const Output year = RunCommand("--script hant --year 2027 --json");
  EXPECT_NE(year.out.find("\"name\":\"臘八節\""), std::string::npos);
  EXPECT_NE(RunCommand("--script hant --year 2027").out.find("2027-01-05  週二  冬月廿八"), std::string::npos);
  EXPECT_EQ(RunCommand("--script big5", true).out,
            "moonfold: --script big5 — expected hans (simplified) or hant (traditional)\n");
  // Every day's texts hold no misread character, through the command too.
  for (const char* date : {"1900-01-01", "1985-01-21", "2021-02-12", "2100-12-31"}) {
    const Output o = RunCommand("--script hant --json --date "s + date + "T01:30");
    EXPECT_EQ(o.out.find("醜"), std::string::npos) << date;
  }
}

// --moon lists the principal phases in order, a quarter apart, each once;
// calendar files hold new and full moons only with --kinds naming moon.
TEST(MoonfoldCommand, MoonPhases) {
  EXPECT_EQ(RunCommand("--moon 2026-12").out,
            "2026-12-01  周二  十月廿三    14:08  下弦月\n"
            "2026-12-09  周三  冬月初一    08:51  新月\n"
            "2026-12-17  周四  冬月初九    13:42  上弦月\n"
            "2026-12-24  周四  冬月十六    09:28  满月\n"
            "2026-12-31  周四  冬月廿三    02:59  下弦月\n");
  const auto year = JsonLines(RunCommand("--moon 2027 --json").out);
  ASSERT_GE(year.size(), 48u);
  const std::vector<std::string> order{"new", "first_quarter", "full", "last_quarter"};
  for (std::size_t i = 1; i < year.size(); ++i) {
    const auto at = std::find(order.begin(), order.end(), year[i - 1].at("phase")) - order.begin();
    EXPECT_EQ(year[i].at("phase"), order[(at + 1) % 4]) << year[i].at("date");
    EXPECT_LT(year[i - 1].at("date"), year[i].at("date"));
  }
  EXPECT_EQ(RunCommand("--ics 2027").out.find("月相"), std::string::npos);
  const std::string moons = RunCommand("--ics 2027 --kinds moon").out;
  EXPECT_NE(moons.find("SUMMARY:满月"), std::string::npos);
  EXPECT_EQ(moons.find("SUMMARY:上弦月"), std::string::npos);
  EXPECT_NE(RunCommand("--script hant --moon 2026-12").out.find("2026-12-24  週四  冬月十六    09:28  滿月\n"),
            std::string::npos);
  EXPECT_EQ(RunCommand("--moon 2026-13", true).out, "moonfold: --moon 2026-13 — there is no month 13\n");
}

// The seasons' texts in years the plug-in does not show (it keeps to
// 1990-2050), through the command, against scans of the reference:
// SEASONDAYS and PENTAD on every day, PILLARS at 00:00, 11:00 and 23:30
// away from a 节.
TEST(MoonfoldCommand, SeasonsAndPillarsBeyondThePlugInsYears) {
  using namespace std::chrono;
  const auto& all = testing::AllReferenceDays();
  const auto& expected = testing::ExpectedSeasonTexts();
  ASSERT_EQ(expected.size(), testing::kReferenceDayCount);
  const auto text = [](const std::string& when, const char* keyword) {
    const Result r = cli::Run({"--date", when, keyword}, At(2026, 12, 8, false));
    EXPECT_EQ(r.exit_code, 0) << when << ' ' << keyword << ": " << r.err;
    return r.out.substr(0, r.out.find('\n'));
  };
  char when[32];
  int checked = 0;
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    const testing::ReferenceDay& r = all[i];
    if (r.year != 1900 && r.year != 1949 && r.year != 2084 && r.year != 2100) continue;
    std::snprintf(when, sizeof when, "%04d-%02d-%02d", r.year, r.month, r.day);
    ASSERT_EQ(text(when, "SEASONDAYS"), Utf8FromUtf16(expected[i].season_days)) << when;
    ASSERT_EQ(text(when, "PENTAD"), Utf8FromUtf16(expected[i].pentad)) << when;
    const local_days day{year{r.year} / r.month / r.day};
    for (const minutes time : {minutes{0}, minutes{11 * 60}, minutes{23 * 60 + 30}}) {
      const local_seconds at{day + time};
      if (testing::NearAJie(at)) continue;
      std::snprintf(when, sizeof when, "%04d-%02d-%02dT%02d:%02d", r.year, r.month, r.day,
                    static_cast<int>(time.count() / 60), static_cast<int>(time.count() % 60));
      ASSERT_EQ(text(when, "PILLARS"), Utf8FromUtf16(testing::ExpectedPillars(at, r, all[i + 1])))
          << when;
      ++checked;
    }
  }
  EXPECT_GT(checked, 4 * 365 * 3 - 20);
}

TEST(DisplayWidth, CountsWideCharactersTwice) {
  EXPECT_EQ(DisplayWidth(u"初二"), 4);
  EXPECT_EQ(DisplayWidth(u"感恩节(US)"), 10);
  EXPECT_EQ(DisplayWidth(u"12"), 2);
}

}  // namespace
}  // namespace moonfold::cli
