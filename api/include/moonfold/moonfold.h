/* Moonfold's C interface: the traditional Chinese calendar (moonfold_range
 * gives its days) for any language that can call C.  Link with -lmoonfold
 * (pkg-config moonfold) and include <moonfold/moonfold.h>.
 *
 * Every function may be called from any thread at once; none throws or
 * aborts, none keeps state between calls, and none reads a file but
 * moonfold_arrangement_open.  Dates are Gregorian; times are local wall
 * time, read as Beijing time (UTC+8), the time the calendar is reckoned in.
 * The answers come as numbers and ids (moonfold_facts, moonfold_events);
 * moonfold_name turns an id into its name, and moonfold_text gives a
 * keyword's whole text, as the plug-in and the command show it.
 *
 * Results: MOONFOLD_OK (0), a count or length (0 or more), or one of the
 * negative MOONFOLD_ERROR_ codes below; moonfold_strerror names each.
 *
 * Texts are UTF-8 and written like snprintf: at most size - 1 bytes and a
 * terminating zero, never past size (nothing at all with size 0), and
 * never cut inside a character; the result is the whole text's length in
 * bytes, so a result >= size means the text was cut.
 *
 * Structs that may grow (moonfold_facts_t, moonfold_event_t) begin with a
 * `size` member that the caller sets to the sizeof of the struct it was
 * compiled with.  Members are only ever added at the end, so a program
 * built against an older header passes a smaller size, and the library
 * fills that many bytes and no more: it keeps working unchanged. */
#ifndef MOONFOLD_MOONFOLD_H
#define MOONFOLD_MOONFOLD_H

#include <stddef.h>

/* The version of this header.  The library's own is moonfold_version()
 * and moonfold_version_number(): a program may check that the library it
 * runs with is at least as new as the header it was built with. */
#define MOONFOLD_VERSION_MAJOR 1
#define MOONFOLD_VERSION_MINOR 2
#define MOONFOLD_VERSION_PATCH 0
#define MOONFOLD_VERSION_NUMBER \
  (MOONFOLD_VERSION_MAJOR * 1000000 + MOONFOLD_VERSION_MINOR * 1000 + MOONFOLD_VERSION_PATCH)

#if defined(_WIN32)
#define MOONFOLD_C_API
#else
#define MOONFOLD_C_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The results of the functions below: 0 (or a count), or one of these. */
#define MOONFOLD_OK 0
#define MOONFOLD_ERROR_RANGE (-1)   /* a day outside the calendar's range (moonfold_range) */
#define MOONFOLD_ERROR_DATE (-2)    /* a date that does not exist: 2026-02-30, lunar 2024 leap 4 */
#define MOONFOLD_ERROR_NULL (-3)    /* a null pointer where one is needed */
#define MOONFOLD_ERROR_KEYWORD (-4) /* not a keyword */
#define MOONFOLD_ERROR_SCRIPT (-5)  /* a script other than 0 and 1 */
#define MOONFOLD_ERROR_TIME (-6)    /* no time of day: hour 0..23, minute 0..59 */
#define MOONFOLD_ERROR_MEMORY (-7)  /* memory ran out */
#define MOONFOLD_ERROR_UNANNOUNCED (-8) /* no notice has announced the year's official days */
#define MOONFOLD_ERROR_NAME (-9)        /* a kind of name, or an id, that does not exist */
#define MOONFOLD_ERROR_SIZE (-10)       /* a struct size smaller than any this library knows */
#define MOONFOLD_ERROR_KINDS (-11)      /* event kinds outside MOONFOLD_EVENT_ALL */
#define MOONFOLD_ERROR_FILE (-12)       /* a holiday file that cannot be read, or is refused */
#define MOONFOLD_ERROR_LAST MOONFOLD_ERROR_FILE

/* The scripts of names and texts: simplified characters (简体, the
 * mainland's standard) and traditional (繁體, Taiwan's standard, read in
 * Hong Kong and Macau too). */
#define MOONFOLD_SCRIPT_SIMPLIFIED 0
#define MOONFOLD_SCRIPT_TRADITIONAL 1

/* A lunar date: the lunar year (it begins at the lunar new year; the
 * Gregorian year in which it began), the month 1..12 (a leap month
 * carries the number of the month before it), the day 1..30, and leap 1
 * inside the leap month, else 0. */
typedef struct moonfold_lunar_date {
  int year;
  int month;
  int day;
  int leap;
} moonfold_lunar_date;
typedef moonfold_lunar_date moonfold_lunar_date_t;

/* A Gregorian date. */
typedef struct moonfold_date {
  int year;
  int month; /* 1..12 */
  int day;   /* 1..31 */
} moonfold_date;
typedef moonfold_date moonfold_date_t;

/* A Beijing wall time to the minute (rounded down). */
typedef struct moonfold_moment {
  int year;
  int month;  /* 1..12 */
  int day;    /* 1..31 */
  int hour;   /* 0..23 */
  int minute; /* 0..59 */
} moonfold_moment;
typedef moonfold_moment moonfold_moment_t;

/* The official arrangement of a day (moonfold_facts_t.official):
 *   UNANNOUNCED  no notice has announced its year (before 2006, or to come);
 *   ORDINARY     worked Monday to Friday, off at the weekend;
 *   OFF          an official day off (放假) of its holiday;
 *   MAKE_UP      a weekend day worked in exchange (调休上班) for its holiday. */
#define MOONFOLD_DAY_UNANNOUNCED 0
#define MOONFOLD_DAY_ORDINARY 1
#define MOONFOLD_DAY_OFF 2
#define MOONFOLD_DAY_MAKE_UP 3

/* Up to this many festivals of one table fall on one day. */
#define MOONFOLD_MAX_FESTIVALS 8

/* The festivals of one table on a day: ids of that table's kind of name. */
typedef struct moonfold_festival_list {
  int count;
  int ids[MOONFOLD_MAX_FESTIVALS];
} moonfold_festival_list;
typedef moonfold_festival_list moonfold_festival_list_t;

/* Every fact of a moment, as numbers and ids.  Names and texts come from
 * moonfold_name (the kind of name of each id is given beside it) and
 * moonfold_text.  Cycle places are 0 (甲子) .. 59 (癸亥): the stem is the
 * place mod 10, the branch the place mod 12.  "Uncertain" marks a day
 * decades ahead that the predicted slowing of the Earth cannot settle: it
 * may fall a day earlier or later. */
typedef struct moonfold_facts {
  size_t size; /* set by the caller: sizeof(moonfold_facts_t) */

  moonfold_moment time; /* the moment the facts are of */
  int weekday;          /* 0 = Sunday .. 6 (MOONFOLD_NAME_WEEKDAY) */

  moonfold_lunar_date lunar; /* its lunar date */
  int lunar_uncertain;       /* 1: the lunar date may be a day off */

  /* By the lunar calendar: the year turns at the lunar new year, the month
   * at each new moon (a leap month repeats its month's place). */
  int year_cycle;  /* MOONFOLD_NAME_CYCLE */
  int month_cycle; /* MOONFOLD_NAME_CYCLE */
  int day_cycle;   /* MOONFOLD_NAME_CYCLE; the civil day's, unchanged at 23:00 */
  int hour_branch; /* 0 (子, from 23:00) .. 11 (MOONFOLD_NAME_BRANCH) */
  int zodiac;      /* the lunar year's animal, by branch (MOONFOLD_NAME_ANIMAL) */

  /* The four pillars (八字), by the sun: the year turns at the 立春 instant,
   * the month at each 节 term's instant, to the minute; the hour's stem
   * follows the day's, the 子 hour from 23:00 taking the next day's. */
  int pillar_year;  /* MOONFOLD_NAME_CYCLE */
  int pillar_month; /* MOONFOLD_NAME_CYCLE */
  int pillar_day;   /* MOONFOLD_NAME_CYCLE */
  int pillar_hour;  /* MOONFOLD_NAME_CYCLE */

  /* The solar term that falls on the day, 0 (小寒) .. 23 (冬至), else -1
   * (MOONFOLD_NAME_SOLAR_TERM), with its instant. */
  int solar_term;
  moonfold_moment solar_term_time;
  int solar_term_uncertain;
  /* 1 when the term is given at the minute its calendar was issued with,
   * on another day than today's reckoning, which is then in
   * solar_term_reckoned (1912 小雪, 1979 大寒 …). */
  int solar_term_issued;
  moonfold_moment solar_term_reckoned;

  /* The first solar term whose day is after this one, -1 after the
   * calendar's last: its instant and the days to it (1 for tomorrow). */
  int next_term;
  moonfold_moment next_term_time;
  int next_term_days;
  int next_term_uncertain;

  int star_sign; /* 0 (白羊) .. 11 (双鱼), MOONFOLD_NAME_STAR_SIGN */

  /* The festivals of the day, by table and in the order each names them. */
  moonfold_festival_list fixed_festivals;     /* MOONFOLD_NAME_FIXED_FESTIVAL */
  moonfold_festival_list weekday_festivals;   /* MOONFOLD_NAME_WEEKDAY_FESTIVAL */
  moonfold_festival_list last_week_festivals; /* MOONFOLD_NAME_LAST_WEEK_FESTIVAL */
  moonfold_festival_list lunar_festivals;     /* MOONFOLD_NAME_LUNAR_FESTIVAL */

  /* The next of the ten great festivals strictly after the day
   * (MOONFOLD_NAME_COUNTDOWN_FESTIVAL), else -1, its day and the days to it. */
  int next_festival;
  moonfold_date next_festival_date;
  int next_festival_days;

  /* The official arrangement: MOONFOLD_DAY_*, and for a day off or a
   * make-up day its holiday (MOONFOLD_NAME_HOLIDAY), else -1. */
  int official;
  int holiday;

  /* The moon: its phase 0..7 (MOONFOLD_NAME_MOON_PHASE; 0 new, 2 first
   * quarter, 4 full, 6 last quarter on the day of their instant, the odd
   * ones between), and on a principal phase's day its instant. */
  int moon_phase;
  int moon_has_time;
  moonfold_moment moon_time;
  int moon_uncertain; /* a new moon whose day is uncertain */

  /* The dog days and the nines: the period (MOONFOLD_NAME_SEASON_PERIOD;
   * 0 none, 1 初伏 .. 3 末伏, 4 一九 .. 12 九九) and the day 1.. within it. */
  int season_period;
  int season_day;

  int pentad; /* 0 (小寒's first) .. 71 (冬至's third), MOONFOLD_NAME_PENTAD */

  /* The almanac page: the month is that of the 节 day (the whole day of
   * 立春 is 寅), as almanacs reckon it. */
  int almanac_month_branch; /* MOONFOLD_NAME_BRANCH */
  int duty;                 /* 建除十二值星, 0 (建) .. 11 (闭), MOONFOLD_NAME_DUTY */
  int day_god;              /* 0 (青龙) .. 11 (勾陈), MOONFOLD_NAME_TWELVE_GOD */
  int day_god_yellow;       /* 1: of the yellow path (黄道), else the black */
  int mansion;              /* 0 (角木蛟) .. 27 (轸水蚓), MOONFOLD_NAME_MANSION */
  int mansion_lucky;        /* 1: almanacs call it lucky (吉) */
  int clash_cycle;          /* the day it clashes with, MOONFOLD_NAME_CYCLE */
  int sha_quarter;          /* where 煞 lies, MOONFOLD_NAME_QUARTER */
  int joy_direction;        /* the god of joy, MOONFOLD_NAME_DIRECTION */
  int wealth_direction;     /* the god of wealth, MOONFOLD_NAME_DIRECTION */
  int lucky_hours;          /* bit b set: the double hour of branch b is of the yellow path */

  /* Since 1.2 (a caller built against 1.1 gets the fields above only). */
  /* How the minute of solar_term_time is known: MOONFOLD_MINUTE_*. */
  int solar_term_minute;
  /* The years as people wrote them: the reign year of the lunar year, to
   * lunar 1911 (MOONFOLD_NAME_ERA, else -1; era_year 1 for 元年, else 0),
   * and the Republic's year (民国) of the Gregorian year, from 1912 (1 for
   * 1912, else 0). */
  int era;
  int era_year;
  int republic_year;
} moonfold_facts_t;

/* How a term's minute is known.  From 1912, the calendar's own minute.
 * Before, the record of the issued calendars gives the day only: the
 * minute is today's reckoning, or, for a term the record puts on another
 * day than that reckoning, none — the instant given is then the minute of
 * the issued day nearest the reckoning (00:00 or 23:59), which the
 * calendar counts from, and the reckoning is given beside it. */
#define MOONFOLD_MINUTE_ISSUED 0
#define MOONFOLD_MINUTE_RECKONED 1
#define MOONFOLD_MINUTE_NONE 2

/* A holiday arrangement read from a file: opaque, immutable once made,
 * and safe to share between threads until it is closed.  Every call that
 * takes one takes NULL for the built-in arrangement. */
typedef struct moonfold_arrangement moonfold_arrangement_t;

/* The lunar date of a Gregorian date of the range into *out.
 * MOONFOLD_OK, or MOONFOLD_ERROR_DATE, _RANGE or _NULL (out). */
MOONFOLD_C_API int moonfold_to_lunar(int year, int month, int day, moonfold_lunar_date* out);

/* The Gregorian date of a lunar date into *year, *month, *day.
 * MOONFOLD_OK, or MOONFOLD_ERROR_DATE (a month or day the lunar year lacks),
 * _RANGE (a day outside the range) or _NULL. */
MOONFOLD_C_API int moonfold_from_lunar(const moonfold_lunar_date* date, int* year, int* month,
                                       int* day);

/* Every fact of a local date and time into *out, whose `size` the caller
 * has set; the official days by the built-in arrangement, or by
 * `arrangement` with moonfold_facts_with.  MOONFOLD_OK, or
 * MOONFOLD_ERROR_DATE, _RANGE, _TIME, _NULL (out) or _SIZE (out->size
 * smaller than this library's first moonfold_facts_t). */
MOONFOLD_C_API int moonfold_facts(int year, int month, int day, int hour, int minute,
                                  moonfold_facts_t* out);
MOONFOLD_C_API int moonfold_facts_with(int year, int month, int day, int hour, int minute,
                                       const moonfold_arrangement_t* arrangement,
                                       moonfold_facts_t* out);

/* The kinds of name of moonfold_name, each with its ids. */
#define MOONFOLD_NAME_STEM 0                /* 0..9: 甲 .. 癸 */
#define MOONFOLD_NAME_BRANCH 1              /* 0..11: 子 .. 亥 */
#define MOONFOLD_NAME_CYCLE 2               /* 0..59: 甲子 .. 癸亥 */
#define MOONFOLD_NAME_ANIMAL 3              /* 0..11, by branch: 鼠 .. 猪 */
#define MOONFOLD_NAME_WEEKDAY 4             /* 0 = Sunday .. 6: 日, 一 .. 六 */
#define MOONFOLD_NAME_SOLAR_TERM 5          /* 0..23: 小寒 .. 冬至 */
#define MOONFOLD_NAME_STAR_SIGN 6           /* 0..11: 白羊座 .. 双鱼座 */
#define MOONFOLD_NAME_LUNAR_MONTH 7         /* 1..12: 正 .. 腊 (without 月) */
#define MOONFOLD_NAME_LEAP_MONTH 8          /* 1..12: 闰正 .. 闰腊 */
#define MOONFOLD_NAME_LUNAR_DAY 9           /* 1..30: 初一 .. 三十 */
#define MOONFOLD_NAME_FIXED_FESTIVAL 10     /* festivals of a Gregorian date */
#define MOONFOLD_NAME_WEEKDAY_FESTIVAL 11   /* of the n-th weekday of a month */
#define MOONFOLD_NAME_LAST_WEEK_FESTIVAL 12 /* of a month's last weeks */
#define MOONFOLD_NAME_LUNAR_FESTIVAL 13     /* of a lunar date, the eve, 清明节, 冬至节 */
#define MOONFOLD_NAME_COUNTDOWN_FESTIVAL 14 /* 0..9: 春节, 元宵节 … 除夕 */
#define MOONFOLD_NAME_HOLIDAY 15            /* the holidays of the official notices: 元旦 … */
#define MOONFOLD_NAME_SEASON_PERIOD 16      /* 0..12: (none), 初伏 .. 末伏, 一九 .. 九九 */
#define MOONFOLD_NAME_PENTAD 17             /* 0..71: 雁北乡 .. 水泉动 */
#define MOONFOLD_NAME_MOON_PHASE 18         /* 0..7: 新月, 蛾眉月 .. 残月 */
#define MOONFOLD_NAME_DUTY 19               /* 0..11: 建 .. 闭 */
#define MOONFOLD_NAME_TWELVE_GOD 20         /* 0..11: 青龙 .. 勾陈 */
#define MOONFOLD_NAME_MANSION 21            /* 0..27: 角木蛟 .. 轸水蚓 */
#define MOONFOLD_NAME_DIRECTION 22          /* 0..7: 正北, 东北 .. 西北 */
#define MOONFOLD_NAME_QUARTER 23            /* 0..3: 北, 东, 南, 西 */
#define MOONFOLD_NAME_PENGZU_STEM 24        /* 0..9: the 彭祖百忌 saying of a stem */
#define MOONFOLD_NAME_PENGZU_BRANCH 25      /* 0..11: of a branch */
#define MOONFOLD_NAME_ERA 26                /* 0..10: 顺治 .. 宣统, 民国 (since 1.2) */
#define MOONFOLD_NAME_KIND_COUNT 27

/* The name of an id of a kind (MOONFOLD_NAME_*) in a script, written as
 * texts are.  Its length, or MOONFOLD_ERROR_NAME (no such kind or id),
 * _SCRIPT or _NULL (a null buffer with a size). */
MOONFOLD_C_API int moonfold_name(int kind, int id, int script, char* buffer, size_t size);

/* The text of a keyword — DATE (YYYY-MM-DD) or one of the plug-in's
 * (LUNARDAY, HEYEAR, SOLAR, PILLARS …), whatever the case of its letters
 * — at a local date and time, in simplified (script 0) or traditional
 * (script 1) characters, without blanks at either end, and written as
 * texts are: its length, which may be 0 (a day without a solar term has no
 * SOLAR text), or MOONFOLD_ERROR_KEYWORD, _SCRIPT, _DATE, _RANGE, _TIME,
 * _NULL (a null keyword, or a null buffer with a size), _MEMORY. */
MOONFOLD_C_API int moonfold_text(const char* keyword, int year, int month, int day, int hour,
                                 int minute, int script, char* buffer, size_t size);
MOONFOLD_C_API int moonfold_text_with(const char* keyword, int year, int month, int day, int hour,
                                      int minute, int script,
                                      const moonfold_arrangement_t* arrangement, char* buffer,
                                      size_t size);

/* The kinds of event, as bits of moonfold_events' `kinds`. */
#define MOONFOLD_EVENT_TERM 0x01u      /* a solar term, at its minute */
#define MOONFOLD_EVENT_LUNAR 0x02u     /* a lunar festival */
#define MOONFOLD_EVENT_GREGORIAN 0x04u /* a festival of the Gregorian calendar */
#define MOONFOLD_EVENT_OFF 0x08u       /* an official day off (放假) */
#define MOONFOLD_EVENT_WORK 0x10u      /* a weekend day worked in exchange (调休上班) */
#define MOONFOLD_EVENT_MOON 0x20u      /* a new or full moon, at its minute */
#define MOONFOLD_EVENT_ALL 0x3Fu
/* What the command's --year lists without --kinds. */
#define MOONFOLD_EVENT_DEFAULT \
  (MOONFOLD_EVENT_TERM | MOONFOLD_EVENT_LUNAR | MOONFOLD_EVENT_OFF | MOONFOLD_EVENT_WORK)

/* One dated event. */
typedef struct moonfold_event {
  size_t size; /* set by the library; see moonfold_events */
  int kind;    /* one MOONFOLD_EVENT_ bit */
  moonfold_date date;
  moonfold_lunar_date lunar; /* the day's lunar date */
  /* What the event is: a term (MOONFOLD_NAME_SOLAR_TERM), a festival (of
   * the kind of name in name_kind), a holiday (MOONFOLD_NAME_HOLIDAY) or a
   * phase (MOONFOLD_NAME_MOON_PHASE: 0 new, 4 full). */
  int name_kind;
  int id;
  int has_time; /* a term or a phase: its instant */
  moonfold_moment time;
  int uncertain; /* its day may be a day earlier or later */
  /* A term its calendar puts on another day than today's reckoning: 1,
   * and today's reckoning. */
  int issued;
  moonfold_moment reckoned;
  /* A day off: the first and last day of its holiday's days off. */
  moonfold_date first_off;
  moonfold_date last_off;
  /* Since 1.2: how a term's minute is known, MOONFOLD_MINUTE_* (a term of
   * MOONFOLD_MINUTE_NONE has no time). */
  int minute;
} moonfold_event;
typedef moonfold_event moonfold_event_t;

/* The events of the Gregorian years first_year .. last_year (within the
 * range) of the kinds asked for (MOONFOLD_EVENT_ bits), in date order —
 * on one day terms first, then lunar festivals, days off and make-up days,
 * moons, then Gregorian festivals — as the command's --year lists them.
 * Every day off of a holiday is an event of its own.
 *
 * Writes at most `capacity` events and returns how many there are, so a
 * call with capacity 0 (events may then be NULL) sizes the array.  Before
 * a call with a capacity the caller sets events[0].size to
 * sizeof(moonfold_event_t): the library writes events of that size, one
 * after another.  Or MOONFOLD_ERROR_RANGE (first_year > last_year, or no
 * year within the range), _KINDS, _NULL (no events with a capacity),
 * _SIZE, _MEMORY. */
MOONFOLD_C_API int moonfold_events(int first_year, int last_year, unsigned kinds,
                                   moonfold_event_t* events, size_t capacity);
MOONFOLD_C_API int moonfold_events_with(int first_year, int last_year, unsigned kinds,
                                        const moonfold_arrangement_t* arrangement,
                                        moonfold_event_t* events, size_t capacity);

/* Whether a day is worked in China: 0 on a working day, 1 on a day off
 * (as the command's --workday exits), or MOONFOLD_ERROR_UNANNOUNCED for a
 * year no notice has announced, _DATE, _RANGE. */
MOONFOLD_C_API int moonfold_workday(int year, int month, int day,
                                    const moonfold_arrangement_t* arrangement);

/* 1 when the official days of a Gregorian year are known (announced, or
 * given by the arrangement's file), else 0. */
MOONFOLD_C_API int moonfold_year_announced(int year, const moonfold_arrangement_t* arrangement);

/* A holiday file read over the built-in arrangement: each year the file
 * holds replaces that year.  Rows are tab-separated year, name (as the
 * notices name the holiday: 春节), first and last day off (YYYY-MM-DD) and
 * the make-up days (a comma-separated list, maybe empty); lines starting
 * with # and the header line are skipped.  A file larger than 4 MiB, or
 * not a regular file, is refused.  The arrangement, or NULL with the
 * reason written to `error` as texts are: "PATH:LINE — reason", or
 * "PATH — cannot be read: …".  Close it with moonfold_arrangement_close. */
MOONFOLD_C_API moonfold_arrangement_t* moonfold_arrangement_open(const char* path, char* error,
                                                                 size_t size);
/* The same from the file's text in memory (`length` bytes), named `name`
 * in messages. */
MOONFOLD_C_API moonfold_arrangement_t* moonfold_arrangement_read(const char* name, const char* text,
                                                                 size_t length, char* error,
                                                                 size_t size);
/* What the reader kept but a user should hear of — a year of the file
 * that leaves out a holiday of its built-in year — one line each, written
 * as texts are; 0 when there is nothing, or MOONFOLD_ERROR_NULL. */
MOONFOLD_C_API int moonfold_arrangement_warnings(const moonfold_arrangement_t* arrangement,
                                                 char* buffer, size_t size);
/* Frees it; NULL is allowed. */
MOONFOLD_C_API void moonfold_arrangement_close(moonfold_arrangement_t* arrangement);

/* The calendar's range: its first and last day, for which every function
 * answers.  MOONFOLD_OK, or MOONFOLD_ERROR_NULL. */
MOONFOLD_C_API int moonfold_range(moonfold_date_t* first, moonfold_date_t* last);

/* What a result code means, in English, naming the range where it
 * matters ("a day outside the calendar's range, FIRST … LAST").  A static
 * text; for a code that is none, "not a Moonfold result code". */
MOONFOLD_C_API const char* moonfold_strerror(int code);

/* The library's version, "major.minor.patch", and as
 * MOONFOLD_VERSION_NUMBER counts it. */
MOONFOLD_C_API const char* moonfold_version(void);
MOONFOLD_C_API int moonfold_version_number(void);

#ifdef __cplusplus
}
#endif

#endif /* MOONFOLD_MOONFOLD_H */
