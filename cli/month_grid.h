// A month as a calendar grid, as `cal` draws one, with the lunar calendar
// under each day.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "festivals/official_days.h"
#include "texts/names.h"

namespace moonfold::cli {

struct GridStyle {
  bool monday_first = false;
  bool highlight = false;  // today in reverse video
  std::optional<std::chrono::year_month_day> today;
  Script script = Script::kSimplified;
  bool week_numbers = false;                              // the ISO week of each row, at its left
  const Arrangement* arrangement = &kBuiltInArrangement;  // marks days off 休, make-up days 班
};

// The width of a month's grid in its narrowest cells: 34 columns, 37 with
// week numbers.  Nothing narrower is drawn.
int NarrowestGridWidth(bool week_numbers);

// Months of the range as grids that fit `columns`: as many side by
// side as fit (three at most; a single month, or three, always in one row
// where they fit at all), with cells as wide as the room allows — ten
// columns hold a lunar date or a festival's name and the month's name by
// the number, four hold two characters.  No line is wider than `columns`
// when `columns` is at least NarrowestGridWidth.
std::string MonthGrids(const std::vector<std::chrono::year_month>& months, int columns,
                       const GridStyle& style);

}  // namespace moonfold::cli
