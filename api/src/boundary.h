// What every function of the C interface shares: reading its arguments
// into the calendar's types, writing texts into a caller's buffer, and the
// arrangement behind the opaque handle.  Nothing here throws.
#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

#include "facts/day_facts.h"
#include "input/holiday_file.h"
#include "moonfold/moonfold.h"

// The handle's type, declared by the header and defined only here: an
// arrangement that owns its rows.
struct moonfold_arrangement {
  moonfold::OwnedArrangement owned;
};

namespace moonfold::boundary {

// A Gregorian date of the range into `out`, or the error it comes to: a
// month or day that no year has, or one the year lacks, is _DATE; any
// other day outside the range, whatever the year's size, is _RANGE.
int DayOf(int year, int month, int day, std::chrono::sys_days& out) noexcept;

// The same with a time of day: _TIME for an hour or minute of no clock.
int MomentOf(int year, int month, int day, int hour, int minute, BeijingTime& out) noexcept;

// The arrangement a handle stands for: the built-in one for NULL.
Arrangement ArrangementOf(const moonfold_arrangement_t* arrangement) noexcept;

// `text` into the caller's buffer as snprintf would, but never cut inside
// a UTF-8 character: its whole length, or MOONFOLD_ERROR_NULL for a null
// buffer with a size.
int WriteText(std::string_view text, char* buffer, std::size_t size) noexcept;

moonfold_date DateOf(std::chrono::year_month_day date) noexcept;
moonfold_moment MomentOf(BeijingTime time) noexcept;
moonfold_lunar_date LunarOf(const LunarDate& date) noexcept;
// How a term's minute is known, as MOONFOLD_MINUTE_*.
int MinuteOf(TermMinute minute) noexcept;

// Copies a struct that begins with its size member into the caller's,
// whose size is `size` (at least `first`, the size of the first version of
// that struct): the bytes both know, and no more.
int CopySized(const void* from, std::size_t full, void* to, std::size_t size,
              std::size_t first) noexcept;

}  // namespace moonfold::boundary
