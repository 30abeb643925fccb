/* Every fact and text of a run of days, one line a day, through the C
 * interface alone: what another build of the library (the WebAssembly
 * package) must answer alike, line for line.
 *
 *   day_lines FIRST LAST KEYWORD...    (FIRST, LAST: YYYY-MM-DD)
 *
 * Each day is taken at a time of its own, the hour and minute stepping
 * through the day as the days go, so that the hour's pillar, a term's
 * minute and the turn of the 子 hour are all met.  A line is the day and
 * time, every member of moonfold_facts_t after `size` as numbers, then each
 * keyword's text in simplified and in traditional characters; a call that
 * fails gives its code where its text would be. */
#include <moonfold/moonfold.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>

static int days_from_civil(int y, int m, int d) {
  /* Days since 1970-01-01 of a proleptic Gregorian date. */
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

static void civil_from_days(int z, int* y, int* m, int* d) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp + (mp < 10 ? 3 : -9);
  *y = yoe + era * 400 + (*m <= 2);
}

static int read_day(const char* text, int* day) {
  int y, m, d;
  char rest;
  if (sscanf(text, "%d-%d-%d%c", &y, &m, &d, &rest) != 3) return 0;
  *day = days_from_civil(y, m, d);
  return 1;
}

int main(int argc, char** argv) {
  int first, last;
  if (argc < 3 || !read_day(argv[1], &first) || !read_day(argv[2], &last)) {
    fprintf(stderr, "usage: day_lines FIRST LAST KEYWORD...  (dates as YYYY-MM-DD)\n");
    return 2;
  }
  static char text[4096];
  for (int day = first; day <= last; ++day) {
    int y, m, d;
    civil_from_days(day, &y, &m, &d);
    const int step = day - first;
    const int hour = step * 7 % 24, minute = step * 13 % 60;
    printf("%04d-%02d-%02dT%02d:%02d", y, m, d, hour, minute);

    moonfold_facts_t facts;
    facts.size = sizeof facts;
    const int status = moonfold_facts(y, m, d, hour, minute, &facts);
    printf(" %d", status);
    /* Every member after `size` is an int, or a struct of ints, up to the
     * last member (a 64-bit struct ends in padding after it).  A member
     * added after republic_year must be named here: the package would
     * print one number more, and its test says so. */
    const int* member = (const int*)((const char*)&facts + offsetof(moonfold_facts_t, time));
    const size_t count = (offsetof(moonfold_facts_t, republic_year) + sizeof(int) -
                          offsetof(moonfold_facts_t, time)) /
                         sizeof(int);
    for (size_t i = 0; status == MOONFOLD_OK && i < count; ++i) printf(" %d", member[i]);

    for (int k = 3; k < argc; ++k) {
      for (int script = 0; script <= 1; ++script) {
        const int n = moonfold_text(argv[k], y, m, d, hour, minute, script, text, sizeof text);
        if (n < 0)
          printf("\t#%d", n);
        else
          printf("\t%s", text);
      }
    }
    putchar('\n');
  }
  return fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
