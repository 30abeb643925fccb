// The plug-in's working state and its one piece of work: on Initialize, read
// the clock, convert today to the lunar calendar, build the text that the
// instance's keyword asks for and keep it until the host asks for it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "festivals/day_facts.h"
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

  // Keeps the texts current while the host runs for days: reads the clock
  // once and, when the id is recorded and its kind's text was built for
  // another date (for HEHOUR, another double hour), rebuilds what a fresh
  // Initialize of the id would build, and every other kind in use that is
  // out of date too, so instances of one kind never disagree.  Reads no
  // configuration and shows no message: a clock outside 1990..2050 leaves
  // every text as it is.  On a cycle where nothing changed it allocates
  // nothing.
  //
  // Throws only std::bad_alloc; every text is then its old one or a
  // complete new one.
  void Update(std::uint32_t id);

  // The stored text of the id's kind, or null for an id never recorded.
  // The pointer stays valid until that kind's text is next rebuilt.
  const char16_t* GetString(std::uint32_t id) const noexcept;

  const InstanceRegistry& Registry() const noexcept { return registry_; }
  const ResultSlots& Slots() const noexcept { return slots_; }
  const LocalDateRecord& TodaySolar() const noexcept { return today_solar_; }
  const LocalDateRecord& TodayLunar() const noexcept { return today_lunar_; }

 private:
  // What a stored text was built for: the local date and, for HEHOUR, the
  // double hour.  Zero fields: never built.
  struct Stamp {
    std::uint16_t year = 0, month = 0, day = 0, double_hour = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };
  static Stamp StampOf(InstanceKind kind, const LocalDateRecord& date,
                       std::uint16_t hour) noexcept;

  // Reads `date` and `clock` into TodaySolar and TodayLunar, the lunar one
  // converted, and returns the day's facts at the clock's hour.  `date`
  // must be a supported date.
  DayFacts Convert(const LocalDateRecord& date, const LocalDateRecord& clock);
  // Rebuilds the solar-term text when its date has passed; the text of
  // `kind`.
  void RebuildSolarTerm(const DayFacts& facts);
  void Rebuild(InstanceKind kind, const DayFacts& facts);
  void Record(std::uint32_t id, InstanceKind kind);

  PluginPlatform& platform_;
  LocalDateRecord today_solar_{};
  LocalDateRecord today_lunar_{};
  InstanceRegistry registry_;
  ResultSlots slots_;
  std::array<Stamp, kInstanceKindCount> stamps_{};
  // Bit k set: some id was recorded with kind k.
  std::uint32_t kinds_in_use_ = 0;
};

// True for a clock reading the tables can answer: a real date of the years
// 1990 to 2050.
bool IsSupportedDate(const LocalDateRecord& clock) noexcept;

}  // namespace moonfold
