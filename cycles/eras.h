// The years as people wrote them: the reign year (年号纪年) of a lunar year
// of the Qing calendar, 顺治二年 (lunar 1645) to 宣统三年 (lunar 1911, which
// ran to 1912-02-17), and from 1912 the year of the Republic (民国纪年),
// which counts Gregorian years: 民国元年 is 1912, and Taiwan writes 2026
// as 民国115年.  Numbers here; the names are in texts/.
#pragma once

#include <cstdint>
#include <optional>

#include "cycles/era_data.h"

namespace moonfold {

struct EraYear {
  std::uint8_t era = 0;  // kReignEras' row, or kRepublicEra
  int year = 0;          // 1 for 元年
  friend constexpr bool operator==(const EraYear&, const EraYear&) = default;
};

// The reign year of a lunar year of the Qing calendar; nothing from lunar
// 1912 on, or before the first era.
constexpr std::optional<EraYear> ReignYearOf(int lunar_year) noexcept {
  for (std::size_t i = 0; i < kReignEras.size(); ++i) {
    const EraSpan span = kReignEras[i];
    if (lunar_year >= span.first && lunar_year <= span.last) {
      return EraYear{static_cast<std::uint8_t>(i), lunar_year - span.first + 1};
    }
  }
  return std::nullopt;
}

// The Republic's year of a Gregorian year, from 1912.
constexpr std::optional<EraYear> RepublicYearOf(int gregorian_year) noexcept {
  if (gregorian_year < kFirstRepublicYear) return std::nullopt;
  return EraYear{static_cast<std::uint8_t>(kRepublicEra), gregorian_year - kFirstRepublicYear + 1};
}

// The year an era's year counts as: the lunar year of a reign year, the
// Gregorian year of a Republic's year; nothing for a year the era did not
// have (its years are kReignEras' span, the Republic's have no end).
constexpr std::optional<int> YearOfEra(EraYear y) noexcept {
  if (y.year < 1) return std::nullopt;
  if (y.era == kRepublicEra) return kFirstRepublicYear + y.year - 1;
  if (y.era >= kReignEras.size()) return std::nullopt;
  const EraSpan span = kReignEras[y.era];
  if (y.year > span.last - span.first + 1) return std::nullopt;
  return span.first + y.year - 1;
}

static_assert(ReignYearOf(1900) == EraYear{8, 26});  // 光绪二十六年
static_assert(ReignYearOf(1911) == EraYear{9, 3} && !ReignYearOf(1912));
static_assert(RepublicYearOf(2026) == EraYear{kRepublicEra, 115} && !RepublicYearOf(1911));
static_assert(YearOfEra({8, 34}) == 1908 && !YearOfEra({8, 35}));

}  // namespace moonfold
