// The dated events of whole years: every solar term and lunar festival,
// and on request the Gregorian-date festivals.  The --year listing and the
// iCalendar export both read them, so the two always agree.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cycles/solar_terms.h"

namespace moonfold::cli {

enum class EventKind { kTerm, kLunar, kGregorian };

struct CalendarEvent {
  std::chrono::year_month_day date;
  EventKind kind = EventKind::kTerm;
  std::u16string name;               // one name: shared days are split at their spaces
  std::optional<BeijingTime> time;   // a term's instant
  unsigned ordinal = 0;              // the term's index, or the name's place on its day
};

// In date order; on one day terms first, then lunar, then Gregorian names.
std::vector<CalendarEvent> EventsOf(int first_year, int last_year, bool gregorian);

// "term", "lunar" or "gregorian".
const char* KindName(EventKind kind);

// "HH:MM".
std::string TimeText(BeijingTime time);

// The lines of `moonfold --year` and its JSON array.
std::string YearListing(const std::vector<CalendarEvent>& events);
std::string YearJson(const std::vector<CalendarEvent>& events);

// One RFC 5545 calendar of the events: an all-day event each.  `stamp` is
// the moment of writing (UTC, for DTSTAMP).
std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      std::chrono::sys_seconds stamp);

}  // namespace moonfold::cli
