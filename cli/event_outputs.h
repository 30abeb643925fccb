// The command's outputs of events (facts/events.h): the listings of
// --year, --next and --moon (cli/event_listing.cpp), their JSON
// (cli/event_json.cpp), and the iCalendar file (cli/event_icalendar.cpp).
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "facts/events.h"
#include "texts/names.h"

namespace moonfold::cli {

// The lines of `moonfold --year`, of `moonfold --moon`, and of
// `moonfold --next` with the days to go from `today`.
std::string YearListing(const std::vector<CalendarEvent>& events, Script script);
std::string MoonListing(const std::vector<CalendarEvent>& phases, Script script);
std::string NextListing(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                        Script script);

// Their JSON arrays.
std::string YearJson(const std::vector<CalendarEvent>& events, Script script);
std::string MoonJson(const std::vector<CalendarEvent>& phases, Script script);
std::string NextJson(const std::vector<CalendarEvent>& events, std::chrono::sys_days today,
                     Script script);

// One RFC 5545 calendar of the events: an all-day event each.  `stamp` is
// the moment of writing (UTC, for DTSTAMP).
std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      std::chrono::sys_seconds stamp, Script script);

}  // namespace moonfold::cli
