// The holiday-file reader under libFuzzer: whatever bytes a user's file
// holds, the reader refuses it with "PATH:LINE — reason" or gives an
// arrangement the library can look days up in — spans in date order, each
// make-up day pointing at a span — and never crashes, leaks or reads out of
// bounds.  Seeded with good files (a byte-order mark, Windows line ends)
// and broken ones (overlaps, a make-up day twice, bad dates).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input/holiday_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace moonfold;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = ReadHolidayFile("f.tsv", text, kBuiltInArrangement);
  if (const auto* why = std::get_if<std::string>(&read)) {
    if (why->rfind("f.tsv:", 0) != 0 || why->find(" — ") == std::string::npos) std::abort();
    return 0;
  }
  const OwnedArrangement& owned = std::get<OwnedArrangement>(read);
  const auto by_start = [](const HolidaySpan& a, const HolidaySpan& b) {
    return a.first_off < b.first_off;
  };
  if (!std::is_sorted(owned.spans.begin(), owned.spans.end(), by_start)) std::abort();
  for (const MakeUpDay& w : owned.make_up_days) {
    if (w.span >= owned.spans.size()) std::abort();
  }
  const Arrangement arrangement = owned.View();
  for (const HolidaySpan& span : owned.spans) {
    const std::chrono::sys_days first{std::chrono::days{span.first_off}};
    if (OfficialDayOf(arrangement, first).status != DayStatus::kDayOff) std::abort();
  }
  // A make-up day is worked, unless a built-in year the file leaves alone
  // gives the day off (a span may reach a day into the next year).
  for (const MakeUpDay& w : owned.make_up_days) {
    const std::chrono::sys_days day{std::chrono::days{w.day}};
    const DayStatus status = OfficialDayOf(arrangement, day).status;
    if (status != DayStatus::kMakeUpWork && status != DayStatus::kDayOff) std::abort();
  }
  return 0;
}
