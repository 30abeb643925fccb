// The command's outputs of a year's events (facts/events.h): the listings
// of --year, --next and --moon, their JSON, and the iCalendar file.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "facts/events.h"
#include "texts/names.h"

namespace moonfold::cli {

// The lines of `moonfold --next`, with the days to go from `today`, and its
// JSON array.
std::string NextListing(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                        Script script);
std::string NextJson(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                     Script script);

// The lines of `moonfold --moon` and its JSON array.
std::string MoonListing(const std::vector<CalendarEvent>& phases, Script script);
std::string MoonJson(const std::vector<CalendarEvent>& phases, Script script);

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
