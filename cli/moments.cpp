#include "cli/moments.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// A time given with its UTC offset, as the local wall time that every
// other input means (the machine's time zone), or why it cannot be.
Parsed<DateTime> LocalOf(const DateTime& given, const Environment& environment) {
  if (!given.offset) return given;
  const sys_seconds at =
      sys_days{given.date} + hours{given.hour} + minutes{given.minute} - minutes{*given.offset};
  const auto local = environment.local_time_at ? environment.local_time_at(at) : std::nullopt;
  if (!local) return "the local time of that instant is not known on this machine";
  const year_month_day date{year{local->year}, month{local->month}, day{local->day}};
  if (!date.ok() || !InCalendarRange(sys_days{date})) {
    return "at local time " + IsoDate(date) + ", outside the supported range " + RangeText();
  }
  return DateTime{date, local->hour, local->minute, std::nullopt};
}

}  // namespace

Result ClockOutOfRange(const Environment& environment) {
  const LocalDateRecord& now = environment.now;
  const year_month_day date{year{now.year}, month{now.month}, day{now.day}};
  return Failure("the clock's date " + IsoDate(date),
                 "outside the supported range " + RangeText() + "; give a day with --date");
}

// The clock's date, if the calendar holds it.
std::optional<year_month_day> Today(const Environment& environment) {
  const LocalDateRecord& now = environment.now;
  const year_month_day today{year{now.year}, month{now.month}, day{now.day}};
  if (!today.ok() || !InCalendarRange(sys_days{today})) return std::nullopt;
  return today;
}

// A date option's value read (ParseDate or ParseLunarDate) and made local
// time, or the refusal that names it.
std::variant<DateTime, Result> DateOption(std::string_view option, const std::string& value,
                                          Parsed<DateTime> (*parse)(std::string_view),
                                          const Environment& environment) {
  auto parsed = parse(value);
  if (const auto* given = std::get_if<DateTime>(&parsed)) parsed = LocalOf(*given, environment);
  if (const auto* why = std::get_if<std::string>(&parsed)) {
    return Failure(std::string(option) + " " + value, *why);
  }
  return std::get<DateTime>(parsed);
}

// The moment the texts are of: the one asked for, or the clock's.  Nothing
// when the clock's own date lies outside the calendar.
std::variant<std::optional<DateTime>, Result> MomentOf(const Context& c) {
  const auto& date = c.request[Option("--date")];
  const auto& lunar = c.request[Option("--lunar")];
  if (date || lunar) {
    auto asked = date ? DateOption("--date", *date, ParseDate, c.environment)
                      : DateOption("--lunar", *lunar, ParseLunarDate, c.environment);
    if (auto* refused = std::get_if<Result>(&asked)) return std::move(*refused);
    return std::optional<DateTime>(std::get<DateTime>(asked));
  }
  const std::optional<year_month_day> today = Today(c.environment);
  if (!today) return std::optional<DateTime>();
  return std::optional<DateTime>(
      DateTime{*today, c.environment.now.hour, c.environment.now.minute, std::nullopt});
}

// The moment, or the refusal when it cannot be had.
std::variant<DateTime, Result> NeededMoment(const Context& c) {
  auto moment = MomentOf(c);
  if (auto* refused = std::get_if<Result>(&moment)) return std::move(*refused);
  const auto& at = std::get<std::optional<DateTime>>(moment);
  if (!at) return ClockOutOfRange(c.environment);
  return *at;
}

// The day an option names (YYYY-MM-DD), or without a value the clock's.
std::variant<year_month_day, Result> DayAsked(std::string_view option,
                                              const std::optional<std::string>& value,
                                              const Environment& environment) {
  if (!value) {
    if (const auto today = Today(environment)) return *today;
    return ClockOutOfRange(environment);
  }
  auto asked = DateOption(option, *value, ParseDate, environment);
  if (auto* refused = std::get_if<Result>(&asked)) return std::move(*refused);
  return std::get<DateTime>(asked).date;
}

}  // namespace moonfold::cli
