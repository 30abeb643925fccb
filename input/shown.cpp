#include "input/shown.h"

#include <cstdio>

namespace moonfold {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `s`, or 0:
// no overlong forms, no surrogates, nothing past U+10FFFF.
std::size_t SequenceLength(std::string_view s) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b = at(0);
  if (b < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() < n || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if (at(i) < 0x80 || at(i) > 0xBF) return 0;
  }
  return n;
}

std::string Hex(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

std::string Escaped(unsigned char byte) {
  switch (byte) {
    case 0x1B: return "\\e";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    case '\a': return "\\a";
    case '\b': return "\\b";
    case '\f': return "\\f";
    case '\v': return "\\v";
    case '\\': return "\\\\";
    default: return Hex(byte);
  }
}

}  // namespace

std::string Shown(std::string_view input) {
  std::string out;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < input.size(); ++characters) {
    if (characters == kShownCharacters) return out + "…";
    const std::size_t n = SequenceLength(input.substr(i));
    const auto byte = static_cast<unsigned char>(input[i]);
    // U+0080 .. U+009F, the C1 controls, are C2 80 .. C2 9F.
    const bool c1 = n == 2 && byte == 0xC2 && static_cast<unsigned char>(input[i + 1]) < 0xA0;
    if (n == 0 || byte < 0x20 || byte == 0x7F || byte == '\\') {
      out += Escaped(byte);
      ++i;
    } else if (c1) {
      out += Hex(byte) + Hex(static_cast<unsigned char>(input[i + 1]));
      i += 2;
    } else {
      out.append(input, i, n);
      i += n;
    }
  }
  return out;
}

}  // namespace moonfold
