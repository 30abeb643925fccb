#include "cli/almanac_page.h"

#include <vector>

#include "cli/text_output.h"
#include "common/utf8.h"
#include "input/dates.h"
#include "input/keywords.h"
#include "texts/almanac_texts.h"
#include "texts/calendar_texts.h"
#include "texts/kinds.h"

namespace moonfold::cli {
namespace {

using texts::NameAt;

std::string U8(std::u16string_view text) { return Utf8FromUtf16(text); }

std::string KindOf(std::u16string_view keyword, const DayFacts& f, Script s) {
  return U8(TrimBlanks(KindText(*KindOfKeyword(keyword), f, s)));
}

// A double hour's branch, its god and the god's path: 子, 天牢, 黑道.
struct HourGod {
  std::string branch, god, path;
};
HourGod HourGodOf(unsigned hour, const DayFacts& f, Script s) {
  const texts::ScriptNames& names = texts::NamesOf(s);
  const unsigned god = TwelveGod(hour, f.day_cycle.Branch());
  return {U8(NameAt(names.branches, hour)), U8(NameAt(names.twelve_gods, god)),
          U8(IsYellowPath(god) ? names.labels.yellow_path : names.labels.black_path)};
}

// The twelve double hours, each "子 天牢 黑道".
std::vector<std::string> HourCells(const DayFacts& f, Script s) {
  std::vector<std::string> cells;
  for (unsigned hour = 0; hour < 12; ++hour) {
    const HourGod h = HourGodOf(hour, f, s);
    cells.push_back(h.branch + " " + h.god + " " + h.path);
  }
  return cells;
}

// A heading and its words, the words at the page's column.
std::string Item(std::u16string_view heading, const std::vector<std::string>& words, int columns,
                 const std::string& gap = " ") {
  constexpr int kIndent = 10;  // 彭祖百忌 and two blanks
  return Wrapped(U8(heading), kIndent, words, columns, gap) + "\n";
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

// The line of what the calendar holds for the day: its term, pentad, phase
// of the moon, dog days or nines, and its official day off.
std::vector<std::string> DayNotes(const DayFacts& f, Script s) {
  std::vector<std::string> notes{KindOf(u"SOLAR", f, s), KindOf(u"PENTAD", f, s),
                                 KindOf(u"MOONPHASE", f, s), KindOf(u"SEASONDAYS", f, s)};
  const std::string off = KindOf(u"DAYOFF", f, s), holiday = KindOf(u"HOLIDAY", f, s);
  if (!off.empty()) notes.push_back(holiday.empty() ? off : holiday + " " + off);
  return notes;
}

// The year and month the page heads the day with: the year by 立春 and
// the month by the 节, as its own items count them — the day of a 节
// belongs wholly to its new month (2026-12-07, 大雪, is 庚子) — so the
// pillars of the day's last minute.
Pillars HeadingPillars(const DayFacts& f) {
  using namespace std::chrono;
  return PillarsAt(local_days{f.date} + hours{23} + minutes{59}).value_or(f.pillars);
}

// The words of a line that have a text.
std::vector<std::string> Present(std::vector<std::string> words) {
  std::erase(words, std::string());
  return words;
}

}  // namespace

std::string AlmanacPage(const DayFacts& f, Script s, int columns) {
  const texts::ScriptNames& names = texts::NamesOf(s);
  const texts::Labels& l = names.labels;
  const bool lucky = kMansionIsLucky[f.almanac.mansion];
  const Pillars heading = HeadingPillars(f);
  // The date, the year of the Republic, the lunar date with its year's
  // name (农历丙午年十月三十), and in the Qing calendar's years the date as it
  // was written with the reign year.
  std::string page = Wrapped({}, 0,
                             Present({IsoDate(f.date), U8(WeekdayLabel(f.day_of_week, s)),
                                      KindOf(u"ROCYEAR", f, s),
                                      U8(l.lunar_calendar) + U8(CycleName(f.year_cycle, s)) +
                                          U8(l.year) + U8(LunarDateName(f.lunar, s)),
                                      U8(ReignDateName(f.lunar, s))}),
                             columns, "  ") +
                     "\n";
  page +=
      Wrapped({}, 0,
              {U8(CycleName(heading.year, s)) + U8(l.year) + " " + U8(CycleName(heading.month, s)) +
                   U8(l.month) + " " + U8(CycleName(f.day_cycle, s)) + U8(l.day_of_cycle),
               U8(l.animal) + U8(NameAt(names.animals, f.year_cycle.Branch()))},
              columns, "  ") +
      "\n";
  page += Wrapped({}, 0, DayNotes(f, s), columns, "  ") + "\n\n";
  page += Item(l.duty_title, {KindOf(u"DUTY", f, s)}, columns);
  page += Item(l.god_title, {KindOf(u"DAYGOD", f, s)}, columns);
  page +=
      Item(l.mansion_title, {KindOf(u"MANSION", f, s), U8(lucky ? l.lucky : l.unlucky)}, columns);
  page += Item(l.clash_title, {KindOf(u"CLASH", f, s)}, columns);
  page += Item(l.pengzu_title, Words(KindOf(u"PENGZU", f, s)), columns);
  page += Item(l.directions_title, Words(KindOf(u"DIRECTIONS", f, s)), columns);
  page += Item(l.lucky_hours_title, Words(KindOf(u"LUCKYHOURS", f, s)), columns);
  page += Item(l.hours_title, HourCells(f, s), columns, "  ");
  return page;
}

std::string AlmanacJson(const DayFacts& f, Script s) {
  const texts::ScriptNames& names = texts::NamesOf(s);
  const bool lucky = kMansionIsLucky[f.almanac.mansion];
  const auto member = [](const char* key, const std::string& value) {
    return std::string(",\"") + key + "\":" + JsonString(value);
  };
  std::string out = "{\"date\":" + JsonString(IsoDate(f.date));
  const Pillars heading = HeadingPillars(f);
  out +=
      member("weekday", KindOf(u"WEEKDAY", f, s)) + member("lunar", U8(LunarDateName(f.lunar, s)));
  out += member("lunar_year", KindOf(u"HEYEAR", f, s)) + member("era", KindOf(u"ERA", f, s)) +
         member("rocyear", KindOf(u"ROCYEAR", f, s));
  out += member("year", U8(CycleName(heading.year, s))) +
         member("month", U8(CycleName(heading.month, s))) + member("day", KindOf(u"HEDAY", f, s)) +
         member("animal", KindOf(u"TWELVEANIMALS", f, s));
  out += member("term", KindOf(u"SOLAR", f, s)) + member("pentad", KindOf(u"PENTAD", f, s)) +
         member("moon", KindOf(u"MOONPHASE", f, s)) +
         member("season", KindOf(u"SEASONDAYS", f, s)) +
         member("holiday", KindOf(u"HOLIDAY", f, s)) + member("dayoff", KindOf(u"DAYOFF", f, s));
  out += member("duty", KindOf(u"DUTY", f, s)) + member("daygod", KindOf(u"DAYGOD", f, s)) +
         member("mansion", KindOf(u"MANSION", f, s)) +
         member("mansion_luck", U8(lucky ? names.labels.lucky : names.labels.unlucky));
  out += member("clash", KindOf(u"CLASH", f, s)) + member("pengzu", KindOf(u"PENGZU", f, s)) +
         member("directions", KindOf(u"DIRECTIONS", f, s)) +
         member("luckyhours", KindOf(u"LUCKYHOURS", f, s));
  std::vector<std::string> hours;
  for (unsigned hour = 0; hour < 12; ++hour) {
    const HourGod h = HourGodOf(hour, f, s);
    hours.push_back("{\"branch\":" + JsonString(h.branch) + ",\"god\":" + JsonString(h.god) +
                    ",\"path\":" + JsonString(h.path) + "}");
  }
  std::string array;
  for (const std::string& hour : hours) array += (array.empty() ? "[" : ",") + hour;
  return out + ",\"hours\":" + array + "]}\n";
}

}  // namespace moonfold::cli
