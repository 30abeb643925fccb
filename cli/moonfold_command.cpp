#include "cli/moonfold_command.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <tuple>
#include <variant>

#include "cli/anniversaries.h"
#include "cli/command_dates.h"
#include "cli/holiday_file.h"
#include "cli/month_grid.h"
#include "cli/text_output.h"
#include "cli/year_events.h"
#include "common/utf8.h"
#include "festivals/day_facts.h"
#include "moonfold_version.h"
#include "texts/calendar_texts.h"
#include "texts/kinds.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;
using months_t = std::chrono::months;

constexpr std::string_view kUsage =
    "usage: moonfold [--date YYYY-MM-DD[THH:MM] | --lunar YYYY-MM-DD] [--json | --format TEMPLATE] [KEYWORD...]\n"
    "       moonfold --month [YYYY-MM | YYYY] [-3] [--monday] [-w] [--color[=WHEN]]\n"
    "       moonfold --year YYYY [--json] [--gregorian]\n"
    "       moonfold --ics YYYY[:YYYY] [--gregorian]\n"
    "       moonfold --every [L]MM-DD [--from YYYY] [--to YYYY] [--json | --ics [--name TEXT]]\n"
    "       moonfold --next [N] [--json] [--gregorian]\n"
    "       moonfold --workday [YYYY-MM-DD]\n"
    "       moonfold --moon [YYYY[-MM]] [--json]\n";

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
    "  --month [YYYY-MM|YYYY]    a month as a calendar (this month without a value), or\n"
    "                            a whole year; as wide as the terminal (COLUMNS), 80 else\n"
    "  -3                        the months before and after it too\n"
    "  --monday                  weeks start on Monday\n"
    "  -w, --week-numbers        the ISO week of each row\n"
    "  --color[=WHEN]            highlight today: auto (on a terminal, unless NO_COLOR\n"
    "                            is set or TERM=dumb), always or never\n"
    "  --year YYYY               that year's lunar festivals and solar terms, by date\n"
    "  --ics YYYY[:YYYY]         those years as an iCalendar file on standard output\n"
    "  --gregorian               with --year, --ics and --next: the Gregorian festivals too\n"
    "  --every [L]MM-DD          the day of that lunar month and day in each lunar year,\n"
    "                            this one and the nine after it; a leap month as L04 or 闰4.\n"
    "                            Day 30 of a 29-day month is kept on its 29th (三十 → 廿九);\n"
    "                            a leap month the year lacks, on its ordinary month\n"
    "                            (无闰四月); an ordinary month never moves into a leap one\n"
    "  --from YYYY, --to YYYY    with --every: the first and last lunar years\n"
    "  --ics                     with --every: as an iCalendar file of all-day events\n"
    "  --name TEXT               with --every --ics: the events' name (else the lunar date)\n"
    "  --next [N]                the next N (10) festivals and solar terms after today,\n"
    "                            with the days to go"
    "  --kinds LIST              with --year, --ics and --next: which events, of term,\n"
    "                            lunar, gregorian, off (official days off) and work\n"
    "                            (make-up working days); all but gregorian by default\n"
    "  --workday [YYYY-MM-DD]    whether a day is worked in China: exit status 0 for a\n"
    "                            working day, 1 for a day off, 3 for a year no notice has\n"
    "                            announced; today without a value\n"
    "  --holidays FILE           official arrangements of more years, as tab-separated\n"
    "                            year, name, off_from, off_to, work_days; each year of the\n"
    "                            file replaces the built-in one.  Also MOONFOLD_HOLIDAYS,\n"
    "                            and $XDG_CONFIG_HOME/moonfold/holidays.tsv when present\n"
    "  --script hans|hant        simplified or traditional characters; without it, the\n"
    "                            locale's (LC_ALL, LC_MESSAGES, LANG): traditional for\n"
    "                            zh_TW, zh_HK, zh_MO or a name with Hant\n"
    "  --moon [YYYY[-MM]]        the moon's principal phases of a year or a month (this\n"
    "                            month without a value), with their Beijing times\n"
    "  --keywords                the keywords, one a line (for completion and scripts)\n"
    "  --help                    this text\n"
    "  --version                 the version\n"
    "\n"
    "Keywords (matched whatever the case of their letters):\n"
    "%KEYWORDS%"
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

// What a keyword names: the Gregorian date, or a kind of text.
struct Field {
  std::optional<TextKind> kind;  // none: DATE
  std::string Name() const {
    return kind ? Utf8FromUtf16(kind->Row().keyword) : std::string("DATE");
  }
  friend bool operator==(const Field&, const Field&) = default;
};

// Every field, in the order of the listing and the JSON object.
std::vector<Field> AllFields() {
  std::vector<Field> fields{Field{}};
  for (std::uint8_t k = 0; k < kTextKindCount; ++k) fields.push_back({TextKind{k}});
  return fields;
}

std::string KeywordList() {
  std::string list;
  for (const Field& field : AllFields()) list += (list.empty() ? "" : " ") + field.Name();
  return list;
}

// The help text, its keyword list wrapped at 72 columns.
std::string HelpText() {
  std::string keywords, line = " ";
  for (const Field& field : AllFields()) {
    if (line.size() + 1 + field.Name().size() > 72) {
      keywords += line + "\n";
      line = " ";
    }
    line += " " + field.Name();
  }
  keywords += line + "\n";
  std::string help(kHelp);
  help.replace(help.find("%KEYWORDS%"), 10, keywords);
  return std::string(kUsage) + "\n" + help;
}

std::optional<Field> FieldOf(std::string_view keyword) {
  const std::u16string wide = Utf16FromUtf8(keyword);
  if (EqualsIgnoringAsciiCase(u"DATE", wide)) return Field{};
  if (const auto kind = KindOfKeyword(wide)) return Field{*kind};
  return std::nullopt;
}

Result UnknownKeyword(std::string_view keyword) {
  return Failure(keyword, "not a keyword; the keywords are " + KeywordList());
}

// A field's text for machine and human output alike: no blank at either end.
std::string FieldText(const Field& field, const DayFacts& facts, Script script) {
  if (!field.kind) return IsoDate(facts.date);
  return Utf8FromUtf16(TrimBlanks(KindText(*field.kind, facts, script)));
}

// Fills each {KEYWORD}; {{ and }} are braces.
Result Format(const DayFacts& facts, std::string_view templ, Script script) {
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
    if (keyword.empty()) {
      return Failure("--format", "{} is an empty placeholder; put a keyword in it, as {LUNARDAY}");
    }
    const std::optional<Field> field = FieldOf(keyword);
    if (!field) return UnknownKeyword(keyword);
    out += FieldText(*field, facts, script);
    i = close;
  }
  return {0, out + "\n", {}};
}

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

// Everything the arguments ask for.
struct Request {
  std::optional<std::string> date, lunar, format, month, year, ics, color, every, from, to, name,
      next, kinds, holidays, workday, script, moon;
  bool month_mode = false, three = false, monday = false, json = false, gregorian = false;
  bool ics_mode = false, next_mode = false, week_numbers = false, workday_mode = false,
       moon_mode = false;
  std::vector<std::string> keywords;
  std::vector<std::string> seen;  // options in the order given, for conflicts
};

// Options that take a value: where it goes, and what it is.
struct ValueOption {
  std::string_view name;
  std::optional<std::string> Request::*slot;
  std::string_view form;
};
constexpr ValueOption kValueOptions[]{
    {"--date", &Request::date, "YYYY-MM-DD or YYYY-MM-DDTHH:MM"},
    {"--lunar", &Request::lunar, "a lunar YYYY-MM-DD"},
    {"--format", &Request::format, "a template"},
    {"--year", &Request::year, "YYYY"},
    {"--every", &Request::every, "a lunar MM-DD"},
    {"--from", &Request::from, "a lunar year YYYY"},
    {"--to", &Request::to, "a lunar year YYYY"},
    {"--name", &Request::name, "the events' name"},
    {"--script", &Request::script, "hans or hant"},
    {"--kinds", &Request::kinds, "a list of term, lunar, gregorian, off, work and moon"},
    {"--holidays", &Request::holidays, "a file of holiday arrangements"},
};

// Options that choose a mode and may take a value, taken when it is inline
// or the next argument starts with a digit.
struct ModeOption {
  std::string_view name;
  std::optional<std::string> Request::*slot;
  bool Request::*mode;
};
constexpr ModeOption kModeOptions[]{
    {"--ics", &Request::ics, &Request::ics_mode},         {"--moon", &Request::moon, &Request::moon_mode},
    {"--workday", &Request::workday, &Request::workday_mode}, {"--next", &Request::next, &Request::next_mode},
    {"--month", &Request::month, &Request::month_mode},
};

// Options of no value: the field each sets, and whether it asks for the
// month grid too.
struct FlagOption {
  std::string_view name;
  bool Request::*field;
  bool month;
};
constexpr FlagOption kFlagOptions[]{
    {"-3", &Request::three, true},           {"--monday", &Request::monday, true},
    {"-w", &Request::week_numbers, true},    {"--week-numbers", &Request::week_numbers, true},
    {"--json", &Request::json, false},       {"--gregorian", &Request::gregorian, false},
};

// The answers that end the reading at once: help, keywords, version.
std::optional<Result> ImmediateAnswer(const std::string& arg) {
  if (arg == "--help" || arg == "-h") return Result{0, HelpText(), {}};
  if (arg == "--version") return Result{0, std::string("moonfold ") + kVersionText + "\n", {}};
  if (arg != "--keywords") return std::nullopt;
  std::string list;
  for (const Field& field : AllFields()) list += field.Name() + "\n";
  return Result{0, list, {}};
}

std::variant<Request, Result> ReadArguments(const std::vector<std::string>& args) {
  Request r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string name = arg.substr(0, arg.find('='));
    const bool has_inline = name.size() < arg.size();
    const auto next_is = [&](auto accept) { return !has_inline && i + 1 < args.size() && accept(args[i + 1]); };
    if (auto answer = ImmediateAnswer(arg)) return std::move(*answer);
    const std::string canonical = name == "--colour" ? "--color" : name;
    if (!arg.empty() && arg[0] == '-' && std::find(r.seen.begin(), r.seen.end(), canonical) != r.seen.end()) {
      return Failure(name, "given twice");
    }
    bool known = false;
    for (const ValueOption& o : kValueOptions) {
      if (name != o.name) continue;
      if (!has_inline && i + 1 >= args.size()) return Failure(name, "needs a value (" + std::string(o.form) + ")");
      r.*o.slot = has_inline ? arg.substr(name.size() + 1) : args[++i];
      known = true;
    }
    for (const ModeOption& o : kModeOptions) {
      if (name != o.name) continue;
      r.*o.mode = known = true;
      if (has_inline) r.*o.slot = arg.substr(name.size() + 1);
      if (next_is([](const std::string& a) { return !a.empty() && a[0] >= '0' && a[0] <= '9'; })) r.*o.slot = args[++i];
    }
    for (const FlagOption& o : kFlagOptions) {
      if (arg != o.name) continue;
      r.*o.field = known = true;
      if (o.month) r.month_mode = true;
    }
    if (canonical == "--color") {
      // A WHEN given as a word of its own reads as a keyword: say so.
      if (next_is([](const std::string& a) { return a == "auto" || a == "always" || a == "never"; })) {
        return Failure(name + " " + args[i + 1],
                       name + " takes its WHEN after an equals sign: " + name + "=" + args[i + 1]);
      }
      r.color = has_inline ? arg.substr(name.size() + 1) : "always";
      known = true;
    }
    if (!known && !arg.empty() && arg[0] == '-') return Failure(arg, "not an option; see moonfold --help");
    // "--year=" with nothing after it is a slip of the shell (an unset
    // variable, a lost quote): name it rather than read it as no value.
    if (known && has_inline && arg.size() == name.size() + 1) return Failure(arg, "nothing after the equals sign");
    if (!known) {
      r.keywords.push_back(arg);
      continue;
    }
    r.seen.push_back(canonical);
  }
  return r;
}

// The options that ask for the month grid.
constexpr std::string_view kMonthOptions[]{"--month", "-3", "--monday", "-w", "--week-numbers"};

// A mode with an output of its own: it refuses the options it lists, the
// month grid's (the first given, in the grid's order) and keywords.
template <typename Given>
std::optional<Result> StandsAlone(const Request& r, const Given& given, std::string_view mode,
                                  std::initializer_list<std::string_view> refused) {
  const auto together = [&](std::string_view o) {
    return Failure(std::string(mode) + " and " + std::string(o), "cannot be used together");
  };
  for (const std::string_view o : refused) {
    if (given(o)) return together(o);
  }
  for (const std::string_view o : kMonthOptions) {
    if (given(o)) return together(o);
  }
  if (!r.keywords.empty()) {
    return Failure(std::string(mode) + " and " + r.keywords.front(), "keywords go with today's texts only");
  }
  return std::nullopt;
}

// The conflicts of --every and --next, and of the options that serve only
// one mode.
template <typename Given>
std::optional<Result> LaterConflict(const Request& r, const Given& given, std::string_view month) {
  if (given("--every")) {
    if (auto refused = StandsAlone(r, given, "--every", {"--format", "--year", "--next"})) return refused;
  }
  if (given("--next")) {
    if (auto refused = StandsAlone(r, given, "--next", {"--format", "--year", "--every"})) return refused;
  }
  if (given("--next") && given("--ics")) return Failure("--next and --ics", "cannot be used together");
  for (const std::string_view mode : {"--year", "--ics"}) {
    for (const std::string_view o : {"--date", "--lunar"}) {
      if (given(mode) && given(o) && !given("--every")) {
        return Failure(std::string(mode) + " and " + std::string(o), "cannot be used together");
      }
    }
  }
  if (given("--color") && month.empty()) return Failure("--color", "goes with --month");
  for (const std::string_view o : {"--from", "--to"}) {
    if (given(o) && !given("--every")) return Failure(o, "goes with --every");
  }
  if (given("--name") && !(given("--every") && given("--ics"))) {
    return Failure("--name", "goes with --every and --ics");
  }
  if (r.name && (r.name->empty() || Utf8FromUtf16(Utf16FromUtf8(*r.name)) != *r.name)) {
    return Failure("--name", r.name->empty() ? "the name is empty" : "the name is not UTF-8 text");
  }
  if (given("--every") && r.ics) {
    return Failure("--ics " + *r.ics, "takes no years with --every; give lunar years with --from and --to");
  }
  if (given("--ics") && !given("--every") && !r.ics) {
    return Failure("--ics", "needs a value (YYYY or YYYY:YYYY)");
  }
  return std::nullopt;
}

// The first pair of options given together that do not go together.
std::optional<Result> Conflict(const Request& r) {
  const auto given = [&](std::string_view option) {
    return std::find(r.seen.begin(), r.seen.end(), option) != r.seen.end();
  };
  const auto month_option = [&]() -> std::string_view {
    for (const std::string_view o : kMonthOptions) {
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
  if (given("--kinds") && !given("--year") && !given("--ics") && !given("--next")) {
    return Failure("--kinds", "goes with --year, --ics or --next");
  }
  if (given("--moon")) {
    if (auto refused = StandsAlone(r, given, "--moon",
                                   {"--format", "--year", "--ics", "--every", "--next", "--workday", "--date",
                                    "--lunar"})) {
      return refused;
    }
  }
  if (given("--workday")) {
    if (auto refused = StandsAlone(r, given, "--workday",
                                   {"--json", "--format", "--year", "--ics", "--every", "--next", "--date",
                                    "--lunar"})) {
      return refused;
    }
  }
  if (given("--gregorian") && !given("--year") && !given("--ics") && !given("--next")) {
    return Failure("--gregorian", "goes with --year, --ics or --next");
  }
  return LaterConflict(r, given, month);
}

// The script: --script, else the locale's.
std::variant<Script, Result> ScriptFor(const Request& r, const Environment& e) {
  if (r.script) {
    if (EqualsIgnoringAsciiCase(u"hans", Utf16FromUtf8(*r.script))) return Script::kSimplified;
    if (EqualsIgnoringAsciiCase(u"hant", Utf16FromUtf8(*r.script))) return Script::kTraditional;
    return Failure("--script " + *r.script, "expected hans (simplified) or hant (traditional)");
  }
  const std::string& l = e.locale;
  const bool traditional = l.rfind("zh_TW", 0) == 0 || l.rfind("zh_HK", 0) == 0 ||
                           l.rfind("zh_MO", 0) == 0 || l.find("Hant") != std::string::npos;
  return traditional ? Script::kTraditional : Script::kSimplified;
}

// The holiday arrangement: the built-in one, with the years of a user's
// file over it (--holidays, else MOONFOLD_HOLIDAYS, else the file in the
// configuration folder where there is one).  A file that cannot be read or
// does not parse is refused before anything is printed.
std::variant<OwnedArrangement, Result> ArrangementFor(const Request& r, const Environment& e) {
  const std::optional<std::string> path =
      r.holidays ? r.holidays : e.holidays_variable ? e.holidays_variable : e.holidays_default;
  if (!path || !e.read_file) {
    const Arrangement& b = kBuiltInArrangement;
    return OwnedArrangement{{b.spans.begin(), b.spans.end()}, {b.make_up_days.begin(), b.make_up_days.end()}, b.years};
  }
  const FileRead file = e.read_file(*path);
  if (!file.read) return Failure(*path, "cannot be read: " + file.text);
  auto parsed = ReadHolidayFile(*path, file.text, kBuiltInArrangement);
  if (auto* why = std::get_if<std::string>(&parsed)) return Result{2, {}, "moonfold: " + *why + "\n"};
  return std::move(std::get<OwnedArrangement>(parsed));
}

// The kinds of --kinds, with the Gregorian festivals of --gregorian.
std::variant<EventKinds, Result> KindsOf(const Request& r) {
  EventKinds kinds = kDefaultKinds;
  if (r.kinds) {
    kinds = 0;
    std::string_view rest = *r.kinds;
    while (true) {
      const std::string_view word = rest.substr(0, rest.find(','));
      bool known = false;
      for (const EventKind kind : {EventKind::kTerm, EventKind::kLunar, EventKind::kGregorian,
                                   EventKind::kOff, EventKind::kWork, EventKind::kMoon}) {
        if (word == KindName(kind)) {
          kinds |= KindBit(kind);
          known = true;
        }
      }
      if (!known) {
        return Failure("--kinds " + *r.kinds,
                       "expected a list of term, lunar, gregorian, off, work and moon");
      }
      if (word.size() == rest.size()) break;
      rest.remove_prefix(word.size() + 1);
    }
  }
  if (r.gregorian) kinds |= KindBit(EventKind::kGregorian);
  return kinds;
}

Result ClockOutOfRange(const Environment& environment);

// --moon: the principal phases of a year or a month (this month without a
// value), with their Beijing times.
Result MoonMode(const Request& r, const Environment& environment, Script script) {
  sys_days first, last;
  if (r.moon && r.moon->find('-') == std::string::npos) {
    const auto years = ParseYears(*r.moon, false);
    if (const auto* why = std::get_if<std::string>(&years)) return Failure("--moon " + *r.moon, *why);
    const int y = std::get<YearRange>(years).first;
    first = sys_days{year{y} / January / 1};
    last = sys_days{year{y} / December / 31};
  } else {
    year_month asked{};
    if (r.moon) {
      const auto parsed = ParseMonth(*r.moon);
      if (const auto* why = std::get_if<std::string>(&parsed)) return Failure("--moon " + *r.moon, *why);
      asked = std::get<year_month>(parsed);
    } else {
      const LocalDateRecord& now = environment.now;
      const year_month_day today{year{now.year}, month{now.month}, day{now.day}};
      if (!today.ok() || !InCalendarRange(sys_days{today})) return ClockOutOfRange(environment);
      asked = today.year() / today.month();
    }
    first = sys_days{asked / 1};
    last = sys_days{asked / std::chrono::last};
  }
  const std::vector<CalendarEvent> phases = MoonPhasesBetween(first, last, false);
  return {0, r.json ? MoonJson(phases, script) : MoonListing(phases, script), {}};
}

// --workday: whether a day is worked, for scripts: exit status 0 for a
// working day, 1 for a day off, 3 where no arrangement is known.
Result WorkdayMode(const Request& r, const Environment& environment, const Arrangement& arrangement,
                   Script script) {
  std::optional<year_month_day> date;
  if (r.workday) {
    const auto parsed = ParseDate(*r.workday);
    if (const auto* why = std::get_if<std::string>(&parsed)) return Failure("--workday " + *r.workday, *why);
    date = std::get<DateTime>(parsed).date;
  } else {
    const LocalDateRecord& now = environment.now;
    date = year{now.year} / month{now.month} / day{now.day};
    if (!date->ok() || !InCalendarRange(sys_days{*date})) return ClockOutOfRange(environment);
  }
  const OfficialDay official = OfficialDayOf(arrangement, sys_days{*date});
  const std::string holiday = Utf8FromUtf16(HolidayName(official.holiday, script));
  switch (official.status) {
    case DayStatus::kUnknown:
      return {3, {}, "moonfold: no official arrangement is known for " +
                         std::to_string(static_cast<int>(date->year())) + " — see --holidays\n"};
    case DayStatus::kDayOff: return {1, "day off (" + holiday + ")\n", {}};
    case DayStatus::kMakeUpWork: return {0, "working day (" + holiday + " make-up day)\n", {}};
    case DayStatus::kOrdinary: break;
  }
  if (*IsWorkingDay(official, sys_days{*date})) return {0, "working day\n", {}};
  return {1, "day off (weekend)\n", {}};
}

// Whether today is shown in reverse video, or why --color is refused.
std::variant<bool, Result> Highlight(const Request& r, const Environment& environment) {
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
  return highlight && environment.can_highlight;
}

// --year and --ics: the events of whole years.
Result YearEvents(const Request& r, const Environment& environment, Script script,
                  const Arrangement& arrangement) {
  const auto kinds = KindsOf(r);
  if (const auto* refused = std::get_if<Result>(&kinds)) return *refused;
  const std::string& text = r.year ? *r.year : *r.ics;
  const std::string option = r.year ? "--year " : "--ics ";
  const auto years = ParseYears(text, r.ics_mode);
  if (const auto* why = std::get_if<std::string>(&years)) {
    if (r.year && std::holds_alternative<YearRange>(ParseYears(text, true))) {
      return Failure(option + text, "expected one year (a range of years goes with --ics)");
    }
    return Failure(option + text, *why);
  }
  const YearRange range = std::get<YearRange>(years);
  const auto events = EventsOf(range.first, range.last, std::get<EventKinds>(kinds), arrangement);
  if (r.ics) return {0, ICalendar(events, range.first, range.last, environment.utc_now, script), {}};
  return {0, r.json ? YearJson(events, script) : YearListing(events, script), {}};
}

// The moment the texts are of: the one asked for, or the clock's.  Nothing
// when the clock's own date lies outside the calendar.
std::variant<std::optional<DateTime>, Result> MomentOf(const Request& r,
                                                       const Environment& environment) {
  if (r.date || r.lunar) {
    const auto parsed = r.date ? ParseDate(*r.date) : ParseLunarDate(*r.lunar);
    if (const auto* why = std::get_if<std::string>(&parsed)) {
      return Failure((r.date ? "--date " : "--lunar ") + (r.date ? *r.date : *r.lunar), *why);
    }
    return std::optional<DateTime>(std::get<DateTime>(parsed));
  }
  const LocalDateRecord& now = environment.now;
  const DateTime clock{year{now.year} / month{now.month} / day{now.day}, now.hour, now.minute};
  if (!clock.date.ok() || !InCalendarRange(sys_days{clock.date})) return std::optional<DateTime>();
  return std::optional<DateTime>(clock);
}

Result ClockOutOfRange(const Environment& environment) {
  const LocalDateRecord& now = environment.now;
  const year_month_day date{year{now.year}, month{now.month}, day{now.day}};
  return Failure("the clock's date " + IsoDate(date),
                 "outside the supported range " + RangeText() +
                     "; give a day with --date");
}

// --month: the month asked for, or the moment's.
Result MonthMode(const Request& r, const std::optional<DateTime>& moment,
                 const Environment& environment, GridStyle style) {
  if (!r.month && !moment) return ClockOutOfRange(environment);
  std::vector<year_month> months;
  if (r.month && r.month->size() == 4 && r.month->find_first_not_of("0123456789") == std::string::npos) {
    // A year alone: its twelve months.
    const auto years = ParseYears(*r.month, false);
    if (const auto* why = std::get_if<std::string>(&years)) return Failure("--month " + *r.month, *why);
    if (r.three) return Failure("--month " + *r.month + " and -3", "a whole year has no months around it");
    for (unsigned m = 1; m <= 12; ++m) months.push_back(year{std::get<YearRange>(years).first} / month{m});
  } else {
    year_month asked = r.month ? year_month{} : moment->date.year() / moment->date.month();
    if (r.month) {
      const auto parsed = ParseMonth(*r.month);
      if (const auto* why = std::get_if<std::string>(&parsed)) return Failure("--month " + *r.month, *why);
      asked = std::get<year_month>(parsed);
    }
    months = {asked};
    if (r.three) {
      // The range ends in 1900-01 and 2100-12: a neighbour beyond it is left out.
      for (const year_month m : {asked - months_t{1}, asked + months_t{1}}) {
        if (m >= year{1900} / January && m <= year{2100} / December) months.push_back(m);
      }
      std::sort(months.begin(), months.end());
    }
  }
  if (moment) style.today = moment->date;
  const int columns = environment.terminal_columns > 0 ? environment.terminal_columns : 80;
  return {0, MonthGrids(months, columns, style), {}};
}

// A lunar year of --from or --to.
std::variant<int, Result> LunarYearOption(std::string_view option, const std::string& text) {
  const auto years = ParseYears(text, false);
  if (const auto* why = std::get_if<std::string>(&years)) {
    return Failure(std::string(option) + " " + text, *why);
  }
  const YearRange range = std::get<YearRange>(years);
  if (range.first != range.last) return Failure(std::string(option) + " " + text, "expected YYYY");
  return range.first;
}

// --every: a lunar date in each lunar year of a range, by default the
// moment's lunar year and the nine after it.
Result EveryMode(const Request& r, const std::optional<DateTime>& moment,
                 const Environment& environment, Script script) {
  const auto date = ParseLunarMonthDay(*r.every);
  if (const auto* why = std::get_if<std::string>(&date)) return Failure("--every " + *r.every, *why);
  AnniversaryRequest request{std::get<LunarMonthDay>(date)};
  if (!r.from && !moment) return ClockOutOfRange(environment);
  request.first_year = r.from ? 0 : ToLunar(sys_days{moment->date})->year;
  for (const auto& [option, text, year] :
       {std::tuple{"--from", &r.from, &request.first_year}, std::tuple{"--to", &r.to, &request.last_year}}) {
    if (!*text) continue;
    const auto parsed = LunarYearOption(option, **text);
    if (const auto* refused = std::get_if<Result>(&parsed)) return *refused;
    *year = std::get<int>(parsed);
  }
  if (!r.to) request.last_year = std::min(request.first_year + 9, 2100);
  if (request.first_year > request.last_year) {
    return Failure("--from " + std::to_string(request.first_year) + " and --to " +
                       std::to_string(request.last_year),
                   "the first year comes after the last");
  }
  const std::vector<YearsAnniversary> days = AnniversariesOf(request);
  if (r.ics_mode) return {0, AnniversaryICalendar(request, days, r.name, environment.utc_now, script), {}};
  return {0, r.json ? AnniversaryJson(days, script) : AnniversaryListing(days, script), {}};
}

// --next: the next N dated things after the moment's day.
Result NextMode(const Request& r, const std::optional<DateTime>& moment,
                const Environment& environment, Script script, const Arrangement& arrangement) {
  const auto kinds = KindsOf(r);
  if (const auto* refused = std::get_if<Result>(&kinds)) return *refused;
  if (!moment) return ClockOutOfRange(environment);
  std::size_t count = 10;
  if (r.next) {
    const bool digits = !r.next->empty() && r.next->size() <= 4 &&
                        r.next->find_first_not_of("0123456789") == std::string::npos;
    const auto n = digits
                       ? std::stoi(*r.next) : 0;
    if (n < 1 || n > 1000) return Failure("--next " + *r.next, "expected a count from 1 to 1000");
    count = static_cast<std::size_t>(n);
  }
  const sys_days today{moment->date};
  const std::vector<CalendarEvent> events =
      EventsAfter(today, count, std::get<EventKinds>(kinds), arrangement);
  return {0, r.json ? NextJson(events, today, script) : NextListing(events, today, script), {}};
}

}  // namespace

Result Run(const std::vector<std::string>& args, const Environment& environment) {
  auto read = ReadArguments(args);
  if (auto* result = std::get_if<Result>(&read)) return std::move(*result);
  const Request& r = std::get<Request>(read);
  if (auto conflict = Conflict(r)) return *conflict;
  const auto highlight = Highlight(r, environment);
  if (const auto* refused = std::get_if<Result>(&highlight)) return *refused;
  const auto chosen = ScriptFor(r, environment);
  if (const auto* refused = std::get_if<Result>(&chosen)) return *refused;
  const Script script = std::get<Script>(chosen);
  auto owned = ArrangementFor(r, environment);
  if (auto* refused = std::get_if<Result>(&owned)) return std::move(*refused);
  const OwnedArrangement& holidays = std::get<OwnedArrangement>(owned);
  const Arrangement arrangement = holidays.View();

  if (r.workday_mode) return WorkdayMode(r, environment, arrangement, script);
  if (r.moon_mode) return MoonMode(r, environment, script);
  if (r.year || (r.ics_mode && !r.every)) return YearEvents(r, environment, script, arrangement);
  const auto moment = MomentOf(r, environment);
  if (const auto* refused = std::get_if<Result>(&moment)) return *refused;
  const std::optional<DateTime>& at = std::get<std::optional<DateTime>>(moment);
  if (r.every) return EveryMode(r, at, environment, script);
  if (r.next_mode) return NextMode(r, at, environment, script, arrangement);
  if (r.month_mode) {
    return MonthMode(r, at, environment,
                     GridStyle{r.monday, std::get<bool>(highlight), {}, script, r.week_numbers,
                               &arrangement});
  }
  if (!at) return ClockOutOfRange(environment);

  DayFacts facts = *FactsOf(WallTime(at->date, at->hour, at->minute));
  facts.official = OfficialDayOf(arrangement, sys_days{at->date});
  if (r.format) return Format(facts, *r.format, script);
  return Texts(facts, r.keywords, r.json, script);
}

}  // namespace moonfold::cli
