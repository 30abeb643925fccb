// A month as a calendar grid, as `cal` draws one, with the lunar calendar
// under each day.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "texts/names.h"

namespace moonfold::cli {

struct GridStyle {
  bool monday_first = false;
  bool highlight = false;  // today in reverse video
  std::optional<std::chrono::year_month_day> today;
  Script script = Script::kSimplified;
};

// One month (1900-01..2100-12), or three around it side by side when
// `terminal_columns` holds them, else one under another.
std::string MonthGrids(std::chrono::year_month month, bool three, int terminal_columns,
                       const GridStyle& style);

}  // namespace moonfold::cli
