// The dated events of whole years: every solar term and lunar festival,
// the official days off and make-up days, the new and full moons and, on
// request, the Gregorian-date festivals, each from its day's facts.  The
// command's listings and calendar files and the library's event calls all
// read them, so they always agree.
#pragma once

#include <chrono>
#include <optional>
#include <vector>

#include "cycles/solar_terms.h"
#include "festivals/festivals.h"
#include "festivals/official_days.h"
#include "lunar/lunar_calendar.h"

namespace moonfold {

// kMoon: a principal phase of the moon (in listings of the moon, and among
// a year's events only where asked for: new and full moons).
enum class EventKind : std::uint8_t { kTerm, kLunar, kGregorian, kOff, kWork, kMoon };
inline constexpr EventKind kEventKinds[]{EventKind::kTerm, EventKind::kLunar, EventKind::kGregorian,
                                         EventKind::kOff,  EventKind::kWork,  EventKind::kMoon};

// Which kinds of event a listing holds: a bit for each EventKind.
using EventKinds = unsigned;
constexpr EventKinds KindBit(EventKind kind) { return 1u << static_cast<unsigned>(kind); }
inline constexpr EventKinds kAllEventKinds = (1u << std::size(kEventKinds)) - 1;
// All but the Gregorian festivals, which are many, and the moon.
inline constexpr EventKinds kDefaultKinds = KindBit(EventKind::kTerm) | KindBit(EventKind::kLunar) |
                                            KindBit(EventKind::kOff) | KindBit(EventKind::kWork);

struct CalendarEvent {
  std::chrono::year_month_day date;
  LunarDate lunar;  // the day's lunar date, from its facts
  EventKind kind = EventKind::kTerm;
  unsigned term = 0;                // a term's index, 0 = 小寒
  unsigned quarter = 0;             // a phase of the moon: 0 new, 1 first quarter, 2 full, 3 last
  FestivalId festival{};            // a festival's table and row
  std::optional<BeijingTime> time;  // a term's or a phase's instant
  // How a term's minute is known: from 1912 the issued one; before, the
  // record giving days only, today's reckoning on the issued day, or none
  // (no time) where the record puts the term on another day.
  TermMinute minute = TermMinute::kIssued;
  // A term whose calendar puts it on another day than today's reckoning:
  // that reckoning.
  std::optional<BeijingTime> reckoned;
  // A term or new moon whose day the predicted ΔT cannot settle, or a lunar
  // festival on such a lunar date: it may fall a day earlier or later.
  bool uncertain = false;
  Holiday holiday{};                  // of an official day off or make-up day
  std::chrono::sys_days first_off{};  // of a day off: the holiday's first day off
  std::chrono::sys_days last_off{};   // and its last
  LunarDate first_off_lunar;          // and the lunar date of its first
  // What a calendar file's UID numbers the event by: a term's index, a
  // phase's quarter, or a festival's place among the day's festivals of its
  // kind.  Files already imported hold these UIDs, so they never change.
  unsigned ordinal = 0;
};

// The events of the Gregorian years first_year..last_year (within the
// calendar's years) in date order; on one day terms first, then lunar
// festivals, official days off and make-up days (by `arrangement`), new
// and full moons, then Gregorian festivals, each in the order its table
// names them.
std::vector<CalendarEvent> EventsOf(int first_year, int last_year, EventKinds kinds,
                                    const Arrangement& arrangement);

// The first `count` events strictly after `today`, as EventsOf gives them,
// or fewer where the calendar ends.  A holiday's days off come once, on the
// first of them still to come.
std::vector<CalendarEvent> EventsAfter(std::chrono::sys_days today, std::size_t count,
                                       EventKinds kinds, const Arrangement& arrangement);

// The principal phases of the moon whose Beijing day lies in [first, last],
// in order.
std::vector<CalendarEvent> MoonPhasesBetween(std::chrono::sys_days first,
                                             std::chrono::sys_days last);

}  // namespace moonfold
