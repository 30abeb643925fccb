#include "host/ini_config.h"

#include "plugin/keywords.h"
#include "plugin/utf8.h"

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

}  // namespace

bool IniConfig::Parse(std::string_view text, IniConfig& config, std::string& error) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());

  std::vector<IniSection> sections;
  std::map<std::u16string, std::size_t, std::less<>> index;
  std::size_t line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    line = Trim(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    const std::string where = "line " + std::to_string(line_number) + ": ";

    if (line.front() == '[') {
      if (line.back() != ']') {
        error = where + "a section name needs its closing ']'";
        return false;
      }
      std::u16string name = moonfold::Utf16FromUtf8(line.substr(1, line.size() - 2));
      if (!index.try_emplace(name, sections.size()).second) {
        error = where + "section [" + std::string(line.substr(1, line.size() - 2)) +
                "] appears twice";
        return false;
      }
      sections.push_back({std::move(name), {}});
      continue;
    }

    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      error = where + "expected [Section] or Key=Value";
      return false;
    }
    if (sections.empty()) {
      error = where + "Key=Value before the first [Section]";
      return false;
    }
    const std::string_view key = Trim(line.substr(0, equals));
    std::string_view value = Trim(line.substr(equals + 1));
    if (key.empty()) {
      error = where + "a key is missing before '='";
      return false;
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
      value = value.substr(1, value.size() - 2);
    }
    auto& entries = sections.back().entries;
    std::u16string key16 = moonfold::Utf16FromUtf8(key);
    bool seen = false;
    for (const auto& [k, v] : entries) seen = seen || KeysEqual(k, key16);
    if (!seen) entries.emplace_back(std::move(key16), moonfold::Utf16FromUtf8(value));
  }
  config.sections_ = std::move(sections);
  config.index_ = std::move(index);
  error.clear();
  return true;
}

const std::u16string* IniConfig::Find(std::u16string_view section,
                                      std::u16string_view key) const {
  const auto found = index_.find(section);
  if (found == index_.end()) return nullptr;
  for (const auto& [k, v] : sections_[found->second].entries) {
    if (KeysEqual(k, key)) return &v;
  }
  return nullptr;
}

}  // namespace dashlight
