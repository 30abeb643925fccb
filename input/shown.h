// A user's input as a message shows it: a message is one line of text, so
// nothing the user typed may rewrite the terminal (an escape sequence),
// break the line (a newline) or bury it (a 131,000-byte argument).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace moonfold {

// The most characters of an input a message repeats; a longer one is cut
// there and ends in "…".
inline constexpr std::size_t kShownCharacters = 80;

// `input` with every control character written as an escape (\e, \n, \r,
// \t, \a, \b, \f, \v, \\xNN), DEL and the C1 controls too, every byte that
// is no part of well-formed UTF-8 as \xNN, a backslash as \\, and at most
// kShownCharacters characters kept.
std::string Shown(std::string_view input);

}  // namespace moonfold
