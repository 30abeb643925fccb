// The core names of the calendar in simplified characters, written out here
// as they were reviewed rather than read from the library's tables, so that
// a changed character in a table shows as a failing test.
#pragma once

#include <string>
#include <string_view>

namespace moonfold::testing {

inline constexpr std::u16string_view kReviewedStems = u"甲乙丙丁戊己庚辛壬癸";
inline constexpr std::u16string_view kReviewedBranches = u"子丑寅卯辰巳午未申酉戌亥";
inline constexpr std::u16string_view kReviewedMonths = u"正二三四五六七八九十冬腊";
inline constexpr std::u16string_view kReviewedDays[30]{
    u"初一", u"初二", u"初三", u"初四", u"初五", u"初六", u"初七", u"初八", u"初九", u"初十",
    u"十一", u"十二", u"十三", u"十四", u"十五", u"十六", u"十七", u"十八", u"十九", u"二十",
    u"廿一", u"廿二", u"廿三", u"廿四", u"廿五", u"廿六", u"廿七", u"廿八", u"廿九", u"三十"};

// Position 0..59 of the cycle of sixty: 甲子 .. 癸亥.
inline std::u16string ReviewedCycleName(unsigned position) {
  return {kReviewedStems[position % 10], kReviewedBranches[position % 12]};
}

// A lunar month 1..12 as LUNARMONTH shows it: 十, 闰二.
inline std::u16string ReviewedMonthName(unsigned month, bool leap) {
  std::u16string name = leap ? u"闰" : u"";
  name += kReviewedMonths[month - 1];
  return name;
}

}  // namespace moonfold::testing
