#include "tests/support/reference_data.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>

#include "plugin/utf8.h"

namespace moonfold::testing {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

std::uint16_t Number(std::string_view text) {
  return static_cast<std::uint16_t>(std::stoi(std::string(text)));
}

std::vector<ReferenceDay> Load() {
  const std::string path = std::string(MOONFOLD_TEST_DATA_DIR) + "/calendar_reference.tsv";
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  std::string contents;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  std::fclose(file);

  std::vector<ReferenceDay> days;
  std::string_view rest(contents);
  while (!rest.empty()) {
    const auto end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty() || line.front() == '#') continue;
    const auto f = SplitTabs(line);
    if (f.size() != 7 || f[0].size() != 10) {
      ADD_FAILURE() << "malformed reference line: " << line;
      continue;
    }
    days.push_back({Number(f[0].substr(0, 4)), Number(f[0].substr(5, 2)),
                    Number(f[0].substr(8, 2)), Number(f[1]), Number(f[2]), Number(f[3]),
                    Number(f[4]), f[5] == "-" ? u"" : Utf16FromUtf8(f[5]),
                    Utf16FromUtf8(f[6])});
  }
  return days;
}

}  // namespace

const std::vector<ReferenceDay>& ReferenceDays() {
  static const std::vector<ReferenceDay> days = Load();
  return days;
}

std::string DateText(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", static_cast<unsigned>(year),
                static_cast<unsigned>(month), static_cast<unsigned>(day));
  return text;
}

std::string Narrow(const std::u16string& text) { return Utf8FromUtf16(text); }

}  // namespace moonfold::testing
