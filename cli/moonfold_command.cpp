#include "cli/moonfold_command.h"

#include <cstdio>
#include <optional>
#include <string_view>

#include "festivals/weekday_festivals.h"
#include "moonfold_version.h"
#include "plugin/keywords.h"
#include "plugin/messages.h"
#include "plugin/moonfold_plugin.h"
#include "plugin/utf8.h"

namespace moonfold::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: moonfold [--date YYYY-MM-DD[THH:MM]] [--json | --format TEMPLATE] [KEYWORD...]\n"
    "       moonfold --month YYYY-MM\n";

constexpr std::string_view kHelp =
    "Prints facts of the traditional Chinese calendar for today's local date.\n"
    "\n"
    "  moonfold                  every text, one KEYWORD<TAB>text line each\n"
    "  moonfold KEYWORD...       those texts, joined by single spaces\n"
    "  --date YYYY-MM-DD[THH:MM] use this local date and time instead of the clock\n"
    "  --json                    one JSON object keyed by keyword\n"
    "  --format TEMPLATE         fill {KEYWORD} placeholders, e.g. '{LUNARMONTH}月{LUNARDAY}'\n"
    "  --month YYYY-MM           that month as a calendar, Sunday to Saturday\n"
    "  --help                    this text\n"
    "  --version                 the plug-in version\n"
    "\n"
    "Keywords (matched whatever the case of their letters):\n"
    "  LUNARDAY LUNARMONTH WEEKDAY HEYEAR HEMONTH HEDAY HEHOUR SOLAR\n"
    "  CONSTELLATION FEASTS FWEEKDAY FLASTWEEK FLUNARS TWELVEANIMALS\n"
    "\n"
    "Dates from 1990-01-01 to 2050-12-31. Exit status 2 for a date outside\n"
    "them, an unknown keyword or a malformed option.\n";

// The section name that the keyword message names.
constexpr char16_t kSection[] = u"moonfold";

// A platform for one run: a fixed clock, the keyword of the moment as the
// option, and the messages kept for standard error.
class CommandPlatform final : public PluginPlatform {
 public:
  explicit CommandPlatform(LocalDateRecord now) : now_(now) {}
  void SetKeyword(std::u16string keyword) {
    keyword_ = std::move(keyword);
    message_.clear();
  }
  const std::u16string& Message() const { return message_; }

  LocalDateRecord ReadLocalClock() override { return now_; }
  const char16_t* ReadConfigString(const char16_t*, const char16_t*, const char16_t*) override {
    return keyword_.c_str();
  }
  void ShowMessage(const char16_t* text) override { message_ = text; }

 private:
  LocalDateRecord now_;
  std::u16string keyword_;
  std::u16string message_;
};

// The texts of one moment, through the plug-in.
class Day {
 public:
  explicit Day(const LocalDateRecord& now) : platform_(now), plugin_(platform_) {}

  // The text of the keyword, or null after a message (see Message()).
  std::optional<std::u16string> Text(const std::u16string& keyword) {
    platform_.SetKeyword(keyword);
    plugin_.Initialize(kSection, 0);
    if (!platform_.Message().empty()) return std::nullopt;
    return std::u16string(plugin_.GetString(0));
  }
  std::optional<std::u16string> Text(InstanceKind kind) {
    return Text(std::u16string(InstanceKeywords[static_cast<std::size_t>(kind)]));
  }
  std::string Message() const { return Utf8FromUtf16(platform_.Message()) + "\n"; }

 private:
  CommandPlatform platform_;
  MoonfoldPlugin plugin_;
};

Result Failure(std::string err) { return {2, {}, std::move(err)}; }

bool ParseNumber(std::string_view text, std::size_t digits, int& value) {
  if (text.size() != digits) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// YYYY-MM-DD or YYYY-MM-DDTHH:MM; a real date of any year 1..9999.
std::optional<LocalDateRecord> ParseDate(std::string_view text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  if (text.size() != 10 && text.size() != 16) return std::nullopt;
  if (text[4] != '-' || text[7] != '-' || !ParseNumber(text.substr(0, 4), 4, year) ||
      !ParseNumber(text.substr(5, 2), 2, month) || !ParseNumber(text.substr(8, 2), 2, day)) {
    return std::nullopt;
  }
  if (text.size() == 16 && (text[10] != 'T' || text[13] != ':' ||
                            !ParseNumber(text.substr(11, 2), 2, hour) ||
                            !ParseNumber(text.substr(14, 2), 2, minute))) {
    return std::nullopt;
  }
  if (year < 1 || month < 1 || month > 12 || day < 1 ||
      day > DaysInGregorianMonth(static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month)) ||
      hour > 23 || minute > 59) {
    return std::nullopt;
  }
  LocalDateRecord now;
  now.year = static_cast<std::uint16_t>(year);
  now.month = static_cast<std::uint16_t>(month);
  now.day = static_cast<std::uint16_t>(day);
  now.day_of_week = GregorianWeekday(now.year, now.month, now.day);
  now.hour = static_cast<std::uint16_t>(hour);
  now.minute = static_cast<std::uint16_t>(minute);
  return now;
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", u);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Fills each {KEYWORD} of the template; text outside placeholders is kept.
Result Format(Day& day, const std::string& templ) {
  std::string out;
  std::size_t i = 0;
  while (i < templ.size()) {
    const auto open = templ.find('{', i);
    const auto close = open == std::string::npos ? open : templ.find('}', open);
    if (close == std::string::npos) {
      out += templ.substr(i);
      break;
    }
    out += templ.substr(i, open - i);
    const std::u16string keyword = Utf16FromUtf8(templ.substr(open + 1, close - open - 1));
    const std::optional<std::u16string> text = day.Text(keyword);
    if (!text) return Failure(day.Message());
    out += Utf8FromUtf16(*text);
    i = close + 1;
  }
  return {0, out + "\n", {}};
}

// A grid cell's lunar line: a lunar festival, else a solar term, else the
// month's name on its first day, else the day's name; cut to `width`
// columns (a festival's first name, without its parenthesis).
std::u16string CellText(Day& day) {
  std::u16string text = day.Text(InstanceKind::kLunarFestivals).value_or(u"");
  if (text.empty()) text = day.Text(InstanceKind::kSolarTerm).value_or(u"");
  if (text.empty()) {
    const std::u16string lunar_day = day.Text(InstanceKind::kLunarDay).value_or(u"");
    text = lunar_day == u"初一" ? day.Text(InstanceKind::kLunarMonth).value_or(u"") + u"月"
                               : lunar_day;
  }
  text = text.substr(0, text.find(u' '));
  for (const auto& [open, close] : {std::pair{u'(', u')'}, std::pair{u'（', u'）'}}) {
    const auto from = text.find(open);
    const auto to = text.find(close, from);
    if (from != std::u16string::npos && to != std::u16string::npos) text.erase(from, to - from + 1);
  }
  constexpr int kCellWidth = 8;
  while (DisplayWidth(text) > kCellWidth) text.pop_back();
  return text;
}

std::string Pad(const std::u16string& text, int width) {
  return Utf8FromUtf16(text) + std::string(static_cast<std::size_t>(std::max(0, width - DisplayWidth(text))), ' ');
}

Result Month(const std::string& arg, const Environment& environment) {
  const std::optional<LocalDateRecord> first = ParseDate(arg + "-01");
  if (arg.size() != 7 || !first) return Failure(std::string(kUsage));
  const std::uint16_t days = DaysInGregorianMonth(first->year, first->month);

  Day first_day(*first);
  const std::optional<std::u16string> year_name = first_day.Text(InstanceKind::kYearStemBranch);
  if (!year_name) return Failure(first_day.Message());
  const std::u16string animal = first_day.Text(InstanceKind::kZodiacAnimal).value_or(u"");

  constexpr int kCell = 9;  // eight columns (four wide characters) and a space
  std::string out = "      ";
  out += std::to_string(first->year);
  out += "年";
  out += std::to_string(first->month);
  out += "月  ";
  out += Utf8FromUtf16(*year_name);
  out += "年 ";
  out += Utf8FromUtf16(animal);
  out += '\n';
  for (const char16_t* name : {u"日", u"一", u"二", u"三", u"四", u"五"}) out += Pad(name, kCell);
  out += "六\n";

  const bool highlight_month = environment.output_is_terminal &&
                               environment.now.year == first->year &&
                               environment.now.month == first->month;
  std::string numbers, names;
  int column = first->day_of_week;
  numbers.append(static_cast<std::size_t>(column * kCell), ' ');
  names.append(static_cast<std::size_t>(column * kCell), ' ');
  for (std::uint16_t d = 1; d <= days; ++d) {
    LocalDateRecord date = *first;
    date.day = d;
    date.day_of_week = GregorianWeekday(date.year, date.month, d);
    Day day(date);
    const bool today = highlight_month && environment.now.day == d;
    const std::string number = std::to_string(d);
    const std::string name = Pad(CellText(day), kCell - 1);
    const std::string number_cell = number + std::string(static_cast<std::size_t>(kCell - 1) - number.size(), ' ');
    constexpr std::string_view kReverse = "\x1b[7m", kNormal = "\x1b[0m";
    if (today) numbers += kReverse;
    numbers += number_cell;
    if (today) numbers += kNormal;
    numbers += ' ';
    if (today) names += kReverse;
    names += name;
    if (today) names += kNormal;
    names += ' ';
    if (++column == 7 || d == days) {
      const auto trim = [](std::string& line) {
        while (!line.empty() && line.back() == ' ') line.pop_back();
      };
      trim(numbers);
      trim(names);
      out += numbers + "\n" + names + "\n";
      numbers.clear();
      names.clear();
      column = 0;
    }
  }
  return {0, out, {}};
}

}  // namespace

int DisplayWidth(const std::u16string& text) {
  int width = 0;
  for (const char16_t c : text) {
    if (c >= 0xDC00 && c <= 0xDFFF) continue;  // second half of a pair
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
                      (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                      (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0xD800 && c <= 0xDBFF);
    width += wide ? 2 : 1;
  }
  return width;
}

Result Run(const std::vector<std::string>& args, const Environment& environment) {
  std::optional<std::string> date, format, month;
  bool json = false;
  std::vector<std::string> keywords;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value_of = [&](std::string_view name) -> std::optional<std::string> {
      if (arg == name) {
        if (i + 1 < args.size()) return args[++i];
        return std::nullopt;
      }
      if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
          arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
      }
      return std::nullopt;
    };
    if (arg == "--help" || arg == "-h") return {0, std::string(kUsage) + "\n" + std::string(kHelp), {}};
    if (arg == "--version") return {0, "moonfold " + std::to_string(kPluginVersion) + "\n", {}};
    if (arg == "--json") {
      json = true;
    } else if (arg.rfind("--date", 0) == 0) {
      if (!(date = value_of("--date"))) return Failure(std::string(kUsage));
    } else if (arg.rfind("--format", 0) == 0) {
      if (!(format = value_of("--format"))) return Failure(std::string(kUsage));
    } else if (arg.rfind("--month", 0) == 0) {
      if (!(month = value_of("--month"))) return Failure(std::string(kUsage));
    } else if (!arg.empty() && arg[0] == '-') {
      return Failure(std::string(kUsage));
    } else {
      keywords.push_back(arg);
    }
  }
  if (month) {
    if (date || format || json || !keywords.empty()) return Failure(std::string(kUsage));
    return Month(*month, environment);
  }
  if (format && (json || !keywords.empty())) return Failure(std::string(kUsage));

  LocalDateRecord now = environment.now;
  if (date) {
    const std::optional<LocalDateRecord> parsed = ParseDate(*date);
    if (!parsed) return Failure(std::string(kUsage));
    now = *parsed;
  }
  Day day(now);
  if (format) return Format(day, *format);

  std::vector<std::u16string> chosen;
  for (const std::string& keyword : keywords) chosen.push_back(Utf16FromUtf8(keyword));
  const bool all = chosen.empty();
  if (all) {
    for (const auto keyword : InstanceKeywords) chosen.emplace_back(keyword);
  }

  std::string out;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    const std::optional<std::u16string> text = day.Text(chosen[i]);
    if (!text) return Failure(day.Message());
    // Keys and lines carry the keyword's own spelling.
    const auto kind = KindOfKeyword(chosen[i].c_str());
    const std::string name = Utf8FromUtf16(std::u16string(InstanceKeywords[static_cast<std::size_t>(*kind)]));
    const std::string value = Utf8FromUtf16(*text);
    if (json) {
      out += i == 0 ? '{' : ',';
      out += JsonString(name);
      out += ':';
      out += JsonString(value);
    } else if (all) {
      out += name;
      out += '\t';
      out += value;
      out += '\n';
    } else {
      if (i != 0) out += ' ';
      out += value;
    }
  }
  if (json) out += "}";
  if (json || !all) out += "\n";
  return {0, out, {}};
}

}  // namespace moonfold::cli
