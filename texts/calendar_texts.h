// The calendar's names in a script, and the forms composed of them that
// more than one program shows: a lunar date, a year's title, a weekday
// label, the festivals of a day.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "cycles/eras.h"
#include "cycles/seasons.h"
#include "cycles/stem_branch.h"
#include "festivals/countdowns.h"
#include "festivals/festivals.h"
#include "lunar/lunar_calendar.h"
#include "texts/names.h"

namespace moonfold {

// Stem and branch of a place in the cycle of sixty: 甲子.
std::u16string CycleName(CyclePosition position, Script script);

// Lunar day 1..30: 初二, 三十.
std::u16string_view LunarDayName(unsigned day, Script script);

// Lunar month 1..12, 闰 before a leap month, without 月: 十, 闰二, 腊.
std::u16string LunarMonthName(unsigned month, bool leap, Script script);

// A lunar month in two characters, where room is short: 二月, 闰二.
std::u16string LunarMonthShortName(unsigned month, bool leap, Script script);

// A lunar month and day as calendars print them: 闰二月初一.
std::u16string LunarDateName(const LunarDate& date, Script script);

// A number 1..99 in Chinese numerals, as a reign year is written: 二十六.
std::u16string NumeralName(int n, Script script);

// A reign year (ReignYearOf): 光绪二十六年, 顺治元年.
std::u16string ReignYearName(EraYear year, Script script);

// A year of the Republic (RepublicYearOf), as Taiwan writes it today:
// 民国元年, 民国38年 (民國 in traditional characters).
std::u16string RepublicYearName(EraYear year, Script script);

// A lunar date of the Qing calendar as its day was written, with the reign
// year and the months by number: 宣统三年八月十九, 光绪二十六年闰八月初一,
// 同治五年十一月初六; nothing for a date of another lunar year.
std::u16string ReignDateName(const LunarDate& date, Script script);

// A weekday (0 = Sunday) as a listing labels it: 周二.
std::u16string WeekdayLabel(unsigned day_of_week, Script script);

// A lunar year by its name and animal: 癸卯年 兔.
std::u16string LunarYearTitle(int lunar_year, Script script);

// What a lunar year lacks of an anniversary and what is kept instead —
// 无闰四月, 三十 → 廿九, or both — or nothing when the year has the date.
std::u16string AnniversaryNote(const Anniversary& kept, Script script);

// Days to go, as a countdown says them: 还有14天.
std::u16string DaysLeftName(int days, Script script);

// A countdown to something named: 距冬至还有14天.
std::u16string CountdownName(std::u16string_view name, int days, Script script);

// A day of the dog days or the nines: 初伏第3天, 一九第1天.
std::u16string SeasonDayName(const SeasonDay& season, Script script);

// A Gregorian month: 2023年3月.
std::u16string GregorianMonthTitle(std::chrono::year_month month, Script script);

// A solar term 0..23: 小寒.
std::u16string_view SolarTermName(unsigned index, Script script);

// A holiday as the notices name it: 春节, 国庆节、中秋节.
std::u16string_view HolidayName(Holiday holiday, Script script);

// One festival's name, exactly as its table has it: 元宵(上元)节.  The
// festival is a row of a table; its name is its id's (FestivalKey).
std::u16string_view FestivalName(FestivalId festival, Script script);

// The festivals of a run, joined by single spaces: 母亲节 救助贫困母亲日.
std::u16string FestivalNames(FestivalTable table, FestivalRun run, Script script);

// A festival's name where room is short, as a grid cell shows it: without
// what stands in brackets (元宵(上元)节 is 元宵节, 中国男子节（爸爸节） is
// 中国男子节).
std::u16string FestivalShortName(FestivalId festival, Script script);

}  // namespace moonfold
