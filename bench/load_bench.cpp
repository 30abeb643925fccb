// load_bench: what a host pays to load Moonfold.dll and set up its first
// instance, beside a DLL that does nothing.  Each round loads the DLL,
// resolves Initialize and GetString, sets up one LUNARDAY instance, reads
// its text and unloads the DLL; the median of the rounds is printed.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/dashlight.h"

namespace {

using InitializeFn = std::uint32_t(__cdecl*)(void*, void*, const wchar_t*, std::uint32_t);
using GetStringFn = const wchar_t*(__cdecl*)(std::uint32_t);

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median microseconds of one load-and-first-Initialize, or a negative value.
double MedianMicroseconds(const wchar_t* dll, int rounds) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    HMODULE module = LoadLibraryW(dll);
    if (module == nullptr) return -1;
    auto initialize = reinterpret_cast<InitializeFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "Initialize")));
    auto get_string =
        reinterpret_cast<GetStringFn>(reinterpret_cast<void*>(GetProcAddress(module, "GetString")));
    if (initialize == nullptr || get_string == nullptr) return -1;
    initialize(nullptr, nullptr, L"Bench", 1);
    if (get_string(1) == nullptr) return -1;
    FreeLibrary(module);
    QueryPerformanceCounter(&end);
    times.push_back(Seconds(start, end) * 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  // The host's configuration gives the instance a keyword, so that no
  // message box is shown.
  if (DashlightLoadConfigText("[Bench]\nMoonfold=LUNARDAY\n") != 1) {
    std::fprintf(stderr, "load_bench: %s\n", DashlightLastError());
    return 1;
  }
  constexpr int kRounds = 200;
  const double moonfold = MedianMicroseconds(L"Moonfold.dll", kRounds);
  const double null_plugin = MedianMicroseconds(L"NullPlugin.dll", kRounds);
  if (moonfold < 0 || null_plugin < 0) {
    std::fprintf(stderr, "load_bench: a DLL would not load or set up an instance\n");
    return 1;
  }
  std::printf("load + first Initialize + unload, median of %d rounds:\n", kRounds);
  std::printf("  Moonfold.dll    %8.1f us\n", moonfold);
  std::printf("  NullPlugin.dll  %8.1f us (a DLL that does nothing)\n", null_plugin);
  return 0;
}
