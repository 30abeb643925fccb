#!/usr/bin/env bash
# Drafts the traditional names again with tools/make_traditional_names.py
# and fails on any difference from texts/names_traditional.h and
# texts/table_names_traditional.h, so that a new OpenCC dictionary shows as
# a change to review.  Exits 77 (skipped) where
# opencc is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v opencc >/dev/null; then
  echo "skipped: opencc is not installed (Debian: opencc)"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
/usr/bin/python3 tools/make_traditional_names.py --out "$scratch" >/dev/null
for table in texts/names_traditional.h texts/table_names_traditional.h; do
  if ! diff -u "$table" "$scratch/$table"; then
    echo "check-traditional: $table is not what the tool drafts now" >&2
    exit 1
  fi
done
echo "check-traditional: the traditional names are what OpenCC and the overrides make"
