#include "plugin/keywords.h"

#include <gtest/gtest.h>

#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

TEST(KindOfKeyword, MatchesWholeKeywordsWhateverTheirCase) {
  constexpr struct {
    const char16_t* value;
    std::optional<InstanceKind> kind;
  } kCases[]{
      {u"LUNARDAY", InstanceKind::kLunarDay},
      {u"lunarday", InstanceKind::kLunarDay},
      {u"LunarDay", InstanceKind::kLunarDay},
      {u"heyear", InstanceKind::kYearStemBranch},
      {u"Solar", InstanceKind::kSolarTerm},
      {u"twelveAnimals", InstanceKind::kZodiacAnimal},
      {u" LUNARDAY", std::nullopt},
      {u"LUNARDAY ", std::nullopt},
      {u"LUNARDAYS", std::nullopt},
      {u"LUNARDA", std::nullopt},
      {u"LUNAR", std::nullopt},
      {u"", std::nullopt},
      {u"ＬＵＮＡＲＤＡＹ", std::nullopt},  // full-width letters are other letters
      {u"LUNARDAY\u0131", std::nullopt},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(KindOfKeyword(c.value), c.kind) << testing::Narrow(c.value);
  }
}

TEST(KindOfKeyword, EveryKeywordNamesItsOwnKind) {
  for (std::size_t k = 0; k < InstanceKeywords.size(); ++k) {
    const std::u16string keyword(InstanceKeywords[k]);
    EXPECT_EQ(KindOfKeyword(keyword.c_str()), static_cast<InstanceKind>(k));
  }
}

}  // namespace
}  // namespace moonfold
