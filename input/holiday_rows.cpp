// moonfold_holiday_rows FILE: the rows of a file of holiday arrangements as
// the command reads them, one line a holiday in date order:
//   year <TAB> holiday id <TAB> name <TAB> first day off <TAB> last <TAB> make-up days
// or the reader's refusal ("FILE:LINE — reason") on standard error, exit
// status 2.  The table generator (tools/make_holiday_table.py) runs it on
// the transcribed notices, so the data the library is built with passes
// the very rules and messages that a user's file meets.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "common/utf8.h"
#include "input/dates.h"
#include "input/holiday_file.h"
#include "texts/calendar_texts.h"

int main(int argc, char** argv) {
  using namespace moonfold;
  using std::chrono::days, std::chrono::sys_days, std::chrono::year_month_day;
  if (argc != 2) {
    std::fprintf(stderr, "usage: moonfold_holiday_rows FILE\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "moonfold_holiday_rows: %s cannot be read\n", argv[1]);
    return 2;
  }
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // Over no built-in arrangement: the file's rows alone.
  const auto read = ReadHolidayFile(argv[1], text, Arrangement{});
  if (const auto* why = std::get_if<std::string>(&read)) {
    std::fprintf(stderr, "%s\n", why->c_str());
    return 2;
  }
  const OwnedArrangement& rows = std::get<OwnedArrangement>(read);
  const auto iso = [](std::int32_t day) { return IsoDate(year_month_day{sys_days{days{day}}}); };
  for (std::size_t s = 0; s < rows.spans.size(); ++s) {
    const HolidaySpan& span = rows.spans[s];
    std::string work;
    for (const MakeUpDay& w : rows.make_up_days) {
      if (w.span == s) work += (work.empty() ? "" : ",") + iso(w.day);
    }
    std::printf("%d\t%u\t%s\t%s\t%s\t%s\n", span.year, static_cast<unsigned>(span.holiday),
                Utf8FromUtf16(HolidayName(span.holiday, Script::kSimplified)).c_str(),
                iso(span.first_off).c_str(), iso(span.last_off).c_str(), work.c_str());
  }
  return 0;
}
