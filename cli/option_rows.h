// The command's options, one row each: its names, the value it takes and
// the words that value may be, the mode it asks for and the modes it goes
// with, what it cannot be given with and what it needs, its --help text
// and its entry in the manual.  cli/options.h reads the arguments by them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace moonfold::cli {

enum class Value : std::uint8_t {
  kNone,      // a flag
  kRequired,  // the next argument, or after an equals sign
  kOptional,  // after an equals sign, or the next argument when it starts with a digit
  kInline,    // after an equals sign only (--color=WHEN)
  kAnswer,    // no value; the command answers at once (--help)
};

struct OptionRow {
  std::string_view name = {};   // --week-numbers
  std::string_view alias = {};  // -w; or another spelling (--colour)
  Value value = Value::kNone;
  std::string_view value_name = {};  // in the usage and --help: YYYY-MM-DD[THH:MM]
  std::string_view expected = {};    // in messages of a missing value
  bool mode = false;                 // it asks for a mode of its own (cli/modes.cpp runs it)
  std::string_view asks = {};        // or the option of another mode it asks for (-3: --month)
  // The modes it may be given in, by the options that ask for them, and
  // "texts" for today's texts; empty for every mode.
  std::string_view goes_with = {};
  std::string_view excludes = {};  // an option of the same modes it cannot join
  std::string_view needs = {};     // an option it needs beside its mode (--name needs --ics)
  // The words its value is one of (or, with `list`, a comma-separated list
  // of), as completion offers them; `file` when the value is a file's path.
  std::span<const std::string_view> words = {};
  bool list = false;
  bool file = false;
  std::string_view help;  // --help's text, one paragraph
  // The manual's entry: *bold* and _italic_ words, "\n\n" between
  // paragraphs.
  std::string_view manual;
};

inline constexpr std::string_view kColorWords[]{"auto", "always", "never"};
inline constexpr std::string_view kScriptWords[]{"hans", "hant"};

using enum Value;

// In the order of --help and the manual.  A mode's first row is the option
// its messages name; --ics is a mode of its own and, with --every, that
// mode's format.
inline constexpr std::array kOptions{
    OptionRow{
        .name = "--date",
        .value = kRequired,
        .value_name = "YYYY-MM-DD[THH:MM]",
        .expected = "YYYY-MM-DD or YYYY-MM-DDTHH:MM",
        .goes_with = "texts --month --every --next --era",
        .help = "that local date and time instead of the clock; a bare date is its 00:00 (the "
                "子 hour)",
        .manual = "Use that local date and time instead of the clock; a date without a time "
                  "means its 00:00, the 子 hour.",
    },
    OptionRow{
        .name = "--lunar",
        .value = kRequired,
        .value_name = "YYYY-MM-DD",
        .expected = "a lunar YYYY-MM-DD",
        .goes_with = "texts --month --every --next --era",
        .excludes = "--date",
        .help = "the day of that lunar date; a leap month as L02 or 闰2",
        .manual = "Use the day of that lunar date. A leap month is written with *L* or *闰* "
                  "before its number: *2023-L02-01* and *2023-闰2-01* are both 2023-03-22. A "
                  "lunar date that does not exist is refused with the reason.",
    },
    OptionRow{
        .name = "--json",
        .goes_with = "texts --year --every --next --moon --almanac --era",
        .help = "one JSON object keyed by keyword (and of the page with --almanac); with "
                "--year, --every, --next and --moon, an array of objects",
        .manual = "One JSON object keyed by keyword; a keyword asked twice is one key. With "
                  "*--year*, *--every*, *--next* and *--moon*, an array of objects; with "
                  "*--almanac*, the page as one object.",
    },
    OptionRow{
        .name = "--format",
        .value = kRequired,
        .value_name = "TEMPLATE",
        .expected = "a template",
        .goes_with = "texts",
        .help = "fill {KEYWORD} placeholders, e.g. '{LUNARMONTH}月{LUNARDAY}'; {{ and }} are "
                "literal braces; with --json each text is escaped for a JSON string, for a "
                "template of JSON",
        .manual = "Fill each *{*_KEYWORD_*}* of the template; *{{* and *}}* are literal braces. "
                  "With *--json*, each text is escaped as inside a JSON string, so that a "
                  "template of JSON stays valid whatever the texts hold.",
    },
    OptionRow{
        .name = "--month",
        .value = kOptional,
        .value_name = "[YYYY-MM|YYYY|MM]",
        .mode = true,
        .goes_with = "--month",
        .help = "a month as a calendar (this month without a value; a month of this year "
                "as MM), or a whole year; as wide as the terminal (COLUMNS), 80 else",
        .manual =
            "The month as a calendar grid: this month without a value, a month of this year "
            "as _MM_ (as *cal 3*), or a whole year. The first day of every lunar month shows "
            "the month's name, another day its solar term or festival; a day that holds more "
            "than its cell can show has a + by its number. 休 (a day off), 班 (a make-up "
            "working day), the + and the month's name stand right after the day's own number "
            "(14班, 17休正月).\n\nThe grids are as wide as the terminal (*COLUMNS*, else the "
            "terminal's own width, else 80), with narrower cells where room is short; no line "
            "is wider. A year stands three months a row where they fit, else two, else one. A "
            "month needs 34 columns (37 with week numbers); below that nothing is drawn and "
            "the width needed is said, with exit status 2.",
    },
    OptionRow{
        .name = "-3",
        .asks = "--month",
        .goes_with = "--month",
        .help = "the months before and after it too",
        .manual = "The months before and after it too, side by side whenever they fit.",
    },
    OptionRow{
        .name = "--monday",
        .asks = "--month",
        .goes_with = "--month",
        .help = "weeks start on Monday",
        .manual = "Weeks start on Monday.",
    },
    OptionRow{
        .name = "--week-numbers",
        .alias = "-w",
        .asks = "--month",
        .goes_with = "--month",
        .help = "the ISO week of each row: with --monday the row's own, else the week of its "
                "Monday (six of its seven days)",
        .manual = "The ISO 8601 week of each row, at its left: with *--monday* the row's own, "
                  "else the week of its Monday.",
    },
    OptionRow{
        .name = "--color",
        .alias = "--colour",
        .value = kInline,
        .value_name = "[=WHEN]",
        .expected = "auto, always or never",
        .goes_with = "--month",
        .words = kColorWords,
        .help = "highlight today: auto (on a terminal, unless NO_COLOR is set or TERM=dumb), "
                "always or never",
        .manual = "Highlight today in the grid: *auto* (on a terminal, unless *NO_COLOR* is "
                  "set or *TERM* is *dumb*), *always* (the default of a bare *--color*) or "
                  "*never*. Also spelt *--colour*.",
    },
    OptionRow{
        .name = "--year",
        .value = kRequired,
        .value_name = "YYYY",
        .expected = "YYYY",
        .mode = true,
        .goes_with = "--year",
        .help = "that year's lunar festivals, solar terms and official days off, by date",
        .manual = "Every lunar festival, solar term and official day off of that Gregorian "
                  "year in date order: date, weekday, lunar date, the term's time in Beijing, "
                  "name. With *--json*, an array of objects with the keys *date*, *kind* "
                  "(*term*, *lunar*, *gregorian*, *off*, *work* or *moon*, as *--kinds* names "
                  "them), *name* and, for a term or a phase of the moon, *time*.",
    },
    OptionRow{
        .name = "--ics",
        .value = kOptional,
        .value_name = "YYYY[:YYYY]",
        .expected = "YYYY or YYYY:YYYY",
        .mode = true,
        .goes_with = "--ics --every",
        .excludes = "--json",
        .help = "those years as an iCalendar file on standard output; with --every and no "
                "years, its days as one",
        .manual = "Those years as one iCalendar (RFC 5545) file on standard output: an all-day "
                  "event per festival and solar term, for a phone's or a desktop's calendar; a "
                  "holiday's official days off as one event from its first day off to its "
                  "last, named with *放假*, and each make-up working day as an event named with "
                  "*调休上班*.",
    },
    OptionRow{
        .name = "--gregorian",
        .goes_with = "--year --ics --next",
        .help = "with --year, --ics and --next: the Gregorian festivals too",
        .manual = "With *--year*, *--ics* and *--next*: the festivals of the Gregorian calendar "
                  "too.",
    },
    OptionRow{
        .name = "--kinds",
        .value = kRequired,
        .value_name = "LIST",
        .expected = "a list of term, lunar, gregorian, off, work and moon",
        .goes_with = "--year --ics --next",
        .words = kEventKindNames,
        .list = true,
        .help = "with --year, --ics and --next: which events, of term, lunar, gregorian, off "
                "(official days off), work (make-up working days) and moon (new and full "
                "moons); all but gregorian and moon by default",
        .manual = "With *--year*, *--ics* and *--next*: the kinds of event, a comma-separated "
                  "list of *term*, *lunar*, *gregorian*, *off* (official days off), *work* "
                  "(weekend days worked in exchange) and *moon* (new and full moons); all but "
                  "*gregorian* and *moon* by default.",
    },
    OptionRow{
        .name = "--every",
        .value = kRequired,
        .value_name = "[L]MM-DD",
        .expected = "a lunar MM-DD",
        .mode = true,
        .goes_with = "--every",
        .help =
            "the day of that lunar month and day in each lunar year, this one and the nine "
            "after it; a leap month as L04 or 闰4. Day 30 of a 29-day month is kept on its "
            "29th (三十 → 廿九); a leap month the year lacks, on its ordinary month (无闰四月); "
            "an ordinary month never moves into a leap one",
        .manual = "The day of that lunar month and day in each lunar year of a range (this "
                  "lunar year and the nine after it, or *--from* and *--to*), one line a year: "
                  "the lunar year, the date and the lunar date kept; a leap month is written "
                  "with *L* or *闰* before its number. Where a year lacks the date: day 30 of a "
                  "month of 29 days is kept on its 29th (三十 → 廿九); a leap month the year "
                  "lacks, on the ordinary month of that number (无闰四月); an ordinary month is "
                  "never moved into a leap month. With *--json*, an array of objects with the "
                  "keys *lunar_year*, *date*, *lunar* and *note*; with *--ics*, an iCalendar "
                  "file of all-day events, named by *--name* or else by the lunar date.",
    },
    OptionRow{
        .name = "--from",
        .value = kRequired,
        .value_name = "YYYY",
        .expected = "a lunar year YYYY",
        .goes_with = "--every",
        .help = "with --every: the first lunar year",
        .manual = "With *--every*: the first lunar year.",
    },
    OptionRow{
        .name = "--to",
        .value = kRequired,
        .value_name = "YYYY",
        .expected = "a lunar year YYYY",
        .goes_with = "--every",
        .help = "with --every: the last lunar year",
        .manual = "With *--every*: the last lunar year.",
    },
    OptionRow{
        .name = "--name",
        .value = kRequired,
        .value_name = "TEXT",
        .expected = "the events' name",
        .goes_with = "--every",
        .needs = "--ics",
        .help = "with --every --ics: the events' name (else the lunar date)",
        .manual = "With *--every* and *--ics*: the name of the events.",
    },
    OptionRow{
        .name = "--next",
        .value = kOptional,
        .value_name = "[N]",
        .mode = true,
        .goes_with = "--next",
        .help = "the next N (10) festivals and solar terms after today, with the days to go",
        .manual = "The next _N_ (10) festivals and solar terms after today (or the day of "
                  "*--date*), with the days to go; with *--json*, objects with the keys of "
                  "*--year* and *days*.",
    },
    OptionRow{
        .name = "--workday",
        .value = kOptional,
        .value_name = "[YYYY-MM-DD]",
        .mode = true,
        .goes_with = "--workday",
        .help = "whether a day is worked in China: exit status 0 for a working day, 1 for a "
                "day off, 3 for a year no notice has announced; today without a value",
        .manual = "Whether the day (today without a value) is worked in China: prints *working "
                  "day*, *day off (春节)*, *day off (weekend)* or *working day (春节 make-up "
                  "day)* and exits with 0 for a working day, 1 for a day off, and 3 where no "
                  "notice has announced the year's arrangement.",
    },
    OptionRow{
        .name = "--moon",
        .value = kOptional,
        .value_name = "[YYYY[-MM]]",
        .mode = true,
        .goes_with = "--moon",
        .help = "the moon's principal phases of a year or a month (this month without a "
                "value), with their Beijing times",
        .manual = "The principal phases of the moon (new, first quarter, full, last quarter) "
                  "of a year or a month, this month without a value: date, weekday, lunar "
                  "date, Beijing time and name; with *--json*, objects with the keys *date*, "
                  "*phase*, *name* and *time*.",
    },
    OptionRow{
        .name = "--almanac",
        .value = kOptional,
        .value_name = "[YYYY-MM-DD]",
        .mode = true,
        .goes_with = "--almanac",
        .help = "the day's almanac page (黄历; today without a value): its stem-branch names, "
                "officer, god, mansion, clash, 彭祖 sayings, gods of joy and wealth and the "
                "gods of its double hours",
        .manual = "The almanac page (黄历) of the day, today without a value: the date, weekday "
                  "and lunar date; the year by 立春 and the month by the 节, as the page's own "
                  "items count them, and the lunar year's name; the day's solar term, pentad, "
                  "phase of the moon, dog days or nines and official day off where they "
                  "apply; then the day's officer of the twelve (建除), its god of the twelve "
                  "with its path (黄道 or 黑道), its lunar mansion with its luck, the clash and "
                  "the quarter of 煞, the 彭祖 sayings, the directions of the gods of joy and "
                  "wealth, the lucky double hours and the god of each of the twelve. The month "
                  "of these items is the month of the 节 day: the whole day of 立春 already "
                  "belongs to the 寅 month. With *--json*, one object of the same. The lists of "
                  "things to do and avoid (宜忌) are not given: almanacs disagree.",
    },
    OptionRow{
        .name = "--era",
        .mode = true,
        .goes_with = "--era",
        .help = "the day both ways in one line, for a reader of history: its date, the year of "
                "the Republic (from 1912), the lunar date with the reign year (to lunar 1911) "
                "and the lunar year's name",
        .manual = "The day (today, or that of *--date* or *--lunar*) both ways in one line, for "
                  "a reader of history: the Gregorian date; from 1912 the year of the Republic "
                  "(民国38年); the lunar date, written before 1912 with its reign year as the "
                  "Qing calendar wrote it (宣统三年八月十九); the lunar year's name and animal. "
                  "With *--json*, one object of the same.",
    },
    OptionRow{
        .name = "--holidays",
        .value = kRequired,
        .value_name = "FILE",
        .expected = "a file of holiday arrangements",
        .file = true,
        .help = "official arrangements of more years, as tab-separated year, name, off_from, "
                "off_to, work_days; each year of the file replaces the built-in one. Also "
                "MOONFOLD_HOLIDAYS, and $XDG_CONFIG_HOME/moonfold/holidays.tsv when present",
        .manual = "Official arrangements of more years, in the format of the built-in data: "
                  "tab-separated year, name, off_from, off_to and a comma-separated list of "
                  "work_days. Each year the file holds replaces that year of the built-in "
                  "data; where it leaves out a holiday of its year, standard error names it. A "
                  "byte-order mark and Windows line ends are read. A file that does not parse, "
                  "whose spans share a day (its own or a built-in year's beside it) or list a "
                  "make-up day twice, is refused with its line and the reason; so is a file "
                  "larger than 4 MiB, or anything that is not a regular file.",
    },
    OptionRow{
        .name = "--script",
        .value = kRequired,
        .value_name = "hans|hant",
        .expected = "hans or hant",
        .words = kScriptWords,
        .help = "simplified or traditional characters; without it, the locale's (LC_ALL, "
                "LC_MESSAGES, LANG): traditional for zh_TW, zh_HK, zh_MO or a name with Hant",
        .manual = "Simplified or traditional characters (Taiwan's standard) for every text. "
                  "Without it, the locale decides: *LC_ALL*, else *LC_MESSAGES*, else *LANG*; "
                  "traditional for zh_TW, zh_HK, zh_MO or a name with Hant.",
    },
    OptionRow{
        .name = "--keywords",
        .value = kAnswer,
        .help = "the keywords, one a line (for completion and scripts)",
        .manual = "List the keywords, one a line (the bash completion reads them).",
    },
    OptionRow{
        .name = "--help",
        .alias = "-h",
        .value = kAnswer,
        .help = "this text",
        .manual = "Show the options and keywords.",
    },
    OptionRow{
        .name = "--version",
        .value = kAnswer,
        .help = "the version",
        .manual = "Show the version.",
    },
};
inline constexpr std::size_t kOptionCount = kOptions.size();

}  // namespace moonfold::cli
