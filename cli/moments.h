// The moment a mode is of: the day and time a --date or --lunar names
// (a time with its UTC offset made the local wall time every other input
// means), or the clock's, with the refusals that name the input.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "cli/modes.h"
#include "input/dates.h"

namespace moonfold::cli {

// The clock's date outside the range, refused.
Result ClockOutOfRange(const Environment& environment);

// The clock's date, if the calendar holds it.
std::optional<std::chrono::year_month_day> Today(const Environment& environment);

// A date option's value read (ParseDate or ParseLunarDate) and made local
// time, or the refusal that names it.
std::variant<DateTime, Result> DateOption(std::string_view option, const std::string& value,
                                          Parsed<DateTime> (*parse)(std::string_view),
                                          const Environment& environment);

// The moment the texts are of: the one asked for, or the clock's.  Nothing
// when the clock's own date lies outside the calendar.
std::variant<std::optional<DateTime>, Result> MomentOf(const Context& c);

// The moment, or the refusal when it cannot be had.
std::variant<DateTime, Result> NeededMoment(const Context& c);

// The day an option names (YYYY-MM-DD), or without a value the clock's.
std::variant<std::chrono::year_month_day, Result> DayAsked(std::string_view option,
                                                           const std::optional<std::string>& value,
                                                           const Environment& environment);

}  // namespace moonfold::cli
