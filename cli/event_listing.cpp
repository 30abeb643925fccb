// The listings of events: a line each, date, weekday and lunar date first.
#include "cli/event_outputs.h"
#include "cli/event_texts.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "input/dates.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// A listing's name of an event: a day off or a make-up day is marked as a
// printed calendar marks it, 春节 休, 春节 班.
std::string ListedName(const CalendarEvent& e, Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  if (e.kind == EventKind::kOff) return EventName(e, script) + " " + Utf8FromUtf16(labels.day_off);
  if (e.kind == EventKind::kWork)
    return EventName(e, script) + " " + Utf8FromUtf16(labels.make_up_day);
  return EventName(e, script);
}

// The note of a term's minute in brackets after a listing's name, or
// nothing.
std::string BracketedNote(const CalendarEvent& e, Script script) {
  const std::string note = MinuteNote(e, script);
  if (note.empty()) return {};
  const texts::Labels& labels = texts::NamesOf(script).labels;
  return Utf8FromUtf16(labels.note_open) + note + Utf8FromUtf16(labels.note_close);
}

// The date, weekday and lunar date that begin a line of a listing.
std::string DateColumns(const CalendarEvent& e, Script script) {
  return IsoDate(e.date) + "  " +
         Utf8FromUtf16(WeekdayLabel(weekday{sys_days{e.date}}.c_encoding(), script)) + "  " +
         PadRight(LunarDateOf(e.lunar, script), 10) + "  ";
}

}  // namespace

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

}  // namespace moonfold::cli
