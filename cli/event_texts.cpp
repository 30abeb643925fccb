#include "cli/event_texts.h"

#include <cstdio>

#include "common/utf8.h"
#include "input/dates.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {

using namespace std::chrono;

std::string_view KindName(EventKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(kEventKindNames) ? kEventKindNames[index] : "";
}

std::string KindNames() {
  std::string names;
  for (std::size_t k = 0; k < std::size(kEventKinds); ++k) {
    names += k == 0 ? "" : k + 1 == std::size(kEventKinds) ? " and " : ", ";
    names += std::string(KindName(kEventKinds[k]));
  }
  return names;
}

int DaysFrom(sys_days today, const CalendarEvent& e) {
  return static_cast<int>((sys_days{e.date} - today).count());
}

const char* PhaseName(unsigned quarter) {
  constexpr const char* kPhases[]{"new", "first_quarter", "full", "last_quarter"};
  return kPhases[quarter % 4];
}

std::string TimeText(BeijingTime time) {
  const hh_mm_ss clock{time - floor<days>(time)};
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()));
  return text;
}

std::string EventName(const CalendarEvent& e, Script script) {
  switch (e.kind) {
    case EventKind::kTerm: return Utf8FromUtf16(SolarTermName(e.term, script));
    case EventKind::kOff:
    case EventKind::kWork: return Utf8FromUtf16(HolidayName(e.holiday, script));
    case EventKind::kMoon:
      return Utf8FromUtf16(texts::NameAt(texts::NamesOf(script).moon_phases, 2 * e.quarter));
    case EventKind::kLunar:
    case EventKind::kGregorian: break;
  }
  return Utf8FromUtf16(FestivalName(e.festival, script));
}

std::string LunarDateOf(const LunarDate& lunar, Script script) {
  return Utf8FromUtf16(LunarDateName(lunar, script));
}

// Of a term shown as its calendar was issued: "历书所载时刻，今推 1912-11-22
// 23:48", else nothing.
std::string MinuteNote(const CalendarEvent& e, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  if (e.kind != EventKind::kTerm) return {};
  if (e.minute == TermMinute::kReckoned) return Utf8FromUtf16(labels.reckoned_time);
  if (!e.reckoned) return {};
  return Utf8FromUtf16(e.minute == TermMinute::kDayOnly ? labels.issued_day : labels.issued_time) +
         Utf8FromUtf16(labels.clause) + Utf8FromUtf16(labels.reckoned) +
         IsoDate(year_month_day{floor<days>(*e.reckoned)}) + " " + TimeText(*e.reckoned);
}

}  // namespace moonfold::cli
