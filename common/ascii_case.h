// Case-insensitive matching of ASCII words (keywords, option values) that
// gives the same answer on every platform and in every locale: only the
// letters a to z are folded, every other UTF-16 unit stands as it is.
#pragma once

#include <string_view>

namespace moonfold {

constexpr char16_t FoldAsciiCase(char16_t c) noexcept {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// True when the two texts are equal as a whole, the case of the letters A
// to Z aside.  Nothing is trimmed.
constexpr bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
  }
  return true;
}

// The same for a NUL-terminated text, read no further than the word's
// length and one unit more (an option value may be very long).
constexpr bool EqualsIgnoringAsciiCase(std::u16string_view word, const char16_t* text) noexcept {
  std::size_t i = 0;
  for (; i < word.size(); ++i) {
    if (text[i] == u'\0' || FoldAsciiCase(text[i]) != FoldAsciiCase(word[i])) return false;
  }
  return text[i] == u'\0';
}

static_assert(EqualsIgnoringAsciiCase(u"LunarDay", u"LUNARDAY"));
static_assert(!EqualsIgnoringAsciiCase(u"LUNARDAY", u" LUNARDAY"));
static_assert(!EqualsIgnoringAsciiCase(u"LUNARDAY", u"LUNARDAYS"));
// No fold beyond ASCII: the full-width Ｌ is not L.
static_assert(!EqualsIgnoringAsciiCase(u"L", u"\uFF2C"));

}  // namespace moonfold
