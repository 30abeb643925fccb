// Two ways the year's heat and cold are counted by days, and the pentads:
//   - the dog days (三伏): 初伏 from the third 庚 day counted from the 夏至
//     day (that day counting when it is a 庚 day) for ten days, 中伏 from
//     the fourth 庚 day until 末伏, and 末伏 from the first 庚 day on or after
//     the 立秋 day, for ten days;
//   - the nine nines of winter (数九): nine periods of nine days from the
//     冬至 day, 一九 to 九九;
//   - the 72 pentads (七十二候): three to each solar term, the first for the
//     term's day and the four after it, the second for the next five days,
//     the third from then until the next term.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"

namespace moonfold {

enum class SeasonPeriod : std::uint8_t {
  kNone,
  kFirstFu,   // 初伏
  kMiddleFu,  // 中伏
  kLastFu,    // 末伏
  kNine1,     // 一九, and so on to 九九
  kNine2, kNine3, kNine4, kNine5, kNine6, kNine7, kNine8, kNine9,
};
inline constexpr std::size_t kSeasonPeriodCount = 13;

struct SeasonDay {
  SeasonPeriod period = SeasonPeriod::kNone;
  unsigned day = 0;  // 1.. within the period
  friend constexpr bool operator==(const SeasonDay&, const SeasonDay&) = default;
};

constexpr SeasonDay SeasonDayOf(std::chrono::sys_days day, std::chrono::year_month_day date) noexcept {
  using namespace std::chrono;
  constexpr unsigned kGeng = 6;  // 庚, the seventh stem
  const int year = static_cast<int>(date.year());
  const unsigned month = static_cast<unsigned>(date.month());
  // The dog days lie in July and August, the nines from December to March.
  if (month >= 4 && month <= 6) return {};
  if (month >= 9 && month <= 11) return {};
  const auto first_geng = [](sys_days from) {
    return from + days{(kGeng + 10 - DayCycle(from).Stem()) % 10};
  };
  const auto summer = month <= 8 && month >= 7 ? SolarTermDay(year, 11) : std::nullopt;  // 夏至
  const auto autumn = summer ? SolarTermDay(year, 14) : std::nullopt;  // 立秋
  if (summer && autumn) {
    const sys_days first = first_geng(*summer) + days{20};
    const sys_days middle = first + days{10};
    const sys_days last = first_geng(*autumn);
    const auto in = [day](sys_days from, sys_days to) { return from <= day && day < to; };
    if (in(first, middle)) return {SeasonPeriod::kFirstFu, static_cast<unsigned>((day - first).count()) + 1};
    if (in(middle, last)) return {SeasonPeriod::kMiddleFu, static_cast<unsigned>((day - middle).count()) + 1};
    if (in(last, last + days{10})) return {SeasonPeriod::kLastFu, static_cast<unsigned>((day - last).count()) + 1};
  }
  // The nines that began at this year's 冬至 or the last year's.
  for (const int y : {year, year - 1}) {
    const auto winter = SolarTermDay(y, kWinterSolsticeTerm);
    if (!winter || day < *winter) continue;
    const auto since = static_cast<unsigned>((day - *winter).count());
    if (since < 81) {
      return {static_cast<SeasonPeriod>(static_cast<unsigned>(SeasonPeriod::kNine1) + since / 9),
              since % 9 + 1};
    }
    break;
  }
  return {};
}

constexpr SeasonDay SeasonDayOf(std::chrono::sys_days day) noexcept {
  return SeasonDayOf(day, std::chrono::year_month_day{day});
}

// The pentad (0 = the first of 小寒 .. 71 = the third of 冬至) of a day of
// 1900-2100.  Before 1900's 小寒 the days are in the third pentad of 1899's
// 冬至, which fell on 12-22.
constexpr unsigned PentadOf(std::chrono::sys_days day) noexcept {
  using namespace std::chrono;
  const year_month_day date{day};
  int year = static_cast<int>(date.year());
  // The latest term on or before the day: the month's second (from the
  // 18th), its first (from the 3rd), or the month before's second.
  unsigned index = 2 * static_cast<unsigned>(date.month()) - 1;
  for (int step = 0; step < 3; ++step) {
    if (const auto term = SolarTermDay(year, index); term && *term <= day) {
      const auto since = (day - *term).count();
      return 3 * index + (since < 5 ? 0 : since < 10 ? 1 : 2);
    }
    if (index == 0) {
      index = kWinterSolsticeTerm;
      --year;
    } else {
      --index;
    }
  }
  // Before 1900's first term: 1899's 冬至 fell on 12-22, over ten days before.
  return 3 * kWinterSolsticeTerm + 2;
}

}  // namespace moonfold
