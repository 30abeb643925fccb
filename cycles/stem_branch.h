// The sexagenary cycle (干支): ten heavenly stems and twelve earthly branches
// advance together, so a position in the cycle of sixty is named by its
// stem (position mod 10) and its branch (position mod 12).  Years, months,
// days and double hours are all counted in it.  Only the positions live
// here; their names are in texts/.
#pragma once

#include <chrono>
#include <cstdint>

namespace moonfold {

// The one place where a cycle count is reduced: the non-negative remainder,
// whatever the sign of the count.
constexpr unsigned CycleIndex(std::int32_t count, unsigned cycle) noexcept {
  const std::int32_t r = count % static_cast<std::int32_t>(cycle);
  return static_cast<unsigned>(r < 0 ? r + static_cast<std::int32_t>(cycle) : r);
}

// A place in the cycle of sixty, 0 (甲子) to 59 (癸亥): its stem is the
// place mod 10 (0 = 甲), its branch the place mod 12 (0 = 子).
struct CyclePosition {
  unsigned value = 0;
  constexpr unsigned Stem() const noexcept { return value % 10; }
  constexpr unsigned Branch() const noexcept { return value % 12; }
  friend constexpr bool operator==(CyclePosition, CyclePosition) = default;
};

// The lunar year's place: 4 AD was 甲子, so 1984 was too and 1990 (庚午) is 6.
// The year's branch is also its zodiac animal (子 the rat).  It turns at the
// lunar new year, not at 立春.
constexpr CyclePosition YearCycle(int lunar_year) noexcept {
  return {CycleIndex(lunar_year - 4, 60)};
}

// The lunar month's place, reckoned by lunar month: twelve to a year, the
// first month a 寅 month, the stems running on from year to year without a
// break; a leap month repeats the place of the month it follows.  Month 1
// of lunar 1990 is 戊寅 (14).
constexpr CyclePosition MonthCycle(int lunar_year, unsigned lunar_month) noexcept {
  return {CycleIndex(12 * lunar_year + static_cast<std::int32_t>(lunar_month) - 23867, 60)};
}

// The day's place; 1970-01-01 was 辛巳 (17).  It follows the civil date and
// does not move on at 23:00, when the double hour 子 begins.
constexpr CyclePosition DayCycle(std::chrono::sys_days day) noexcept {
  return {CycleIndex(static_cast<std::int32_t>(day.time_since_epoch().count()) + 17, 60)};
}

// The branch (0 = 子 .. 11 = 亥) of the double hour that holds the clock
// hour 0..23: 子 runs from 23:00 to 00:59, 丑 from 01:00 to 02:59, and so on.
constexpr unsigned HourBranchIndex(unsigned hour) noexcept { return (hour + 1) / 2 % 12; }

static_assert(YearCycle(1984).value == 0 && YearCycle(1990).value == 6);
static_assert(MonthCycle(1990, 1).value == 14);
static_assert(DayCycle(std::chrono::sys_days{std::chrono::year{1990} / 1 / 1}).value == 2);  // 丙寅
static_assert(HourBranchIndex(0) == 0 && HourBranchIndex(1) == 1 && HourBranchIndex(23) == 0);

}  // namespace moonfold
