// The shapes of the festival tables' rows: a month and day, or a rule of a
// given weekday.  The tables themselves are made from the data
// (festivals/festival_data.h), each row with its festival's id.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {

// A Gregorian or lunar month 1..12 and day.
struct MonthDay {
  std::uint8_t month;
  std::uint8_t day;
};

// A given weekday of a Gregorian month: the n-th (Mother's Day, the second
// Sunday of May) or the last (世界麻风日, the last Sunday of January).
struct WeekdayRule {
  std::uint8_t month;    // 1..12
  std::uint8_t week;     // 1..4: the n-th such weekday of the month; kLastWeek: the last
  std::uint8_t weekday;  // 0 = Sunday .. 6 = Saturday
};
inline constexpr std::uint8_t kLastWeek = 0;

// The years a festival was kept, first to last: Gregorian years for the
// Gregorian tables, lunar years for the lunar one.  A festival kept from
// before the calendar's range has first 0; one still kept, last 9999.
struct YearSpan {
  std::int16_t first;
  std::int16_t last;
  constexpr bool Holds(int year) const noexcept { return year >= first && year <= last; }
};

}  // namespace moonfold
