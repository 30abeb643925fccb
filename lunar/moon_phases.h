// The phases of the moon: the instants of its four principal phases — new
// moon, first quarter, full moon, last quarter — from the first new moon
// after 1899-12-01 to January 2101 (generated, lunar/moon_phase_data.h), and
// the phase of any day of 1900-2100 by them.  The full moon falls on the
// lunar 十五 only about one month in three (十六 as often, 十七 and 十四 too):
// a day's phase is computed, never read from its lunar day.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "lunar/moon_phase_data.h"

namespace moonfold {

// A principal phase: k mod 4 of the phases in order.
enum class PrincipalPhase : std::uint8_t { kNew, kFirstQuarter, kFull, kLastQuarter };

// Phase k of the table (0 the first new moon after 1899-12-01), in Beijing
// time to the minute, rounded down; nothing past the table.
constexpr std::optional<std::chrono::local_time<std::chrono::minutes>> MoonPhaseInstant(
    std::size_t k) noexcept {
  if (k >= MoonPhaseCorrections.size()) return std::nullopt;
  const auto n = static_cast<std::int64_t>(k);
  const std::int64_t minutes =
      kFirstPhaseMinute + (n * kMeanQuarterMilliminutes + 500) / 1000 + MoonPhaseCorrections[k];
  constexpr std::chrono::local_days kEpoch{std::chrono::year{1899} / 12 / 1};
  return kEpoch + std::chrono::minutes{minutes};
}

// The eight phases a day may be in: a principal phase on the day that holds
// its instant, else the stretch between two (蛾眉月 after the new moon, 盈凸月
// after the first quarter, 亏凸月 after the full moon, 残月 after the last
// quarter).
enum class MoonPhase : std::uint8_t {
  kNew, kWaxingCrescent, kFirstQuarter, kWaxingGibbous,
  kFull, kWaningGibbous, kLastQuarter, kWaningCrescent,
};

struct MoonPhaseOfDay {
  MoonPhase phase = MoonPhase::kNew;
  // The principal phase's instant, on the day that holds it.
  std::optional<std::chrono::local_time<std::chrono::minutes>> instant;
};

// The phase of a day of 1900-01-01 .. 2100-12-31 (Beijing time).
constexpr MoonPhaseOfDay MoonPhaseOn(std::chrono::sys_days day) noexcept {
  using namespace std::chrono;
  const local_days local{day.time_since_epoch()};
  const local_days epoch{year{1899} / 12 / 1};
  // The latest phase that falls before the day's end: a guess at the mean
  // pace, then a step or two.
  const std::int64_t end = (local + days{1} - epoch).count() * 24 * 60;
  auto k = static_cast<std::int64_t>((end - kFirstPhaseMinute) * 1000 / kMeanQuarterMilliminutes);
  if (k < 0) k = 0;
  const auto instant = [](std::int64_t i) { return *MoonPhaseInstant(static_cast<std::size_t>(i)); };
  const auto last = static_cast<std::int64_t>(MoonPhaseCorrections.size()) - 1;
  if (k > last) k = last;
  while (k > 0 && instant(k) >= local + days{1}) --k;
  while (k < last && instant(k + 1) < local + days{1}) ++k;
  const auto quarter = static_cast<unsigned>(k % 4);
  MoonPhaseOfDay of;
  if (floor<days>(instant(k)) == local) {
    of.phase = static_cast<MoonPhase>(2 * quarter);
    of.instant = instant(k);
  } else {
    of.phase = static_cast<MoonPhase>(2 * quarter + 1);
  }
  return of;
}

}  // namespace moonfold
