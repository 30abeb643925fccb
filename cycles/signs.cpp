#include "cycles/signs.h"

#include "cycles/stem_branch.h"

namespace moonfold {
namespace {

// The first day of each sign, as month * 100 + day, and the sign that
// starts on it.  A date before the first bound is still in 摩羯座.
struct SignStart {
  std::int32_t first_day;
  std::uint8_t sign;
};

constexpr std::array<SignStart, 12> ConstellationStarts{{
    {119, 10},   // 水瓶座 from 19 January
    {219, 11},   // 双鱼座 from 19 February
    {321, 0},    // 白羊座 from 21 March
    {420, 1},    // 金牛座 from 20 April
    {521, 2},    // 双子座 from 21 May
    {621, 3},    // 巨蟹座 from 21 June
    {723, 4},    // 狮子座 from 23 July
    {823, 5},    // 处女座 from 23 August
    {923, 6},    // 天秤座 from 23 September
    {1023, 7},   // 天蝎座 from 23 October
    {1122, 8},   // 射手座 from 22 November
    {1222, 9},   // 摩羯座 from 22 December
}};

constexpr std::uint8_t kCapricorn = 9;

}  // namespace

std::u16string ZodiacAnimal(CalendarNumber lunar_year) {
  // The animal is the year's earthly branch.
  return std::u16string(ZodiacAnimals[YearBranchIndex(lunar_year)]);
}

std::u16string WeekdayName(CalendarNumber day_of_week) {
  return std::u16string(WeekdayNames[day_of_week % WeekdayNames.size()]);
}

unsigned ConstellationIndex(CalendarNumber month, CalendarNumber day) noexcept {
  const std::int32_t key = static_cast<std::int32_t>(month) * 100 + day;
  std::uint8_t sign = kCapricorn;
  for (const SignStart& start : ConstellationStarts) {
    if (key < start.first_day) break;
    sign = start.sign;
  }
  return sign;
}

std::u16string ConstellationName(CalendarNumber month, CalendarNumber day) {
  return std::u16string(ConstellationNames[ConstellationIndex(month, day)]);
}

}  // namespace moonfold
