// The four pillars (四柱, 八字) of a moment: the year, month, day and double
// hour in the cycle of sixty, as almanacs reckon them for a birth time.
// Unlike the lunar year and month (HEYEAR, HEMONTH), the pillars follow the
// sun: the year turns at the 立春 instant and each month at its 节 term's
// instant (立春, 惊蛰, 清明 … 小寒), to the minute in Beijing time.
#pragma once

#include <chrono>
#include <optional>
#include <utility>

#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"

namespace moonfold {

struct Pillars {
  CyclePosition year, month, day, hour;
  friend constexpr bool operator==(const Pillars&, const Pillars&) = default;
};

// The latest 节 term (an even index: 小寒 0, 立春 2 … 大雪 22) at or before
// `time`, as the Gregorian year of its instant and its index.  The days of
// 1900 before its 小寒 follow 1899's 大雪 (of 12-08), which the tables do
// not hold; nothing before 1900.
constexpr std::optional<std::pair<int, unsigned>> LatestJie(BeijingTime time) noexcept {
  using namespace std::chrono;
  const year_month_day date{floor<days>(time)};
  int year = static_cast<int>(date.year());
  // A month's 节 is its first term, index 2m - 2, between its 3rd and 9th.
  unsigned index = 2 * static_cast<unsigned>(date.month()) - 2;
  for (int step = 0; step < 2; ++step) {
    const std::optional<BeijingTime> instant = SolarTermInstant(year, index);
    if (instant && *instant <= time) return std::pair{year, index};
    if (index == 0) {
      index = 22;
      --year;
    } else {
      index -= 2;
    }
  }
  if (year == 1899 && SolarTermInstant(1900, 0)) return std::pair{1899, 22u};
  return std::nullopt;
}

// The first 节 instant after `time`, or nothing past the tables.
constexpr std::optional<BeijingTime> NextJieInstant(BeijingTime time) noexcept {
  const auto jie = LatestJie(time);
  if (!jie) return std::nullopt;
  return jie->second == 22 ? SolarTermInstant(jie->first + 1, 0)
                           : SolarTermInstant(jie->first, jie->second + 2);
}

// The pillars at a moment of 1900-01-01 .. 2100-12-31.
//   - year: the solar year, from 立春 to 立春;
//   - month: from one 节 to the next, the 寅 month from 立春, its stem
//     following the year's (甲己之年丙作首: 丙寅 in a 甲 or 己 year);
//   - day: the civil day's (HEDAY);
//   - hour: the double hour's branch (HEHOUR), its stem following the day's
//     (甲己日起甲子时); from 23:00 the 子 hour takes the next day's stem,
//     while the day pillar stays the day's.
constexpr std::optional<Pillars> PillarsAt(BeijingTime time) noexcept {
  using namespace std::chrono;
  const auto jie = LatestJie(time);
  if (!jie) return std::nullopt;
  const auto [term_year, index] = *jie;
  // The months of the solar year, 寅 (1) from 立春 to 丑 (12) from 小寒.
  const unsigned month = index == 0 ? 12 : index / 2;
  const int solar_year = month == 12 ? term_year - 1 : term_year;
  const local_days midnight = floor<days>(time);
  const sys_days day{midnight.time_since_epoch()};
  const auto hour = static_cast<unsigned>(floor<hours>(time - midnight).count());
  Pillars p;
  p.year = YearCycle(solar_year);
  p.month = {CycleIndex(static_cast<std::int32_t>(12 * p.year.Stem() + 1 + month), 60)};
  p.day = DayCycle(day);
  const unsigned hour_stem_day = DayCycle(hour == 23 ? day + days{1} : day).Stem();
  p.hour = {CycleIndex(static_cast<std::int32_t>(12 * hour_stem_day + HourBranchIndex(hour)), 60)};
  return p;
}

}  // namespace moonfold
