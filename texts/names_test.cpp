// The name tables are tied to the ids they name by position: row N of a
// festival table's names is the festival of row N of its table of dates,
// entry N of the holidays' names is Holiday N.  The tables of dates and the
// enums name each row in a comment; these tests hold every name table to
// those comments, so that a row added to one side alone fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "texts/names_simplified.h"

namespace moonfold::texts {
namespace {

std::string Source(const std::string& path) {
  std::ifstream file(std::string(MOONFOLD_SOURCE_DIR) + "/" + path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The names in the comments of the rows of a table or enum: from the line
// that opens `start` to the line that closes it, what follows each "// "
// up to a comma, an opening bracket after a blank, or the line's end.
std::vector<std::string> CommentNames(const std::string& text, const std::string& start,
                                      const std::string& close) {
  const auto from = text.find(start);
  EXPECT_NE(from, std::string::npos) << start;
  const auto to = text.find(close, from);
  std::vector<std::string> names;
  std::istringstream lines(text.substr(from, to - from));
  std::string line;
  std::getline(lines, line);
  static const std::regex kRow(R"(^\s*[^/\s].*//\s*([^,]*?)(?:,.*| \(.*)?$)");
  for (std::smatch m; std::getline(lines, line);) {
    if (std::regex_match(line, m, kRow)) names.push_back(m[1]);
  }
  return names;
}

template <typename Table>
std::vector<std::string> Utf8Names(const Table& table) {
  std::vector<std::string> names;
  for (const Name name : table) names.push_back(Utf8FromUtf16(name));
  return names;
}

TEST(NameTables, EveryRowNamesTheIdOfItsPlace) {
  const std::string festivals = Source("festivals/festival_days.h");
  const ScriptNames& n = kSimplifiedNames;
  EXPECT_EQ(CommentNames(festivals, "kFixedDateFestivalDays = ", "});"),
            Utf8Names(n.fixed_date_festivals));
  EXPECT_EQ(CommentNames(festivals, "kWeekdayFestivalRules = ", "});"),
            Utf8Names(n.weekday_festivals));
  EXPECT_EQ(CommentNames(festivals, "kLastWeekdayFestivalRules = ", "});"),
            Utf8Names(n.last_weekday_festivals));
  // The dated lunar festivals, then the three that no date fixes.
  std::vector<std::string> lunar = CommentNames(festivals, "kLunarFestivalDays = ", "});");
  for (const std::string& row :
       CommentNames(festivals, "kLunarFestivalDays = ", "kLunarFestivalCount")) {
    if (row == "除夕" || row.rfind("清明节", 0) == 0 || row.rfind("冬至节", 0) == 0)
      lunar.push_back(row.substr(0, row.find(' ')));
  }
  EXPECT_EQ(lunar, Utf8Names(n.lunar_festivals));
  EXPECT_EQ(CommentNames(Source("festivals/official_day_types.h"), "enum class Holiday", "};"),
            Utf8Names(n.holidays));
  EXPECT_EQ(CommentNames(Source("festivals/countdowns.h"), "enum class CountdownFestival", "};"),
            Utf8Names(n.countdown_festivals));
}

}  // namespace
}  // namespace moonfold::texts
