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
  PeriodOf period;           // when its text can change
  std::string_view meaning;  // what it shows, as the manual and the help list it
};

// In the order of the command's listing, its JSON and its help.
inline constexpr std::array kTextKinds{
    TextKindRow{u"LUNARDAY", texts::LunarDayText, DayPeriod, "the lunar day (初二)"},
    TextKindRow{u"LUNARMONTH", texts::LunarMonthText, DayPeriod,
                "the lunar month, 闰 before a leap month (十, 闰二)"},
    TextKindRow{u"WEEKDAY", texts::WeekdayText, DayPeriod, "the weekday (日, 一 … 六)"},
    TextKindRow{u"HEYEAR", texts::YearCycleText, DayPeriod,
                "the stem-branch name of the lunar year (庚寅)"},
    TextKindRow{u"HEMONTH", texts::MonthCycleText, DayPeriod,
                "the stem-branch name of the lunar month"},
    TextKindRow{u"HEDAY", texts::DayCycleText, DayPeriod, "the stem-branch name of the day"},
    TextKindRow{u"HEHOUR", texts::HourBranchText, DoubleHourPeriod,
                "the earthly branch of the double hour (子 from 23:00)"},
    TextKindRow{u"SOLAR", texts::SolarTermText, DayPeriod,
                "the solar term that falls on the day, else nothing"},
    TextKindRow{u"CONSTELLATION", texts::StarSignText, DayPeriod, "the western star sign (天蝎座)"},
    TextKindRow{u"FEASTS", texts::FixedDateFestivalText, DayPeriod,
                "the festivals of the Gregorian date"},
    TextKindRow{u"FWEEKDAY", texts::WeekdayFestivalText, DayPeriod,
                "the festivals of the n-th weekday of the month (母亲节)"},
    TextKindRow{u"FLASTWEEK", texts::LastWeekdayFestivalText, DayPeriod,
                "the festivals of the month's last weeks (感恩节(US))"},
    TextKindRow{u"FLUNARS", texts::LunarFestivalText, DayPeriod,
                "the lunar festivals, New Year's Eve, 清明节 and 冬至节"},
    TextKindRow{u"TWELVEANIMALS", texts::AnimalText, DayPeriod,
                "the zodiac animal of the lunar year"},
    TextKindRow{u"COUNTDOWN", texts::CountdownText, DayPeriod,
                "the days to the next great festival (距春节还有1天)"},
    TextKindRow{u"NEXTTERM", texts::NextTermText, DayPeriod,
                "the days to the next solar term (距冬至还有14天)"},
    TextKindRow{u"HOLIDAY", texts::HolidayText, DayPeriod,
                "on an official day off, its holiday as the notice names it"},
    TextKindRow{u"DAYOFF", texts::DayOffText, DayPeriod,
                "休 on an official day off, 班 on a weekend day worked in exchange"},
    TextKindRow{u"SEASONDAYS", texts::SeasonDaysText, DayPeriod,
                "the day of the dog days or of the nines of winter (初伏第6天)"},
    TextKindRow{u"PENTAD", texts::PentadText, DayPeriod,
                "the pentad of the day, one of the 72 (水始冰)"},
    TextKindRow{u"PILLARS", texts::PillarsText, PillarsPeriod,
                "the four pillars at the minute: year, month, day, hour"},
    TextKindRow{u"MOONPHASE", texts::MoonPhaseText, DayPeriod,
                "the moon's phase (新月, 满月, 残月 …)"},
    TextKindRow{u"DUTY", texts::DutyText, DayPeriod, "the day's officer of the twelve (建除: 开)"},
    TextKindRow{u"DAYGOD", texts::DayGodText, DayPeriod,
                "the day's god of the twelve with its path (朱雀(黑道))"},
    TextKindRow{u"MANSION", texts::MansionText, DayPeriod,
                "the day's lunar mansion of the 28 (房日兔)"},
    TextKindRow{u"CLASH", texts::ClashText, DayPeriod,
                "the animal and day the day clashes with, and 煞 (冲兔(乙卯)煞东)"},
    TextKindRow{u"PENGZU", texts::PengzuText, DayPeriod,
                "the 彭祖百忌 sayings of the day's stem and branch"},
    TextKindRow{u"DIRECTIONS", texts::DirectionsText, DayPeriod,
                "where the gods of joy and of wealth stand (喜神西南 财神正东)"},
    TextKindRow{u"LUCKYHOURS", texts::LuckyHoursText, DayPeriod,
                "the double hours of the yellow path (子 寅 卯 午 未 酉)"},
    TextKindRow{u"ERA", texts::EraText, DayPeriod,
                "the reign year of the lunar year, to lunar 1911 (光绪二十六年)"},
    TextKindRow{u"ROCYEAR", texts::RepublicYearText, DayPeriod,
                "the year of the Republic, from 1912, as Taiwan writes it (民国115年)"},
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
