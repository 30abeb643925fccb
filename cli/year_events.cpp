#include "cli/year_events.h"

#include <cstdio>

#include "cli/command_dates.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "festivals/day_facts.h"
#include "moonfold_version.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// One event for each festival of a run, numbered on from `ordinal`.
void AddFestivals(std::vector<CalendarEvent>& events, year_month_day date, EventKind kind,
                  FestivalTable table, FestivalRun run, unsigned& ordinal) {
  for (unsigned row = run.first; row < run.first + run.count; ++row) {
    events.push_back({.date = date,
                      .kind = kind,
                      .term = 0,
                      .festival = {table, static_cast<std::uint8_t>(row)},
                      .time = std::nullopt,
                      .ordinal = ordinal++});
  }
}

std::string EventName(const CalendarEvent& e, Script script) {
  return Utf8FromUtf16(e.kind == EventKind::kTerm ? SolarTermName(e.term, script)
                                                  : FestivalName(e.festival, script));
}

std::string LunarDateOf(year_month_day date, Script script) {
  return Utf8FromUtf16(LunarDateName(*ToLunar(sys_days{date}), script));
}

// Text of an iCalendar property value: backslash, semicolon, comma and
// newline escaped.
std::string IcsText(const std::string& utf8) {
  std::string out;
  for (const char c : utf8) {
    if (c == '\\' || c == ';' || c == ',') out += '\\';
    if (c == '\n') {
      out += "\\n";
      continue;
    }
    out += c;
  }
  return out;
}

// One content line, folded so that no line exceeds 75 octets, never inside
// a UTF-8 sequence, each ending in CRLF.
void ContentLine(std::string& out, const std::string& line) {
  std::size_t start = 0, width = 75;
  while (line.size() - start > width) {
    std::size_t cut = start + width;
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line, start, cut - start);
    out += "\r\n ";
    start = cut;
    width = 74;  // the leading space of a continuation counts
  }
  out.append(line, start, std::string::npos);
  out += "\r\n";
}

std::string Compact(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string StampText(sys_seconds stamp) {
  const year_month_day day{floor<days>(stamp)};
  const hh_mm_ss time{stamp - floor<days>(stamp)};
  char text[32];
  std::snprintf(text, sizeof text, "%sT%02d%02d%02dZ", Compact(day).c_str(),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

void ICalendarEvent(std::string& out, const CalendarEvent& e, const std::string& stamp,
                    Script script) {
  const texts::Labels& labels = texts::NamesOf(script).labels;
  ContentLine(out, "BEGIN:VEVENT");
  ContentLine(out, "UID:" + Compact(e.date) + "-" + KindName(e.kind) + "-" +
                       std::to_string(e.ordinal) + "@moonfold");
  ContentLine(out, "DTSTAMP:" + stamp);
  ContentLine(out, "DTSTART;VALUE=DATE:" + Compact(e.date));
  ContentLine(out, "DTEND;VALUE=DATE:" + Compact(year_month_day{sys_days{e.date} + days{1}}));
  ContentLine(out, "SUMMARY:" + IcsText(EventName(e, script)));
  std::string description = Utf8FromUtf16(labels.lunar_calendar) + LunarDateOf(e.date, script);
  if (e.time) description += Utf8FromUtf16(labels.term_time) + TimeText(*e.time);
  ContentLine(out, "DESCRIPTION:" + IcsText(description));
  const texts::Name category = e.kind == EventKind::kTerm    ? labels.category_term
                               : e.kind == EventKind::kLunar ? labels.category_lunar
                                                             : labels.category_gregorian;
  ContentLine(out, "CATEGORIES:" + IcsText(Utf8FromUtf16(category)));
  ContentLine(out, "TRANSP:TRANSPARENT");
  ContentLine(out, "END:VEVENT");
}

}  // namespace

const char* KindName(EventKind kind) {
  switch (kind) {
    case EventKind::kTerm: return "term";
    case EventKind::kLunar: return "lunar";
    case EventKind::kGregorian: return "gregorian";
  }
  return "";
}

std::string TimeText(BeijingTime time) {
  const hh_mm_ss clock{time - floor<days>(time)};
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()));
  return text;
}

std::vector<CalendarEvent> EventsOf(int first_year, int last_year, bool gregorian) {
  std::vector<CalendarEvent> events;
  const sys_days first{year{first_year} / January / 1};
  const sys_days last{year{last_year} / December / 31};
  for (sys_days day = first; day <= last; day += days{1}) {
    const year_month_day date{day};
    const std::optional<DayFacts> facts = FactsOf(WallTime(date));
    if (!facts) continue;
    if (facts->solar_term) {
      const unsigned term = *facts->solar_term;
      events.push_back({.date = date,
                        .kind = EventKind::kTerm,
                        .term = term,
                        .time = SolarTermInstant(static_cast<int>(date.year()), term),
                        .ordinal = term});
    }
    unsigned ordinal = 0;
    AddFestivals(events, date, EventKind::kLunar, FestivalTable::kLunar, facts->lunar_festivals,
                 ordinal);
    if (!gregorian) continue;
    ordinal = 0;
    AddFestivals(events, date, EventKind::kGregorian, FestivalTable::kFixedDate,
                 facts->fixed_festivals, ordinal);
    AddFestivals(events, date, EventKind::kGregorian, FestivalTable::kWeekdayRule,
                 facts->weekday_festivals, ordinal);
    AddFestivals(events, date, EventKind::kGregorian, FestivalTable::kLastWeekday,
                 facts->last_week_festivals, ordinal);
  }
  return events;
}

std::string YearListing(const std::vector<CalendarEvent>& events, Script script) {
  std::string out;
  for (const CalendarEvent& e : events) {
    out += IsoDate(e.date);
    out += "  ";
    out += Utf8FromUtf16(WeekdayLabel(weekday{sys_days{e.date}}.c_encoding(), script));
    out += "  ";
    out += PadRight(LunarDateOf(e.date, script), 10);
    out += "  ";
    out += e.time ? TimeText(*e.time) : std::string(5, ' ');
    out += "  ";
    out += EventName(e, script);
    out += '\n';
  }
  return out;
}

std::string YearJson(const std::vector<CalendarEvent>& events, Script script) {
  std::string out = "[";
  for (std::size_t i = 0; i < events.size(); ++i) {
    const CalendarEvent& e = events[i];
    out += i == 0 ? "\n" : ",\n";
    out += "{\"date\":" + JsonString(IsoDate(e.date)) + ",\"kind\":" + JsonString(KindName(e.kind)) +
           ",\"name\":" + JsonString(EventName(e, script));
    if (e.time) out += ",\"time\":" + JsonString(TimeText(*e.time));
    out += '}';
  }
  out += events.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      sys_seconds stamp, Script script) {
  std::string out;
  ContentLine(out, "BEGIN:VCALENDAR");
  ContentLine(out, "VERSION:2.0");
  ContentLine(out, std::string("PRODID:-//Moonfold//moonfold ") + kVersionText + "//ZH");
  ContentLine(out, "CALSCALE:GREGORIAN");
  ContentLine(out, "METHOD:PUBLISH");
  const std::string years = first_year == last_year
                                ? std::to_string(first_year)
                                : std::to_string(first_year) + "–" + std::to_string(last_year);
  ContentLine(out, "X-WR-CALNAME:" +
                       IcsText(Utf8FromUtf16(texts::NamesOf(script).labels.calendar_name) + " " +
                               years));
  const std::string stamp_text = StampText(stamp);
  for (const CalendarEvent& e : events) ICalendarEvent(out, e, stamp_text, script);
  ContentLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace moonfold::cli
