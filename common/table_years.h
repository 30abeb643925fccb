// The Gregorian years the calendar's tables are compiled for.  Every
// program carries the whole range, except the Dashlight plug-in: it
// answers for its own years alone (common/plugin_years.h), and its DLL,
// copied around on its own, carries the terms and phases of the moon of
// those years and one either side — the year before for what counts from
// the last 冬至 (the nines, the first pentads), the year after for what
// counts to the next festival or term.  Its objects, the core's among
// them, are compiled apart with MOONFOLD_PLUGIN_TABLES, and no other
// program links them.
#pragma once

#include <array>
#include <cstddef>

#include "common/plugin_years.h"

namespace moonfold {

#ifdef MOONFOLD_PLUGIN_TABLES
inline constexpr int kFirstTableYear = kFirstPluginYear - 1;
inline constexpr int kLastTableYear = kLastPluginYear + 1;
#else
// No bound: the tables' own years.
inline constexpr int kFirstTableYear = 0;
inline constexpr int kLastTableYear = 9999;
#endif

// The rows First .. First + Count - 1 of a generated table: those of the
// years compiled in.  The whole table is read only while compiling; the
// slice is what a program carries.
template <std::size_t First, std::size_t Count, typename T, std::size_t N>
constexpr std::array<T, Count> TableSlice(const std::array<T, N>& table) noexcept {
  static_assert(First + Count <= N);
  std::array<T, Count> rows{};
  for (std::size_t i = 0; i < Count; ++i) rows[i] = table[First + i];
  return rows;
}

}  // namespace moonfold
