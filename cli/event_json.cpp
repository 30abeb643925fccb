// The JSON of events: an array of objects, one an event.
#include "cli/event_outputs.h"
#include "cli/event_texts.h"
#include "cli/text_output.h"
#include "input/dates.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// An event as a JSON object, with `extra` members before its close.
std::string EventObject(const CalendarEvent& e, Script script, const std::string& extra = {}) {
  std::string out =
      "{\"date\":" + JsonString(IsoDate(e.date)) + ",\"kind\":" + JsonString(KindName(e.kind));
  // A phase of the moon says which, as the listing of --moon does.
  if (e.kind == EventKind::kMoon) out += ",\"phase\":" + JsonString(PhaseName(e.quarter));
  out += ",\"name\":" + JsonString(EventName(e, script));
  if (e.time) out += ",\"time\":" + JsonString(TimeText(*e.time));
  // A term's minute where it is not the issued one: today's reckoning
  // ("minute":"reckoned"), or none, the record giving the day only.
  if (e.kind == EventKind::kTerm && e.minute != TermMinute::kIssued) {
    out += std::string(",\"minute\":") +
           (e.minute == TermMinute::kReckoned ? "\"reckoned\"" : "\"none\"");
  }
  if (e.reckoned) {
    out += ",\"reckoned\":" + JsonString(IsoDate(year_month_day{floor<days>(*e.reckoned)}) + " " +
                                         TimeText(*e.reckoned));
  }
  if (const std::string note = MinuteNote(e, script); !note.empty()) {
    out += ",\"note\":" + JsonString(note);
  }
  if (e.uncertain) out += ",\"uncertain\":true";
  return out + extra + "}";
}

}  // namespace

std::string MoonJson(const std::vector<CalendarEvent>& phases, Script script) {
  std::vector<std::string> objects;
  for (const CalendarEvent& e : phases) {
    objects.push_back("{\"date\":" + JsonString(IsoDate(e.date)) +
                      ",\"phase\":" + JsonString(PhaseName(e.quarter)) +
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

std::string NextJson(const std::vector<CalendarEvent>& events, sys_days today, Script script) {
  std::vector<std::string> objects;
  for (const CalendarEvent& e : events) {
    objects.push_back(EventObject(e, script, ",\"days\":" + std::to_string(DaysFrom(today, e))));
  }
  return JsonArray(objects);
}

}  // namespace moonfold::cli
