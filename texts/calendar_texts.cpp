#include "texts/calendar_texts.h"

#include <utility>

namespace moonfold {

using texts::NamesOf;

std::u16string CycleName(CyclePosition position, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(texts::NameAt(names.stems, position.Stem()));
  text += texts::NameAt(names.branches, position.Branch());
  return text;
}

std::u16string_view LunarDayName(unsigned day, Script script) {
  return day >= 1 ? texts::NameAt(NamesOf(script).lunar_days, day - 1) : std::u16string_view();
}

std::u16string LunarMonthName(unsigned month, bool leap, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  const texts::Name name =
      month >= 1 ? texts::NameAt(names.lunar_months, month - 1) : texts::Name{};
  if (name.empty()) return {};
  std::u16string text;
  if (leap) text = names.leap;
  text += name;
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

std::u16string NumeralName(int n, Script script) {
  const auto& numerals = NamesOf(script).numerals;
  if (n < 1 || n > 99) return {};
  const auto tens = static_cast<std::size_t>(n / 10), ones = static_cast<std::size_t>(n % 10);
  std::u16string text;
  if (tens > 1) text += numerals[tens];
  if (tens > 0) text += numerals[10];
  if (ones > 0) text += numerals[ones];
  return text;
}

std::u16string ReignYearName(EraYear year, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(texts::NameAt(names.eras, year.era));
  text += year.year == 1 ? std::u16string(names.labels.first_year) : NumeralName(year.year, script);
  text += names.labels.year;
  return text;
}

std::u16string RepublicYearName(EraYear year, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(texts::NameAt(names.eras, kRepublicEra));
  if (year.year == 1) {
    text += names.labels.first_year;
  } else {
    for (const char c : std::to_string(year.year)) text += static_cast<char16_t>(c);
  }
  text += names.labels.year;
  return text;
}

std::u16string ReignDateName(const LunarDate& date, Script script) {
  const std::optional<EraYear> reign = ReignYearOf(date.year);
  if (!reign || date.month < 1 || date.month > 12) return {};
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text = ReignYearName(*reign, script);
  if (date.leap) text += names.leap;
  // The first month is 正月; the others by number, 十一月 and 十二月 too.
  text += date.month == 1 ? std::u16string(names.lunar_months[0])
                          : NumeralName(static_cast<int>(date.month), script);
  text += names.labels.month;
  text += LunarDayName(date.day, script);
  return text;
}

std::u16string WeekdayLabel(unsigned day_of_week, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  std::u16string text(names.labels.week);
  text += texts::NameAt(names.weekdays, day_of_week);
  return text;
}

std::u16string LunarYearTitle(int lunar_year, Script script) {
  const CyclePosition cycle = YearCycle(lunar_year);
  std::u16string text = CycleName(cycle, script);
  text += NamesOf(script).labels.year;
  text += u' ';
  text += texts::NameAt(NamesOf(script).animals, cycle.Branch());
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
    note += texts::NameAt(names.lunar_days, 29);
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
  return std::u16string(
             texts::NameAt(names.season_periods, static_cast<std::size_t>(season.period))) +
         std::u16string(names.labels.nth) + Number(season.day) + std::u16string(names.labels.days);
}

std::u16string GregorianMonthTitle(std::chrono::year_month month, Script script) {
  const texts::Labels& labels = NamesOf(script).labels;
  return Number(static_cast<int>(month.year())) + std::u16string(labels.year) +
         Number(static_cast<unsigned>(month.month())) + std::u16string(labels.month);
}

std::u16string_view SolarTermName(unsigned index, Script script) {
  return texts::NameAt(NamesOf(script).solar_terms, index);
}

std::u16string_view HolidayName(Holiday holiday, Script script) {
  return texts::NameAt(NamesOf(script).holidays, static_cast<std::size_t>(holiday));
}

std::u16string_view FestivalName(FestivalId festival, Script script) {
  const texts::ScriptNames& names = NamesOf(script);
  const auto pick = [&](const auto& table) { return texts::NameAt(table, FestivalKey(festival)); };
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
  for (const unsigned row : run) {
    if (!text.empty()) text += u' ';
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
