// Moonfold.dll as a host sees it: loaded with LoadLibraryW, its exports
// found with GetProcAddress.  The clock, the configuration and the message
// box are stood in for by patching the DLL's import address table, so the
// binary under test is the one that ships.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/plugin_years.h"
#include "moonfold_version.h"
#include "tests/support/known_day.h"
#include "tests/support/pe_image.h"
#include "tests/support/reference_data.h"
#include "tests/support/reviewed_names.h"
#include "tests/support/season_scan.h"

namespace moonfold::testing {
namespace {

using InitializeFn = std::uint32_t(__cdecl*)(void*, void*, const wchar_t*, std::uint32_t);
using GetStringFn = const wchar_t*(__cdecl*)(std::uint32_t);
using Update2Fn = double(__cdecl*)(std::uint32_t);
using FinalizeFn = void(__cdecl*)();
using VersionFn = std::uint32_t(__cdecl*)();
using AuthorFn = const wchar_t*(__cdecl*)();

// --- What the patched imports answer -------------------------------------

SYSTEMTIME g_clock{};
int g_clock_reads = 0;
std::map<std::wstring, std::optional<std::wstring>> g_options;  // section -> Moonfold=
std::map<std::wstring, std::wstring> g_scripts;                 // section -> Script=
struct Shown {
  HWND owner;
  std::wstring text, caption;
  UINT type;
};
std::vector<Shown> g_messages;

void WINAPI FakeGetLocalTime(SYSTEMTIME* now) {
  ++g_clock_reads;
  *now = g_clock;
}

int WINAPI FakeMessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  g_messages.push_back({owner, text, caption, type});
  return IDOK;
}

const wchar_t* __cdecl FakeReadConfigString(const wchar_t* section, const wchar_t* key,
                                            const wchar_t* default_value) {
  if (std::wstring(default_value) != L"") return L"wrong default";
  if (std::wstring(key) == L"Script") {
    const auto found = g_scripts.find(section);
    return found != g_scripts.end() ? found->second.c_str() : default_value;
  }
  if (std::wstring(key) != L"Moonfold") return L"wrong key";
  const auto found = g_options.find(section);
  if (found == g_options.end()) return default_value;
  return found->second ? found->second->c_str() : nullptr;
}

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD got = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path, got);
  return dir.substr(0, dir.find_last_of(L"\\/"));
}

class MoonfoldDll : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryW((ProgramDirectory() + L"\\Moonfold.dll").c_str());
    ASSERT_NE(module_, nullptr) << "error " << GetLastError();
    ASSERT_NE(PatchImport(module_, "KERNEL32.dll", "GetLocalTime",
                          reinterpret_cast<void*>(&FakeGetLocalTime)),
              nullptr);
    ASSERT_NE(PatchImport(module_, "USER32.dll", "MessageBoxW",
                          reinterpret_cast<void*>(&FakeMessageBoxW)),
              nullptr);
    ASSERT_NE(PatchImport(module_, "Dashlight.dll", "ReadConfigString",
                          reinterpret_cast<void*>(&FakeReadConfigString)),
              nullptr);
    initialize_ = Resolve<InitializeFn>("Initialize");
    get_string_ = Resolve<GetStringFn>("GetString");
  }

  template <typename Fn>
  static Fn Resolve(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  void SetUp() override {
    ASSERT_NE(initialize_, nullptr);
    ASSERT_NE(get_string_, nullptr);
    g_messages.clear();
    g_options.clear();
    g_scripts.clear();
  }

  static void SetClock(WORD year, WORD month, WORD day, WORD day_of_week, WORD hour = 12,
                       WORD minute = 0) {
    g_clock = SYSTEMTIME{year, month, day_of_week, day, hour, minute, 0, 0};
  }

  // The clock at a wall time, with its own day of the week.
  static void SetClockAt(std::chrono::local_time<std::chrono::minutes> at) {
    const auto midnight = std::chrono::floor<std::chrono::days>(at);
    const std::chrono::year_month_day date{midnight};
    const std::chrono::hh_mm_ss time{at - midnight};
    SetClock(static_cast<WORD>(static_cast<int>(date.year())),
             static_cast<WORD>(static_cast<unsigned>(date.month())),
             static_cast<WORD>(static_cast<unsigned>(date.day())),
             static_cast<WORD>(std::chrono::weekday{midnight}.c_encoding()),
             static_cast<WORD>(time.hours().count()), static_cast<WORD>(time.minutes().count()));
  }

  // Sets up instance `id` of `section`, whose Moonfold= option is `value`.
  static const wchar_t* Run(std::uint32_t id, const wchar_t* section,
                            std::optional<std::wstring> value) {
    g_options[section != nullptr ? section : L""] = std::move(value);
    EXPECT_EQ(initialize_(nullptr, nullptr, section, id), 0u);
    return get_string_(id);
  }

  static std::wstring Text(std::uint32_t id) {
    const wchar_t* text = get_string_(id);
    return text != nullptr ? text : L"(null)";
  }

  static inline HMODULE module_ = nullptr;
  static inline InitializeFn initialize_ = nullptr;
  static inline GetStringFn get_string_ = nullptr;
};

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  return out;
}

TEST_F(MoonfoldDll, IsADllForItsMachineWithSixExportsAndFourImportedLibraries) {
#if defined(_WIN64)
  EXPECT_EQ(ModuleMachine(module_), IMAGE_FILE_MACHINE_AMD64);
#else
  EXPECT_EQ(ModuleMachine(module_), IMAGE_FILE_MACHINE_I386);
#endif

  const ModuleExports exports = ExportsOf(module_);
  EXPECT_EQ(exports.library_name, "Moonfold.dll");
  EXPECT_EQ(exports.names,
            (std::vector<std::string>{"Finalize", "GetPluginAuthor", "GetPluginVersion",
                                      "GetString", "Initialize", "Update2"}));

  const auto imports = ImportsOf(module_);
  std::vector<std::string> libraries;
  for (const auto& [library, functions] : imports) libraries.push_back(library);
  std::vector<std::string> allowed{"Dashlight.dll", "KERNEL32.dll", "USER32.dll", "msvcrt.dll"};
  for (const auto& library : libraries) {
    EXPECT_NE(std::find(allowed.begin(), allowed.end(), library), allowed.end()) << library;
  }
  const auto has = [&](const char* library, const char* function) {
    const auto found = imports.find(library);
    return found != imports.end() &&
           std::find(found->second.begin(), found->second.end(), function) != found->second.end();
  };
  EXPECT_TRUE(has("Dashlight.dll", "ReadConfigString"));
  EXPECT_TRUE(has("KERNEL32.dll", "GetLocalTime"));
  EXPECT_TRUE(has("USER32.dll", "MessageBoxW"));
  EXPECT_FALSE(HasDelayImports(module_));
}

TEST_F(MoonfoldDll, ConstantExports) {
  const auto update2 = Resolve<Update2Fn>("Update2");
  const auto finalize = Resolve<FinalizeFn>("Finalize");
  const auto version = Resolve<VersionFn>("GetPluginVersion");
  const auto author = Resolve<AuthorFn>("GetPluginAuthor");
  ASSERT_TRUE(update2 && finalize && version && author);
  EXPECT_EQ(update2(0xDEAD), 0.0);  // never recorded
  EXPECT_EQ(version(), moonfold::kPluginVersion);
  ASSERT_NE(author(), nullptr);
  EXPECT_GT(std::wstring(author()).size(), 0u);
  EXPECT_EQ(Resolve<Update2Fn>("Update2")(0), 0.0);

  SetClock(2010, 11, 7, 0);
  Run(7000, L"Kept", L"LUNARDAY");
  finalize();
  EXPECT_EQ(Text(7000), L"初二");  // Finalize removes nothing
}

TEST_F(MoonfoldDll, AWholeDayThroughEveryKeyword) {
  SetClock(2010, 11, 7, 0, 10, 30);
  std::uint32_t id = 1000;
  g_clock_reads = 0;
  for (const auto& c : kKnownDayTexts) {
    const std::wstring keyword(c.keyword.begin(), c.keyword.end());
    const wchar_t* text = Run(++id, (L"Day " + keyword).c_str(), keyword);
    ASSERT_NE(text, nullptr) << Narrow(keyword);
    EXPECT_EQ(std::wstring(text), std::wstring(c.text.begin(), c.text.end())) << Narrow(keyword);
  }
  EXPECT_EQ(g_clock_reads,
            2 * static_cast<int>(std::size(kKnownDayTexts)));  // twice per Initialize
  EXPECT_TRUE(g_messages.empty());
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// Every day the plug-in answers for, through the shipped DLL, against the
// independent reference: the lunar day and month, the solar term and the
// day's name in the cycle of sixty.
TEST_F(MoonfoldDll, EveryDayOf1990To2050MatchesTheReference) {
  const auto& days = ReferenceDays();
  ASSERT_EQ(days.size(), 22280u);
  int mismatches = 0;
  for (const ReferenceDay& r : days) {
    const std::chrono::year_month_day date{std::chrono::year{r.year}, std::chrono::month{r.month},
                                           std::chrono::day{r.day}};
    SetClock(r.year, r.month, r.day,
             static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding()));
    const struct {
      const wchar_t* keyword;
      std::u16string expected;
    } kChecks[]{
        {L"LUNARDAY", std::u16string(kReviewedDays[r.lunar_day - 1])},
        {L"LUNARMONTH", ReviewedMonthName(r.lunar_month, r.leap != 0)},
        {L"SOLAR", r.solar_term},
        {L"HEDAY", r.day_cycle},
    };
    std::uint32_t id = 20000;
    for (const auto& c : kChecks) {
      const std::wstring text = Run(++id, c.keyword, c.keyword);
      if (text != Wide(c.expected) && ++mismatches <= 20) {
        ADD_FAILURE() << DateText(r.year, r.month, r.day) << ' ' << Narrow(c.keyword) << ": "
                      << Narrow(text);
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_TRUE(g_messages.empty());
}

// The countdowns of sampled years through the DLL, against a scan forward
// over the reference data: the next day of one of the ten festivals (the
// earlier in the list on a tie), and the next day with a solar term.
TEST_F(MoonfoldDll, CountdownsMatchAScanOfTheReference) {
  const auto& days = ReferenceDays();
  ASSERT_EQ(days.size(), 22280u);
  const auto festival_on = [&](std::size_t i) -> const char16_t* {
    const ReferenceDay& r = days[i];
    const bool ordinary = r.leap == 0;
    const bool eve = ordinary && r.lunar_month == 12 && i + 1 < days.size() &&
                     days[i + 1].lunar_month == 1 && days[i + 1].lunar_day == 1;
    const struct {
      bool holds;
      const char16_t* name;
    } kFestivals[]{
        {ordinary && r.lunar_month == 1 && r.lunar_day == 1, u"春节"},
        {ordinary && r.lunar_month == 1 && r.lunar_day == 15, u"元宵节"},
        {r.solar_term == u"清明", u"清明节"},
        {ordinary && r.lunar_month == 5 && r.lunar_day == 5, u"端午节"},
        {ordinary && r.lunar_month == 7 && r.lunar_day == 7, u"七夕"},
        {ordinary && r.lunar_month == 8 && r.lunar_day == 15, u"中秋节"},
        {ordinary && r.lunar_month == 9 && r.lunar_day == 9, u"重阳节"},
        {r.solar_term == u"冬至", u"冬至"},
        {ordinary && r.lunar_month == 12 && r.lunar_day == 8, u"腊八节"},
        {eve, u"除夕"},
    };
    for (const auto& f : kFestivals) {
      if (f.holds) return f.name;
    }
    return nullptr;
  };
  int checked = 0;
  for (std::size_t i = 0; i + 400 < days.size(); ++i) {
    if (days[i].year % 10 != 3) continue;  // 1993, 2003 … 2043
    const ReferenceDay& r = days[i];
    const std::chrono::year_month_day date{std::chrono::year{r.year}, std::chrono::month{r.month},
                                           std::chrono::day{r.day}};
    SetClock(r.year, r.month, r.day,
             static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding()));
    std::u16string festival, term;
    for (std::size_t j = i + 1; festival.empty() || term.empty(); ++j) {
      const std::string n = std::to_string(j - i);
      const std::u16string left = u"还有" + std::u16string(n.begin(), n.end()) + u"天";
      if (festival.empty() && festival_on(j))
        festival = u"距" + std::u16string(festival_on(j)) + left;
      if (term.empty() && !days[j].solar_term.empty()) term = u"距" + days[j].solar_term + left;
    }
    EXPECT_EQ(std::wstring(Run(30001, L"Countdown", L"COUNTDOWN")), Wide(festival))
        << DateText(r.year, r.month, r.day);
    EXPECT_EQ(std::wstring(Run(30002, L"Next term", L"NEXTTERM")), Wide(term))
        << DateText(r.year, r.month, r.day);
    ++checked;
  }
  EXPECT_EQ(checked, 6 * 365);  // 1993, 2003 … 2043
}

// HOLIDAY and DAYOFF through the DLL on every day of 2006-2026 and of two
// years no notice has announced, against the notices as this test reads
// them: the holiday's name and 休 on a day off, 班 on a make-up day.
TEST_F(MoonfoldDll, OfficialDaysFollowTheNotices) {
  const auto& notices = NoticeDays();
  int days_off = 0, make_up_days = 0;
  for (std::chrono::sys_days d{std::chrono::year{2005} / 1 / 1};
       d <= std::chrono::sys_days{std::chrono::year{2027} / 12 / 31}; d += std::chrono::days{1}) {
    const std::chrono::year_month_day date{d};
    const auto y = static_cast<WORD>(static_cast<int>(date.year()));
    const auto m = static_cast<WORD>(static_cast<unsigned>(date.month()));
    const auto day = static_cast<WORD>(static_cast<unsigned>(date.day()));
    SetClock(y, m, day, static_cast<WORD>(std::chrono::weekday{d}.c_encoding()));
    const auto notice = notices.find(DateText(y, m, day));
    const std::u16string holiday =
        notice != notices.end() && notice->second.off ? notice->second.holiday : u"";
    const std::u16string mark = notice == notices.end() ? u"" : notice->second.off ? u"休" : u"班";
    EXPECT_EQ(std::wstring(Run(40001, L"Holiday", L"HOLIDAY")), Wide(holiday))
        << DateText(y, m, day);
    EXPECT_EQ(std::wstring(Run(40002, L"Day off", L"DAYOFF")), Wide(mark)) << DateText(y, m, day);
    days_off += mark == u"休";
    make_up_days += mark == u"班";
  }
  int notice_off = 0;
  for (const auto& [date, notice] : notices) notice_off += notice.off;
  EXPECT_EQ(days_off, notice_off);
  EXPECT_EQ(make_up_days, static_cast<int>(notices.size()) - notice_off);
  EXPECT_GT(days_off, 500);
}

// Script=Hant through the DLL over sampled days, against the simplified
// texts converted here character by character with a reviewed table of
// the characters these kinds hold: 丑 stays 丑, 闰 is 閏, 腊 is 臘.  The
// festivals of the Gregorian calendar and the pentads hold too many
// characters for such a table; for them no 醜 and no 迴 (of 回归).
TEST_F(MoonfoldDll, TraditionalCharactersForEveryKeyword) {
  const std::map<wchar_t, wchar_t> kTraditional{
      {L'龙', L'龍'}, {L'马', L'馬'}, {L'鸡', L'雞'}, {L'猪', L'豬'}, {L'惊', L'驚'},
      {L'蛰', L'蟄'}, {L'谷', L'穀'}, {L'满', L'滿'}, {L'种', L'種'}, {L'处', L'處'},
      {L'双', L'雙'}, {L'狮', L'獅'}, {L'蝎', L'蠍'}, {L'鱼', L'魚'}, {L'腊', L'臘'},
      {L'闰', L'閏'}, {L'还', L'還'}, {L'节', L'節'}, {L'阳', L'陽'}, {L'妈', L'媽'},
      {L'头', L'頭'}, {L'国', L'國'}, {L'庆', L'慶'}, {L'劳', L'勞'}, {L'动', L'動'},
      {L'战', L'戰'}, {L'胜', L'勝'}, {L'纪', L'紀'}, {L'满', L'滿'}, {L'亏', L'虧'},
      {L'残', L'殘'}, {L'开', L'開'}, {L'闭', L'閉'}, {L'执', L'執'}, {L'冲', L'沖'},
      {L'财', L'財'}, {L'东', L'東'}, {L'黄', L'黃'}, {L'虚', L'虛'}, {L'娄', L'婁'},
      {L'毕', L'畢'}, {L'参', L'參'}, {L'张', L'張'}, {L'轸', L'軫'}, {L'乌', L'烏'},
      {L'匮', L'匱'}, {L'陈', L'陳'}};
  const auto convert = [&](std::wstring text) {
    for (wchar_t& c : text) {
      const auto found = kTraditional.find(c);
      if (found != kTraditional.end()) c = found->second;
    }
    return text;
  };
  int checked = 0;
  for (const ReferenceDay& r : ReferenceDays()) {
    if (r.day % 7 != 1 && !(r.month == 2 && r.year % 5 == 1)) continue;  // sampled, and new years
    const std::chrono::year_month_day date{std::chrono::year{r.year}, std::chrono::month{r.month},
                                           std::chrono::day{r.day}};
    SetClock(r.year, r.month, r.day,
             static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding()), 1,
             30);
    std::uint32_t id = 50000;
    for (const auto& known : kKnownDayTexts) {
      const std::wstring keyword(known.keyword.begin(), known.keyword.end());
      const std::wstring hans = Run(++id, (L"Hans " + keyword).c_str(), keyword);
      g_scripts[L"Hant " + keyword] = L"Hant";
      const std::wstring hant = Run(++id, (L"Hant " + keyword).c_str(), keyword);
      EXPECT_EQ(hant.find(L'醜'), std::wstring::npos) << DateText(r.year, r.month, r.day);
      EXPECT_EQ(hant.find(L'迴'), std::wstring::npos) << DateText(r.year, r.month, r.day);
      if (keyword != L"FEASTS" && keyword != L"FWEEKDAY" && keyword != L"FLASTWEEK" &&
          keyword != L"PENTAD" && keyword != L"PENGZU") {
        EXPECT_EQ(hant, convert(hans))
            << DateText(r.year, r.month, r.day) << ' ' << Narrow(keyword);
      }
      ++checked;
    }
  }
  EXPECT_GT(checked, 50000);
  g_scripts[L"Odd"] = L"zh-TW";
  Run(59999, L"Odd", L"LUNARDAY");
  ASSERT_EQ(g_messages.size(), 1u);
  EXPECT_EQ(g_messages[0].text, L"Script=zh-TW 键值无效 [Odd ].");
}

// MOONPHASE through the DLL on every day of sampled years, against the
// second engine's phases (astronomy-engine, tests/data): the principal
// phase on the Beijing day of its instant, else the stretch it begins.
// Days with a phase within two minutes of midnight, where the engines may
// part, are left out.
TEST_F(MoonfoldDll, MoonPhasesFollowTheSecondEngine) {
  std::vector<std::pair<std::chrono::local_seconds, int>> phases;  // instant, quarter
  {
    std::FILE* file = std::fopen(MOONFOLD_TEST_DATA_DIR "/moon_phase_reference.tsv", "rb");
    ASSERT_NE(file, nullptr);
    char line[64];
    while (std::fgets(line, sizeof line, file) != nullptr) {
      int quarter, y, m, d, hh, mm, ss;
      if (std::sscanf(line, "%d\t%d-%d-%d %d:%d:%d", &quarter, &y, &m, &d, &hh, &mm, &ss) != 7)
        continue;
      using namespace std::chrono;
      phases.push_back(
          {local_days{year{y} / m / d} + hours{hh} + minutes{mm} + seconds{ss}, quarter});
    }
    std::fclose(file);
  }
  ASSERT_GT(phases.size(), 9900u);
  const wchar_t* kPrincipal[]{L"新月", L"上弦月", L"满月", L"下弦月"};
  const wchar_t* kBetween[]{L"蛾眉月", L"盈凸月", L"亏凸月", L"残月"};
  int checked = 0;
  for (const ReferenceDay& r : ReferenceDays()) {
    if (r.year % 6 != 1) continue;  // 1993, 1999 … 2047
    using namespace std::chrono;
    const local_days day{year{r.year} / r.month / r.day};
    const auto after = std::upper_bound(phases.begin(), phases.end(), day + days{1},
                                        [](auto t, const auto& p) { return t < p.first; });
    const auto& latest = *(after - 1);
    const bool near_midnight = std::any_of(after - 1, after + 1, [&](const auto& p) {
      const auto since = p.first - floor<days>(p.first);
      return since < minutes{2} || since > hours{24} - minutes{2};
    });
    if (near_midnight) continue;
    const std::wstring expected =
        floor<days>(latest.first) == day ? kPrincipal[latest.second] : kBetween[latest.second];
    SetClock(r.year, r.month, r.day,
             static_cast<WORD>(weekday{sys_days{day.time_since_epoch()}}.c_encoding()));
    EXPECT_EQ(std::wstring(Run(60001, L"Moon", L"MOONPHASE")), expected)
        << DateText(r.year, r.month, r.day);
    ++checked;
  }
  EXPECT_GT(checked, 3000);
}

// The seasons' texts through the shipped DLL against scans of the
// reference: SEASONDAYS and PENTAD on every day of 1990-2050, PILLARS at
// 00:00, 11:00 and 23:30 of each (away from a 节, where the engines part by
// seconds) and two minutes either side of every 节 of those years.
TEST_F(MoonfoldDll, SeasonsAndPillarsOfEveryDayMatchScansOfTheReference) {
  using namespace std::chrono;
  const auto& all = AllReferenceDays();
  const auto& expected = ExpectedSeasonTexts();
  ASSERT_EQ(expected.size(), kReferenceDayCount);
  int mismatches = 0;
  long checked = 0;
  const auto check = [&](const wchar_t* keyword, const std::u16string& want,
                         local_time<minutes> at) {
    SetClockAt(at);
    const std::wstring text = Run(70001, L"Seasons", keyword);
    ++checked;
    if (text != Wide(want) && ++mismatches <= 20) {
      const year_month_day date{floor<days>(at)};
      ADD_FAILURE() << DateText(static_cast<std::uint16_t>(static_cast<int>(date.year())),
                                static_cast<std::uint16_t>(static_cast<unsigned>(date.month())),
                                static_cast<std::uint16_t>(static_cast<unsigned>(date.day())))
                    << ' ' << (at - floor<days>(at)).count() << " min " << Narrow(keyword) << ": "
                    << Narrow(text) << ", expected " << Narrow(Wide(want));
    }
  };
  const local_days first_day{moonfold::kFirstCalendarDay.time_since_epoch()};
  for (std::size_t i = 0; i + 1 < all.size(); ++i) {
    const ReferenceDay& r = all[i];
    if (r.year < moonfold::kFirstPluginYear || r.year > moonfold::kLastPluginYear) continue;
    const local_days day = first_day + days{i};
    check(L"SEASONDAYS", expected[i].season_days, day + hours{12});
    check(L"PENTAD", expected[i].pentad, day + hours{12});
    for (const minutes time : {minutes{0}, minutes{11 * 60}, minutes{23 * 60 + 30}}) {
      if (NearAJie(local_seconds{day + time})) continue;
      check(L"PILLARS", ExpectedPillars(local_seconds{day + time}, r, all[i + 1]), day + time);
    }
  }
  for (const Jie& j : ReferenceJie()) {
    for (const int offset : {-2, 2}) {
      const local_time<minutes> at = floor<minutes>(j.instant) + minutes{offset};
      // The reference's days begin after its first year's 小寒 and 大寒.
      const auto since = (floor<days>(at) - first_day).count();
      if (since < 0 || static_cast<std::size_t>(since) + 1 >= all.size()) continue;
      const auto i = static_cast<std::size_t>(since);
      if (all[i].year < moonfold::kFirstPluginYear || all[i].year > moonfold::kLastPluginYear)
        continue;
      check(L"PILLARS", ExpectedPillars(local_seconds{at}, all[i], all[i + 1]), at);
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(checked, 22280L * 4);
  EXPECT_TRUE(g_messages.empty());
}

// The almanac's seven texts through the DLL on the second engine's days
// of 1990-2050: whole years (1990, 2000 … 2050 and 2026) and every 节 day
// with the days either side.
TEST_F(MoonfoldDll, AlmanacTextsMatchTheSecondEngine) {
  int mismatches = 0, checked = 0;
  for (const AlmanacReferenceDay& r : AlmanacReferenceDays()) {
    if (r.year < moonfold::kFirstPluginYear || r.year > moonfold::kLastPluginYear) continue;
    const std::chrono::year_month_day date{std::chrono::year{r.year}, std::chrono::month{r.month},
                                           std::chrono::day{r.day}};
    SetClock(r.year, r.month, r.day,
             static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{date}}.c_encoding()));
    for (std::size_t k = 0; k < std::size(kAlmanacKeywords); ++k) {
      const std::u16string keyword(kAlmanacKeywords[k]);
      const std::wstring text =
          Run(80001 + static_cast<std::uint32_t>(k), L"Almanac", Wide(keyword));
      ++checked;
      if (text != Wide(r.texts[k]) && ++mismatches <= 20) {
        ADD_FAILURE() << DateText(r.year, r.month, r.day) << ' ' << Narrow(Wide(keyword)) << ": "
                      << Narrow(text) << ", expected " << Narrow(Wide(r.texts[k]));
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(checked, 7 * 4000);
  EXPECT_TRUE(g_messages.empty());
}

// Once while the clock stays wrong, however many instances are set up;
// again after a right clock.
TEST_F(MoonfoldDll, ShowsTheDateMessageOutside1990To2050) {
  for (const WORD year : {static_cast<WORD>(moonfold::kFirstPluginYear - 1),
                          static_cast<WORD>(moonfold::kLastPluginYear + 1)}) {
    SetClock(2010, 11, 7, 0);
    Run(2000, L"Day", L"LUNARDAY");
    g_messages.clear();
    SetClock(year, 6, 1, 4);
    EXPECT_EQ(Run(2001, L"Day", L"LUNARMONTH"), nullptr) << year;
    EXPECT_EQ(Run(2004, L"Day", L"HEYEAR"), nullptr) << year;
    ASSERT_EQ(g_messages.size(), 1u) << year;
    EXPECT_EQ(g_messages[0].owner, nullptr);
    EXPECT_EQ(g_messages[0].text, L"Moonfold=  [本机日期不正确]");
    EXPECT_EQ(g_messages[0].caption, L"Dashlight");
    EXPECT_EQ(g_messages[0].type, 0x40030u);
    EXPECT_EQ(Text(2000), L"初二");
  }
  g_messages.clear();
  SetClock(moonfold::kFirstPluginYear, 1, 1, 1);
  EXPECT_EQ(std::wstring(Run(2002, L"Day", L"LUNARDAY")), L"初五");
  SetClock(moonfold::kLastPluginYear, 12, 31, 6);
  EXPECT_EQ(std::wstring(Run(2003, L"Day", L"LUNARDAY")), L"十八");
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(MoonfoldDll, ShowsTheKeywordMessageWithTheValueAndSectionAsGiven) {
  SetClock(2010, 11, 7, 0);
  const struct {
    const wchar_t* section;
    const wchar_t* value;
    const wchar_t* message;
  } kCases[]{
      {L"Calendar", L"LUNAR", L"Moonfold=LUNAR 键值无效 [Calendar ]."},
      {L"Calendar", L"", L"Moonfold= 键值无效 [Calendar ]."},
      {L"日历", L"农历", L"Moonfold=农历 键值无效 [日历 ]."},
      {nullptr, L"X", L"Moonfold=X 键值无效 [ ]."},
  };
  for (const auto& c : kCases) {
    g_messages.clear();
    EXPECT_EQ(Run(3000, c.section, c.value), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, c.message);
    EXPECT_EQ(g_messages[0].caption, L"Dashlight");
    EXPECT_EQ(g_messages[0].type, 0x40030u);
  }
}

TEST_F(MoonfoldDll, ANullOptionIsIgnoredQuietly) {
  SetClock(2010, 11, 7, 0);
  Run(4000, L"Year", L"heyear");
  EXPECT_EQ(Run(4000, L"Nothing", std::nullopt), std::wstring(L"庚寅"));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(MoonfoldDll, AReRecordedIdShowsItsNewKind) {
  SetClock(2010, 11, 7, 0);
  EXPECT_EQ(std::wstring(Run(5000, L"Id", L"HEYEAR")), L"庚寅");
  EXPECT_EQ(std::wstring(Run(5000, L"Id", L"HEDAY")), L"辛酉");
  EXPECT_EQ(Text(5001), L"(null)");
}

TEST_F(MoonfoldDll, TextsStayPutUntilTheirKindIsRebuilt) {
  SetClock(2010, 11, 7, 0);
  const wchar_t* day = Run(6000, L"Day", L"LUNARDAY");
  const wchar_t* solar = Run(6001, L"Solar", L"SOLAR");
  const std::wstring day_text = day;
  Run(6002, L"Year", L"HEYEAR");  // another kind: the day's text is untouched
  EXPECT_EQ(get_string_(6000), day);
  EXPECT_EQ(std::wstring(day), day_text);
  EXPECT_EQ(std::wstring(get_string_(6001)), L"立冬");
  SetClock(2010, 11, 8, 1);
  Run(6003, L"Bad", L"NOPE");  // passes the date check: SOLAR is rebuilt
  EXPECT_EQ(std::wstring(get_string_(6001)), L"");
  EXPECT_NE(solar, nullptr);
}

// Bytes in use in all of the process's heaps (the C runtime's among them).
std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  std::size_t total = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    }
    HeapUnlock(heap);
  }
  return total;
}

TEST_F(MoonfoldDll, BadOptionValuesAreShownExactlyAndChangeNothing) {
  SetClock(2010, 11, 7, 0);
  Run(8000, L"Kept", L"HEYEAR");
  const std::wstring huge(512 * 1024, L'x');  // 1 MiB of UTF-16
  const std::wstring surrogates{L'a', wchar_t(0xD800), L'b', wchar_t(0xDC00)};
  const std::wstring values[]{huge, L"农历初二", surrogates, L""};
  for (const std::wstring& value : values) {
    g_messages.clear();
    EXPECT_EQ(Run(8000, L"Kept", value), std::wstring(L"庚寅"));
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, L"Moonfold=" + value + L" 键值无效 [Kept ].");
  }
  g_messages.clear();
  EXPECT_EQ(Run(8000, L"Kept", std::nullopt), std::wstring(L"庚寅"));
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(MoonfoldDll, SectionNamesNullEmptyAndLong) {
  SetClock(2010, 11, 7, 0);
  const std::wstring long_name(32 * 1024, L'段');  // 64 KiB
  const struct {
    const wchar_t* section;
    std::wstring shown;
  } kCases[]{{nullptr, L""}, {L"", L""}, {long_name.c_str(), long_name}};
  std::uint32_t id = 8100;
  for (const auto& c : kCases) {
    g_messages.clear();
    EXPECT_EQ(Run(++id, c.section, L"WEEKDAY"), std::wstring(L"日"));
    EXPECT_EQ(Run(++id, c.section, L"?"), nullptr);
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].text, L"Moonfold=? 键值无效 [" + c.shown + L" ].");
  }
}

TEST_F(MoonfoldDll, AnyIdIsValid) {
  SetClock(2010, 11, 7, 0);
  EXPECT_EQ(std::wstring(Run(0, L"Zero", L"HEDAY")), L"辛酉");
  EXPECT_EQ(std::wstring(Run(0xFFFFFFFF, L"Max", L"SOLAR")), L"立冬");
  EXPECT_EQ(std::wstring(get_string_(0)), L"辛酉");
  EXPECT_EQ(Text(0xFFFFFFFE), L"(null)");
}

TEST_F(MoonfoldDll, TheRegistryHoldsEveryIdAndAReusedIdCostsNothing) {
  SetClock(2010, 11, 7, 0);
  g_options[L"Many"] = L"LUNARDAY";
  constexpr std::uint32_t kFirst = 0x100000, kCount = 100000;
  const std::size_t before = HeapBytesInUse();
  for (std::uint32_t id = kFirst; id < kFirst + kCount; ++id) {
    initialize_(nullptr, nullptr, L"Many", id);
  }
  const std::size_t after = HeapBytesInUse();
  for (std::uint32_t id = kFirst; id < kFirst + kCount; ++id) {
    ASSERT_NE(get_string_(id), nullptr) << id;
  }
  std::printf("100000 distinct ids: the process grew by %zu KiB (%.1f bytes an id)\n",
              (after - before) / 1024, static_cast<double>(after - before) / kCount);
  EXPECT_LE(after - before, std::size_t{kCount} * 64) << "a map node per id, no more";

  const std::size_t before_reuse = HeapBytesInUse();
  for (int i = 0; i < 1000000; ++i) initialize_(nullptr, nullptr, L"Many", kFirst);
  const std::size_t after_reuse = HeapBytesInUse();
  std::printf("one id set up 1000000 times: the process grew by %zu KiB\n",
              (after_reuse - before_reuse) / 1024);
  EXPECT_LE(after_reuse, before_reuse + 64 * 1024);
  EXPECT_EQ(std::wstring(get_string_(kFirst)), L"初二");
}

TEST_F(MoonfoldDll, APointerStaysValidUntilItsKindIsRebuilt) {
  SetClock(2010, 11, 7, 0);
  const wchar_t* feasts = Run(9000, L"Feasts", L"FEASTS");
  const wchar_t* solar = Run(9001, L"Solar", L"SOLAR");
  const std::wstring feasts_text = feasts;
  // Other kinds, bad keywords, null options and refused dates leave it be.
  Run(9002, L"Other", L"LUNARDAY");
  Run(9003, L"Bad", L"BAD");
  Run(9004, L"Null", std::nullopt);
  SetClock(moonfold::kLastPluginYear + 1, 1, 1, 0);
  Run(9005, L"Other", L"LUNARDAY");
  EXPECT_EQ(get_string_(9000), feasts);
  EXPECT_EQ(std::wstring(feasts), feasts_text);
  EXPECT_EQ(get_string_(9001), solar);  // a refused date does not rebuild SOLAR
  EXPECT_EQ(std::wstring(solar), L"立冬");
  SetClock(2010, 11, 8, 1);
  Run(9006, L"Feasts", L"FEASTS");
  EXPECT_EQ(std::wstring(get_string_(9000)), L"中国记者日");
}

// The host sets its instances up once and then, every cycle, calls Update2
// and GetString: the texts follow the clock past midnight and through the
// double hours.
TEST_F(MoonfoldDll, TextsFollowTheClockThroughUpdate2) {
  const auto update2 = Resolve<Update2Fn>("Update2");
  ASSERT_NE(update2, nullptr);
  SetClock(2011, 2, 2, 3, 23, 59);  // 除夕
  const struct {
    std::uint32_t id;
    const wchar_t* keyword;
    const wchar_t* at_2359;
    const wchar_t* at_0001;
    const wchar_t* at_0100;
  } kCases[]{
      {11000, L"LUNARDAY", L"三十", L"初一", L"初一"},
      {11001, L"HEHOUR", L"子", L"子", L"丑"},
      {11002, L"SOLAR", L"", L"", L""},
      {11003, L"FLUNARS", L"除夕", L"春节", L"春节"},
      {11004, L"LUNARDAY", L"三十", L"初一", L"初一"},
      {11005, L"COUNTDOWN", L"距春节还有1天", L"距元宵节还有14天", L"距元宵节还有14天"},
      {11006, L"NEXTTERM", L"距立春还有2天", L"距立春还有1天", L"距立春还有1天"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(std::wstring(Run(c.id, L"Update", c.keyword)), c.at_2359) << Narrow(c.keyword);
  }
  const wchar_t* day_pointer = get_string_(11000);
  EXPECT_EQ(update2(11000), 0.0);  // nothing changed: the pointer stays
  EXPECT_EQ(get_string_(11000), day_pointer);

  SetClock(2011, 2, 3, 4, 0, 1);
  g_clock_reads = 0;
  EXPECT_EQ(update2(11000), 0.0);
  EXPECT_EQ(g_clock_reads, 1);
  for (const auto& c : kCases) EXPECT_EQ(Text(c.id), c.at_0001) << Narrow(c.keyword);

  SetClock(2011, 2, 3, 4, 1, 0);
  for (const auto& c : kCases) update2(c.id);
  for (const auto& c : kCases) EXPECT_EQ(Text(c.id), c.at_0100) << Narrow(c.keyword);

  SetClock(2011, 2, 4, 5, 9, 0);  // 立春
  update2(11002);
  EXPECT_EQ(Text(11002), L"立春");

  SetClock(moonfold::kLastPluginYear + 1, 1, 1, 0, 9, 0);  // outside the tables: nothing changes
  for (const auto& c : kCases) update2(c.id);
  EXPECT_EQ(Text(11002), L"立春");
  EXPECT_TRUE(g_messages.empty());
  EXPECT_EQ(Text(0xBAD), L"(null)");
}

// The texts that turn within a day, or at a midnight of their own, through
// Update2: the month pillar at the 节's minute (立冬 2010 at 20:42:30), the
// hour pillar's late 子 hour from 23:00 with the next day's stem (丁壬庚子居),
// the first of the nines on 冬至's day and a pentad five days into its term.
TEST_F(MoonfoldDll, SeasonTextsTurnAtTheirMomentThroughUpdate2) {
  const auto update2 = Resolve<Update2Fn>("Update2");
  ASSERT_NE(update2, nullptr);
  using std::chrono::hours, std::chrono::minutes;
  const auto at = [](int y, unsigned m, unsigned d, int h, int min) {
    return std::chrono::local_days{std::chrono::year{y} / m / d} + hours{h} + minutes{min};
  };
  const struct {
    const wchar_t* keyword;
    std::chrono::local_time<std::chrono::minutes> before;
    const wchar_t* text_before;
    const wchar_t* text_after;
  } kCases[]{
      {L"PILLARS", at(2010, 11, 7, 20, 41), L"庚寅 丙戌 辛酉 戊戌", L"庚寅 丁亥 辛酉 戊戌"},
      {L"PILLARS", at(2010, 11, 7, 22, 59), L"庚寅 丁亥 辛酉 己亥", L"庚寅 丁亥 辛酉 庚子"},
      {L"SEASONDAYS", at(2010, 12, 21, 23, 59), L"", L"一九第1天"},
      {L"PENTAD", at(2010, 11, 11, 23, 59), L"水始冰", L"地始冻"},
  };
  std::uint32_t id = 12000;
  for (const auto& c : kCases) {
    SetClockAt(c.before);
    EXPECT_EQ(std::wstring(Run(++id, L"Turns", c.keyword)), c.text_before) << Narrow(c.keyword);
    const wchar_t* pointer = get_string_(id);
    update2(id);  // the same minute: nothing changes
    EXPECT_EQ(get_string_(id), pointer) << Narrow(c.keyword);
    SetClockAt(c.before + minutes{1});
    update2(id);
    EXPECT_EQ(Text(id), c.text_after) << Narrow(c.keyword);
  }
  EXPECT_TRUE(g_messages.empty());
}

}  // namespace
}  // namespace moonfold::testing
