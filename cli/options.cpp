#include "cli/options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "cli/text_output.h"
#include "common/utf8.h"
#include "input/dates.h"
#include "input/keywords.h"
#include "input/shown.h"
#include "moonfold_version.h"

namespace moonfold::cli {
namespace {

using enum Mode;
using enum Value;

constexpr Modes Of(std::initializer_list<Mode> modes) {
  Modes bits = 0;
  for (const Mode m : modes) bits |= ModeBit(m);
  return bits;
}

// In the order of --help.  A mode's first row is the option its messages
// name; --ics is a mode of its own and, with --every, that mode's format.
constexpr std::array kOptions{
    OptionRow{"--date", "", kRequired, "YYYY-MM-DD[THH:MM]", "YYYY-MM-DD or YYYY-MM-DDTHH:MM",
              &Request::date, nullptr, std::nullopt, Of({kTexts, kMonth, kEvery, kNext}), "",
              "that local date and time instead of the clock", ""},
    OptionRow{"--lunar", "", kRequired, "YYYY-MM-DD", "a lunar YYYY-MM-DD", &Request::lunar,
              nullptr, std::nullopt, Of({kTexts, kMonth, kEvery, kNext}), "--date",
              "the day of that lunar date; a leap month as L02 or 闰2", ""},
    OptionRow{"--json", "", kNone, "", "", nullptr, &Request::json, std::nullopt,
              Of({kTexts, kYear, kEvery, kNext, kMoon, kAlmanac}), "",
              "one JSON object keyed by keyword (and of the page with\n"
              "--almanac); with --year, --every, --next and --moon, an array\n"
              "of objects",
              ""},
    OptionRow{"--format", "", kRequired, "TEMPLATE", "a template", &Request::format, nullptr,
              std::nullopt, Of({kTexts}), "",
              "fill {KEYWORD} placeholders, e.g. '{LUNARMONTH}月{LUNARDAY}';\n"
              "{{ and }} are literal braces; with --json each text is\n"
              "escaped for a JSON string, for a template of JSON",
              ""},
    OptionRow{"--month", "", kOptional, "[YYYY-MM|YYYY]", "", &Request::month, nullptr, kMonth,
              Of({kMonth}), "",
              "a month as a calendar (this month without a value), or\n"
              "a whole year; as wide as the terminal (COLUMNS), 80 else",
              ""},
    OptionRow{"-3", "", kNone, "", "", nullptr, &Request::three, kMonth, Of({kMonth}), "",
              "the months before and after it too", ""},
    OptionRow{"--monday", "", kNone, "", "", nullptr, &Request::monday, kMonth, Of({kMonth}), "",
              "weeks start on Monday", ""},
    OptionRow{"--week-numbers", "-w", kNone, "", "", nullptr, &Request::week_numbers, kMonth,
              Of({kMonth}), "",
              "the ISO week of each row: with --monday the row's own, else\n"
              "the week of its Monday (six of its seven days)",
              ""},
    OptionRow{"--color", "--colour", kInline, "[=WHEN]", "auto, always or never", &Request::color,
              nullptr, std::nullopt, Of({kMonth}), "",
              "highlight today: auto (on a terminal, unless NO_COLOR\n"
              "is set or TERM=dumb), always or never; also --colour",
              ""},
    OptionRow{"--year", "", kRequired, "YYYY", "YYYY", &Request::year, nullptr, kYear, Of({kYear}),
              "", "that year's lunar festivals and solar terms, by date", ""},
    OptionRow{"--ics", "", kOptional, "YYYY[:YYYY]", "YYYY or YYYY:YYYY", &Request::ics, nullptr,
              kIcs, Of({kIcs, kEvery}), "--json",
              "those years as an iCalendar file on standard output; with\n"
              "--every and no years, its days as one",
              ""},
    OptionRow{"--gregorian", "", kNone, "", "", nullptr, &Request::gregorian, std::nullopt,
              Of({kYear, kIcs, kNext}), "",
              "with --year, --ics and --next: the Gregorian festivals too", ""},
    OptionRow{"--kinds", "", kRequired, "LIST",
              "a list of term, lunar, gregorian, off, work and moon", &Request::kinds, nullptr,
              std::nullopt, Of({kYear, kIcs, kNext}), "",
              "with --year, --ics and --next: which events, of term,\n"
              "lunar, gregorian, off (official days off), work\n"
              "(make-up working days) and moon (new and full moons);\n"
              "all but gregorian and moon by default",
              ""},
    OptionRow{"--every", "", kRequired, "[L]MM-DD", "a lunar MM-DD", &Request::every, nullptr,
              kEvery, Of({kEvery}), "",
              "the day of that lunar month and day in each lunar year,\n"
              "this one and the nine after it; a leap month as L04 or 闰4.\n"
              "Day 30 of a 29-day month is kept on its 29th (三十 → 廿九);\n"
              "a leap month the year lacks, on its ordinary month\n"
              "(无闰四月); an ordinary month never moves into a leap one",
              ""},
    OptionRow{"--from", "", kRequired, "YYYY", "a lunar year YYYY", &Request::from, nullptr,
              std::nullopt, Of({kEvery}), "", "with --every: the first lunar year", ""},
    OptionRow{"--to", "", kRequired, "YYYY", "a lunar year YYYY", &Request::to, nullptr,
              std::nullopt, Of({kEvery}), "", "with --every: the last lunar year", ""},
    OptionRow{"--name", "", kRequired, "TEXT", "the events' name", &Request::name, nullptr,
              std::nullopt, Of({kEvery}), "",
              "with --every --ics: the events' name (else the lunar date)", "--ics"},
    OptionRow{"--next", "", kOptional, "[N]", "", &Request::next, nullptr, kNext, Of({kNext}), "",
              "the next N (10) festivals and solar terms after today,\n"
              "with the days to go",
              ""},
    OptionRow{"--workday", "", kOptional, "[YYYY-MM-DD]", "", &Request::workday, nullptr, kWorkday,
              Of({kWorkday}), "",
              "whether a day is worked in China: exit status 0 for a\n"
              "working day, 1 for a day off, 3 for a year no notice has\n"
              "announced; today without a value",
              ""},
    OptionRow{"--moon", "", kOptional, "[YYYY[-MM]]", "", &Request::moon, nullptr, kMoon,
              Of({kMoon}), "",
              "the moon's principal phases of a year or a month (this\n"
              "month without a value), with their Beijing times",
              ""},
    OptionRow{"--almanac", "", kOptional, "[YYYY-MM-DD]", "", &Request::almanac, nullptr, kAlmanac,
              Of({kAlmanac}), "",
              "the day's almanac page (黄历; today without a value): its\n"
              "stem-branch names, officer, god, mansion, clash, 彭祖 sayings,\n"
              "gods of joy and wealth and the gods of its double hours",
              ""},
    OptionRow{"--holidays", "", kRequired, "FILE", "a file of holiday arrangements",
              &Request::holidays, nullptr, std::nullopt, kEveryMode, "",
              "official arrangements of more years, as tab-separated\n"
              "year, name, off_from, off_to, work_days; each year of the\n"
              "file replaces the built-in one.  Also MOONFOLD_HOLIDAYS,\n"
              "and $XDG_CONFIG_HOME/moonfold/holidays.tsv when present",
              ""},
    OptionRow{"--script", "", kRequired, "hans|hant", "hans or hant", &Request::script, nullptr,
              std::nullopt, kEveryMode, "",
              "simplified or traditional characters; without it, the\n"
              "locale's (LC_ALL, LC_MESSAGES, LANG): traditional for\n"
              "zh_TW, zh_HK, zh_MO or a name with Hant",
              ""},
    OptionRow{"--keywords", "", kAnswer, "", "", nullptr, nullptr, std::nullopt, kEveryMode, "",
              "the keywords, one a line (for completion and scripts)", ""},
    OptionRow{"--help", "-h", kAnswer, "", "", nullptr, nullptr, std::nullopt, kEveryMode, "",
              "this text", ""},
    OptionRow{"--version", "", kAnswer, "", "", nullptr, nullptr, std::nullopt, kEveryMode, "",
              "the version", ""},
};

const OptionRow* RowNamed(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name || (!row.alias.empty() && row.alias == name)) return &row;
  }
  return nullptr;
}

// The option that asks for a mode, as messages name it: its first row.
std::string_view ChooserOf(Mode mode) {
  for (const OptionRow& row : kOptions) {
    if (row.chooses == mode) return row.name;
  }
  return {};
}

// "--year, --ics or --next": the modes an option goes with.
std::string ModeList(Modes modes, std::string_view needs) {
  std::vector<std::string_view> names;
  for (unsigned m = 0; m < kModeCount; ++m) {
    if ((modes & (1u << m)) != 0) names.push_back(ChooserOf(static_cast<Mode>(m)));
  }
  if (!needs.empty()) names.push_back(needs);
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += !needs.empty() ? " and " : i + 1 == names.size() ? " or " : ", ";
    list += names[i];
  }
  return list;
}

std::string Together(std::string_view a, std::string_view b) {
  std::string what(a);
  return what + " and " + std::string(b);
}

// The answers that end the reading at once: help, keywords, version.
Result Answer(const OptionRow& row) {
  if (row.name == "--help") return {0, HelpText(), {}};
  if (row.name == "--version") return {0, std::string("moonfold ") + kVersionText + "\n", {}};
  std::string list;
  for (const Field& field : AllFields()) list += field.Name() + "\n";
  return {0, list, {}};
}

// Whether a word after an option of an optional value is that value: it
// starts with a digit, or it is no option and no keyword.
bool LooksLikeValue(const std::string& word) {
  if (word.empty() || word[0] == '-') return false;
  return (word[0] >= '0' && word[0] <= '9') || !FieldOf(word);
}

// An option's value: after its equals sign, or the next argument where the
// row takes one from there.  Advances `i` past what it took.
std::optional<Result> TakeValue(const OptionRow& row, const std::vector<std::string>& args,
                                std::size_t& i, std::string_view name, Request& r) {
  const std::string& arg = args[i];
  const bool has_inline = name.size() < arg.size();
  const bool has_next = !has_inline && i + 1 < args.size();
  // A flag, or an answer such as --help, written with an equals sign.
  if (row.value == kNone || row.value == kAnswer) {
    if (has_inline) return Failure(arg, "takes no value");
    r.*row.flag = true;
    return std::nullopt;
  }
  // "--year=" with nothing after it is a slip of the shell (an unset
  // variable, a lost quote): name it rather than read it as no value.
  if (has_inline && arg.size() == name.size() + 1)
    return Failure(arg, "nothing after the equals sign");
  std::optional<std::string>& slot = r.*row.text;
  if (has_inline) {
    slot = arg.substr(name.size() + 1);
  } else if (row.value == kRequired) {
    if (!has_next) return Failure(name, "needs a value (" + std::string(row.expected) + ")");
    slot = args[++i];
  } else if (row.value == kOptional) {
    // The next word is the value when it looks like one (a digit first), or
    // when it is neither an option nor a keyword: --month abc is a bad
    // month, not a keyword.
    if (has_next && LooksLikeValue(args[i + 1])) slot = args[++i];
  } else {
    // A WHEN given as a word of its own reads as a keyword: say so.
    if (has_next && (args[i + 1] == "auto" || args[i + 1] == "always" || args[i + 1] == "never")) {
      return Failure(std::string(name) + " " + args[i + 1],
                     std::string(name) + " takes its WHEN after an equals sign: " +
                         std::string(name) + "=" + args[i + 1]);
    }
    slot = "always";
  }
  return std::nullopt;
}

}  // namespace

std::span<const OptionRow> Options() { return kOptions; }

bool Request::Given(std::string_view option) const {
  return std::find(given.begin(), given.end(), option) != given.end();
}

Result Failure(std::string_view what, std::string_view why) {
  std::string err = "moonfold: ";
  // What the user gave, as a message may show it: one line, escapes shown.
  err += Shown(what);
  // An empty argument shows as '' rather than as a blank.
  if (what.empty() || what.back() == ' ') err += "''";
  err += " — ";
  err += why;
  err += '\n';
  return {kExitRefused, {}, std::move(err)};
}

std::variant<Request, Result> ReadArguments(const std::vector<std::string>& args) {
  Request r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (const OptionRow* row = RowNamed(arg); row && row->value == kAnswer) return Answer(*row);
    const std::string name = arg.substr(0, arg.find('='));
    const OptionRow* row = arg.empty() || arg[0] != '-' ? nullptr : RowNamed(name);
    if (!row && !arg.empty() && arg[0] == '-')
      return Failure(arg, "not an option; see moonfold --help");
    if (!row) {
      r.keywords.push_back(arg);
      continue;
    }
    if (r.Given(row->name)) return Failure(name, "given twice");
    if (auto refused = TakeValue(*row, args, i, name, r)) return std::move(*refused);
    r.given.push_back(row->name);
    r.spellings.push_back(name);
  }
  return r;
}

std::string_view ModeOption(const Request& r) {
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    if (RowNamed(r.given[i])->chooses == r.mode) return r.spellings[i];
  }
  return {};
}

std::optional<Result> Conflict(Request& r) {
  // The mode: the first option that asks for one; any other mode given
  // beside it is refused, but --ics is the format of --every.
  std::size_t chooser = r.given.size();
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    const std::optional<Mode> mode = RowNamed(r.given[i])->chooses;
    if (!mode || (*mode == kIcs && r.Given("--every"))) continue;
    if (chooser == r.given.size()) {
      chooser = i;
      r.mode = *mode;
    } else if (*mode != r.mode) {
      return Failure(Together(r.spellings[chooser], r.spellings[i]), "cannot be used together");
    }
  }
  // A mode's value may come after other options: --month -3 2026-02.
  for (const OptionRow& row : kOptions) {
    if (row.chooses == r.mode && r.mode != kTexts && row.value == kOptional && r.Given(row.name) &&
        !(r.*row.text) && !r.keywords.empty() &&
        std::isdigit(static_cast<unsigned char>(r.keywords.front()[0]))) {
      r.*row.text = r.keywords.front();
      r.keywords.erase(r.keywords.begin());
    }
  }
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    const OptionRow& row = *RowNamed(r.given[i]);
    const bool needs_missing = !row.needs.empty() && !r.Given(row.needs);
    if ((row.goes_with & ModeBit(r.mode)) != 0 && !needs_missing) {
      if (!row.excludes.empty() && r.Given(row.excludes)) {
        return Failure(Together(row.excludes, r.spellings[i]), "cannot be used together");
      }
      continue;
    }
    if ((row.goes_with & ModeBit(kTexts)) != 0) {
      return Failure(Together(ModeOption(r), r.spellings[i]), "cannot be used together");
    }
    return Failure(r.spellings[i],
                   "goes with " + ModeList(row.goes_with, needs_missing ? row.needs : ""));
  }
  if (r.mode != kTexts && !r.keywords.empty()) {
    return Failure(Together(ModeOption(r), r.keywords.front()),
                   "keywords go with today's texts only");
  }
  if (r.format && !r.keywords.empty()) {
    return Failure("--format and " + r.keywords.front(),
                   "put keywords in the template as {KEYWORD}");
  }
  return std::nullopt;
}

namespace {

// An option with the form of its value: --date YYYY-MM-DD[THH:MM], --color[=WHEN].
std::string WithValue(const OptionRow& row) {
  if (row.value == kInline) return std::string(row.name) + std::string(row.value_name);
  if (row.value_name.empty()) return std::string(row.name);
  return std::string(row.name) + " " + std::string(row.value_name);
}

// How an option is written in --help: -w, --week-numbers.
std::string Written(const OptionRow& row) {
  return (row.alias.size() == 2 ? std::string(row.alias) + ", " : std::string()) + WithValue(row);
}

// The usage line of a mode after `start` ("usage: " or its blanks): its
// options, the mode's own first, wrapped before 80 columns.
std::string UsageLine(Mode mode, const std::string& start) {
  std::vector<std::string> words;
  std::string own;
  for (const OptionRow& row : kOptions) {
    if (row.goes_with == kEveryMode || (row.goes_with & ModeBit(mode)) == 0) continue;
    // With --every, --ics names the format and takes no years.
    const std::string written =
        row.chooses && *row.chooses != mode ? std::string(row.name) : WithValue(row);
    if (row.chooses == mode && row.name == ChooserOf(mode)) {
      own = " " + written;
    } else {
      words.push_back("[" + written + "]");
    }
  }
  if (mode == kTexts) words.push_back("[KEYWORD...]");
  return Wrapped(start + "moonfold" + own, 16, words, 79, " ");
}

}  // namespace

std::string UsageText() {
  std::string usage;
  for (unsigned m = 0; m < kModeCount; ++m) {
    usage += UsageLine(static_cast<Mode>(m), m == 0 ? "usage: " : "       ") + "\n";
  }
  usage += "       moonfold --keywords | --help | --version\n";
  usage += "Each of them takes --script hans|hant and --holidays FILE.\n";
  return usage;
}

std::string HelpText() {
  constexpr std::size_t kColumn = 28;
  std::string help = UsageText() +
                     "\nThe traditional Chinese calendar for today, or for any day of " +
                     RangeText() + ".\n\n";
  help += "  moonfold                  every text of today, one KEYWORD<TAB>text line each\n";
  help += "  moonfold KEYWORD...       those texts, joined by single spaces\n";
  for (const OptionRow& row : kOptions) {
    std::string left = "  " + Written(row);
    left += left.size() < kColumn ? std::string(kColumn - left.size(), ' ')
                                  : "\n" + std::string(kColumn, ' ');
    std::string_view text = row.help;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1)) {
      left += std::string(text.substr(0, end)) + "\n" + std::string(kColumn, ' ');
    }
    help += left + std::string(text) + "\n";
  }
  help += "\nKeywords (matched whatever the case of their letters):\n";
  std::vector<std::string> names;
  for (const Field& field : AllFields()) names.push_back(field.Name());
  help += Wrapped("  ", 2, names, 72, " ") + "\n\n";
  help +=
      "A ? after a time, a lunar date or a day's number: decades ahead the day\n"
      "is not sure, for Earth's rotation (ΔT) is only predicted after 2025; it\n"
      "may be a day earlier or later (six terms and new moons of 2051-2097).\n"
      "Six past terms are shown as their calendars were issued, today's\n"
      "reckoning beside them (1912 小雪 … 1979 大寒).\n\n"
      "Exit status 0 on success; 2 for a date outside the range, an unknown\n"
      "keyword or a malformed or conflicting option, the reason on standard\n"
      "error; 3 where official days are asked of a year no notice has\n"
      "announced; 4 when the output cannot be written.  --workday answers\n"
      "with 0, 1 and 3.\n";
  return help;
}

}  // namespace moonfold::cli
