// moonfold: see `moonfold --help`.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
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
#include "cli/text_stream.h"
#include "common/command_line.h"
#include "common/local_clock.h"
#include "input/text_file.h"

namespace {

#if defined(_WIN32)
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

int TerminalSize() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

// Standard output or error when it is a console: UTF-16 through
// WriteConsoleW.
class ConsoleStream final : public moonfold::cli::TextStream {
 public:
  explicit ConsoleStream(HANDLE handle) : handle_(handle) {}
  static bool IsConsoleHandle(HANDLE handle) {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
  }
  bool IsConsole() const override { return true; }
  bool WriteUtf16(std::u16string_view text) override {
    DWORD written = 0;
    if (WriteConsoleW(handle_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
      return true;
    }
    error_ = GetLastError();
    return false;
  }
  bool WriteBytes(std::string_view) override { return false; }
  bool Flush() override { return true; }
  std::string Reason() const override {
    return "the console refused the text (error " + std::to_string(error_) + ")";
  }

 private:
  HANDLE handle_;
  DWORD error_ = 0;
};
#else
int TerminalSize() {
  winsize size{};
  return ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}
#endif

// The columns the output may take: COLUMNS, else the terminal's own width,
// else 80 (a file or a pipe).
int OutputColumns(bool terminal) {
  if (const char* columns = std::getenv("COLUMNS"); columns != nullptr && std::atoi(columns) > 0) {
    return std::atoi(columns);
  }
  const int size = terminal ? TerminalSize() : 0;
  return size > 0 ? size : 80;
}

// Standard output or error as bytes, with the C library's reason for a
// failed write (a full disk: No space left on device).
class FileStream final : public moonfold::cli::TextStream {
 public:
  explicit FileStream(std::FILE* file) : file_(file) {}
  bool IsConsole() const override { return false; }
  bool WriteUtf16(std::u16string_view) override { return false; }
  bool WriteBytes(std::string_view bytes) override {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size()) return true;
    error_ = errno;
    return false;
  }
  bool Flush() override {
    if (std::fflush(file_) == 0 && !std::ferror(file_)) return true;
    error_ = errno;
    return false;
  }
  std::string Reason() const override { return std::strerror(error_); }

 private:
  std::FILE* file_;
  int error_ = 0;
};

// Writes a result's text to one of the standard streams.
std::optional<std::string> WriteTo(std::FILE* file, [[maybe_unused]] int which,
                                   const std::string& utf8) {
#if defined(_WIN32)
  const HANDLE handle = GetStdHandle(which == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  if (ConsoleStream::IsConsoleHandle(handle)) {
    std::fflush(file);
    ConsoleStream console(handle);
    return moonfold::cli::WriteText(console, utf8);
  }
#endif
  FileStream stream(file);
  return moonfold::cli::WriteText(stream, utf8);
}

// The user's holiday file in the configuration folder, when there is one:
// $XDG_CONFIG_HOME/moonfold/holidays.tsv, else ~/.config/moonfold/holidays.tsv.
std::optional<std::string> ConfigHolidaysFile() {
  std::string folder;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
    folder = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return std::nullopt;
  }
  const std::string path = folder + "/moonfold/holidays.tsv";
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::fclose(file);
  return path;
}

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
  environment.output_is_terminal = _isatty(_fileno(stdout)) != 0;
  environment.can_highlight = environment.output_is_terminal && EnableEscapeCodes();
#else
  environment.output_is_terminal = isatty(STDOUT_FILENO) != 0;
#endif
  environment.no_color = Set("NO_COLOR");
  const char* term = std::getenv("TERM");
  environment.dumb_terminal = term != nullptr && std::strcmp(term, "dumb") == 0;
  environment.terminal_columns = OutputColumns(environment.output_is_terminal);
  environment.now = moonfold::ReadSystemLocalClock();
  environment.utc_now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  environment.read_file = [](const std::string& path) { return moonfold::ReadTextFile(path); };
  environment.local_time_at =
      [](std::chrono::sys_seconds at) -> std::optional<moonfold::LocalDateRecord> {
    moonfold::LocalDateRecord local;
    if (!moonfold::LocalTimeAt(at.time_since_epoch().count(), local)) return std::nullopt;
    return local;
  };
  if (const char* file = std::getenv("MOONFOLD_HOLIDAYS"); file != nullptr && *file != '\0') {
    environment.holidays_variable = file;
  }
  environment.holidays_default = ConfigHolidaysFile();
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
      environment.locale = value;
      break;
    }
  }
  try {
    const std::vector<std::string> args = moonfold::Utf8Arguments(argc, argv);
    const moonfold::cli::Result result = moonfold::cli::Run(args, environment);
    if (const auto why = WriteTo(stdout, 1, result.out)) {
      // Nothing is lost quietly: a calendar file cut short by a full disk
      // must not look written.
      WriteTo(stderr, 2, "moonfold: cannot write the output — " + *why + "\n");
      return moonfold::cli::kExitOutputFailed;
    }
    WriteTo(stderr, 2, result.err);
    return result.exit_code;
  } catch (const std::bad_alloc&) {
    std::fputs("moonfold: internal failure — out of memory; no answer was given\n", stderr);
    return moonfold::cli::kExitInternalFailure;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "moonfold: internal failure — %s; no answer was given\n", e.what());
    return moonfold::cli::kExitInternalFailure;
  } catch (...) {
    std::fputs("moonfold: internal failure; no answer was given\n", stderr);
    return moonfold::cli::kExitInternalFailure;
  }
}
