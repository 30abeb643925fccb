// The command's options, each declared once: one row gives its names, the
// value it takes, the help text, the modes it belongs to and what it cannot
// be given with.  Reading the arguments, the conflicts and their messages,
// the usage lines and --help all come from the rows; the bash completion
// reads --help, and a test holds the man page to the rows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/moonfold_command.h"

namespace moonfold::cli {

// What a run of the command does: each mode has an output of its own.
enum class Mode : std::uint8_t {
  kTexts,
  kMonth,
  kYear,
  kIcs,
  kEvery,
  kNext,
  kWorkday,
  kMoon,
  kAlmanac
};
inline constexpr unsigned kModeCount = 9;
using Modes = unsigned;
constexpr Modes ModeBit(Mode mode) { return 1u << static_cast<unsigned>(mode); }
inline constexpr Modes kEveryMode = (1u << kModeCount) - 1;

// Everything the arguments ask for.
struct Request {
  Mode mode = Mode::kTexts;
  std::optional<std::string> date, lunar, format, month, year, ics, color, every, from, to, name,
      next, kinds, holidays, workday, script, moon, almanac;
  bool three = false, monday = false, json = false, gregorian = false, week_numbers = false;
  std::vector<std::string> keywords;
  std::vector<std::string_view> given;  // the options' row names, in the order given
  std::vector<std::string> spellings;   // as they were written (-w, --colour), for messages
  bool Given(std::string_view option) const;
};

enum class Value : std::uint8_t {
  kNone,      // a flag
  kRequired,  // the next argument, or after an equals sign
  kOptional,  // after an equals sign, or the next argument when it starts with a digit
  kInline,    // after an equals sign only (--color=WHEN)
  kAnswer,    // no value; the command answers at once (--help)
};

struct OptionRow {
  std::string_view name;   // --week-numbers
  std::string_view alias;  // -w; or another spelling (--colour)
  Value value = Value::kNone;
  std::string_view value_name;  // in the usage and --help: YYYY-MM-DD[THH:MM]
  std::string_view expected;    // in messages of a missing value
  std::optional<std::string> Request::*text = nullptr;  // where a value goes
  bool Request::*flag = nullptr;                        // what a flag sets
  std::optional<Mode> chooses;                          // the mode it asks for
  Modes goes_with = kEveryMode;                         // the modes it may be given in
  std::string_view excludes;  // an option of the same modes it cannot join
  std::string_view help;      // --help's lines, "\n" between
  std::string_view needs;     // an option it needs beside its mode (--name needs --ics)
};

std::span<const OptionRow> Options();

// The arguments as a request, or the answer or refusal they come to.
std::variant<Request, Result> ReadArguments(const std::vector<std::string>& args);

// Settles the request's mode, and gives the first conflict among the
// options given, if any.
std::optional<Result> Conflict(Request& r);

// The option that asked for the request's mode, as its messages name it.
std::string_view ModeOption(const Request& r);

// `moonfold: <what> — <why>`, exit status 2.
Result Failure(std::string_view what, std::string_view why);

// The usage lines, and the whole help with the keywords listed.
std::string UsageText();
std::string HelpText();

}  // namespace moonfold::cli
