#include "cli/text_output.h"

#include <algorithm>
#include <cstdio>

#include "common/utf8.h"

namespace moonfold::cli {

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonArray(const std::vector<std::string>& objects) {
  std::string out = "[";
  for (std::size_t i = 0; i < objects.size(); ++i) out += (i == 0 ? "\n" : ",\n") + objects[i];
  return out + (objects.empty() ? "]\n" : "\n]\n");
}

int DisplayWidth(std::u16string_view text) {
  int width = 0;
  for (const char16_t c : text) {
    if (c >= 0xDC00 && c <= 0xDFFF) continue;  // second half of a pair
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xD800 && c <= 0xDBFF);
    width += wide ? 2 : 1;
  }
  return width;
}

int DisplayWidth(std::string_view utf8) { return DisplayWidth(Utf16FromUtf8(utf8)); }

std::string PadRight(const std::string& utf8, int width) {
  return utf8 + std::string(static_cast<std::size_t>(std::max(0, width - DisplayWidth(utf8))), ' ');
}

std::string PadLeft(const std::string& utf8, int width) {
  return std::string(static_cast<std::size_t>(std::max(0, width - DisplayWidth(utf8))), ' ') + utf8;
}

std::string Wrapped(const std::string& start, int indent, const std::vector<std::string>& words,
                    int columns, const std::string& gap) {
  std::string out = PadRight(start, indent);
  int width = std::max(indent, DisplayWidth(start));
  // A start that ends in a word (not in its padding) takes a gap before the next.
  bool first = out.empty() || out.back() == ' ';
  for (const std::string& word : words) {
    if (word.empty()) continue;
    const int w = DisplayWidth(word);
    if (!first && width + DisplayWidth(gap) + w > columns) {
      out += "\n" + std::string(static_cast<std::size_t>(indent), ' ');
      width = indent;
      first = true;
    }
    if (!first) out += gap, width += DisplayWidth(gap);
    out += word;
    width += w;
    first = false;
  }
  return out;
}

}  // namespace moonfold::cli
