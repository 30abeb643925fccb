#!/usr/bin/env bash
# `pip install .` from the source tree, as a Python user runs it: into a
# fresh virtual environment of Debian's python3, with no package index.
# The module installed must load the library its wheel carries, with no
# MOONFOLD_LIBRARY and no library on the system's path, and pass the
# module's tests.  Usage: pip_install_check.sh SOURCE_DIR COMMAND
set -euo pipefail
source=$1 command=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "pip_install_check: $*" >&2; exit 1; }
/usr/bin/python3 -m venv "$scratch/venv" || fail "python3 -m venv failed (Debian's python3-venv)"
(cd "$scratch" && PYTHONDONTWRITEBYTECODE=1 "$scratch/venv/bin/pip" install --quiet --no-index "$source" >"$scratch/pip.log" 2>&1) ||
  { cat "$scratch/pip.log" >&2; fail "pip install . failed"; }
unset MOONFOLD_LIBRARY LD_LIBRARY_PATH
where=$(cd "$scratch" && "$scratch/venv/bin/python" -c 'import moonfold, os; print(os.path.dirname(moonfold.__file__))')
[ -f "$where/libmoonfold.so.1" ] || fail "the wheel carries no libmoonfold.so.1"
# The virtual environment has no pytest: Debian's runs the tests, with the
# installed package first on the path.
(cd "$scratch" && PYTHONPATH=$(dirname "$where") PYTHONDONTWRITEBYTECODE=1 MOONFOLD_COMMAND=$command \
   /usr/bin/python3 -m pytest -q -p no:cacheprovider "$source/python/tests" >"$scratch/tests.log") ||
  { cat "$scratch/tests.log" >&2; fail "the module's tests failed on the pip-installed package"; }
echo "pip_install_check: pip install . gives a module with its own library, its tests passed"
