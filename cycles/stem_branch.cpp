#include "cycles/stem_branch.h"

namespace moonfold {
namespace {

std::u16string StemBranchName(unsigned stem, unsigned branch) {
  std::u16string text(HeavenlyStems[stem % HeavenlyStems.size()]);
  text += EarthlyBranches[branch % EarthlyBranches.size()];
  return text;
}

std::u16string StemBranchName(std::int32_t count) {
  return StemBranchName(CycleIndex(count, 10), CycleIndex(count, 12));
}

// Months are counted 12 to a year; lunar 1990, month 1 (戊寅) is count 14.
constexpr std::int32_t kMonthCountOffset = 23867;

// 1990-01-01 (丙寅) is position 2 of the cycle.
constexpr std::int32_t kDayCountOffset = 2;

}  // namespace

std::u16string CycleName(CyclePosition position) {
  return StemBranchName(position.Stem(), position.Branch());
}

std::u16string YearStemBranch(CalendarNumber lunar_year) {
  return StemBranchName(YearStemIndex(lunar_year), YearBranchIndex(lunar_year));
}

std::u16string MonthStemBranch(CalendarNumber lunar_year, CalendarNumber lunar_month) {
  return StemBranchName(12 * static_cast<std::int32_t>(lunar_year) + lunar_month -
                        kMonthCountOffset);
}

std::uint16_t DayCyclePosition(CalendarNumber year, CalendarNumber month,
                               CalendarNumber day) noexcept {
  const auto n = static_cast<std::uint16_t>(DayNumberOf(year, month, day) + kDayCountOffset);
  return static_cast<std::uint16_t>(CycleIndex(n, 10) << 8 | CycleIndex(n, 12));
}

std::u16string DayStemBranch(CalendarNumber year, CalendarNumber month, CalendarNumber day) {
  const std::uint16_t position = DayCyclePosition(year, month, day);
  return StemBranchName(position >> 8, position & 0xFF);
}

std::u16string HourBranch(CalendarNumber hour) {
  return std::u16string(EarthlyBranches[HourBranchIndex(hour)]);
}

}  // namespace moonfold
