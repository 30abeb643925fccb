// One day whose every text was checked by hand, for the tests of each path
// that shows them: 2010-11-07, a Sunday, at 10:30 — lunar 十月初二 of 庚寅,
// the day of 立冬.
#pragma once

#include <string_view>

namespace moonfold::testing {

struct KnownText {
  std::u16string_view keyword, text;
};

inline constexpr KnownText kKnownDayTexts[]{
    {u"LUNARDAY", u"初二"},
    {u"LUNARMONTH", u"十"},
    {u"WEEKDAY", u"日"},
    {u"HEYEAR", u"庚寅"},
    {u"HEMONTH", u"丁亥"},
    {u"HEDAY", u"辛酉"},
    {u"HEHOUR", u"巳"},
    {u"SOLAR", u"立冬"},
    {u"CONSTELLATION", u"天蝎座"},
    {u"FEASTS", u"十月社会主义革命纪念日"},
    {u"FWEEKDAY", u""},
    {u"FLASTWEEK", u""},
    {u"FLUNARS", u""},
    {u"TWELVEANIMALS", u"虎"},
    {u"COUNTDOWN", u"距冬至还有45天"},
    {u"NEXTTERM", u"距小雪还有15天"},
    {u"HOLIDAY", u""},
    {u"DAYOFF", u""},
    {u"SEASONDAYS", u""},
    {u"PENTAD", u"水始冰"},
    {u"PILLARS", u"庚寅 丙戌 辛酉 癸巳"},  // 立冬 comes at 20:42
    {u"MOONPHASE", u"蛾眉月"},             // the new moon was on the 6th
    // 立冬 is a 节: the whole day is of the 亥 month already.
    {u"DUTY", u"开"},
    {u"DAYGOD", u"朱雀(黑道)"},
    {u"MANSION", u"房日兔"},
    {u"CLASH", u"冲兔(乙卯)煞东"},
    {u"PENGZU", u"辛不合酱主人不尝 酉不会客醉坐颠狂"},
    {u"DIRECTIONS", u"喜神西南 财神正东"},
    {u"LUCKYHOURS", u"子 寅 卯 午 未 酉"},
    {u"ERA", u""},
    {u"ROCYEAR", u"民国99年"},
};

}  // namespace moonfold::testing
