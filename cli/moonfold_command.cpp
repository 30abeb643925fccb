#include "cli/moonfold_command.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "cli/command_dates.h"
#include "cli/month_grid.h"
#include "cli/text_output.h"
#include "cli/year_events.h"
#include "festivals/day_facts.h"
#include "moonfold_version.h"
#include "plugin/day_texts.h"
#include "plugin/keywords.h"
#include "plugin/utf8.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

constexpr std::string_view kUsage =
    "usage: moonfold [--date YYYY-MM-DD[THH:MM] | --lunar YYYY-MM-DD] [--json | --format TEMPLATE] [KEYWORD...]\n"
    "       moonfold --month [YYYY-MM] [-3] [--monday] [--color[=WHEN]]\n"
    "       moonfold --year YYYY [--json] [--gregorian]\n"
    "       moonfold --ics YYYY[:YYYY] [--gregorian]\n";

constexpr std::string_view kHelp =
    "The traditional Chinese calendar for today, or for any day of 1900-01-01 … 2100-12-31.\n"
    "\n"
    "  moonfold                  every text of today, one KEYWORD<TAB>text line each\n"
    "  moonfold KEYWORD...       those texts, joined by single spaces\n"
    "  --date YYYY-MM-DD[THH:MM] that local date and time instead of the clock\n"
    "  --lunar YYYY-MM-DD        the day of that lunar date; a leap month as L02 or 闰2\n"
    "  --json                    one JSON object keyed by keyword\n"
    "  --format TEMPLATE         fill {KEYWORD} placeholders, e.g. '{LUNARMONTH}月{LUNARDAY}';\n"
    "                            {{ and }} are literal braces\n"
    "  --month [YYYY-MM]         a month as a calendar (this month without a value)\n"
    "  -3                        the months before and after it too\n"
    "  --monday                  weeks start on Monday\n"
    "  --color[=WHEN]            highlight today: auto (on a terminal, unless NO_COLOR\n"
    "                            is set or TERM=dumb), always or never\n"
    "  --year YYYY               that year's lunar festivals and solar terms, by date\n"
    "  --ics YYYY[:YYYY]         those years as an iCalendar file on standard output\n"
    "  --gregorian               with --year and --ics: the Gregorian festivals too\n"
    "  --help                    this text\n"
    "  --version                 the version\n"
    "\n"
    "Keywords (matched whatever the case of their letters):\n"
    "  DATE LUNARDAY LUNARMONTH WEEKDAY HEYEAR HEMONTH HEDAY HEHOUR SOLAR\n"
    "  CONSTELLATION FEASTS FWEEKDAY FLASTWEEK FLUNARS TWELVEANIMALS\n"
    "\n"
    "Exit status 2 for a date outside the range, an unknown keyword or a\n"
    "malformed or conflicting option; the reason is on standard error.\n";

// `moonfold: <what> — <why>`, exit status 2.
Result Failure(std::string_view what, std::string_view why) {
  std::string err = "moonfold: ";
  err += what;
  err += " — ";
  err += why;
  err += '\n';
  return {2, {}, std::move(err)};
}

// What a keyword names: the Gregorian date, or one of the plug-in's texts.
struct Field {
  std::optional<InstanceKind> kind;  // none: DATE
  std::string_view Name() const {
    static const std::string kDate = "DATE";
    if (!kind) return kDate;
    static const auto kNames = [] {
      std::array<std::string, kInstanceKindCount> names;
      for (std::size_t k = 0; k < names.size(); ++k) names[k] = Utf8FromUtf16(InstanceKeywords[k]);
      return names;
    }();
    return kNames[static_cast<std::size_t>(*kind)];
  }
  friend bool operator==(const Field&, const Field&) = default;
};

std::string KeywordList() {
  std::string list = "DATE";
  for (const auto keyword : InstanceKeywords) {
    list += ' ';
    list += Utf8FromUtf16(keyword);
  }
  return list;
}

std::optional<Field> FieldOf(std::string_view keyword) {
  const std::u16string wide = Utf16FromUtf8(keyword);
  if (EqualsIgnoringAsciiCase(u"DATE", wide)) return Field{};
  for (std::size_t k = 0; k < InstanceKeywords.size(); ++k) {
    if (EqualsIgnoringAsciiCase(InstanceKeywords[k], wide)) return Field{static_cast<InstanceKind>(k)};
  }
  return std::nullopt;
}

Result UnknownKeyword(std::string_view keyword) {
  return Failure(keyword, "not a keyword; the keywords are " + KeywordList());
}

// A field's text for machine and human output alike: no blank at either end.
std::string FieldText(const Field& field, const DayFacts& facts) {
  if (!field.kind) return IsoDate(facts.date);
  return Utf8FromUtf16(TrimBlanks(KindText(*field.kind, facts)));
}

// Fills each {KEYWORD}; {{ and }} are braces.
Result Format(const DayFacts& facts, std::string_view templ) {
  std::string out;
  for (std::size_t i = 0; i < templ.size(); ++i) {
    const char c = templ[i];
    if ((c == '{' || c == '}') && i + 1 < templ.size() && templ[i + 1] == c) {
      out += c;
      ++i;
      continue;
    }
    if (c == '}') return Failure("--format", "a lone } (write }} for a brace)");
    if (c != '{') {
      out += c;
      continue;
    }
    const auto close = templ.find('}', i + 1);
    if (close == std::string_view::npos) return Failure("--format", "a { without its } (write {{ for a brace)");
    const std::string_view keyword = templ.substr(i + 1, close - i - 1);
    const std::optional<Field> field = FieldOf(keyword);
    if (!field) return UnknownKeyword(keyword);
    out += FieldText(*field, facts);
    i = close;
  }
  return {0, out + "\n", {}};
}

Result Texts(const DayFacts& facts, const std::vector<std::string>& keywords, bool json) {
  std::vector<Field> fields;
  for (const std::string& keyword : keywords) {
    const std::optional<Field> field = FieldOf(keyword);
    if (!field) return UnknownKeyword(keyword);
    // A key appears once in an object.
    if (json && std::find(fields.begin(), fields.end(), *field) != fields.end()) continue;
    fields.push_back(*field);
  }
  const bool all = fields.empty();
  if (all) {
    fields.push_back(Field{});
    for (std::size_t k = 0; k < kInstanceKindCount; ++k) fields.push_back({static_cast<InstanceKind>(k)});
  }
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string value = FieldText(fields[i], facts);
    if (json) {
      out += i == 0 ? '{' : ',';
      out += JsonString(fields[i].Name()) + ":" + JsonString(value);
    } else if (all) {
      out += std::string(fields[i].Name()) + "\t" + value + "\n";
    } else {
      if (i != 0) out += ' ';
      out += value;
    }
  }
  if (json) out += "}";
  if (json || !all) out += "\n";
  return {0, out, {}};
}

// Everything the arguments ask for.
struct Request {
  std::optional<std::string> date, lunar, format, month, year, ics, color;
  bool month_mode = false, three = false, monday = false, json = false, gregorian = false;
  std::vector<std::string> keywords;
  std::vector<std::string> seen;  // options in the order given, for conflicts
};

std::variant<Request, Result> ReadArguments(const std::vector<std::string>& args) {
  Request r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto name = arg.substr(0, arg.find('='));
    const bool has_inline = name.size() < arg.size();
    const auto value = [&](std::optional<std::string>& slot, std::string_view form) -> std::optional<Result> {
      if (slot) return Failure(name, "given twice");
      if (has_inline) {
        slot = arg.substr(name.size() + 1);
      } else if (i + 1 < args.size()) {
        slot = args[++i];
      } else {
        return Failure(name, "needs a value (" + std::string(form) + ")");
      }
      return std::nullopt;
    };
    std::optional<Result> error;
    if (arg == "--help" || arg == "-h") return Result{0, std::string(kUsage) + "\n" + std::string(kHelp), {}};
    if (arg == "--version") return Result{0, "moonfold " + std::to_string(kPluginVersion) + "\n", {}};
    if (name == "--date") {
      error = value(r.date, "YYYY-MM-DD or YYYY-MM-DDTHH:MM");
    } else if (name == "--lunar") {
      error = value(r.lunar, "a lunar YYYY-MM-DD");
    } else if (name == "--format") {
      error = value(r.format, "a template");
    } else if (name == "--year") {
      error = value(r.year, "YYYY");
    } else if (name == "--ics") {
      error = value(r.ics, "YYYY or YYYY:YYYY");
    } else if (name == "--month") {
      r.month_mode = true;
      // The value is optional: taken when it is inline or looks like one.
      if (has_inline) {
        r.month = arg.substr(name.size() + 1);
      } else if (i + 1 < args.size() && !args[i + 1].empty() && args[i + 1][0] >= '0' &&
                 args[i + 1][0] <= '9') {
        r.month = args[++i];
      }
    } else if (name == "--color" || name == "--colour") {
      r.color = has_inline ? arg.substr(name.size() + 1) : "always";
    } else if (arg == "-3") {
      r.three = r.month_mode = true;
    } else if (arg == "--monday") {
      r.monday = r.month_mode = true;
    } else if (arg == "--json") {
      r.json = true;
    } else if (arg == "--gregorian") {
      r.gregorian = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Failure(arg, "not an option; see moonfold --help");
    } else {
      r.keywords.push_back(arg);
      continue;
    }
    if (error) return *error;
    r.seen.push_back(name);
  }
  return r;
}

// The first pair of options given together that do not go together.
std::optional<Result> Conflict(const Request& r) {
  const auto given = [&](std::string_view option) {
    return std::find(r.seen.begin(), r.seen.end(), option) != r.seen.end();
  };
  const auto month_option = [&]() -> std::string_view {
    for (const std::string_view o : {"--month", "-3", "--monday"}) {
      if (given(o)) return o;
    }
    return {};
  };
  const std::string_view month = month_option();
  const std::pair<std::string_view, std::string_view> kPairs[]{
      {"--date", "--lunar"},  {"--json", "--format"}, {"--year", "--ics"},
      {"--json", "--ics"},    {"--format", "--year"}, {"--format", "--ics"},
  };
  for (const auto& [a, b] : kPairs) {
    if (given(a) && given(b)) return Failure(std::string(a) + " and " + std::string(b), "cannot be used together");
  }
  if (!month.empty()) {
    for (const std::string_view o : {"--json", "--format", "--year", "--ics"}) {
      if (given(o)) return Failure(std::string(month) + " and " + std::string(o), "cannot be used together");
    }
  }
  const bool table = !month.empty() || given("--year") || given("--ics");
  if (table && !r.keywords.empty()) {
    const std::string_view mode = !month.empty() ? month : given("--year") ? "--year" : "--ics";
    return Failure(std::string(mode) + " and " + r.keywords.front(), "keywords go with today's texts only");
  }
  if (given("--format") && !r.keywords.empty()) {
    return Failure("--format and " + r.keywords.front(), "put keywords in the template as {KEYWORD}");
  }
  if (given("--gregorian") && !given("--year") && !given("--ics")) {
    return Failure("--gregorian", "goes with --year or --ics");
  }
  return std::nullopt;
}

}  // namespace

Result Run(const std::vector<std::string>& args, const Environment& environment) {
  auto read = ReadArguments(args);
  if (auto* result = std::get_if<Result>(&read)) return std::move(*result);
  const Request& r = std::get<Request>(read);
  if (auto conflict = Conflict(r)) return *conflict;

  bool highlight = environment.output_is_terminal && !environment.no_color &&
                   !environment.dumb_terminal;
  if (r.color) {
    if (*r.color == "always") {
      highlight = true;
    } else if (*r.color == "never") {
      highlight = false;
    } else if (*r.color != "auto") {
      return Failure("--color=" + *r.color, "expected auto, always or never");
    }
  }
  highlight = highlight && environment.can_highlight;

  if (r.year || r.ics) {
    const auto years = ParseYears(r.year ? *r.year : *r.ics);
    if (const auto* why = std::get_if<std::string>(&years)) {
      return Failure((r.year ? "--year " : "--ics ") + (r.year ? *r.year : *r.ics), *why);
    }
    const YearRange range = std::get<YearRange>(years);
    if (r.year && range.first != range.last) return Failure("--year " + *r.year, "expected one year");
    const auto events = EventsOf(range.first, range.last, r.gregorian);
    if (r.ics) return {0, ICalendar(events, range.first, range.last, environment.utc_now), {}};
    return {0, r.json ? YearJson(events) : YearListing(events), {}};
  }

  // The day: the one asked for, or the clock's.
  DateTime now{year{environment.now.year} / month{environment.now.month} / day{environment.now.day},
               environment.now.hour, environment.now.minute};
  bool now_in_range = now.date.ok() && InCalendarRange(sys_days{now.date});
  if (r.date || r.lunar) {
    const auto parsed = r.date ? ParseDate(*r.date) : ParseLunarDate(*r.lunar);
    if (const auto* why = std::get_if<std::string>(&parsed)) {
      return Failure((r.date ? "--date " : "--lunar ") + (r.date ? *r.date : *r.lunar), *why);
    }
    now = std::get<DateTime>(parsed);
    now_in_range = true;
  }
  const auto clock_out_of_range = [&] {
    return Failure("the clock's date " + IsoDate(now.date), "outside the supported range " +
                                                                std::string(kRangeText) +
                                                                "; give a day with --date");
  };

  if (r.month_mode) {
    if (!r.month && !now_in_range) return clock_out_of_range();
    year_month month = now.date.year() / now.date.month();
    if (r.month) {
      const auto parsed = ParseMonth(*r.month);
      if (const auto* why = std::get_if<std::string>(&parsed)) return Failure("--month " + *r.month, *why);
      month = std::get<year_month>(parsed);
    }
    GridStyle style{r.monday, highlight, now.date};
    return {0, MonthGrids(month, r.three, environment.terminal_columns, style), {}};
  }
  if (!now_in_range) return clock_out_of_range();

  const DayFacts facts = *FactsOf(now.date, now.hour);
  if (r.format) return Format(facts, *r.format);
  return Texts(facts, r.keywords, r.json);
}

}  // namespace moonfold::cli
