#include "cli/modes.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <variant>

#include "cli/almanac_page.h"
#include "cli/anniversaries.h"
#include "cli/event_outputs.h"
#include "cli/event_texts.h"
#include "cli/kinds_option.h"
#include "cli/moments.h"
#include "cli/month_grid.h"
#include "cli/templates.h"
#include "cli/text_output.h"
#include "common/ascii_case.h"
#include "common/utf8.h"
#include "facts/day_facts.h"
#include "input/dates.h"
#include "input/keywords.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;
using months_t = std::chrono::months;

// The texts of the keywords asked for (all of them, one a line, without).
Result Texts(const DayFacts& facts, const std::vector<std::string>& keywords, bool json,
             Script script) {
  std::vector<Field> fields;
  for (const std::string& keyword : keywords) {
    const std::optional<Field> field = FieldOf(keyword);
    if (!field) return UnknownKeyword(keyword);
    // A key appears once in an object.
    if (json && std::find(fields.begin(), fields.end(), *field) != fields.end()) continue;
    fields.push_back(*field);
  }
  const bool all = fields.empty();
  if (all) fields = AllFields();
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string value = FieldText(fields[i], facts, script);
    if (json) {
      out += i == 0 ? '{' : ',';
      out += JsonString(fields[i].Name()) + ":" + JsonString(value);
    } else if (all) {
      out += fields[i].Name() + "\t" + value + "\n";
    } else if (!value.empty()) {
      // A list joins the texts there are: a day without a solar term
      // gives no blank before the next text.
      if (!out.empty()) out += ' ';
      out += value;
    }
  }
  if (json) out += "}";
  if (json || !all) out += "\n";
  return {0, out, {}};
}

// Today's texts, or a day's.
Result TextsMode(const Context& c) {
  const auto moment = NeededMoment(c);
  if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
  const DateTime& at = std::get<DateTime>(moment);
  const DayFacts facts = *FactsOf(WallTime(at.date, at.hour, at.minute), c.arrangement);
  const bool json = c.request.Given(Option("--json"));
  if (const auto& format = c.request[Option("--format")]) {
    return Format(facts, *format, c.script, json);
  }
  return Texts(facts, c.request.keywords, json, c.script);
}

// --moon: the principal phases of a year or a month (this month without a
// value), with their Beijing times.
Result MoonMode(const Context& c) {
  const auto& moon = c.request[Option("--moon")];
  sys_days first, last;
  if (moon && moon->find('-') == std::string::npos) {
    const auto years = ParseYears(*moon, false);
    if (const auto* why = std::get_if<std::string>(&years))
      return Failure("--moon " + *moon,
                     *why == "expected YYYY" ? "expected YYYY or YYYY-MM" : *why);
    const int y = std::get<YearRange>(years).first;
    first = sys_days{year{y} / January / 1};
    last = sys_days{year{y} / December / 31};
  } else {
    year_month asked{};
    if (moon) {
      const auto parsed = ParseMonth(*moon);
      if (const auto* why = std::get_if<std::string>(&parsed))
        return Failure("--moon " + *moon, *why);
      asked = std::get<year_month>(parsed);
    } else {
      const std::optional<year_month_day> today = Today(c.environment);
      if (!today) return ClockOutOfRange(c.environment);
      asked = today->year() / today->month();
    }
    first = sys_days{asked / 1};
    last = sys_days{asked / std::chrono::last};
  }
  const std::vector<CalendarEvent> phases = MoonPhasesBetween(first, last);
  return {0,
          c.request.Given(Option("--json")) ? MoonJson(phases, c.script)
                                            : MoonListing(phases, c.script),
          {}};
}

// What standard error says of years whose official days no notice has
// announced (exit status 3).
std::string UnknownYears(const std::string& years) {
  return "moonfold: no official arrangement is known for " + years + " — see --holidays\n";
}

// --workday: whether a day is worked, for scripts: exit status 0 for a
// working day, 1 for a day off, 3 where no arrangement is known.
Result WorkdayMode(const Context& c) {
  const auto asked = DayAsked("--workday", c.request[Option("--workday")], c.environment);
  if (const auto* refused = std::get_if<Result>(&asked)) return *refused;
  const year_month_day* date = &std::get<year_month_day>(asked);
  const OfficialDay official = FactsOf(WallTime(*date), c.arrangement)->official;
  const std::string holiday = Utf8FromUtf16(HolidayName(official.holiday, c.script));
  switch (official.status) {
    case DayStatus::kUnknown:
      return {kExitUnknownYear, {}, UnknownYears(std::to_string(static_cast<int>(date->year())))};
    case DayStatus::kDayOff: return {kExitDayOff, "day off (" + holiday + ")\n", {}};
    case DayStatus::kMakeUpWork: return {0, "working day (" + holiday + " make-up day)\n", {}};
    case DayStatus::kOrdinary: break;
  }
  if (*IsWorkingDay(official, sys_days{*date})) return {0, "working day\n", {}};
  return {kExitDayOff, "day off (weekend)\n", {}};
}

// The years of a range whose official days a listing of `wanted` kinds
// asks for and no notice has announced, as a message names them ("2027,
// 2028", "2027 … 2100"), or nothing.  Asked for by name (--kinds off,work),
// every such year; by the default kinds, the years from the first notice
// on — the years before it had no days off to announce.
std::string UnannouncedYears(const Request& r, EventKinds wanted, YearRange range,
                             const Arrangement& arrangement) {
  if ((wanted & (KindBit(EventKind::kOff) | KindBit(EventKind::kWork))) == 0) return {};
  const int first = r[Option("--kinds")] ? range.first : std::max(range.first, kFirstHolidayYear);
  std::vector<YearRange> runs;
  for (int y = first; y <= range.last; ++y) {
    if (arrangement.years.Has(y)) continue;
    if (!runs.empty() && runs.back().last == y - 1) {
      runs.back().last = y;
    } else {
      runs.push_back({y, y});
    }
  }
  std::string years;
  for (const YearRange& run : runs) {
    if (!years.empty()) years += ", ";
    years += std::to_string(run.first);
    if (run.last == run.first + 1) years += ", " + std::to_string(run.last);
    if (run.last > run.first + 1) years += " … " + std::to_string(run.last);
  }
  return years;
}

// Names the years a listing's official days are missing from, on
// standard error.  Where they were asked for by name (--kinds off,work),
// the answer is incomplete: exit status 3, as --workday; with the default
// kinds the rest of the listing is whole, and the note is all.
bool NoteUnannounced(Result& result, const Request& r, EventKinds wanted, YearRange range,
                     const Arrangement& arrangement) {
  const std::string unknown = UnannouncedYears(r, wanted, range, arrangement);
  if (unknown.empty()) return false;
  if (r[Option("--kinds")]) result.exit_code = kExitUnknownYear;
  result.err += UnknownYears(unknown);
  return true;
}

// What a listing of years lacks is said, never left silent: the years of
// official days no notice has announced, or that nothing of the kinds
// asked falls in them.
void NoteWhatIsMissing(Result& result, const Request& r, EventKinds wanted, YearRange range,
                       const Arrangement& arrangement, const std::string& nothing_in) {
  if (!NoteUnannounced(result, r, wanted, range, arrangement) && !nothing_in.empty()) {
    result.err = "moonfold: " + nothing_in + " — nothing of the kinds asked falls in it\n";
  }
}

// --year and --ics: the events of whole years.
Result YearEventsMode(const Context& c) {
  const Request& r = c.request;
  const auto& year_value = r[Option("--year")];
  const auto& ics = r[Option("--ics")];
  const bool json = r.Given(Option("--json"));
  if (r.mode == Option("--ics").row && !ics)
    return Failure("--ics", "needs a value (YYYY or YYYY:YYYY)");
  const auto kinds = KindsOf(r);
  if (const auto* refused = std::get_if<Result>(&kinds)) return *refused;
  const std::string& text = year_value ? *year_value : *ics;
  const std::string option = year_value ? "--year " : "--ics ";
  const auto years = ParseYears(text, !year_value);
  if (const auto* why = std::get_if<std::string>(&years)) {
    if (year_value && std::holds_alternative<YearRange>(ParseYears(text, true))) {
      return Failure(option + text, "expected one year (a range of years goes with --ics)");
    }
    return Failure(option + text, *why);
  }
  const YearRange range = std::get<YearRange>(years);
  const EventKinds wanted = std::get<EventKinds>(kinds);
  const auto events = EventsOf(range.first, range.last, wanted, c.arrangement);
  Result result{kExitSuccess,
                ics    ? ICalendar(events, range.first, range.last, c.environment.utc_now, c.script)
                : json ? YearJson(events, c.script)
                       : YearListing(events, c.script),
                {}};
  NoteWhatIsMissing(result, r, wanted, range, c.arrangement, events.empty() ? option + text : "");
  return result;
}

// The months --month asks for: one, a year's twelve, or one with its
// neighbours (those within the calendar).
std::variant<std::vector<year_month>, Result> MonthsAsked(const Request& r,
                                                          const std::optional<DateTime>& at) {
  const auto& asked_month = r[Option("--month")];
  const bool three = r.Given(Option("-3"));
  if (asked_month && asked_month->size() == 4 &&
      asked_month->find_first_not_of("0123456789") == std::string::npos) {
    const auto years = ParseYears(*asked_month, false);
    if (const auto* why = std::get_if<std::string>(&years))
      return Failure("--month " + *asked_month, *why);
    if (three)
      return Failure("--month " + *asked_month + " and -3", "a whole year has no months around it");
    std::vector<year_month> months;
    for (unsigned m = 1; m <= 12; ++m)
      months.push_back(year{std::get<YearRange>(years).first} / month{m});
    return months;
  }
  year_month asked = at ? at->date.year() / at->date.month() : year_month{};
  const bool digits = asked_month && !asked_month->empty() && asked_month->size() <= 2 &&
                      asked_month->find_first_not_of("0123456789") == std::string::npos;
  if (digits) {
    // A month alone is that month of this year, as cal 3 is.
    const unsigned m = static_cast<unsigned>(std::stoi(*asked_month));
    if (m < 1 || m > 12)
      return Failure("--month " + *asked_month, "there is no month " + *asked_month);
    asked = asked.year() / month{m};
  } else if (asked_month) {
    const auto parsed = ParseMonth(*asked_month);
    if (const auto* why = std::get_if<std::string>(&parsed))
      return Failure("--month " + *asked_month, *why);
    asked = std::get<year_month>(parsed);
  }
  std::vector<year_month> months{asked};
  const year_month first_month = year_month_day{kFirstCalendarDay}.year() / January;
  const year_month last_month = year_month_day{kLastCalendarDay}.year() / December;
  for (const year_month m : {asked - months_t{1}, asked + months_t{1}}) {
    if (three && m >= first_month && m <= last_month) months.push_back(m);
  }
  std::sort(months.begin(), months.end());
  return months;
}

// --month: the month asked for, or the moment's.
Result MonthMode(const Context& c) {
  const Request& r = c.request;
  const bool week_numbers = r.Given(Option("--week-numbers"));
  const auto moment = MomentOf(c);
  if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
  const std::optional<DateTime>& at = std::get<std::optional<DateTime>>(moment);
  const auto& asked_month = r[Option("--month")];
  // Without a month, or with a month of this year, the clock must be right.
  if ((!asked_month || asked_month->size() <= 2) && !at) return ClockOutOfRange(c.environment);
  const auto months = MonthsAsked(r, at);
  if (const auto* refused = std::get_if<Result>(&months)) return *refused;
  GridStyle style{
      r.Given(Option("--monday")), c.highlight, {}, c.script, week_numbers, &c.arrangement};
  if (at) style.today = at->date;
  const int columns = c.environment.terminal_columns > 0 ? c.environment.terminal_columns : 80;
  if (columns < NarrowestGridWidth(week_numbers)) {
    return Failure(std::to_string(columns) + " columns",
                   "a month's grid needs " + std::to_string(NarrowestGridWidth(week_numbers)) +
                       " (COLUMNS sets the width)");
  }
  return {0, MonthGrids(std::get<std::vector<year_month>>(months), columns, style), {}};
}

// A lunar year of --from or --to.
std::variant<int, Result> LunarYearOption(std::string_view option, const std::string& text) {
  const auto years = ParseYears(text, false);
  if (const auto* why = std::get_if<std::string>(&years)) {
    return Failure(std::string(option) + " " + text, *why);
  }
  return std::get<YearRange>(years).first;
}

// What --every --ics needs beyond the dates: no years, a name of UTF-8 text.
std::optional<Result> EveryFileRefusal(const Request& r) {
  const auto& ics = r[Option("--ics")];
  const auto& name = r[Option("--name")];
  if (ics)
    return Failure("--ics " + *ics,
                   "takes no years with --every; give lunar years with --from and --to");
  if (name && (name->empty() || FirstInvalidUtf8(*name))) {
    return Failure("--name", name->empty() ? "the name is empty" : "the name is not UTF-8 text");
  }
  // A calendar file's text holds no control character (RFC 5545): a line
  // break or an escape sequence in a name would break the file's lines.
  if (name) {
    const auto control = std::find_if(name->begin(), name->end(), [](char c) {
      return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
    });
    if (control != name->end()) {
      return Failure("--name", "the name holds a control character (byte " +
                                   std::to_string(control - name->begin() + 1) + ")");
    }
  }
  return std::nullopt;
}

// --every: a lunar date in each lunar year of a range, by default the
// moment's lunar year and the nine after it.
Result EveryMode(const Context& c) {
  const Request& r = c.request;
  const auto& every = r[Option("--every")];
  const auto& from = r[Option("--from")];
  const auto& to = r[Option("--to")];
  const auto& name = r[Option("--name")];
  const bool json = r.Given(Option("--json"));
  if (auto refused = EveryFileRefusal(r)) return *refused;
  const auto date = ParseLunarMonthDay(*every);
  if (const auto* why = std::get_if<std::string>(&date)) return Failure("--every " + *every, *why);
  AnniversaryRequest request{std::get<LunarMonthDay>(date)};
  if (!from) {
    const auto moment = NeededMoment(c);
    if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
    request.first_year = FactsOf(WallTime(std::get<DateTime>(moment).date))->lunar.year;
  }
  for (const auto& [option, text, year] : {std::tuple{"--from", &from, &request.first_year},
                                           std::tuple{"--to", &to, &request.last_year}}) {
    if (!*text) continue;
    const auto parsed = LunarYearOption(option, **text);
    if (const auto* refused = std::get_if<Result>(&parsed)) return *refused;
    *year = std::get<int>(parsed);
  }
  if (!to) request.last_year = std::min(request.first_year + 9, kLastCalendarYear);
  if (request.first_year > request.last_year) {
    return Failure("--from " + std::to_string(request.first_year) + " and --to " +
                       std::to_string(request.last_year),
                   "the first year comes after the last");
  }
  const std::vector<YearsAnniversary> days = AnniversariesOf(request);
  std::string none;
  if (days.empty()) {
    none = "moonfold: --every " + *every + " — no lunar year of " +
           std::to_string(request.first_year) + " … " + std::to_string(request.last_year) +
           " has that day within " + RangeText() + "\n";
  }
  if (r.Given(Option("--ics")))
    return {0, AnniversaryICalendar(request, days, name, c.environment.utc_now, c.script), none};
  return {0, json ? AnniversaryJson(days, c.script) : AnniversaryListing(days, c.script), none};
}

// --next: the next N dated things after the moment's day.
Result NextMode(const Context& c) {
  const Request& r = c.request;
  const auto& next = r[Option("--next")];
  const bool json = r.Given(Option("--json"));
  const auto kinds = KindsOf(r);
  if (const auto* refused = std::get_if<Result>(&kinds)) return *refused;
  const auto moment = NeededMoment(c);
  if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
  std::size_t count = 10;
  if (next) {
    const bool digits = !next->empty() && next->size() <= 4 &&
                        next->find_first_not_of("0123456789") == std::string::npos;
    const int n = digits ? std::stoi(*next) : 0;
    if (n < 1 || n > 1000) return Failure("--next " + *next, "expected a count from 1 to 1000");
    count = static_cast<std::size_t>(n);
  }
  const sys_days today{std::get<DateTime>(moment).date};
  const EventKinds wanted = std::get<EventKinds>(kinds);
  const std::vector<CalendarEvent> events = EventsAfter(today, count, wanted, c.arrangement);
  Result result{
      0, json ? NextJson(events, today, c.script) : NextListing(events, today, c.script), {}};
  // The years searched: to the last event listed, or to the range's end
  // when fewer than asked were found.  Official days no notice has
  // announced in them leave the listing short: said, exit status 3.
  const YearRange searched{
      static_cast<int>(year_month_day{today}.year()),
      events.size() < count ? kLastCalendarYear : static_cast<int>(events.back().date.year())};
  NoteUnannounced(result, r, wanted, searched, c.arrangement);
  if (events.empty()) {
    result.err += "moonfold: --next — nothing of the kinds asked comes after " +
                  IsoDate(year_month_day{today}) + " within " + RangeText() + "\n";
  }
  return result;
}

// --almanac: a day's almanac page (today's without a value).
Result AlmanacMode(const Context& c) {
  const Request& r = c.request;
  const bool json = r.Given(Option("--json"));
  const auto asked = DayAsked("--almanac", r[Option("--almanac")], c.environment);
  if (const auto* refused = std::get_if<Result>(&asked)) return *refused;
  const DayFacts facts = *FactsOf(WallTime(std::get<year_month_day>(asked), 12), c.arrangement);
  const int columns = c.environment.terminal_columns > 0 ? c.environment.terminal_columns : 80;
  return {0, json ? AlmanacJson(facts, c.script) : AlmanacPage(facts, c.script, columns), {}};
}

// --era: the day both ways in one line, "1911-10-10 宣统三年八月十九 辛亥年 属猪",
// "1949-10-01 民国38年 农历八月初十 己丑年 属牛".
Result EraMode(const Context& c) {
  const auto moment = NeededMoment(c);
  if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
  const DayFacts f = *FactsOf(WallTime(std::get<DateTime>(moment).date, 12), c.arrangement);
  const texts::ScriptNames& names = texts::NamesOf(c.script);
  const std::string republic = Utf8FromUtf16(texts::RepublicYearText(f, c.script));
  const std::string reign = Utf8FromUtf16(ReignDateName(f.lunar, c.script));
  const std::string lunar = reign.empty() ? Utf8FromUtf16(names.labels.lunar_calendar) +
                                                Utf8FromUtf16(LunarDateName(f.lunar, c.script))
                                          : reign;
  const std::string year =
      Utf8FromUtf16(CycleName(f.year_cycle, c.script)) + Utf8FromUtf16(names.labels.year);
  const std::string animal = Utf8FromUtf16(texts::NameAt(names.animals, f.year_cycle.Branch()));
  if (c.request.Given(Option("--json"))) {
    return {0,
            "{\"date\":" + JsonString(IsoDate(f.date)) + ",\"rocyear\":" + JsonString(republic) +
                ",\"era\":" + JsonString(Utf8FromUtf16(texts::EraText(f, c.script))) +
                ",\"lunar\":" + JsonString(lunar) + ",\"lunar_year\":" + JsonString(year) +
                ",\"animal\":" + JsonString(animal) + "}\n",
            {}};
  }
  std::string line = IsoDate(f.date);
  for (const std::string& part :
       {republic, lunar, year, Utf8FromUtf16(names.labels.animal) + animal}) {
    if (!part.empty()) line += " " + part;
  }
  return {0, line + "\n", {}};
}

// What runs each mode, by the option that asks for it.
struct ModeRow {
  OptionId option;
  Result (*run)(const Context&);
};
constexpr ModeRow kModes[]{
    {Option("--month"), MonthMode},    {Option("--year"), YearEventsMode},
    {Option("--ics"), YearEventsMode}, {Option("--every"), EveryMode},
    {Option("--next"), NextMode},      {Option("--workday"), WorkdayMode},
    {Option("--moon"), MoonMode},      {Option("--almanac"), AlmanacMode},
    {Option("--era"), EraMode},
};
// Every option that asks for a mode has a row here.
static_assert(static_cast<std::size_t>(std::count_if(kOptions.begin(), kOptions.end(),
                                                     [](const OptionRow& row) {
                                                       return row.mode;
                                                     })) == std::size(kModes));

}  // namespace

Result RunMode(const Context& context) {
  for (const ModeRow& row : kModes) {
    if (row.option.row == context.request.mode) return row.run(context);
  }
  return TextsMode(context);
}

}  // namespace moonfold::cli
