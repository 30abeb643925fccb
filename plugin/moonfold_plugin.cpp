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

void MoonfoldPlugin::Initialize(const char16_t* section, std::uint32_t id) {
  // The date comes from the first reading; the hour shown by HEHOUR from the
  // second.
  today_solar_ = platform_.ReadLocalClock();
  today_lunar_ = platform_.ReadLocalClock();
  if (!IsSupportedDate(today_solar_)) {
    platform_.ShowMessage(kDateMessage);
    return;
  }

  const DayNumber day_number = DayNumberOf(today_solar_.year, today_solar_.month,
                                           today_solar_.day);
  const std::uint16_t leap_flag =
      LunarDateOf(day_number, today_lunar_.year, today_lunar_.month, today_lunar_.day);

  // The solar term is rebuilt whatever the keyword, so SOLAR instances show
  // the day of the latest set-up of any instance.
  slots_[SlotOf(InstanceKind::kSolarTerm)] =
      SolarTermText(today_solar_.year, today_solar_.month, today_solar_.day);

  const char16_t* section_name = section != nullptr ? section : u"";
  const char16_t* value =
      platform_.ReadConfigString(section_name, kOptionKey, u"");
  if (value == nullptr) return;

  const std::optional<InstanceKind> kind = KindOfKeyword(value);
  if (!kind) {
    platform_.ShowMessage(KeywordMessage(ViewOf(value), ViewOf(section_name)).c_str());
    return;
  }

  if (*kind != InstanceKind::kSolarTerm) {
    const Today today{today_solar_, today_lunar_, leap_flag,
                      slots_[SlotOf(InstanceKind::kSolarTerm)]};
    // Built aside, then moved in: a slot never holds half a text.
    std::u16string text = BuildText(*kind, today);
    slots_[SlotOf(*kind)] = std::move(text);
  }
  registry_.insert_or_assign(id, *kind);
}

const char16_t* MoonfoldPlugin::GetString(std::uint32_t id) const noexcept {
  const auto found = registry_.find(id);
  if (found == registry_.end()) return nullptr;
  return slots_[SlotOf(found->second)].c_str();
}

}  // namespace moonfold
