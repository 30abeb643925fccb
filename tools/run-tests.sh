#!/usr/bin/env bash
# Builds every preset and runs the whole test suite in one ctest run: the
# native tests, the Windows tests with the real Moonfold.dll under Wine,
# the sanitizers, and the WebAssembly package in Node and Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
# On a fresh machine, what the build and the tests need comes first.
tools/install-deps.sh
presets=(native win32 win64 asan)
# The WebAssembly package and its page, where emscripten is installed
# (install-deps installs it); its tests compare with the native build,
# which is built first.
web_skipped=
if command -v emcc >/dev/null; then
  presets+=(wasm)
else
  web_skipped="run-tests: the WebAssembly package was not built or tested: emcc is missing"
  echo "$web_skipped"
fi
tools/build.sh "${presets[@]}"

# One test file that takes in every build's tests.
{
  echo "# Written by tools/run-tests.sh: the tests of every build."
  for preset in "${presets[@]}"; do echo "subdirs(\"$preset\")"; done
} > build/CTestTestfile.cmake
# Where 32-bit x86 code cannot run, the win32 tests that run it are
# reported as skipped; the native check of the 32-bit DLL's headers runs
# everywhere.  MOONFOLD_WINE32=on|off forces the answer.
if ! reason=$(cmake/wine32.sh --probe); then
  echo "run-tests: win32 programs will not run here, ${reason#skipped: }"
fi
# Each test runs once: the Windows builds keep one Wine server for the
# whole run (their wine_prefix fixture starts it, wine_server_stop ends it),
# so no program meets a server that is going away.
log=build/ctest.log
status=0
ctest --test-dir build --output-on-failure --parallel 2 --timeout 900 |
  tee "$log" || status=$?
# One closing line that counts what ran, after ctest's summary, and why
# any test was skipped: ctest counts the skipped among those it ran.
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -1)
failed=$(sed -n 's/.* \([0-9]*\) tests failed out of .*/\1/p' "$log" | tail -1)
skipped=$(grep -c '(Skipped)$' "$log" || true)
if [ "$skipped" -gt 0 ]; then
  echo "run-tests: $skipped tests skipped: they run 32-bit x86 code, and ${reason#skipped: }"
fi
[ -z "$web_skipped" ] || echo "$web_skipped"
echo "run-tests: $(( ${total:-0} - ${failed:-0} - skipped )) passed, ${failed:-0} failed, $skipped skipped"
exit "$status"
