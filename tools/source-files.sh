#!/usr/bin/env bash
# Lists the tree's files that match the patterns given ('*.cpp' 'cli/*.h'),
# one a line, paths from the root: git's list in a checkout, else every
# file below the root but the builds, installed packages and git's own
# folder (a copy made by git archive, a release's sources).  Fails, saying
# so, when nothing matches: a check that lists no file checks nothing.
# Usage: tools/source-files.sh PATTERN...
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ -n "$(git ls-files | head -1)" ]; then
  listed=$(git ls-files "$@")
else
  listed=$(find . -path ./build -prune -o -path ./.git -prune -o -name node_modules -prune -o \
             -type f -print | sed 's#^\./##' | sort | while read -r file; do
             for pattern in "$@"; do
               # shellcheck disable=SC2254
               case $file in $pattern) echo "$file"; break ;; esac
             done
           done)
fi
if [ -z "$listed" ]; then
  echo "source-files: no file of the tree matches $*" >&2
  exit 1
fi
printf '%s\n' "$listed"
