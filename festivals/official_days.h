// What the official arrangement makes of a day: a day off of a holiday, a
// weekend day worked in exchange (调休上班), an ordinary day, or unknown —
// for a year no notice has announced yet is not an ordinary year.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "festivals/holiday_data.h"
#include "festivals/official_day_types.h"
#include "lunar/lunar_calendar.h"

namespace moonfold {

enum class DayStatus : std::uint8_t {
  kUnknown,     // no arrangement is known for the day's year
  kOrdinary,    // a working day Monday to Friday, a day off at the weekend
  kDayOff,      // an official day off (放假)
  kMakeUpWork,  // a weekend day worked (调休上班)
};

struct OfficialDay {
  DayStatus status = DayStatus::kUnknown;
  Holiday holiday{};  // for a day off or a make-up day
  friend constexpr bool operator==(const OfficialDay&, const OfficialDay&) = default;
};

// The Gregorian years of the calendar whose arrangement is known.
class KnownYears {
 public:
  constexpr KnownYears() = default;
  constexpr KnownYears(int first, int last) noexcept {
    for (int y = first; y <= last; ++y) Add(y);
  }
  constexpr void Add(int year) noexcept {
    if (InCalendarYears(year)) bits_[Index(year) / 32] |= 1u << (Index(year) % 32);
  }
  constexpr bool Has(int year) const noexcept {
    return InCalendarYears(year) && (bits_[Index(year) / 32] >> (Index(year) % 32) & 1u);
  }

 private:
  static constexpr unsigned Index(int year) noexcept {
    return static_cast<unsigned>(year - kFirstCalendarYear);
  }
  std::uint32_t bits_[(kLastCalendarYear - kFirstCalendarYear) / 32 + 1]{};
};

// An arrangement: its spans of days off in date order, its make-up days in
// date order, and the years it knows.  The built-in one is what the
// library was built with; the command may replace years with a user's file.
struct Arrangement {
  std::span<const HolidaySpan> spans;
  std::span<const MakeUpDay> make_up_days;
  KnownYears years;
};

inline constexpr Arrangement kBuiltInArrangement{kHolidaySpans, kMakeUpDays,
                                                 KnownYears(kFirstHolidayYear, kLastHolidayYear)};

// What `arrangement` makes of a day.  A day of a known year, or one that a
// known year's notice names (2005-12-31, worked for 元旦 of 2006), has its
// status; any other is unknown.
constexpr OfficialDay OfficialDayOf(const Arrangement& arrangement, std::chrono::sys_days day,
                                    int year) noexcept {
  const auto n = static_cast<std::int32_t>(day.time_since_epoch().count());
  const auto& spans = arrangement.spans;
  const DayStatus plain = arrangement.years.Has(year) ? DayStatus::kOrdinary : DayStatus::kUnknown;
  // Most days of the calendar lie years away from any notice: before the
  // first day a notice names, or after the last (days off and make-up days
  // alike, each list in date order).
  const auto& work = arrangement.make_up_days;
  if (spans.empty()) return {plain, Holiday{}};
  const std::int32_t first =
      work.empty() ? spans.front().first_off : std::min(spans.front().first_off, work.front().day);
  const std::int32_t last =
      work.empty() ? spans.back().last_off : std::max(spans.back().last_off, work.back().day);
  if (n < first || n > last) return {plain, Holiday{}};
  // The last span that begins on or before the day.
  const auto after =
      std::upper_bound(spans.begin(), spans.end(), n,
                       [](std::int32_t d, const HolidaySpan& s) { return d < s.first_off; });
  if (after != spans.begin() && n <= std::prev(after)->last_off) {
    return {DayStatus::kDayOff, std::prev(after)->holiday};
  }
  const auto found = std::lower_bound(work.begin(), work.end(), n,
                                      [](const MakeUpDay& w, std::int32_t d) { return w.day < d; });
  if (found != work.end() && found->day == n) {
    return {DayStatus::kMakeUpWork, spans[found->span].holiday};
  }
  return {plain, Holiday{}};
}

constexpr OfficialDay OfficialDayOf(const Arrangement& arrangement,
                                    std::chrono::sys_days day) noexcept {
  return OfficialDayOf(arrangement, day, static_cast<int>(std::chrono::year_month_day{day}.year()));
}

// Whether a day is worked: not on a day off, on a make-up day, else Monday
// to Friday; nothing for a day whose arrangement is unknown.
constexpr std::optional<bool> IsWorkingDay(const OfficialDay& official,
                                           std::chrono::sys_days day) noexcept {
  switch (official.status) {
    case DayStatus::kUnknown: return std::nullopt;
    case DayStatus::kDayOff: return false;
    case DayStatus::kMakeUpWork: return true;
    case DayStatus::kOrdinary: break;
  }
  return std::chrono::weekday{day}.iso_encoding() <= 5;
}

}  // namespace moonfold
