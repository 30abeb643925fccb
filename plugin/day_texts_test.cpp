// Each kind's text from the day's facts must be what the plug-in's builders
// give for the same clock reading, on every day of 1990-2050: the texts a
// host shows did not change when they came to be formatted from FactsOf.
#include "plugin/day_texts.h"

#include <gtest/gtest.h>

#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"
#include "festivals/fixed_date_festivals.h"
#include "festivals/lunar_festivals.h"
#include "festivals/weekday_festivals.h"
#include "lunar/lunar_date.h"
#include "lunar/lunar_names.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

// The builders with the inputs the plug-in has always given them.
std::u16string BuilderText(InstanceKind kind, std::uint16_t y, std::uint16_t m, std::uint16_t d,
                           std::uint16_t dow, std::uint16_t hour) {
  std::uint16_t ly = 0, lm = 0, ld = 0;
  const std::uint16_t leap = LunarDateOf(DayNumberOf(y, m, d), ly, lm, ld);
  switch (kind) {
    case InstanceKind::kLunarDay: return LunarDayText(ld);
    case InstanceKind::kLunarMonth: return LunarMonthText(lm, leap);
    case InstanceKind::kWeekday: return WeekdayName(dow);
    case InstanceKind::kYearStemBranch: return YearStemBranch(ly);
    case InstanceKind::kMonthStemBranch: return MonthStemBranch(ly, lm);
    case InstanceKind::kDayStemBranch: return DayStemBranch(y, m, d);
    case InstanceKind::kHourBranch: return HourBranch(hour);
    case InstanceKind::kSolarTerm: return SolarTermText(y, m, d);
    case InstanceKind::kConstellation: return ConstellationName(m, d);
    case InstanceKind::kFixedDateFestivals: return FixedDateFestivals(m, d);
    case InstanceKind::kWeekdayRuleFestivals: return WeekdayRuleFestivals(m, dow, d);
    case InstanceKind::kLastWeekFestivals: return LastWeekFestivals(y, m, d);
    case InstanceKind::kLunarFestivals:
      return LunarFestivals(ly, lm, ld, SolarTermText(y, m, d), leap);
    case InstanceKind::kZodiacAnimal: return ZodiacAnimal(ly);
  }
  return u"?";
}

TEST(DayTexts, EveryKindOnEveryDayOf1990To2050IsWhatTheBuildersGive) {
  using namespace std::chrono;
  long compared = 0;
  for (sys_days day = sys_days{year{1990} / 1 / 1}; day <= sys_days{year{2050} / 12 / 31};
       day += days{1}) {
    const year_month_day date{day};
    const auto y = static_cast<std::uint16_t>(static_cast<int>(date.year()));
    const auto m = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    const auto d = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    // The clock's day of week, right or (on the odd day) wrong: both
    // weekday texts follow what the clock says.
    const std::uint16_t dow = static_cast<std::uint16_t>(
        d % 11 == 0 ? (weekday{day}.c_encoding() + 3) % 7 : weekday{day}.c_encoding());
    for (const std::uint16_t hour : {0, 1, 12, 23}) {
      const auto facts = FactsOf(date, hour, dow);
      ASSERT_TRUE(facts);
      for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
        const auto kind = static_cast<InstanceKind>(k);
        ASSERT_EQ(KindText(kind, *facts), BuilderText(kind, y, m, d, dow, hour))
            << testing::DateText(y, m, d) << ' ' << hour << ":00 "
            << testing::Narrow(std::u16string(InstanceKeywords[k]));
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 22280L * 4 * 14);
}

}  // namespace
}  // namespace moonfold
