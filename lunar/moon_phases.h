// The phases of the moon: the instants of its four principal phases — new
// moon, first quarter, full moon, last quarter — from the first new moon
// after the tables' epoch to the January after their last year
// (generated, lunar/moon_phase_data.h), and the phase of any day of the
// calendar by them.  The full moon falls on the
// lunar 十五 only about one month in three (十六 as often, 十七 and 十四 too):
// a day's phase is computed, never read from its lunar day.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>

#include "common/table_years.h"
#include "lunar/moon_phase_data.h"

namespace moonfold {

inline constexpr std::chrono::local_days kMoonPhaseEpoch{
    std::chrono::year{kMoonPhaseEpochDate[0]} /
    std::chrono::month(static_cast<unsigned>(kMoonPhaseEpochDate[1])) /
    std::chrono::day(static_cast<unsigned>(kMoonPhaseEpochDate[2]))};

namespace detail {

// The minutes from the epoch to phase k, by a table of corrections whose
// first row is phase `first`.
template <typename Corrections>
constexpr std::int64_t PhaseMinuteIn(const Corrections& corrections, std::int64_t first,
                                     std::int64_t k) noexcept {
  return kFirstPhaseMinute + (k * kMeanQuarterMilliminutes + 500) / 1000 +
         corrections[static_cast<std::size_t>(k - first)];
}

// Phase k by the whole table, while compiling.
constexpr std::int64_t DataPhaseMinute(std::int64_t k) noexcept {
  return PhaseMinuteIn(MoonPhaseCorrections, 0, k);
}

// The first phase at or after 00:00 of a day (Beijing time), or the
// table's end.
constexpr std::int64_t FirstPhaseFrom(std::chrono::local_days day) noexcept {
  const std::int64_t minute = std::int64_t{(day - kMoonPhaseEpoch).count()} * 24 * 60;
  std::int64_t low = 0, high = static_cast<std::int64_t>(MoonPhaseCorrections.size());
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (DataPhaseMinute(middle) < minute) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace detail

// The phases the years compiled in hold (all but in the plug-in:
// common/table_years.h): from a month before the first year, to the
// February after the last (the moon of its last days counts from the next
// phase).
inline constexpr std::int64_t kFirstTablePhase = detail::FirstPhaseFrom(
    std::chrono::local_days{std::chrono::year{kFirstTableYear - 1} / std::chrono::December / 1});
inline constexpr std::int64_t kTablePhaseEnd = detail::FirstPhaseFrom(
    std::chrono::local_days{std::chrono::year{kLastTableYear + 1} / std::chrono::February / 1});

namespace detail {
inline constexpr auto kPhaseCorrections =
    TableSlice<static_cast<std::size_t>(kFirstTablePhase),
               static_cast<std::size_t>(kTablePhaseEnd - kFirstTablePhase)>(MoonPhaseCorrections);
}  // namespace detail

// The minutes from the epoch, 00:00 Beijing time, to phase k of the table
// (0 the first new moon after it), k within the years compiled in.
constexpr std::int64_t MoonPhaseMinute(std::int64_t k) noexcept {
  return detail::PhaseMinuteIn(detail::kPhaseCorrections, kFirstTablePhase, k);
}

// Phase k of the table, in Beijing time to the minute, rounded down;
// nothing outside the years compiled in.
constexpr std::optional<std::chrono::local_time<std::chrono::minutes>> MoonPhaseInstant(
    std::size_t k) noexcept {
  const auto n = static_cast<std::int64_t>(k);
  if (n < kFirstTablePhase || n >= kTablePhaseEnd) return std::nullopt;
  return kMoonPhaseEpoch + std::chrono::minutes{MoonPhaseMinute(n)};
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

// The phase of a day of the calendar (Beijing time).
constexpr MoonPhaseOfDay MoonPhaseOn(std::chrono::sys_days day) noexcept {
  using namespace std::chrono;
  const local_days local{day.time_since_epoch()};
  const local_days epoch = kMoonPhaseEpoch;
  // The latest phase that falls before the day's end.  The moon keeps to
  // its mean pace within a day or so, far less than a quarter, so it is
  // the guess at the mean pace or one either side: all three are read and
  // counted rather than searched for, which keeps the branches out.
  const std::int64_t end = std::int64_t{(local + days{1} - epoch).count()} * 24 * 60;
  const std::int64_t guess =
      std::clamp<std::int64_t>((end - kFirstPhaseMinute) * 1000 / kMeanQuarterMilliminutes,
                               kFirstTablePhase + 1, kTablePhaseEnd - 2);
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
