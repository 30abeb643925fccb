// The moonfold command: the Chinese calendar in a terminal, a script or a
// status bar.  Today's texts (or any day's of 1645-2100, chosen by its
// Gregorian or its lunar date), a month grid, a year's festivals and solar
// terms, and an iCalendar file of them.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/local_date_record.h"
#include "input/text_file.h"

namespace moonfold::cli {

// A file's bytes, or why they are not given ("cannot be read: …").
using FileRead = FileText;

struct Environment {
  LocalDateRecord now;                 // the local clock
  bool output_is_terminal = false;     // standard output is a terminal
  bool no_color = false;               // NO_COLOR is set (and not empty)
  bool dumb_terminal = false;          // TERM=dumb
  bool can_highlight = true;           // the console takes escape codes
  int terminal_columns = 0;            // 0 when unknown
  std::chrono::sys_seconds utc_now{};  // for the iCalendar DTSTAMP
  // The local wall time of an instant, by the machine's time zone: for a
  // time given with its UTC offset.  Nothing where it cannot be known.
  std::function<std::optional<LocalDateRecord>(std::chrono::sys_seconds)> local_time_at;
  // Where a user's holiday arrangements may be: MOONFOLD_HOLIDAYS, and the
  // file under the configuration folder ($XDG_CONFIG_HOME or ~/.config),
  // read only when present.
  std::optional<std::string> holidays_variable;
  // The locale's name, from LC_ALL, else LC_MESSAGES, else LANG: traditional
  // characters for zh_TW, zh_HK, zh_MO or a name with Hant.
  std::string locale;
  std::optional<std::string> holidays_default;
  // Reads a whole file: its bytes, or why not.
  std::function<FileRead(const std::string& path)> read_file;
};

// The command's exit statuses, as the manual page lists them.
enum ExitStatus : int {
  kExitSuccess = 0,       // done; with --workday, a working day
  kExitDayOff = 1,        // --workday: a day off
  kExitRefused = 2,       // a date outside the range, an unknown keyword, a bad option
  kExitUnknownYear = 3,   // no official arrangement is known for a year asked about
  kExitOutputFailed = 4,  // the output could not be written
  // The command itself failed (out of memory, an internal error): no answer
  // was given, so none of the statuses that answer or refuse.
  kExitInternalFailure = 5,
};

struct Result {
  int exit_code = 0;
  std::string out;  // UTF-8
  std::string err;  // UTF-8
};

// Runs the command with its arguments (without the program name).  Never
// throws but std::bad_alloc.
Result Run(const std::vector<std::string>& args, const Environment& environment);

}  // namespace moonfold::cli
