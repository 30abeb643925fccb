// The dated events of whole years: every solar term and lunar festival,
// and on request the Gregorian-date festivals.  The --year listing and the
// iCalendar export both read them, so the two always agree.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "cycles/solar_terms.h"
#include "festivals/festivals.h"
#include "festivals/official_days.h"
#include "lunar/lunar_calendar.h"
#include "texts/names.h"

namespace moonfold::cli {

// kMoon: a principal phase of the moon (in listings of the moon, and in
// calendar files only where asked for: new and full moons).
enum class EventKind { kTerm, kLunar, kGregorian, kOff, kWork, kMoon };

// Which kinds of event a listing holds: a bit for each EventKind.
using EventKinds = unsigned;
constexpr EventKinds KindBit(EventKind kind) { return 1u << static_cast<unsigned>(kind); }
// All but the Gregorian festivals, which are many.
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
  // A term shown at the minute its calendar was issued with: today's
  // reckoning of it, which falls on another day.
  std::optional<BeijingTime> reckoned;
  // A term or new moon whose day the predicted ΔT cannot settle, or a lunar
  // festival on such a lunar date: it may fall a day earlier or later.
  bool uncertain = false;
  Holiday holiday{};                  // of an official day off or make-up day
  std::chrono::sys_days first_off{};  // of a day off: the holiday's first day off
  std::chrono::sys_days last_off{};   // and its last
  LunarDate first_off_lunar;          // and the lunar date of its first
  // What the calendar file's UID numbers the event by: a term's index, a
  // phase's quarter, or a festival's place among the day's festivals of its
  // kind.  Files already imported hold these UIDs, so they never change.
  unsigned ordinal = 0;
};

// In date order; on one day terms first, then lunar festivals, official
// days off and make-up days (by `arrangement`), then Gregorian festivals,
// each in the order its table names them.
std::vector<CalendarEvent> EventsOf(int first_year, int last_year, EventKinds kinds,
                                    const Arrangement& arrangement);

// The first `count` events strictly after `today`, as EventsOf gives them,
// or fewer where the calendar ends.
std::vector<CalendarEvent> EventsAfter(std::chrono::sys_days today, std::size_t count,
                                       EventKinds kinds, const Arrangement& arrangement);

// The lines of `moonfold --next`, with the days to go from `today`, and its
// JSON array.
std::string NextListing(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                        Script script);
std::string NextJson(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                     Script script);

// The principal phases of the moon whose Beijing day lies in [first, last],
// in order.
std::vector<CalendarEvent> MoonPhasesBetween(std::chrono::sys_days first,
                                             std::chrono::sys_days last);

// The lines of `moonfold --moon` and its JSON array.
std::string MoonListing(const std::vector<CalendarEvent>& phases, Script script);
std::string MoonJson(const std::vector<CalendarEvent>& phases, Script script);

inline constexpr EventKind kEventKinds[]{EventKind::kTerm, EventKind::kLunar, EventKind::kGregorian,
                                         EventKind::kOff,  EventKind::kWork,  EventKind::kMoon};

// "term", "lunar", "gregorian", "off", "work" or "moon".
const char* KindName(EventKind kind);

// All of them: "term, lunar, gregorian, off, work and moon".
std::string KindNames();

// "HH:MM".
std::string TimeText(BeijingTime time);

// The lines of `moonfold --year` and its JSON array.
std::string YearListing(const std::vector<CalendarEvent>& events, Script script);
std::string YearJson(const std::vector<CalendarEvent>& events, Script script);

// One RFC 5545 calendar of the events: an all-day event each.  `stamp` is
// the moment of writing (UTC, for DTSTAMP).
std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      std::chrono::sys_seconds stamp, Script script);

}  // namespace moonfold::cli
