// The kinds of day of China's official holiday arrangement, and the rows
// its table is made of (festivals/holiday_data.h, generated).
#pragma once

#include <cstddef>
#include <cstdint>

#include "festivals/holiday_kinds.h"

namespace moonfold {

// A holiday's days off in one year's arrangement.
struct HolidaySpan {
  std::int16_t year;  // of the notice; its days may begin in the year before
  Holiday holiday;
  std::int32_t first_off;  // days since 1970-01-01
  std::int32_t last_off;
};

// A weekend day worked in exchange for a holiday's days off.
struct MakeUpDay {
  std::int32_t day;    // days since 1970-01-01
  std::uint16_t span;  // its holiday's row in the table of spans
};

}  // namespace moonfold
