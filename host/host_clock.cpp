#include "host/host_clock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#if defined(_WIN32)
#include <windows.h>

#include "host/import_patch.h"
#endif

namespace dashlight {
namespace {

using namespace std::chrono;

bool g_running = false;
sys_seconds g_now{};

bool ParseNumber(const std::string& text, std::size_t at, std::size_t digits, int& value) {
  value = 0;
  for (std::size_t i = at; i < at + digits; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

#if defined(_WIN32)
void WINAPI OwnGetLocalTime(SYSTEMTIME* now) {
  const sys_days day = floor<days>(g_now);
  const year_month_day date{day};
  const hh_mm_ss time{g_now - day};
  now->wYear = static_cast<WORD>(static_cast<int>(date.year()));
  now->wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  now->wDayOfWeek = static_cast<WORD>(weekday{day}.c_encoding());
  now->wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  now->wHour = static_cast<WORD>(time.hours().count());
  now->wMinute = static_cast<WORD>(time.minutes().count());
  now->wSecond = static_cast<WORD>(time.seconds().count());
  now->wMilliseconds = 0;
}
#endif

}  // namespace

bool StartOwnClock(const std::string& start) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  const bool with_seconds = start.size() == 19;
  if ((start.size() != 16 && !with_seconds) || start[4] != '-' || start[7] != '-' ||
      start[10] != 'T' || start[13] != ':' || (with_seconds && start[16] != ':') ||
      !ParseNumber(start, 0, 4, y) || !ParseNumber(start, 5, 2, mo) ||
      !ParseNumber(start, 8, 2, d) || !ParseNumber(start, 11, 2, h) ||
      !ParseNumber(start, 14, 2, mi) || (with_seconds && !ParseNumber(start, 17, 2, s))) {
    return false;
  }
  const year_month_day date{year{y}, month{static_cast<unsigned>(mo)},
                            day{static_cast<unsigned>(d)}};
  if (!date.ok() || h > 23 || mi > 59 || s > 59) return false;
  g_now = sys_days{date} + hours{h} + minutes{mi} + seconds{s};
  g_running = true;
#if !defined(_WIN32)
  // The plug-in turns the seconds into local time: make local time UTC.
  setenv("TZ", "UTC", 1);
  tzset();
#endif
  return true;
}

bool OwnClockRunning() noexcept { return g_running; }

void AdvanceOwnClock(long long seconds_to_add) noexcept { g_now += seconds{seconds_to_add}; }

long long OwnClockSeconds() noexcept { return g_now.time_since_epoch().count(); }

bool GiveOwnClock([[maybe_unused]] void* module) {
#if defined(_WIN32)
  return PatchImport(static_cast<HMODULE>(module), "KERNEL32.dll", "GetLocalTime",
                     reinterpret_cast<void*>(&OwnGetLocalTime)) != nullptr;
#else
  return true;  // the dashlight program's timespec_get answers for the C library
#endif
}

std::string LocalTimeText() {
  int y, mo, d, h, mi, s;
#if defined(_WIN32)
  SYSTEMTIME now;
  if (g_running) {
    OwnGetLocalTime(&now);
  } else {
    GetLocalTime(&now);
  }
  y = now.wYear, mo = now.wMonth, d = now.wDay, h = now.wHour, mi = now.wMinute, s = now.wSecond;
#else
  const std::time_t t =
      g_running ? static_cast<std::time_t>(OwnClockSeconds()) : std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  y = local.tm_year + 1900, mo = local.tm_mon + 1, d = local.tm_mday;
  h = local.tm_hour, mi = local.tm_min, s = local.tm_sec;
#endif
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
  return text;
}

}  // namespace dashlight
