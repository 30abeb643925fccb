#include "plugin/moonfold_plugin.h"

#include <utility>

#include "festivals/day_facts.h"
#include "cycles/stem_branch.h"
#include "festivals/weekday_festivals.h"
#include "plugin/day_texts.h"
#include "plugin/messages.h"

namespace moonfold {
namespace {

constexpr char16_t kOptionKey[] = u"Moonfold";

std::size_t SlotOf(InstanceKind kind) noexcept { return static_cast<std::size_t>(kind); }

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
      static_cast<std::uint16_t>(kind == InstanceKind::kHourBranch ? HourBranchIndex(hour) + 1 : 0);
  return {date.year, date.month, date.day, double_hour};
}

DayFacts MoonfoldPlugin::Convert(const LocalDateRecord& date, const LocalDateRecord& clock) {
  today_solar_ = date;
  today_lunar_ = clock;
  const std::chrono::year_month_day day{std::chrono::year{date.year},
                                        std::chrono::month{date.month},
                                        std::chrono::day{date.day}};
  // The weekday as the clock reports it, which WEEKDAY has always shown.
  const DayFacts facts = *FactsOf(day, clock.hour, date.day_of_week);
  today_lunar_.year = static_cast<std::uint16_t>(facts.lunar.year);
  today_lunar_.month = static_cast<std::uint16_t>(facts.lunar.month);
  today_lunar_.day = static_cast<std::uint16_t>(facts.lunar.day);
  return facts;
}

void MoonfoldPlugin::RebuildSolarTerm(const DayFacts& facts) {
  constexpr auto kSolar = InstanceKind::kSolarTerm;
  const Stamp stamp = StampOf(kSolar, today_solar_, today_lunar_.hour);
  if (stamps_[SlotOf(kSolar)] == stamp) return;
  slots_[SlotOf(kSolar)] = KindText(kSolar, facts);
  stamps_[SlotOf(kSolar)] = stamp;
}

void MoonfoldPlugin::Rebuild(InstanceKind kind, const DayFacts& facts) {
  if (kind == InstanceKind::kSolarTerm) return;  // built with the day
  // Built aside, then moved in: a slot never holds half a text.
  std::u16string text = KindText(kind, facts);
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
  const DayFacts facts = Convert(date, clock);

  // The solar term is rebuilt whatever the keyword, so SOLAR instances show
  // the day of the latest set-up of any instance.
  RebuildSolarTerm(facts);

  const char16_t* section_name = section != nullptr ? section : u"";
  const char16_t* value =
      platform_.ReadConfigString(section_name, kOptionKey, u"");
  if (value == nullptr) return;

  const std::optional<InstanceKind> kind = KindOfKeyword(value);
  if (!kind) {
    platform_.ShowMessage(KeywordMessage(ViewOf(value), ViewOf(section_name)).c_str());
    return;
  }
  Rebuild(*kind, facts);
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

  const DayFacts facts = Convert(now, now);
  RebuildSolarTerm(facts);
  for (std::size_t k = 0; k < kInstanceKindCount; ++k) {
    const auto other = static_cast<InstanceKind>(k);
    if ((kinds_in_use_ >> k & 1) != 0 && stamps_[k] != StampOf(other, now, now.hour)) {
      Rebuild(other, facts);
    }
  }
}

const char16_t* MoonfoldPlugin::GetString(std::uint32_t id) const noexcept {
  const auto found = registry_.find(id);
  if (found == registry_.end()) return nullptr;
  return slots_[SlotOf(found->second)].c_str();
}

}  // namespace moonfold
