// `moonfold --almanac`: a day's almanac page (黄历) — the date and its
// lunar date, the day's stem-branch names, what the calendar holds for it,
// and the seven items the cycles fix, with the gods of the twelve double
// hours — as lines that fit the terminal, or as one JSON object.
#pragma once

#include <string>

#include "facts/day_facts.h"
#include "texts/names.h"

namespace moonfold::cli {

// No line wider than `columns` where the words allow (a word is never cut).
std::string AlmanacPage(const DayFacts& facts, Script script, int columns);
std::string AlmanacJson(const DayFacts& facts, Script script);

}  // namespace moonfold::cli
