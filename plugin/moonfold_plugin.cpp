#include "plugin/moonfold_plugin.h"
#include "common/plugin_years.h"

#include <utility>

#include "plugin/messages.h"

namespace moonfold {
namespace {

using namespace std::chrono;

constexpr char16_t kOptionKey[] = u"Moonfold";
constexpr char16_t kScriptKey[] = u"Script";

// Every Initialize brings SOLAR to the day, whatever the keyword, so SOLAR
// instances show the day of the latest set-up of any instance.
constexpr TextKind kSolarKind = KindNamed(u"SOLAR");

std::u16string_view ViewOf(const char16_t* text) noexcept {
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

year_month_day DateOf(const LocalDateRecord& clock) noexcept {
  return year{clock.year} / month{clock.month} / day{clock.day};
}

// Minute-exact stamps of the wall times that bound a text's stretch.
ClockStamp StampOf(BeijingTime time) noexcept {
  const local_days midnight = floor<days>(time);
  const year_month_day date{sys_days{midnight.time_since_epoch()}};
  const hh_mm_ss clock{time - midnight};
  LocalDateRecord record;
  record.year = static_cast<std::uint16_t>(static_cast<int>(date.year()));
  record.month = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
  record.day = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
  record.hour = static_cast<std::uint16_t>(clock.hours().count());
  record.minute = static_cast<std::uint16_t>(clock.minutes().count());
  return StampOf(record);
}

}  // namespace

ClockStamp StampOf(const LocalDateRecord& c) noexcept {
  if (c.month > 15 || c.day > 31 || c.hour > 31 || c.minute > 63) return ~ClockStamp{0};
  return ClockStamp{c.year} << 24 | ClockStamp{c.month} << 20 | ClockStamp{c.day} << 14 |
         ClockStamp{c.hour} << 8 | ClockStamp{c.minute};
}

bool IsSupportedDate(const LocalDateRecord& clock) noexcept {
  // Windows never reports month 13 or day 0, but a bad reading must not
  // reach the calendar: it is refused like a wrong year.
  return clock.year >= kFirstPluginYear && clock.year <= kLastPluginYear && DateOf(clock).ok();
}

DayFacts MoonfoldPlugin::Convert(const LocalDateRecord& date, const LocalDateRecord& clock) {
  today_solar_ = date;
  today_lunar_ = clock;
  // The weekday as the clock reports it, which WEEKDAY and FWEEKDAY show.
  const DayFacts facts =
      *FactsOf(WallTime(DateOf(date), clock.hour % 24, clock.minute % 60), date.day_of_week);
  today_lunar_.year = static_cast<std::uint16_t>(facts.lunar.year);
  today_lunar_.month = static_cast<std::uint16_t>(facts.lunar.month);
  today_lunar_.day = static_cast<std::uint16_t>(facts.lunar.day);
  return facts;
}

void MoonfoldPlugin::Rebuild(TextKind kind, Script script, const DayFacts& facts) {
  const TextPeriod period = kind.Row().period(facts);
  // Built aside, then moved in: a slot never holds half a text.
  std::u16string text = KindText(kind, facts, script);
  TextSlot& slot = slots_[SlotOf(kind, script)];
  slot.text = std::move(text);
  slot.valid_from = StampOf(period.start);
  slot.valid_until = StampOf(period.end);
}

void MoonfoldPlugin::Refresh(TextKind kind, Script script, const DayFacts& facts) {
  const TextSlot& slot = slots_[SlotOf(kind, script)];
  const ClockStamp now = StampOf(facts.time);
  if (slot.valid_from <= now && now < slot.valid_until) return;
  Rebuild(kind, script, facts);
}

void MoonfoldPlugin::Record(std::uint32_t id, Instance instance) {
  registry_.insert_or_assign(id, instance);
  in_use_[SlotOf(instance.kind, instance.script)] = true;
}

std::optional<TextKind> MoonfoldPlugin::ReadKind(const char16_t* section_name) {
  const char16_t* value = platform_.ReadConfigString(section_name, kOptionKey, u"");
  if (value == nullptr) return std::nullopt;
  const std::optional<TextKind> kind = KindOfKeyword(value);
  if (!kind) platform_.ShowMessage(KeywordMessage(ViewOf(value), ViewOf(section_name)).c_str());
  return kind;
}

Script MoonfoldPlugin::ReadScript(const char16_t* section_name) {
  const char16_t* value = platform_.ReadConfigString(section_name, kScriptKey, u"");
  if (value == nullptr || value[0] == u'\0' || EqualsIgnoringAsciiCase(u"Hans", value)) {
    return Script::kSimplified;
  }
  if (EqualsIgnoringAsciiCase(u"Hant", value)) return Script::kTraditional;
  platform_.ShowMessage(ScriptMessage(ViewOf(value), ViewOf(section_name)).c_str());
  return Script::kSimplified;
}

void MoonfoldPlugin::Initialize(const char16_t* section, std::uint32_t id) {
  // The date comes from the first reading; the time of day from the second.
  const LocalDateRecord date = platform_.ReadLocalClock();
  const LocalDateRecord clock = platform_.ReadLocalClock();
  const char16_t* section_name = section != nullptr ? section : u"";
  if (!IsSupportedDate(date)) {
    today_solar_ = date;
    today_lunar_ = clock;
    if (!std::exchange(date_message_shown_, true)) platform_.ShowMessage(kDateMessage);
    const std::optional<TextKind> kind = ReadKind(section_name);
    const Script script = ReadScript(section_name);
    if (kind) Record(id, {*kind, script, true});
    return;
  }
  date_message_shown_ = false;
  const DayFacts facts = Convert(date, clock);
  Refresh(kSolarKind, Script::kSimplified, facts);

  const std::optional<TextKind> kind = ReadKind(section_name);
  const Script script = ReadScript(section_name);
  if (!kind) return;
  // A set-up always builds its own text afresh.
  if (*kind != kSolarKind || script != Script::kSimplified) Rebuild(*kind, script, facts);
  Record(id, {*kind, script, false});
}

void MoonfoldPlugin::Update(std::uint32_t id) {
  const auto found = registry_.find(id);
  if (found == registry_.end()) return;
  const LocalDateRecord now = platform_.ReadLocalClock();
  Instance& instance = found->second;
  const TextSlot& slot = slots_[SlotOf(instance.kind, instance.script)];
  const ClockStamp stamp = StampOf(now);
  if (!instance.waiting && slot.valid_from <= stamp && stamp < slot.valid_until) return;
  // The date message belongs to Initialize: a host calls this every
  // second, and a wrong clock must not raise a box each time.
  if (!IsSupportedDate(now)) return;
  date_message_shown_ = false;

  const DayFacts facts = Convert(now, now);
  Refresh(kSolarKind, Script::kSimplified, facts);
  // An instance that waited for a right clock is set up as afresh.
  if (instance.waiting) Rebuild(instance.kind, instance.script, facts);
  instance.waiting = false;
  for (std::uint8_t k = 0; k < kTextKindCount; ++k) {
    for (std::size_t s = 0; s < kScriptCount; ++s) {
      const auto script = static_cast<Script>(s);
      if (in_use_[SlotOf(TextKind{k}, script)]) Refresh(TextKind{k}, script, facts);
    }
  }
}

const char16_t* MoonfoldPlugin::GetString(std::uint32_t id) const noexcept {
  const auto found = registry_.find(id);
  if (found == registry_.end() || found->second.waiting) return nullptr;
  return slots_[SlotOf(found->second.kind, found->second.script)].text.c_str();
}

}  // namespace moonfold
