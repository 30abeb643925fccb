// A lunar date's day in every lunar year of a range: lunar birthdays and
// memorial days, which move every year on the Gregorian calendar and which
// phone calendars cannot repeat.  `moonfold --every` lists them, as JSON
// too, or writes them as a calendar file.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "festivals/countdowns.h"
#include "input/dates.h"
#include "texts/names.h"

namespace moonfold::cli {

struct AnniversaryRequest {
  LunarMonthDay date;                 // as asked
  int first_year = 0, last_year = 0;  // lunar years
};

struct YearsAnniversary {
  int lunar_year = 0;
  Anniversary kept;
};

// The anniversary in each lunar year of the range that has a day within
// the calendar's range, in order.
std::vector<YearsAnniversary> AnniversariesOf(const AnniversaryRequest& request);

// "2027  2027-09-15  八月十五", with what a year lacks after it.
std::string AnniversaryListing(const std::vector<YearsAnniversary>& days, Script script);
// [{"lunar_year":2027,"date":"2027-09-15","lunar":"八月十五","note":null}, …]
std::string AnniversaryJson(const std::vector<YearsAnniversary>& days, Script script);
// An all-day event each, named `name` (UTF-8) or else the lunar date asked.
std::string AnniversaryICalendar(const AnniversaryRequest& request,
                                 const std::vector<YearsAnniversary>& days,
                                 const std::optional<std::string>& name,
                                 std::chrono::sys_seconds stamp, Script script);

}  // namespace moonfold::cli
