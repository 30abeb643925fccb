// The calendar's dates and facts through the C interface.
#include <array>
#include <cstddef>

#include "boundary.h"
#include "cycles/eras.h"
#include "moonfold_version.h"

namespace {

using namespace std::chrono;
using namespace moonfold;
using namespace moonfold::boundary;

// The size of the first moonfold_facts, which every later one begins
// with: through lucky_hours.
constexpr std::size_t kFirstFactsSize = offsetof(moonfold_facts_t, lucky_hours) + sizeof(int);

// The most festivals of one table on one day, from the tables, against
// the room the struct gives them.
template <typename Table, typename Same>
constexpr std::size_t LongestRun(const Table& table, Same same) {
  std::size_t longest = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    longest = std::max<std::size_t>(longest, detail::RunFrom(table, i, same).count);
  }
  return longest;
}
constexpr bool SameDate(MonthDay a, MonthDay b) { return a.month == b.month && a.day == b.day; }
static_assert(LongestRun(kFixedDateFestivalDays, SameDate) <= MOONFOLD_MAX_FESTIVALS);
static_assert(LongestRun(kLunarFestivalDays, SameDate) <= MOONFOLD_MAX_FESTIVALS);
static_assert(LongestRun(kWeekdayFestivalRules, detail::SameRule) <= MOONFOLD_MAX_FESTIVALS);
static_assert(LongestRun(kLastWeekdayFestivalRules, detail::SameRule) <= MOONFOLD_MAX_FESTIVALS);

moonfold_festival_list ListOf(FestivalTable table, FestivalRun run) {
  moonfold_festival_list list{};
  for (const unsigned row : run) {
    if (list.count == MOONFOLD_MAX_FESTIVALS) break;
    list.ids[list.count++] = static_cast<int>(FestivalKey({table, static_cast<std::uint8_t>(row)}));
  }
  return list;
}

int OfficialOf(DayStatus status) {
  switch (status) {
    case DayStatus::kUnknown: return MOONFOLD_DAY_UNANNOUNCED;
    case DayStatus::kOrdinary: return MOONFOLD_DAY_ORDINARY;
    case DayStatus::kDayOff: return MOONFOLD_DAY_OFF;
    case DayStatus::kMakeUpWork: return MOONFOLD_DAY_MAKE_UP;
  }
  return MOONFOLD_DAY_UNANNOUNCED;
}

// The day's term, as the tables hold it.
void TermOfDay(const DayFacts& f, moonfold_facts_t& c) {
  c.solar_term = f.solar_term ? static_cast<int>(*f.solar_term) : -1;
  if (!f.solar_term) return;
  c.solar_term_minute = MinuteOf(TermMinuteAt(f.terms.latest));
  c.solar_term_time = MomentOf(*SolarTermInstantAt(f.terms.latest));
  c.solar_term_uncertain = IsUncertainTermAt(f.terms.latest) ? 1 : 0;
  if (const auto reckoned = ReckonedTermInstantAt(f.terms.latest)) {
    c.solar_term_issued = 1;
    c.solar_term_reckoned = MomentOf(*reckoned);
  }
}

void Countdowns(const DayFacts& f, moonfold_facts_t& c) {
  c.next_term = -1;
  if (f.next_term) {
    c.next_term = static_cast<int>(f.next_term->term);
    c.next_term_time = MomentOf(f.next_term->instant);
    c.next_term_days = f.next_term->days;
    c.next_term_uncertain = IsUncertainTermAt(f.terms.latest + 1) ? 1 : 0;
  }
  c.next_festival = -1;
  if (f.next_festival) {
    c.next_festival = static_cast<int>(f.next_festival->festival);
    c.next_festival_date = DateOf(year_month_day{f.next_festival->day});
    c.next_festival_days = f.next_festival->days;
  }
}

void Almanac(const DayFacts& f, moonfold_facts_t& c) {
  const AlmanacDay& a = f.almanac;
  c.almanac_month_branch = static_cast<int>(a.month_branch);
  c.duty = static_cast<int>(a.duty);
  c.day_god = static_cast<int>(a.day_god);
  c.day_god_yellow = IsYellowPath(a.day_god) ? 1 : 0;
  c.mansion = static_cast<int>(a.mansion);
  c.mansion_lucky = kMansionIsLucky[a.mansion % kMansionIsLucky.size()] ? 1 : 0;
  c.clash_cycle = static_cast<int>(a.clash.against.value);
  c.sha_quarter = static_cast<int>(a.clash.sha);
  c.joy_direction = static_cast<int>(a.joy_god);
  c.wealth_direction = static_cast<int>(a.wealth_god);
  c.lucky_hours = a.lucky_hours;
}

// The years as people wrote them.
void Eras(const DayFacts& f, moonfold_facts_t& c) {
  const auto reign = ReignYearOf(f.lunar.year);
  c.era = reign ? static_cast<int>(reign->era) : -1;
  c.era_year = reign ? reign->year : 0;
  const auto republic = RepublicYearOf(static_cast<int>(f.date.year()));
  c.republic_year = republic ? republic->year : 0;
}

moonfold_facts_t FactsStruct(const DayFacts& f) {
  moonfold_facts_t c{};
  c.size = sizeof c;
  c.time = MomentOf(f.time);
  c.weekday = static_cast<int>(f.day_of_week);
  c.lunar = LunarOf(f.lunar);
  c.lunar_uncertain = IsUncertainLunarDay(sys_days{f.date}, f.lunar) ? 1 : 0;
  c.year_cycle = static_cast<int>(f.year_cycle.value);
  c.month_cycle = static_cast<int>(f.month_cycle.value);
  c.day_cycle = static_cast<int>(f.day_cycle.value);
  c.hour_branch = static_cast<int>(f.hour_branch);
  c.zodiac = static_cast<int>(f.year_cycle.Branch());
  c.pillar_year = static_cast<int>(f.pillars.year.value);
  c.pillar_month = static_cast<int>(f.pillars.month.value);
  c.pillar_day = static_cast<int>(f.pillars.day.value);
  c.pillar_hour = static_cast<int>(f.pillars.hour.value);
  TermOfDay(f, c);
  Countdowns(f, c);
  Eras(f, c);
  c.star_sign = static_cast<int>(f.star_sign);
  c.fixed_festivals = ListOf(FestivalTable::kFixedDate, f.fixed_festivals);
  c.weekday_festivals = ListOf(FestivalTable::kWeekdayRule, f.weekday_festivals);
  c.last_week_festivals = ListOf(FestivalTable::kLastWeekday, f.last_week_festivals);
  c.lunar_festivals = ListOf(FestivalTable::kLunar, f.lunar_festivals);
  c.official = OfficialOf(f.official.status);
  c.holiday = f.official.status == DayStatus::kDayOff || f.official.status == DayStatus::kMakeUpWork
                  ? static_cast<int>(f.official.holiday)
                  : -1;
  c.moon_phase = static_cast<int>(f.moon.phase);
  if (f.moon.instant) {
    c.moon_has_time = 1;
    c.moon_time = MomentOf(*f.moon.instant);
    c.moon_uncertain = f.moon.phase == MoonPhase::kNew && IsUncertainMonthStart(sys_days{f.date});
  }
  c.season_period = static_cast<int>(f.season.period);
  c.season_day = static_cast<int>(f.season.day);
  c.pentad = static_cast<int>(f.pentad);
  Almanac(f, c);
  return c;
}

// "a day outside the calendar's range, 1645-01-28 … 2100-12-31", made
// from the range when the library is compiled.
constexpr auto kRangeMessage = [] {
  std::array<char, 80> text{};
  std::size_t n = 0;
  const auto put = [&](const char* s) {
    while (*s != '\0') text[n++] = *s++;
  };
  const auto date = [&](int y, int m, int d) {
    const int digits[]{y / 1000, y / 100 % 10, y / 10 % 10, y % 10, -1,
                       m / 10,   m % 10,       -1,          d / 10, d % 10};
    for (const int digit : digits) text[n++] = digit < 0 ? '-' : static_cast<char>('0' + digit);
  };
  const year_month_day first{kFirstCalendarDay}, last{kLastCalendarDay};
  put("a day outside the calendar's range, ");
  date(static_cast<int>(first.year()), static_cast<int>(unsigned{first.month()}),
       static_cast<int>(unsigned{first.day()}));
  put(" \xE2\x80\xA6 ");
  date(static_cast<int>(last.year()), static_cast<int>(unsigned{last.month()}),
       static_cast<int>(unsigned{last.day()}));
  return text;
}();

}  // namespace

extern "C" int moonfold_to_lunar(int year, int month, int day, moonfold_lunar_date* out) {
  if (out == nullptr) return MOONFOLD_ERROR_NULL;
  sys_days date;
  if (const int status = DayOf(year, month, day, date); status != MOONFOLD_OK) return status;
  *out = LunarOf(*ToLunar(date));
  return MOONFOLD_OK;
}

extern "C" int moonfold_from_lunar(const moonfold_lunar_date* date, int* year, int* month,
                                   int* day) {
  if (date == nullptr || year == nullptr || month == nullptr || day == nullptr)
    return MOONFOLD_ERROR_NULL;
  // The lunar year before the first holds the range's first days.
  if (date->year < kFirstCalendarYear - 1 || date->year > kLastCalendarYear) {
    return MOONFOLD_ERROR_RANGE;
  }
  if (date->month < 1 || date->month > 12 || date->day < 1 || date->day > 30 ||
      (date->leap != 0 && date->leap != 1)) {
    return MOONFOLD_ERROR_DATE;
  }
  const auto m = static_cast<unsigned>(date->month), d = static_cast<unsigned>(date->day);
  const bool leap = date->leap == 1;
  if (leap && LeapMonthIn(date->year) != m) return MOONFOLD_ERROR_DATE;
  const unsigned length = DaysInLunarMonth(date->year, m, leap);
  // The months of the lunar year before the first that lie before the range.
  if (length == 0) return MOONFOLD_ERROR_RANGE;
  if (d > length) return MOONFOLD_ERROR_DATE;
  const auto found = FromLunar({date->year, m, d, leap});
  if (!found) return MOONFOLD_ERROR_RANGE;
  const moonfold_date g = DateOf(year_month_day{*found});
  *year = g.year;
  *month = g.month;
  *day = g.day;
  return MOONFOLD_OK;
}

extern "C" int moonfold_facts_with(int year, int month, int day, int hour, int minute,
                                   const moonfold_arrangement_t* arrangement,
                                   moonfold_facts_t* out) {
  if (out == nullptr) return MOONFOLD_ERROR_NULL;
  if (out->size < kFirstFactsSize) return MOONFOLD_ERROR_SIZE;
  BeijingTime time;
  if (const int status = MomentOf(year, month, day, hour, minute, time); status != MOONFOLD_OK) {
    return status;
  }
  const auto facts = FactsOf(time, ArrangementOf(arrangement));
  if (!facts) return MOONFOLD_ERROR_RANGE;
  const moonfold_facts_t full = FactsStruct(*facts);
  return CopySized(&full, sizeof full, out, out->size, kFirstFactsSize);
}

extern "C" int moonfold_facts(int year, int month, int day, int hour, int minute,
                              moonfold_facts_t* out) {
  return moonfold_facts_with(year, month, day, hour, minute, nullptr, out);
}

extern "C" int moonfold_range(moonfold_date_t* first, moonfold_date_t* last) {
  if (first == nullptr || last == nullptr) return MOONFOLD_ERROR_NULL;
  *first = DateOf(year_month_day{kFirstCalendarDay});
  *last = DateOf(year_month_day{kLastCalendarDay});
  return MOONFOLD_OK;
}

extern "C" const char* moonfold_strerror(int code) {
  switch (code) {
    case MOONFOLD_OK: return "success";
    case MOONFOLD_ERROR_RANGE: return kRangeMessage.data();
    case MOONFOLD_ERROR_DATE: return "a date that does not exist";
    case MOONFOLD_ERROR_NULL: return "a null pointer where one is needed";
    case MOONFOLD_ERROR_KEYWORD: return "not a keyword";
    case MOONFOLD_ERROR_SCRIPT: return "a script other than 0 (simplified) and 1 (traditional)";
    case MOONFOLD_ERROR_TIME: return "no time of day (hour 0..23, minute 0..59)";
    case MOONFOLD_ERROR_MEMORY: return "memory ran out";
    case MOONFOLD_ERROR_UNANNOUNCED: return "no notice has announced the year's official days";
    case MOONFOLD_ERROR_NAME: return "no such kind of name, or no such id";
    case MOONFOLD_ERROR_SIZE: return "a struct size smaller than any this library knows";
    case MOONFOLD_ERROR_KINDS: return "event kinds outside MOONFOLD_EVENT_ALL";
    case MOONFOLD_ERROR_FILE: return "a holiday file that cannot be read, or is refused";
    default: return "not a Moonfold result code";
  }
}

extern "C" const char* moonfold_version(void) { return kVersionText; }

extern "C" int moonfold_version_number(void) { return kVersionNumber; }
