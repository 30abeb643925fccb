#!/usr/bin/env bash
# Makes the calendar tables, the holiday table and the tables keyed by id
# (festivals, holidays, terms, pentads, the almanac's items) again with their
# committed generators, into a scratch folder, and fails on any difference
# from the checked-in ones: the tables stay what the tools make.  Needs
# Debian's python3-ephem, python3-erfa and python3-skyfield
# (tools/install-deps.sh installs them), and the native build's
# holiday-file reader: its path, or build/native/moonfold_holiday_rows.
# Usage: tools/check-tables.sh [READER]
set -euo pipefail
cd "$(dirname "$0")/.."
reader=${1:-build/native/moonfold_holiday_rows}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! /usr/bin/python3 -c 'import ephem, erfa, skyfield' 2>/dev/null; then
  echo "check-tables: /usr/bin/python3 lacks ephem, erfa or skyfield; run tools/install-deps.sh" >&2
  exit 1
fi
/usr/bin/python3 tools/make_calendar_tables.py --out "$scratch" >"$scratch/log" ||
  { cat "$scratch/log" >&2; exit 1; }
/usr/bin/python3 tools/make_holiday_table.py --out "$scratch" --reader "$reader" >"$scratch/holiday-log" ||
  { cat "$scratch/holiday-log" >&2; exit 1; }
/usr/bin/python3 tools/make_name_tables.py --out "$scratch" >"$scratch/name-log" ||
  { cat "$scratch/name-log" >&2; exit 1; }
status=0
for table in lunar/lunar_year_data.h cycles/solar_term_data.h lunar/moon_phase_data.h \
             tests/data/delta_t.tsv festivals/holiday_data.h festivals/festival_data.h \
             festivals/holiday_kinds.h cycles/almanac_data.h cycles/era_data.h \
             texts/table_names_simplified.h; do
  if ! diff -u "$table" "$scratch/$table"; then
    echo "check-tables: $table is not what its generator makes" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-tables: every table is what its generator makes"
exit "$status"
