// The plug-in's working state and its one piece of work: on Initialize, read
// the clock, convert today to the lunar calendar, build the text that the
// instance's keyword asks for and keep it until the host asks for it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "plugin/keywords.h"
#include "plugin/local_date_record.h"
#include "plugin/platform.h"

namespace moonfold {

// Which text each instance id shows.  Any 32-bit id, 0 included, is valid;
// ids are never removed while the library is loaded.
using InstanceRegistry = std::map<std::uint32_t, InstanceKind>;

// One text per kind, not per instance: instances of one kind share it and
// all show its latest text.
using ResultSlots = std::array<std::u16string, kInstanceKindCount>;

class MoonfoldPlugin {
 public:
  explicit MoonfoldPlugin(PluginPlatform& platform) noexcept : platform_(platform) {}
  MoonfoldPlugin(const MoonfoldPlugin&) = delete;
  MoonfoldPlugin& operator=(const MoonfoldPlugin&) = delete;

  // Sets up instance `id` of the section named `section` (null reads as the
  // empty name).  Every call whose clock passes the date check rebuilds the
  // solar-term text; a recognised keyword rebuilds its kind's text and
  // records the id with that kind.
  //
  // Throws only std::bad_alloc.  A text is replaced only by a complete new
  // text, and the registry is unchanged when the id could not be recorded.
  void Initialize(const char16_t* section, std::uint32_t id);

  // The stored text of the id's kind, or null for an id never recorded.
  // The pointer stays valid until that kind's text is next rebuilt.
  const char16_t* GetString(std::uint32_t id) const noexcept;

  const InstanceRegistry& Registry() const noexcept { return registry_; }
  const ResultSlots& Slots() const noexcept { return slots_; }
  const LocalDateRecord& TodaySolar() const noexcept { return today_solar_; }
  const LocalDateRecord& TodayLunar() const noexcept { return today_lunar_; }

 private:
  PluginPlatform& platform_;
  LocalDateRecord today_solar_{};
  LocalDateRecord today_lunar_{};
  InstanceRegistry registry_;
  ResultSlots slots_;
};

// True for a clock reading the tables can answer: a real date of the years
// 1990 to 2050.
bool IsSupportedDate(const LocalDateRecord& clock) noexcept;

}  // namespace moonfold
