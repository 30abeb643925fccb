// The stand-in host's configuration file: INI-style sections of
// key=value lines, one section per plug-in instance.
//
//   ; a comment (also # at the start of a line)
//   [Lunar day]
//   Plugin=Moonfold
//   Moonfold=LUNARDAY
//
// UTF-8, with or without a byte-order mark; lines end in LF or CRLF.  Blanks
// around keys and values are dropped; a value written in double quotes keeps
// everything between them ("" is the empty value, " LUNARDAY" keeps its
// blank).  Keys are matched without regard to the case of A to Z; section
// names exactly.  Within a section the first line for a key wins.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dashlight {

struct IniSection {
  std::u16string name;
  std::vector<std::pair<std::u16string, std::u16string>> entries;
};

class IniConfig {
 public:
  // Parses `text`; on failure returns false and sets `error` to a message
  // that names the line.
  static bool Parse(std::string_view text, IniConfig& config, std::string& error);

  const std::vector<IniSection>& Sections() const noexcept { return sections_; }

  // The value of `key` in `section`, or null.
  const std::u16string* Find(std::u16string_view section, std::u16string_view key) const;

 private:
  std::vector<IniSection> sections_;
  // Section name -> index in sections_, so that a file of a million
  // sections loads and is looked up in n log n, not n squared.
  std::map<std::u16string, std::size_t, std::less<>> index_;
};

}  // namespace dashlight
