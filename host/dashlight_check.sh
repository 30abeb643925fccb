#!/usr/bin/env bash
# The stand-in host's command line as a user meets it: its usage, the
# reasons it gives, and output that cannot be written.
# Usage: dashlight_check.sh DASHLIGHT EXAMPLE_CONFIG
set -u
dashlight=$1
config=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
cases=0
expect() {  # status, a text the output must hold, then the command line
  local status=$1 text=$2
  shift 2
  local out got
  out=$("$@" 2>&1)
  got=$?
  cases=$((cases + 1))
  if [[ $got != "$status" || $out != *"$text"* ]]; then
    echo "FAILED: $*: status $got, output: $out"
    failures=$((failures + 1))
  fi
}
expect 0 "usage: dashlight" "$dashlight" --help
expect 2 "--interval goes with --updates" "$dashlight" --interval 5 "$config"
expect 2 "--interval 0: expected a whole number from 1" "$dashlight" --updates 1 --interval 0 "$config"
expect 2 "--updates is given twice" "$dashlight" --updates 1 --updates 2 "$config"
expect 2 "no CONFIG" "$dashlight"
expect 1 "cannot write the output — No space left on device" sh -c "'$dashlight' '$config' >/dev/full"
printf '[Lone]\nMoonfold=LUNARDAY\n' > "$scratch/lone.ini"
expect 0 "[Lone]: no Plugin= line" "$dashlight" "$scratch/lone.ini"
printf '[A]x\n' > "$scratch/after.ini"
expect 1 "line 1: text after the closing ']'" "$dashlight" "$scratch/after.ini"
echo "dashlight: $cases cases, $failures wrong"
[ "$failures" -eq 0 ]
