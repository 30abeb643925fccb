#include "cli/month_grid.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "cli/text_output.h"
#include "common/utf8.h"
#include "facts/day_facts.h"
#include "lunar/lunar_calendar.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

constexpr int kGap = 3;         // between grids side by side
constexpr int kWeekColumn = 3;  // an ISO week number and a space
constexpr std::string_view kReverse = "\x1b[7m", kNormal = "\x1b[0m";
constexpr std::u16string_view kMore = u"+";  // a cell holds more than it shows
constexpr int kNumberWidth = 2;              // a day's number, right-aligned

// How wide a grid's cells are: 10 columns (five wide characters) down to 4
// (two), and the width of the grid that follows.
struct Cells {
  int width = 10;
  bool week_numbers = false;
  int GridWidth() const { return 7 * width + 6 + (week_numbers ? kWeekColumn : 0); }
};

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

// A name a day's lunar line may show, and a shorter one in its place where
// the cell has no room for it (冬至节, else 冬至).
struct LunarName {
  std::u16string name, shorter;
};

// The names a day's lunar line may show, the most wanted first: its lunar
// festivals (short names), then its solar term — or, where the festival is
// the term's own (清明节, 冬至节), the term's name in its place when the
// festival's does not fit — then the lunar month's name on its first day
// when the number line has no room for it.
std::vector<LunarName> LunarNames(const DayFacts& f, Script script, bool month_shown) {
  std::vector<LunarName> names;
  const FestivalRun run = f.lunar_festivals;
  const bool terms_own =
      std::any_of(kTermFestivals.begin(), kTermFestivals.end(), [run](TermFestival t) {
        return run == FestivalRun{t.row, 1};
      });
  const std::u16string term =
      f.solar_term ? std::u16string(SolarTermName(*f.solar_term, script)) : std::u16string();
  for (const unsigned row : run) {
    names.push_back(
        {FestivalShortName({FestivalTable::kLunar, static_cast<std::uint8_t>(row)}, script),
         terms_own ? term : std::u16string()});
  }
  if (f.solar_term && !terms_own) names.push_back({term, {}});
  if (f.lunar.day == 1 && !month_shown) {
    names.push_back({LunarMonthShortName(f.lunar.month, f.lunar.leap, script), {}});
  }
  return names;
}

// The lunar line of a day: as many of its names as the cell holds, the
// most wanted first, joined by spaces; the lunar day's name when it has
// none that fits.  A name is never cut.  `more` tells whether any was left
// out.
std::u16string LunarLine(const DayFacts& f, const Cells& cells, Script script, bool month_shown,
                         bool& more) {
  std::u16string text;
  more = false;
  for (const LunarName& choice : LunarNames(f, script, month_shown)) {
    bool fitted = false;
    for (const std::u16string* name : {&choice.name, &choice.shorter}) {
      if (name->empty()) continue;
      const std::u16string joined = text.empty() ? *name : text + u" " + *name;
      if (DisplayWidth(joined) <= cells.width) {
        text = joined;
        fitted = true;
        break;
      }
    }
    more = more || !fitted;
  }
  if (text.empty()) text = LunarDayName(f.lunar.day, script);
  return text;
}

// The month and every lunar year it touches: 2024年2月  癸卯年 兔 / 甲辰年 龙;
// without the lunar years where the grid is too narrow for them.
Line TitleLine(year_month month, const std::vector<DayFacts>& days, const Cells& cells,
               Script script) {
  std::u16string title = GregorianMonthTitle(month, script);
  std::u16string years;
  int previous_year = 0;
  for (const DayFacts& f : days) {
    if (f.lunar.year == previous_year) continue;
    if (previous_year != 0) years += u" / ";
    previous_year = f.lunar.year;
    years += LunarYearTitle(previous_year, script);
  }
  if (DisplayWidth(title) + 2 + DisplayWidth(years) <= cells.GridWidth()) title += u"  " + years;
  Line line;
  const int indent = std::max(0, (cells.GridWidth() - DisplayWidth(title)) / 2);
  Append(line, std::string(static_cast<std::size_t>(indent), ' ') + Utf8FromUtf16(title), false);
  return line;
}

Line WeekdayHeader(const Cells& cells, const GridStyle& style) {
  Line header;
  if (cells.week_numbers) Append(header, std::string(kWeekColumn, ' '), false);
  const auto& weekdays = texts::NamesOf(style.script).weekdays;
  for (int c = 0; c < 7; ++c) {
    if (c != 0) Append(header, " ", false);
    Append(header,
           PadRight(Utf8FromUtf16(weekdays[(c + (style.monday_first ? 1 : 0)) % 7]), cells.width),
           false);
  }
  return header;
}

// What stands on a day's number line right after the number: 休 or 班 on
// an official day off or make-up working day, and a ? where the lunar
// date or the solar term may be a day off, decades ahead.
std::string Marks(const DayFacts& f, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  std::string marks = f.official.status == DayStatus::kDayOff ? Utf8FromUtf16(labels.day_off)
                      : f.official.status == DayStatus::kMakeUpWork
                          ? Utf8FromUtf16(labels.make_up_day)
                          : std::string();
  const bool uncertain = IsUncertainLunarDay(sys_days{f.date}, f.lunar) ||
                         (f.solar_term && IsUncertainTermAt(f.terms.latest));
  if (uncertain) marks += kUncertainMark;
  return marks;
}

// The lunar month's name that fits on the number line of the month's first
// day (闰二月, else 闰二), after the number and its 休 or 班, with a column
// kept for a +; or nothing.
std::optional<std::u16string> MonthBesideNumber(const DayFacts& f, const Cells& cells,
                                                Script script) {
  if (f.lunar.day != 1) return std::nullopt;
  const int room = cells.width - kNumberWidth - DisplayWidth(Marks(f, script)) - 1;
  for (std::u16string name : {LunarMonthName(f.lunar.month, f.lunar.leap, script) +
                                  std::u16string(texts::NamesOf(script).labels.month),
                              LunarMonthShortName(f.lunar.month, f.lunar.leap, script)}) {
    if (DisplayWidth(name) <= room) return name;
  }
  return std::nullopt;
}

// The day's number line: the number at the cell's left, as `cal` draws it,
// and right after it what belongs to the day — 休 or 班, the +, the lunar
// month's name on its first day (17休正月, 22闰二月) — so that no mark
// stands nearer another day's number than its own.  The + gives way only
// where the cell has no column left for it (a two-digit day off in cells of
// two characters).
std::string NumberCell(const DayFacts& f, const Cells& cells,
                       const std::optional<std::u16string>& month, bool more, Script script) {
  std::string cell = PadLeft(std::to_string(static_cast<unsigned>(f.date.day())), kNumberWidth);
  cell += Marks(f, script);
  if (more && DisplayWidth(cell) < cells.width) cell += Utf8FromUtf16(kMore);
  if (month) cell += Utf8FromUtf16(*month);
  return PadRight(cell, cells.width);
}

// The ISO 8601 week (1..53) of the week that holds `day`: the week of its
// Thursday.
unsigned IsoWeek(sys_days day) {
  const sys_days thursday = day - days{(weekday{day}.iso_encoding() - 1)} + days{3};
  const year_month_day date{thursday};
  const sys_days first{date.year() / January / 1};
  return static_cast<unsigned>((thursday - first).count() / 7 + 1);
}

// The days of a month that the calendar holds, and those before its
// range: it begins on 1645-01-28 (顺治二年正月初一), and the days of that
// month before then are drawn with their numbers only, no calendar of them
// being known.
struct MonthDays {
  std::vector<DayFacts> known;
  std::vector<sys_days> bare;
};

MonthDays DaysOf(year_month month, const Arrangement& arrangement) {
  MonthDays days;
  for (sys_days d{month / 1}; d <= sys_days{month / std::chrono::last}; d += std::chrono::days{1}) {
    if (const auto f = FactsOf(WallTime(year_month_day{d}, 12), arrangement)) {
      days.known.push_back(*f);
    } else if (days.known.empty()) {
      days.bare.push_back(d);
    }
  }
  return days;
}

std::string BareNumberCell(sys_days day, const Cells& cells) {
  return PadRight(
      PadLeft(std::to_string(static_cast<unsigned>(year_month_day{day}.day())), kNumberWidth),
      cells.width);
}

std::vector<Line> Grid(year_month month, const Cells& cells, const GridStyle& style) {
  const auto [days, bare] = DaysOf(month, *style.arrangement);
  std::vector<Line> lines{TitleLine(month, days, cells, style.script), WeekdayHeader(cells, style)};

  // Two lines a week: the numbers, and under them the lunar lines.
  const unsigned first_weekday = weekday{sys_days{month / 1}}.c_encoding();
  int column = static_cast<int>((first_weekday + 7 - (style.monday_first ? 1 : 0)) % 7);
  Line numbers, names;
  const auto start_week = [&](sys_days day) {
    if (!cells.week_numbers) return;
    // A week that starts on Sunday holds the Monday to Saturday of one ISO week.
    const sys_days monday = day + std::chrono::days{style.monday_first ? -column : 1 - column};
    char week[8];
    std::snprintf(week, sizeof week, "%2u ", IsoWeek(monday));
    Append(numbers, week, false);
    Append(names, std::string(kWeekColumn, ' '), false);
  };
  const sys_days last{month / std::chrono::last};
  const auto add = [&](sys_days day, const std::string& number, const std::string& name,
                       bool today) {
    Append(numbers, number, today);
    Append(names, name, today);
    if (++column == 7 || day == last) {
      lines.push_back(std::exchange(numbers, Line{}));
      lines.push_back(std::exchange(names, Line{}));
      column = 0;
      if (day != last) start_week(day + std::chrono::days{1});
    } else {
      Append(numbers, " ", false);
      Append(names, " ", false);
    }
  };
  start_week(sys_days{month / 1});
  Append(numbers, std::string(static_cast<std::size_t>(column * (cells.width + 1)), ' '), false);
  Append(names, std::string(static_cast<std::size_t>(column * (cells.width + 1)), ' '), false);
  for (const sys_days day : bare) {
    add(day, BareNumberCell(day, cells), std::string(static_cast<std::size_t>(cells.width), ' '),
        false);
  }
  for (const DayFacts& f : days) {
    const bool today = style.highlight && style.today == f.date;
    const std::optional<std::u16string> month_name = MonthBesideNumber(f, cells, style.script);
    bool more = false;
    const std::u16string lunar = LunarLine(f, cells, style.script, month_name.has_value(), more);
    add(sys_days{f.date}, NumberCell(f, cells, month_name, more, style.script),
        PadRight(Utf8FromUtf16(lunar), cells.width), today);
  }
  return lines;
}

void TrimTrailingSpaces(std::string& line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
}

// How many grids stand side by side, and how wide their cells are: a
// month or three in one row whenever they fit at all; a year three or two
// to a row where they fit, even in cells of two characters, as `cal`'s year
// stands, else one.  The widest cells for that many.
struct Layout {
  std::size_t per_row = 1;
  Cells cells;
};

constexpr int kCellWidths[]{10, 8, 6, 4};

Layout LayoutFor(std::size_t count, int columns, bool week_numbers) {
  const std::vector<std::size_t> rows =
      count <= 3 ? std::vector<std::size_t>{count, 1} : std::vector<std::size_t>{3, 2, 1};
  for (const std::size_t per_row : rows) {
    for (const int width : kCellWidths) {
      const Cells cells{width, week_numbers};
      const auto n = static_cast<int>(per_row);
      if (n * cells.GridWidth() + (n - 1) * kGap <= columns) return {per_row, cells};
    }
  }
  return {1, Cells{std::end(kCellWidths)[-1], week_numbers}};
}

// Grids of one row side by side, line by line.
void SideBySide(std::string& out, const std::vector<std::vector<Line>>& grids, const Cells& cells) {
  std::size_t rows = 0;
  for (const auto& g : grids) rows = std::max(rows, g.size());
  for (std::size_t r = 0; r < rows; ++r) {
    std::string line;
    for (std::size_t g = 0; g < grids.size(); ++g) {
      const Line cell = r < grids[g].size() ? grids[g][r] : Line{};
      line += cell.text;
      if (g + 1 < grids.size()) {
        line += std::string(
            static_cast<std::size_t>(std::max(0, cells.GridWidth() - cell.width + kGap)), ' ');
      }
    }
    TrimTrailingSpaces(line);
    out += line + "\n";
  }
}

}  // namespace

int NarrowestGridWidth(bool week_numbers) {
  return Cells{std::end(kCellWidths)[-1], week_numbers}.GridWidth();
}

std::string MonthGrids(const std::vector<year_month>& months, int columns, const GridStyle& style) {
  const Layout layout = LayoutFor(months.size(), columns, style.week_numbers);
  std::string out;
  for (std::size_t first = 0; first < months.size(); first += layout.per_row) {
    std::vector<std::vector<Line>> grids;
    for (std::size_t m = first; m < std::min(months.size(), first + layout.per_row); ++m) {
      grids.push_back(Grid(months[m], layout.cells, style));
    }
    if (first != 0) out += "\n";
    SideBySide(out, grids, layout.cells);
  }
  return out;
}

}  // namespace moonfold::cli
