// Small pieces of the command's output: JSON strings, the width of text in
// a terminal, padding and trimming.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace moonfold::cli {

// What follows a time, a lunar date or a day's number that may be a day
// off, decades ahead, as the predicted ΔT falls.
inline constexpr std::string_view kUncertainMark = "?";

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);

// A JSON array of JSON texts, one to a line: "[\n{…},\n{…}\n]\n", or "[]\n".
std::string JsonArray(const std::vector<std::string>& objects);

// Columns a text takes in a terminal: two for East Asian wide characters.
int DisplayWidth(std::u16string_view text);
int DisplayWidth(std::string_view utf8);

// UTF-8 text padded with spaces to `width` columns, on the right or left.
std::string PadRight(const std::string& utf8, int width);
std::string PadLeft(const std::string& utf8, int width);

// `words` after `start` (a heading, padded to `indent` columns, or a line's
// beginning; one that ends in a word takes a gap before the first), joined
// by `gap` and wrapped before `columns` display columns,
// each further line indented `indent`; a word is never cut, and empty words
// are left out.  No newline at the end.
std::string Wrapped(const std::string& start, int indent, const std::vector<std::string>& words,
                    int columns, const std::string& gap);

}  // namespace moonfold::cli
