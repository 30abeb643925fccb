// moonfold: see `moonfold --help`.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include "cli/moonfold_command.h"
#include "common/command_line.h"
#include "common/local_clock.h"

namespace {

#if defined(_WIN32)
// The console is told to show UTF-8 while the command runs, and given its
// own code page back when it ends, however it ends.
class ConsoleCodePage {
 public:
  ConsoleCodePage() : saved_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
  ~ConsoleCodePage() {
    if (saved_ != 0) SetConsoleOutputCP(saved_);
  }
  ConsoleCodePage(const ConsoleCodePage&) = delete;
  ConsoleCodePage& operator=(const ConsoleCodePage&) = delete;

 private:
  UINT saved_;
};

// Escape codes reach a Windows console as text unless virtual-terminal
// processing is on; false when it cannot be turned on.
bool EnableEscapeCodes() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (out == INVALID_HANDLE_VALUE || !GetConsoleMode(out, &mode)) return false;
  constexpr DWORD kVirtualTerminalProcessing = 0x0004;
  return (mode & kVirtualTerminalProcessing) != 0 ||
         SetConsoleMode(out, mode | kVirtualTerminalProcessing) != 0;
}

int TerminalColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}
#else
int TerminalColumns() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  const char* columns = std::getenv("COLUMNS");
  return columns != nullptr ? std::atoi(columns) : 0;
}
#endif

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char** argv) {
  moonfold::cli::Environment environment;
#if defined(_WIN32)
  // UTF-8 bytes, as they are.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const ConsoleCodePage code_page;
  environment.output_is_terminal = _isatty(_fileno(stdout)) != 0;
  environment.can_highlight = environment.output_is_terminal && EnableEscapeCodes();
#else
  environment.output_is_terminal = isatty(STDOUT_FILENO) != 0;
#endif
  environment.no_color = Set("NO_COLOR");
  const char* term = std::getenv("TERM");
  environment.dumb_terminal = term != nullptr && std::strcmp(term, "dumb") == 0;
  environment.terminal_columns = environment.output_is_terminal ? TerminalColumns() : 0;
  environment.now = moonfold::ReadSystemLocalClock();
  environment.utc_now =
      std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  try {
    const std::vector<std::string> args = moonfold::Utf8Arguments(argc, argv);
    const moonfold::cli::Result result = moonfold::cli::Run(args, environment);
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    return result.exit_code;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "moonfold: %s\n", e.what());
    return 1;
  }
}
