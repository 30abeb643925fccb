// The words of an event, as every output of events names it: its kind
// (as --kinds and JSON write it), its name in a script, its time, and the
// note of a term shown as its calendar was issued.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "facts/events.h"
#include "texts/names.h"

namespace moonfold::cli {

// "term", "lunar", "gregorian", "off", "work" or "moon": the names of the
// kinds in EventKind's order, as --kinds takes them and JSON writes them.
inline constexpr std::string_view kEventKindNames[]{"term", "lunar", "gregorian",
                                                    "off",  "work",  "moon"};
static_assert(std::size(kEventKindNames) == std::size(kEventKinds));
std::string_view KindName(EventKind kind);

// All of them: "term, lunar, gregorian, off, work and moon".
std::string KindNames();

// The JSON names of the moon's four principal phases, by quarter: "new",
// "first_quarter", "full", "last_quarter".
const char* PhaseName(unsigned quarter);

// The days from `today` to the event's day (1 for tomorrow).
int DaysFrom(std::chrono::sys_days today, const CalendarEvent& e);

// "HH:MM".
std::string TimeText(BeijingTime time);

// The event's name: a term's, a festival's, a holiday's or a phase's.
std::string EventName(const CalendarEvent& e, Script script);

// A lunar date as calendars print it: 闰二月初一.
std::string LunarDateOf(const LunarDate& lunar, Script script);

// What is known of a term's minute, where it is not the issued one: from
// 1912, a term shown as its calendar was issued, "历书所载时刻，今推
// 1912-11-22 23:48"; before, a minute of today's reckoning, "时刻为今推",
// or a term the record puts on another day than that reckoning, "历书载于
// 此日，今推 1899-06-21 23:45".  Else nothing.
std::string MinuteNote(const CalendarEvent& e, Script script);

}  // namespace moonfold::cli
