// moonfold: see `moonfold --help`.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "cli/moonfold_command.h"
#include "plugin/local_clock.h"
#include "plugin/command_line.h"

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
    const std::vector<std::string> args = moonfold::Utf8Arguments(argc, argv);
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
