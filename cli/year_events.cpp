#include "cli/year_events.h"

#include <cstdio>

#include "cli/command_dates.h"
#include "cli/text_output.h"
#include "cycles/signs.h"
#include "festivals/day_facts.h"
#include "lunar/lunar_names.h"
#include "moonfold_version.h"
#include "plugin/utf8.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// Each name of a text that holds several, separated by single spaces.
void AddNames(std::vector<CalendarEvent>& events, year_month_day date, EventKind kind,
              std::u16string_view text, unsigned& ordinal) {
  while (!text.empty()) {
    const auto space = text.find(u' ');
    const std::u16string_view name = text.substr(0, space);
    if (!name.empty()) events.push_back({date, kind, std::u16string(name), std::nullopt, ordinal++});
    if (space == std::u16string_view::npos) break;
    text.remove_prefix(space + 1);
  }
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

std::string LunarDateText(const LunarDate& lunar) {
  return Utf8FromUtf16(LunarMonthText(static_cast<CalendarNumber>(lunar.month), lunar.leap) +
                       u"月" + LunarDayText(static_cast<CalendarNumber>(lunar.day)));
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
    const std::optional<DayFacts> facts = FactsOf(date, 0);
    if (!facts) continue;
    if (facts->solar_term) {
      events.push_back({date, EventKind::kTerm, std::u16string(SolarTermNames[*facts->solar_term]),
                        SolarTermInstant(static_cast<int>(date.year()), *facts->solar_term),
                        *facts->solar_term});
    }
    unsigned ordinal = 0;
    AddNames(events, date, EventKind::kLunar, facts->lunar_festival, ordinal);
    if (gregorian) {
      ordinal = 0;
      for (const std::u16string_view text :
           {facts->fixed_festival, facts->weekday_festival, facts->last_week_festival}) {
        AddNames(events, date, EventKind::kGregorian, text, ordinal);
      }
    }
  }
  return events;
}

std::string YearListing(const std::vector<CalendarEvent>& events) {
  std::string out;
  for (const CalendarEvent& e : events) {
    const DayFacts facts = *FactsOf(e.date, 0);
    out += IsoDate(e.date);
    out += "  周";
    out += Utf8FromUtf16(WeekdayNames[facts.day_of_week]);
    out += "  ";
    out += PadRight(LunarDateText(facts.lunar), 10);
    out += "  ";
    out += e.time ? TimeText(*e.time) : std::string(5, ' ');
    out += "  ";
    out += Utf8FromUtf16(e.name);
    out += '\n';
  }
  return out;
}

std::string YearJson(const std::vector<CalendarEvent>& events) {
  std::string out = "[";
  for (std::size_t i = 0; i < events.size(); ++i) {
    const CalendarEvent& e = events[i];
    out += i == 0 ? "\n" : ",\n";
    out += "{\"date\":" + JsonString(IsoDate(e.date)) + ",\"kind\":" + JsonString(KindName(e.kind)) +
           ",\"name\":" + JsonString(Utf8FromUtf16(e.name));
    if (e.time) out += ",\"time\":" + JsonString(TimeText(*e.time));
    out += '}';
  }
  out += events.empty() ? "]\n" : "\n]\n";
  return out;
}

std::string ICalendar(const std::vector<CalendarEvent>& events, int first_year, int last_year,
                      sys_seconds stamp) {
  std::string out;
  ContentLine(out, "BEGIN:VCALENDAR");
  ContentLine(out, "VERSION:2.0");
  ContentLine(out, std::string("PRODID:-//Moonfold//moonfold ") + kVersionText + "//ZH");
  ContentLine(out, "CALSCALE:GREGORIAN");
  ContentLine(out, "METHOD:PUBLISH");
  const std::string years = first_year == last_year
                                ? std::to_string(first_year)
                                : std::to_string(first_year) + "–" + std::to_string(last_year);
  ContentLine(out, "X-WR-CALNAME:" + IcsText("农历节日与节气 " + years));
  const year_month_day stamp_day{floor<days>(stamp)};
  const hh_mm_ss stamp_time{stamp - floor<days>(stamp)};
  char stamp_text[32];
  std::snprintf(stamp_text, sizeof stamp_text, "%sT%02d%02d%02dZ", Compact(stamp_day).c_str(),
                static_cast<int>(stamp_time.hours().count()),
                static_cast<int>(stamp_time.minutes().count()),
                static_cast<int>(stamp_time.seconds().count()));
  for (const CalendarEvent& e : events) {
    const std::string name = Utf8FromUtf16(e.name);
    ContentLine(out, "BEGIN:VEVENT");
    ContentLine(out, "UID:" + Compact(e.date) + "-" + KindName(e.kind) + "-" +
                         std::to_string(e.ordinal) + "@moonfold");
    ContentLine(out, std::string("DTSTAMP:") + stamp_text);
    ContentLine(out, "DTSTART;VALUE=DATE:" + Compact(e.date));
    ContentLine(out, "DTEND;VALUE=DATE:" + Compact(year_month_day{sys_days{e.date} + days{1}}));
    ContentLine(out, "SUMMARY:" + IcsText(name));
    const DayFacts facts = *FactsOf(e.date, 0);
    std::string description = "农历" + LunarDateText(facts.lunar);
    if (e.time) description += "，交节时刻 北京时间 " + TimeText(*e.time);
    ContentLine(out, "DESCRIPTION:" + IcsText(description));
    ContentLine(out, std::string("CATEGORIES:") +
                         (e.kind == EventKind::kTerm ? "节气"
                          : e.kind == EventKind::kLunar ? "农历节日" : "公历节日"));
    ContentLine(out, "TRANSP:TRANSPARENT");
    ContentLine(out, "END:VEVENT");
  }
  ContentLine(out, "END:VCALENDAR");
  return out;
}

}  // namespace moonfold::cli
