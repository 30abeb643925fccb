#!/usr/bin/env bash
# Makes the calendar tables and the holiday table again with their
# committed generators, into a scratch folder, and fails on any difference
# from the checked-in ones: the tables stay what the tools make.  Needs Debian's python3-ephem
# (tools/install-deps.sh installs it), and the native build's holiday-file
# reader: its path, or build/native/moonfold_holiday_rows.
# Usage: tools/check-tables.sh [READER]
set -euo pipefail
cd "$(dirname "$0")/.."
reader=${1:-build/native/moonfold_holiday_rows}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! /usr/bin/python3 -c 'import ephem' 2>/dev/null; then
  echo "check-tables: /usr/bin/python3 has no ephem module; run tools/install-deps.sh" >&2
  exit 1
fi
/usr/bin/python3 tools/make_calendar_tables.py --out "$scratch" >"$scratch/log" ||
  { cat "$scratch/log" >&2; exit 1; }
/usr/bin/python3 tools/make_holiday_table.py --out "$scratch" --reader "$reader" >"$scratch/holiday-log" ||
  { cat "$scratch/holiday-log" >&2; exit 1; }
status=0
for table in lunar/lunar_year_data.h cycles/solar_term_data.h lunar/moon_phase_data.h \
             festivals/holiday_data.h; do
  if ! diff -u "$table" "$scratch/$table"; then
    echo "check-tables: $table is not what tools/make_calendar_tables.py makes" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-tables: every table is what its generator makes"
exit "$status"
