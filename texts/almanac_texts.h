// The texts of the almanac page: the day's officer, god, mansion, clash,
// the 彭祖 taboos, the directions of the gods of joy and wealth, and the
// lucky double hours, each a keyword's builder; and the pieces the
// command's page is made of.
#pragma once

#include <string>

#include "cycles/almanac.h"
#include "facts/day_facts.h"
#include "texts/names.h"

namespace moonfold::texts {

// A god of the twelve with its path: 天牢(黑道).
std::u16string TwelveGodName(unsigned god, Script script);

std::u16string DutyText(const DayFacts& facts, Script script);     // 定
std::u16string DayGodText(const DayFacts& facts, Script script);   // 天牢(黑道)
std::u16string MansionText(const DayFacts& facts, Script script);  // 翼火蛇
std::u16string ClashText(const DayFacts& facts, Script script);    // 冲狗(庚戌)煞南
std::u16string PengzuText(const DayFacts& facts, Script script);  // 丙不修灶必见灾殃 辰不…
std::u16string DirectionsText(const DayFacts& facts, Script script);  // 喜神西南 财神西南
std::u16string LuckyHoursText(const DayFacts& facts, Script script);  // 寅 辰 巳 申 酉 亥

}  // namespace moonfold::texts
