#include "boundary.h"

#include <algorithm>
#include <cstring>

namespace moonfold::boundary {

using namespace std::chrono;

int DayOf(int y, int m, int d, sys_days& out) noexcept {
  if (m < 1 || m > 12 || d < 1 || d > 31) return MOONFOLD_ERROR_DATE;
  // std::chrono::year holds -32767 .. 32767: a larger year would wrap, so
  // the range is checked on the int first.
  if (!InCalendarYears(y)) return MOONFOLD_ERROR_RANGE;
  const year_month_day date{year{y}, month{static_cast<unsigned>(m)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok()) return MOONFOLD_ERROR_DATE;
  out = sys_days{date};
  return InCalendarRange(out) ? MOONFOLD_OK : MOONFOLD_ERROR_RANGE;
}

int MomentOf(int y, int m, int d, int hour, int minute, BeijingTime& out) noexcept {
  sys_days day;
  if (const int status = DayOf(y, m, d, day); status != MOONFOLD_OK) return status;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return MOONFOLD_ERROR_TIME;
  out = local_days{day.time_since_epoch()} + hours{hour} + minutes{minute};
  return MOONFOLD_OK;
}

Arrangement ArrangementOf(const moonfold_arrangement_t* arrangement) noexcept {
  return arrangement == nullptr ? kBuiltInArrangement : arrangement->owned.View();
}

int WriteText(std::string_view text, char* buffer, std::size_t size) noexcept {
  if (buffer == nullptr && size > 0) return MOONFOLD_ERROR_NULL;
  if (size > 0) {
    std::size_t n = std::min(text.size(), size - 1);
    // Back to the start of the character the cut would split: a
    // continuation byte is 10xxxxxx.
    if (n < text.size()) {
      while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
    }
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
}

moonfold_date DateOf(year_month_day date) noexcept {
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day()))};
}

moonfold_moment MomentOf(BeijingTime time) noexcept {
  const local_days day = floor<days>(time);
  const moonfold_date date = DateOf(year_month_day{sys_days{day.time_since_epoch()}});
  const hh_mm_ss clock{time - day};
  return {date.year, date.month, date.day, static_cast<int>(clock.hours().count()),
          static_cast<int>(clock.minutes().count())};
}

int MinuteOf(TermMinute minute) noexcept {
  switch (minute) {
    case TermMinute::kIssued: return MOONFOLD_MINUTE_ISSUED;
    case TermMinute::kReckoned: return MOONFOLD_MINUTE_RECKONED;
    case TermMinute::kDayOnly: return MOONFOLD_MINUTE_NONE;
  }
  return MOONFOLD_MINUTE_ISSUED;
}

moonfold_lunar_date LunarOf(const LunarDate& date) noexcept {
  return {date.year, static_cast<int>(date.month), static_cast<int>(date.day), date.leap ? 1 : 0};
}

int CopySized(const void* from, std::size_t full, void* to, std::size_t size,
              std::size_t first) noexcept {
  if (size < first) return MOONFOLD_ERROR_SIZE;
  // The size member itself stays the caller's.
  const std::size_t n = std::min(size, full);
  std::memcpy(static_cast<char*>(to) + sizeof(std::size_t),
              static_cast<const char*>(from) + sizeof(std::size_t), n - sizeof(std::size_t));
  return MOONFOLD_OK;
}

}  // namespace moonfold::boundary
