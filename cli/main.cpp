// moonfold: see `moonfold --help`.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "cli/moonfold_command.h"
#include "plugin/local_clock.h"
#include "plugin/utf8.h"

namespace {

// The arguments as UTF-8.  Windows hands main() its arguments in the ANSI
// code page, which cannot hold 月; the wide command line can.
std::vector<std::string> Arguments(int argc, char** argv) {
#if defined(_WIN32)
  (void)argc;
  (void)argv;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    args.push_back(moonfold::Utf8FromUtf16(reinterpret_cast<const char16_t*>(wide[i])));
  }
  LocalFree(wide);
  return args;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  // UTF-8 bytes, as they are; a console is told to show them as UTF-8.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  SetConsoleOutputCP(CP_UTF8);
  const bool terminal = _isatty(_fileno(stdout)) != 0;
#else
  const bool terminal = isatty(STDOUT_FILENO) != 0;
#endif
  try {
    const std::vector<std::string> args = Arguments(argc, argv);
    const moonfold::cli::Result result =
        moonfold::cli::Run(args, {moonfold::ReadSystemLocalClock(), terminal});
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.exit_code;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "moonfold: %s\n", e.what());
    return 1;
  }
}
