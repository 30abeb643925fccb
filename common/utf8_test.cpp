#include "common/utf8.h"

#include <gtest/gtest.h>

namespace moonfold {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const std::u16string text = u"Moonfold 初二 闰冬 \U0001F319 €";
  EXPECT_EQ(Utf8FromUtf16(text), "Moonfold 初二 闰冬 \xF0\x9F\x8C\x99 \xE2\x82\xAC");
  EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(text)), text);
}

TEST(Utf8, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone_high{u'a', char16_t{0xD800}, u'b'};
  const std::u16string lone_low{char16_t{0xDC00}};
  const std::u16string reversed{char16_t{0xDC00}, char16_t{0xD800}};
  EXPECT_EQ(Utf8FromUtf16(lone_high),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf8FromUtf16(lone_low), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8FromUtf16(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  constexpr struct {
    std::string_view bytes;
    std::u16string_view text;
  } kCases[]{
      {"\xFF", u"\uFFFD"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong '/'
      {"\xE4\xBA", u"\uFFFD\uFFFD"},            // cut short
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"a\x80"
       "b",
       u"a\uFFFDb"},
  };
  for (const auto& c : kCases) EXPECT_EQ(Utf16FromUtf8(c.bytes), c.text);
}

}  // namespace
}  // namespace moonfold
