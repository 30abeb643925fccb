#include "common/command_line.h"

#if defined(_WIN32)
#include <windows.h>
// shellapi.h needs what windows.h declares first.
#include <shellapi.h>

#include "common/utf8.h"
#endif

namespace moonfold {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#if defined(_WIN32)
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    args.push_back(Utf8FromUtf16(reinterpret_cast<const char16_t*>(wide[i])));
  }
  LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace moonfold
