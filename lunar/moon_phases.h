// The phases of the moon: the instants of its four principal phases — new
// moon, first quarter, full moon, last quarter — from the first new moon
// after 1899-12-01 to January 2101 (generated, lunar/moon_phase_data.h), and
// the phase of any day of 1900-2100 by them.  The full moon falls on the
// lunar 十五 only about one month in three (十六 as often, 十七 and 十四 too):
// a day's phase is computed, never read from its lunar day.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>

#include "lunar/moon_phase_data.h"

namespace moonfold {

// The minutes from 1899-12-01 00:00 Beijing time to phase k of the table
// (0 the first new moon after that day), k within the table.
constexpr std::int64_t MoonPhaseMinute(std::int64_t k) noexcept {
  return kFirstPhaseMinute + (k * kMeanQuarterMilliminutes + 500) / 1000 +
         MoonPhaseCorrections[static_cast<std::size_t>(k)];
}
inline constexpr std::chrono::local_days kMoonPhaseEpoch{std::chrono::year{1899} / 12 / 1};

// Phase k of the table, in Beijing time to the minute, rounded down;
// nothing past the table.
constexpr std::optional<std::chrono::local_time<std::chrono::minutes>> MoonPhaseInstant(
    std::size_t k) noexcept {
  if (k >= MoonPhaseCorrections.size()) return std::nullopt;
  return kMoonPhaseEpoch + std::chrono::minutes{MoonPhaseMinute(static_cast<std::int64_t>(k))};
}

// The eight phases a day may be in: a principal phase on the day that holds
// its instant, else the stretch between two (蛾眉月 after the new moon, 盈凸月
// after the first quarter, 亏凸月 after the full moon, 残月 after the last
// quarter).
enum class MoonPhase : std::uint8_t {
  kNew,
  kWaxingCrescent,
  kFirstQuarter,
  kWaxingGibbous,
  kFull,
  kWaningGibbous,
  kLastQuarter,
  kWaningCrescent,
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
  const local_days epoch = kMoonPhaseEpoch;
  // The latest phase that falls before the day's end.  The moon keeps to
  // its mean pace within a day or so, far less than a quarter, so it is
  // the guess at the mean pace or one either side: all three are read and
  // counted rather than searched for, which keeps the branches out.
  const std::int64_t end = (local + days{1} - epoch).count() * 24 * 60;
  const auto last = static_cast<std::int64_t>(MoonPhaseCorrections.size()) - 1;
  const std::int64_t guess = std::clamp<std::int64_t>(
      (end - kFirstPhaseMinute) * 1000 / kMeanQuarterMilliminutes, 1, last - 1);
  const std::int64_t k =
      guess - 1 + (MoonPhaseMinute(guess) < end) + (MoonPhaseMinute(guess + 1) < end);
  const std::int64_t at = MoonPhaseMinute(k);
  const auto quarter = static_cast<unsigned>(k % 4);
  MoonPhaseOfDay of;
  if (at / (24 * 60) == (local - epoch).count()) {
    of.phase = static_cast<MoonPhase>(2 * quarter);
    of.instant = epoch + minutes{at};
  } else {
    of.phase = static_cast<MoonPhase>(2 * quarter + 1);
  }
  return of;
}

}  // namespace moonfold
