// What Moonfold costs: the conversions both ways and the facts of a day
// over dates spread across the range; each keyword's text, one whole
// Initialize for each keyword, GetString and Update2 over 1990-2050; and
// the same conversions with ICU4C's Chinese calendar, the library a C++
// program would otherwise reach for, measured in the same run.
#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "common/plugin_years.h"
#include "facts/day_facts.h"
#include "lunar/lunar_calendar.h"
#include "plugin/moonfold_plugin.h"
#include "tests/support/counting_allocator.h"
#include "texts/kinds.h"

namespace moonfold {
namespace {

// The calendar's years, as the benchmarks' names give them: "1645-2100".
const std::string kYears =
    std::to_string(kFirstCalendarYear) + "-" + std::to_string(kLastCalendarYear);

struct Date {
  std::uint16_t year, month, day, day_of_week;
};

// 4096 dates drawn evenly from 1990-01-01..2050-12-31, in a fixed random
// order so that no branch predictor learns the sequence.
const std::vector<Date>& Dates() {
  static const std::vector<Date> dates = [] {
    using namespace std::chrono;
    std::vector<Date> all;
    for (sys_days d{year{kFirstPluginYear} / 1 / 1}; d <= sys_days{year{kLastPluginYear} / 12 / 31};
         d += days{1}) {
      const year_month_day date{d};
      all.push_back({static_cast<std::uint16_t>(static_cast<int>(date.year())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                     static_cast<std::uint16_t>(static_cast<unsigned>(date.day())),
                     static_cast<std::uint16_t>(weekday{d}.c_encoding())});
    }
    std::mt19937 random(20101107);
    std::shuffle(all.begin(), all.end(), random);
    all.resize(4096);
    return all;
  }();
  return dates;
}

constexpr std::size_t kDateMask = 4095;

void CountAllocations(benchmark::State& state, std::size_t before) {
  state.counters["allocs"] = benchmark::Counter(
      static_cast<double>(testing::AllocationCount() - before), benchmark::Counter::kAvgIterations);
}

// ICU4C's Chinese calendar, in GMT, so that noon of a date is that date.
struct IcuCalendars {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> chinese{icu::Calendar::createInstance(
      icu::TimeZone::createTimeZone("GMT"), icu::Locale("zh_CN@calendar=chinese"), status)};
};

// Noon (GMT) of a day, as ICU counts instants: milliseconds since 1970.
UDate NoonOf(std::chrono::sys_days day) {
  using namespace std::chrono;
  return static_cast<UDate>(
      duration_cast<milliseconds>(day.time_since_epoch() + hours{12}).count());
}

// Dates drawn evenly from the whole range, with their lunar dates,
// in a fixed random order.
struct WideDate {
  std::chrono::sys_days day;
  LunarDate lunar;
};

const std::vector<WideDate>& WideDates() {
  static const std::vector<WideDate> dates = [] {
    std::vector<WideDate> all;
    for (auto day = kFirstCalendarDay; day <= kLastCalendarDay; day += std::chrono::days{1}) {
      all.push_back({day, *ToLunar(day)});
    }
    std::mt19937 random(20101107);  // the seed only fixes the sample
    std::shuffle(all.begin(), all.end(), random);
    all.resize(4096);
    return all;
  }();
  return dates;
}

void BM_ToLunar(benchmark::State& state) {
  const auto& dates = WideDates();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ToLunar(dates[i++ & kDateMask].day));
}
BENCHMARK(BM_ToLunar)->Name("Gregorian to lunar " + kYears + "/Moonfold");

void BM_FromLunar(benchmark::State& state) {
  const auto& dates = WideDates();
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(FromLunar(dates[i++ & kDateMask].lunar));
}
BENCHMARK(BM_FromLunar)->Name("Lunar to Gregorian " + kYears + "/Moonfold");

void BM_FactsOf(benchmark::State& state) {
  const auto& dates = WideDates();
  std::size_t i = 0;
  const std::size_t before = testing::AllocationCount();
  for (auto _ : state) {
    const std::chrono::local_days day{dates[i & kDateMask].day.time_since_epoch()};
    benchmark::DoNotOptimize(FactsOf(day + std::chrono::minutes{i % 1440}));
    ++i;
  }
  CountAllocations(state, before);
}
BENCHMARK(BM_FactsOf)->Name("FactsOf " + kYears);

void BM_IcuToLunar(benchmark::State& state) {
  IcuCalendars icu;
  if (U_FAILURE(icu.status)) {
    state.SkipWithError("ICU has no Chinese calendar here");
    return;
  }
  std::vector<UDate> instants;
  for (const WideDate& d : WideDates()) instants.push_back(NoonOf(d.day));
  UErrorCode& status = icu.status;
  std::size_t i = 0;
  for (auto _ : state) {
    icu.chinese->setTime(instants[i++ & kDateMask], status);
    benchmark::DoNotOptimize(icu.chinese->get(UCAL_EXTENDED_YEAR, status));
    benchmark::DoNotOptimize(icu.chinese->get(UCAL_MONTH, status));
    benchmark::DoNotOptimize(icu.chinese->get(UCAL_DATE, status));
    benchmark::DoNotOptimize(icu.chinese->get(UCAL_IS_LEAP_MONTH, status));
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
}
BENCHMARK(BM_IcuToLunar)->Name("Gregorian to lunar " + kYears + "/ICU4C");

// ICU counts Chinese years from 2637 BC.
constexpr int kIcuYearOffset = 2637;

void BM_IcuFromLunar(benchmark::State& state) {
  IcuCalendars icu;
  if (U_FAILURE(icu.status)) {
    state.SkipWithError("ICU has no Chinese calendar here");
    return;
  }
  const auto& dates = WideDates();
  UErrorCode& status = icu.status;
  std::size_t i = 0;
  for (auto _ : state) {
    const LunarDate& l = dates[i++ & kDateMask].lunar;
    icu.chinese->clear();
    icu.chinese->set(UCAL_EXTENDED_YEAR, l.year + kIcuYearOffset);
    icu.chinese->set(UCAL_MONTH, static_cast<int>(l.month) - 1);
    icu.chinese->set(UCAL_IS_LEAP_MONTH, l.leap ? 1 : 0);
    icu.chinese->set(UCAL_DATE, static_cast<int>(l.day));
    benchmark::DoNotOptimize(icu.chinese->getTime(status));
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
}
BENCHMARK(BM_IcuFromLunar)->Name("Lunar to Gregorian " + kYears + "/ICU4C");

// Each keyword's text from a day's facts, as the plug-in and the command
// build it.
void BM_Text(benchmark::State& state, TextKind kind, Script script) {
  std::vector<DayFacts> facts;
  for (const Date& d : Dates()) {
    facts.push_back(*FactsOf(WallTime(std::chrono::year{d.year} / d.month / d.day,
                                      static_cast<unsigned>(facts.size() % 24))));
  }
  std::size_t i = 0;
  const std::size_t before = testing::AllocationCount();
  for (auto _ : state) {
    std::u16string text = KindText(kind, facts[i++ & kDateMask], script);
    benchmark::DoNotOptimize(text.data());
  }
  CountAllocations(state, before);
}

// A platform whose clock steps through the dates and whose configuration
// answers one value, with no work of its own to speak of.
class BenchPlatform final : public PluginPlatform {
 public:
  explicit BenchPlatform(const char16_t* value) : value_(value) {}
  LocalDateRecord ReadLocalClock() override {
    const Date& d = Dates()[(reads_++ / 2) & kDateMask];
    LocalDateRecord now;
    now.year = d.year;
    now.month = d.month;
    now.day = d.day;
    now.day_of_week = d.day_of_week;
    now.hour = 10;
    return now;
  }
  // The keyword for the Moonfold option; the default for any other (Script).
  const char16_t* ReadConfigString(const char16_t*, const char16_t* key,
                                   const char16_t* default_value) override {
    return std::u16string_view(key) == u"Moonfold" ? value_ : default_value;
  }
  void ShowMessage(const char16_t*) override {}

 private:
  const char16_t* value_;
  std::size_t reads_ = 0;
};

void BM_Initialize(benchmark::State& state, TextKind kind) {
  const std::u16string keyword(kind.Row().keyword);
  BenchPlatform platform(keyword.c_str());
  MoonfoldPlugin plugin(platform);
  plugin.Initialize(u"Bench", 7);  // the id is recorded once; later set-ups replace its kind
  const std::size_t before = testing::AllocationCount();
  for (auto _ : state) {
    plugin.Initialize(u"Bench", 7);
    benchmark::DoNotOptimize(plugin.GetString(7));
  }
  CountAllocations(state, before);
}

void BM_GetString(benchmark::State& state) {
  BenchPlatform platform(u"FEASTS");
  MoonfoldPlugin plugin(platform);
  for (std::uint32_t id = 1; id <= 14; ++id) plugin.Initialize(u"Bench", id * 1000);
  const std::size_t before = testing::AllocationCount();
  for (auto _ : state) benchmark::DoNotOptimize(plugin.GetString(7000));
  CountAllocations(state, before);
}
BENCHMARK(BM_GetString)->Name("GetString");

// The host's every cycle: Update2 for an instance whose day has not
// changed (one clock reading and a comparison), and one where the day has
// turned, so that every text in use is rebuilt.
class FixedClock final : public PluginPlatform {
 public:
  LocalDateRecord now{2010, 11, 0, 7, 10, 30, 0, 0};
  const char16_t* value = u"FEASTS";
  LocalDateRecord ReadLocalClock() override { return now; }
  const char16_t* ReadConfigString(const char16_t*, const char16_t* key,
                                   const char16_t* default_value) override {
    return std::u16string_view(key) == u"Moonfold" ? value : default_value;
  }
  void ShowMessage(const char16_t*) override {}
};

void BM_Update2(benchmark::State& state, bool day_turns) {
  FixedClock platform;
  MoonfoldPlugin plugin(platform);
  for (std::size_t k = 0; k < kTextKindCount; ++k) {
    const std::u16string keyword(kTextKinds[k].keyword);
    platform.value = keyword.c_str();
    plugin.Initialize(u"Bench", static_cast<std::uint32_t>(k));
  }
  const std::size_t before = testing::AllocationCount();
  for (auto _ : state) {
    if (day_turns) platform.now.day = platform.now.day == 7 ? 8 : 7;
    plugin.Update(9);
    benchmark::DoNotOptimize(plugin.GetString(9));
  }
  CountAllocations(state, before);
}
BENCHMARK_CAPTURE(BM_Update2, same_day, false)->Name("Update2/same day");
BENCHMARK_CAPTURE(BM_Update2, new_day, true)->Name("Update2/new day, every text rebuilt");

// Collects each benchmark's time per iteration, so that the ratio to ICU4C
// can be printed after the table.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  RecordingReporter() : ConsoleReporter(isatty(1) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
        nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  double Nanoseconds(const std::string& name) const {
    const auto found = nanoseconds_.find(name);
    return found != nanoseconds_.end() ? found->second : 0.0;
  }

 private:
  std::map<std::string, double> nanoseconds_;
};

// Days of the range on which ICU4C's astronomical calendar differs from
// Moonfold's tables (which agree with the reference on every day), and
// how many of them fall in 1990-2050.
struct Disagreements {
  int all = -1, tables = 0;
};

Disagreements IcuDisagreements() {
  IcuCalendars icu;
  if (U_FAILURE(icu.status)) return {};
  UErrorCode& status = icu.status;
  icu::Calendar* chinese = icu.chinese.get();
  Disagreements differ{0, 0};
  for (auto day = kFirstCalendarDay; day <= kLastCalendarDay; day += std::chrono::days{1}) {
    chinese->setTime(NoonOf(day), status);
    const LunarDate ours = *ToLunar(day);
    if (chinese->get(UCAL_EXTENDED_YEAR, status) - kIcuYearOffset != ours.year ||
        chinese->get(UCAL_MONTH, status) + 1 != static_cast<int>(ours.month) ||
        chinese->get(UCAL_DATE, status) != static_cast<int>(ours.day) ||
        (chinese->get(UCAL_IS_LEAP_MONTH, status) != 0) != ours.leap) {
      ++differ.all;
      const int year = static_cast<int>(std::chrono::year_month_day{day}.year());
      if (year >= kFirstPluginYear && year <= kLastPluginYear) ++differ.tables;
    }
  }
  return U_SUCCESS(status) ? differ : Disagreements{};
}

}  // namespace
}  // namespace moonfold

int main(int argc, char** argv) {
  using namespace moonfold;
  for (std::uint8_t k = 0; k < kTextKindCount; ++k) {
    const std::string keyword(kTextKinds[k].keyword.begin(), kTextKinds[k].keyword.end());
    benchmark::RegisterBenchmark(("Text/" + keyword).c_str(), BM_Text, TextKind{k},
                                 Script::kSimplified);
    benchmark::RegisterBenchmark(("Text/" + keyword + "/traditional").c_str(), BM_Text, TextKind{k},
                                 Script::kTraditional);
  }
  for (std::uint8_t k = 0; k < kTextKindCount; ++k) {
    const std::string keyword(kTextKinds[k].keyword.begin(), kTextKinds[k].keyword.end());
    benchmark::RegisterBenchmark(("Initialize/" + keyword).c_str(), BM_Initialize, TextKind{k});
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\n");
  for (const std::string& what : {"Gregorian to lunar " + kYears, "Lunar to Gregorian " + kYears}) {
    const double ours = reporter.Nanoseconds(what + "/Moonfold");
    const double icu = reporter.Nanoseconds(what + "/ICU4C");
    if (ours > 0 && icu > 0) {
      std::printf("%s: Moonfold %.1f ns, ICU4C %.0f ns: Moonfold is %.0f times faster.\n",
                  what.c_str(), ours, icu, icu / ours);
    }
  }
  const Disagreements differ = IcuDisagreements();
  if (differ.all >= 0) {
    std::printf(
        "ICU4C's Chinese calendar gets %d of the %d days %s wrong (%d of them in 1990-2050).\n",
        differ.all, static_cast<int>((kLastCalendarDay - kFirstCalendarDay).count() + 1),
        kYears.c_str(), differ.tables);
  }
  return 0;
}
