// Small pieces of the command's output: JSON strings, the width of text in
// a terminal, padding and trimming.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace moonfold::cli {

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

// Without leading and trailing blanks.
std::u16string_view TrimBlanks(std::u16string_view text);

}  // namespace moonfold::cli
