// Official days off: --workday on every day of the notices, and the
// arrangements of a user's file.
#include <gtest/gtest.h>

#include "cli/command_test_support.h"

namespace moonfold::cli {
namespace {

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
      EXPECT_EQ(r.out,
                off ? "day off (" + name + ")\n" : "working day (" + name + " make-up day)\n")
          << date;
    } else if (y < 2006 || y > 2026) {
      EXPECT_EQ(r.exit_code, 3) << date;
      EXPECT_EQ(r.err, "moonfold: no official arrangement is known for " + std::to_string(y) +
                           " — see --holidays\n")
          << date;
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
      return path == "h.tsv" ? FileRead{true, file}
                             : FileRead{false, "cannot be read: No such file or directory"};
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
  // A year of the file replaces the built-in year whole, and standard
  // error names the holidays it leaves out.
  const std::string y2026 = header + "2026\t元旦\t2026-01-01\t2026-01-01\t\n";
  const Result replaced = run({"--workday", "2026-02-16"}, y2026);
  EXPECT_EQ(replaced.out, "working day\n");
  EXPECT_EQ(
      replaced.err,
      "moonfold: h.tsv: 2026 has no 春节, 清明节, 劳动节, 端午节, 中秋节, 国庆节 of the seven "
      "statutory holidays — the built-in 2026 arrangement is replaced\n");
  EXPECT_EQ(run({"--workday", "2025-01-28"}, y2026).out, "day off (春节)\n");
  // A year not built in: its 10-01 is a working day by the file, and what
  // the file leaves out is said.
  const Result only_spring = run({"--workday", "2027-10-01"}, y2027);
  EXPECT_EQ(only_spring.out, "working day\n");
  EXPECT_EQ(
      only_spring.err,
      "moonfold: h.tsv: 2027 has no 元旦, 清明节, 劳动节, 端午节, 中秋节, 国庆节 of the seven "
      "statutory holidays\n");
  // 中秋节 and 国庆节 given as one item count as both.
  EXPECT_EQ(
      run({"--workday", "2027-10-01"},
          header +
              "2027\t元旦\t2027-01-01\t2027-01-01\t\n2027\t春节\t2027-02-05\t2027-02-11\t\n"
              "2027\t清明节\t2027-04-05\t2027-04-05\t\n2027\t劳动节\t2027-05-01\t2027-05-05\t\n"
              "2027\t端午节\t2027-06-09\t2027-06-09\t\n"
              "2027\t国庆节、中秋节\t2027-10-01\t2027-10-08\t\n")
          .err,
      "");
  // A span of the file that shares a day with a built-in year it does not
  // replace is refused, naming that year's holiday.
  const Result neighbour =
      run({"--workday", "2008-01-02"}, header + "2007\t国庆节\t2007-12-25\t2008-01-02\t\n");
  EXPECT_EQ(neighbour.exit_code, 2);
  EXPECT_EQ(neighbour.err,
            "moonfold: h.tsv:2 — 2007-12-25 … 2008-01-02 shares days off with 元旦 of 2008 (built "
            "in)\n");
  // … but not one the file replaces too.
  EXPECT_EQ(run({"--workday", "2008-01-02"},
                header + "2007\t国庆节\t2007-12-25\t2008-01-02\t\n2008\t春节\t2008-02-06\t"
                         "2008-02-12\t\n")
                .out,
            "day off (国庆节)\n");
  // A make-up day more than a year after the last day off is still found.
  EXPECT_EQ(
      run({"--workday", "2028-02-13"}, header + "2027\t春节\t2027-02-05\t2027-02-11\t2028-02-13\n")
          .out,
      "working day (春节 make-up day)\n");
  // A byte-order mark (Notepad, Excel) and Windows line ends are read.
  const Result marked =
      run({"--workday", "2027-02-08"},
          "\xEF\xBB\xBF" + header + "2027\t春节\t2027-02-05\t2027-02-11\t2027-02-13\r\n");
  EXPECT_EQ(marked.exit_code, 1) << marked.err;
  EXPECT_EQ(marked.out, "day off (春节)\n");

  const struct {
    std::string row, why;
  } kRefused[]{
      {"2027\t春节\t2027-02-30\t2027-03-01\t\n", "a bad date 2027-02-30 (YYYY-MM-DD)"},
      {"2027\t春节\t2027-02-11\t2027-02-05\t\n",
       "the span 2027-02-11 … 2027-02-05 ends before it begins"},
      {"2027\t春节\t2029-02-05\t2029-02-06\t\n", "2029-02-05 lies outside 2027 ± 1"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t2027-02-15\n",
       "2027-02-15 is not a Saturday or Sunday, so no make-up working day"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t2027-02-06\n", "2027-02-06 is both off and working"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t\n2027\t春节\t2027-02-12\t2027-02-12\t\n",
       "春节 of 2027 is given twice"},
      {"2027\t国庆\t2027-10-01\t2027-10-07\t\n",
       "国庆 is no holiday of the notices (元旦 春节 清明节 劳动节 端午节 中秋节 国庆节 "
       "抗战胜利纪念日 国庆节、中秋节 中秋节、国庆节)"},
      {"2027\t春节\t2027-02-05\n",
       "expected year, name, off_from, off_to and work_days, tab-separated"},
      // Rows that clash with one before them: the later line is named.
      {"2027\t国庆节\t2027-10-01\t2027-10-07\t\n2027\t中秋节\t2027-10-07\t2027-10-08\t\n",
       "2027-10-07 … 2027-10-08 shares days off with 国庆节 (line 2)"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t2027-02-13\n2027\t清明节\t2027-04-05\t2027-04-05\t"
       "2027-02-13\n",
       "2027-02-13 is already a make-up day of 春节 (line 2)"},
      {"2027\t春节\t2027-02-05\t2027-02-11\t\n2027\t元旦\t2027-01-01\t2027-01-01\t2027-02-06\n",
       "2027-02-06 is both off (春节 (line 2)) and working"},
      {"2027\t元旦\t2027-01-01\t2027-01-01\t2027-02-06\n2027\t春节\t2027-02-05\t2027-02-11\t\n",
       "2027-02-06 is both off and working (元旦 (line 2))"},
  };
  for (const auto& c : kRefused) {
    const Result r = run({"--year", "2027"}, header + c.row);
    const std::size_t line = std::count(c.row.begin(), c.row.end(), '\n') + 1;
    EXPECT_EQ(r.exit_code, 2) << c.why;
    EXPECT_EQ(r.out, "") << c.why;
    EXPECT_EQ(r.err, "moonfold: h.tsv:" + std::to_string(line) + " — " + c.why + "\n");
  }
  const Result missing = cli::Run({"--holidays", "none.tsv", "--workday"}, [] {
    Environment e = At(2026, 12, 8);
    e.read_file = [](const std::string&) {
      return FileRead{false, "cannot be read: No such file or directory"};
    };
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
  EXPECT_EQ(RunCommand("--year 2026").out.find("2026-02-14  周六  腊月廿七           春节 班\n") !=
                std::string::npos,
            true);
  EXPECT_EQ(RunCommand("--year 2026 --kinds holiday", true).out,
            "moonfold: --kinds holiday — expected a list of term, lunar, gregorian, off, work and "
            "moon\n");
}

}  // namespace
}  // namespace moonfold::cli
