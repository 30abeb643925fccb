// The clock reading the plug-in works from.
#pragma once

#include <cstdint>

namespace moonfold {

// Field for field the Windows SYSTEMTIME record, so that GetLocalTime can
// fill it directly.
struct LocalDateRecord {
  std::uint16_t year = 0;
  std::uint16_t month = 0;        // 1..12
  std::uint16_t day_of_week = 0;  // 0 = Sunday .. 6 = Saturday
  std::uint16_t day = 0;          // 1..31
  std::uint16_t hour = 0;         // 0..23
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};

static_assert(sizeof(LocalDateRecord) == 16, "must match SYSTEMTIME");

}  // namespace moonfold
