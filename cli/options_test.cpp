// The command's options: what each does, what it refuses and why, and that
// the help, the manual page and the completion name the option table's.
#include <gtest/gtest.h>

#include <cctype>
#include <variant>

#include "cli/command_test_support.h"
#include "cli/options.h"
#include "cli/text_output.h"
#include "input/dates.h"
#include "moonfold_version.h"

namespace moonfold::cli {
namespace {

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
      // The four pillars at any minute of the range.
      {"--date 1985-09-29T14:30 PILLARS", "乙丑 乙酉 辛未 乙未\n"},
      {"--date 1900-01-01T23:30 PILLARS", "己亥 丙子 甲戌 丙子\n"},
      {"--date 2026-12-08T12:00 PILLARS SEASONDAYS PENTAD", "丙午 庚子 丙辰 甲午 鹖鴠不鸣\n"},
      // Times as clocks write them: one-digit hours, seconds (not counted).
      {"--date 2026-02-03T7:30 DATE HEHOUR", "2026-02-03 辰\n"},
      {"--date 2026-02-03T07:30:59 HEHOUR", "辰\n"},
      {"--date 2026-02-03T07:30:59.250 HEHOUR", "辰\n"},
      {"--date '2026-02-03 23:10' DATE HEHOUR", "2026-02-03 子\n"},
      // Reign years, both ways.
      {"--lunar 光绪26-05-24 DATE", "1900-06-20\n"},
      {"--lunar 光绪二十六年五月廿四 DATE", "1900-06-20\n"},
      {"--lunar 光緒二十六年五月廿四 DATE", "1900-06-20\n"},
      {"--lunar 宣统三年八月十九 DATE", "1911-10-10\n"},
      {"--lunar 同治5-10-06 DATE", "1866-11-12\n"},
      {"--lunar 同治五年十月初六 DATE ERA", "1866-11-12 同治五年\n"},
      {"--lunar 光绪26-L08-01 DATE", "1900-09-24\n"},
      {"--lunar 光绪26-闰8-01 DATE", "1900-09-24\n"},
      {"--lunar 光绪二十六年闰八月初一 DATE", "1900-09-24\n"},
      {"--lunar 顺治二年正月初一 DATE", "1645-01-28\n"},
      {"--lunar 康熙六十一年腊月廿九 DATE ERA", "1723-02-04 康熙六十一年\n"},
      {"--lunar 光绪元年正月初一 DATE ERA", "1875-02-06 光绪元年\n"},
      {"--date 1912-02-17 ERA ROCYEAR", "宣统三年 民国元年\n"},
      {"--date 1912-02-18 ERA ROCYEAR", "民国元年\n"},
      {"--date 1911-12-31 ERA ROCYEAR", "宣统三年\n"},
      {"--date 民国38-10-01 DATE", "1949-10-01\n"},
      {"--date 民國38年10月1日 DATE", "1949-10-01\n"},
      {"--date 民国元年1月1日 DATE", "1912-01-01\n"},
      {"--date 民国三十八年十月一日 DATE", "1949-10-01\n"},
      {"--date 2026-12-08 ROCYEAR --script hant", "民國115年\n"},
      {"--date 1911-10-10 --era", "1911-10-10 宣统三年八月十九 辛亥年 属猪\n"},
      {"--date 1949-10-01 --era", "1949-10-01 民国38年 农历八月初十 己丑年 属牛\n"},
      {"--lunar 光绪二十六年五月廿四 --era --script hant",
       "1900-06-20 光緒二十六年五月廿四 庚子年 屬鼠\n"},
      {"--date 1645-01-28 --era --json",
       "{\"date\":\"1645-01-28\",\"rocyear\":\"\",\"era\":\"顺治二年\",\"lunar\":"
       "\"顺治二年正月初一\","
       "\"lunar_year\":\"乙酉年\",\"animal\":\"鸡\"}\n"},
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
      {"--date 2010-11-07 --json LUNARDAY lunarday DATE",
       "{\"LUNARDAY\":\"初二\",\"DATE\":\"2010-11-07\"}\n"},
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
  };
  for (const auto& c : kCases) {
    const Output o = RunCommand(c.args);
    EXPECT_EQ(o.status, 0) << c.args;
    EXPECT_EQ(o.out, c.out) << c.args;
  }
  EXPECT_EQ(RunCommand("--version").out, std::string("moonfold ") + kVersionText + "\n");
}

// The keywords that the help, the completion, the manual page and the
// README name are the table's, in its order.
TEST(MoonfoldCommand, EveryListOfKeywordsIsTheTables) {
  const std::vector<std::string> keywords = Keywords();
  EXPECT_EQ(RunCommand("--keywords").out, Joined(keywords, "\n") + "\n");
  const std::string help = RunCommand("--help").out;
  for (const std::string& keyword : keywords)
    EXPECT_NE(help.find(" " + keyword), std::string::npos);

  // The manual lists each keyword with its meaning, and the completion
  // offers them all: both are made from the tables.
  const std::string source = MOONFOLD_SOURCE_DIR;
  const std::string manual = FileText(MOONFOLD_MANUAL);
  const auto section = manual.find(".SH KEYWORDS\n");
  ASSERT_NE(section, std::string::npos);
  std::istringstream lines(manual.substr(section, manual.find(".SH EXIT", section) - section));
  std::string line, listed;
  while (std::getline(lines, line)) {
    if (line.rfind(".B ", 0) != 0) continue;
    listed += (listed.empty() ? "" : " ") + line.substr(3);
    std::string meaning;
    ASSERT_TRUE(std::getline(lines, meaning));
    EXPECT_FALSE(meaning.empty() || meaning[0] == '.') << line;
  }
  EXPECT_EQ(listed, Joined(keywords, " "));
  EXPECT_NE(FileText(MOONFOLD_COMPLETION).find("\"" + Joined(keywords, " ") + "\""),
            std::string::npos);

  // The example configurations: an instance of every keyword, in its order.
  for (const char* example : {"/examples/moonfold.ini", "/examples/moonfold-hant.ini"}) {
    std::istringstream ini(FileText(source + example));
    std::vector<std::string> instances{"DATE"};
    for (std::string line; std::getline(ini, line);) {
      if (line.rfind("Moonfold=", 0) == 0) instances.push_back(line.substr(9));
    }
    EXPECT_EQ(instances, keywords) << example;
  }

  // The plug-in user's table of keywords, a row each.
  const std::string readme = FileText(source + "/docs/plugin.md");
  std::string rows;
  for (std::size_t at = readme.find("\n| `"); at != std::string::npos;
       at = readme.find("\n| `", at + 1)) {
    const auto end = readme.find('`', at + 4);
    const std::string word = readme.substr(at + 4, end - at - 4);
    if (std::find(keywords.begin(), keywords.end(), word) != keywords.end()) rows += word + " ";
  }
  EXPECT_EQ(rows, Joined({keywords.begin() + 1, keywords.end()}, " ") + " ");
}

// A time given with its UTC offset (as `date -Iminutes` writes it) is the
// local wall time of that instant, here a machine at UTC+8.
TEST(MoonfoldCommand, ATimeWithItsOffsetIsMadeLocal) {
  Environment e = At(2026, 12, 9);
  e.local_time_at = [](std::chrono::sys_seconds at) -> std::optional<LocalDateRecord> {
    using namespace std::chrono;
    const auto local = at + hours{8};
    const year_month_day date{floor<days>(local)};
    const hh_mm_ss clock{local - floor<days>(local)};
    LocalDateRecord r;
    r.year = static_cast<std::uint16_t>(static_cast<int>(date.year()));
    r.month = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    r.day = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    r.hour = static_cast<std::uint16_t>(clock.hours().count());
    r.minute = static_cast<std::uint16_t>(clock.minutes().count());
    return r;
  };
  const struct {
    const char* date;
    const char* out;
  } kCases[]{
      {"2026-02-03T07:30+08:00", "2026-02-03 辰\n"}, {"2026-02-03T07:30Z", "2026-02-03 申\n"},
      {"2026-02-03T07:30-0500", "2026-02-03 戌\n"},  {"2026-02-03T01:30+09", "2026-02-03 子\n"},
      {"2026-02-02T23:30+07:00", "2026-02-03 子\n"},  // past midnight here: the next day
  };
  for (const auto& c : kCases) {
    const Result r = cli::Run({"--date", c.date, "DATE", "HEHOUR"}, e);
    EXPECT_EQ(r.exit_code, 0) << c.date << r.err;
    EXPECT_EQ(r.out, c.out) << c.date;
  }
  const Result outside = cli::Run({"--date", "2100-12-31T23:30-01:00", "DATE"}, e);
  EXPECT_EQ(outside.exit_code, 2);
  EXPECT_EQ(outside.err,
            "moonfold: --date 2100-12-31T23:30-01:00 — at local time 2101-01-01, "
            "outside the supported range " +
                RangeText() + "\n");
  e.local_time_at = nullptr;
  EXPECT_EQ(cli::Run({"--date", "2026-02-03T07:30Z"}, e).exit_code, 2);
}

TEST(MoonfoldCommand, RefusesWithTheReasonAndExitStatus2) {
  const std::string keywords = Joined(Keywords(), " ");
  const std::string outside = " — outside the supported range " + RangeText();
  const std::string outside_years = " — outside the supported years " + YearsText();
  const struct {
    const char* args;
    std::string err;
  } kCases[]{
      {"--date 1645-01-27", "--date 1645-01-27" + outside},
      {"--date 2101-01-01 LUNARDAY", "--date 2101-01-01" + outside},
      {"--month 2101-01", "--month 2101-01" + outside},
      {"--month 1644-12", "--month 1644-12" + outside},
      {"--date 2023-02-30", "--date 2023-02-30 — 2023-02 has 28 days"},
      {"--date 2023-13-01", "--date 2023-13-01 — there is no month 13"},
      {"--date 2010-1-7T9", "--date 2010-1-7T9 — expected YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
      {"--date 2010-1-7T9:0", "--date 2010-1-7T9:0 — expected YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
      {"--date 2010-11-07T09:00+0800x",
       "--date 2010-11-07T09:00+0800x — expected YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
      {"--date 2010-11-07T09:00+15:00", "--date 2010-11-07T09:00+15:00 — no such UTC offset"},
      {"--date 2010-11-07T09:61", "--date 2010-11-07T09:61 — no such time of day"},
      // Reign years and the Republic's years, each where its dates belong.
      {"--lunar 光绪35-01-01", "--lunar 光绪35-01-01 — 光绪 has 34 years, 1875–1908"},
      {"--lunar 宣统四年正月初一", "--lunar 宣统四年正月初一 — 宣统 has 3 years, 1909–1911"},
      {"--lunar 光绪0-01-01", "--lunar 光绪0-01-01 — 光绪 has 34 years, 1875–1908"},
      {"--lunar 顺治元年正月初一", "--lunar 顺治元年正月初一" + outside},
      {"--lunar 民国38-08-10",
       "--lunar 民国38-08-10 — 民国 years count Gregorian years: give its date with --date"},
      {"--date 光绪26-05-24",
       "--date 光绪26-05-24 — 光绪 years count lunar years: give its date with --lunar"},
      {"--lunar 光绪26年5月",
       "--lunar 光绪26年5月 — expected a reign year's lunar date: 光绪26-05-24 or "
       "光绪二十六年五月廿四"},
      {"--lunar 光绪二十六年闰五月初一",
       "--lunar 光绪二十六年闰五月初一 — lunar 1900 has no leap month 5"},
      {"--date 民国190-01-01", "--date 民国190-01-01" + outside},
      {"--date 民国38-02-30", "--date 民国38-02-30 — 1949-02 has 28 days"},
      {"--date 2010-11-07T24:00", "--date 2010-11-07T24:00 — no such time of day"},
      {"--date", "--date — needs a value (YYYY-MM-DD or YYYY-MM-DDTHH:MM)"},
      {"--date 2010-11-07 --date 2010-11-08", "--date — given twice"},
      {"--lunar 2025-08-30", "--lunar 2025-08-30 — lunar 2025-08 has 29 days"},
      {"--lunar 2024-L04-01", "--lunar 2024-L04-01 — lunar 2024 has no leap month 4"},
      {"--lunar 2023-L02-30", "--lunar 2023-L02-30 — lunar 2023-L02 has 29 days"},
      {"--lunar 2100-12-02", "--lunar 2100-12-02" + outside},
      {"--lunar 1644-12-29", "--lunar 1644-12-29" + outside},
      {"--lunar 2023-X2-01",
       "--lunar 2023-X2-01 — expected a lunar YYYY-MM-DD, a leap month as YYYY-L02-DD or "
       "YYYY-闰2-DD"},
      {"--date 2010-11-07 LUNAR", "LUNAR — not a keyword; the keywords are " + keywords},
      {"--date 2010-11-07 --format '{NOPE}'", "NOPE — not a keyword; the keywords are " + keywords},
      {"--date 2010-11-07 --format '{LUNARDAY'",
       "--format — a { without its } (write {{ for a brace)"},
      {"--date 2010-11-07 --format 'a}b'", "--format — a lone } (write }} for a brace)"},
      {"--month 2023-13", "--month 2023-13 — there is no month 13"},
      {"--month 23-03", "--month 23-03 — expected YYYY-MM"},
      {"--month 2023-03 --json", "--month and --json — cannot be used together"},
      {"-3 --format x", "-3 and --format — cannot be used together"},
      {"--month 2023-03 LUNARDAY", "--month and LUNARDAY — keywords go with today's texts only"},
      {"--format x LUNARDAY", "--format and LUNARDAY — put keywords in the template as {KEYWORD}"},
      {"--date 2010-11-07 --lunar 2010-10-02", "--date and --lunar — cannot be used together"},
      {"--year 2027 --ics 2027", "--year and --ics — cannot be used together"},
      {"--year 2027:2028",
       "--year 2027:2028 — expected one year (a range of years goes with --ics)"},
      {"--year abc", "--year abc — expected YYYY"},
      {"--year 2027 --date 2027-01-01", "--year and --date — cannot be used together"},
      {"--ics 2027 --lunar 2027-01-01", "--ics and --lunar — cannot be used together"},
      {"--year 1644", "--year 1644" + outside_years},
      {"--year 2101", "--year 2101" + outside_years},
      {"--ics 2030:2025", "--ics 2030:2025 — the first year comes after the last"},
      {"--ics 2025-2030", "--ics 2025-2030 — expected YYYY or YYYY:YYYY"},
      {"--gregorian", "--gregorian — goes with --year, --ics or --next"},
      {"--every 13-01", "--every 13-01 — there is no lunar month 13"},
      {"--every 08-31", "--every 08-31 — there is no lunar day 31 (days run 1 to 30)"},
      {"--every 08-00", "--every 08-00 — there is no lunar day 00 (days run 1 to 30)"},
      {"--every 2023-08-15",
       "--every 2023-08-15 — expected a lunar MM-DD, a leap month as L04-10 or 闰4-10"},
      {"--every 08-15 --from 2030 --to 2020",
       "--from 2030 and --to 2020 — the first year comes after the last"},
      {"--every 08-15 --from 1644", "--from 1644" + outside_years},
      {"--every 08-15 --to 2020:2021", "--to 2020:2021 — expected YYYY"},
      {"--every 08-15 --ics 2020",
       "--ics 2020 — takes no years with --every; give lunar years with --from and --to"},
      {"--every 08-15 LUNARDAY", "--every and LUNARDAY — keywords go with today's texts only"},
      {"--every 08-15 --next", "--every and --next — cannot be used together"},
      {"--every 08-15 --month", "--every and --month — cannot be used together"},
      {"--from 2020", "--from — goes with --every"},
      {"--every 08-15 --name x", "--name — goes with --every and --ics"},
      {"--every 08-15 --ics --name ''", "--name — the name is empty"},
      {"--every 08-15 --ics --name \"$(printf '\\260\\260')\"",
       "--name — the name is not UTF-8 text"},
      {"--every 08-15 --ics --name \"$(printf 'a\\rEND:VEVENT')\"",
       "--name — the name holds a control character (byte 2)"},
      {"--date 2010-11-07 --format \"$(printf '{LUNARDAY}\\260')\"",
       "--format — not UTF-8 text: byte 11 (0xB0) begins no character"},
      {"--date 2010-11-07 --json --format \"$(printf '\\355\\240\\200')\"",
       "--format — not UTF-8 text: byte 1 (0xED) begins no character"},
      {"--ics", "--ics — needs a value (YYYY or YYYY:YYYY)"},
      {"--next 0", "--next 0 — expected a count from 1 to 1000"},
      {"--next 1001", "--next 1001 — expected a count from 1 to 1000"},
      {"--next=", "--next= — nothing after the equals sign"},
      {"--moon 2027 -w", "--moon and -w — cannot be used together"},
      {"--moon 2027 --week-numbers", "--moon and --week-numbers — cannot be used together"},
      {"--workday 2027-01-04 --week-numbers",
       "--workday and --week-numbers — cannot be used together"},
      {"--year=", "--year= — nothing after the equals sign"},
      {"--holidays= --year 2027", "--holidays= — nothing after the equals sign"},
      {"--color=", "--color= — nothing after the equals sign"},
      {"--next --ics 2027", "--next and --ics — cannot be used together"},
      {"--next --year 2027", "--next and --year — cannot be used together"},
      {"--month --color=sometimes", "--color=sometimes — expected auto, always or never"},
      {"--color=always LUNARDAY", "--color — goes with --month"},
      {"--month --color always",
       "--color always — --color takes its WHEN after an equals sign: --color=always"},
      {"--json --json", "--json — given twice"},
      {"--month -3 -3", "-3 — given twice"},
      {"--month --color --colour=never", "--colour — given twice"},
      {"--date 2010-11-07 --format '{}'",
       "--format — {} is an empty placeholder; put a keyword in it, as {LUNARDAY}"},
      {"--lunar 2023-01-00", "--lunar 2023-01-00 — there is no day 00"},
      {"--date 2023-01-00", "--date 2023-01-00 — there is no day 00"},
      {"--bogus", "--bogus — not an option; see moonfold --help"},
      {"--json=x", "--json=x — takes no value"},
      {"--month abc", "--month abc — expected YYYY-MM"},
      {"--moon abc", "--moon abc — expected YYYY or YYYY-MM"},
      {"--next abc", "--next abc — expected a count from 1 to 1000"},
      {"--ics abc", "--ics abc — expected YYYY or YYYY:YYYY"},
      {"''", "'' — not a keyword; the keywords are " + keywords},
      {"--date ''", "--date '' — expected YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
      {"-h=2", "-h=2 — takes no value"},
      {"--month -3 --version=1", "--version=1 — takes no value"},
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
  for (const char* word :
       {"--date", "--lunar", "--json", "--format", "--month", "-3", "--monday", "--color", "--year",
        "--ics", "--gregorian", "--version", "DATE", "LUNARDAY", "TWELVEANIMALS", "FLUNARS"}) {
    EXPECT_NE(o.out.find(word), std::string::npos) << word;
  }
}

// The option names of the table: each row's name and its short alias.
std::set<std::string> TableOptions() {
  std::set<std::string> names;
  for (const OptionRow& row : kOptions) {
    names.insert(std::string(row.name));
    if (!row.alias.empty()) names.insert(std::string(row.alias));
  }
  return names;
}

// The option words (\-\-date, \-w) of roff text, as options.
std::set<std::string> RoffOptions(const std::string& text) {
  std::set<std::string> names;
  for (std::size_t at = text.find("\\-"); at != std::string::npos; at = text.find("\\-", at + 1)) {
    // 2023\-L02 is no option; \fB\-\-date is, after its font.
    const bool after_font = at >= 3 && text.compare(at - 3, 2, "\\f") == 0;
    if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1])) && !after_font) continue;
    std::string word = "-";
    std::size_t i = at + 2;
    if (text.compare(i, 2, "\\-") == 0) word += "-", i += 2;
    while (i < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[i])) || text.compare(i, 2, "\\-") == 0)) {
      if (text[i] == '\\') {
        word += '-';
        i += 2;
      } else {
        word += text[i++];
      }
    }
    // An option is a small letter or a word after its dashes, or -3; a
    // value's -MM is none.
    const std::size_t dashes = word.rfind("--", 0) == 0 ? 2 : 1;
    if (word == "-3" ||
        (word.size() > dashes && std::islower(static_cast<unsigned char>(word[dashes]))))
      names.insert(word);
    at = i - 1;
  }
  return names;
}

// What the bash completion offers, as bash runs it, for the words typed
// after the command (the last being completed), one a line.
std::string Completed(const std::string& words) {
  const std::size_t count =
      static_cast<std::size_t>(std::count(words.begin(), words.end(), ' ')) + 1;
  return RunShell("bash -c 'source " MOONFOLD_COMPLETION "; COMP_WORDS=(" +
                  std::string(MOONFOLD_COMMAND) + " " + words + "); COMP_CWORD=" +
                  std::to_string(count) + "; _moonfold; printf \"%s\\n\" \"${COMPREPLY[@]}\"'")
      .out;
}

TEST(Options, TheHelpTheManualAndTheCompletionNameTheTablesOptions) {
  const std::set<std::string> table = TableOptions();
  // --help: the option column of each line that starts with one.
  std::set<std::string> help;
  std::istringstream lines(RunCommand("--help").out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  -", 0) != 0) continue;
    std::istringstream words(line.substr(2, 26));
    for (std::string word; words >> word && word[0] == '-';) {
      if (word.back() == ',') word.pop_back();
      help.insert(word.substr(0, word.find('[')));
    }
  }
  EXPECT_EQ(help, table);

  // The manual page: every option has an entry, and every one stands in
  // the synopsis.
  const std::string manual = FileText(MOONFOLD_MANUAL);
  const auto synopsis = manual.find(".SH SYNOPSIS"), description = manual.find(".SH DESCRIPTION");
  const auto options = manual.find(".SH OPTIONS"), keywords = manual.find(".SH KEYWORDS");
  ASSERT_TRUE(synopsis < description && options < keywords && keywords != std::string::npos);
  EXPECT_EQ(RoffOptions(manual.substr(synopsis, description - synopsis)), table);
  std::set<std::string> entries;
  std::istringstream roff(manual.substr(options, keywords - options));
  for (std::string line, before; std::getline(roff, line); before = line) {
    if (before != ".TP") continue;
    for (const std::string& o : RoffOptions(line)) entries.insert(o);
  }
  EXPECT_EQ(entries, table);

  // The bash completion, as bash runs it, offers them all after a -.
  std::set<std::string> completed;
  std::istringstream words(Completed("-"));
  for (std::string word; words >> word;) {
    if (word.back() != '=') completed.insert(word);
  }
  EXPECT_EQ(completed, table);
}

// --help fits a terminal of 80 columns, its last left free: every line,
// wide characters counted as two columns.
TEST(Options, HelpFits79Columns) {
  std::istringstream lines(RunCommand("--help").out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_LE(DisplayWidth(line), 79) << line;
  }
  EXPECT_GT(count, 40);
}

TEST(Options, EveryOptionOfTheTableIsAcceptedWithItsValue) {
  for (const OptionRow& row : kOptions) {
    std::vector<std::string> args{std::string(row.name)};
    if (row.value == Value::kRequired) args.push_back("x");
    const auto read = ReadArguments(args);
    if (const auto* refused = std::get_if<Result>(&read)) {
      EXPECT_TRUE(row.value == Value::kAnswer && refused->exit_code == 0)
          << row.name << ": " << refused->err;
    } else {
      const Request& r = std::get<Request>(read);
      ASSERT_EQ(r.given.size(), 1u) << row.name;
      EXPECT_EQ(r.given[0].Row().name, row.name);
    }
    if (row.value == Value::kNone || row.value == Value::kAnswer) continue;
    // Every option that takes a value names the value it wants without one.
    EXPECT_FALSE(row.value_name.empty()) << row.name;
  }
}

// A template of JSON for a status bar stays JSON whatever the texts hold:
// 2026-07-01 has 亚洲"三十亿人口日" among its festivals.
TEST(Options, JsonTemplatesEscapeTheirTexts) {
  const Output o =
      RunShell(std::string(MOONFOLD_COMMAND) +
               " --date 2026-07-01 --json --format '{{\"text\":\"{FEASTS}\"}}' | "
               "/usr/bin/python3 -c 'import json,sys; print(json.load(sys.stdin)[\"text\"])'");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("亚洲\"三十亿人口日\""), std::string::npos) << o.out;
  EXPECT_EQ(RunCommand("--date 2026-07-01 --format '{FEASTS}'").out.find("\\\""),
            std::string::npos);
}

TEST(Options, KindsInAnyCase) {
  EXPECT_EQ(RunCommand("--year 2026 --kinds TERM,Lunar").out,
            RunCommand("--year 2026 --kinds term,lunar").out);
  EXPECT_EQ(RunCommand("--year 2026 --kinds Term,nope", true).out,
            "moonfold: --kinds Term,nope — expected a list of term, lunar, gregorian, off, work "
            "and moon\n");
}

TEST(Options, CompletionKeepsAListTypedBeforeTheComma) {
  EXPECT_EQ(Completed("--year 2026 --kinds term,l"), "term,lunar\n");
}

}  // namespace
}  // namespace moonfold::cli
