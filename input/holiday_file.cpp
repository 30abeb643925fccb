#include "input/holiday_file.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "common/utf8.h"
#include "input/shown.h"
#include "texts/calendar_texts.h"

namespace moonfold {
namespace {

using namespace std::chrono;

struct Row {
  int year = 0;
  Holiday holiday{};
  sys_days first, last;
  std::vector<sys_days> work;
};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  for (std::size_t at = 0;;) {
    const auto end = text.find(separator, at);
    fields.push_back(text.substr(at, end - at));
    if (end == std::string_view::npos) return fields;
    at = end + 1;
  }
}

std::optional<sys_days> DateOf(std::string_view text) {
  const auto parsed = ParseDate(text);
  if (!std::holds_alternative<DateTime>(parsed) || text.size() != 10) return std::nullopt;
  return sys_days{std::get<DateTime>(parsed).date};
}

std::optional<Holiday> HolidayNamed(std::string_view name) {
  const std::u16string wide = Utf16FromUtf8(name);
  for (std::size_t h = 0; h < kHolidayCount; ++h) {
    if (HolidayName(static_cast<Holiday>(h), Script::kSimplified) == wide) {
      return static_cast<Holiday>(h);
    }
  }
  return std::nullopt;
}

std::string HolidayNames() {
  std::string names;
  for (std::size_t h = 0; h < kHolidayCount; ++h) {
    names += (h == 0 ? "" : " ") +
             Utf8FromUtf16(HolidayName(static_cast<Holiday>(h), Script::kSimplified));
  }
  return names;
}

// One line of the file as a row, or why it is no row.
std::variant<Row, std::string> ReadRow(std::string_view line) {
  const std::vector<std::string_view> fields = Split(line, '\t');
  if (fields.size() != 5)
    return std::string("expected year, name, off_from, off_to and work_days, tab-separated");
  const auto year = ParseYears(fields[0], false);
  if (!std::holds_alternative<YearRange>(year)) return "no year " + Shown(fields[0]);
  Row row;
  row.year = std::get<YearRange>(year).first;
  const std::optional<Holiday> holiday = HolidayNamed(fields[1]);
  if (!holiday) return Shown(fields[1]) + " is no holiday of the notices (" + HolidayNames() + ")";
  row.holiday = *holiday;
  const auto first = DateOf(fields[2]), last = DateOf(fields[3]);
  if (!first || !last)
    return "a bad date " + Shown(!first ? fields[2] : fields[3]) + " (YYYY-MM-DD)";
  row.first = *first;
  row.last = *last;
  if (row.last < row.first)
    return "the span " + Shown(fields[2]) + " … " + Shown(fields[3]) + " ends before it begins";
  for (const std::string_view text :
       fields[4].empty() ? std::vector<std::string_view>{} : Split(fields[4], ',')) {
    const auto day = DateOf(text);
    if (!day) return "a bad date " + Shown(text) + " (YYYY-MM-DD)";
    if (weekday{*day}.iso_encoding() <= 5)
      return Shown(text) + " is not a Saturday or Sunday, so no make-up working day";
    if (*day >= row.first && *day <= row.last) return Shown(text) + " is both off and working";
    row.work.push_back(*day);
  }
  std::vector<sys_days> all{row.first, row.last};
  all.insert(all.end(), row.work.begin(), row.work.end());
  for (const sys_days day : all) {
    const int y = static_cast<int>(year_month_day{day}.year());
    if (y < row.year - 1 || y > row.year + 1) {
      return IsoDate(year_month_day{day}) + " lies outside " + std::to_string(row.year) + " ± 1";
    }
  }
  return row;
}

std::string NameOf(Holiday holiday) {
  return Utf8FromUtf16(HolidayName(holiday, Script::kSimplified));
}

// Why `row` clashes with `other`, named `where` in the reason, or nothing:
// no two spans share a day (of one year or of two: a span may reach into
// the year before or after), no day is both off and working, and no
// make-up day belongs to two holidays.
std::optional<std::string> ClashWith(const Row& row, const Row& other, const std::string& where) {
  if (row.first <= other.last && other.first <= row.last) {
    return IsoDate(year_month_day{row.first}) + " … " + IsoDate(year_month_day{row.last}) +
           " shares days off with " + where;
  }
  for (const sys_days d : row.work) {
    if (d >= other.first && d <= other.last)
      return IsoDate(year_month_day{d}) + " is both off (" + where + ") and working";
    if (std::find(other.work.begin(), other.work.end(), d) != other.work.end())
      return IsoDate(year_month_day{d}) + " is already a make-up day of " + where;
  }
  for (const sys_days d : other.work) {
    if (d >= row.first && d <= row.last)
      return IsoDate(year_month_day{d}) + " is both off and working (" + where + ")";
  }
  return std::nullopt;
}

// Why row `r` clashes with a row before it, naming that row's line, or
// nothing.
std::optional<std::string> Clash(const std::vector<Row>& rows,
                                 const std::vector<std::size_t>& lines, std::size_t r) {
  for (std::size_t o = 0; o < r; ++o) {
    const std::string where = NameOf(rows[o].holiday) + " (line " + std::to_string(lines[o]) + ")";
    if (auto why = ClashWith(rows[r], rows[o], where)) return why;
  }
  return std::nullopt;
}

// The file's rows and the line of each.
struct Rows {
  std::vector<Row> rows;
  std::vector<std::size_t> lines;
};

// The file's rows, each checked alone and against those before it.
Parsed<Rows> ReadRows(std::string_view path, std::string_view text) {
  std::vector<Row> rows;
  std::vector<std::size_t> lines;
  std::set<std::pair<int, Holiday>> seen;
  std::size_t number = 0;
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  for (std::string_view line : Split(text, '\n')) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#' || line.substr(0, 5) == "year\t") continue;
    const auto where = Shown(path) + ":" + std::to_string(number);
    auto read = ReadRow(line);
    if (const auto* why = std::get_if<std::string>(&read)) return where + " — " + *why;
    Row& row = std::get<Row>(read);
    if (!seen.insert({row.year, row.holiday}).second)
      return where + " — " + NameOf(row.holiday) + " of " + std::to_string(row.year) +
             " is given twice";
    rows.push_back(std::move(row));
    lines.push_back(number);
    if (const auto why = Clash(rows, lines, rows.size() - 1)) return where + " — " + *why;
  }
  return Rows{std::move(rows), std::move(lines)};
}

// Why a row clashes with a built-in span of a year the file does not
// replace, or nothing.
std::optional<std::string> BuiltInClash(const Row& row, const Arrangement& built_in,
                                        const KnownYears& replaced) {
  for (std::size_t s = 0; s < built_in.spans.size(); ++s) {
    const HolidaySpan& span = built_in.spans[s];
    if (replaced.Has(span.year)) continue;
    Row other{
        span.year, span.holiday, sys_days{days{span.first_off}}, sys_days{days{span.last_off}}, {}};
    for (const MakeUpDay& w : built_in.make_up_days) {
      if (w.span == s) other.work.push_back(sys_days{days{w.day}});
    }
    const std::string where =
        NameOf(span.holiday) + " of " + std::to_string(span.year) + " (built in)";
    if (auto why = ClashWith(row, other, where)) return why;
  }
  return std::nullopt;
}

// A warning for each year of the rows that leaves out a statutory holiday
// (every notice gives each of the seven its days off), or a holiday the
// built-in year has: the file's year still replaces the built-in one.
std::vector<std::string> Dropped(std::string_view path, const std::vector<Row>& rows,
                                 const Arrangement& built_in) {
  std::vector<std::string> warnings;
  std::set<int> years;
  for (const Row& row : rows) years.insert(row.year);
  for (const int year : years) {
    std::uint16_t covered = 0;
    for (const Row& row : rows) {
      if (row.year == year) covered |= kHolidayCovers[static_cast<std::size_t>(row.holiday)];
    }
    std::string statutory;
    for (std::size_t h = 0; h < kHolidayCount; ++h) {
      if ((kStatutoryHolidays >> h & 1u) && !(covered >> h & 1u)) {
        statutory += (statutory.empty() ? "" : ", ") + NameOf(static_cast<Holiday>(h));
      }
    }
    std::string built;
    bool has_built_in = false;
    for (const HolidaySpan& span : built_in.spans) {
      if (span.year != year) continue;
      has_built_in = true;
      // The statutory ones are named above; another day off (抗战胜利纪念日
      // of 2015) only where the file has it not.
      if (kHolidayCovers[static_cast<std::size_t>(span.holiday)] != 0) continue;
      const bool kept = std::any_of(rows.begin(), rows.end(), [&](const Row& row) {
        return row.year == year && row.holiday == span.holiday;
      });
      if (!kept) built += (built.empty() ? "" : ", ") + NameOf(span.holiday);
    }
    const std::string prefix = Shown(path) + ": " + std::to_string(year) + " has no ";
    const std::string replaced =
        has_built_in ? " — the built-in " + std::to_string(year) + " arrangement is replaced" : "";
    if (!statutory.empty()) {
      warnings.push_back(prefix + statutory + " of the seven statutory holidays" + replaced);
    }
    if (!built.empty()) warnings.push_back(prefix + built + replaced);
  }
  return warnings;
}

std::int32_t DayNumber(sys_days day) {
  return static_cast<std::int32_t>(day.time_since_epoch().count());
}

// The built-in years the rows do not hold, then the rows', in date order.
OwnedArrangement Merged(const std::vector<Row>& rows, const Arrangement& built_in) {
  OwnedArrangement merged;
  merged.years = built_in.years;
  KnownYears replaced;
  for (const Row& row : rows) {
    merged.years.Add(row.year);
    replaced.Add(row.year);
  }
  std::vector<std::pair<HolidaySpan, std::vector<std::int32_t>>> spans;
  for (std::size_t s = 0; s < built_in.spans.size(); ++s) {
    if (replaced.Has(built_in.spans[s].year)) continue;
    std::vector<std::int32_t> work;
    for (const MakeUpDay& w : built_in.make_up_days) {
      if (w.span == s) work.push_back(w.day);
    }
    spans.push_back({built_in.spans[s], work});
  }
  for (const Row& row : rows) {
    std::vector<std::int32_t> work;
    for (const sys_days d : row.work) work.push_back(DayNumber(d));
    spans.push_back({{static_cast<std::int16_t>(row.year), row.holiday, DayNumber(row.first),
                      DayNumber(row.last)},
                     work});
  }
  std::stable_sort(spans.begin(), spans.end(), [](const auto& a, const auto& b) {
    return a.first.first_off < b.first.first_off;
  });
  for (std::size_t s = 0; s < spans.size(); ++s) {
    merged.spans.push_back(spans[s].first);
    for (const std::int32_t d : spans[s].second)
      merged.make_up_days.push_back({d, static_cast<std::uint16_t>(s)});
  }
  std::sort(merged.make_up_days.begin(), merged.make_up_days.end(),
            [](const MakeUpDay& a, const MakeUpDay& b) { return a.day < b.day; });
  return merged;
}

}  // namespace

Parsed<OwnedArrangement> ReadHolidayFile(std::string_view path, std::string_view text,
                                         const Arrangement& built_in) {
  auto read = ReadRows(path, text);
  if (auto* why = std::get_if<std::string>(&read)) return std::move(*why);
  const auto& [rows, lines] = std::get<Rows>(read);
  KnownYears replaced;
  for (const Row& row : rows) replaced.Add(row.year);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (const auto why = BuiltInClash(rows[r], built_in, replaced)) {
      return Shown(path) + ":" + std::to_string(lines[r]) + " — " + *why;
    }
  }
  OwnedArrangement merged = Merged(rows, built_in);
  merged.warnings = Dropped(path, rows, built_in);
  return merged;
}

}  // namespace moonfold
