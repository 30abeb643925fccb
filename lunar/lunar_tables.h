// The lunar years 1990 to 2050, packed as the calendar is usually published:
// one word of month lengths and one leap-month nibble per year.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {

// One word per lunar year, entry (year - 1990).  Each month of the year, in
// calendar order with the leap month directly after the month it follows,
// owns one bit from bit 15 downwards; a set bit is a 30-day ("big") month, a
// clear bit a 29-day ("small") one.  A year without a leap month uses bits
// 15..4; a year with leap month L uses bits 15..3: month m <= L in bit 16 - m,
// the leap month in bit 15 - L, month m > L in bit 15 - m.  Unused low bits
// are zero.
//
// The month lengths agree with the calendar as the observatories publish it.
// 2013 (0xAD50: fourth month 29 days, fifth 30) and 2025 (0xA570: third
// month 30 days, fourth 29) were once carried with two neighbouring months
// swapped, which put thirty days of each year one day off.
inline constexpr std::array<std::uint16_t, 61> LunarMonthBits{
    0x4978, 0x4970, 0x64B0, 0x6A50, 0xEA50, 0x6B28, 0x5AC0, 0xAB60,  // 1990
    0x9368, 0x92E0, 0xC960, 0xD4A8, 0xD4A0, 0xDA50, 0x5AA8, 0x56A0,  // 1998
    0xAAD8, 0x25D0, 0x92D0, 0xC958, 0xA950, 0xB4A0, 0xB550, 0xAD50,  // 2006
    0x55A8, 0x4BA0, 0xA5B0, 0x52B8, 0x52B0, 0xA930, 0x74A8, 0x6AA0,  // 2014
    0xAD50, 0x4DA8, 0x4B60, 0xA570, 0xA4E0, 0xD260, 0xE930, 0xD530,  // 2022
    0x5AA0, 0x6B50, 0x96D0, 0x4AE8, 0x4AD0, 0xA4D0, 0xD258, 0xD250,  // 2030
    0xD520, 0xDAA0, 0xB5A0, 0x56D0, 0x4AD8, 0x49B0, 0xA4B8, 0xA4B0,  // 2038
    0xAA50, 0xB528, 0x6D20, 0xADA0, 0x55B0,                          // 2046
};

// The leap month of each year, two years to a byte: year y lies in byte
// (y - 1990) / 2, in the high nibble when y - 1990 is even and in the low
// nibble when it is odd.  A nibble holds the month (1..12) that the leap month
// follows, or 0 for a year without one.  The low nibble of the last byte
// belongs to no year.
inline constexpr std::array<std::uint8_t, 31> LeapMonthNibbles{
    0x50, 0x03, 0x08, 0x00, 0x50, 0x04, 0x00, 0x20, 0x70, 0x05, 0x00,
    0x40, 0x90, 0x06, 0x00, 0x40, 0x02, 0x06, 0x00, 0x50, 0x03, 0x0B,
    0x00, 0x60, 0x05, 0x00, 0x20, 0x70, 0x05, 0x00, 0x30,
};

}  // namespace moonfold
