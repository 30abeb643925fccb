#include "cli/options.h"

#include <algorithm>
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

const OptionRow* RowNamed(std::string_view name) {
  const auto found = FindOption(name);
  return found ? &found->Row() : nullptr;
}

// "--year, --ics or --next": the modes an option goes with.
std::string ModeList(Modes modes, std::string_view needs) {
  std::vector<std::string_view> names;
  for (std::size_t m = 0; m < kOptionCount; ++m) {
    if (kOptions[m].mode && (modes & ModeBit(static_cast<Mode>(m))) != 0)
      names.push_back(kOptions[m].name);
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

bool IsWordOf(const OptionRow& row, std::string_view word) {
  return std::find(row.words.begin(), row.words.end(), word) != row.words.end();
}

// An option's value: after its equals sign, or the next argument where the
// row takes one from there.  Advances `i` past what it took.
std::optional<Result> TakeValue(OptionId option, const std::vector<std::string>& args,
                                std::size_t& i, std::string_view name, Request& r) {
  const OptionRow& row = option.Row();
  const std::string& arg = args[i];
  const bool has_inline = name.size() < arg.size();
  const bool has_next = !has_inline && i + 1 < args.size();
  std::optional<std::string>& slot = r[option];
  // A flag, or an answer such as --help, written with an equals sign.
  if (row.value == kNone || row.value == kAnswer) {
    if (has_inline) return Failure(arg, "takes no value");
    slot = "";
    return std::nullopt;
  }
  // "--year=" with nothing after it is a slip of the shell (an unset
  // variable, a lost quote): name it rather than read it as no value.
  if (has_inline && arg.size() == name.size() + 1)
    return Failure(arg, "nothing after the equals sign");
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
    if (has_next && IsWordOf(row, args[i + 1])) {
      return Failure(std::string(name) + " " + args[i + 1],
                     std::string(name) + " takes its WHEN after an equals sign: " +
                         std::string(name) + "=" + args[i + 1]);
    }
    slot = "always";
  }
  return std::nullopt;
}

}  // namespace

bool Request::Given(OptionId option) const {
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
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // After --, every word is a keyword (or a value), never an option.
    if (!options_ended && arg == "--") {
      options_ended = true;
      continue;
    }
    const bool option_like = !options_ended && !arg.empty() && arg[0] == '-';
    if (const OptionRow* row = option_like ? RowNamed(arg) : nullptr; row && row->value == kAnswer)
      return Answer(*row);
    const std::string name = arg.substr(0, arg.find('='));
    const auto option = option_like ? FindOption(name) : std::nullopt;
    if (option_like && !option) return Failure(arg, "not an option; see moonfold --help");
    if (!option) {
      r.keywords.push_back(arg);
      continue;
    }
    if (r.Given(*option)) return Failure(name, "given twice");
    if (auto refused = TakeValue(*option, args, i, name, r)) return std::move(*refused);
    r.given.push_back(*option);
    r.spellings.push_back(name);
  }
  return r;
}

std::string_view ModeOption(const Request& r) {
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    const auto asked = ModeAskedBy(r.given[i]);
    if (asked && asked->row == r.mode) return r.spellings[i];
  }
  return {};
}

namespace {

// The mode: the first option that asks for one; any other mode given
// beside it is refused, but --ics is the format of --every.
std::optional<Result> SettleMode(Request& r) {
  std::size_t chooser = r.given.size();
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    const auto asked = ModeAskedBy(r.given[i]);
    if (!asked || (*asked == Option("--ics") && r.Given(Option("--every")))) continue;
    if (chooser == r.given.size()) {
      chooser = i;
      r.mode = asked->row;
    } else if (asked->row != r.mode) {
      return Failure(Together(r.spellings[chooser], r.spellings[i]), "cannot be used together");
    }
  }
  // A mode's value may come after other options: --month -3 2026-02.
  if (r.mode != kTextsMode) {
    const OptionId mode{r.mode};
    if (mode.Row().value == kOptional && !r[mode] && !r.keywords.empty() &&
        std::isdigit(static_cast<unsigned char>(r.keywords.front()[0]))) {
      r[mode] = r.keywords.front();
      r.keywords.erase(r.keywords.begin());
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Result> Conflict(Request& r) {
  if (auto refused = SettleMode(r)) return refused;
  for (std::size_t i = 0; i < r.given.size(); ++i) {
    const OptionRow& row = r.given[i].Row();
    const bool needs_missing = !row.needs.empty() && !r.Given(*FindOption(row.needs));
    const Modes modes = GoesWith(row);
    if ((modes & ModeBit(r.mode)) != 0 && !needs_missing) {
      if (!row.excludes.empty() && r.Given(*FindOption(row.excludes))) {
        return Failure(Together(row.excludes, r.spellings[i]), "cannot be used together");
      }
      continue;
    }
    if ((modes & ModeBit(kTextsMode)) != 0) {
      return Failure(Together(ModeOption(r), r.spellings[i]), "cannot be used together");
    }
    return Failure(r.spellings[i], "goes with " + ModeList(modes, needs_missing ? row.needs : ""));
  }
  if (r.mode != kTextsMode && !r.keywords.empty()) {
    return Failure(Together(ModeOption(r), r.keywords.front()),
                   "keywords go with today's texts only");
  }
  if (r[Option("--format")] && !r.keywords.empty()) {
    return Failure("--format and " + r.keywords.front(),
                   "put keywords in the template as {KEYWORD}");
  }
  return std::nullopt;
}

std::vector<OptionId> OptionsOfMode(Mode mode) {
  std::vector<OptionId> options;
  if (mode != kTextsMode) options.push_back({mode});
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    const OptionRow& row = kOptions[i];
    if (row.goes_with.empty() || i == mode || (GoesWith(row) & ModeBit(mode)) == 0) continue;
    options.push_back({static_cast<std::uint8_t>(i)});
  }
  return options;
}

namespace {

// An option with the form of its value: --date YYYY-MM-DD[THH:MM], --color[=WHEN].
std::string WithValue(const OptionRow& row) {
  if (row.value == kInline) return std::string(row.name) + std::string(row.value_name);
  if (row.value_name.empty()) return std::string(row.name);
  return std::string(row.name) + " " + std::string(row.value_name);
}

// How an option is written in --help: -w, --week-numbers; --color,
// --colour[=WHEN].
std::string Written(const OptionRow& row) {
  if (row.alias.size() == 2) return std::string(row.alias) + ", " + WithValue(row);
  if (row.alias.empty()) return WithValue(row);
  std::string written = WithValue(row);
  return written.replace(0, row.name.size(), std::string(row.name) + ", " + std::string(row.alias));
}

// The usage line of a mode after `start` ("usage: " or its blanks): its
// options, the mode's own first, wrapped before 80 columns.
std::string UsageLine(Mode mode, const std::string& start) {
  std::vector<std::string> words;
  std::string own;
  for (const OptionId option : OptionsOfMode(mode)) {
    const OptionRow& row = option.Row();
    // With --every, --ics names the format and takes no years.
    const std::string written =
        row.mode && option.row != mode ? std::string(row.name) : WithValue(row);
    if (option.row == mode) {
      own = " " + written;
    } else {
      words.push_back("[" + written + "]");
    }
  }
  if (mode == kTextsMode) words.push_back("[KEYWORD...]");
  return Wrapped(start + "moonfold" + own, 16, words, 79, " ");
}

// The words of a text, for wrapping.
std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) words.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

}  // namespace

std::string UsageText() {
  std::string usage = UsageLine(kTextsMode, "usage: ") + "\n";
  for (std::size_t m = 0; m < kOptionCount; ++m) {
    if (kOptions[m].mode) usage += UsageLine(static_cast<Mode>(m), "       ") + "\n";
  }
  usage += "       moonfold --keywords | --help | --version\n";
  usage += "Each of them takes --script hans|hant and --holidays FILE.\n";
  return usage;
}

std::string HelpText() {
  constexpr int kColumn = 28;
  std::string help = UsageText() + "\n" +
                     Wrapped("", 0,
                             Words("The traditional Chinese calendar for today, or for any day "
                                   "of " +
                                   RangeText() + "."),
                             79, " ") +
                     "\n\n";
  help += "  moonfold                  every text of today, one KEYWORD<TAB>text line each\n";
  help += "  moonfold KEYWORD...       those texts, joined by single spaces\n";
  for (const OptionRow& row : kOptions) {
    std::string left = "  " + Written(row);
    // An option too long for its column has its text on the lines below.
    if (static_cast<int>(left.size()) >= kColumn) {
      help += left + "\n";
      left = std::string(kColumn, ' ');
    }
    help += Wrapped(left, kColumn, Words(row.help), 79, " ") + "\n";
  }
  help += "\nKeywords (matched whatever the case of their letters):\n";
  std::vector<std::string> names;
  for (const Field& field : AllFields()) names.push_back(field.Name());
  help += Wrapped("  ", 2, names, 79, " ") + "\n\n";
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
