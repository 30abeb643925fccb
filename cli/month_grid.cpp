#include "cli/month_grid.h"

#include <algorithm>
#include <vector>

#include "cli/text_output.h"
#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "festivals/day_facts.h"
#include "lunar/lunar_calendar.h"
#include "lunar/lunar_names.h"
#include "plugin/utf8.h"

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

// A festival's name as a cell shows it: its first name, without what
// stands in brackets ("元宵(上元)节" is 元宵节); nothing when that is still
// too wide, for a name is never cut.
std::u16string CellName(std::u16string_view text) {
  std::u16string name(text.substr(0, text.find(u' ')));
  for (const auto& [open, close] : {std::pair{u'(', u')'}, std::pair{u'（', u'）'}}) {
    const auto from = name.find(open);
    const auto to = from == std::u16string::npos ? from : name.find(close, from);
    if (to != std::u16string::npos) name.erase(from, to - from + 1);
  }
  return DisplayWidth(name) <= kCell ? name : std::u16string();
}

// The lunar line of a day: its festival, else its solar term, else the
// lunar day's name.
std::u16string LunarLine(const DayFacts& facts) {
  std::u16string text = CellName(facts.lunar_festival);
  if (text.empty() && facts.solar_term) text = SolarTermNames[*facts.solar_term];
  if (text.empty()) text = LunarDayText(static_cast<CalendarNumber>(facts.lunar.day));
  return text;
}

std::u16string YearName(int lunar_year) {
  const CyclePosition cycle = YearCycle(lunar_year);
  return CycleName(cycle) + u"年 " + std::u16string(ZodiacAnimals[cycle.Branch()]);
}

std::vector<Line> Grid(year_month month, const GridStyle& style) {
  const sys_days first{month / 1};
  const sys_days last{month / std::chrono::last};
  std::vector<DayFacts> days;
  for (sys_days d = first; d <= last; d += std::chrono::days{1}) {
    days.push_back(*FactsOf(year_month_day{d}, 12));
  }

  // The title names every lunar year the month touches.
  std::u16string title = Utf16FromUtf8(std::to_string(static_cast<int>(month.year())) + "年" +
                                       std::to_string(static_cast<unsigned>(month.month())) + "月  ");
  std::vector<int> lunar_years;
  for (const DayFacts& f : days) {
    if (lunar_years.empty() || lunar_years.back() != f.lunar.year) lunar_years.push_back(f.lunar.year);
  }
  for (std::size_t i = 0; i < lunar_years.size(); ++i) {
    if (i != 0) title += u" / ";
    title += YearName(lunar_years[i]);
  }
  std::vector<Line> lines;
  const int title_width = DisplayWidth(title);
  Line title_line;
  Append(title_line, std::string(static_cast<std::size_t>(std::max(0, (kGridWidth - title_width) / 2)), ' ') +
                         Utf8FromUtf16(title), false);
  lines.push_back(title_line);

  Line header;
  for (int c = 0; c < 7; ++c) {
    if (c != 0) Append(header, " ", false);
    Append(header, PadLeft(Utf8FromUtf16(WeekdayNames[(c + (style.monday_first ? 1 : 0)) % 7]), kCell),
           false);
  }
  lines.push_back(header);

  const unsigned first_weekday = weekday{first}.c_encoding();
  int column = static_cast<int>((first_weekday + 7 - (style.monday_first ? 1 : 0)) % 7);
  Line numbers, names;
  const auto pad_to = [](Line& line, int cells) {
    Append(line, std::string(static_cast<std::size_t>(cells * (kCell + 1)), ' '), false);
  };
  pad_to(numbers, column);
  pad_to(names, column);
  for (const DayFacts& f : days) {
    const bool today = style.highlight && style.today == f.date;
    const std::string number = std::to_string(static_cast<unsigned>(f.date.day()));
    std::string top;
    if (f.lunar.day == 1) {
      // A lunar month begins: its name, whatever else the day holds.
      const std::string month_name =
          Utf8FromUtf16(LunarMonthText(static_cast<CalendarNumber>(f.lunar.month), f.lunar.leap) + u"月");
      top = PadRight(month_name, kCell - static_cast<int>(number.size())) + number;
    } else {
      top = PadLeft(number, kCell);
    }
    Append(numbers, top, today);
    Append(names, PadLeft(Utf8FromUtf16(LunarLine(f)), kCell), today);
    if (++column == 7 || f.date == year_month_day{last}) {
      lines.push_back(numbers);
      lines.push_back(names);
      numbers = names = Line{};
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
