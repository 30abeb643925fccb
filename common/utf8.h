// UTF-16 <-> UTF-8 for the edges that speak UTF-8: standard error on Linux,
// the host's configuration files and its output.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace moonfold {

// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

// Malformed sequences become U+FFFD, one per offending byte.
std::u16string Utf16FromUtf8(std::string_view text);

// The offset of the first byte that begins no well-formed UTF-8
// character, or nothing for UTF-8 text.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text);

}  // namespace moonfold
