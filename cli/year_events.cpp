#include "cli/year_events.h"

#include <cstdint>
#include <cstdio>
#include <set>

#include "cli/icalendar.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "input/dates.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

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

// A listing's name of an event: a day off or a make-up day is marked as a
// printed calendar marks it, 春节 休, 春节 班.
std::string ListedName(const CalendarEvent& e, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  if (e.kind == EventKind::kOff) return EventName(e, script) + " " + Utf8FromUtf16(labels.day_off);
  if (e.kind == EventKind::kWork)
    return EventName(e, script) + " " + Utf8FromUtf16(labels.make_up_day);
  return EventName(e, script);
}

// Of a term shown as its calendar was issued: "历书所载时刻，今推 1912-11-22
// 23:48", else nothing.
std::string IssuedNote(const CalendarEvent& e, Script script) {
  if (!e.reckoned) return {};
  const texts::Labels& labels = texts::NamesOf(script).labels;
  return Utf8FromUtf16(labels.issued_time) + Utf8FromUtf16(labels.clause) +
         Utf8FromUtf16(labels.reckoned) + IsoDate(year_month_day{floor<days>(*e.reckoned)}) + " " +
         TimeText(*e.reckoned);
}

// The issued note in brackets after a listing's name, or nothing.
std::string BracketedNote(const CalendarEvent& e, Script script) {
  if (!e.reckoned) return {};
  const texts::Labels& labels = texts::NamesOf(script).labels;
  return Utf8FromUtf16(labels.note_open) + IssuedNote(e, script) + Utf8FromUtf16(labels.note_close);
}

std::string LunarDateOf(const LunarDate& lunar, Script script) {
  return Utf8FromUtf16(LunarDateName(lunar, script));
}

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
      CompactDate(first) + "-" + KindName(e.kind) + "-" + NameFingerprint(key) + "@moonfold", first,
      name + " " + Utf8FromUtf16(off ? labels.holiday_off : labels.holiday_work), description,
      Utf8FromUtf16(off ? labels.category_off : labels.category_work),
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
  if (e.reckoned) description += Utf8FromUtf16(labels.clause) + IssuedNote(e, script);
  if (e.uncertain)
    description += Utf8FromUtf16(labels.clause) + Utf8FromUtf16(labels.uncertain_day);
  const texts::Name category = e.kind == EventKind::kTerm    ? labels.category_term
                               : e.kind == EventKind::kLunar ? labels.category_lunar
                               : e.kind == EventKind::kMoon  ? labels.category_moon
                                                             : labels.category_gregorian;
  writer.AllDayEvent(
      CompactDate(e.date) + "-" + KindName(e.kind) + "-" + std::to_string(e.ordinal) + "@moonfold",
      e.date, EventName(e, script), description, Utf8FromUtf16(category));
}

// The date, weekday and lunar date that begin a line of a listing.
std::string DateColumns(const CalendarEvent& e, Script script) {
  return IsoDate(e.date) + "  " +
         Utf8FromUtf16(WeekdayLabel(weekday{sys_days{e.date}}.c_encoding(), script)) + "  " +
         PadRight(LunarDateOf(e.lunar, script), 10) + "  ";
}

// An event as a JSON object, with `extra` members before its close.
// The JSON names of the moon's four principal phases, by quarter.
constexpr const char* kPhases[]{"new", "first_quarter", "full", "last_quarter"};

std::string EventObject(const CalendarEvent& e, Script script, const std::string& extra = {}) {
  std::string out =
      "{\"date\":" + JsonString(IsoDate(e.date)) + ",\"kind\":" + JsonString(KindName(e.kind));
  // A phase of the moon says which, as the listing of --moon does.
  if (e.kind == EventKind::kMoon) out += ",\"phase\":" + JsonString(kPhases[e.quarter % 4]);
  out += ",\"name\":" + JsonString(EventName(e, script));
  if (e.time) out += ",\"time\":" + JsonString(TimeText(*e.time));
  if (e.reckoned) out += ",\"note\":" + JsonString(IssuedNote(e, script));
  if (e.uncertain) out += ",\"uncertain\":true";
  return out + extra + "}";
}

int DaysFrom(sys_days today, const CalendarEvent& e) {
  return static_cast<int>((sys_days{e.date} - today).count());
}

}  // namespace

const char* KindName(EventKind kind) {
  switch (kind) {
    case EventKind::kTerm: return "term";
    case EventKind::kLunar: return "lunar";
    case EventKind::kGregorian: return "gregorian";
    case EventKind::kOff: return "off";
    case EventKind::kWork: return "work";
    case EventKind::kMoon: return "moon";
  }
  return "";
}

std::string KindNames() {
  std::string names;
  for (std::size_t k = 0; k < std::size(kEventKinds); ++k) {
    names += k == 0 ? "" : k + 1 == std::size(kEventKinds) ? " and " : ", ";
    names += KindName(kEventKinds[k]);
  }
  return names;
}

std::string TimeText(BeijingTime time) {
  const hh_mm_ss clock{time - floor<days>(time)};
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()));
  return text;
}

std::string YearListing(const std::vector<CalendarEvent>& events, Script script) {
  std::string out;
  for (const CalendarEvent& e : events) {
    out += DateColumns(e, script) + (e.time ? TimeText(*e.time) : std::string(5, ' ')) +
           std::string(e.uncertain ? kUncertainMark : " ") + " " + ListedName(e, script) +
           BracketedNote(e, script) + "\n";
  }
  return out;
}

std::string MoonListing(const std::vector<CalendarEvent>& phases, Script script) {
  return YearListing(phases, script);
}

std::string MoonJson(const std::vector<CalendarEvent>& phases, Script script) {
  std::vector<std::string> objects;
  for (const CalendarEvent& e : phases) {
    objects.push_back("{\"date\":" + JsonString(IsoDate(e.date)) +
                      ",\"phase\":" + JsonString(kPhases[e.quarter % 4]) +
                      ",\"name\":" + JsonString(EventName(e, script)) +
                      ",\"time\":" + JsonString(TimeText(*e.time)) +
                      (e.uncertain ? ",\"uncertain\":true" : "") + "}");
  }
  return JsonArray(objects);
}

std::string YearJson(const std::vector<CalendarEvent>& events, Script script) {
  std::vector<std::string> objects;
  for (const CalendarEvent& e : events) objects.push_back(EventObject(e, script));
  return JsonArray(objects);
}

std::string NextListing(const std::vector<CalendarEvent>& events, sys_days today, Script script) {
  std::string out;
  for (const CalendarEvent& e : events) {
    out += DateColumns(e, script) +
           PadRight(Utf8FromUtf16(DaysLeftName(DaysFrom(today, e), script)), 9) + "  " +
           ListedName(e, script) + (e.time ? " " + TimeText(*e.time) : std::string()) +
           std::string(e.uncertain ? kUncertainMark : "") + BracketedNote(e, script) + "\n";
  }
  return out;
}

std::string NextJson(const std::vector<CalendarEvent>& events, sys_days today, Script script) {
  std::vector<std::string> objects;
  for (const CalendarEvent& e : events) {
    objects.push_back(EventObject(e, script, ",\"days\":" + std::to_string(DaysFrom(today, e))));
  }
  return JsonArray(objects);
}

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
