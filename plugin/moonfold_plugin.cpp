#include "plugin/moonfold_plugin.h"

#include <utility>

#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"
#include "festivals/fixed_date_festivals.h"
#include "festivals/lunar_festivals.h"
#include "festivals/weekday_festivals.h"
#include "lunar/lunar_date.h"
#include "lunar/lunar_names.h"
#include "plugin/messages.h"

namespace moonfold {
namespace {

constexpr char16_t kOptionKey[] = u"Moonfold";

std::size_t SlotOf(InstanceKind kind) noexcept { return static_cast<std::size_t>(kind); }

// Everything the builders may be given for one day: the two clock readings
// (the lunar one with its date fields converted), the leap flag and the
// day's solar-term text.
struct Today {
  const LocalDateRecord& solar;
  const LocalDateRecord& lunar;
  std::uint16_t leap_flag;
  const std::u16string& solar_term;
};

std::u16string BuildText(InstanceKind kind, const Today& t) {
  switch (kind) {
    case InstanceKind::kLunarDay:
      return LunarDayText(t.lunar.day);
    case InstanceKind::kLunarMonth:
      return LunarMonthText(t.lunar.month, t.leap_flag);
    case InstanceKind::kWeekday:
      return WeekdayName(t.solar.day_of_week);
    case InstanceKind::kYearStemBranch:
      return YearStemBranch(t.lunar.year);
    case InstanceKind::kMonthStemBranch:
      return MonthStemBranch(t.lunar.year, t.lunar.month);
    case InstanceKind::kDayStemBranch:
      return DayStemBranch(t.solar.year, t.solar.month, t.solar.day);
    case InstanceKind::kHourBranch:
      return HourBranch(t.lunar.hour);
    case InstanceKind::kSolarTerm:
      return t.solar_term;
    case InstanceKind::kConstellation:
      return ConstellationName(t.solar.month, t.solar.day);
    case InstanceKind::kFixedDateFestivals:
      return FixedDateFestivals(t.solar.month, t.solar.day);
    case InstanceKind::kWeekdayRuleFestivals:
      return WeekdayRuleFestivals(t.solar.month, t.solar.day_of_week, t.solar.day);
    case InstanceKind::kLastWeekFestivals:
      return LastWeekFestivals(t.solar.year, t.solar.month, t.solar.day);
    case InstanceKind::kLunarFestivals:
      return LunarFestivals(t.lunar.year, t.lunar.month, t.lunar.day, t.solar_term,
                            t.leap_flag);
    case InstanceKind::kZodiacAnimal:
      return ZodiacAnimal(t.lunar.year);
  }
  return {};
}

std::u16string_view ViewOf(const char16_t* text) noexcept {
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

bool IsSupportedDate(const LocalDateRecord& clock) noexcept {
  // Windows never reports month 13 or day 0, but a bad reading must not send
  // the tables past their ends: it is refused like a wrong year.
  return clock.year >= kFirstTableYear && clock.year <= kLastTableYear &&
         clock.month >= 1 && clock.month <= 12 && clock.day >= 1 &&
         clock.day <= DaysInGregorianMonth(clock.year, clock.month);
}

MoonfoldPlugin::Stamp MoonfoldPlugin::StampOf(InstanceKind kind, const LocalDateRecord& date,
                                              std::uint16_t hour) noexcept {
  // The double hours begin at the odd hours: 子 runs from 23:00 to 00:59.
  const auto double_hour =
      static_cast<std::uint16_t>(kind == InstanceKind::kHourBranch ? (hour + 1) / 2 % 12 + 1 : 0);
  return {date.year, date.month, date.day, double_hour};
}

std::uint16_t MoonfoldPlugin::Convert(const LocalDateRecord& date,
                                      const LocalDateRecord& clock) noexcept {
  today_solar_ = date;
  today_lunar_ = clock;
  const DayNumber day_number = DayNumberOf(date.year, date.month, date.day);
  return LunarDateOf(day_number, today_lunar_.year, today_lunar_.month, today_lunar_.day);
}

void MoonfoldPlugin::RebuildSolarTerm() {
  constexpr auto kSolar = InstanceKind::kSolarTerm;
  const Stamp stamp = StampOf(kSolar, today_solar_, today_lunar_.hour);
  if (stamps_[SlotOf(kSolar)] == stamp) return;
  slots_[SlotOf(kSolar)] = SolarTermText(today_solar_.year, today_solar_.month, today_solar_.day);
  stamps_[SlotOf(kSolar)] = stamp;
}

void MoonfoldPlugin::Rebuild(InstanceKind kind, std::uint16_t leap_flag) {
  if (kind == InstanceKind::kSolarTerm) return;  // built with the day
  const Today today{today_solar_, today_lunar_, leap_flag,
                    slots_[SlotOf(InstanceKind::kSolarTerm)]};
  // Built aside, then moved in: a slot never holds half a text.
  std::u16string text = BuildText(kind, today);
  slots_[SlotOf(kind)] = std::move(text);
  stamps_[SlotOf(kind)] = StampOf(kind, today_solar_, today_lunar_.hour);
}

void MoonfoldPlugin::Record(std::uint32_t id, InstanceKind kind) {
  registry_.insert_or_assign(id, kind);
  kinds_in_use_ |= 1u << SlotOf(kind);
}

void MoonfoldPlugin::Initialize(const char16_t* section, std::uint32_t id) {
  // The date comes from the first reading; the hour shown by HEHOUR from the
  // second.
  const LocalDateRecord date = platform_.ReadLocalClock();
  const LocalDateRecord clock = platform_.ReadLocalClock();
  if (!IsSupportedDate(date)) {
    today_solar_ = date;
    today_lunar_ = clock;
    platform_.ShowMessage(kDateMessage);
    return;
  }
  const std::uint16_t leap_flag = Convert(date, clock);

  // The solar term is rebuilt whatever the keyword, so SOLAR instances show
  // the day of the latest set-up of any instance.
  RebuildSolarTerm();

  const char16_t* section_name = section != nullptr ? section : u"";
  const char16_t* value =
      platform_.ReadConfigString(section_name, kOptionKey, u"");
  if (value == nullptr) return;

  const std::optional<InstanceKind> kind = KindOfKeyword(value);
  if (!kind) {
    platform_.ShowMessage(KeywordMessage(ViewOf(value), ViewOf(section_name)).c_str());
    return;
  }
  Rebuild(*kind, leap_flag);
  Record(id, *kind);
}

void MoonfoldPlugin::Update(std::uint32_t id) {
  const auto found = registry_.find(id);
  if (found == registry_.end()) return;
  const LocalDateRecord now = platform_.ReadLocalClock();
  const InstanceKind kind = found->second;
  if (stamps_[SlotOf(kind)] == StampOf(kind, now, now.hour)) return;
  // The date message belongs to Initialize: a host calls this every
  // second, and a wrong clock must not raise a box each time.
  if (!IsSupportedDate(now)) return;

  const std::uint16_t leap_flag = Convert(now, now);
  RebuildSolarTerm();
  for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
    const auto other = static_cast<InstanceKind>(k);
    if ((kinds_in_use_ >> k & 1) != 0 && stamps_[k] != StampOf(other, now, now.hour)) {
      Rebuild(other, leap_flag);
    }
  }
}

const char16_t* MoonfoldPlugin::GetString(std::uint32_t id) const noexcept {
  const auto found = registry_.find(id);
  if (found == registry_.end()) return nullptr;
  return slots_[SlotOf(found->second)].c_str();
}

}  // namespace moonfold
