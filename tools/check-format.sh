#!/usr/bin/env bash
# Fails on any C++ file of the tree that .clang-format would change, naming
# each.  The generated tables are among them: their generators lay them out
# with the same style (tools/cxx_format.py).
# Needs Debian's clang-format-14 (tools/install-deps.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || true)
if [ -z "$format" ]; then
  echo "check-format: clang-format-14 is missing; run tools/install-deps.sh" >&2
  exit 1
fi
listed=$(tools/source-files.sh '*.cpp' '*.h' '*.hpp' '*.c') || exit 1
mapfile -t files <<<"$listed"
if ! "$format" --dry-run --Werror "${files[@]}"; then
  echo "check-format: run clang-format-14 -i on the files above" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files as .clang-format has them"
