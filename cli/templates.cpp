#include "cli/templates.h"

#include <cstdio>

#include "cli/options.h"
#include "cli/text_output.h"
#include "common/utf8.h"
#include "input/keywords.h"

namespace moonfold::cli {

Result UnknownKeyword(std::string_view keyword) {
  return Failure(keyword, "not a keyword; the keywords are " + KeywordList());
}

Result Format(const DayFacts& facts, std::string_view templ, Script script, bool json) {
  // The template is copied to the output as it is: text that is not UTF-8
  // would make output that is none either (and JSON that does not parse).
  if (const auto bad = FirstInvalidUtf8(templ)) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(templ[*bad]));
    return Failure("--format", "not UTF-8 text: byte " + std::to_string(*bad + 1) + " (" + byte +
                                   ") begins no character");
  }
  std::string out;
  for (std::size_t i = 0; i < templ.size(); ++i) {
    const char c = templ[i];
    if ((c == '{' || c == '}') && i + 1 < templ.size() && templ[i + 1] == c) {
      out += c;
      ++i;
      continue;
    }
    if (c == '}') return Failure("--format", "a lone } (write }} for a brace)");
    if (c != '{') {
      out += c;
      continue;
    }
    const auto close = templ.find('}', i + 1);
    if (close == std::string_view::npos)
      return Failure("--format", "a { without its } (write {{ for a brace)");
    const std::string_view keyword = templ.substr(i + 1, close - i - 1);
    if (keyword.empty()) {
      return Failure("--format", "{} is an empty placeholder; put a keyword in it, as {LUNARDAY}");
    }
    const std::optional<Field> field = FieldOf(keyword);
    if (!field) return UnknownKeyword(keyword);
    const std::string text = FieldText(*field, facts, script);
    out += json ? JsonString(text).substr(1, JsonString(text).size() - 2) : text;
    i = close;
  }
  return {0, out + "\n", {}};
}

}  // namespace moonfold::cli
