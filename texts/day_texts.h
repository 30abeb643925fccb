// The builders of the kinds of text, one per keyword: a day's facts in a
// script.  They are reached through the table in texts/kinds.h.
#pragma once

#include <string>

#include "facts/day_facts.h"
#include "texts/names.h"

namespace moonfold {

using TextBuilder = std::u16string (*)(const DayFacts& facts, Script script);

namespace texts {

std::u16string LunarDayText(const DayFacts& facts, Script script);    // 初二
std::u16string LunarMonthText(const DayFacts& facts, Script script);  // 十, 闰二
std::u16string WeekdayText(const DayFacts& facts, Script script);     // 日
std::u16string YearCycleText(const DayFacts& facts, Script script);   // 庚寅
std::u16string MonthCycleText(const DayFacts& facts, Script script);  // 丁亥
std::u16string DayCycleText(const DayFacts& facts, Script script);    // 辛酉
std::u16string HourBranchText(const DayFacts& facts, Script script);  // 巳
std::u16string SolarTermText(const DayFacts& facts, Script script);   // 立冬, or nothing
std::u16string StarSignText(const DayFacts& facts, Script script);    // 天蝎座
std::u16string FixedDateFestivalText(const DayFacts& facts, Script script);
std::u16string WeekdayFestivalText(const DayFacts& facts, Script script);
// The plug-in's hosts have always been given this text with a space after
// it; a consumer that wants the bare names trims it.
std::u16string LastWeekdayFestivalText(const DayFacts& facts, Script script);
std::u16string LunarFestivalText(const DayFacts& facts, Script script);
std::u16string AnimalText(const DayFacts& facts, Script script);      // 虎
std::u16string CountdownText(const DayFacts& facts, Script script);   // 距冬至还有14天
std::u16string NextTermText(const DayFacts& facts, Script script);    // 距冬至还有14天
std::u16string HolidayText(const DayFacts& facts, Script script);     // 春节, on its days off
std::u16string DayOffText(const DayFacts& facts, Script script);      // 休 or 班
std::u16string SeasonDaysText(const DayFacts& facts, Script script);  // 初伏第3天, 一九第1天
std::u16string PentadText(const DayFacts& facts, Script script);      // 鹖鴠不鸣
std::u16string PillarsText(const DayFacts& facts, Script script);     // 丙午 庚子 丙辰 甲午
std::u16string MoonPhaseText(const DayFacts& facts, Script script);   // 满月, 残月
std::u16string EraText(const DayFacts& facts, Script script);         // 光绪二十六年
std::u16string RepublicYearText(const DayFacts& facts, Script script);  // 民国115年

}  // namespace texts
}  // namespace moonfold
