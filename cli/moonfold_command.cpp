#include "cli/moonfold_command.h"

#include <variant>

#include "cli/modes.h"
#include "cli/options.h"
#include "common/ascii_case.h"
#include "common/utf8.h"
#include "input/holiday_file.h"
#include "input/keywords.h"

namespace moonfold::cli {
namespace {

// The script: --script, else the locale's.
std::variant<Script, Result> ScriptFor(const Request& r, const Environment& e) {
  if (r[Option("--script")]) {
    if (EqualsIgnoringAsciiCase(u"hans", Utf16FromUtf8(*r[Option("--script")])))
      return Script::kSimplified;
    if (EqualsIgnoringAsciiCase(u"hant", Utf16FromUtf8(*r[Option("--script")])))
      return Script::kTraditional;
    return Failure("--script " + *r[Option("--script")],
                   "expected hans (simplified) or hant (traditional)");
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
  const std::optional<std::string> path = r[Option("--holidays")] ? r[Option("--holidays")]
                                          : e.holidays_variable   ? e.holidays_variable
                                                                  : e.holidays_default;
  if (!path || !e.read_file) {
    const Arrangement& b = kBuiltInArrangement;
    return OwnedArrangement{{b.spans.begin(), b.spans.end()},
                            {b.make_up_days.begin(), b.make_up_days.end()},
                            b.years,
                            {}};
  }
  const FileRead file = e.read_file(*path);
  if (!file.read) return Failure(*path, file.text);
  auto parsed = ReadHolidayFile(*path, file.text, kBuiltInArrangement);
  if (auto* why = std::get_if<std::string>(&parsed))
    return Result{2, {}, "moonfold: " + *why + "\n"};
  return std::move(std::get<OwnedArrangement>(parsed));
}

// Whether today is shown in reverse video, or why --color is refused.
std::variant<bool, Result> Highlight(const Request& r, const Environment& environment) {
  bool highlight =
      environment.output_is_terminal && !environment.no_color && !environment.dumb_terminal;
  if (r[Option("--color")]) {
    if (*r[Option("--color")] == "always") {
      highlight = true;
    } else if (*r[Option("--color")] == "never") {
      highlight = false;
    } else if (*r[Option("--color")] != "auto") {
      return Failure("--color=" + *r[Option("--color")], "expected auto, always or never");
    }
  }
  return highlight && environment.can_highlight;
}

}  // namespace

Result Run(const std::vector<std::string>& args, const Environment& environment) {
  auto read = ReadArguments(args);
  if (auto* result = std::get_if<Result>(&read)) return std::move(*result);
  Request& r = std::get<Request>(read);
  if (auto conflict = Conflict(r)) return *conflict;
  const auto highlight = Highlight(r, environment);
  if (const auto* refused = std::get_if<Result>(&highlight)) return *refused;
  const auto script = ScriptFor(r, environment);
  if (const auto* refused = std::get_if<Result>(&script)) return *refused;
  auto owned = ArrangementFor(r, environment);
  if (auto* refused = std::get_if<Result>(&owned)) return std::move(*refused);
  const OwnedArrangement& holidays = std::get<OwnedArrangement>(owned);
  const Arrangement arrangement = holidays.View();
  Result result =
      RunMode({r, environment, std::get<Script>(script), arrangement, std::get<bool>(highlight)});
  // What the holiday file left out goes first on standard error, whatever
  // the mode answers.
  std::string warnings;
  for (const std::string& warning : holidays.warnings) warnings += "moonfold: " + warning + "\n";
  result.err.insert(0, warnings);
  return result;
}

}  // namespace moonfold::cli
