// The lunar years 1990 to 2050 packed as the calendar is usually published,
// one word of month lengths and one leap-month nibble per year: the form the
// plug-in's conversion reads.  Both are views, made when the library is
// compiled, of the generated tables of 1900 to 2100 (lunar_year_data.h):
// one source for every month.
#pragma once

#include <array>
#include <cstdint>

#include "lunar/day_number.h"
#include "lunar/lunar_year_data.h"

namespace moonfold {

// One word per lunar year, entry (year - 1990).  Each month of the year, in
// calendar order with the leap month directly after the month it follows,
// owns one bit from bit 15 downwards; a set bit is a 30-day ("big") month, a
// clear bit a 29-day ("small") one.  A year without a leap month uses bits
// 15..4; a year with leap month L uses bits 15..3: month m <= L in bit 16 - m,
// the leap month in bit 15 - L, month m > L in bit 15 - m.  Unused low bits
// are zero.
//
// 2013 (0xAD50: fourth month 29 days, fifth 30) and 2025 (0xA570: third
// month 30 days, fourth 29) were once carried with two neighbouring months
// swapped, which put thirty days of each year one day off.
inline constexpr std::array<std::uint16_t, 61> LunarMonthBits = [] {
  std::array<std::uint16_t, 61> bits{};
  for (std::size_t i = 0; i < bits.size(); ++i) {
    bits[i] = LunarYearMonthBits[kFirstTableYear - kFirstLunarDataYear + i];
  }
  return bits;
}();

// The leap month of each year, two years to a byte: year y lies in byte
// (y - 1990) / 2, in the high nibble when y - 1990 is even and in the low
// nibble when it is odd.  A nibble holds the month (1..12) that the leap month
// follows, or 0 for a year without one.  The low nibble of the last byte
// belongs to no year.
inline constexpr std::array<std::uint8_t, 31> LeapMonthNibbles = [] {
  std::array<std::uint8_t, 31> nibbles{};
  for (std::size_t k = 0; k < 61; ++k) {
    const unsigned leap = LunarYearLeapMonths[kFirstTableYear - kFirstLunarDataYear + k];
    nibbles[k / 2] = static_cast<std::uint8_t>(nibbles[k / 2] | (k % 2 == 0 ? leap << 4 : leap));
  }
  return nibbles;
}();

static_assert(LunarMonthBits[2013 - 1990] == 0xAD50 && LunarMonthBits[2025 - 1990] == 0xA570);
static_assert(LeapMonthNibbles[0] == 0x50 && LeapMonthNibbles[30] == 0x30);

}  // namespace moonfold
