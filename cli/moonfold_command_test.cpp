// The moonfold command through its process: what it prints, and its exit
// status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "cli/icalendar.h"
#include "cli/moonfold_command.h"
#include "cli/text_output.h"
#include "cli/text_stream.h"
#include "common/utf8.h"
#include "input/dates.h"
#include "lunar/lunar_calendar.h"
#include "tests/support/reference_data.h"
#include "tests/support/season_scan.h"
#include "texts/kinds.h"

#include "cli/command_test_support.h"

namespace moonfold::cli {
namespace {

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
            "MOONPHASE\t蛾眉月\nDUTY\t开\nDAYGOD\t朱雀(黑道)\nMANSION\t房日兔\n"
            "CLASH\t冲兔(乙卯)煞东\nPENGZU\t辛不合酱主人不尝 酉不会客醉坐颠狂\n"
            "DIRECTIONS\t喜神西南 财神正东\nLUCKYHOURS\t子 寅 卯 午 未 酉\n"
            "ERA\t\nROCYEAR\t民国99年\n");
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

// Every leap month of 1900-2100, chosen by its lunar date and back.
TEST(MoonfoldCommand, LunarDatesRoundTripThroughEveryLeapMonth) {
  int leap_months = 0;
  for (int y = 1900; y <= 2100; ++y) {
    const unsigned leap = LeapMonthIn(y);
    if (leap == 0) continue;
    ++leap_months;
    for (const std::string marker : {"L", "闰"}) {
      const std::string lunar = std::to_string(y) + "-" + marker + std::to_string(leap) + "-01";
      const Result there =
          cli::Run({"--lunar", lunar, "DATE", "LUNARMONTH", "LUNARDAY"}, At(2024, 1, 1));
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
  EXPECT_EQ(
      json.out.rfind(
          "[\n{\"date\":\"2027-01-05\",\"kind\":\"term\",\"name\":\"小寒\",\"time\":\"22:09\"},\n"
          "{\"date\":\"2027-01-15\",\"kind\":\"lunar\",\"name\":\"腊八节\"},\n",
          0),
      0u);
  EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n"s);
  // Gregorian festivals on request, a name each.
  const Result all = cli::Run({"--year", "2027", "--json", "--gregorian"}, At(2024, 1, 1));
  EXPECT_NE(
      all.out.find("{\"date\":\"2027-05-09\",\"kind\":\"gregorian\",\"name\":\"母亲节\"},\n"
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

// --every over every lunar year 1900-2100, held to the rules by the core's
// own month lengths: the same month, day 30 kept as 29 where the month is
// short, a leap month only where the year has it.
TEST(MoonfoldCommand, EveryKeepsTheRulesInEveryYear) {
  const struct {
    const char* asked;
    unsigned month, day;
    bool leap;
  } kCases[]{{"08-15", 8, 15, false},
             {"01-30", 1, 30, false},
             {"L04-10", 4, 10, true},
             {"12-30", 12, 30, false},
             {"闰2-30", 2, 30, true}};
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
      EXPECT_EQ(lunar, (LunarDate{year, c.month, std::min(c.day, length), leap}))
          << c.asked << ' ' << year;
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
    expected["days"] =
        std::to_string((std::chrono::sys_days{ParseIso(expected.at("date"))} - today).count());
    EXPECT_EQ(next[i], expected) << i;
  }
  EXPECT_EQ(next[0].at("name"), "冬至");
  EXPECT_EQ(next[0].at("days"), "14");
  const Output text = RunCommand("--date 2026-12-08 --next 1");
  EXPECT_EQ(text.out, "2026-12-22  周二  冬月十四    还有14天   冬至 04:50\n");
  // Near the end of the calendar, fewer than asked.
  EXPECT_EQ(JsonLines(RunCommand("--date 2100-12-20 --next 50 --json").out).size(), 2u);
}

// A full disk used to leave a cut calendar file behind an exit status of
// 0: every mode now checks its writes and the final flush.
TEST(MoonfoldCommand, OutputThatCannotBeWrittenIsReported) {
  for (const char* args :
       {"--ics 2025:2030", "--date 2010-11-07", "--month 2023-03", "--keywords"}) {
    // Standard error to the pipe, standard output to the full disk.
    const Output o = RunShell(std::string(MOONFOLD_COMMAND) + " " + args + " 2>&1 >/dev/full");
    EXPECT_EQ(o.status, 4) << args;  // a status of its own: --workday answers with 0, 1 and 3
    EXPECT_EQ(o.out, "moonfold: cannot write the output — No space left on device\n") << args;
  }
}

// A failure of the command itself — here out of memory, under a small
// address-space limit — says so and exits with a status of its own, never
// with 1, which --workday answers "day off" with.
TEST(MoonfoldCommand, AnInternalFailureIsNoAnswer) {
#if defined(MOONFOLD_UNDER_ASAN)
  GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#else
  const Output o = RunShell("(ulimit -v 20000; " + std::string(MOONFOLD_COMMAND) +
                            " --ics 1645:2100 --kinds term,lunar,gregorian,moon 2>&1 >/dev/null)");
  EXPECT_EQ(o.status, 5);
  EXPECT_EQ(o.out, "moonfold: internal failure — out of memory; no answer was given\n");
#endif
}

// A listing never ends silently with nothing: standard error says why, and
// a year of official days no notice has announced is exit status 3.
TEST(MoonfoldCommand, WhatAListingLacksIsSaid) {
  const struct {
    const char* args;
    int status;
    std::string err;
  } kCases[]{
      {"--year 2027 --kinds off", 3,
       "moonfold: no official arrangement is known for 2027 — see --holidays\n"},
      {"--ics 2026:2028 --kinds term,work", 3,
       "moonfold: no official arrangement is known for 2027, 2028 — see --holidays\n"},
      {"--year 2026 --kinds off", 0, ""},
      // The default kinds hold the days off: a year a notice would cover is
      // named (the festivals and terms are whole: status 0), one from
      // before the first notice is not.
      {"--year 2027", 0, "moonfold: no official arrangement is known for 2027 — see --holidays\n"},
      {"--ics 2025:2030", 0,
       "moonfold: no official arrangement is known for 2027 … 2030 — see --holidays\n"},
      {"--year 1866", 0, ""},
      {"--year 2026", 0, ""},
      {"--year 2027 --kinds term,lunar", 0, ""},
      // --next: the years it searched, to its last event or to the range's
      // end when it found fewer than asked.
      {"--date 2026-12-09 --next 30 --kinds off,work", 3,
       "moonfold: no official arrangement is known for 2027 … 2100 — see --holidays\nmoonfold: "
       "--next — nothing of the kinds asked comes after 2026-12-09 within " +
           RangeText() + "\n"},
      {"--date 2026-12-09 --next 3", 0,
       "moonfold: no official arrangement is known for 2027 — see --holidays\n"},
      {"--date 2026-01-01 --next 3", 0, ""},
      {"--date 2026-12-09 --next 3 --kinds term", 0, ""},
      {"--every 12-30 --from 2100 --to 2100", 0,
       "moonfold: --every 12-30 — no lunar year of 2100 … 2100 has that day within " + RangeText() +
           "\n"},
      {"--date 2100-12-31 --next", 0,
       "moonfold: no official arrangement is known for 2100 — see --holidays\nmoonfold: --next — "
       "nothing of the kinds asked comes after 2100-12-31 within " +
           RangeText() + "\n"},
  };
  for (const auto& c : kCases) {
    const Output o = RunShell(std::string(MOONFOLD_COMMAND) + " " + c.args + " 2>&1 >/dev/null");
    EXPECT_EQ(o.status, c.status) << c.args;
    EXPECT_EQ(o.out, c.err) << c.args;
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

// The script: --script, else the locale; every mode follows it.
TEST(MoonfoldCommand, TraditionalCharacters) {
  const struct {
    std::string args, out;
  } kCases[]{
      {"--script hant --date 2023-03-22T08:00 LUNARMONTH HEYEAR CONSTELLATION WEEKDAY",
       "閏二 癸卯 白羊座 三\n"},
      {"--script=HANT --date 2021-02-12T01:30 HEYEAR TWELVEANIMALS FLUNARS HEHOUR",
       "辛丑 牛 春節 丑\n"},
      {"--script hant --date 2027-01-15 FLUNARS", "臘八節\n"},
      {"--script hans --date 2027-01-15 FLUNARS", "腊八节\n"},
      {"--script hant --lunar 2023-閏2-01 DATE LUNARMONTH", "2023-03-22 閏二\n"},
      {"--script hant --workday 2026-02-16", "day off (春節)\n"},
  };
  for (const auto& c : kCases) EXPECT_EQ(RunCommand(c.args).out, c.out) << c.args;
  for (const char* locale :
       {"LANG=zh_TW.UTF-8", "LC_ALL=zh_HK.UTF-8", "LANG=zh_Hant_SG", "LC_MESSAGES=zh_MO"}) {
    EXPECT_EQ(RunShell(std::string("env -u LC_ALL -u LC_MESSAGES -u LANG ") + locale + " " +
                       MOONFOLD_COMMAND + " --date 2027-01-15 FLUNARS")
                  .out,
              "臘八節\n")
        << locale;
  }
  EXPECT_EQ(RunShell(std::string("env LANG=zh_CN.UTF-8 LC_ALL= ") + MOONFOLD_COMMAND +
                     " --date 2027-01-15 FLUNARS")
                .out,
            "腊八节\n");
  const Output year = RunCommand("--script hant --year 2027 --json");
  EXPECT_NE(year.out.find("\"name\":\"臘八節\""), std::string::npos);
  EXPECT_NE(RunCommand("--script hant --year 2027").out.find("2027-01-05  週二  冬月廿八"),
            std::string::npos);
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
  // The year's and the coming events' moons carry their phase as --moon's do.
  for (const char* args :
       {"--year 2027 --kinds moon --json", "--next 8 --kinds moon --json --date 2027-01-01"}) {
    const auto moons = JsonLines(RunCommand(args).out);
    ASSERT_FALSE(moons.empty()) << args;
    for (const auto& moon : moons) {
      EXPECT_TRUE(moon.at("phase") == "new" || moon.at("phase") == "full")
          << args << ' ' << moon.at("date");
      EXPECT_EQ(moon.at("name"), moon.at("phase") == "new" ? "新月" : "满月") << args;
    }
  }
  EXPECT_EQ(RunCommand("--ics 2027").out.find("月相"), std::string::npos);
  const std::string moons = RunCommand("--ics 2027 --kinds moon").out;
  EXPECT_NE(moons.find("SUMMARY:满月"), std::string::npos);
  EXPECT_EQ(moons.find("SUMMARY:上弦月"), std::string::npos);
  EXPECT_NE(RunCommand("--script hant --moon 2026-12")
                .out.find("2026-12-24  週四  冬月十六    09:28  滿月\n"),
            std::string::npos);
  EXPECT_EQ(RunCommand("--moon 2026-13", true).out,
            "moonfold: --moon 2026-13 — there is no month 13\n");
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
