/* Moonfold's C interface: the traditional Chinese calendar of 1900-01-01
 * to 2100-12-31 for any language that can call C.  Link with -lmoonfold
 * (pkg-config moonfold).  Every function may be called from any thread at
 * once; none throws or aborts, and none keeps state between calls.
 * Dates are Gregorian, times local wall time (the calendar is reckoned in
 * Beijing time, UTC+8). */
#ifndef MOONFOLD_MOONFOLD_H
#define MOONFOLD_MOONFOLD_H

#include <stddef.h>

#if defined(_WIN32)
#define MOONFOLD_C_API
#else
#define MOONFOLD_C_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The results of the functions below: 0, or one of these. */
#define MOONFOLD_OK 0
#define MOONFOLD_ERROR_RANGE (-1)   /* a day outside 1900-01-01 .. 2100-12-31 */
#define MOONFOLD_ERROR_DATE (-2)    /* a date that does not exist: 2026-02-30, lunar 2024 leap 4 */
#define MOONFOLD_ERROR_NULL (-3)    /* a null pointer where one is needed */
#define MOONFOLD_ERROR_KEYWORD (-4) /* not a keyword */
#define MOONFOLD_ERROR_SCRIPT (-5)  /* a script other than 0 and 1 */
#define MOONFOLD_ERROR_TIME (-6)    /* no time of day: hour 0..23, minute 0..59 */
#define MOONFOLD_ERROR_MEMORY (-7)  /* memory ran out */

/* A lunar date: the lunar year (it begins at the lunar new year), the month
 * 1..12 (a leap month carries the number of the month before it), the day
 * 1..30, and leap 1 inside the leap month, else 0. */
typedef struct moonfold_lunar_date {
  int year;
  int month;
  int day;
  int leap;
} moonfold_lunar_date;

/* The lunar date of a Gregorian date of 1900-01-01 .. 2100-12-31 into
 * *out.  MOONFOLD_OK, or MOONFOLD_ERROR_DATE, _RANGE or _NULL (out). */
MOONFOLD_C_API int moonfold_to_lunar(int year, int month, int day, moonfold_lunar_date* out);

/* The Gregorian date of a lunar date into *year, *month, *day.
 * MOONFOLD_OK, or MOONFOLD_ERROR_DATE (a month or day the lunar year lacks),
 * _RANGE (a day outside 1900-01-01 .. 2100-12-31) or _NULL. */
MOONFOLD_C_API int moonfold_from_lunar(const moonfold_lunar_date* date, int* year, int* month,
                                       int* day);

/* The text of a keyword (LUNARDAY, HEYEAR, SOLAR, PILLARS … as the plug-in
 * knows them, whatever the case of their letters) at a local date and time,
 * in simplified (script 0) or traditional (script 1) characters, as UTF-8.
 * Like snprintf it writes at most size - 1 bytes and a terminating zero,
 * never past size (nothing with size 0), and returns the text's whole length
 * in bytes, which may be 0: a day without a solar term has no SOLAR text.
 * Or a negative MOONFOLD_ERROR_: _KEYWORD, _SCRIPT, _DATE, _RANGE, _TIME,
 * _NULL (a null keyword, or a null buffer with a size), _MEMORY. */
MOONFOLD_C_API int moonfold_text(const char* keyword, int year, int month, int day, int hour,
                                 int minute, int script, char* buffer, size_t size);

/* The version, "major.minor.patch". */
MOONFOLD_C_API const char* moonfold_version(void);

#ifdef __cplusplus
}
#endif

#endif /* MOONFOLD_MOONFOLD_H */
