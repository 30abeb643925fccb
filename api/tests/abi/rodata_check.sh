#!/usr/bin/env bash
# A program's object file built against the C++ interface holds none of
# the calendar's tables: its read-only data stays under a few KiB (the
# calendar's own tables are tens of KiB).  Usage: rodata_check.sh OBJECT
set -euo pipefail
bytes=$(size -A "$1" | awk '$1 ~ /^\.rodata/ { total += $2 } END { print total + 0 }')
echo "rodata_check: $(basename "$1") holds $bytes bytes of read-only data"
[ "$bytes" -le 4096 ] || { echo "rodata_check: more than 4096 bytes: a table was compiled in" >&2; exit 1; }
