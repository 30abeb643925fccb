// The plug-in's working state and its one piece of work: on Initialize, read
// the clock and build the text that the instance's keyword asks for, and
// keep it, current, until the host asks for it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "common/local_date_record.h"
#include "plugin/platform.h"
#include "texts/kinds.h"

namespace moonfold {

// What an instance id shows: its kind, and whether it waits for a clock
// the calendar can answer (it was set up while the clock was wrong, as on
// a PC that boots with its clock reset and syncs a minute later).
struct Instance {
  TextKind kind;
  Script script = Script::kSimplified;
  bool waiting = false;
  friend bool operator==(const Instance&, const Instance&) = default;
};

// Any 32-bit id, 0 included, is valid; ids are never removed while the
// library is loaded.
using InstanceRegistry = std::map<std::uint32_t, Instance>;

// A clock reading packed so that later readings compare greater: year,
// month, day, hour and minute, each in bits of its own.  A field too large
// for its bits makes the reading the greatest of all.
using ClockStamp = std::uint64_t;
ClockStamp StampOf(const LocalDateRecord& clock) noexcept;

// One text per kind and script, not per instance: instances of one kind
// and script share it and all show its latest text.  It holds for the clock readings
// [valid_from, valid_until); an empty stretch means never built.
struct TextSlot {
  std::u16string text;
  ClockStamp valid_from = 0, valid_until = 0;
  friend bool operator==(const TextSlot&, const TextSlot&) = default;
};
using ResultSlots = std::array<TextSlot, kTextKindCount * kScriptCount>;

// The slot of a kind in a script.
constexpr std::size_t SlotOf(TextKind kind, Script script) noexcept {
  return kind.index * kScriptCount + static_cast<std::size_t>(script);
}

class MoonfoldPlugin {
 public:
  explicit MoonfoldPlugin(PluginPlatform& platform) noexcept : platform_(platform) {}
  MoonfoldPlugin(const MoonfoldPlugin&) = delete;
  MoonfoldPlugin& operator=(const MoonfoldPlugin&) = delete;

  // Sets up instance `id` of the section named `section` (null reads as the
  // empty name).  Every call whose clock passes the date check brings the
  // solar-term text to the day; a recognised keyword rebuilds its kind's
  // text and records the id with that kind, in the script of the section's
  // Script option (Hant: traditional; Hans or none: simplified; any other
  // value brings up its message and gives simplified).  Under a clock outside
  // 1990..2050 it shows the date message, and still reads the option and
  // records the id, to wait for the first Update of a right clock.
  //
  // Throws only std::bad_alloc.  A text is replaced only by a complete new
  // text, and the registry is unchanged when the id could not be recorded.
  void Initialize(const char16_t* section, std::uint32_t id);

  // Keeps the texts current while the host runs for days: reads the clock
  // once and, when the id is recorded and its kind's text no longer holds
  // (a new day; for HEHOUR a new double hour), rebuilds every text in use
  // that no longer holds, so instances of one kind never disagree.  Reads
  // no configuration and shows no message: a clock outside 1990..2050
  // leaves every text as it is.  On a cycle where nothing changed it
  // allocates nothing.
  //
  // Throws only std::bad_alloc; every text is then its old one or a
  // complete new one.
  void Update(std::uint32_t id);

  // The stored text of the id's kind, or null for an id never recorded or
  // still waiting for a right clock.  The pointer stays valid until that
  // kind's text is next rebuilt.
  const char16_t* GetString(std::uint32_t id) const noexcept;

  const InstanceRegistry& Registry() const noexcept { return registry_; }
  const ResultSlots& Slots() const noexcept { return slots_; }
  const LocalDateRecord& TodaySolar() const noexcept { return today_solar_; }
  const LocalDateRecord& TodayLunar() const noexcept { return today_lunar_; }

 private:
  // Reads `date` and `clock` into TodaySolar and TodayLunar, the lunar one
  // converted, and returns the facts of the date at the clock's time.
  // `date` must be a supported date.
  DayFacts Convert(const LocalDateRecord& date, const LocalDateRecord& clock);
  // Rebuilds the text of `kind` from the facts.
  void Rebuild(TextKind kind, Script script, const DayFacts& facts);
  // Rebuilds it when it does not hold for the facts' moment.
  void Refresh(TextKind kind, Script script, const DayFacts& facts);
  void Record(std::uint32_t id, Instance instance);
  // Reads the instance's option: its kind, or nothing (after the keyword
  // message for a value that names none).
  std::optional<TextKind> ReadKind(const char16_t* section_name);
  // Reads the instance's Script option.
  Script ReadScript(const char16_t* section_name);

  PluginPlatform& platform_;
  LocalDateRecord today_solar_{};
  LocalDateRecord today_lunar_{};
  InstanceRegistry registry_;
  ResultSlots slots_;
  std::array<bool, kTextKindCount * kScriptCount>
      in_use_{};  // some id was recorded with the slot's kind and script
  // The date message was shown for the clock that is wrong now: a host
  // that sets up twenty instances under a reset clock gets one box, not
  // twenty modal ones.  A right clock clears it.
  bool date_message_shown_ = false;
};

// True for a clock reading the plug-in answers: a real date of the years
// 1990 to 2050.
bool IsSupportedDate(const LocalDateRecord& clock) noexcept;

}  // namespace moonfold
