// What the command's tests share: running the command as a process, and
// the texts they compare its output with.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "cli/icalendar.h"
#include "cli/moonfold_command.h"
#include "cli/text_output.h"
#include "cli/text_stream.h"
#include "common/utf8.h"
#include "lunar/lunar_calendar.h"
#include "tests/support/reference_data.h"
#include "tests/support/season_scan.h"
#include "texts/kinds.h"

// GCC names AddressSanitizer with a macro, clang with a feature test.
#if defined(__SANITIZE_ADDRESS__)
#define MOONFOLD_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MOONFOLD_UNDER_ASAN 1
#endif
#endif

namespace moonfold::cli {

using namespace std::string_literals;
struct Output {
  int status;
  std::string out;
};

// Runs a shell command line and reads its standard output.
inline Output RunShell(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string out;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Runs the command with a shell-quoted argument string; standard error is
// folded into the output after standard output when `with_stderr`.
inline Output RunCommand(const std::string& args, bool with_stderr = false) {
  return RunShell(std::string(MOONFOLD_COMMAND) + " " + args +
                  (with_stderr ? " 2>&1" : " 2>/dev/null"));
}

// DATE, then every kind of text in the order of the table.
inline std::vector<std::string> Keywords() {
  std::vector<std::string> keywords{"DATE"};
  for (const TextKindRow& row : kTextKinds) keywords.push_back(Utf8FromUtf16(row.keyword));
  return keywords;
}

inline std::string Joined(const std::vector<std::string>& words, const std::string& separator) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

inline std::string FileText(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

inline Environment At(int y, unsigned m, unsigned d, bool terminal = true, int columns = 0) {
  Environment e;
  e.now.year = static_cast<std::uint16_t>(y);
  e.now.month = static_cast<std::uint16_t>(m);
  e.now.day = static_cast<std::uint16_t>(d);
  e.output_is_terminal = terminal;
  e.terminal_columns = columns;
  return e;
}

inline std::chrono::year_month_day ParseIso(const std::string& text) {
  return std::chrono::year{std::stoi(text.substr(0, 4))} /
         static_cast<unsigned>(std::stoi(text.substr(5, 2))) /
         static_cast<unsigned>(std::stoi(text.substr(8, 2)));
}

// The members of one line of a JSON array that the command prints, an
// object a line: "key":value pairs, strings unescaped (none of these hold
// a quote).
inline std::map<std::string, std::string> JsonMembers(const std::string& line) {
  std::map<std::string, std::string> members;
  std::size_t at = 1;
  while (at < line.size() && line[at] == '"') {
    const auto key_end = line.find('"', at + 1);
    std::string key = line.substr(at + 1, key_end - at - 1);
    std::size_t value_start = key_end + 2, value_end;
    if (line[value_start] == '"') {
      value_end = line.find('"', value_start + 1) + 1;
      members[key] = line.substr(value_start + 1, value_end - value_start - 2);
    } else {
      value_end = line.find_first_of(",}", value_start);
      members[key] = line.substr(value_start, value_end - value_start);
    }
    at = value_end + 1;
  }
  return members;
}

inline std::vector<std::map<std::string, std::string>> JsonLines(const std::string& text) {
  std::vector<std::map<std::string, std::string>> objects;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line[0] == '{') objects.push_back(JsonMembers(line));
  }
  return objects;
}

}  // namespace moonfold::cli
