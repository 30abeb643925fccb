// The iCalendar file of events: an all-day event each, a holiday's days off
// as one event.
#include <set>

#include "cli/event_outputs.h"
#include "cli/event_texts.h"
#include "cli/icalendar.h"
#include "common/utf8.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// A holiday's days off as one event from its first day to its last, and a
// make-up day as one of its own; their UIDs are made of the first day, the
// kind and the name.
void ICalendarHoliday(ICalendarWriter& writer, const CalendarEvent& e, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  const bool off = e.kind == EventKind::kOff;
  const std::string name = EventName(e, script);
  const std::string description =
      Utf8FromUtf16(labels.lunar_calendar) + LunarDateOf(off ? e.first_off_lunar : e.lunar, script);
  const year_month_day first = off ? year_month_day{e.first_off} : e.date;
  // The UID holds the name in simplified characters, whatever the script:
  // a file in the other script updates the same events.
  const std::string key = Utf8FromUtf16(HolidayName(e.holiday, Script::kSimplified));
  writer.AllDayEvent(
      CompactDate(first) + "-" + std::string(KindName(e.kind)) + "-" + NameFingerprint(key) +
          "@moonfold",
      first, name + " " + Utf8FromUtf16(off ? labels.holiday_off : labels.holiday_work),
      description, Utf8FromUtf16(off ? labels.category_off : labels.category_work),
      off ? year_month_day{e.last_off + days{1}} : year_month_day{sys_days{e.date} + days{1}});
}

void ICalendarEvent(ICalendarWriter& writer, const CalendarEvent& e, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  std::string description = Utf8FromUtf16(labels.lunar_calendar) + LunarDateOf(e.lunar, script);
  if (e.time) {
    description += Utf8FromUtf16(labels.clause) +
                   Utf8FromUtf16(e.kind == EventKind::kMoon ? labels.moon_time : labels.term_time) +
                   TimeText(*e.time);
  }
  if (const std::string note = MinuteNote(e, script); !note.empty()) {
    description += Utf8FromUtf16(labels.clause) + note;
  }
  if (e.uncertain)
    description += Utf8FromUtf16(labels.clause) + Utf8FromUtf16(labels.uncertain_day);
  const texts::Name category = e.kind == EventKind::kTerm    ? labels.category_term
                               : e.kind == EventKind::kLunar ? labels.category_lunar
                               : e.kind == EventKind::kMoon  ? labels.category_moon
                                                             : labels.category_gregorian;
  writer.AllDayEvent(CompactDate(e.date) + "-" + std::string(KindName(e.kind)) + "-" +
                         std::to_string(e.ordinal) + "@moonfold",
                     e.date, EventName(e, script), description, Utf8FromUtf16(category));
}

}  // namespace

std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      sys_seconds stamp, Script script) {
  const std::string years = first_year == last_year
                                ? std::to_string(first_year)
                                : std::to_string(first_year) + "–" + std::to_string(last_year);
  ICalendarWriter writer(Utf8FromUtf16(texts::NamesOf(script).labels.calendar_name) + " " + years,
                         stamp);
  std::set<std::int64_t> spans_written;
  for (const CalendarEvent& e : events) {
    if (e.kind == EventKind::kOff || e.kind == EventKind::kWork) {
      // A holiday's days off are one event, written at the first of them.
      if (e.kind == EventKind::kWork ||
          spans_written.insert(e.first_off.time_since_epoch().count()).second) {
        ICalendarHoliday(writer, e, script);
      }
      continue;
    }
    ICalendarEvent(writer, e, script);
  }
  return writer.Finish();
}

}  // namespace moonfold::cli
