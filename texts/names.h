// Every name the calendar shows, as one table per script.  The core gives
// positions, indexes and festival ids; these tables turn them into words.
// A script is a whole ScriptNames value, so every script has exactly the
// same tables, row for row (the type itself is the shape check).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "cycles/eras.h"
#include "cycles/seasons.h"
#include "cycles/signs.h"
#include "cycles/solar_terms.h"
#include "festivals/countdowns.h"
#include "festivals/festival_data.h"
#include "festivals/official_day_types.h"
#include "texts/name_types.h"

namespace moonfold {

// The writing system a text is given in.
enum class Script : std::uint8_t {
  kSimplified,   // 简体, the mainland's standard
  kTraditional,  // 繁體, Taiwan's standard characters (also read in Hong Kong and Macau)
};
inline constexpr std::size_t kScriptCount = 2;

namespace texts {

// Words of the command's listings, grids and calendar files.
struct Labels {
  Name year;            // after a year's number or name: 2023年, 癸卯年
  Name month;           // after a month's number or name: 3月, 闰二月
  Name week;            // before a weekday: 周二
  Name lunar_calendar;  // before a lunar date: 农历冬月廿八
  Name term_time;       // before a term's Beijing time in a description
  Name category_term;   // the iCalendar categories of the three kinds
  Name category_lunar;
  Name category_gregorian;
  Name calendar_name;         // the calendar file's name, before its years
  Name countdown_to;          // 距<name>还有<n>天: before the name
  Name days_left;             // before the number of days
  Name days;                  // after it
  Name none;                  // before what a year lacks: 无闰四月
  Name becomes;               // between what was asked and what is kept: 三十 → 廿九
  Name clause;                // between two clauses of a description
  Name category_anniversary;  // the iCalendar category of a lunar anniversary
  Name day_off;               // 休: an official day off, as a calendar marks it
  Name make_up_day;           // 班: a weekend day worked in exchange
  Name holiday_off;           // after a holiday's name: 春节 放假
  Name holiday_work;          // after a holiday's name: 春节 调休上班
  Name category_off;          // the iCalendar categories of the two
  Name category_work;
  Name nth;                // before a day's number in a period: 初伏第3天
  Name category_moon;      // the iCalendar category of the moon's phases
  Name moon_time;          // before a phase's Beijing time in a description
  Name yellow_path;        // 黄道: a lucky god of the twelve
  Name black_path;         // 黑道: an unlucky one
  Name lucky;              // 吉: a lucky mansion
  Name unlucky;            // 凶
  Name clash;              // before the animal a day clashes with: 冲狗
  Name sha;                // before the quarter of 煞: 煞南
  Name joy_god;            // 喜神, before its direction
  Name wealth_god;         // 财神, before its direction
  Name duty_title;         // the almanac page's headings: 建除
  Name god_title;          // 值神
  Name mansion_title;      // 星宿
  Name clash_title;        // 冲煞
  Name pengzu_title;       // 彭祖百忌
  Name directions_title;   // 方位
  Name lucky_hours_title;  // 吉时
  Name hours_title;        // 时辰
  Name animal;             // before the year's animal: 属马
  Name day_of_cycle;       // after a day's stem-branch name: 丙辰日
  Name issued_time;        // a term shown as its calendar was issued: 历书所载时刻
  Name reckoned;           // before today's reckoning of it: 今推
  // Before 1912, the record giving the day of a term only: a minute that is
  // today's reckoning (时刻为今推), and a term issued on another day than
  // that reckoning (历书载于此日).
  Name reckoned_time;
  Name issued_day;
  Name note_open;  // around a note after a name: 小雪（…）
  Name note_close;
  Name uncertain_day;  // a day the predicted ΔT cannot settle: 日期或有一日之差
  Name first_year;     // an era's first year: 元 (元年)
};

struct ScriptNames {
  std::array<Name, 10> stems;                     // 甲 .. 癸
  std::array<Name, 12> branches;                  // 子 .. 亥
  std::array<Name, 12> animals;                   // by branch: 鼠 for 子
  std::array<Name, 7> weekdays;                   // 0 = Sunday
  std::array<Name, kSolarTermCount> solar_terms;  // 0 = 小寒
  std::array<Name, kSignCount> star_signs;        // 0 = 白羊座
  std::array<Name, 12> lunar_months;              // month 1..12 at 0..11, without 月
  std::array<Name, 30> lunar_days;                // day 1..30 at 0..29
  Name leap;                                      // before a leap month's name
  // The festivals of each table, by id (FestivalKey).
  std::array<Name, kFixedDateFestivalIds.size()> fixed_date_festivals;
  std::array<Name, kWeekdayFestivalIds.size()> weekday_festivals;
  std::array<Name, kLastWeekdayFestivalIds.size()> last_weekday_festivals;
  std::array<Name, kLunarFestivalCount> lunar_festivals;
  std::array<Name, kCountdownFestivalCount> countdown_festivals;  // in CountdownFestival order
  std::array<Name, kHolidayCount> holidays;  // in Holiday order, as the notices name them
  std::array<Name, kSeasonPeriodCount> season_periods;  // in SeasonPeriod order, none first
  std::array<Name, 72> pentads;                         // three to each term, from 小寒
  std::array<Name, 8> moon_phases;                      // in MoonPhase order: 新月, 蛾眉月 …
  std::array<Name, 12> duty_officers;                   // 建除十二值星: 建 .. 闭
  std::array<Name, 12> twelve_gods;                     // 黄道黑道十二神: 青龙 .. 勾陈
  std::array<Name, 28> mansions;                        // 二十八宿: 角木蛟 .. 轸水蚓
  std::array<Name, 10> pengzu_stems;                    // 彭祖百忌, the saying of each stem
  std::array<Name, 12> pengzu_branches;                 // and of each branch
  std::array<Name, 8> directions;                       // in Direction order: 正北, 东北 …
  std::array<Name, 4> quarters;                         // in Quarter order: 北, 东, 南, 西
  std::array<Name, kRepublicEra + 1> eras;              // the reign eras, then 民国
  std::array<Name, 11> numerals;                        // 〇 一 … 十, as a reign year's number
  Labels labels;
};

// The tables of a script.
const ScriptNames& NamesOf(Script script) noexcept;

// Row `index` of a name table, or no name for an index past its end.  Every
// lookup by index goes through here, so a bad index gives an empty text
// and never a read beyond the table.
template <typename Table>
constexpr Name NameAt(const Table& table, std::size_t index) noexcept {
  return index < table.size() ? table[index] : Name{};
}

}  // namespace texts
}  // namespace moonfold
