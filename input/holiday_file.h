// A user's file of official holiday arrangements, in the format of the
// data the command was built with (tools/data/cn-holidays.tsv): for a year
// whose notice came out after the build, or a correction.  Each year the
// file holds replaces that year of the built-in arrangement.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "festivals/official_days.h"
#include "input/dates.h"

namespace moonfold {

// An arrangement that owns its rows.
struct OwnedArrangement {
  std::vector<HolidaySpan> spans;
  std::vector<MakeUpDay> make_up_days;
  KnownYears years;
  // What the reader kept but the user should hear of, each a line without
  // its newline: a year of the file that leaves out one of the seven
  // statutory holidays, or a holiday the built-in year has.
  std::vector<std::string> warnings;
  Arrangement View() const { return {spans, make_up_days, years}; }
};

// The file's rows (`text`, named `path` in messages) over the built-in
// arrangement, or why it is refused: "PATH:LINE — <reason>".  A row is
//   year <TAB> name <TAB> off_from <TAB> off_to <TAB> work_days
// with dates as YYYY-MM-DD and work_days a comma-separated list (maybe
// empty); lines starting with # and the header line are skipped, and so is
// a UTF-8 byte-order mark (Notepad and Excel write one).  Refused: a row
// that does not read, a holiday given twice in a year, spans of a year
// that share a day, a day both off and working, a make-up day listed
// under two holidays — within the file, or against a built-in year it does
// not replace (a span may reach into the year before or after).
Parsed<OwnedArrangement> ReadHolidayFile(std::string_view path, std::string_view text,
                                         const Arrangement& built_in);

}  // namespace moonfold
