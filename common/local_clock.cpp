#include "common/local_clock.h"

#include <ctime>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace moonfold {

LocalDateRecord ReadSystemLocalClock() noexcept {
  LocalDateRecord record;
#if defined(_WIN32)
  SYSTEMTIME now;
  GetLocalTime(&now);
  record.year = now.wYear;
  record.month = now.wMonth;
  record.day_of_week = now.wDayOfWeek;
  record.day = now.wDay;
  record.hour = now.wHour;
  record.minute = now.wMinute;
  record.second = now.wSecond;
  record.milliseconds = now.wMilliseconds;
#else
  timespec now{};
  std::timespec_get(&now, TIME_UTC);
  LocalTimeAt(now.tv_sec, record);
  record.milliseconds = static_cast<std::uint16_t>(now.tv_nsec / 1'000'000);
#endif
  return record;
}

bool LocalTimeAt(long long unix_seconds, LocalDateRecord& out) noexcept {
  const auto seconds = static_cast<std::time_t>(unix_seconds);
  std::tm local{};
#if defined(_WIN32)
  if (localtime_s(&local, &seconds) != 0) return false;
#else
  if (localtime_r(&seconds, &local) == nullptr) return false;
#endif
  out = {};
  out.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  out.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  out.day_of_week = static_cast<std::uint16_t>(local.tm_wday);
  out.day = static_cast<std::uint16_t>(local.tm_mday);
  out.hour = static_cast<std::uint16_t>(local.tm_hour);
  out.minute = static_cast<std::uint16_t>(local.tm_min);
  out.second = static_cast<std::uint16_t>(local.tm_sec);
  return true;
}

}  // namespace moonfold
