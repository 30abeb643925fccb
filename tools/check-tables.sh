#!/usr/bin/env bash
# Makes the calendar tables again with the committed generator, into a
# scratch folder, and fails on any difference from the checked-in ones:
# the tables stay what the tool makes.  Needs Debian's python3-ephem
# (tools/install-deps.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! /usr/bin/python3 -c 'import ephem' 2>/dev/null; then
  echo "check-tables: /usr/bin/python3 has no ephem module; run tools/install-deps.sh" >&2
  exit 1
fi
/usr/bin/python3 tools/make_calendar_tables.py --out "$scratch" >"$scratch/log" ||
  { cat "$scratch/log" >&2; exit 1; }
status=0
for table in lunar/lunar_year_data.h cycles/solar_term_data.h; do
  if ! diff -u "$table" "$scratch/$table"; then
    echo "check-tables: $table is not what tools/make_calendar_tables.py makes" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "check-tables: both tables are what the generator makes"
exit "$status"
