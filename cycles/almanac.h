// The items of an almanac page (黄历) that the cycles fix and every almanac
// agrees on: the day's officer of the twelve (建除十二值星), its god of the
// twelve (黄道黑道十二神) and those of its double hours, its lunar mansion of
// the twenty-eight (二十八宿), the branch it clashes with and where 煞 lies,
// and where the gods of joy and of wealth stand.  Numbers only: the names
// are in texts/.  The lists of things to do and avoid (宜忌) are left out:
// almanacs disagree on them and no table is authoritative.
//
// The month of these items is the month of the 节 *day*: the whole day of
// 立春, 惊蛰 … 小寒 already belongs to the new month (寅 from 立春), as
// almanacs reckon it, unlike the four pillars, whose month turns at the 节's
// instant.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "cycles/almanac_data.h"
#include "cycles/solar_terms.h"
#include "cycles/stem_branch.h"

namespace moonfold {

// The branch of the almanac's month on a day whose latest term by day is
// term number `latest_by_day`: the month begun by the latest 节 (even
// index) on or before the day, 小寒 starting 丑, 立春 寅 … 大雪 子.
constexpr unsigned AlmanacMonthBranch(std::int32_t latest_by_day) noexcept {
  const unsigned jie = SolarTermIndex(latest_by_day) & ~1u;
  return (jie / 2 + 1) % 12;
}

// The officer of the day, 0 (建) .. 11 (闭): 建 falls on the day whose
// branch is the month's, and the officers follow the days.  A 节 day
// repeats the officer of the day before.
constexpr unsigned DutyOfficer(unsigned day_branch, unsigned month_branch) noexcept {
  return (day_branch + 12 - month_branch) % 12;
}

// The god of the twelve, 0 (青龙) .. 11 (勾陈), on branch `branch` when 青龙
// is counted from the branch that `ruling` names: 子午 → 申, 丑未 → 戌,
// 寅申 → 子, 卯酉 → 寅, 辰戌 → 辰, 巳亥 → 午.  The day's god is counted by
// the month's branch, a double hour's by the day's.
constexpr unsigned TwelveGod(unsigned branch, unsigned ruling) noexcept {
  const unsigned azure_dragon = (8 + 2 * ruling) % 12;
  return (branch + 12 - azure_dragon) % 12;
}

// Whether a god is of the yellow path (黄道: 青龙 明堂 金匮 天德 玉堂 司命),
// a lucky one, rather than the black (黑道), as almanacs give it.
constexpr bool IsYellowPath(unsigned god) noexcept {
  return god < 12 && (kYellowPathGods >> god & 1u) != 0;
}

// The mansion of the day, 0 (角木蛟) .. 27 (轸水蚓): a cycle of 28 days
// that never breaks, in which 1970-01-01 is 斗木獬 (7), as 1900-01-01 (a
// Monday) is 心月狐 (4).
constexpr unsigned MansionOf(std::chrono::sys_days day) noexcept {
  return CycleIndex(static_cast<std::int32_t>(day.time_since_epoch().count()) + 7, 28);
}

// The four quarters, as the direction of 煞 names them.
enum class Quarter : std::uint8_t { kNorth, kEast, kSouth, kWest };

// What a day clashes with: the branch opposite its own, written with the
// stem that the day's stem overcomes (甲 overcomes 戊), and the quarter of
// 煞, south on 申子辰 days, east on 巳酉丑, north on 寅午戌, west on 亥卯未.
struct Clash {
  CyclePosition against;  // the clashing day's stem and branch
  Quarter sha = Quarter::kNorth;
  friend constexpr bool operator==(const Clash&, const Clash&) = default;
};
constexpr Clash ClashOf(CyclePosition day) noexcept {
  const unsigned stem = (day.Stem() + 4) % 10, branch = (day.Branch() + 6) % 12;
  // The place in the cycle of sixty with that stem and branch (both of
  // one parity): 6·stem − 5·branch is the stem's mod 10, the branch's mod 12.
  const unsigned value = (6 * stem + 60 - 5 * branch) % 60;
  constexpr Quarter kSha[4]{Quarter::kSouth, Quarter::kEast, Quarter::kNorth, Quarter::kWest};
  return {{value}, kSha[day.Branch() % 4]};
}

// The eight directions, as the gods of joy and wealth stand.
enum class Direction : std::uint8_t {
  kNorth,
  kNorthEast,
  kEast,
  kSouthEast,
  kSouth,
  kSouthWest,
  kWest,
  kNorthWest
};

// By the day's stem: the god of joy (甲己在艮乙庚乾，丙辛坤位喜神安，丁壬只在离宫坐，
// 戊癸原在巽上眠) and the god of wealth (甲乙东北，丙丁西南，戊己正北，庚辛正东，壬癸正南).
constexpr Direction JoyGodOf(unsigned stem) noexcept {
  constexpr Direction kJoy[5]{Direction::kNorthEast, Direction::kNorthWest, Direction::kSouthWest,
                              Direction::kSouth, Direction::kSouthEast};
  return kJoy[stem % 5];
}
constexpr Direction WealthGodOf(unsigned stem) noexcept {
  constexpr Direction kWealth[5]{Direction::kNorthEast, Direction::kSouthWest, Direction::kNorth,
                                 Direction::kEast, Direction::kSouth};
  return kWealth[stem % 10 / 2];
}

// The day's lucky hours by the day's branch: bit b is set when the double
// hour of branch b is of the yellow path, its god counted by the day's
// branch.  Twelve masks, made once at compile time.
inline constexpr std::array<std::uint16_t, 12> kLuckyHours = [] {
  std::array<std::uint16_t, 12> masks{};
  for (unsigned day_branch = 0; day_branch < 12; ++day_branch) {
    for (unsigned hour = 0; hour < 12; ++hour) {
      if (IsYellowPath(TwelveGod(hour, day_branch))) masks[day_branch] |= std::uint16_t(1u << hour);
    }
  }
  return masks;
}();

// The almanac's items of one day, as numbers.
struct AlmanacDay {
  unsigned month_branch = 0;  // the almanac's month: that of the 节 day, 0 (子) .. 11
  unsigned duty = 0;          // the officer, 0 (建) .. 11 (闭)
  unsigned day_god = 0;       // the god of the twelve, 0 (青龙) .. 11 (勾陈)
  unsigned mansion = 0;       // 0 (角木蛟) .. 27 (轸水蚓)
  Clash clash;
  Direction joy_god = Direction::kNorth;
  Direction wealth_god = Direction::kNorth;
  // Bit b is set when the double hour of branch b (0 = 子) is of the yellow
  // path by the day's branch: the day's lucky hours (黄道吉时).
  std::uint16_t lucky_hours = 0;
  friend constexpr bool operator==(const AlmanacDay&, const AlmanacDay&) = default;
};

// The almanac's items of a day: its cycle, its date and the term number of
// its latest term by day.
constexpr AlmanacDay AlmanacDayOf(std::chrono::sys_days day, CyclePosition day_cycle,
                                  std::int32_t latest_by_day) noexcept {
  AlmanacDay a;
  a.month_branch = AlmanacMonthBranch(latest_by_day);
  a.duty = DutyOfficer(day_cycle.Branch(), a.month_branch);
  a.day_god = TwelveGod(day_cycle.Branch(), a.month_branch);
  a.mansion = MansionOf(day);
  a.clash = ClashOf(day_cycle);
  a.joy_god = JoyGodOf(day_cycle.Stem());
  a.wealth_god = WealthGodOf(day_cycle.Stem());
  a.lucky_hours = kLuckyHours[day_cycle.Branch()];
  return a;
}

static_assert(AlmanacMonthBranch(2) == 2 && AlmanacMonthBranch(3) == 2 &&
              AlmanacMonthBranch(22) == 0 && AlmanacMonthBranch(-1) == 0);
static_assert(ClashOf({52}).against.value == 46);  // 丙辰 clashes with 庚戌
static_assert(MansionOf(std::chrono::sys_days{std::chrono::days{-25567}}) == 4);

}  // namespace moonfold
