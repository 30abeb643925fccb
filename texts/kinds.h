// The kinds of text: every keyword the plug-in and the command know, in one
// table.  A row gives the keyword, the function that builds its text from a
// day's facts, and the stretch of time its text holds for.  The plug-in's slots,
// the command's keywords, its JSON keys and its help all follow this table,
// in its order; a new kind of text is a builder and a row.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ascii_case.h"
#include "cycles/pillars.h"
#include "facts/day_facts.h"
#include "texts/almanac_texts.h"
#include "texts/day_texts.h"
#include "texts/names.h"

namespace moonfold {

// The stretch of time around a moment in which a kind's text stays what
// it is: [start, end).
struct TextPeriod {
  BeijingTime start, end;
};
using PeriodOf = TextPeriod (*)(const DayFacts& facts) noexcept;

// The day that holds `now`: the texts of a day.
constexpr TextPeriod DayPeriodAt(BeijingTime now) noexcept {
  const auto midnight = std::chrono::floor<std::chrono::days>(now);
  return {midnight, midnight + std::chrono::days{1}};
}
constexpr TextPeriod DayPeriod(const DayFacts& facts) noexcept { return DayPeriodAt(facts.time); }

// The double hour that holds `now` (子 from 23:00, 丑 from 01:00 …), cut at
// midnight: the text of the double hour is rebuilt with the day's texts.
constexpr TextPeriod DoubleHourPeriodAt(BeijingTime now) noexcept {
  using namespace std::chrono;
  const TextPeriod day = DayPeriodAt(now);
  const auto hour = floor<hours>(now - day.start).count();
  const auto first = day.start + hours{hour % 2 == 0 ? hour - 1 : hour};
  return {std::max(first, day.start), std::min(first + hours{2}, day.end)};
}
constexpr TextPeriod DoubleHourPeriod(const DayFacts& facts) noexcept {
  return DoubleHourPeriodAt(facts.time);
}

// The stretch of the four pillars: the double hour, cut at the 节 term
// instants at which the month (and at 立春 the year) turns.
constexpr TextPeriod PillarsPeriod(const DayFacts& facts) noexcept {
  TextPeriod period = DoubleHourPeriodAt(facts.time);
  if (const auto turned = SolarTermInstantAt(facts.terms.latest_jie);
      turned && *turned > period.start) {
    period.start = *turned;
  }
  if (const auto next = SolarTermInstantAt(facts.terms.latest_jie + 2);
      next && *next < period.end) {
    period.end = *next;
  }
  return period;
}

static_assert(DoubleHourPeriodAt(DayPeriodAt(BeijingTime{}).start + std::chrono::hours{2}).start ==
              BeijingTime{} + std::chrono::hours{1});

struct TextKindRow {
  std::u16string_view keyword;  // upper case; matched whatever the case
  TextBuilder build;
  PeriodOf period;  // when its text can change
};

// In the order of the command's listing, its JSON and its help.
inline constexpr std::array kTextKinds{
    TextKindRow{u"LUNARDAY", texts::LunarDayText, DayPeriod},
    TextKindRow{u"LUNARMONTH", texts::LunarMonthText, DayPeriod},
    TextKindRow{u"WEEKDAY", texts::WeekdayText, DayPeriod},
    TextKindRow{u"HEYEAR", texts::YearCycleText, DayPeriod},
    TextKindRow{u"HEMONTH", texts::MonthCycleText, DayPeriod},
    TextKindRow{u"HEDAY", texts::DayCycleText, DayPeriod},
    TextKindRow{u"HEHOUR", texts::HourBranchText, DoubleHourPeriod},
    TextKindRow{u"SOLAR", texts::SolarTermText, DayPeriod},
    TextKindRow{u"CONSTELLATION", texts::StarSignText, DayPeriod},
    TextKindRow{u"FEASTS", texts::FixedDateFestivalText, DayPeriod},
    TextKindRow{u"FWEEKDAY", texts::WeekdayFestivalText, DayPeriod},
    TextKindRow{u"FLASTWEEK", texts::LastWeekdayFestivalText, DayPeriod},
    TextKindRow{u"FLUNARS", texts::LunarFestivalText, DayPeriod},
    TextKindRow{u"TWELVEANIMALS", texts::AnimalText, DayPeriod},
    TextKindRow{u"COUNTDOWN", texts::CountdownText, DayPeriod},
    TextKindRow{u"NEXTTERM", texts::NextTermText, DayPeriod},
    TextKindRow{u"HOLIDAY", texts::HolidayText, DayPeriod},
    TextKindRow{u"DAYOFF", texts::DayOffText, DayPeriod},
    TextKindRow{u"SEASONDAYS", texts::SeasonDaysText, DayPeriod},
    TextKindRow{u"PENTAD", texts::PentadText, DayPeriod},
    TextKindRow{u"PILLARS", texts::PillarsText, PillarsPeriod},
    TextKindRow{u"MOONPHASE", texts::MoonPhaseText, DayPeriod},
    TextKindRow{u"DUTY", texts::DutyText, DayPeriod},
    TextKindRow{u"DAYGOD", texts::DayGodText, DayPeriod},
    TextKindRow{u"MANSION", texts::MansionText, DayPeriod},
    TextKindRow{u"CLASH", texts::ClashText, DayPeriod},
    TextKindRow{u"PENGZU", texts::PengzuText, DayPeriod},
    TextKindRow{u"DIRECTIONS", texts::DirectionsText, DayPeriod},
    TextKindRow{u"LUCKYHOURS", texts::LuckyHoursText, DayPeriod},
};
inline constexpr std::size_t kTextKindCount = kTextKinds.size();

// A kind: its row in kTextKinds.
struct TextKind {
  std::uint8_t index = 0;
  constexpr const TextKindRow& Row() const noexcept { return kTextKinds[index]; }
  friend constexpr bool operator==(TextKind, TextKind) = default;
};

// The kind a keyword names, whatever the case of its letters A to Z: a
// text of known length, or a NUL-terminated one of any length (read no
// further than the longest keyword).
template <typename Text>
constexpr std::optional<TextKind> KindOfKeyword(Text keyword) noexcept {
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    if (EqualsIgnoringAsciiCase(kTextKinds[k].keyword, keyword)) {
      return TextKind{static_cast<std::uint8_t>(k)};
    }
  }
  return std::nullopt;
}

// The kind of a keyword known when the program is compiled.
consteval TextKind KindNamed(std::u16string_view keyword) { return KindOfKeyword(keyword).value(); }

static_assert(KindOfKeyword(u"lunarDay") == KindNamed(u"LUNARDAY"));
static_assert(!KindOfKeyword(u"LUNARDAYS") && !KindOfKeyword(u" LUNARDAY"));

// The text of a kind for the facts of a moment, in a script.
inline std::u16string KindText(TextKind kind, const DayFacts& facts, Script script) {
  return kind.Row().build(facts, script);
}

}  // namespace moonfold
