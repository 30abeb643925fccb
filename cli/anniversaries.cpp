#include "cli/anniversaries.h"

#include <cstdint>
#include <cstdio>

#include "cli/icalendar.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "texts/calendar_texts.h"

namespace moonfold::cli {
namespace {

using namespace std::chrono;

std::string LunarText(const LunarDate& date, Script script) {
  return Utf8FromUtf16(LunarDateName(date, script));
}

std::string Note(const Anniversary& kept, Script script) {
  return Utf8FromUtf16(AnniversaryNote(kept, script));
}

}  // namespace

std::vector<YearsAnniversary> AnniversariesOf(const AnniversaryRequest& request) {
  std::vector<YearsAnniversary> days;
  for (int year = request.first_year; year <= request.last_year; ++year) {
    const std::optional<Anniversary> kept =
        LunarAnniversary(request.date.month, request.date.day, request.date.leap, year);
    if (kept) days.push_back({year, *kept});
  }
  return days;
}

namespace {

// Whether the day kept may be a day off: its lunar date lies in a month
// the predicted ΔT may begin a day earlier or later.
bool Uncertain(const YearsAnniversary& a) { return IsUncertainLunarDay(a.kept.day, a.kept.date); }

}  // namespace

std::string AnniversaryListing(const std::vector<YearsAnniversary>& days, Script script) {
  std::string out;
  for (const YearsAnniversary& a : days) {
    std::string line = std::to_string(a.lunar_year) + "  " + IsoDate(year_month_day{a.kept.day}) +
                       "  " + LunarText(a.kept.date, script) +
                       std::string(Uncertain(a) ? kUncertainMark : "");
    const std::string note = Note(a.kept, script);
    if (!note.empty()) line = PadRight(line, 30) + note;
    out += line + "\n";
  }
  return out;
}

std::string AnniversaryJson(const std::vector<YearsAnniversary>& days, Script script) {
  std::vector<std::string> objects;
  for (const YearsAnniversary& a : days) {
    const std::string note = Note(a.kept, script);
    objects.push_back("{\"lunar_year\":" + std::to_string(a.lunar_year) +
                      ",\"date\":" + JsonString(IsoDate(year_month_day{a.kept.day})) +
                      ",\"lunar\":" + JsonString(LunarText(a.kept.date, script)) +
                      ",\"note\":" + (note.empty() ? std::string("null") : JsonString(note)) +
                      (Uncertain(a) ? ",\"uncertain\":true" : "") + "}");
  }
  return JsonArray(objects);
}

std::string AnniversaryICalendar(const AnniversaryRequest& request,
                                 const std::vector<YearsAnniversary>& days,
                                 const std::optional<std::string>& name, sys_seconds stamp,
                                 Script script) {
  const LunarMonthDay& asked = request.date;
  const std::string summary =
      name ? *name : LunarText({0, asked.month, asked.day, asked.leap}, script);
  // The UID holds the name asked for, or else the lunar date in simplified
  // characters, whatever the script.
  const std::string uid_name =
      name ? *name : LunarText({0, asked.month, asked.day, asked.leap}, Script::kSimplified);
  const texts::Labels& labels = texts::NamesOf(script).labels;
  char key[16];
  std::snprintf(key, sizeof key, "%s%02u%02u", asked.leap ? "L" : "", asked.month, asked.day);
  ICalendarWriter writer(
      summary + " " + std::to_string(request.first_year) + "–" + std::to_string(request.last_year),
      stamp);
  for (const YearsAnniversary& a : days) {
    std::string description = Utf8FromUtf16(labels.lunar_calendar) + LunarText(a.kept.date, script);
    const std::string note = Note(a.kept, script);
    if (!note.empty()) description += Utf8FromUtf16(labels.clause) + note;
    if (Uncertain(a))
      description += Utf8FromUtf16(labels.clause) + Utf8FromUtf16(labels.uncertain_day);
    writer.AllDayEvent("every-" + std::string(key) + "-" + std::to_string(a.lunar_year) + "-" +
                           NameFingerprint(uid_name) + "@moonfold",
                       year_month_day{a.kept.day}, summary, description,
                       Utf8FromUtf16(labels.category_anniversary));
  }
  return writer.Finish();
}

}  // namespace moonfold::cli
