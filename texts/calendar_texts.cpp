#include "texts/calendar_texts.h"

#include <utility>

namespace moonfold {

using texts::NamesOf;

std::u16string CycleName(CyclePosition position, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(names.stems[position.Stem()]);
  text += names.branches[position.Branch()];
  return text;
}

std::u16string_view LunarDayName(unsigned day, Script script) {
  const auto& days = NamesOf(script).lunar_days;
  return day >= 1 && day <= days.size() ? days[day - 1] : std::u16string_view();
}

std::u16string LunarMonthName(unsigned month, bool leap, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  if (month < 1 || month > names.lunar_months.size()) return {};
  std::u16string text;
  if (leap) text = names.leap;
  text += names.lunar_months[month - 1];
  return text;
}

std::u16string LunarMonthShortName(unsigned month, bool leap, Script script) {
  std::u16string name = LunarMonthName(month, leap, script);
  if (!leap && !name.empty()) name += NamesOf(script).labels.month;
  return name;
}

std::u16string LunarDateName(const LunarDate& date, Script script) {
  std::u16string text = LunarMonthName(date.month, date.leap, script);
  text += NamesOf(script).labels.month;
  text += LunarDayName(date.day, script);
  return text;
}

std::u16string WeekdayLabel(unsigned day_of_week, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(names.labels.week);
  text += names.weekdays[day_of_week % names.weekdays.size()];
  return text;
}

std::u16string LunarYearTitle(int lunar_year, Script script) {
  const CyclePosition cycle = YearCycle(lunar_year);
  std::u16string text = CycleName(cycle, script);
  text += NamesOf(script).labels.year;
  text += u' ';
  text += NamesOf(script).animals[cycle.Branch()];
  return text;
}

namespace {

std::u16string Number(long n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string AnniversaryNote(const Anniversary& kept, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string note;
  if (kept.no_leap_month) {
    note = std::u16string(names.labels.none) + LunarMonthName(kept.date.month, true, script) +
           std::u16string(names.labels.month);
  }
  if (kept.last_day) {
    if (!note.empty()) note += names.labels.clause;
    note += names.lunar_days[29];
    note += names.labels.becomes;
    note += LunarDayName(kept.date.day, script);
  }
  return note;
}

std::u16string DaysLeftName(int days, Script script) {
  const texts::Labels& labels = NamesOf(script).labels;
  return std::u16string(labels.days_left) + Number(days) + std::u16string(labels.days);
}

std::u16string CountdownName(std::u16string_view name, int days, Script script) {
  std::u16string text(NamesOf(script).labels.countdown_to);
  text += name;
  return text + DaysLeftName(days, script);
}

std::u16string SeasonDayName(const SeasonDay& season, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  return std::u16string(names.season_periods[static_cast<std::size_t>(season.period)]) +
         std::u16string(names.labels.nth) + Number(season.day) + std::u16string(names.labels.days);
}

std::u16string GregorianMonthTitle(std::chrono::year_month month, Script script) {
  const texts::Labels& labels = NamesOf(script).labels;
  return Number(static_cast<int>(month.year())) + std::u16string(labels.year) +
         Number(static_cast<unsigned>(month.month())) + std::u16string(labels.month);
}

std::u16string_view SolarTermName(unsigned index, Script script) {
  const auto& terms = NamesOf(script).solar_terms;
  return index < terms.size() ? terms[index] : std::u16string_view();
}

std::u16string_view HolidayName(Holiday holiday, Script script) {
  const auto& names = NamesOf(script).holidays;
  const auto index = static_cast<std::size_t>(holiday);
  return index < names.size() ? names[index] : std::u16string_view();
}

std::u16string_view FestivalName(FestivalId festival, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  const auto pick = [&](const auto& table) {
    return festival.row < table.size() ? table[festival.row] : std::u16string_view();
  };
  switch (festival.table) {
    case FestivalTable::kFixedDate: return pick(names.fixed_date_festivals);
    case FestivalTable::kWeekdayRule: return pick(names.weekday_festivals);
    case FestivalTable::kLastWeekday: return pick(names.last_weekday_festivals);
    case FestivalTable::kLunar: return pick(names.lunar_festivals);
  }
  return {};
}

std::u16string FestivalNames(FestivalTable table, FestivalRun run, Script script) {
  std::u16string text;
  for (unsigned row = run.first; row < run.first + run.count; ++row) {
    if (row != run.first) text += u' ';
    text += FestivalName({table, static_cast<std::uint8_t>(row)}, script);
  }
  return text;
}

std::u16string FestivalShortName(FestivalId festival, Script script) {
  std::u16string name(FestivalName(festival, script));
  for (const auto& [open, close] : {std::pair{u'(', u')'}, std::pair{u'（', u'）'}}) {
    const auto from = name.find(open);
    const auto to = from == std::u16string::npos ? from : name.find(close, from);
    if (to != std::u16string::npos) name.erase(from, to - from + 1);
  }
  return name;
}

}  // namespace moonfold
