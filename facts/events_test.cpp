#include "facts/events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace moonfold {
namespace {

using namespace std::chrono;

std::string Iso(year_month_day d) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()),
                static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
  return text;
}

// The order of kinds on one day, as the listings show them.
int DayRank(EventKind kind) {
  switch (kind) {
    case EventKind::kTerm: return 0;
    case EventKind::kLunar: return 1;
    case EventKind::kOff:
    case EventKind::kWork: return 2;
    case EventKind::kMoon: return 3;
    case EventKind::kGregorian: return 4;
  }
  return 5;
}

TEST(Events, AYearInDateOrderAndEachDayInItsKindsOrder) {
  const auto events = EventsOf(2026, 2026, kAllEventKinds, kBuiltInArrangement);
  ASSERT_FALSE(events.empty());
  int terms = 0, moons = 0;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const CalendarEvent& e = events[i];
    EXPECT_EQ(e.date.year(), year{2026});
    EXPECT_EQ(e.lunar, *ToLunar(sys_days{e.date}));
    terms += e.kind == EventKind::kTerm;
    moons += e.kind == EventKind::kMoon;
    if (e.kind == EventKind::kMoon) {
      EXPECT_EQ(e.quarter % 2, 0u) << "only new and full moons";
    }
    if (i == 0) continue;
    const CalendarEvent& before = events[i - 1];
    ASSERT_LE(sys_days{before.date}, sys_days{e.date});
    if (before.date == e.date) {
      EXPECT_LE(DayRank(before.kind), DayRank(e.kind)) << i;
    }
  }
  EXPECT_EQ(terms, 24);
  EXPECT_GE(moons, 24);
  // Outside the calendar's years nothing is made up.
  EXPECT_TRUE(
      EventsOf(kFirstCalendarYear - 3, kFirstCalendarYear - 1, kAllEventKinds, kBuiltInArrangement)
          .empty());
  EXPECT_EQ(EventsOf(kLastCalendarYear, kLastCalendarYear + 5, KindBit(EventKind::kTerm),
                     kBuiltInArrangement)
                .size(),
            24u);
}

// A holiday's days off are one event for what comes next: on the first day
// off still to come, even when the holiday began before today.
TEST(Events, TheNextEventsTakeAHolidayAlreadyInProgressOnce) {
  constexpr struct {
    year_month_day today;
    year_month_day first;  // the first event after today
  } kCases[]{
      {year{2026} / 2 / 14, year{2026} / 2 / 15},  // the day before 春节's days off
      {year{2026} / 2 / 15, year{2026} / 2 / 16},  // its first day off: the rest from tomorrow
      {year{2026} / 2 / 20, year{2026} / 2 / 21},
      {year{2026} / 2 / 23, year{2026} / 2 / 28},  // its last: the make-up day is next
  };
  for (const auto& c : kCases) {
    const auto next =
        EventsAfter(sys_days{c.today}, 3, KindBit(EventKind::kOff) | KindBit(EventKind::kWork),
                    kBuiltInArrangement);
    ASSERT_FALSE(next.empty()) << Iso(c.today);
    EXPECT_EQ(next[0].date, c.first) << Iso(c.today);
    EXPECT_EQ(next[0].holiday, Holiday::kSpringFestival) << Iso(c.today);
    // The holiday in progress is not named again on its later days.
    EXPECT_EQ(std::count_if(next.begin(), next.end(),
                            [](const CalendarEvent& e) {
                              return e.kind == EventKind::kOff &&
                                     e.holiday == Holiday::kSpringFestival;
                            }),
              next[0].kind == EventKind::kOff ? 1 : 0)
        << Iso(c.today);
  }
  // The calendar ends: fewer than asked for.
  EXPECT_LT(
      EventsAfter(sys_days{year{2100} / 12 / 1}, 50, KindBit(EventKind::kTerm), kBuiltInArrangement)
          .size(),
      50u);
}

TEST(Events, MoonPhasesOfAMonthWithTheirInstants) {
  const auto phases =
      MoonPhasesBetween(sys_days{year{2026} / 2 / 1}, sys_days{year{2026} / 2 / 28});
  ASSERT_EQ(phases.size(), 4u);
  for (const CalendarEvent& e : phases) {
    ASSERT_TRUE(e.time);
    EXPECT_EQ(year_month_day{floor<days>(*e.time)}, e.date);
  }
  // 2026-02-17: the new moon of the lunar new year.
  EXPECT_EQ(phases[2].date, year{2026} / 2 / 17);
  EXPECT_EQ(phases[2].quarter, 0u);
}

}  // namespace
}  // namespace moonfold
