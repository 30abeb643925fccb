#include "host/ini_config.h"

#include <optional>

#include "common/ascii_case.h"
#include "common/utf8.h"

namespace dashlight {
namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool KeysEqual(std::u16string_view a, std::u16string_view b) {
  return moonfold::EqualsIgnoringAsciiCase(a, b);
}

// The sections read so far, and the reading of one line into them.  Each
// step gives the reason when the line is refused.
struct Reader {
  std::vector<IniSection> sections;
  std::map<std::u16string, std::size_t, std::less<>> index;

  // "[Name]": a new section, under a name no other has.
  std::optional<std::string> Section(std::string_view line) {
    const auto close = line.find(']');
    if (close == std::string_view::npos) return "a section name needs its closing ']'";
    if (close + 1 != line.size()) return "text after the closing ']' of the section name";
    const std::string_view name8 = line.substr(1, close - 1);
    std::u16string name = moonfold::Utf16FromUtf8(name8);
    if (!index.try_emplace(name, sections.size()).second) {
      return "section [" + std::string(name8) + "] appears twice";
    }
    sections.push_back({std::move(name), {}});
    return std::nullopt;
  }

  // "Key=Value" in the latest section; the first line for a key wins.
  std::optional<std::string> Entry(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return "expected [Section] or Key=Value";
    if (sections.empty()) return "Key=Value before the first [Section]";
    const std::string_view key = Trim(line.substr(0, equals));
    std::string_view value = Trim(line.substr(equals + 1));
    if (key.empty()) return "a key is missing before '='";
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    auto& entries = sections.back().entries;
    std::u16string key16 = moonfold::Utf16FromUtf8(key);
    bool seen = false;
    for (const auto& [k, v] : entries) seen = seen || KeysEqual(k, key16);
    if (!seen) entries.emplace_back(std::move(key16), moonfold::Utf16FromUtf8(value));
    return std::nullopt;
  }
};

}  // namespace

bool IniConfig::Parse(std::string_view text, IniConfig& config, std::string& error) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

  Reader reader;
  std::size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    // A UTF-16 file (Notepad's "Unicode") reads as bytes with NULs between.
    const bool utf16 = line.find('\0') != std::string_view::npos ||
                       line.substr(0, 2) == "\xFF\xFE" || line.substr(0, 2) == "\xFE\xFF";
    std::optional<std::string> refused;
    if (utf16) {
      refused = "the file is UTF-16; save it as UTF-8";
    } else if (moonfold::Utf8FromUtf16(moonfold::Utf16FromUtf8(line)) != line) {
      refused = "not UTF-8 text; save the file as UTF-8";
    }
    line = Trim(line);
    if (!refused && (line.empty() || line.front() == ';' || line.front() == '#')) continue;
    if (!refused) refused = line.front() == '[' ? reader.Section(line) : reader.Entry(line);
    if (refused) {
      error = "line " + std::to_string(line_number) + ": " + *refused;
      return false;
    }
  }
  config.sections_ = std::move(reader.sections);
  config.index_ = std::move(reader.index);
  error.clear();
  return true;
}

const std::u16string* IniConfig::Find(std::u16string_view section, std::u16string_view key) const {
  const auto found = index_.find(section);
  if (found == index_.end()) return nullptr;
  for (const auto& [k, v] : sections_[found->second].entries) {
    if (KeysEqual(k, key)) return &v;
  }
  return nullptr;
}

}  // namespace dashlight
