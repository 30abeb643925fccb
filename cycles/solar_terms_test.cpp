#include "cycles/solar_terms.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/legacy_calendar.h"
#include "tests/support/reference_data.h"

namespace moonfold {
namespace {

using testing::DateText;
using testing::Narrow;

TEST(SolarTerms, FallOnTheirDayAndNotBesideIt) {
  constexpr struct {
    std::uint16_t year, month, day;
    std::u16string_view term;
  } kCases[]{
      {1990, 1, 5, u"小寒"},   {1990, 1, 6, u""},       {1990, 1, 19, u""},
      {1990, 1, 20, u"大寒"},  {2000, 12, 7, u"大雪"},  {2000, 12, 16, u""},
      {2000, 12, 21, u"冬至"}, {2000, 12, 22, u""},     {2024, 4, 4, u"清明"},
      {2024, 12, 6, u"大雪"},  {2024, 12, 21, u"冬至"}, {2017, 2, 3, u"立春"},
      {2017, 2, 18, u"雨水"},  {1991, 10, 9, u"寒露"},  {1991, 10, 24, u"霜降"},
      {2010, 11, 7, u"立冬"},  {2050, 12, 7, u"大雪"},  {2050, 12, 22, u"冬至"},
      // Six bytes of the table once put these terms on the wrong day.
      {1991, 5, 6, u"立夏"},   {1991, 5, 7, u""},       {1995, 8, 21, u""},
      {1995, 8, 23, u"处暑"},  {2033, 7, 22, u"大暑"},  {2033, 7, 23, u""},
      {2034, 8, 7, u"立秋"},   {2034, 8, 8, u""},       {2049, 4, 4, u"清明"},
      {2049, 4, 5, u""},       {2049, 4, 19, u"谷雨"},  {2049, 4, 20, u""},
      {2050, 9, 7, u"白露"},   {2050, 9, 8, u""},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SolarTermText(c.year, c.month, c.day), c.term) << DateText(c.year, c.month, c.day);
  }
}

TEST(SolarTerms, TheFifteenthIsNeverATermDay) {
  for (std::uint16_t year = 1990; year <= 2050; ++year) {
    for (std::uint16_t month = 1; month <= 12; ++month) {
      EXPECT_EQ(SolarTermIndex(year, month, 15), kNoSolarTerm) << DateText(year, month, 15);
    }
  }
}

TEST(SolarTerms, OutsideTheTablesThereIsNone) {
  EXPECT_EQ(SolarTermIndex(1989, 12, 22), kNoSolarTerm);
  EXPECT_EQ(SolarTermIndex(2051, 1, 5), kNoSolarTerm);
  EXPECT_EQ(SolarTermIndex(2000, 0, 6), kNoSolarTerm);
  EXPECT_EQ(SolarTermIndex(2000, 13, 6), kNoSolarTerm);
  EXPECT_EQ(SolarTermText(2000, 13, 6), u"");
}

TEST(SolarTerms, MatchTheAstronomicalReferenceForAll1464Terms) {
  int terms = 0;
  int mismatches = 0;
  for (const auto& r : testing::ReferenceDays()) {
    const std::u16string actual = SolarTermText(r.year, r.month, r.day);
    if (!r.solar_term.empty()) ++terms;
    if (actual != r.solar_term && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": \"" << Narrow(actual)
                    << "\", reference \"" << Narrow(r.solar_term) << '"';
    }
  }
  EXPECT_EQ(terms, 1464);
  EXPECT_EQ(mismatches, 0);
}

// The plug-in's lookup reads bytes packed from the generated instants now;
// for every argument it must answer as the typed-in table of 1990-2050 did.
TEST(SolarTerms, TheLookupGivesWhatItGaveForEveryArgument) {
  for (unsigned y = 0; y <= 0xFFFF; ++y) {
    const bool near = y >= 1900 && y <= 2100;
    for (std::uint16_t m = 0; m <= 15; ++m) {
      for (std::uint16_t d = 0; d <= 31; d = static_cast<std::uint16_t>(d + (near ? 1 : 5))) {
        const auto year = static_cast<std::uint16_t>(y);
        ASSERT_EQ(SolarTermIndex(year, m, d), legacy::SolarTermIndex(year, m, d))
            << y << '-' << m << '-' << d;
      }
    }
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
    EXPECT_EQ(SolarTermNames[t.index], t.name);
  }
  EXPECT_EQ(terms.size(), testing::kReferenceTermCount);
  std::printf("4824 term instants within %ld s of the reference's minute\n", worst);

  int term_days = 0, mismatches = 0;
  for (const auto& r : testing::AllReferenceDays()) {
    const std::optional<unsigned> term =
        SolarTermOn(year_month_day{year{r.year}, month{r.month}, day{r.day}});
    const std::u16string name = term ? std::u16string(SolarTermNames[*term]) : u"";
    if (term) ++term_days;
    if (name != r.solar_term && ++mismatches <= 20) {
      ADD_FAILURE() << DateText(r.year, r.month, r.day) << ": " << Narrow(name);
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
