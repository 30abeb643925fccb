// The western star sign (星座) of a Gregorian date, by the fixed dates on
// which Chinese almanacs begin each sign.  Only the index lives here; the
// names are in texts/.
#pragma once

#include <array>
#include <cstdint>

namespace moonfold {

// Index of a sign: 0 白羊 (Aries) .. 11 双鱼 (Pisces), in the order of the
// zodiac from the March equinox.
inline constexpr unsigned kSignCount = 12;

namespace detail {

// The first day of each sign as month * 100 + day, in date order; a date
// before the first bound is still in the sign that began on 22 December.
struct SignStart {
  std::uint16_t first_day;
  std::uint8_t sign;
};
inline constexpr std::array<SignStart, 12> kSignStarts{{
    {119, 10},  // 水瓶 (Aquarius) from 19 January
    {219, 11},  // 双鱼 (Pisces) from 19 February
    {321, 0},   // 白羊 (Aries) from 21 March
    {420, 1},   // 金牛 (Taurus) from 20 April
    {521, 2},   // 双子 (Gemini) from 21 May
    {621, 3},   // 巨蟹 (Cancer) from 21 June
    {723, 4},   // 狮子 (Leo) from 23 July
    {823, 5},   // 处女 (Virgo) from 23 August
    {923, 6},   // 天秤 (Libra) from 23 September
    {1023, 7},  // 天蝎 (Scorpio) from 23 October
    {1122, 8},  // 射手 (Sagittarius) from 22 November
    {1222, 9},  // 摩羯 (Capricorn) from 22 December
}};

}  // namespace detail

// The sign of a Gregorian month 1..12 and day 1..31.
constexpr unsigned StarSignOf(unsigned month, unsigned day) noexcept {
  const unsigned key = month * 100 + day;
  unsigned sign = detail::kSignStarts.back().sign;
  for (const detail::SignStart& start : detail::kSignStarts) {
    if (key < start.first_day) break;
    sign = start.sign;
  }
  return sign;
}

static_assert(StarSignOf(1, 18) == 9 && StarSignOf(1, 19) == 10 && StarSignOf(12, 22) == 9);
static_assert(StarSignOf(3, 22) == 0 && StarSignOf(11, 7) == 7);

}  // namespace moonfold
