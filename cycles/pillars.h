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

// The pillars at a moment of the calendar.
//   - year: the solar year, from 立春 to 立春;
//   - month: from one 节 to the next, the 寅 month from 立春, its stem
//     following the year's (甲己之年丙作首: 丙寅 in a 甲 or 己 year);
//   - day: the civil day's (HEDAY);
//   - hour: the double hour's branch (HEHOUR), its stem following the day's
//     (甲己日起甲子时); from 23:00 the 子 hour takes the next day's stem,
//     while the day pillar stays the day's.
//
// The months are counted through the 节 terms since the tables' first
// 小寒, which opens the 丑 month of the solar year before: month pillars run
// on through the cycle of sixty without a break (five years are sixty
// months, and each year's first month stem moves on by the twelve months
// before it), in the count of the lunar months' own cycle (MonthCycle, the
// 丑 month being the twelfth of its year), and each 立春 — the 节 one after
// every 小寒 — begins a year.
constexpr Pillars PillarsOf(const TermsAbout& terms, CyclePosition day, unsigned hour) noexcept {
  constexpr auto kFirstMonth =
      static_cast<std::int32_t>(MonthCycle(kFirstTermYear - 1, 12).value);  // 1644's: 丁丑
  const std::int32_t months = terms.latest_jie / 2;  // from -1, the 大雪 before the tables
  Pillars p;
  p.year = YearCycle(kFirstTermYear - 1 + (months + 11) / 12);
  p.month = {CycleIndex(kFirstMonth + months, 60)};
  p.day = day;
  const unsigned hour_stem_day = hour == 23 ? (day.Stem() + 1) % 10 : day.Stem();
  p.hour = {CycleIndex(static_cast<std::int32_t>(12 * hour_stem_day + HourBranchIndex(hour)), 60)};
  return p;
}

constexpr std::optional<Pillars> PillarsAt(BeijingTime time) noexcept {
  using namespace std::chrono;
  const local_days midnight = floor<days>(time);
  const auto terms = TermsAboutMoment(time, year_month_day{midnight});
  if (!terms) return std::nullopt;
  return PillarsOf(*terms, DayCycle(sys_days{midnight.time_since_epoch()}),
                   static_cast<unsigned>(floor<hours>(time - midnight).count()));
}

static_assert(PillarsAt(std::chrono::local_days{std::chrono::year{2026} / 12 / 8} +
                        std::chrono::hours{12}) ==
              Pillars{{42}, {36}, {52}, {30}});  // 丙午 庚子 丙辰 甲午

}  // namespace moonfold
