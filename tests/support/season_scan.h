// What the seasons' texts should be, reckoned over the independent
// reference by plain scans rather than by the library's arithmetic: the dog
// days and the nines by walking the days from 夏至, 立秋 and 冬至 and
// counting 庚 days by their names; the pentads by counting days from each
// term's day; the four pillars by counting the 立春 and 节 instants passed
// since 1984 (a 甲子 year, its 立春 opening a 丙寅 month).  Both the
// in-process tests and the DLL's tests hold the texts to these.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/reference_data.h"

namespace moonfold::testing {

struct SeasonTexts {
  std::u16string season_days;  // "初伏第3天", "二九第2天" …, or empty
  std::u16string pentad;       // the pentad's name as tools/data/pentads.tsv has it
};

// One for every day of AllReferenceDays(), in the same order; empty when
// the reference or the pentads' list cannot be read (and the caller fails).
const std::vector<SeasonTexts>& ExpectedSeasonTexts();

// The four pillars at `when`, on the reference day `today`, whose next day
// is `tomorrow` (whose stem the 子 hour from 23:00 takes).
std::u16string ExpectedPillars(std::chrono::local_seconds when, const ReferenceDay& today,
                               const ReferenceDay& tomorrow);

// The 节 terms of the calendar's years (立春, 惊蛰 … 小寒): instant and index, in order.
struct Jie {
  std::chrono::local_seconds instant;
  unsigned index;
};
const std::vector<Jie>& ReferenceJie();

// Whether `when` lies within two minutes of a 节, where the reference and
// the tables, seconds apart, may name different months.
bool NearAJie(std::chrono::local_seconds when);

}  // namespace moonfold::testing
