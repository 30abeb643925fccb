#include "festivals/countdowns.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace moonfold {

using namespace std::chrono;

namespace {

// The festivals fixed to a lunar month and day, in calendar order.
constexpr const auto& kLunarDated = kLunarDatedCountdowns;

// A lunar date's place in its year: a leap month sorts after its namesake.
constexpr unsigned PlaceInYear(unsigned month, bool leap, unsigned day) noexcept {
  return (2 * month + (leap ? 1 : 0)) * 32 + day;
}

// For each place in a lunar year, the first festival of kLunarDated that
// falls after it (the size of the list after the last), worked out when
// the library is compiled: a lookup instead of a walk down the list.
constexpr std::size_t kLunarDatedCount = std::size(kLunarDated);
constexpr auto kNextLunarDated = [] {
  std::array<std::uint8_t, PlaceInYear(12, true, 30) + 1> next{};
  for (unsigned place = 0; place < next.size(); ++place) {
    std::size_t i = 0;
    while (i < kLunarDatedCount &&
           PlaceInYear(kLunarDated[i].date.month, false, kLunarDated[i].date.day) <= place)
      ++i;
    next[place] = static_cast<std::uint8_t>(i);
  }
  return next;
}();

// Keeps the earliest day strictly after `today`, and on a tie the festival
// earlier in the list.
class Earliest {
 public:
  explicit Earliest(sys_days today) noexcept : today_(today) {}
  void Consider(CountdownFestival festival, std::optional<sys_days> day) noexcept {
    if (!day || *day <= today_) return;
    if (best_ && (best_->day < *day || (best_->day == *day && best_->festival < festival))) return;
    FestivalCountdown found;
    found.day = *day;
    found.days = static_cast<int>((*day - today_).count());
    found.festival = festival;
    best_ = found;
  }
  std::optional<FestivalCountdown> Best() const noexcept { return best_; }

 private:
  sys_days today_;
  std::optional<FestivalCountdown> best_;
};

}  // namespace

std::optional<FestivalCountdown> NextFestival(sys_days today) noexcept {
  const std::optional<LunarDate> lunar = ToLunar(today);
  if (!lunar) return std::nullopt;
  return NextFestival(today, year_month_day{today}, *lunar);
}

std::optional<FestivalCountdown> NextFestival(sys_days today, year_month_day date,
                                              const LunarDate& lunar) noexcept {
  Earliest earliest(today);
  // Of the festivals fixed to a lunar date, only the first still to come
  // this lunar year can be the next; after the last, the new year is.
  const unsigned place = PlaceInYear(lunar.month, lunar.leap, lunar.day);
  if (const std::size_t i = kNextLunarDated[place]; i < kLunarDatedCount) {
    const LunarDatedCountdown& f = kLunarDated[i];
    earliest.Consider(f.festival, FromLunar({lunar.year, f.date.month, f.date.day, false}));
  }
  const std::optional<sys_days> new_year = LunarNewYear(lunar.year + 1);
  earliest.Consider(kNewYearCountdown, new_year);
  if (new_year) earliest.Consider(kNewYearsEveCountdown, *new_year - days{1});
  // The two term festivals: this Gregorian year's, or when it has passed
  // the next year's.
  const int year = static_cast<int>(date.year());
  if (year < kFirstTableTermYear || year > kLastTableTermYear) return earliest.Best();
  for (const auto& [festival, term] : kTermCountdowns) {
    std::int32_t k = SolarTermNumber(year, term);
    if (SolarTermDayAt(k) <= today) k += kSolarTermCount;
    if (k < kSolarTermNumbers) earliest.Consider(festival, SolarTermDayAt(k));
  }
  return earliest.Best();
}

std::optional<TermCountdown> NextSolarTerm(sys_days today) noexcept {
  const auto terms = TermsAboutMoment(local_days{today.time_since_epoch()}, year_month_day{today});
  if (!terms) return std::nullopt;
  return NextSolarTerm(today, *terms);
}

std::optional<TermCountdown> NextSolarTerm(sys_days today, const TermsAbout& terms) noexcept {
  if (!terms.next_instant) return std::nullopt;
  TermCountdown next;
  next.day = sys_days{floor<days>(*terms.next_instant).time_since_epoch()};
  next.days = static_cast<int>((next.day - today).count());
  next.term = SolarTermIndex(terms.latest + 1);
  next.instant = *terms.next_instant;
  return next;
}

}  // namespace moonfold
