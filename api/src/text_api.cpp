// Names and keyword texts through the C interface.
#include <optional>
#include <string>

#include "boundary.h"
#include "common/utf8.h"
#include "input/keywords.h"
#include "texts/calendar_texts.h"

namespace {

using namespace std::chrono;
using namespace moonfold;
using namespace moonfold::boundary;
using Name = std::optional<std::u16string>;

template <typename Table>
Name Row(const Table& table, int id) {
  if (id < 0 || static_cast<std::size_t>(id) >= table.size()) return std::nullopt;
  return std::u16string(table[static_cast<std::size_t>(id)]);
}

Name LunarMonth(int id, bool leap, Script script) {
  if (id < 1 || id > 12) return std::nullopt;
  return LunarMonthName(static_cast<unsigned>(id), leap, script);
}

// The tables of names of the calendar's own cycles and counts.
Name CycleNames(int kind, int id, Script script) {
  const texts::ScriptNames& n = texts::NamesOf(script);
  switch (kind) {
    case MOONFOLD_NAME_STEM: return Row(n.stems, id);
    case MOONFOLD_NAME_BRANCH: return Row(n.branches, id);
    case MOONFOLD_NAME_CYCLE:
      if (id < 0 || id > 59) return std::nullopt;
      return CycleName({static_cast<unsigned>(id)}, script);
    case MOONFOLD_NAME_ANIMAL: return Row(n.animals, id);
    case MOONFOLD_NAME_WEEKDAY: return Row(n.weekdays, id);
    case MOONFOLD_NAME_SOLAR_TERM: return Row(n.solar_terms, id);
    case MOONFOLD_NAME_STAR_SIGN: return Row(n.star_signs, id);
    case MOONFOLD_NAME_LUNAR_MONTH: return LunarMonth(id, false, script);
    case MOONFOLD_NAME_LEAP_MONTH: return LunarMonth(id, true, script);
    case MOONFOLD_NAME_LUNAR_DAY: return id >= 1 ? Row(n.lunar_days, id - 1) : std::nullopt;
    case MOONFOLD_NAME_SEASON_PERIOD: return Row(n.season_periods, id);
    case MOONFOLD_NAME_PENTAD: return Row(n.pentads, id);
    case MOONFOLD_NAME_MOON_PHASE: return Row(n.moon_phases, id);
    default: return std::nullopt;
  }
}

// The festivals, holidays and the almanac's names.
Name DayNames(int kind, int id, Script script) {
  const texts::ScriptNames& n = texts::NamesOf(script);
  switch (kind) {
    case MOONFOLD_NAME_FIXED_FESTIVAL: return Row(n.fixed_date_festivals, id);
    case MOONFOLD_NAME_WEEKDAY_FESTIVAL: return Row(n.weekday_festivals, id);
    case MOONFOLD_NAME_LAST_WEEK_FESTIVAL: return Row(n.last_weekday_festivals, id);
    case MOONFOLD_NAME_LUNAR_FESTIVAL: return Row(n.lunar_festivals, id);
    case MOONFOLD_NAME_COUNTDOWN_FESTIVAL: return Row(n.countdown_festivals, id);
    case MOONFOLD_NAME_HOLIDAY: return Row(n.holidays, id);
    case MOONFOLD_NAME_DUTY: return Row(n.duty_officers, id);
    case MOONFOLD_NAME_TWELVE_GOD: return Row(n.twelve_gods, id);
    case MOONFOLD_NAME_MANSION: return Row(n.mansions, id);
    case MOONFOLD_NAME_DIRECTION: return Row(n.directions, id);
    case MOONFOLD_NAME_QUARTER: return Row(n.quarters, id);
    case MOONFOLD_NAME_PENGZU_STEM: return Row(n.pengzu_stems, id);
    case MOONFOLD_NAME_PENGZU_BRANCH: return Row(n.pengzu_branches, id);
    case MOONFOLD_NAME_ERA: return Row(n.eras, id);
    default: return CycleNames(kind, id, script);
  }
}

}  // namespace

extern "C" int moonfold_name(int kind, int id, int script, char* buffer, size_t size) {
  if (buffer == nullptr && size > 0) return MOONFOLD_ERROR_NULL;
  if (script != MOONFOLD_SCRIPT_SIMPLIFIED && script != MOONFOLD_SCRIPT_TRADITIONAL)
    return MOONFOLD_ERROR_SCRIPT;
  try {
    const Name name = DayNames(kind, id, static_cast<Script>(script));
    if (!name) return MOONFOLD_ERROR_NAME;
    return WriteText(Utf8FromUtf16(*name), buffer, size);
  } catch (...) {
    return MOONFOLD_ERROR_MEMORY;
  }
}

extern "C" int moonfold_text_with(const char* keyword, int year, int month, int day, int hour,
                                  int minute, int script, const moonfold_arrangement_t* arrangement,
                                  char* buffer, size_t size) {
  if (keyword == nullptr || (buffer == nullptr && size > 0)) return MOONFOLD_ERROR_NULL;
  if (script != MOONFOLD_SCRIPT_SIMPLIFIED && script != MOONFOLD_SCRIPT_TRADITIONAL)
    return MOONFOLD_ERROR_SCRIPT;
  // Reading the keyword allocates too: nothing may escape to the caller.
  try {
    const auto field = FieldOf(keyword);
    if (!field) return MOONFOLD_ERROR_KEYWORD;
    BeijingTime time;
    if (const int status = MomentOf(year, month, day, hour, minute, time); status != MOONFOLD_OK) {
      return status;
    }
    const auto facts = FactsOf(time, ArrangementOf(arrangement));
    if (!facts) return MOONFOLD_ERROR_RANGE;
    return WriteText(FieldText(*field, *facts, static_cast<Script>(script)), buffer, size);
  } catch (...) {
    return MOONFOLD_ERROR_MEMORY;
  }
}

extern "C" int moonfold_text(const char* keyword, int year, int month, int day, int hour,
                             int minute, int script, char* buffer, size_t size) {
  return moonfold_text_with(keyword, year, month, day, hour, minute, script, nullptr, buffer, size);
}
