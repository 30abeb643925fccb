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

#include <algorithm>
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
  kNine2,
  kNine3,
  kNine4,
  kNine5,
  kNine6,
  kNine7,
  kNine8,
  kNine9,
};
inline constexpr std::size_t kSeasonPeriodCount = 13;

struct SeasonDay {
  SeasonPeriod period = SeasonPeriod::kNone;
  unsigned day = 0;  // 1.. within the period
  friend constexpr bool operator==(const SeasonDay&, const SeasonDay&) = default;
};

// The dog-day or nine period of a day of the calendar, given with its date.
constexpr SeasonDay SeasonDayOf(std::chrono::sys_days day,
                                std::chrono::year_month_day date) noexcept {
  using namespace std::chrono;
  constexpr unsigned kGeng = 6;  // 庚, the seventh stem
  const int year = static_cast<int>(date.year());
  const unsigned month = static_cast<unsigned>(date.month());
  if (year < kFirstTableTermYear || year > kLastTableTermYear) return {};
  const auto since = [day](sys_days from) { return static_cast<unsigned>((day - from).count()); };
  // The dog days lie in July and August.
  if (month == 7 || month == 8) {
    const auto first_geng = [](sys_days from) {
      return from + days{(kGeng + 10 - DayCycle(from).Stem()) % 10};
    };
    const sys_days first =
        first_geng(SolarTermDayAt(SolarTermNumber(year, 11))) + days{20};  // 夏至
    const sys_days middle = first + days{10};
    const sys_days last = first_geng(SolarTermDayAt(SolarTermNumber(year, 14)));  // 立秋
    if (day < first || day >= last + days{10}) return {};
    if (day < middle) return {SeasonPeriod::kFirstFu, since(first) + 1};
    if (day < last) return {SeasonPeriod::kMiddleFu, since(middle) + 1};
    return {SeasonPeriod::kLastFu, since(last) + 1};
  }
  // The nines lie from December to March, counted from the 冬至 before.
  if (month == 12 || month <= 3) {
    const sys_days winter =
        SolarTermDayAt(SolarTermNumber(month == 12 ? year : year - 1, kWinterSolsticeTerm));
    if (day < winter || since(winter) >= 81) return {};
    return {
        static_cast<SeasonPeriod>(static_cast<unsigned>(SeasonPeriod::kNine1) + since(winter) / 9),
        since(winter) % 9 + 1};
  }
  return {};
}

// The pentad (0 = the first of 小寒 .. 71 = the third of 冬至) of the day
// the terms are about.  Before the tables' first 小寒 the days are in the
// third pentad of the 冬至 before.
constexpr unsigned PentadOf(const TermsAbout& terms) noexcept {
  return 3 * SolarTermIndex(terms.latest) + std::min(terms.days_since_latest / 5, 2u);
}

}  // namespace moonfold
