#include "cycles/solar_terms.h"

namespace moonfold {
namespace {

// The days of the terms, one byte per Gregorian month from January 1990 to
// December 2050, byte (year - 1990) * 12 + (month - 1).  The high nibble h
// puts the month's first term on day 15 - h, the low nibble l its second on
// day 15 + l.  The days are those of the terms' instants in Beijing time
// (UTC+8), the time the Chinese calendar is reckoned in; the bytes are
// packed from the instants (solar_term_data.h) when the library is compiled.
//
// Six bytes once put a term a day or more away from its instant: May 1991,
// August 1995, July 2033, August 2034, April 2049 and September 2050.
constexpr std::array<std::uint8_t, 732> SolarTermDays = [] {
  std::array<std::uint8_t, 732> days{};
  for (int year = kFirstTableYear; year <= kLastTableYear; ++year) {
    for (unsigned month = 1; month <= 12; ++month) {
      const unsigned first = SolarTermDayOfMonth(year, 2 * month - 2);
      const unsigned second = SolarTermDayOfMonth(year, 2 * month - 1);
      days[static_cast<std::size_t>(year - kFirstTableYear) * 12 + month - 1] =
          static_cast<std::uint8_t>((15 - first) << 4 | (second - 15));
    }
  }
  return days;
}();

// A January 1990 (A5: 小寒 on the 5th, 大寒 on the 20th) and the last month.
static_assert(SolarTermDays[0] == 0xA5 && SolarTermDays[731] == 0x87);
static_assert(SolarTermDays.size() == 12 * (kLastTableYear - kFirstTableYear + 1));

}  // namespace

std::uint16_t SolarTermIndex(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day) noexcept {
  if (year < kFirstTableYear || year > kLastTableYear || month < 1 || month > 12) {
    return kNoSolarTerm;
  }
  const std::uint8_t packed = SolarTermDays[(year - kFirstTableYear) * 12 + (month - 1)];
  // Days 1..14 can only hold the month's first term, days 15.. its second;
  // the second term is never earlier than the 18th, so the 15th has none.
  const unsigned term_day = day < 15 ? 15u - (packed >> 4) : 15u + (packed & 0x0F);
  if (day != term_day) return kNoSolarTerm;
  return static_cast<std::uint16_t>(day > 15 ? 2 * month - 1 : 2 * month - 2);
}

std::u16string SolarTermText(CalendarNumber year, CalendarNumber month,
                             CalendarNumber day) {
  const std::uint16_t index = SolarTermIndex(year, month, day);
  if (index >= SolarTermNames.size()) return {};
  return std::u16string(SolarTermNames[index]);
}

}  // namespace moonfold
