#!/bin/sh
# wine32.sh PROGRAM [ARGS...]: runs a 32-bit Windows program under Wine, or
# reports it skipped where this machine cannot execute 32-bit x86 code at
# all (some kernels, WSL1 and some containers refuse every i386 binary, so
# the 32-bit Wine loader never starts).
#
# MOONFOLD_WINE32=on or off forces the answer; otherwise the 32-bit loader
# is asked for its version, which it prints without starting Wine itself.
# Exit code 77 tells ctest that the test was skipped.  `wine32.sh --probe`
# only answers: 0 where 32-bit programs run, 77 (and the reason) where not.
skip() {
  echo "skipped: this machine cannot execute 32-bit x86 code ($1)"
  exit 77
}

loader=/usr/lib/wine/wine
case "${MOONFOLD_WINE32:-}" in
  off) skip "MOONFOLD_WINE32=off" ;;
  on) ;;
  "")
    if ! timeout 10 "$loader" --version >/dev/null 2>&1; then
      skip "$loader does not start"
    fi ;;
  *) echo "wine32.sh: MOONFOLD_WINE32 is '$MOONFOLD_WINE32'; use on or off" >&2; exit 2 ;;
esac
[ "${1:-}" = --probe ] && exit 0
exec "$loader" "$@"
