#include "facts/events.h"

#include <cstdint>

#include "facts/day_facts.h"
#include "lunar/moon_phases.h"

namespace moonfold {
namespace {

using namespace std::chrono;

// An event of a day, with the day's lunar date.
CalendarEvent EventOf(const DayFacts& facts, EventKind kind) {
  CalendarEvent e;
  e.date = facts.date;
  e.lunar = facts.lunar;
  e.kind = kind;
  return e;
}

// One event for each festival of a run, numbered on from `ordinal` by its
// place in the run: a festival not kept that year leaves its number unused,
// so each festival of a date keeps its number whichever are kept.
void AddFestivals(std::vector<CalendarEvent>& events, const DayFacts& facts, EventKind kind,
                  FestivalTable table, FestivalRun run, unsigned& ordinal) {
  const unsigned first = ordinal;
  ordinal += run.count;
  for (const unsigned row : run) {
    CalendarEvent e = EventOf(facts, kind);
    e.festival = {table, static_cast<std::uint8_t>(row)};
    e.ordinal = first + (row - run.first);
    e.uncertain =
        table == FestivalTable::kLunar && IsUncertainLunarDay(sys_days{facts.date}, facts.lunar);
    events.push_back(e);
  }
}

// The event of a day off or a make-up day, where the kinds want it.
void AddOfficialDay(std::vector<CalendarEvent>& events, const DayFacts& facts,
                    const Arrangement& arrangement, EventKinds kinds) {
  const OfficialDay& official = facts.official;
  const EventKind kind = official.status == DayStatus::kDayOff ? EventKind::kOff : EventKind::kWork;
  if ((official.status != DayStatus::kDayOff && official.status != DayStatus::kMakeUpWork) ||
      (kinds & KindBit(kind)) == 0) {
    return;
  }
  CalendarEvent e = EventOf(facts, kind);
  e.holiday = official.holiday;
  if (kind == EventKind::kOff) {
    // The span that holds the day gives its first and last day off.
    const auto n = static_cast<std::int32_t>(sys_days{facts.date}.time_since_epoch().count());
    for (const HolidaySpan& span : arrangement.spans) {
      if (span.first_off <= n && n <= span.last_off) {
        e.first_off = sys_days{days{span.first_off}};
        e.last_off = sys_days{days{span.last_off}};
      }
    }
    // A calendar file describes the holiday by its first day off.
    e.first_off_lunar = e.first_off == sys_days{facts.date} ? facts.lunar : *ToLunar(e.first_off);
  }
  events.push_back(e);
}

// The event of a principal phase of the moon on the day, if one falls on it.
std::optional<CalendarEvent> MoonEvent(const DayFacts& facts) {
  if (!facts.moon.instant) return std::nullopt;
  CalendarEvent e = EventOf(facts, EventKind::kMoon);
  e.quarter = static_cast<unsigned>(facts.moon.phase) / 2;
  e.time = facts.moon.instant;
  e.ordinal = e.quarter;
  e.uncertain = e.quarter == 0 && IsUncertainMonthStart(sys_days{facts.date});
  return e;
}

}  // namespace

std::vector<CalendarEvent> EventsOf(int first_year, int last_year, EventKinds kinds,
                                    const Arrangement& arrangement) {
  const auto wanted = [kinds](EventKind kind) { return (kinds & KindBit(kind)) != 0; };
  std::vector<CalendarEvent> events;
  first_year = std::max(first_year, kFirstCalendarYear);
  last_year = std::min(last_year, kLastCalendarYear);
  if (first_year > last_year) return events;
  const sys_days first{year{first_year} / January / 1};
  const sys_days last{year{last_year} / December / 31};
  for (sys_days day = first; day <= last; day += days{1}) {
    const std::optional<DayFacts> facts = FactsOf(WallTime(year_month_day{day}), arrangement);
    if (!facts) continue;
    if (facts->solar_term && wanted(EventKind::kTerm)) {
      CalendarEvent e = EventOf(*facts, EventKind::kTerm);
      e.term = e.ordinal = *facts->solar_term;
      e.minute = TermMinuteAt(facts->terms.latest);
      if (e.minute != TermMinute::kDayOnly) e.time = SolarTermInstantAt(facts->terms.latest);
      e.reckoned = ReckonedTermInstantAt(facts->terms.latest);
      e.uncertain = IsUncertainTermAt(facts->terms.latest);
      events.push_back(e);
    }
    unsigned ordinal = 0;
    if (wanted(EventKind::kLunar)) {
      AddFestivals(events, *facts, EventKind::kLunar, FestivalTable::kLunar, facts->lunar_festivals,
                   ordinal);
    }
    AddOfficialDay(events, *facts, arrangement, kinds);
    if (const auto moon = MoonEvent(*facts);
        moon && wanted(EventKind::kMoon) && moon->quarter % 2 == 0) {
      events.push_back(*moon);
    }
    if (!wanted(EventKind::kGregorian)) continue;
    ordinal = 0;
    AddFestivals(events, *facts, EventKind::kGregorian, FestivalTable::kFixedDate,
                 facts->fixed_festivals, ordinal);
    AddFestivals(events, *facts, EventKind::kGregorian, FestivalTable::kWeekdayRule,
                 facts->weekday_festivals, ordinal);
    AddFestivals(events, *facts, EventKind::kGregorian, FestivalTable::kLastWeekday,
                 facts->last_week_festivals, ordinal);
  }
  return events;
}

std::vector<CalendarEvent> EventsAfter(sys_days today, std::size_t count, EventKinds kinds,
                                       const Arrangement& arrangement) {
  std::vector<CalendarEvent> found;
  for (int y = static_cast<int>(year_month_day{today}.year());
       y <= kLastCalendarYear && found.size() < count; ++y) {
    for (const CalendarEvent& e : EventsOf(y, y, kinds, arrangement)) {
      // A holiday's days off come once, on the first still to come.
      const bool later_day_off = e.kind == EventKind::kOff && sys_days{e.date} > e.first_off &&
                                 sys_days{e.date} - days{1} > today;
      if (sys_days{e.date} > today && !later_day_off && found.size() < count) found.push_back(e);
    }
  }
  return found;
}

std::vector<CalendarEvent> MoonPhasesBetween(sys_days first, sys_days last) {
  std::vector<CalendarEvent> phases;
  for (sys_days day = first; day <= last; day += days{1}) {
    if (const auto facts = FactsOf(WallTime(year_month_day{day}))) {
      if (const auto moon = MoonEvent(*facts)) phases.push_back(*moon);
    }
  }
  return phases;
}

}  // namespace moonfold
