#include "tests/support/season_scan.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "common/utf8.h"
#include "tests/support/reviewed_names.h"

namespace moonfold::testing {
namespace {

using namespace std::chrono;

constexpr sys_days kFirstDay = kFirstCalendarDay;
// The 冬至 before the reference's first year, which the reference lacks:
// the tables' own (kSolarTermEve), the one day the scan takes from them.
constexpr sys_days kWinterBefore = kSolarTermEve;

std::vector<std::u16string> ReadPentads() {
  std::vector<std::u16string> names;
  std::FILE* file = std::fopen(MOONFOLD_TEST_DATA_DIR "/../../tools/data/pentads.tsv", "rb");
  if (file == nullptr) return names;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    if (line.empty() || line[0] == '#' || line.rfind("term", 0) == 0) continue;
    names.push_back(Utf16FromUtf8(line.substr(line.rfind('\t') + 1)));
  }
  std::fclose(file);
  return names;
}

std::u16string Numbered(std::u16string_view name, long n) {
  const std::string number = std::to_string(n);
  return std::u16string(name) + u"第" + std::u16string(number.begin(), number.end()) + u"天";
}

std::vector<SeasonTexts> Scan() {
  const auto& ref = AllReferenceDays();
  const std::vector<std::u16string> pentads = ReadPentads();
  if (ref.size() != kReferenceDayCount || pentads.size() != 72 || ReferenceTerms().empty()) {
    return {};
  }
  const auto at = [&](sys_days d) -> const ReferenceDay& {
    return ref[static_cast<std::size_t>((d - kFirstDay).count())];
  };
  const auto is_geng = [&](sys_days d) { return at(d).day_cycle[0] == u'庚'; };
  const auto geng_from = [&](sys_days d, int nth) {
    for (;; d += days{1}) {
      if (is_geng(d) && --nth == 0) return d;
    }
  };
  // Each year's 夏至 (11), 立秋 (14) and 冬至 (23) days, and every term day.
  std::map<int, sys_days> summer, autumn, winter{{kFirstTermYear - 1, kWinterBefore}};
  std::map<sys_days, unsigned> term_on;
  std::optional<std::pair<sys_days, unsigned>> latest_term;
  for (const ReferenceTerm& t : ReferenceTerms()) {
    const sys_days d{floor<days>(t.beijing_time).time_since_epoch()};
    term_on[d] = t.index;
    // The terms before the range's first day: the latest of them is the
    // first day's.
    if (d <= kFirstDay) latest_term = {d, t.index};
    if (t.index == 11) summer[t.year] = d;
    if (t.index == 14) autumn[t.year] = d;
    if (t.index == 23) winter[t.year] = d;
  }
  constexpr std::u16string_view kNines[]{u"一九", u"二九", u"三九", u"四九", u"五九",
                                         u"六九", u"七九", u"八九", u"九九"};
  std::vector<SeasonTexts> out;
  out.reserve(ref.size());
  for (sys_days d = kFirstDay; out.size() < ref.size(); d += days{1}) {
    if (const auto term = term_on.find(d); term != term_on.end()) latest_term = *term;
    const int y = static_cast<int>(year_month_day{d}.year());
    SeasonTexts texts;
    // The dog days: 初伏 from the third 庚 day counted from the 夏至 day, 中伏
    // from the fourth, 末伏 from the first 庚 day on or after 立秋.
    const sys_days first = geng_from(summer.at(y), 3), middle = geng_from(summer.at(y), 4);
    const sys_days last = geng_from(autumn.at(y), 1);
    if (d >= first && d < middle) texts.season_days = Numbered(u"初伏", (d - first).count() + 1);
    if (d >= middle && d < last) texts.season_days = Numbered(u"中伏", (d - middle).count() + 1);
    if (d >= last && d < last + days{10})
      texts.season_days = Numbered(u"末伏", (d - last).count() + 1);
    // The nines: 81 days from the latest 冬至 day.
    const sys_days solstice = d >= winter.at(y) ? winter.at(y) : winter.at(y - 1);
    if (const auto since = (d - solstice).count(); since < 81) {
      texts.season_days = Numbered(kNines[since / 9], since % 9 + 1);
    }
    // The pentad: days 0-4 from the latest term's day, 5-9, then the rest;
    // days before the first year's 小寒 are in the third of the 冬至 before.
    const std::size_t pentad =
        latest_term ? 3 * latest_term->second +
                          std::min<std::size_t>(
                              static_cast<std::size_t>((d - latest_term->first).count()) / 5, 2)
                    : 71;
    texts.pentad = pentads[pentad];
    out.push_back(std::move(texts));
  }
  return out;
}

std::vector<Jie> LoadJie() {
  std::vector<Jie> jie;
  for (const ReferenceTerm& t : ReferenceTerms()) {
    if (t.index % 2 == 0) jie.push_back({t.beijing_time, t.index});
  }
  return jie;
}

}  // namespace

const std::vector<SeasonTexts>& ExpectedSeasonTexts() {
  static const std::vector<SeasonTexts> texts = Scan();
  return texts;
}

const std::vector<Jie>& ReferenceJie() {
  static const std::vector<Jie> jie = LoadJie();
  return jie;
}

bool NearAJie(local_seconds when) {
  const auto& jie = ReferenceJie();
  const auto near = std::lower_bound(jie.begin(), jie.end(), when - minutes{2},
                                     [](const Jie& j, local_seconds w) { return j.instant < w; });
  return near != jie.end() && near->instant <= when + minutes{2};
}

std::u16string ExpectedPillars(local_seconds when, const ReferenceDay& today,
                               const ReferenceDay& tomorrow) {
  const auto& jie = ReferenceJie();
  static const auto at_1984 = std::find_if(jie.begin(), jie.end(), [](const Jie& j) {
    return j.index == 2 && year_month_day{floor<days>(j.instant)}.year() == year{1984};
  });
  if (at_1984 == jie.end()) return u"(no reference)";
  const auto passed = std::upper_bound(jie.begin(), jie.end(), when,
                                       [](local_seconds w, const Jie& j) { return w < j.instant; });
  const long months = (passed - jie.begin()) - 1 - (at_1984 - jie.begin());  // 节 since 1984's 立春
  long springs = 0;                                                          // 立春 since 1984's
  for (auto j = at_1984; j < passed; ++j) springs += j->index == 2;
  for (auto j = passed; j < at_1984; ++j) springs -= j->index == 2;
  const long year_place = ((springs - 1) % 60 + 60) % 60;
  const long month_place = ((2 + months) % 60 + 60) % 60;
  // The hour's stem by the rhyme 甲己还加甲 …: 甲 and 己 days begin with
  // 甲子, 乙 and 庚 with 丙子 …; from 23:00 the next day's.
  const auto hour = static_cast<unsigned>(floor<hours>(when - floor<days>(when)).count());
  const std::u16string& day_name = hour == 23 ? tomorrow.day_cycle : today.day_cycle;
  constexpr std::u16string_view kFirstHourStem = u"甲丙戊庚壬甲丙戊庚壬";
  const auto day_stem = kReviewedStems.find(day_name[0]);
  const auto branch = (hour + 1) / 2 % 12;
  const auto first = kReviewedStems.find(kFirstHourStem[day_stem]);
  const std::u16string hour_name{kReviewedStems[(first + branch) % 10], kReviewedBranches[branch]};
  return ReviewedCycleName(static_cast<unsigned>(year_place)) + u" " +
         ReviewedCycleName(static_cast<unsigned>(month_place)) + u" " + today.day_cycle + u" " +
         hour_name;
}

}  // namespace moonfold::testing
