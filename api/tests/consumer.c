/* A C99 program built from the installed header alone, calling every
 * function it declares: what a C user of the library meets.  It prints
 * one line of facts of 2026-02-17 and exits 0, or names the call that
 * answered wrongly. */
#include <moonfold/moonfold.h>
#include <stdio.h>
#include <string.h>

static int failed(const char* what) {
  fprintf(stderr, "consumer: %s\n", what);
  return 1;
}

int main(void) {
  moonfold_lunar_date lunar;
  moonfold_facts_t facts;
  moonfold_event_t events[4];
  moonfold_date_t first, last;
  moonfold_arrangement_t* a;
  char text[128], name[64], why[256];
  int y, m, d, count;
  static const char notice[] = "2027\t\xE5\x85\x83\xE6\x97\xA6\t2027-01-01\t2027-01-03\t\n";

  if (moonfold_version_number() < MOONFOLD_VERSION_NUMBER) return failed("an older library");
  if (moonfold_range(&first, &last) != MOONFOLD_OK || first.year > 2026) return failed("range");
  if (moonfold_to_lunar(2023, 3, 22, &lunar) != MOONFOLD_OK || !lunar.leap)
    return failed("to_lunar");
  if (moonfold_from_lunar(&lunar, &y, &m, &d) != MOONFOLD_OK || m != 3 || d != 22)
    return failed("from_lunar");
  memset(&facts, 0, sizeof facts);
  facts.size = sizeof facts;
  if (moonfold_facts(2026, 2, 17, 12, 0, &facts) != MOONFOLD_OK ||
      facts.official != MOONFOLD_DAY_OFF)
    return failed("facts");
  if (moonfold_name(MOONFOLD_NAME_CYCLE, facts.year_cycle, MOONFOLD_SCRIPT_TRADITIONAL, name,
                    sizeof name) <= 0)
    return failed("name");
  if (moonfold_text("FLUNARS", 2026, 2, 17, 12, 0, MOONFOLD_SCRIPT_SIMPLIFIED, text, sizeof text) <=
      0)
    return failed("text");
  count = moonfold_events(2026, 2026, MOONFOLD_EVENT_TERM, NULL, 0);
  events[0].size = sizeof events[0];
  if (count != 24 || moonfold_events(2026, 2026, MOONFOLD_EVENT_TERM, events, 4) != 24 ||
      events[3].date.month != 2)
    return failed("events");
  if (moonfold_workday(2026, 2, 14, NULL) != 0) return failed("workday");
  a = moonfold_arrangement_read("h.tsv", notice, sizeof notice - 1, why, sizeof why);
  if (a == NULL) return failed(why);
  if (moonfold_workday(2027, 1, 1, a) != 1 || moonfold_year_announced(2027, a) != 1 ||
      moonfold_arrangement_warnings(a, why, sizeof why) <= 0)
    return failed("the arrangement");
  if (moonfold_facts_with(2027, 1, 1, 0, 0, a, &facts) != MOONFOLD_OK ||
      moonfold_text_with("DAYOFF", 2027, 1, 1, 0, 0, 0, a, why, sizeof why) != 3 ||
      moonfold_events_with(2027, 2027, MOONFOLD_EVENT_OFF, a, NULL, 0) != 3)
    return failed("the arrangement's answers");
  moonfold_arrangement_close(a);
  a = moonfold_arrangement_open("/nonexistent/h.tsv", why, sizeof why);
  if (a != NULL || strstr(why, "cannot be read") == NULL) return failed("open");
  printf("%s %s %s %s\n", moonfold_version(), name, text, moonfold_strerror(MOONFOLD_ERROR_DATE));
  return 0;
}
