// What the tests of the C interface share: the range as the library gives
// it, dates between the C and chrono types, and a UTF-8 check.
#pragma once

#include <chrono>
#include <string_view>

#include "moonfold/moonfold.h"

namespace moonfold::test {

inline std::chrono::sys_days DayOf(const moonfold_date& d) {
  using namespace std::chrono;
  return sys_days{year{d.year} / month{static_cast<unsigned>(d.month)} /
                  day{static_cast<unsigned>(d.day)}};
}

inline moonfold_date DateOf(std::chrono::sys_days day) {
  const std::chrono::year_month_day d{day};
  return {static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
          static_cast<int>(static_cast<unsigned>(d.day()))};
}

inline std::chrono::sys_days FirstDay() {
  moonfold_date first{}, last{};
  moonfold_range(&first, &last);
  return DayOf(first);
}

inline std::chrono::sys_days LastDay() {
  moonfold_date first{}, last{};
  moonfold_range(&first, &last);
  return DayOf(last);
}

// Whether `text` is well-formed UTF-8: no stray continuation byte, no
// sequence cut short.
inline bool ValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80   ? 1
                               : byte < 0xC2 ? 0
                               : byte < 0xE0 ? 2
                               : byte < 0xF0 ? 3
                               : byte < 0xF5 ? 4
                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace moonfold::test
