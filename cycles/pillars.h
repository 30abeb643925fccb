// The four pillars (四柱, 八字) of a moment: the year, month, day and double
// hour in the cycle of sixty, as almanacs reckon them for a birth time.
// Unlike the lunar year and month (HEYEAR, HEMONTH), the pillars follow the
// sun: the year turns at the 立春 instant and each month at its 节 term's
// instant (立春, 惊蛰, 清明 … 小寒), to the minute in Beijing time.
#pragma once

#include <chrono>
#include <optional>

#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"

namespace moonfold {

struct Pillars {
  CyclePosition year, month, day, hour;
  friend constexpr bool operator==(const Pillars&, const Pillars&) = default;
};

// The pillars at a moment of 1900-01-01 .. 2100-12-31.
//   - year: the solar year, from 立春 to 立春;
//   - month: from one 节 to the next, the 寅 month from 立春, its stem
//     following the year's (甲己之年丙作首: 丙寅 in a 甲 or 己 year);
//   - day: the civil day's (HEDAY);
//   - hour: the double hour's branch (HEHOUR), its stem following the day's
//     (甲己日起甲子时); from 23:00 the 子 hour takes the next day's stem,
//     while the day pillar stays the day's.
constexpr Pillars PillarsOf(BeijingTime time, const TermsAbout& terms) noexcept {
  using namespace std::chrono;
  // The months of the solar year, 寅 (1) from 立春 to 丑 (12) from 小寒.
  const unsigned index = SolarTermIndex(terms.latest_jie);
  const unsigned month = index == 0 ? 12 : index / 2;
  const int term_year = SolarTermYear(terms.latest_jie);
  const int solar_year = month == 12 ? term_year - 1 : term_year;
  const local_days midnight = floor<days>(time);
  const sys_days day{midnight.time_since_epoch()};
  const auto hour = static_cast<unsigned>(floor<hours>(time - midnight).count());
  Pillars p;
  p.year = YearCycle(solar_year);
  p.month = {CycleIndex(static_cast<std::int32_t>(12 * p.year.Stem() + 1 + month), 60)};
  p.day = DayCycle(day);
  const unsigned hour_stem_day = hour == 23 ? (p.day.Stem() + 1) % 10 : p.day.Stem();
  p.hour = {CycleIndex(static_cast<std::int32_t>(12 * hour_stem_day + HourBranchIndex(hour)), 60)};
  return p;
}

constexpr std::optional<Pillars> PillarsAt(BeijingTime time) noexcept {
  const auto terms =
      TermsAboutMoment(time, std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(time)});
  if (!terms) return std::nullopt;
  return PillarsOf(time, *terms);
}

}  // namespace moonfold
