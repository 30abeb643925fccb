// The independent calendar reference in tests/data/calendar_reference.tsv:
// every day 1990-01-01..2050-12-31 as an astronomical calendar library
// computes it (tools/make_reference.js made the file).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moonfold::testing {

struct ReferenceDay {
  std::uint16_t year, month, day;
  std::uint16_t lunar_year, lunar_month, lunar_day, leap;
  std::u16string solar_term;  // empty when no term begins on the day
  std::u16string day_cycle;   // stem-branch name of the day
};

// All 22,280 days in date order; fails the calling test when the file is
// missing or malformed (returns what it could read).
const std::vector<ReferenceDay>& ReferenceDays();

// A date as YYYY-MM-DD, for test messages.
std::string DateText(std::uint16_t year, std::uint16_t month, std::uint16_t day);

// UTF-8 for test messages.
std::string Narrow(const std::u16string& text);

}  // namespace moonfold::testing
