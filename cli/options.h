// The command's options, each declared once: one row gives its names, the
// value it takes and the words that value may be, the mode it asks for and
// the modes it goes with, what it cannot be given with and what it needs,
// its --help text and its entry in the manual.  Reading the arguments, the
// conflicts and their messages, the usage lines and --help come from the
// rows when the command runs; the manual page's synopsis and options and
// the bash completion are made from them when the command is built
// (cli/command_docs.cpp).  An option is its row and the code that reads
// its value, r[Option("--date")].
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/event_texts.h"
#include "cli/moonfold_command.h"
#include "cli/option_rows.h"

namespace moonfold::cli {

// An option: its row in kOptions.
struct OptionId {
  std::uint8_t row = 0;
  constexpr const OptionRow& Row() const noexcept { return kOptions[row]; }
  friend constexpr bool operator==(OptionId, OptionId) = default;
};

// The row of an option's name or alias, if the table has one.
constexpr std::optional<OptionId> FindOption(std::string_view name) noexcept {
  for (std::size_t i = 0; i < kOptionCount; ++i) {
    if (kOptions[i].name == name || (!kOptions[i].alias.empty() && kOptions[i].alias == name)) {
      return OptionId{static_cast<std::uint8_t>(i)};
    }
  }
  return std::nullopt;
}

// The option of a name known when the program is compiled: a name the
// table lacks does not compile.
consteval OptionId Option(std::string_view name) { return FindOption(name).value(); }

// The mode an option asks for: its own, another's, or none.
constexpr std::optional<OptionId> ModeAskedBy(OptionId option) noexcept {
  if (option.Row().mode) return option;
  if (option.Row().asks.empty()) return std::nullopt;
  return FindOption(option.Row().asks);
}

// A mode: the row of the option that asks for it, or today's texts.
using Mode = std::uint8_t;
inline constexpr Mode kTextsMode = 0xFF;
// A set of modes: bit r for the mode of row r, the top bit for the texts.
using Modes = std::uint64_t;
static_assert(kOptionCount < 63, "a bit of Modes for each row, and one for the texts");
constexpr Modes ModeBit(Mode mode) noexcept {
  return mode == kTextsMode ? Modes{1} << 63 : Modes{1} << mode;
}
inline constexpr Modes kEveryMode = ~Modes{0};

// The modes a row goes with, read from its words.
constexpr Modes GoesWith(const OptionRow& row) noexcept {
  if (row.goes_with.empty()) return kEveryMode;
  Modes modes = 0;
  for (std::string_view rest = row.goes_with; !rest.empty();) {
    const std::string_view word = rest.substr(0, rest.find(' '));
    if (word == "texts") {
      modes |= ModeBit(kTextsMode);
    } else if (const auto found = FindOption(word); found && found->Row().mode) {
      modes |= ModeBit(found->row);
    }
    rest.remove_prefix(std::min(rest.size(), word.size() + 1));
  }
  return modes;
}

// Every word of the table names what it means: each mode of goes_with is
// an option that asks for one, each excludes and needs an option.
consteval bool TableHoldsTogether() {
  for (const OptionRow& row : kOptions) {
    for (std::string_view rest = row.goes_with; !rest.empty();) {
      const std::string_view word = rest.substr(0, rest.find(' '));
      if (word != "texts" && !(FindOption(word) && FindOption(word)->Row().mode)) return false;
      rest.remove_prefix(std::min(rest.size(), word.size() + 1));
    }
    if (!row.excludes.empty() && !FindOption(row.excludes)) return false;
    if (!row.asks.empty() && !(FindOption(row.asks) && FindOption(row.asks)->Row().mode)) {
      return false;
    }
    if (!row.needs.empty() && !FindOption(row.needs)) return false;
    if (row.value == kNone || row.value == kAnswer ? !row.value_name.empty()
                                                   : row.value_name.empty()) {
      return false;
    }
  }
  return true;
}
static_assert(TableHoldsTogether());

// Everything the arguments ask for: each option's value (a flag given holds
// an empty one), by its row.
struct Request {
  Mode mode = kTextsMode;
  std::array<std::optional<std::string>, kOptionCount> values;
  std::vector<std::string> keywords;
  std::vector<OptionId> given;         // the options, in the order given
  std::vector<std::string> spellings;  // as they were written (-w, --colour), for messages
  const std::optional<std::string>& operator[](OptionId option) const { return values[option.row]; }
  std::optional<std::string>& operator[](OptionId option) { return values[option.row]; }
  bool Given(OptionId option) const;
};

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

// The options a mode's usage line names: the mode's own first.
std::vector<OptionId> OptionsOfMode(Mode mode);

}  // namespace moonfold::cli
