// The record of the calendars as issued, read by the tests themselves from
// the files the table generator reads (tools/data/): the Qing calendar's
// months and term days of 1645-1911, and the decisions of 1912-2100.  A
// file that is missing or short gives nothing, and a test of it fails.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace moonfold::testing {

struct RecordMonth {
  std::chrono::sys_days first;  // its first day
  int lunar_year;
  unsigned month;
  bool leap;
};
// Every month of the record, in order (3,303, from 1645-01-28).
const std::vector<RecordMonth>& RecordMonths();

struct RecordTerm {
  int year;
  unsigned index;  // 0 = 小寒 .. 23 = 冬至
  std::chrono::sys_days issued;
};
// Every term of 1645-1911, 24 a year, in order.
const std::vector<RecordTerm>& RecordTerms();

// The decisions of 1912-2100: the months the record begins on another
// day than the rule (the rule's day, the issued day), and the terms it
// puts on another day (year, index, the issued minute).
struct IssuedMonth {
  std::chrono::sys_days rule, issued;
};
const std::vector<IssuedMonth>& IssuedMonths();
struct IssuedTerm {
  int year;
  unsigned index;
  std::chrono::local_time<std::chrono::minutes> issued;
};
const std::vector<IssuedTerm>& IssuedTerms();

// The reign eras and 民国 (tools/data/eras.tsv): name, first and last
// lunar year (the last of 民国 is none: 0).
struct Era {
  std::string name;
  int first, last;
};
const std::vector<Era>& Eras();

}  // namespace moonfold::testing
