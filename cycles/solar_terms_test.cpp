#include "cycles/solar_terms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

TEST(SolarTerms, FallOnTheirDayAndNotBesideIt) {
  using namespace std::chrono;
  constexpr struct {
    int year;
    unsigned month, day;
    int term;  // -1: none
  } kCases[]{
      {1990, 1, 5, 0},    {1990, 1, 6, -1},   {1990, 1, 19, -1},  {1990, 1, 20, 1},
      {2000, 12, 7, 22},  {2000, 12, 16, -1}, {2000, 12, 21, 23}, {2000, 12, 22, -1},
      {2024, 4, 4, 6},    {2017, 2, 3, 2},    {2017, 2, 18, 3},   {2010, 11, 7, 20},
      // Days that a packed table of 1990-2050 once carried a day off.
      {1991, 5, 6, 8},    {1991, 5, 7, -1},   {1995, 8, 21, -1},  {1995, 8, 23, 15},
      {2033, 7, 22, 13},  {2033, 7, 23, -1},  {2034, 8, 7, 14},   {2034, 8, 8, -1},
      {2049, 4, 4, 6},    {2049, 4, 5, -1},   {2050, 9, 7, 16},   {2050, 9, 8, -1},
      // The ends of the range, and a day no month has.
      {1900, 1, 6, 0},    {2100, 12, 22, 23}, {1899, 12, 22, -1}, {2101, 1, 5, -1},
      {2000, 13, 6, -1},
  };
  for (const auto& c : kCases) {
    const std::optional<unsigned> expected =
        c.term < 0 ? std::nullopt : std::optional<unsigned>(static_cast<unsigned>(c.term));
    EXPECT_EQ(SolarTermOn(year{c.year} / month{c.month} / day{c.day}), expected)
        << c.year << '-' << c.month << '-' << c.day;
  }
}

// Every term of 1900-2100, against the second engine: the same day, and the
// same minute or the one beside it (both rounded down to the minute; the
// engines differ by seconds).
TEST(SolarTerms, EveryInstantOf1900To2100MatchesTheReference) {
  using namespace std::chrono;
  const auto& terms = testing::ReferenceTerms();
  long worst = 0;
  for (const auto& t : terms) {
    const std::optional<BeijingTime> instant = SolarTermInstant(t.year, t.index);
    ASSERT_TRUE(instant) << t.year << ' ' << t.index;
    const long apart =
        std::abs(duration_cast<seconds>(*instant - floor<minutes>(t.beijing_time)).count());
    worst = std::max(worst, apart);
    EXPECT_LE(apart, 60) << t.year << ' ' << Narrow(t.name);
    EXPECT_EQ(floor<days>(*instant), floor<days>(t.beijing_time)) << t.year << ' ' << Narrow(t.name);
  }
  EXPECT_EQ(terms.size(), testing::kReferenceTermCount);
  std::printf("4824 term instants within %ld s of the reference's minute\n", worst);

  int term_days = 0, mismatches = 0;
  for (const auto& r : testing::AllReferenceDays()) {
    const std::optional<unsigned> term =
        SolarTermOn(year_month_day{year{r.year}, month{r.month}, day{r.day}});
    if (term) ++term_days;
    // The reference names the term; its index is the reference's own.
    const bool reference_has_term = !r.solar_term.empty();
    if (term.has_value() != reference_has_term && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << (term ? "a term" : "no term");
    }
  }
  EXPECT_EQ(term_days, 4824);
  EXPECT_EQ(mismatches, 0);
  // 1951's winter solstice: 00:00:01 on the 23rd by two precise engines.
  EXPECT_EQ(SolarTermOn(year{1951} / 12 / 23), 23u);
  EXPECT_EQ(SolarTermInstant(2101, 0), std::nullopt);
  EXPECT_EQ(SolarTermInstant(2024, 24), std::nullopt);
}

}  // namespace
}  // namespace moonfold
