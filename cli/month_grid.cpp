#include "cli/month_grid.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "cli/text_output.h"
#include "common/utf8.h"
#include "festivals/day_facts.h"
#include "lunar/lunar_calendar.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

constexpr int kCell = 10;                       // five wide characters
constexpr int kGridWidth = 7 * kCell + 6;       // cells and the spaces between
constexpr int kGap = 3;                         // between grids side by side
constexpr std::string_view kReverse = "\x1b[7m", kNormal = "\x1b[0m";

// A line of output and the columns it takes (escape codes take none).
struct Line {
  std::string text;
  int width = 0;
};

void Append(Line& line, const std::string& text, bool highlight) {
  if (highlight) line.text += kReverse;
  line.text += text;
  if (highlight) line.text += kNormal;
  line.width += DisplayWidth(text);
}

// The lunar line of a day: its first lunar festival (short name), else its
// solar term, else the lunar day's name.  A name too wide for the cell is
// never cut: the next choice stands instead.
std::u16string LunarLine(const DayFacts& facts, Script script) {
  if (!facts.lunar_festivals.empty()) {
    std::u16string name =
        FestivalShortName({FestivalTable::kLunar, facts.lunar_festivals.first}, script);
    if (DisplayWidth(name) <= kCell) return name;
  }
  if (facts.solar_term) return std::u16string(SolarTermName(*facts.solar_term, script));
  return std::u16string(LunarDayName(facts.lunar.day, script));
}

// The month and every lunar year it touches: 2024年2月  癸卯年 兔 / 甲辰年 龙.
Line TitleLine(year_month month, const std::vector<DayFacts>& days, Script script) {
  std::u16string title = GregorianMonthTitle(month, script) + u"  ";
  int previous_year = days.front().lunar.year;
  title += LunarYearTitle(previous_year, script);
  for (const DayFacts& f : days) {
    if (f.lunar.year == previous_year) continue;
    previous_year = f.lunar.year;
    title += u" / " + LunarYearTitle(previous_year, script);
  }
  Line line;
  const int indent = std::max(0, (kGridWidth - DisplayWidth(title)) / 2);
  Append(line, std::string(static_cast<std::size_t>(indent), ' ') + Utf8FromUtf16(title), false);
  return line;
}

Line WeekdayHeader(const GridStyle& style) {
  Line header;
  const auto& weekdays = texts::NamesOf(style.script).weekdays;
  for (int c = 0; c < 7; ++c) {
    if (c != 0) Append(header, " ", false);
    Append(header, PadLeft(Utf8FromUtf16(weekdays[(c + (style.monday_first ? 1 : 0)) % 7]), kCell),
           false);
  }
  return header;
}

// The day's number, with the lunar month's name beside it on the month's
// first day, whatever else the day holds: 闰二月  22.
std::string NumberCell(const DayFacts& f, Script script) {
  const std::string number = std::to_string(static_cast<unsigned>(f.date.day()));
  if (f.lunar.day != 1) return PadLeft(number, kCell);
  const std::string month_name = Utf8FromUtf16(LunarMonthName(f.lunar.month, f.lunar.leap, script) +
                                               std::u16string(texts::NamesOf(script).labels.month));
  return PadRight(month_name, kCell - static_cast<int>(number.size())) + number;
}

std::vector<Line> Grid(year_month month, const GridStyle& style) {
  std::vector<DayFacts> days;
  for (sys_days d{month / 1}; d <= sys_days{month / std::chrono::last}; d += std::chrono::days{1}) {
    days.push_back(*FactsOf(WallTime(year_month_day{d}, 12)));
  }
  std::vector<Line> lines{TitleLine(month, days, style.script), WeekdayHeader(style)};

  // Two lines a week: the numbers, and under them the lunar lines.
  const unsigned first_weekday = weekday{sys_days{month / 1}}.c_encoding();
  int column = static_cast<int>((first_weekday + 7 - (style.monday_first ? 1 : 0)) % 7);
  Line numbers, names;
  Append(numbers, std::string(static_cast<std::size_t>(column * (kCell + 1)), ' '), false);
  names = numbers;
  for (const DayFacts& f : days) {
    const bool today = style.highlight && style.today == f.date;
    Append(numbers, NumberCell(f, style.script), today);
    Append(names, PadLeft(Utf8FromUtf16(LunarLine(f, style.script)), kCell), today);
    if (++column == 7 || &f == &days.back()) {
      lines.push_back(std::exchange(numbers, Line{}));
      lines.push_back(std::exchange(names, Line{}));
      column = 0;
    } else {
      Append(numbers, " ", false);
      Append(names, " ", false);
    }
  }
  return lines;
}

void TrimTrailingSpaces(std::string& line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
}

}  // namespace

std::string MonthGrids(year_month month, bool three, int terminal_columns, const GridStyle& style) {
  std::vector<year_month> months{month};
  if (three) {
    months = {month - std::chrono::months{1}, month, month + std::chrono::months{1}};
    // The range ends in 1900-01 and 2100-12: a neighbour beyond it is left out.
    std::erase_if(months, [](year_month m) {
      return m < year{1900} / January || m > year{2100} / December;
    });
  }
  std::vector<std::vector<Line>> grids;
  for (const year_month m : months) grids.push_back(Grid(m, style));

  std::string out;
  const int side_by_side_width = static_cast<int>(grids.size()) * (kGridWidth + kGap) - kGap;
  if (grids.size() > 1 && terminal_columns >= side_by_side_width) {
    std::size_t rows = 0;
    for (const auto& g : grids) rows = std::max(rows, g.size());
    for (std::size_t r = 0; r < rows; ++r) {
      std::string line;
      for (std::size_t g = 0; g < grids.size(); ++g) {
        const Line cell = r < grids[g].size() ? grids[g][r] : Line{};
        line += cell.text;
        if (g + 1 < grids.size()) {
          line += std::string(static_cast<std::size_t>(kGridWidth - cell.width + kGap), ' ');
        }
      }
      TrimTrailingSpaces(line);
      out += line + "\n";
    }
    return out;
  }
  for (std::size_t g = 0; g < grids.size(); ++g) {
    if (g != 0) out += "\n";
    for (Line line : grids[g]) {
      TrimTrailingSpaces(line.text);
      out += line.text + "\n";
    }
  }
  return out;
}

}  // namespace moonfold::cli
