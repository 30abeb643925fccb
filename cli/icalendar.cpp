#include "cli/icalendar.h"

#include <cstdint>
#include <cstdio>

#include "moonfold_version.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

// Text of a property value: backslash, semicolon, comma and a line break
// (LF, CR LF or a lone CR) escaped; any other control character, which the
// format does not allow in a text (RFC 5545 3.3.11), left out.
std::string Escaped(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '\\' || c == ';' || c == ',') out += '\\';
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
      out += "\\n";
      continue;
    }
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) continue;
    out += c;
  }
  return out;
}

std::string StampText(sys_seconds stamp) {
  const hh_mm_ss time{stamp - floor<days>(stamp)};
  char text[32];
  std::snprintf(text, sizeof text, "%sT%02d%02d%02dZ",
                CompactDate(year_month_day{floor<days>(stamp)}).c_str(),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

}  // namespace

std::string CompactDate(year_month_day date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

std::string NameFingerprint(const std::string& name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
  return text;
}

ICalendarWriter::ICalendarWriter(const std::string& name, sys_seconds stamp)
    : stamp_(StampText(stamp)) {
  Line("BEGIN:VCALENDAR");
  Line("VERSION:2.0");
  Line(std::string("PRODID:-//Moonfold//moonfold ") + kVersionText + "//ZH");
  Line("CALSCALE:GREGORIAN");
  Line("METHOD:PUBLISH");
  Line("X-WR-CALNAME:" + Escaped(name));
}

void ICalendarWriter::AllDayEvent(const std::string& uid, year_month_day date,
                                  const std::string& summary, const std::string& description,
                                  const std::string& category, std::optional<year_month_day> end) {
  Line("BEGIN:VEVENT");
  Line("UID:" + uid);
  Line("DTSTAMP:" + stamp_);
  Line("DTSTART;VALUE=DATE:" + CompactDate(date));
  Line("DTEND;VALUE=DATE:" + CompactDate(end ? *end : year_month_day{sys_days{date} + days{1}}));
  Line("SUMMARY:" + Escaped(summary));
  Line("DESCRIPTION:" + Escaped(description));
  Line("CATEGORIES:" + Escaped(category));
  Line("TRANSP:TRANSPARENT");
  Line("END:VEVENT");
}

std::string ICalendarWriter::Finish() {
  Line("END:VCALENDAR");
  return std::move(out_);
}

// One content line, folded so that no line exceeds 75 octets, never inside
// a UTF-8 sequence, each ending in CRLF.
void ICalendarWriter::Line(const std::string& line) {
  std::size_t start = 0, width = 75;
  while (line.size() - start > width) {
    std::size_t cut = start + width;
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    // Bytes that are no UTF-8 at all have no boundary to keep: cut at the
    // width (a line of them once folded forever).
    if (cut == start) cut = start + width;
    out_.append(line, start, cut - start);
    out_ += "\r\n ";
    start = cut;
    width = 74;  // the leading space of a continuation counts
  }
  out_.append(line, start, std::string::npos);
  out_ += "\r\n";
}

}  // namespace moonfold::cli
