// Writing RFC 5545 calendar files: a calendar of all-day events, folded
// and escaped as the format asks.  The --ics exports of the year's
// festivals and of a lunar anniversary both write through it.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace moonfold::cli {

class ICalendarWriter {
 public:
  // Opens a calendar named `name` (UTF-8); `stamp` is the moment of
  // writing (UTC), every event's DTSTAMP.
  ICalendarWriter(const std::string& name, std::chrono::sys_seconds stamp);

  // One all-day event from `date` to the day before `end` (by default the
  // day itself); texts in UTF-8.
  void AllDayEvent(const std::string& uid, std::chrono::year_month_day date,
                   const std::string& summary, const std::string& description,
                   const std::string& category,
                   std::optional<std::chrono::year_month_day> end = std::nullopt);

  // The calendar, closed.
  std::string Finish();

 private:
  void Line(const std::string& line);
  std::string out_;
  std::string stamp_;
};

// YYYYMMDD.
std::string CompactDate(std::chrono::year_month_day date);

// A short fingerprint of a name for a UID, eight hex digits: FNV-1a over
// its UTF-8 bytes, so that events of one day under different names stay
// apart and a name always gives the same UID.
std::string NameFingerprint(const std::string& name);

}  // namespace moonfold::cli
