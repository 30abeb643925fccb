// The fourteen keywords of the "Moonfold" option, each naming one text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace moonfold {

// Also the index of the kind's slot among the stored texts.
enum class InstanceKind : std::int32_t {
  kLunarDay = 0,
  kLunarMonth = 1,
  kWeekday = 2,
  kYearStemBranch = 3,
  kMonthStemBranch = 4,
  kDayStemBranch = 5,
  kHourBranch = 6,
  kSolarTerm = 7,
  kConstellation = 8,
  kFixedDateFestivals = 9,
  kWeekdayRuleFestivals = 10,
  kLastWeekFestivals = 11,
  kLunarFestivals = 12,
  kZodiacAnimal = 13,
};

inline constexpr std::size_t kInstanceKindCount = 14;

// In kind order.
inline constexpr std::array<std::u16string_view, kInstanceKindCount> InstanceKeywords{
    u"LUNARDAY", u"LUNARMONTH",    u"WEEKDAY", u"HEYEAR",   u"HEMONTH",
    u"HEDAY",    u"HEHOUR",        u"SOLAR",   u"CONSTELLATION", u"FEASTS",
    u"FWEEKDAY", u"FLASTWEEK",     u"FLUNARS", u"TWELVEANIMALS"};

// The letters a to z as A to Z; every other unit as it is, so that a
// comparison gives the same result on every platform and in every locale.
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

// The same for a NUL-terminated text, read no further than the keyword's
// length and one unit more (an option value may be very long).
constexpr bool EqualsIgnoringAsciiCase(std::u16string_view keyword,
                                       const char16_t* text) noexcept {
  std::size_t i = 0;
  for (; i < keyword.size(); ++i) {
    if (text[i] == u'\0' || FoldAsciiCase(text[i]) != FoldAsciiCase(keyword[i])) return false;
  }
  return text[i] == u'\0';
}

// The kind whose keyword the option value names, if any.
constexpr std::optional<InstanceKind> KindOfKeyword(const char16_t* value) noexcept {
  for (std::size_t k = 0; k < InstanceKeywords.size(); ++k) {
    if (EqualsIgnoringAsciiCase(InstanceKeywords[k], value)) {
      return static_cast<InstanceKind>(k);
    }
  }
  return std::nullopt;
}

static_assert(KindOfKeyword(u"lunarDay") == InstanceKind::kLunarDay);
static_assert(!KindOfKeyword(u"LUNARDAYS"));

}  // namespace moonfold
